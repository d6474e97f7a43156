#!/usr/bin/env bash
# Sets up, builds both builds and runs every test: native ones in virtual time, then the
# Win32 programs under Wine and Xvfb.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${HF_BUILD:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
cd "$build/native"
ctest --output-on-failure -j "$(nproc)" -LE wine
# Four Wine tests at a time: tests/wine/run-wine.sh gives each its own prefix and display.
ctest --output-on-failure -j 4 -L wine
