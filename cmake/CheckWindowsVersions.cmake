# Fails unless an executable says which Windows it was made for: a PE subsystem version of at
# least 6.0, and a manifest whose compatibility section names Windows 7, 8, 8.1 and 10/11 (a
# program without it is given the behaviours Windows keeps for programs written for Vista).
# Usage: cmake -DOBJDUMP=<objdump> -DEXE=<file.exe> -P CheckWindowsVersions.cmake
cmake_minimum_required(VERSION 3.25)
include("${CMAKE_CURRENT_LIST_DIR}/PeHeaders.cmake")

if(NOT DEFINED EXE OR NOT DEFINED OBJDUMP)
    message(FATAL_ERROR "pass -DOBJDUMP=<objdump> -DEXE=<executable>")
endif()

read_pe_headers("${OBJDUMP}" "${EXE}" _dump)
string(REGEX MATCH "MajorSubsystemVersion[ \t]+([0-9]+)" _major_line "${_dump}")
set(_major "${CMAKE_MATCH_1}")
string(REGEX MATCH "MinorSubsystemVersion[ \t]+([0-9]+)" _minor_line "${_dump}")
set(_minor "${CMAKE_MATCH_1}")
if(_major STREQUAL "" OR _major LESS 6)
    message(FATAL_ERROR "${EXE}: subsystem version ${_major}.${_minor}, expected 6.0 or later")
endif()

# The manifest is stored in the resources as its UTF-8 text.
set(_wanted
    "35138b9a-5d96-4fbd-8e2d-a2440225f93a" # Windows 7
    "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38" # Windows 8
    "1f676c76-80e1-4239-95bb-83d0f6d0da78" # Windows 8.1
    "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a" # Windows 10 and 11
)
file(STRINGS "${EXE}" _entries REGEX "supportedOS")
set(_found "")
foreach(_entry IN LISTS _entries)
    string(REGEX MATCHALL "supportedOS Id=\"\\{[0-9a-fA-F-]+\\}\"" _ids "${_entry}")
    foreach(_id IN LISTS _ids)
        string(REGEX REPLACE ".*\\{([0-9a-fA-F-]+)\\}.*" "\\1" _guid "${_id}")
        string(TOLOWER "${_guid}" _guid)
        list(APPEND _found "${_guid}")
    endforeach()
endforeach()
foreach(_guid IN LISTS _wanted)
    if(NOT _guid IN_LIST _found)
        message(FATAL_ERROR "${EXE}: the manifest's compatibility section lacks {${_guid}}; "
                            "it names [${_found}]")
    endif()
endforeach()
message(STATUS "${EXE}: subsystem version ${_major}.${_minor}; supportedOS ${_found}")
