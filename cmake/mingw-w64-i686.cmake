# 32-bit Windows: cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake
# Built and checked for its exports; 32-bit Windows programs do not run under this machine's Wine.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(BREVANT_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
