# The program folder: where `velorin` is built and installed (bin/velorin links to it), and where
# it looks for its data files (theme, help, documents, update program).
include(GNUInstallDirs)

set(VELORIN_PROGRAMMORDNER "${CMAKE_INSTALL_LIBDIR}/velorin" CACHE STRING
    "Install folder of the program and its data files")
set(VELORIN_PROGRAMM_BAUORDNER "${PROJECT_BINARY_DIR}/window")

# velorin_programmdatei(<target> <file>...): files the program looks for in its own folder. They
# are copied next to the built program by <target> (part of `all`) and installed beside it.
function(velorin_programmdatei ziel)
    set(kopien "")
    foreach(datei IN LISTS ARGN)
        get_filename_component(name "${datei}" NAME)
        set(kopie "${VELORIN_PROGRAMM_BAUORDNER}/${name}")
        add_custom_command(OUTPUT "${kopie}"
            COMMAND ${CMAKE_COMMAND} -E copy_if_different "${datei}" "${kopie}"
            DEPENDS "${datei}" VERBATIM)
        list(APPEND kopien "${kopie}")
        install(FILES "${datei}" DESTINATION "${VELORIN_PROGRAMMORDNER}")
    endforeach()
    add_custom_target(${ziel} ALL DEPENDS ${kopien})
endfunction()
