#!/usr/bin/env bash
# A landing across two processes under Wine: fsstandin.exe flies a scenario on its own clock
# and hfwatch.exe brakes the aircraft once it is on the deck, as the program's arrest does.
#   flight-cases.sh CASE     (CASE: hooked-approach)
# Needs HF_NATIVE_BUILD_DIR and HF_WIN32_BUILD_DIR (set by CTest).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run="$here/run-wine.sh"
scenarios="$here/../../sim/flight/scenarios"
work="$HF_NATIVE_BUILD_DIR/wine-flight"
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$here/../wine/common.sh"
# value NAME: a line of the log summary.
value() { sed -n "s/^$1=//p" "$work/summary.txt"; }
# check EXPRESSION MESSAGE: an awk condition over numbers.
check() { awk "BEGIN { exit !($1) }" || { cat "$work/summary.txt"; fail "$2 ($1)"; }; }

case "${1:-}" in
  hooked-approach)
    log="$work/hooked.jsonl"
    trace="$work/hooked-trace.csv"
    rm -f "$trace"
    "$run" --log "$log" --out "$work/hooked.out" \
      --standin --scenario "$(winpath "$scenarios/hooked-approach.txt")" --trace "$(winpath "$trace")" \
      -- tools/probe/hfwatch.exe 30 >/dev/null
    rc=$?
    [ "$rc" -eq 0 ] || { cat "$work/hooked.out"; fail "watcher exit status $rc"; }
    "$here/flight-summary.sh" "$log" >"$work/summary.txt" || fail "no summary of $log"
    for name in planned_touchdown_ms touchdown_ms stopped_ms first_decel_ms; do
      [ -n "$(value $name)" ] || { cat "$work/summary.txt"; fail "nothing logged for $name"; }
    done
    planned=$(value planned_touchdown_ms)
    touchdown=$(value touchdown_ms)
    noted=$(value touchdown_noted_ms)
    speed=$(value touchdown_speed)
    stop_after=$(value stop_after_first_decel_ms)

    # The aircraft flew on the stand-in's clock, also before any client asked.
    check "$(value samples_before_first_exchange) >= 1" "no flight sample before the first exchange"
    # Touchdown on schedule (the model's time is exact) and at the zone centre; the stand-in
    # noticed it on its own, without waiting for a client's exchange to come along.
    check "$touchdown - $planned <= 1 && $planned - $touchdown <= 1" "touchdown off its schedule"
    check "$noted - $touchdown >= 0 && $noted - $touchdown < 2000" "touchdown noted late"
    check "$(value touchdown_lat) - 32.6 < 0.00005 && 32.6 - $(value touchdown_lat) < 0.00005" "touchdown latitude"
    check "$(value touchdown_lon) + 117.45 < 0.00005 && -117.45 - $(value touchdown_lon) < 0.00005" "touchdown longitude"
    # The watcher's writes: all of them logged with their value, only after the touchdown,
    # none sideways, and none after the stop but one that was on its way.
    watched=$(sed -n 's/.* done: .* writes=\([0-9]*\) .*/\1/p' "$work/hooked.out")
    [ "$(value decel_writes)" = "$watched" ] || fail "log has $(value decel_writes) writes, watcher made $watched"
    check "$(value decel_writes) >= 10" "too few decelerations"
    [ "$(value decel_values)" = "-700.000" ] || fail "written values: $(value decel_values)"
    check "$(value first_decel_ms) >= $touchdown" "braking before the touchdown"
    check "$(value decel_after_stop) <= 1" "writes after the stop"
    [ "$(value lateral_writes)" = "0" ] || fail "sideways writes"
    # The speed reaches 0, and not sooner than 700 ft/s^2 plus the aircraft's own drag allow.
    check "$stop_after >= $speed / 707 * 1000 - 15" "stopped sooner than the deceleration allows"
    [ "$(value last_sample_speed)" = "0.00" ] || fail "last sampled speed $(value last_sample_speed)"
    grep -q ' stopped speed=0.00 ' "$work/hooked.out" || fail "the watcher never read speed 0"
    # The trace: 10 ms rows, ending on the deck at a standstill.
    [ "$(head -1 "$trace" 2>/dev/null)" = "time_ms,forward_speed_fps,altitude_m,on_ground" ] || fail "no trace"
    tail -1 "$trace" | grep -qE '^[0-9]+,0\.000,[0-9.]+,1$' || fail "trace ends with $(tail -1 "$trace")"

    echo "touchdown at $touchdown ms (planned $planned ms, noted at $noted ms), $speed ft/s"
    echo "decel writes: $(value decel_writes), interval median $(value decel_interval_median_ms) ms," \
         "p90 $(value decel_interval_p90_ms) ms, max $(value decel_interval_max_ms) ms"
    echo "stopped at $(value stopped_ms) ms, $stop_after ms after the first write"
    ;;
  *) echo "usage: $0 hooked-approach" >&2; exit 2 ;;
esac
echo "PASS: $1"
