#!/bin/sh
# Checks of the Windows build, run by ctest (tests/Windows.cmake):
#   exports OBJDUMP DLL LINUX_LIBRARY          the DLL exports exactly what the Linux library exports
#   imports OBJDUMP FILE...                    the DLL and the programs import system DLLs only
#   saves WORK IN LINUX_HOST WINDOWS_HOST -- EMULATOR...
#                                              a host edits IN and saves the same bytes under Wine as on Linux
#   zip WORK SOURCE BUILD TOOLCHAIN [-- EMULATOR...]
#                                              the zip of BUILD unpacks to a tree that a MinGW host finds with
#                                              find_package(Brevant), builds against and (under Wine) runs with
set -eu
case=$1
shift

# Both lists demangled and sorted the same way, so that they compare whatever the library exports. A class's
# type-name string is reached through its typeinfo, which both export; only ELF lists the string apart.
linux_exports() {
    nm -D --defined-only -P "$1" | awk '$2 != "A" { sub(/@.*/, "", $1); print $1 }' | c++filt |
        grep -v '^typeinfo name for ' | LC_ALL=C sort
}
windows_exports() {
    "$1" -p "$2" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^\t\[ *[0-9]*\] //p' | c++filt | LC_ALL=C sort
}

case $case in
exports)
    objdump=$1 dll=$2 linux=$3
    windows_exports "$objdump" "$dll" >windows.exports
    linux_exports "$linux" >linux.exports
    [ -s linux.exports ] || { echo "no exports read from $linux"; exit 1; }
    diff -u linux.exports windows.exports
    echo "$(wc -l <windows.exports) exports match"
    ;;
imports)
    objdump=$1
    shift
    status=0
    for file in "$@"; do
        [ -n "$file" ] || continue
        # Windows' own DLLs and the C runtime every Windows ships; nothing of the compiler's runtime.
        others=$("$objdump" -p "$file" | sed -n 's/^\tDLL Name: //p' |
            grep -v -i -x -E 'kernel32\.dll|msvcrt\.dll|ucrtbase\.dll|api-ms-win-[a-z0-9-]+\.dll|advapi32\.dll|user32\.dll|shell32\.dll|ntdll\.dll|brevant\.dll' || true)
        if [ -n "$others" ]; then
            echo "$(basename "$file") imports:" $others
            status=1
        fi
    done
    exit $status
    ;;
saves)
    work=$1 in=$2 linux_host=$3 windows_host=$4
    shift 5
    rm -rf "$work"
    mkdir -p "$work/Saved hoops"
    "$linux_host" "$in" "$work/linux.ini" >/dev/null
    # The Windows host gets Windows paths: a drive letter, backslashes and a space in a directory name. Wine
    # shows the Linux root as drive Z:. A German locale gives the C runtime a decimal comma.
    windows_path() { printf 'Z:%s' "$1" | tr / '\\'; }
    LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 "$@" "$windows_host" "$(windows_path "$in")" \
        "$(windows_path "$work/Saved hoops/windows.ini")" >/dev/null
    cmp "$work/linux.ini" "$work/Saved hoops/windows.ini"
    echo "$(wc -c <"$work/linux.ini") bytes alike"
    ;;
zip)
    work=$1 source=$2 build=$3 toolchain=$4
    shift 4
    [ $# -eq 0 ] || shift
    rm -rf "$work"
    mkdir -p "$work/unpacked"
    cmake -DBUILD="$build" -DZIP="$work/brevant.zip" -P "$source/cmake/WindowsZip.cmake"
    (cd "$work/unpacked" && cmake -E tar xf ../brevant.zip)
    root="$work/unpacked/brevant"
    for file in bin/brevant.dll bin/brevant.exe lib/libbrevant.dll.a lib/brevant.def include/brevant/Brevant.h \
        lib/cmake/Brevant/BrevantConfig.cmake lib/pkgconfig/brevant.pc; do
        [ -f "$root/$file" ] || { echo "the zip lacks $file"; exit 1; }
    done
    # As a MinGW host builds: the cross toolchain, the unpacked tree as a root to search, its own runtime.
    cmake -S "$source/tests/install/host" -B "$work/host" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_FIND_ROOT_PATH="$root" -DCMAKE_EXE_LINKER_FLAGS=-static >/dev/null
    cmake --build "$work/host" >/dev/null
    if [ $# -gt 0 ]; then
        printed=$(WINEPATH="Z:$root/bin" "$@" "$work/host/host.exe" | tr -d '\r')
        [ "$printed" = "Round 100 1 500 2" ] || { echo "the host printed '$printed'"; exit 1; }
    fi
    echo "the zip installs, links and runs"
    ;;
*)
    echo "unknown case $case" >&2
    exit 2
    ;;
esac
