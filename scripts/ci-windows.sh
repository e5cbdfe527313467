#!/bin/sh
# CI job: both Windows DLLs built with MinGW-w64 and the 64-bit tests run under Wine. The 32-bit build makes
# the DLL and its host only, and is checked for its exports and imports (it cannot run here).
set -eu
cd "$(dirname "$0")/.."
exec ./scripts/windows.sh --ci
