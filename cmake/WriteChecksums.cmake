# Writes DIR/SHA256SUMS for FILES (names of files in DIR), one "<sha256>  <name>" line each in
# the format of sha256sum, so that a player can compare a download with what was published
# (certutil -hashfile or Get-FileHash on Windows, sha256sum --check elsewhere).
# Usage: cmake -DDIR=<folder> "-DFILES=<name>;<name>..." -P WriteChecksums.cmake
set(_sums "")
foreach(_name IN LISTS FILES)
    file(SHA256 "${DIR}/${_name}" _hash)
    string(APPEND _sums "${_hash}  ${_name}\n")
endforeach()
file(WRITE "${DIR}/SHA256SUMS" "${_sums}")
