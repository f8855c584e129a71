# The performance benchmark: two baseline Win32 programs (the floors) and the driver that measures
# tallyvox.exe against them under Wine. `make bench` runs it in full; CTest runs a short smoke
# pass so the driver keeps working, which fails when the count's median tick strays from 985 ms.
if(NOT WIN32 OR NOT TARGET tallyvox)
    return()
endif()

set(_bench "${PROJECT_SOURCE_DIR}/tests/bench")
# Both floors are linked like tallyvox.exe (see ReleaseFlags.cmake), so Wine maps their images
# the same way.
set(_bench_link_options $<$<CONFIG:Release>:-Wl,--gc-sections -s -Wl,--file-alignment,4096>)

# The minimal floor: the window alone.
add_executable(tallyvox_baseline WIN32 "${_bench}/baseline.cpp")
target_link_libraries(tallyvox_baseline PRIVATE tallyvox_core user32 gdi32)

# The floor doing the same work: eight counts and a speaker thread, with the voice clips as the
# same resources (every clip file, under its own name).
file(GLOB _clips CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/resources/clips/wav*.wav")
set(_clips_rc "")
foreach(_clip IN LISTS _clips)
    get_filename_component(_name "${_clip}" NAME_WE)
    string(APPEND _clips_rc "${_name} WAV \"${_clip}\"\n")
endforeach()
file(CONFIGURE OUTPUT "${PROJECT_BINARY_DIR}/baseline_clips.rc" CONTENT "${_clips_rc}")
enable_language(RC)
add_executable(tallyvox_baseline_same_work WIN32 "${_bench}/baseline.cpp"
                                                 "${PROJECT_BINARY_DIR}/baseline_clips.rc")
target_link_libraries(tallyvox_baseline_same_work PRIVATE tallyvox_core user32 gdi32)
target_compile_definitions(tallyvox_baseline_same_work PRIVATE BASELINE_SAME_WORK)

add_executable(tallyvox_bench "${_bench}/bench.cpp" "${_bench}/BenchReport.cpp"
                              "${PROJECT_SOURCE_DIR}/tests/e2e/Driver.cpp"
                              "${PROJECT_SOURCE_DIR}/tests/e2e/ProcStats.cpp")
target_include_directories(tallyvox_bench PRIVATE "${PROJECT_SOURCE_DIR}/tests/e2e" "${PROJECT_SOURCE_DIR}/src")
target_link_libraries(tallyvox_bench PRIVATE user32 gdi32 psapi winmm)
target_compile_definitions(tallyvox_bench PRIVATE TALLYVOX_SOURCE_DIR="${PROJECT_SOURCE_DIR}")

foreach(_target tallyvox_baseline tallyvox_baseline_same_work tallyvox_bench)
    target_compile_options(${_target} PRIVATE ${TALLYVOX_WARNINGS})
    if(MINGW)
        target_link_options(${_target} PRIVATE -municode)
    endif()
    set_target_properties(${_target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}")
endforeach()
if(MINGW)
    target_link_options(tallyvox_baseline PRIVATE ${_bench_link_options})
    target_link_options(tallyvox_baseline_same_work PRIVATE ${_bench_link_options})
endif()

# The sound device's paced reader is a Linux program: the build machine's C compiler makes it.
find_program(TALLYVOX_HOST_CC NAMES cc gcc clang)
set(_reader "${PROJECT_BINARY_DIR}/paced_reader")
if(TALLYVOX_HOST_CC AND NOT CMAKE_HOST_WIN32)
    add_custom_command(OUTPUT "${_reader}"
                       COMMAND "${TALLYVOX_HOST_CC}" -O2 -Wall -Wextra -o "${_reader}"
                               "${_bench}/paced_reader.c"
                       DEPENDS "${_bench}/paced_reader.c" VERBATIM)
    add_custom_target(tallyvox_paced_reader DEPENDS "${_reader}")
    add_dependencies(tallyvox_bench tallyvox_paced_reader)
endif()

# The driver finds the baselines beside itself and measures the program, so it builds all three.
add_dependencies(tallyvox_bench tallyvox tallyvox_baseline tallyvox_baseline_same_work)

if(NOT CMAKE_HOST_WIN32)
    add_test(NAME bench_smoke
             COMMAND "${PROJECT_SOURCE_DIR}/tests/e2e/run_under_wine.sh"
                     $<TARGET_FILE:tallyvox_bench> --smoke)
    # Like the e2e suites: one Wine session at a time on the shared screen and keyboard.
    set_tests_properties(bench_smoke PROPERTIES
        FIXTURES_REQUIRED wine RESOURCE_LOCK wine_desktop TIMEOUT 180
        ENVIRONMENT "TALLYVOX_EXE=${PROJECT_BINARY_DIR}/tallyvox.exe;TALLYVOX_WINE_BUILD_DIR=${PROJECT_BINARY_DIR};TALLYVOX_SOUND_READER=${_reader}")
endif()
