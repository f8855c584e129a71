# Release flags of tallyvox.exe with MinGW: one function or datum per section, so the linker can
# drop what nothing references, and no symbol table. Together they take the static executable
# from about 1.55 MB to well under 1 MB (see docs/performance.md).
if(NOT MINGW OR NOT TARGET tallyvox)
    return()
endif()

set(_tallyvox_sections $<$<CONFIG:Release>:-ffunction-sections -fdata-sections>)
target_compile_options(tallyvox PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${_tallyvox_sections}>)
target_compile_options(tallyvox_core PRIVATE ${_tallyvox_sections})
# Sections aligned in the file as in memory let Wine map the image instead of copying it into
# private memory (about 1 MiB less private memory under Wine; Windows maps images either way).
target_link_options(tallyvox PRIVATE
                    $<$<CONFIG:Release>:-Wl,--gc-sections -s -Wl,--file-alignment,4096>)
