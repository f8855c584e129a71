# Fails unless FILE is UTF-8 with a byte-order mark and CRLF line ends: without the mark,
# Notepad on a non-Chinese Windows shows the usage text as mojibake.
# Usage: cmake -DFILE=<path> -P CheckUsageText.cmake
file(READ "${FILE}" _hex HEX)
if(NOT _hex MATCHES "^efbbbf")
    message(FATAL_ERROR "${FILE}: must start with the UTF-8 byte-order mark EF BB BF")
endif()
# Read as hex, since file(READ) as text drops carriage returns. " 0d 0a" pairs are line ends;
# any CR or LF byte left over is a bare one.
string(REGEX REPLACE "(..)" " \\1" _bytes "${_hex}")
string(REPLACE " 0d 0a" "" _rest "${_bytes}")
if(_rest MATCHES " 0a| 0d")
    message(FATAL_ERROR "${FILE}: every line must end in CRLF")
endif()
