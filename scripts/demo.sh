#!/usr/bin/env bash
# The main job: an arrested landing under Wine. The simulator stand-in flies a hooked approach
# to the demo carrier; the real Hookfast_EN.exe, run from a copy of its release folder,
# catches the cables and brakes the aircraft to a stop with a deceleration written every
# tick. A summary of the stand-in's log comes at the end; the log, the speed trace and a plot
# of the arrest's speed over time (PNG) stay behind.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${HF_BUILD:-$root/build}
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

winpath() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }
log="$build/demo-standin.jsonl"
trace="$build/demo-trace.csv"
plot="$build/demo-arrest.png"
out="$build/demo-program.out"
program="$build/demo-program"
rm -rf "$log" "$trace" "$plot" "$out" "$program"
cp -r "$build/win32/release/Hookfast_EN" "$program"
echo "--- hooked approach: 1 nm out at 140 kt, touchdown expected about 25.7 s in"
"$root/tests/wine/run-wine.sh" --build "$build/native" --win32 "$build/win32" --log "$log" --out "$out" \
  --standin --scenario "$(winpath "$root/sim/flight/scenarios/hooked-approach.txt")" --trace "$(winpath "$trace")" \
  -- "$root/tests/wine_arrest/arrest-client.sh" "$program" >/dev/null || { cat "$out"; exit 1; }
sed -n 's/^\(connection\|cable_catch_status\|other_status\|checking_after\|flight_status\)=/program: \1: /p' "$out"

summary=$("$root/tests/wine/flight-summary.sh" "$log")
value() { sed -n "s/^$1=//p" <<<"$summary"; }

# Speed over time around the arrest, drawn with ImageMagick: 1 s before the first write
# to 1 s after the stop.
from=$(awk -v t="$(value first_decel_ms)" 'BEGIN { print int(t) - 1000 }')
to=$(awk -v t="$(value stopped_ms)" 'BEGIN { print int(t) + 1000 }')
points=$(awk -F, -v from="$from" -v to="$to" 'NR > 1 && $1 >= from && $1 <= to {
    printf "%.1f,%.1f ", 60 + ($1 - from) / (to - from) * 720, 340 - $2 / 250 * 300 }' "$trace")
# Labels only when ImageMagick knows a font (a bare machine may have none).
labels=()
if convert -list font 2>/dev/null | grep -q 'Font: DejaVu-Sans$'; then
  labels=(-stroke none -fill black -font DejaVu-Sans -pointsize 14
    -annotate +60+25 "Forward speed (ft/s, 0 to 250) from $from ms to $to ms on the stand-in's clock"
    -annotate +20+345 "0" -annotate +20+45 "250" -annotate +330+370 "time (ms)")
fi
convert -size 800x400 xc:white -stroke gray -draw "line 60,40 60,340" -draw "line 60,340 780,340" \
  -stroke blue -fill none -strokewidth 2 -draw "polyline $points" "${labels[@]}" "$plot" \
  || echo "(no plot: ImageMagick could not draw it)"

echo "--- summary of the stand-in's log"
echo "touchdown:   $(value touchdown_ms) ms after the start (planned $(value planned_touchdown_ms) ms)" \
     "at $(value touchdown_lat) $(value touchdown_lon), $(value touchdown_speed) ft/s"
echo "braking:     from $(value first_decel_ms) ms, $(value decel_writes) writes of $(value decel_values) ft/s^2 to 0x3070," \
     "every $(value decel_interval_median_ms) ms (median), $(value decel_interval_p90_ms) ms (90th percentile)"
echo "stopped:     $(value stopped_ms) ms, $(value stop_after_first_decel_ms) ms after the first write"
echo "files:       $log (exchange log), $trace (speed every 10 ms), $plot (the arrest's speed)"
