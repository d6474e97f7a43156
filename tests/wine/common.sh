# Sourced by the Wine test scripts.

# winpath PATH: the path as a Wine program sees it (drive Z: is the root).
winpath() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }

# copy_release EDITION FOLDER: FOLDER becomes a fresh copy of the edition's release folder
# (the program, its zone file and its sounds), as a pilot installs it. Fails, saying so, when
# the cross build made no release folder.
copy_release() {
  local release="$HF_WIN32_BUILD_DIR/release/Hookfast_$1"
  [ -f "$release/Hookfast_$1.exe" ] || { echo "no release folder $release" >&2; return 1; }
  rm -rf "$2" && mkdir -p "$2" && cp -r "$release/." "$2/"
}

# wine_arch_of EXE: win32 or win64, the prefix kind that runs the Windows program EXE (from
# the machine field of its PE header).
wine_arch_of() {
  local at machine
  at=$(od -An -t u4 -j 60 -N 4 "$1" 2>/dev/null | tr -d ' ') || return 1
  [ -n "$at" ] || return 1
  machine=$(od -An -t x2 -j $((at + 4)) -N 2 "$1" | tr -d ' ')
  case "$machine" in
    014c) echo win32 ;;
    8664) echo win64 ;;
    *) return 1 ;;
  esac
}

# use_wine_loader ARCH FOLDER: makes `wine` (and the programs Wine starts by that name, such as
# wineboot) start ARCH programs. Debian's `wine` always takes the 32-bit loader when it is
# installed, also where the kernel cannot run it; for win64 FOLDER gets a `wine` that takes
# the 64-bit one, and goes first on PATH.
use_wine_loader() {
  [ "$1" = win64 ] || return 0
  local loader=/usr/lib/wine/wine64
  [ -x "$loader" ] || return 1
  mkdir -p "$2" || return 1
  for name in wine wine-stable; do
    printf '#!/bin/sh\nexec %s "$@"\n' "$loader" >"$2/$name" && chmod +x "$2/$name" || return 1
  done
  export WINELOADER=$loader PATH="$2:$PATH"
}
