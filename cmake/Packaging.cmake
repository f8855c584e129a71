# The version header for the resources, and the distribution in ${PROJECT_BINARY_DIR}/dist: the
# portable zip, the NSIS installer and their SHA256SUMS (target `dist`, part of the default build
# when `makensis` is found). Included by CMakeLists.txt after the tallyvox target.

set(TALLYVOX_SETUP_EXE "")
if(NOT TARGET tallyvox)
    return()
endif()

target_include_directories(tallyvox PRIVATE "${TALLYVOX_GENERATED_DIR}")
# The resource compiler's dependency scan sees #include only, not the files the .rc embeds.
file(GLOB _embedded CONFIGURE_DEPENDS "${PROJECT_SOURCE_DIR}/resources/*.ico"
     "${PROJECT_SOURCE_DIR}/resources/*.manifest")
set_property(SOURCE "${TALLYVOX_RC}" APPEND PROPERTY OBJECT_DEPENDS ${_embedded})

# The manifest states the version as well and cannot include the header: it must agree.
file(READ "${PROJECT_SOURCE_DIR}/resources/tallyvox.manifest" _manifest)
string(REGEX MATCH "<assemblyIdentity[^>]*name=\"Tallyvox\"[^>]*version=\"([0-9.]+)\"" _ "${_manifest}")
if(NOT CMAKE_MATCH_1 STREQUAL "${PROJECT_VERSION}.0")
    message(FATAL_ERROR "resources/tallyvox.manifest has version \"${CMAKE_MATCH_1}\"; "
                        "project(VERSION) is ${PROJECT_VERSION}, so it must be ${PROJECT_VERSION}.0")
endif()

find_program(TALLYVOX_MAKENSIS makensis)
if(NOT TALLYVOX_MAKENSIS)
    message(WARNING "makensis not found: no dist target, and the installer's end-to-end test "
                    "will fail (scripts/bootstrap.sh installs the nsis package on Debian)")
    return()
endif()

set(_dist_dir "${PROJECT_BINARY_DIR}/dist")
set(_stage_dir "${PROJECT_BINARY_DIR}/dist-stage")
set(_zip "${_dist_dir}/tallyvox-${PROJECT_VERSION}-win64.zip")
set(TALLYVOX_SETUP_EXE "${_dist_dir}/tallyvox-${PROJECT_VERSION}-setup.exe")
set(_settings "${PROJECT_SOURCE_DIR}/resources/qorvane.db")
set(_usage "${PROJECT_SOURCE_DIR}/resources/使用说明.txt")
set(_icon "${PROJECT_SOURCE_DIR}/resources/tallyvox.ico")
set(_nsi "${PROJECT_SOURCE_DIR}/installer/tallyvox.nsi")
set(_check_usage ${CMAKE_COMMAND} "-DFILE=${_usage}" -P
                 "${CMAKE_CURRENT_LIST_DIR}/CheckUsageText.cmake")

# CMake's own zip writer (libarchive) marks the Chinese file name as UTF-8 (flag bit 11), which
# Windows' "Extract all" and 7-Zip honour. Debian's Info-ZIP zip 3.0 stores the same bytes
# without that flag, and Windows would then read the name in the OEM code page: mojibake.
# libarchive needs a UTF-8 locale to read that name from disk; C.UTF-8 is always there.
add_custom_command(
    OUTPUT "${_zip}"
    COMMAND ${_check_usage}
    COMMAND ${CMAKE_COMMAND} -E rm -rf "${_stage_dir}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${_stage_dir}" "${_dist_dir}"
    COMMAND ${CMAKE_COMMAND} -E copy "$<TARGET_FILE:tallyvox>" "${_settings}" "${_usage}"
            "${_stage_dir}"
    COMMAND ${CMAKE_COMMAND} -E rm -f "${_zip}"
    COMMAND ${CMAKE_COMMAND} -E chdir "${_stage_dir}" ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8
            ${CMAKE_COMMAND} -E tar cf "${_zip}" --format=zip tallyvox.exe qorvane.db 使用说明.txt
    DEPENDS tallyvox "${_settings}" "${_usage}"
    COMMENT "Portable zip ${_zip}"
    VERBATIM)

add_custom_command(
    OUTPUT "${TALLYVOX_SETUP_EXE}"
    COMMAND ${_check_usage}
    COMMAND ${CMAKE_COMMAND} -E make_directory "${_dist_dir}"
    COMMAND "${TALLYVOX_MAKENSIS}" -V2 -INPUTCHARSET UTF8 "-DVERSION=${PROJECT_VERSION}"
            "-DEXE=$<TARGET_FILE:tallyvox>" "-DSETTINGS=${_settings}" "-DUSAGE=${_usage}"
            "-DICON=${_icon}" "-DOUTFILE=${TALLYVOX_SETUP_EXE}" "${_nsi}"
    DEPENDS tallyvox "${_settings}" "${_usage}" "${_icon}" "${_nsi}"
    COMMENT "Installer ${TALLYVOX_SETUP_EXE}"
    VERBATIM)

# The checksums a player compares a download with; written by CMake, so any host can build them.
set(_sums "${_dist_dir}/SHA256SUMS")
get_filename_component(_zip_name "${_zip}" NAME)
get_filename_component(_setup_name "${TALLYVOX_SETUP_EXE}" NAME)
set(_downloads "${_zip_name}$<SEMICOLON>${_setup_name}")
add_custom_command(
    OUTPUT "${_sums}"
    COMMAND ${CMAKE_COMMAND} "-DDIR=${_dist_dir}" "-DFILES=${_downloads}"
            -P "${CMAKE_CURRENT_LIST_DIR}/WriteChecksums.cmake"
    DEPENDS "${_zip}" "${TALLYVOX_SETUP_EXE}" "${CMAKE_CURRENT_LIST_DIR}/WriteChecksums.cmake"
    COMMENT "Checksums ${_sums}"
    VERBATIM)

add_custom_target(dist ALL DEPENDS "${_zip}" "${TALLYVOX_SETUP_EXE}" "${_sums}")

# coreutils' sha256sum, not CMake, checks what CMake wrote.
find_program(TALLYVOX_SHA256SUM sha256sum)
if(TALLYVOX_SHA256SUM)
    add_test(NAME dist_checksums_match
             COMMAND ${CMAKE_COMMAND} "-DSHA256SUM=${TALLYVOX_SHA256SUM}" "-DDIR=${_dist_dir}"
                     "-DFILES=${_downloads}" -P "${CMAKE_CURRENT_LIST_DIR}/CheckChecksums.cmake")
endif()
