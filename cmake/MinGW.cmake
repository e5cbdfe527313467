# Cross-compiling for Windows with Debian's MinGW-w64 compilers. Included by the two toolchain files, which set
# BREVANT_MINGW_TRIPLE first. The posix flavour of the compilers, with winpthread, gives std::thread and
# std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${BREVANT_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BREVANT_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BREVANT_MINGW_TRIPLE}-windres)
# A root given on the command line (-DCMAKE_FIND_ROOT_PATH=<unpacked zip>) is searched as well.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${BREVANT_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
