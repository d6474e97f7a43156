#!/usr/bin/env bash
# The arrested landing under Wine: the real Hookfast_EN.exe, run from a copy of its release
# folder, catches the stand-in's hooked approach and brakes it to a stop.
#   arrest-cases.sh hooked-approach
# Needs HF_NATIVE_BUILD_DIR and HF_WIN32_BUILD_DIR (set by CTest). Leaves the program's
# folder, the stand-in's log, the speed trace and the summary in
# $HF_NATIVE_BUILD_DIR/wine-arrest/.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../wine/run-wine.sh"
scenarios="$here/../../sim/flight/scenarios"
work="$HF_NATIVE_BUILD_DIR/wine-arrest"
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$here/../wine/common.sh"
value() { sed -n "s/^$1=//p" "$work/summary.txt"; }
check() { awk "BEGIN { exit !($1) }" || { cat "$work/summary.txt"; fail "$2 ($1)"; }; }

[ "${1:-}" = hooked-approach ] || { echo "usage: $0 hooked-approach" >&2; exit 2; }
rm -rf "$work"
copy_release EN "$work/program" || fail "no program to test"
log="$work/hooked.jsonl"
trace="$work/hooked-trace.csv"

"$here/../wine/hold-scenario.sh" "$scenarios/hooked-approach.txt" "$work/scenario.txt" || fail "no scenario"
"$run" --log "$log" --out "$work/client.out" \
  --standin --scenario "$(winpath "$work/scenario.txt")" --trace "$(winpath "$trace")" \
  -- "$here/arrest-client.sh" "$work/program" >/dev/null
rc=$?
cat "$work/client.out"
[ "$rc" -eq 0 ] || fail "client exit status $rc"
grep -q '^cable_catch_status=Cables were CAUGHT.$' "$work/client.out" || fail "catch label"

"$here/../wine/flight-summary.sh" "$log" >"$work/summary.txt" || fail "no summary of $log"
for name in planned_touchdown_ms touchdown_ms stopped_ms first_decel_ms; do
  [ -n "$(value $name)" ] || { cat "$work/summary.txt"; fail "nothing logged for $name"; }
done
# The program's braking: only the option's value, forward only, begun in the last second
# before the touchdown (the catch comes in the band above the deck) and not going on after
# the stop but for writes already on their way.
[ "$(value decel_values)" = "-700.000" ] || fail "written values: $(value decel_values)"
[ "$(value lateral_writes)" = "0" ] || fail "sideways writes"
check "$(value decel_writes) >= 10" "too few decelerations"
check "$(value touchdown_ms) - $(value first_decel_ms) < 1000 && $(value first_decel_ms) - $(value touchdown_ms) < 200" \
  "braking began far from the touchdown"
check "$(value decel_after_stop) <= 2" "writes after the stop"
check "$(value stopped_ms) - $(value first_decel_ms) >= 236.46 / 700 * 1000 - 15" \
  "stopped sooner than the deceleration allows"
[ "$(value last_sample_speed)" = "0.00" ] || fail "last sampled speed $(value last_sample_speed)"
tail -1 "$trace" | grep -qE '^[0-9]+,0\.000,[0-9.]+,1$' || fail "trace ends with $(tail -1 "$trace")"

echo "touchdown at $(value touchdown_ms) ms (planned $(value planned_touchdown_ms) ms)"
echo "first deceleration at $(value first_decel_ms) ms; $(value decel_writes) writes of $(value decel_values)"
echo "tick period between 0x3070 writes: median $(value decel_interval_median_ms) ms," \
     "90th percentile $(value decel_interval_p90_ms) ms, max $(value decel_interval_max_ms) ms (asked: 10 ms)"
echo "stopped at $(value stopped_ms) ms"
echo "PASS: $1"
