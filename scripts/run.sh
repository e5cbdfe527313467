#!/bin/sh
# Builds Brevant and its command-line tool, then shows the bundled sample catalogue: a table of its hoops and a
# drawing of them (out/hoops.png). Installs missing Debian packages first.
set -eu
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target brevant_tool
mkdir -p out
./build/tools/brevant list examples/hoops.ini
./build/tools/brevant render examples/hoops.ini -o out/hoops.png
echo "drawing of the catalogue: out/hoops.png"
