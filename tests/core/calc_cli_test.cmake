# End-to-end runs of velorin-calc: output lines, messages and exit status.
function(lauf erwartet_status)
    execute_process(COMMAND ${CALC} ${ARGN}
                    RESULT_VARIABLE status OUTPUT_VARIABLE aus ERROR_VARIABLE err)
    if(NOT status EQUAL erwartet_status)
        message(FATAL_ERROR "velorin-calc ${ARGN}: status ${status}, expected "
                            "${erwartet_status}\n${aus}\n${err}")
    endif()
    set(aus "${aus}" PARENT_SCOPE)
    set(err "${err}" PARENT_SCOPE)
endfunction()

function(erwarte text)
    string(FIND "${aus}" "${text}" pos)
    if(pos EQUAL -1)
        message(FATAL_ERROR "missing in output: [${text}]\n${aus}")
    endif()
endfunction()

lauf(0 VeR=90 VeG=100 VwR=45 VwG=20)
erwarte("VeR\tCI_Eingegeben\t090,00\n")
erwarte("VgR\tCI_Ergebnis\t099,35\nVgG\tCI_Ergebnis\t87,01\n")
erwarte("SW\tCI_Ergebnis\t-16,25\nGW\tCI_Ergebnis\t11,66\n")
erwarte("KSKU\tCI_EingMoeglich\t\n")
string(REGEX MATCHALL "\n" zeilen "${aus}")
list(LENGTH zeilen n)
if(NOT n EQUAL 16)
    message(FATAL_ERROR "expected 16 lines, got ${n}")
endif()

# Units, filter and UTF-8 text.
lauf(0 VeG:km/h "VeG=1a0 0" VeG:kt)
erwarte("VeG\tCI_Eingegeben\t54,00\n")

# A rejected text: message, exit status 1, nothing stored.
lauf(1 VeR=-)
erwarte("VeR\tCI_EingMoeglich\t-\n")
if(NOT err MATCHES "'-' ist kein gültiger Gleitkommawert.")
    message(FATAL_ERROR "conversion error missing: ${err}")
endif()

# A disabled field refuses the step; the rest still runs.
lauf(1 VeR=90 VeG=100 SW=5 VwR=45)
erwarte("SW\tCI_Undef\t\n")
erwarte("VwR\tCI_Eingegeben\t045,00\n")
if(NOT err MATCHES "SW")
    message(FATAL_ERROR "refusal does not name the field: ${err}")
endif()

# Usage errors run no step at all.
foreach(falsch "Foo=1" "VeR:kt" "VeG:knots" "--frobnicate")
    lauf(2 VeR=90 ${falsch})
    if(NOT aus STREQUAL "")
        message(FATAL_ERROR "usage error ${falsch} printed output: ${aus}")
    endif()
endforeach()

lauf(0 --help)
erwarte("Aufruf: velorin-calc")
lauf(0 --version)
erwarte("1.1.8")

# The drawing as a PNG file, only when the triangle can be drawn.
if(PNG_AKTIV)
    set(bild "${CMAKE_CURRENT_BINARY_DIR}/calc_cli_test.png")
    file(REMOVE "${bild}")
    lauf(0 VeR=90 VeG=100 VwR=45 VwG=20 --png "${bild}" --size 200x150)
    if(NOT EXISTS "${bild}")
        message(FATAL_ERROR "--png wrote no file")
    endif()
    file(READ "${bild}" kopf LIMIT 4 HEX)
    if(NOT kopf STREQUAL "89504e47")
        message(FATAL_ERROR "not a PNG: ${kopf}")
    endif()
    file(REMOVE "${bild}")
    lauf(1 VeR=90 VeG=100 --png "${bild}")
    if(EXISTS "${bild}")
        message(FATAL_ERROR "--png wrote a file for a triangle that cannot be drawn")
    endif()
    lauf(2 --size 0x10 VeR=1)
endif()
