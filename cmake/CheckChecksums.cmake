# Fails unless DIR/SHA256SUMS is what a player can check FILES against: sha256sum --check accepts
# every line as it stands, and each of FILES has its line.
# Usage: cmake -DSHA256SUM=<sha256sum> -DDIR=<folder> "-DFILES=<name>;<name>..." -P CheckChecksums.cmake
execute_process(COMMAND "${SHA256SUM}" --check --strict SHA256SUMS WORKING_DIRECTORY "${DIR}"
                RESULT_VARIABLE _failed)
if(_failed)
    message(FATAL_ERROR "${DIR}/SHA256SUMS does not match the files it names")
endif()
file(STRINGS "${DIR}/SHA256SUMS" _listed)
list(TRANSFORM _listed REPLACE "^[0-9a-f]+  " "")
foreach(_name IN LISTS FILES)
    list(FIND _listed "${_name}" _at)
    if(_at EQUAL -1)
        message(FATAL_ERROR "${DIR}/SHA256SUMS has no line for ${_name}")
    endif()
endforeach()
