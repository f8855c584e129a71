# Fails when an executable imports a function that is not in Windows7Imports.txt beside this
# file: the functions checked to be in Windows 7 SP1 as it ships. A list of what is allowed, not
# of what is known to be missing, so that a new import is refused until someone has looked it up;
# a list of newer functions would pass whatever nobody thought of.
# Usage: cmake -DOBJDUMP=<objdump> -DEXE=<file.exe> -P CheckWindows7Imports.cmake
#        cmake -DSELF_TEST=ON -P CheckWindows7Imports.cmake   (checks the checker on a made-up
#        import table: SetDefaultDllDirectories must be refused and CloseHandle not)
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/PeHeaders.cmake")

# Reads the list into variables named _allowed_<dll>, the DLL's name in lower case.
function(read_allowed)
    file(STRINGS "${CMAKE_CURRENT_LIST_DIR}/Windows7Imports.txt" _lines)
    set(_dll "")
    foreach(_line IN LISTS _lines)
        string(STRIP "${_line}" _line)
        if(_line STREQUAL "" OR _line MATCHES "^#")
            continue()
        elseif(_line MATCHES "^\\[(.+)\\]$")
            string(TOLOWER "${CMAKE_MATCH_1}" _dll)
        else()
            list(APPEND _allowed_${_dll} "${_line}")
            set(_allowed_${_dll} "${_allowed_${_dll}}" PARENT_SCOPE)
        endif()
    endforeach()
endfunction()

# Returns in out_var "DLL!function" for each import of `dump` (objdump -p text) not allowed.
function(find_unlisted_imports dump out_var)
    string(REPLACE ";" "," _dump "${dump}")
    string(REGEX REPLACE "\r?\n" ";" _lines "${_dump}")
    set(_dll "")
    set(_unlisted "")
    set(_count 0)
    foreach(_line IN LISTS _lines)
        if(_line MATCHES "^[ \t]*DLL Name: (.+)$")
            string(STRIP "${CMAKE_MATCH_1}" _name)
            string(TOLOWER "${_name}" _dll)
        elseif(_line MATCHES "^[ \t]*$")
            set(_dll "")
        elseif(_dll AND _line MATCHES "^[ \t]*[0-9a-fA-F]+[ \t]+[0-9]+[ \t]+([^ \t]+)")
            math(EXPR _count "${_count} + 1")
            if(NOT CMAKE_MATCH_1 IN_LIST _allowed_${_dll})
                list(APPEND _unlisted "${_dll}!${CMAKE_MATCH_1}")
            endif()
        endif()
    endforeach()
    if(_count EQUAL 0)
        message(FATAL_ERROR "no imported function read")
    endif()
    set(${out_var} "${_unlisted}" PARENT_SCOPE)
endfunction()

read_allowed()

if(SELF_TEST)
    set(_table "\tDLL Name: KERNEL32.dll\n\tvma:  Hint/Ord Member-Name Bound-To\n"
               "\t6bede\t  141  CloseHandle\n\t6c30e\t 1297  SetDefaultDllDirectories\n\n")
    string(JOIN "" _table ${_table})
    find_unlisted_imports("${_table}" _found)
    if(NOT _found STREQUAL "kernel32.dll!SetDefaultDllDirectories")
        message(FATAL_ERROR "checker self-test: expected only SetDefaultDllDirectories refused, "
                            "refused: [${_found}]")
    endif()
    message(STATUS "checker self-test passed: refused ${_found}")
    return()
endif()

if(NOT DEFINED EXE OR NOT DEFINED OBJDUMP)
    message(FATAL_ERROR "pass -DOBJDUMP=<objdump> -DEXE=<executable>")
endif()
read_pe_headers("${OBJDUMP}" "${EXE}" _dump)
find_unlisted_imports("${_dump}" _found)
if(_found)
    list(JOIN _found ", " _found_text)
    message(FATAL_ERROR "${EXE} imports functions not known to be in Windows 7 SP1: "
                        "[${_found_text}]. Where Windows 7 SP1 lacks one, look it up at run time "
                        "(SystemFunction); where its documentation says Windows 7 or earlier, "
                        "list it in cmake/Windows7Imports.txt.")
endif()
message(STATUS "${EXE} imports only functions Windows 7 SP1 has")
