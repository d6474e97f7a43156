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
# The Wine tests side by side, one per core and at most four (the slots of
# tests/wine/run-wine.sh, which gives each its own prefix and display): most of their time is
# the real time of a flight, but each runs the program, the stand-in and Wine's server, and
# a machine with fewer cores would make them late for the times they check.
jobs=$(nproc)
[ "$jobs" -le 4 ] || jobs=4
ctest --output-on-failure -j "$jobs" -L wine
