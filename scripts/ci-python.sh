#!/bin/sh
# Installs the Python package with the README's command (Debian's python3, setuptools and pybind11; nothing
# from the Python package index), then runs its tests and the README's Python example against the
# installed package.
set -eu
cd "$(dirname "$0")/.."
./scripts/deps.sh
/usr/bin/python3 -m pip install --quiet --root-user-action=ignore --no-build-isolation --break-system-packages \
    ./python
/usr/bin/python3 -m pytest -q -p no:cacheprovider tests/python
/usr/bin/python3 examples/hoops.py
cmake -DEXAMPLE=examples/hoops.py -DREADME=README.md -P tests/support/readme_shows.cmake
