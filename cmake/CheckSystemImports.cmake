# Fails when an executable's import table names a DLL outside the set Windows always loads from
# its system folder. Any other name is searched for in the program's folder first, so a file of
# that name beside the program would run its code before wWinMain could restrict the search.
# Delay imports are refused too: they are loaded by bare name at their first call.
# Usage: cmake -DOBJDUMP=<objdump> -DEXE=<file.exe> -P CheckSystemImports.cmake
#        cmake -DOBJDUMP=<objdump> -DSELF_TEST_EXE=<exe importing winmm> -P <this>  (checks the
#        checker: that executable must be refused, with WINMM.dll named and KERNEL32.dll not)
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/PeHeaders.cmake")

# Known DLLs, which Windows maps from the system folder whatever the search order; compared
# without regard to case.
set(_allowed kernel32.dll user32.dll gdi32.dll msvcrt.dll)

# Returns in out_var the imported DLL names that are not allowed.
function(find_foreign_imports exe out_var)
    read_pe_headers("${OBJDUMP}" "${exe}" _dump)
    string(REGEX MATCH "Entry d [0-9a-fA-F]+ ([0-9a-fA-F]+) Delay Import Directory" _ "${_dump}")
    if(NOT CMAKE_MATCH_1 MATCHES "^0+$")
        message(FATAL_ERROR "${exe} has delay imports, which load by bare name; "
                            "load the library on first use with SystemFunction (platform/LazyLibrary_win32.h)")
    endif()
    string(REGEX MATCHALL "DLL Name: [^\r\n]+" _lines "${_dump}")
    if(NOT _lines)
        message(FATAL_ERROR "no import table read from ${exe}")
    endif()
    set(_foreign "")
    foreach(_line IN LISTS _lines)
        string(REGEX REPLACE "^DLL Name: " "" _name "${_line}")
        string(STRIP "${_name}" _name)
        string(TOLOWER "${_name}" _lower)
        if(NOT _lower IN_LIST _allowed)
            list(APPEND _foreign "${_name}")
        endif()
    endforeach()
    set(${out_var} "${_foreign}" PARENT_SCOPE)
endfunction()

if(DEFINED SELF_TEST_EXE)
    find_foreign_imports("${SELF_TEST_EXE}" _found)
    if(NOT "WINMM.dll" IN_LIST _found OR "KERNEL32.dll" IN_LIST _found)
        message(FATAL_ERROR "checker self-test: expected WINMM.dll refused and KERNEL32.dll "
                            "allowed in ${SELF_TEST_EXE}, refused: [${_found}]")
    endif()
    message(STATUS "checker self-test passed: ${SELF_TEST_EXE} refused for ${_found}")
    return()
endif()

if(NOT DEFINED EXE OR NOT DEFINED OBJDUMP)
    message(FATAL_ERROR "pass -DOBJDUMP=<objdump> -DEXE=<executable>")
endif()
find_foreign_imports("${EXE}" _found)
if(_found)
    message(FATAL_ERROR "${EXE} imports DLLs Windows may take from the program's folder: "
                        "[${_found}]. Load them on first use with SystemFunction "
                        "(platform/LazyLibrary_win32.h) instead.")
endif()
list(JOIN _allowed ", " _allowed_text)
message(STATUS "${EXE} imports only from ${_allowed_text}")
