# velorin_version_block(<target>
#     [FILE_VERSION a.b.c.d]        fixed file version; default: the project version
#     [PRODUCT_VERSION a.b.c.d]     fixed product version; default: FILE_VERSION
#     [LANGUAGE 0x0407] [CODEPAGE 0x04E4]   the string table's language and code page
#     [ORIGINAL_FILENAME name]      default: the target's output file name
#     [STRINGS key value ...])      further values, or replacements of the standard ones
#
# Embeds the program's version block (format in shell/Versionsblock.h) into the executable
# <target>, in its ELF section ".velorin.version". The standard string values are CompanyName,
# FileDescription (empty), FileVersion, InternalName (empty), LegalCopyright, LegalTrademarks
# (empty), OriginalFilename, ProductName and ProductVersion (the first three parts of the
# product version). A value given as "" is stored empty. Values cannot contain ";".

set(VELORIN_COMPANY_NAME "Orvat")
set(VELORIN_RIGHTS_HOLDER "Copyright (C) 2026 Orvat Lernsysteme")
set(VELORIN_PRODUCT_NAME "Velorin")

# Bytes of an unsigned number, little-endian, as "0x.., " items.
function(_velorin_vb_zahl out wert breite)
    set(bytes "")
    math(EXPR letztes "${breite} - 1")
    foreach(i RANGE ${letztes})
        math(EXPR b "(${wert} >> (8 * ${i})) & 0xFF" OUTPUT_FORMAT HEXADECIMAL)
        string(APPEND bytes "${b}, ")
    endforeach()
    set(${out} "${bytes}" PARENT_SCOPE)
endfunction()

# Bytes of a text (UTF-8 as given) and its length.
function(_velorin_vb_text out laenge text)
    string(HEX "${text}" hex)
    string(LENGTH "${hex}" n)
    math(EXPR n "${n} / 2")
    string(REGEX REPLACE "(..)" "0x\\1, " bytes "${hex}")
    set(${out} "${bytes}" PARENT_SCOPE)
    set(${laenge} ${n} PARENT_SCOPE)
endfunction()

# "a.b.c.d" into its high and low 32-bit words.
function(_velorin_vb_version hoch tief version)
    if(NOT version MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
        message(FATAL_ERROR "velorin_version_block: \"${version}\" is not a version a.b.c.d")
    endif()
    foreach(i 1 2 3 4)
        if(CMAKE_MATCH_${i} GREATER 65535)
            message(FATAL_ERROR "velorin_version_block: \"${version}\" has a part above 65535")
        endif()
    endforeach()
    math(EXPR h "(${CMAKE_MATCH_1} << 16) | ${CMAKE_MATCH_2}")
    math(EXPR t "(${CMAKE_MATCH_3} << 16) | ${CMAKE_MATCH_4}")
    set(${hoch} ${h} PARENT_SCOPE)
    set(${tief} ${t} PARENT_SCOPE)
endfunction()

function(velorin_version_block target)
    cmake_parse_arguments(PARSE_ARGV 1 VB ""
        "FILE_VERSION;PRODUCT_VERSION;LANGUAGE;CODEPAGE;ORIGINAL_FILENAME" "STRINGS")
    if(VB_UNPARSED_ARGUMENTS)
        message(FATAL_ERROR "velorin_version_block: unknown arguments ${VB_UNPARSED_ARGUMENTS}")
    endif()
    if(NOT DEFINED VB_FILE_VERSION)
        set(VB_FILE_VERSION "${PROJECT_VERSION}")
    endif()
    if(NOT DEFINED VB_PRODUCT_VERSION)
        set(VB_PRODUCT_VERSION "${VB_FILE_VERSION}")
    endif()
    if(NOT DEFINED VB_LANGUAGE)
        set(VB_LANGUAGE 0x0407)
    endif()
    if(NOT DEFINED VB_CODEPAGE)
        set(VB_CODEPAGE 0x04E4)
    endif()
    if(NOT DEFINED VB_ORIGINAL_FILENAME)
        get_target_property(VB_ORIGINAL_FILENAME ${target} OUTPUT_NAME)
        if(NOT VB_ORIGINAL_FILENAME)
            set(VB_ORIGINAL_FILENAME "${target}")
        endif()
        set(VB_ORIGINAL_FILENAME "${VB_ORIGINAL_FILENAME}${CMAKE_EXECUTABLE_SUFFIX}")
    endif()
    list(LENGTH VB_STRINGS n)
    math(EXPR rest "${n} % 2")
    if(rest)
        message(FATAL_ERROR "velorin_version_block: STRINGS needs key value pairs")
    endif()

    _velorin_vb_version(fv_hoch fv_tief "${VB_FILE_VERSION}")
    _velorin_vb_version(pv_hoch pv_tief "${VB_PRODUCT_VERSION}")
    string(REGEX REPLACE "\\.[0-9]+$" "" produkt_text "${VB_PRODUCT_VERSION}")

    # Standard values, then the caller's; a later value for a key replaces the earlier one.
    set(keys CompanyName FileDescription FileVersion InternalName LegalCopyright
             LegalTrademarks OriginalFilename ProductName ProductVersion)
    set(wert_CompanyName "${VELORIN_COMPANY_NAME}")
    set(wert_FileDescription "")
    set(wert_FileVersion "${VB_FILE_VERSION}")
    set(wert_InternalName "")
    set(wert_LegalCopyright "${VELORIN_RIGHTS_HOLDER}")
    set(wert_LegalTrademarks "")
    set(wert_OriginalFilename "${VB_ORIGINAL_FILENAME}")
    set(wert_ProductName "${VELORIN_PRODUCT_NAME}")
    set(wert_ProductVersion "${produkt_text}")
    # Walk the pairs by index: list(GET) keeps an empty value, foreach over the list would not.
    if(n GREATER 0)
        math(EXPR letztes "${n} - 1")
        foreach(i RANGE 0 ${letztes} 2)
            math(EXPR j "${i} + 1")
            list(GET VB_STRINGS ${i} key)
            list(GET VB_STRINGS ${j} wert)
            if(NOT key IN_LIST keys)
                list(APPEND keys "${key}")
            endif()
            set(wert_${key} "${wert}")
        endforeach()
    endif()

    set(eintraege "")
    set(tabelle_laenge 8)
    list(LENGTH keys anzahl)
    foreach(key IN LISTS keys)
        _velorin_vb_text(k_bytes k_laenge "${key}")
        _velorin_vb_text(w_bytes w_laenge "${wert_${key}}")
        if(k_laenge GREATER 65535 OR w_laenge GREATER 65535)
            message(FATAL_ERROR "velorin_version_block: value of ${key} is too long")
        endif()
        _velorin_vb_zahl(kl ${k_laenge} 2)
        _velorin_vb_zahl(wl ${w_laenge} 2)
        string(APPEND eintraege "\n    ${kl}${wl}\n    ${k_bytes}\n    ${w_bytes}")
        math(EXPR tabelle_laenge "${tabelle_laenge} + 4 + ${k_laenge} + ${w_laenge}")
    endforeach()
    math(EXPR gesamt "36 + ${tabelle_laenge}")

    _velorin_vb_text(magic magic_laenge "VELVINFO")
    _velorin_vb_zahl(b_gesamt ${gesamt} 4)
    _velorin_vb_zahl(b_format 1 4)
    _velorin_vb_zahl(b_fvh ${fv_hoch} 4)
    _velorin_vb_zahl(b_fvt ${fv_tief} 4)
    _velorin_vb_zahl(b_pvh ${pv_hoch} 4)
    _velorin_vb_zahl(b_pvt ${pv_tief} 4)
    _velorin_vb_zahl(b_tabellen 1 4)
    _velorin_vb_zahl(b_sprache ${VB_LANGUAGE} 2)
    _velorin_vb_zahl(b_codepage ${VB_CODEPAGE} 2)
    _velorin_vb_zahl(b_anzahl ${anzahl} 4)

    set(quelle "${CMAKE_CURRENT_BINARY_DIR}/${target}_versionsblock.cpp")
    file(CONFIGURE OUTPUT "${quelle}" @ONLY CONTENT
"// Generated by velorin_version_block() for ${target}: file version ${VB_FILE_VERSION}.
// The section keeps the block in the executable although nothing refers to it.
__attribute__((section(\".velorin.version\"), used)) static const unsigned char
    velorin_versionsblock[${gesamt}] = {
    ${magic}
    ${b_gesamt}${b_format}
    ${b_fvh}${b_fvt}${b_pvh}${b_pvt}
    ${b_tabellen}
    ${b_sprache}${b_codepage}${b_anzahl}${eintraege}
};
")
    target_sources(${target} PRIVATE "${quelle}")
endfunction()
