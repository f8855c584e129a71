# Fails when the e2e driver holds a test suite that CTest does not run, e.g. one declared through
# a macro that the configure-time scan of TEST(...) lines cannot see, or when a registered suite
# has no tests. Usage: cmake -DLAUNCHER=<wrapper or empty> -DDRIVER=<exe> -DSUITES=a,b -P <this>

execute_process(COMMAND ${LAUNCHER} "${DRIVER}" --gtest_list_tests
                OUTPUT_VARIABLE _listing RESULT_VARIABLE _rc)
if(NOT _rc EQUAL 0)
    message(FATAL_ERROR "listing the e2e tests failed (${_rc}):\n${_listing}")
endif()

string(REPLACE "\r" "" _listing "${_listing}")
string(REPLACE "\n" ";" _lines "${_listing}")
set(_listed "")
foreach(_line IN LISTS _lines)
    # Suite lines are unindented and end in "."; parameterised ones read "Prefix/Suite/0.".
    if(_line MATCHES "^([A-Za-z0-9_/]+)\\.")
        string(REGEX REPLACE "\\..*" "" _suite "${_line}")
        string(REGEX REPLACE "^[A-Za-z0-9_]+/([A-Za-z_])" "\\1" _suite "${_suite}")
        string(REGEX REPLACE "/[0-9]+$" "" _suite "${_suite}")
        list(APPEND _listed "${_suite}")
    endif()
endforeach()
list(REMOVE_DUPLICATES _listed)

string(REPLACE "," ";" _registered "${SUITES}")
set(_missing ${_listed})
set(_empty ${_registered})
if(_registered)
    list(REMOVE_ITEM _missing ${_registered})
endif()
if(_listed)
    list(REMOVE_ITEM _empty ${_listed})
endif()
if(_missing OR _empty)
    message(FATAL_ERROR "e2e suites not run by CTest: [${_missing}]; "
                        "registered suites without tests: [${_empty}]")
endif()
message(STATUS "all e2e suites registered: ${_registered}")
