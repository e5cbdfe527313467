# 64-bit Windows: cmake -S . -B build-win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# Its programs and tests run under wine64, in a Wine prefix of their own inside the build directory.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(BREVANT_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
find_program(BREVANT_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(BREVANT_WINE)
  set(BREVANT_WINEPREFIX ${CMAKE_BINARY_DIR}/wine CACHE PATH "Wine prefix in which the tests run")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_COMMAND} -E env WINEPREFIX=${BREVANT_WINEPREFIX} WINEDEBUG=-all
                                    ${BREVANT_WINE})
endif()
