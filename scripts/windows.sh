#!/bin/sh
# Builds brevant.dll and brevant.exe for 64-bit and 32-bit Windows with MinGW-w64 and runs the tests of the
# 64-bit build under Wine; the 32-bit build is checked for its exports and imports (32-bit programs do not run
# under this machine's Wine). A Linux build of the library is the reference the Windows builds are compared with.
# Installs missing Debian packages first.
#
#   ./scripts/windows.sh          everything: both builds whole, all tests, the zips in build-windows/
#   ./scripts/windows.sh --ci     what the tests need: the 32-bit build makes only the DLL, brevant.exe and the
#                                 hosts
#
# Build directories: build-windows/linux, build-windows/x86_64, build-windows/i686. Set
# BREVANT_CCACHE=1 to compile through ccache.
set -eu
cd "$(dirname "$0")/.."
mode=${1:-full}
./scripts/deps.sh --windows

root=$PWD/build-windows
jobs=$(nproc)
launcher=""
[ -z "${BREVANT_CCACHE:-}" ] || launcher="-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
# Linux hosts and Windows programs in one log: Wine's own chatter stays out.
export WINEDEBUG=-all

configure() { # DIR [CMAKE ARGUMENTS...]
    dir=$1
    shift
    cmake -S . -B "$root/$dir" -DCMAKE_BUILD_TYPE=Release $launcher "$@" >/dev/null
}
hosts="edit_hoop edit_hoop_c"

configure linux -DBREVANT_TESTS=OFF -DBREVANT_TOOLS=OFF
cmake --build "$root/linux" -j"$jobs" --target brevant $hosts

# The 64-bit build starts Wine's first-start set-up early, while it compiles.
configure x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DBREVANT_LINUX_BUILD="$root/linux" -DBREVANT_TOOLS=ON
(WINEPREFIX="$root/x86_64/wine" "$(sed -n 's/^BREVANT_WINE:FILEPATH=//p' "$root/x86_64/CMakeCache.txt")" \
    wineboot --init >/dev/null 2>&1 || true) &
cmake --build "$root/x86_64" -j"$jobs"
wait
ctest --test-dir "$root/x86_64" --output-on-failure -j"$jobs"

if [ "$mode" = --ci ]; then
    configure i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DBREVANT_LINUX_BUILD="$root/linux" -DBREVANT_TOOLS=ON
    cmake --build "$root/i686" -j"$jobs" --target brevant brevant_tool $hosts
    ctest --test-dir "$root/i686" --output-on-failure -R '^windows\.(exports|imports)'
else
    configure i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake -DBREVANT_LINUX_BUILD="$root/linux" -DBREVANT_TOOLS=ON
    cmake --build "$root/i686" -j"$jobs"
    ctest --test-dir "$root/i686" --output-on-failure -R '^windows\.(exports|imports|zip)'
    for arch in x86_64 i686; do
        cmake --build "$root/$arch" --target windows_zip
        cp "$root/$arch"/brevant-*-windows-$arch.zip "$root/"
    done
    ls -l "$root"/*.zip
fi
echo "Windows builds passed: $root/x86_64/bin/brevant.dll, $root/i686/bin/brevant.dll and their brevant.exe"
