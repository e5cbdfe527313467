#!/bin/sh
# CI job: ./scripts/windows.sh --ci. Both DLLs and brevant.exe are built with MinGW-w64, and the 64-bit tests run
# under Wine: unit tests, the C and C++ hosts against the Linux build's bytes, the tool's end-to-end tests, the
# zip. The 32-bit build is checked for its exports and imports (it cannot run here). Two randomized sweeps of
# the unit suite, slow under Wine (they save hundreds of files), are left to the full ./scripts/windows.sh; CI
# runs them on Linux.
set -eu
cd "$(dirname "$0")/.."
# Compiling three builds from cold takes most of the job: CI compiles through ccache where the machine has it.
if command -v ccache >/dev/null; then
    export BREVANT_CCACHE=1 CCACHE_BASEDIR="$PWD"
fi
export GTEST_FILTER="-HoopRoundTrip.RandomCataloguesComeBackAsTheFormatAllows:Catalogue.FileAndMemoryAgreeOnMutatedSamples"
exec ./scripts/windows.sh --ci
