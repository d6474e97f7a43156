#!/usr/bin/env bash
# Faults a pilot can meet, through the real Hookfast_EN.exe (run from a copy of its release
# folder) beside fsstandin.exe:
#   faults-cases.sh CASE
#   catch-above-half   level flight 0.45 m above the deck, at an altitude whose fraction of
#                      a metre is above one half: caught in the band before any touchdown
#   auto-arm-disabled  automatic arming on and the program disabled by Shift+F12: the ready
#                      aircraft is never armed and the disabled reminders come
#   zone-load-slots    a zone file without a valid zone, then a close: no hot-key slot stays
#                      taken
#   reset-read-only    a reset (Shift+F11) on the approach with a read-only Hookfast.INI: the
#                      error shows and the landing is caught and braked all the same
#   ctrl-z-files       a zone file and a settings file that end in Ctrl-Z read as meant
#   disable-in-arrest  a slow arrest disabled by the override button during the braking: the
#                      braking stops, the arrest ends (special sound back), and after Shift+F12
#                      enables the program again Shift+F8 and Shift+F1 are answered; a second
#                      approach flown right after is caught (a cut-short arrest starts no
#                      30 s wait)
#   disable-trap-anywhere  the same with a trap-anywhere arrest on a carrier no zone file knows
#   slots-70           a server reporting 70 hot-key slots with the first 56 taken: F12 and F9
#   slots-max          get the two below 0x32F8 and answer; nothing is written at 0x32F8 or
#                      above but the message line (and the link's handshake word); slots-max
#                      reports 0xFFFFFFFF slots
#   accented-dat       LastDatFileUsed=ZONÉ.DAT (Windows-1252) selects Zoné.dat and is kept
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
# Offsets (0x + four or more hex digits, as the log writes them) at or above $1 that the
# program wrote, one a line; those in the list $2 (blank-separated) left out.
writes_from() {
  grep -oE '"op":"write","offset":"0x[0-9A-F]+"' "$log" | sed -E 's/.*"offset":"([^"]+)"/\1/' |
    awk -v from="$1" -v allowed=" $2 " 'length($0) > length(from) || $0 >= from {
      if (index(allowed, " " $0 " ") == 0) print }' | sort -u
}
# The time (ms) of the first log line holding TEXT, after the time $2 (default: any).
first_ms() {
  grep -F -- "$1" "$log" | sed -nE 's/^\{"t":([0-9]+),.*/\1/p' | awk -v after="${2:--1}" '$1 > after { print; exit }'
}
# Log lines holding TEXT after the time $2.
lines_after() {
  grep -F -- "$1" "$log" | awk -v after="$2" -F'[:,]' '$2 > after'
}

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
  disable-in-arrest|disable-trap-anywhere)
    # Braking at -100 ft/s^2 for 50 ms of every 200 (granularity 20): several seconds of
    # braking for the test to click in.
    crlf "[General]" "LastDatFileUsed=Hookfast.dat" "SpecialSoundHandling=1" "TimingResolutionFactor=20" \
         "[CableOps]" "CableCatchAccelFactor=-100" >"$work/program/Hookfast.INI"
    # In the demo zone, or on a deck 0.1 degree north of it with Shift+F10 on the way in.
    lat=32.600000 f10="" again="at 6500 approach deck      # round again: caught some 20 s after the disable" end=30000
    if [ "$name" = disable-trap-anywhere ]; then
      lat=32.700000 f10="at 3000 press shift+F10" again="" end=12000
    fi
    cat >"$work/scenario.txt" <<SCENARIO
# A slow arrest that the pilot disables during the braking (the test clicks the override
# button, then signals "disabled"); then the pilot's keys.
approach deck touchdown $lat -117.450000 deck 19.2026335 glide 3.5 speed 140 distance 926 heading 1.25
at 0 set 0x02A0 i16 2048     # magnetic variation 11.25 E
at 0 set 0x3BA0 f64 1.0      # hook down
at 0 place $lat -117.450000 deck 19.2026335 heading 1.25
at 0 wait ready
at 0 approach deck           # caught about 13 s in
$f10
at 3000 wait disabled
at 2000 press shift+F12      # enabled again by key
at 4000 press shift+F8
at 6000 press shift+F1
$again
at $end end
SCENARIO
    standin=(--scenario "$(winpath "$work/scenario.txt")") ;;
  slots-70|slots-max)
    count=70
    [ "$name" = slots-max ] && count=0xFFFFFFFF
    standin=(--hotkey-slots "$count")
    for i in $(seq 0 55); do  # another add-on's keys in the first 56 slots
      standin+=(--poke "$(printf '0x%04X' $((0x3210 + 4 * i)))=0x00020141")
    done
    printf 'at 0 wait ready\nat 1000 press shift+F12\nat 3000 press shift+F12\nat 5000 press shift+F9\nat 8000 end\n' \
      >"$work/scenario.txt"
    standin+=(--scenario "$(winpath "$work/scenario.txt")") ;;
  accented-dat)
    # Zoné.dat holds the shipped file's first zone only. Wine keeps file names in UTF-8 on
    # Linux and gives them to the program in Windows-1252; the settings file is the
    # program's own, in Windows-1252 bytes.
    awk '/^\[Zone/ { n++ } n <= 1' "$work/program/Hookfast.dat" >"$work/program/Zoné.dat"
    shipped=$(grep -c '^\[Zone' "$work/program/Hookfast.dat")
    printf '[General]\r\nLastDatFileUsed=ZON\xC9.DAT\r\n' >"$work/program/Hookfast.INI" ;;
  *) echo "usage: $0 catch-above-half|auto-arm-disabled|zone-load-slots|reset-read-only|ctrl-z-files|disable-in-arrest|disable-trap-anywhere|slots-70|slots-max|accented-dat" >&2
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
  disable-in-arrest|disable-trap-anywhere)
    disabled=$(first_ms '"message":"HFast has been manually disabled"')
    [ -n "$disabled" ] || fail "never disabled"
    braked=$(grep -F '"event":"accel"' "$log" | grep -c 'offset=0x3070 value=-100.000')
    check "$braked >= 1" "braking writes before the disable: $braked"
    if [ "$name" = disable-trap-anywhere ]; then
      pushes=$(grep -F '"event":"accel"' "$log" | grep -c 'offset=0x3060')
      check "$pushes >= 1" "sideways pushes of the trap-anywhere arrest: $pushes"
    fi
    stopped=$(first_ms '"event":"stopped"')
    [ -z "$stopped" ] || check "$stopped > $disabled" "stopped at $stopped ms, before the disable at $disabled ms"
    # Up to the second approach, if there is one.
    again=$(first_ms '"event":"approach"' "$disabled")
    before_again() { awk -F'[:,]' -v until="${again:-1e18}" '$2 < until'; }
    after=$(lines_after '"event":"accel"' "$disabled" | before_again | wc -l)
    [ "$after" -eq 0 ] || fail "$after braking writes after the disable"
    # The disable ends the arrest, then shows its message: the sound comes back in between.
    last_brake=$(grep -F '"event":"accel"' "$log" | before_again | tail -1 | sed -nE 's/^\{"t":([0-9]+),.*/\1/p')
    sound=$(lines_after '"op":"write","offset":"0x0B20","size":2,"data":"0100"' "$last_brake" | before_again | wc -l)
    [ "$sound" -eq 1 ] || fail "special sound restored $sound times after the braking"
    polls=$(lines_after '"op":"read","offset":"0x32FE"' "$disabled" | wc -l)
    check "$polls >= 4" "hot-key polls after the disable: $polls"
    f12=$(first_ms '"event":"hotkey","detail":"0x1017B"' "$disabled")
    f8=$(first_ms '"event":"hotkey","detail":"0x10177"' "$disabled")
    f1=$(first_ms '"event":"hotkey","detail":"0x10170"' "$disabled")
    [ -n "$f12" ] && [ -n "$f8" ] && [ -n "$f1" ] || fail "the keys were not all pressed"
    [ -n "$(first_ms '"message":"Hookfast reenabled"' "$f12")" ] || fail "Shift+F12 not answered"
    status=$(lines_after '"message":"' "$f8" | grep -F 'Nearest cables rwy hdg' | head -1)
    [ -n "$status" ] || fail "Shift+F8 not answered with the status line"
    # Level 1 damage names what it hit, or only the level: any text but the refusal.
    damage=$(lines_after '"message":"' "$f1" | head -1)
    [ -n "$damage" ] && [[ "$damage" != *"not available"* ]] && [[ "$damage" != *"deactivated"* ]] ||
      fail "Shift+F1 not answered: $damage"
    [ "$(seen override_caption)" = "Manual override -- disable program" ] || fail "caption $(seen override_caption)"
    if [ "$name" = disable-in-arrest ]; then
      # Within the 30 s an arrest that ended in a stop would keep the cables off.
      [ -n "$again" ] || fail "no second approach"
      caught=$(first_ms '"event":"accel"' "$again")
      [ -n "$caught" ] || fail "the approach after the re-enable was not caught"
      check "$caught - $disabled < 30000" "caught again $((caught - disabled)) ms after the disable"
      echo "caught again $((caught - disabled)) ms after the disable"
    fi
    speed=$(grep -F '"event":"accel"' "$log" | before_again | tail -1 | sed -nE 's/.*speed=([0-9.]+).*/\1/p')
    echo "disabled at $disabled ms after $braked braking writes (last at $speed ft/s); $polls polls after it;" \
         "Shift+F12, F8, F1 answered"
    ;;
  slots-70|slots-max)
    [ "$(shown 'Hookfast enabled')" -ge 1 ] || fail "the start did not finish"
    grep -qF '"op":"write","offset":"0x32F0","size":4,"data":"7B010100"' "$log" || fail "F12 not in slot 56"
    grep -qF '"op":"write","offset":"0x32F4","size":4,"data":"78010100"' "$log" || fail "F9 not in slot 57"
    beyond=$(writes_from 0x32F8 "0x32FA 0x3380 0x330A")
    [ -z "$beyond" ] || fail "written at 0x32F8 or above: $(echo $beyond)"
    [ "$(grep -cF '"message":"HFast has been manually disabled"' "$log")" -ge 1 ] &&
      [ "$(grep -cF '"message":"Hookfast reenabled"' "$log")" -ge 1 ] || fail "Shift+F12 not answered"
    [ -n "$(first_ms '"message":"Catapult' "$(first_ms '"detail":"0x10178"')")" ] || fail "Shift+F9 not answered"
    scans=$(grep -cE '"op":"read","offset":"0x32([1-9A-E][0-9A-F]|F[0-7])"' "$log")
    check "$scans <= 11 * 58 + 20" "slot reads: $scans"
    for slot in 0x32F0 0x32F4; do
      last=$(grep -oE "\"op\":\"write\",\"offset\":\"$slot\",\"size\":4,\"data\":\"[0-9A-F]{8}\"" "$log" | tail -1)
      [[ "$last" == *'"data":"00000000"' ]] || fail "slot $slot not given back: $last"
    done
    echo "F12 and F9 in 0x32F0 and 0x32F4, $scans slot reads; nothing written at 0x32F8 or above but the message line"
    ;;
  accented-dat)
    [ "$(seen dat_file)" = "Zoné.dat" ] || fail "selected: $(seen dat_file)"
    [ "$(seen zones)" = "# of cable zones: 1 out of 1" ] || fail "zones: $(seen zones) (the shipped file has $shipped)"
    saved=$(sed -n 's/^LastDatFileUsed=//p' "$work/program/Hookfast.INI" | tr -d '\r' | iconv -f CP1252 -t UTF-8)
    [ "$saved" = "Zoné.dat" ] || fail "LastDatFileUsed saved as \"$saved\""
    echo "ZON\\xC9.DAT selected Zoné.dat; saved as $saved"
    ;;
esac
echo "PASS: $name"
