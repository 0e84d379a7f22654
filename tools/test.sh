#!/usr/bin/env bash
# Sets up what is missing, builds both targets (64-bit tested, 32-bit release) and runs the whole
# test suite under Wine in a private Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64
cmake --preset win32 >/dev/null
cmake --build --preset win32

. tools/wine-env.sh
trap velmora_wine_down EXIT
unset DISPLAY # the prefix's own Xvfb, never a desktop
velmora_wine_up
VELMORA_REQUIRE_WIN32=1 ctest --preset win64 -j2
