#!/usr/bin/env bash
# Builds the 32-bit release twice from these sources, in two build folders of different
# names, and compares the zips byte for byte; on a difference, names the files that differ.
#   tests/release/repro-build.sh [WORK-FOLDER]     (default: a new temporary folder)
# A whole build each time (a few minutes): run by hand; CTest's release.reproducible checks
# the properties that make the zips the same.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=${1:-$(mktemp -d "${TMPDIR:-/tmp}/hf-repro.XXXXXX")}
jobs=${HF_JOBS:-$(nproc)}
fail() { echo "FAIL: $*" >&2; exit 1; }
for folder in first second-build; do
  cmake -S "$root" -B "$work/$folder" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
        -DCMAKE_BUILD_TYPE=Release >/dev/null || fail "configure $folder"
  cmake --build "$work/$folder" -j "$jobs" --target release >"$work/$folder.log" 2>&1 ||
    fail "build $folder (see $work/$folder.log)"
done
status=0
for edition in EN NL FR; do
  a="$work/first/release/Hookfast_$edition.zip" b="$work/second-build/release/Hookfast_$edition.zip"
  if cmp -s "$a" "$b"; then
    echo "Hookfast_$edition.zip: the same $(stat -c %s "$a") bytes in both builds"
  else
    status=1
    echo "Hookfast_$edition.zip differs:"
    cmp "$a" "$b" | head -1
    for side in first second-build; do
      mkdir -p "$work/unpacked/$side/$edition"
      (cd "$work/unpacked/$side/$edition" && cmake -E tar xf "$work/$side/release/Hookfast_$edition.zip")
    done
    diff -rq "$work/unpacked/first/$edition" "$work/unpacked/second-build/$edition"
  fi
done
[ "$status" -eq 0 ] && echo "PASS: two builds, the same zips ($work)"
exit "$status"
