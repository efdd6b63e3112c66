# SPDX-License-Identifier: MIT
# cmake -DREADELF=<readelf> -DFILES=<elf;...> -P check_runpath.cmake
# Fails when an RPATH or RUNPATH entry is empty or relative: the dynamic
# loader resolves such an entry against the current directory, so a program
# started from a downloads folder would load libraries planted there.
# Entries rooted at $ORIGIN are resolved against the binary's own folder and
# are allowed.
set(_faults)
foreach(_file IN LISTS FILES)
    execute_process(COMMAND "${READELF}" -d "${_file}"
        OUTPUT_VARIABLE _dynamic RESULT_VARIABLE _rc ERROR_VARIABLE _err)
    if(NOT _rc EQUAL 0)
        message(FATAL_ERROR "${READELF} -d ${_file} failed: ${_err}")
    endif()
    string(REGEX MATCHALL "\\((RPATH|RUNPATH)\\)[^\n]*\\[[^\n]*\\]" _lines "${_dynamic}")
    foreach(_line IN LISTS _lines)
        string(REGEX REPLACE "^\\(([A-Z]+)\\).*" "\\1" _kind "${_line}")
        string(REGEX REPLACE "^[^[]*\\[(.*)\\]$" "\\1" _path "${_line}")
        # An empty string is one empty entry; every other entry lies between colons.
        set(_entries "")
        if(NOT _path STREQUAL "")
            string(REPLACE ":" ";" _entries "${_path}")
        endif()
        set(_empty 0)
        if(_path STREQUAL "")
            set(_empty 1)
        endif()
        foreach(_entry IN LISTS _entries)
            if(_entry STREQUAL "")
                math(EXPR _empty "${_empty} + 1")
            elseif(NOT _entry MATCHES "^/" AND NOT _entry MATCHES "^\\$(ORIGIN|{ORIGIN})")
                list(APPEND _faults "${_file}: ${_kind} has the relative entry '${_entry}'")
            endif()
        endforeach()
        if(_empty)
            list(APPEND _faults "${_file}: ${_kind} has empty entries: ${_empty}")
        endif()
    endforeach()
endforeach()
# One unwrapped line per fault.
foreach(_fault IN LISTS _faults)
    message(NOTICE "${_fault}")
endforeach()
if(_faults)
    message(FATAL_ERROR "A library search path reaches into the current directory.")
endif()
