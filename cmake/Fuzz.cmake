# libFuzzer targets over the portable code (tests/fuzz/*_fuzz.cpp), built by the `fuzz` preset
# with clang in place of the unit tests. Each target is also a short CTest run over its seed
# corpus, so `make test` catches regressions; `make fuzz` runs them for longer.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "TALLYVOX_FUZZ needs clang (libFuzzer); use the `fuzz` preset")
endif()

set(TALLYVOX_FUZZ_SECONDS 20 CACHE STRING "Seconds each fuzz target runs as a CTest test")

# _GLIBCXX_ASSERTIONS bounds-checks std::array and std::vector indexing, which ASan cannot see
# inside an object (a fake's slot table, for instance).
set(_fuzz_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
                -D_GLIBCXX_ASSERTIONS)
target_compile_options(tallyvox_core PRIVATE -fsanitize=fuzzer-no-link ${_fuzz_flags})

file(GLOB TALLYVOX_FUZZ_SOURCES CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp")
foreach(_source IN LISTS TALLYVOX_FUZZ_SOURCES)
    get_filename_component(_target "${_source}" NAME_WE)
    string(REGEX REPLACE "_fuzz$" "" _name "${_target}")
    add_executable(${_target} "${_source}")
    target_include_directories(${_target} PRIVATE "${PROJECT_SOURCE_DIR}/tests/unit"
                                                  "${PROJECT_SOURCE_DIR}/tests/fuzz")
    target_link_libraries(${_target} PRIVATE tallyvox_core)
    target_compile_options(${_target} PRIVATE -fsanitize=fuzzer ${_fuzz_flags} ${TALLYVOX_WARNINGS})
    target_link_options(${_target} PRIVATE -fsanitize=fuzzer ${_fuzz_flags})
    add_test(NAME fuzz.${_name}
             COMMAND "${PROJECT_SOURCE_DIR}/tests/fuzz/run_fuzzer.sh" $<TARGET_FILE:${_target}>
                     ${TALLYVOX_FUZZ_SECONDS} "${PROJECT_SOURCE_DIR}/tests/fuzz/corpus/${_name}"
                     "${PROJECT_BINARY_DIR}/fuzz-work/${_name}")
    set_tests_properties(fuzz.${_name} PROPERTIES TIMEOUT 300 LABELS fuzz)
endforeach()
