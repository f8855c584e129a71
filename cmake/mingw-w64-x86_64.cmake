# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 toolchain.
# The -posix compilers are preferred: their libstdc++ has std::thread and std::mutex, which
# GCC 12's win32 thread model lacks; winpthread is linked statically like the rest.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(_tallyvox_triplet x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${_tallyvox_triplet}-gcc-posix ${_tallyvox_triplet}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${_tallyvox_triplet}-g++-posix ${_tallyvox_triplet}-g++
             REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${_tallyvox_triplet}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${_tallyvox_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
