#!/usr/bin/env bash
# The main job: a hooked approach to the demo carrier under Wine. The simulator stand-in
# flies the aircraft onto the deck; the landing watcher (standing in for the program until
# it flies this itself) brakes it to a stop with a deceleration written every 10 ms. A short
# summary of the stand-in's log comes at the end; the log and the speed trace stay behind.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${HF_BUILD:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

winpath() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }
log="$build/demo-standin.jsonl"
trace="$build/demo-trace.csv"
out="$build/demo-watch.out"
rm -f "$log" "$trace" "$out"
echo "--- hooked approach: 1 nm out at 140 kt, touchdown expected about 25.7 s in"
"$root/tests/wine/run-wine.sh" --build "$build/native" --win32 "$build/win32" --log "$log" --out "$out" \
  --standin --scenario "$(winpath "$root/sim/flight/scenarios/hooked-approach.txt")" --trace "$(winpath "$trace")" \
  -- tools/probe/hfwatch.exe 30 >/dev/null
grep -v ' lat=' "$out" | sed 's/^/watcher: /' || true

summary=$("$root/tests/wine/flight-summary.sh" "$log")
value() { sed -n "s/^$1=//p" <<<"$summary"; }
echo "--- summary of the stand-in's log"
echo "touchdown:   $(value touchdown_ms) ms after the start (planned $(value planned_touchdown_ms) ms)" \
     "at $(value touchdown_lat) $(value touchdown_lon), $(value touchdown_speed) ft/s"
echo "braking:     $(value decel_writes) writes of $(value decel_values) ft/s^2 to 0x3070," \
     "every $(value decel_interval_median_ms) ms (median), $(value decel_interval_p90_ms) ms (90th percentile)"
echo "stopped:     $(value stopped_ms) ms, $(value stop_after_first_decel_ms) ms after the first write"
echo "files:       $log (exchange log), $trace (speed every 10 ms)"
