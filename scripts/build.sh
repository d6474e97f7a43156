#!/usr/bin/env bash
# Builds the Win32 programs (cross) and the native core with its tests. Where Wine cannot run
# 32-bit programs (scripts/wine-arch.sh), the Wine tests run a 64-bit cross build of the same
# sources (build/win64); the release checks always look at the 32-bit one (build/win32).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${HF_BUILD:-$root/build}
jobs=$(nproc)
cross() {  # cross FOLDER TOOLCHAIN
  cmake -S "$root" -B "$build/$1" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$2.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build/$1" -j "$jobs"
}
cross win32 mingw-i686
wine_build=$build/win32
if [ "$("$root/scripts/wine-arch.sh" 2>/dev/null)" = win64 ]; then
  cross win64 mingw-x86_64
  wine_build=$build/win64
fi
cmake -S "$root" -B "$build/native" -DHF_WIN32_BUILD_DIR="$wine_build" \
      -DHF_RELEASE_BUILD_DIR="$build/win32" >/dev/null
cmake --build "$build/native" -j "$jobs"
