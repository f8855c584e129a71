# The performance benchmark: a baseline Win32 program (the floor) and the driver that measures
# tallyvox.exe against it under Wine. `make bench` runs it in full; CTest runs a short smoke pass
# so the driver keeps working.
if(NOT WIN32 OR NOT TARGET tallyvox)
    return()
endif()

add_executable(tallyvox_baseline WIN32 "${PROJECT_SOURCE_DIR}/tests/bench/baseline.cpp")
target_link_libraries(tallyvox_baseline PRIVATE user32 gdi32)
target_compile_options(tallyvox_baseline PRIVATE ${TALLYVOX_WARNINGS})

add_executable(tallyvox_bench "${PROJECT_SOURCE_DIR}/tests/bench/bench.cpp"
                              "${PROJECT_SOURCE_DIR}/tests/bench/BenchReport.cpp"
                              "${PROJECT_SOURCE_DIR}/tests/e2e/Driver.cpp")
target_include_directories(tallyvox_bench PRIVATE "${PROJECT_SOURCE_DIR}/tests/e2e")
target_link_libraries(tallyvox_bench PRIVATE user32 gdi32 psapi)
target_compile_options(tallyvox_bench PRIVATE ${TALLYVOX_WARNINGS})
target_compile_definitions(tallyvox_bench PRIVATE TALLYVOX_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
if(MINGW)
    target_link_options(tallyvox_baseline PRIVATE -municode)
    target_link_options(tallyvox_bench PRIVATE -municode)
endif()
set_target_properties(tallyvox_baseline tallyvox_bench
                      PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}")
# The driver finds the baseline beside itself and measures the program, so it builds both.
add_dependencies(tallyvox_bench tallyvox tallyvox_baseline)

if(NOT CMAKE_HOST_WIN32)
    add_test(NAME bench_smoke
             COMMAND "${PROJECT_SOURCE_DIR}/tests/e2e/run_under_wine.sh"
                     $<TARGET_FILE:tallyvox_bench> --smoke)
    # Like the e2e suites: one Wine session at a time on the shared screen and keyboard.
    set_tests_properties(bench_smoke PROPERTIES
        FIXTURES_REQUIRED wine RESOURCE_LOCK wine_desktop TIMEOUT 120
        ENVIRONMENT "TALLYVOX_EXE=${PROJECT_BINARY_DIR}/tallyvox.exe;TALLYVOX_WINE_BUILD_DIR=${PROJECT_BINARY_DIR}")
endif()
