#!/bin/sh
# Installs the Debian packages that building and testing Brevant need, only those that are missing.
set -eu
packages="cmake g++ make pkg-config googletest libgtest-dev libgmock-dev libcli11-dev nlohmann-json3-dev libcairo2-dev locales poppler-utils help2man
          python3-dev python3-pybind11 pybind11-dev python3-setuptools python3-wheel python3-pip python3-pytest"
# The Windows builds (scripts/windows.sh asks for them): MinGW-w64 cross compilers, Wine to run their programs, zip
# for their packages.
windows="g++-mingw-w64-x86-64 g++-mingw-w64-i686 wine wine64 zip"
for option in "$@"; do
    case "$option" in
    --all) packages="$packages clang libclang-rt-14-dev libbenchmark-dev libinih-dev libsimpleini-dev valgrind ccache" ;;
    --windows) packages="$packages $windows" ;;
    esac
done
missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
fi
# The loader is tested under comma-decimal and Turkish locales.
for l in de_DE.UTF-8 fr_FR.UTF-8 tr_TR.UTF-8; do
    if ! locale -a 2>/dev/null | grep -qi "^$(echo "$l" | sed 's/UTF-8/utf8/')$"; then
        $sudo sed -i "s/^# *\($l\)/\1/" /etc/locale.gen
        need_locales=1
    fi
done
[ -z "${need_locales:-}" ] || $sudo locale-gen >/dev/null
