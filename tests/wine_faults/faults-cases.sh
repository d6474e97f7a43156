#!/usr/bin/env bash
# Faults a pilot can meet, through the real Hookfast_EN.exe (run from a copy of its release
# folder) beside fsstandin.exe:
#   faults-cases.sh CASE
#   catch-above-half   level flight 0.45 m above the deck, at an altitude whose fraction of
#                      a metre is above one half: caught in the band before any touchdown
#   auto-arm-disabled  automatic arming on and the program disabled by Shift+F12: the ready
#                      aircraft is never armed and the disabled reminders come
#   close-silent       the stand-in stops answering; closing the window ends the program
#                      within 45 s
#   zone-load-slots    a zone file without a valid zone, then a close: no hot-key slot stays
#                      taken
#   reset-read-only    a reset (Shift+F11) on the approach with a read-only Hookfast.INI: the
#                      error shows and the landing is caught and braked all the same
#   ctrl-z-files       a zone file and a settings file that end in Ctrl-Z read as meant
# Needs HF_NATIVE_BUILD_DIR and HF_WIN32_BUILD_DIR (set by CTest). Leaves the program's
# folder, the stand-in's log and the client's output in $HF_NATIVE_BUILD_DIR/wine-faults/CASE/.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../wine/run-wine.sh"
scenarios="$here/../../sim/flight/scenarios"
name=${1:-}
work="$HF_NATIVE_BUILD_DIR/wine-faults/$name"
fail() { echo "FAIL ($name): $*" >&2; exit 1; }
source "$here/../wine/common.sh"
seen() { sed -n "s/^$1=//p" "$work/client.out"; }
value() { sed -n "s/^$1=//p" "$work/summary.txt"; }
check() { awk "BEGIN { exit !($1) }" || fail "$2 ($1)"; }
# Pilot messages the stand-in showed with that text.
shown() { grep -c "\"message\":\"$1\"" "$log"; }
# Hot-key slots whose last write in the log left them taken (offset and value, one a line).
slots_taken() {
  grep -oE '"op":"write","offset":"0x32[1-9A-E][0-9A-F]","size":4,"data":"[0-9A-F]{8}"' "$log" |
    sed -E 's/.*"offset":"([^"]+)".*"data":"([^"]+)"/\1 \2/' |
    awk '{ last[$1] = $2 } END { for (o in last) if (last[o] != "00000000") print o, last[o] }'
}
crlf() { printf '%s\r\n' "$@"; }

rm -rf "$work"
copy_release EN "$work/program" || fail "no program to test"
log="$work/standin.jsonl"
standin=()

case "$name" in
  catch-above-half)
    "$here/../wine/hold-scenario.sh" "$scenarios/level-above-deck.txt" "$work/scenario.txt" || fail "no scenario"
    standin=(--scenario "$(winpath "$work/scenario.txt")") ;;
  auto-arm-disabled)
    crlf "[General]" "LastDatFileUsed=Hookfast.dat" "ShowRemindersWhenDisabled=1" \
         "[CatapultOps]" "AutoCatArming=1" "ShowCatArmDisarmMsgs=1" >"$work/program/Hookfast.INI"
    cat >"$work/scenario.txt" <<'SCENARIO'
# Parked on a deck, gear down, brake off: not ready for the catapult until the brake is set,
# two seconds after the pilot has disabled the program with Shift+F12.
at 0 set 0x0BC8 u16 0
at 0 wait ready
at 15000 press 0x0001017B
at 17000 set 0x0BC8 u16 0x7FFF
at 120000 end
SCENARIO
    standin=(--scenario "$(winpath "$work/scenario.txt")") ;;
  close-silent)
    printf 'at 0 wait ready\nat 5000 fault no-reply\nat 300000 end\n' >"$work/scenario.txt"
    standin=(--scenario "$(winpath "$work/scenario.txt")") ;;
  zone-load-slots)
    crlf "[Zone01]" "CarrierIdent=incomplete" >"$work/program/Hookfast.dat" ;;
  reset-read-only)
    crlf "[General]" "LastDatFileUsed=Hookfast.dat" >"$work/program/Hookfast.INI"
    chmod a-w "$work/program/Hookfast.INI"
    # The hooked approach, with Shift+F11 pressed half way down it.
    sed 's/^at 60000 end/at 12000 press 0x0001017A\nat 60000 end/' "$scenarios/hooked-approach.txt" \
      >"$work/approach.txt"
    "$here/../wine/hold-scenario.sh" "$work/approach.txt" "$work/scenario.txt" || fail "no scenario"
    standin=(--scenario "$(winpath "$work/scenario.txt")") ;;
  ctrl-z-files)
    # An old editor's files: the last value of each runs straight into the end-of-file mark.
    dat="$work/program/Hookfast.dat"
    zones=$(grep -c '^\[Zone' "$dat")
    body=$(cat "$dat")
    while [[ "$body" == *$'\r' || "$body" == *$'\n' ]]; do body=${body%?}; done
    printf '%s\x1A' "$body" >"$dat"
    printf '[General]\r\nLastDatFileUsed=Hookfast.dat\r\n[FuelOps]\r\nTransferRateIndex=1\x1A' \
      >"$work/program/Hookfast.INI" ;;
  *) echo "usage: $0 catch-above-half|auto-arm-disabled|close-silent|zone-load-slots|reset-read-only|ctrl-z-files" >&2
     exit 2 ;;
esac

"$run" --log "$log" --out "$work/client.out" --timeout 240 --standin "${standin[@]}" \
  -- "$here/faults-client.sh" "$name" "$work" >/dev/null
rc=$?
chmod -R u+w "$work/program" 2>/dev/null
cat "$work/client.out"
[ "$rc" -eq 0 ] || fail "client exit status $rc"

case "$name" in
  catch-above-half)
    "$here/../wine/flight-summary.sh" "$log" >"$work/summary.txt" || fail "no summary of $log"
    first=$(value first_decel_ms)
    [ -n "$first" ] || fail "no braking"
    touchdown=$(value touchdown_ms)
    [ -z "$touchdown" ] || check "$first < $touchdown" "braking began only after the touchdown"
    # The aircraft as the last sample before the catch saw it: airborne, in the band.
    sample=$(awk -v t="$first" -F'"t":' '/"event":"flight"/ { split($2, a, ","); if (a[1] + 0 <= t) last = $0 }
                                          END { print last }' "$log")
    alt=$(sed -nE 's/.*alt=([0-9.]+).*/\1/p' <<<"$sample")
    grep -q 'ground=0' <<<"$sample" || fail "not airborne at the catch: $sample"
    check "$alt > 19.5 && $alt < 20.0" "altitude at the catch $alt m"
    echo "caught at $first ms at $alt m, touchdown ${touchdown:-never} ms"
    ;;
  auto-arm-disabled)
    [ "$(seen auto_arming)" = 1 ] || fail "automatic arming is not on"
    [ "$(shown 'CATAPULT ARMED')" -eq 0 ] || fail "armed $(shown 'CATAPULT ARMED') times while disabled"
    reminders=$(shown 'HFast has been manually disabled')
    check "$reminders >= 2" "disabled reminders: $reminders"
    [ "$(seen cat_arm_status)" = "Catapult disarmed" ] || fail "arm status $(seen cat_arm_status)"
    echo "no arming while disabled; $reminders disabled reminders"
    ;;
  close-silent)
    seconds=$(seen close_seconds)
    check "$seconds <= 45" "the close took $seconds s"
    echo "closed $seconds s after the close was asked for, with the stand-in silent"
    ;;
  zone-load-slots)
    registered=$(grep -oE '"op":"write","offset":"0x32[1-9A-E][0-9A-F]","size":4,"data":"[0-9A-F]{6}00"' "$log" |
                 grep -vc '"data":"00000000"')
    check "$registered >= 11" "keys registered: $registered"
    taken=$(slots_taken)
    [ -z "$taken" ] || fail "slots still taken: $taken"
    echo "$registered slots taken by the start, none left after the close"
    ;;
  reset-read-only)
    box=$(seen error_box)
    [[ "$box" == "Unable to write to "*"Hookfast.INI" ]] || fail "error box: \"$box\""
    [ "$(shown 'HFast disabled while resetting')" -eq 1 ] || fail "no reset"
    [ "$(shown 'Hookfast enabled')" -eq 2 ] || fail "the reset's start did not run"
    "$here/../wine/flight-summary.sh" "$log" >"$work/summary.txt" || fail "no summary of $log"
    [ -n "$(value first_decel_ms)" ] && [ -n "$(value stopped_ms)" ] || fail "not braked to a stop"
    [ "$(value last_sample_speed)" = "0.00" ] || fail "last sampled speed $(value last_sample_speed)"
    echo "error shown: $box; caught and stopped at $(value stopped_ms) ms"
    ;;
  ctrl-z-files)
    [ "$(seen zones)" = "# of cable zones: $zones out of $zones" ] || fail "zones: $(seen zones)"
    [ "$(seen rate_1200)" = 1 ] || fail "TransferRateIndex=1 did not select 1200 GPM"
    grep -q '^TransferRateIndex=1' "$work/program/Hookfast.INI" || fail "saved: $(cat "$work/program/Hookfast.INI")"
    echo "all $zones zones and the transfer rate read"
    ;;
esac
echo "PASS: $name"
