#!/usr/bin/env bash
# Builds the Win32 programs (cross) and the native core with its tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${HF_BUILD:-$root/build}
jobs=$(nproc)
cmake -S "$root" -B "$build/win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build/win32" -j "$jobs"
cmake -S "$root" -B "$build/native" -DHF_WIN32_BUILD_DIR="$build/win32" >/dev/null
cmake --build "$build/native" -j "$jobs"
