#!/usr/bin/env bash
# The main job: the Win32 link probe opens the link to the simulator stand-in under Wine,
# prints the connection and a few simulator values, and closes. The stand-in's exchange log
# is printed afterwards.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${HF_BUILD:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"
log="$build/demo-standin.jsonl"
rm -f "$log"
"$root/tests/wine/run-wine.sh" --build "$build/native" --win32 "$build/win32" --log "$log" \
  --standin --class FS98MAIN --version 0x39990000 --sim 8 -- tools/probe/hfprobe.exe
echo "--- stand-in exchange log ($log)"
cat "$log"
