#!/usr/bin/env bash
# A simulator that stops answering, through the real Hookfast_EN.exe (run from a copy of its
# release folder) beside fsstandin.exe:  hang-cases.sh CASE
# In each state the stand-in stops answering (its scenario's `fault no-reply`) and the pilot
# asks for the close right after. The close must end the process within 30 s of the
# stand-in's last answer, with exit status 0, and leave Hookfast.INI whole: every key of its
# four sections, with the values of the case.
#   idle                      operating, parked on the deck
#   gates                     on the approach, the trap gate ticking
#   armed                     the catapult armed by Shift+F9
#   arrest-wait               the 30 s wait after an arrest
#   toolbar                   the toolbar window open, the main window hidden
#   disabled-reminder         disabled by Shift+F12, right after a disabled reminder
#   mid-arrest-special-sound  braking an arrest with "Special sound handling" on
#   auto-arming               automatic arming on, the aircraft not ready yet: its check runs
#   fuel-3-tanks, fuel-6-tanks  a fuel load under way with three or six tanks
#   mid-stroke                the catapult stroke under way
#   reset                     a reset (Shift+F11) under way
# and
#   link-left-open            a small program that opens the link and returns with it open
#                             ends with 0 and gives the link's objects back
# Prints "close: STATE SECONDS" for every state case. Needs HF_NATIVE_BUILD_DIR and
# HF_WIN32_BUILD_DIR (set by CTest). Leaves its files in $HF_NATIVE_BUILD_DIR/wine-hang/CASE/.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../wine/run-wine.sh"
name=${1:-}
work="$HF_NATIVE_BUILD_DIR/wine-hang/$name"
fail() { echo "FAIL ($name): $*" >&2; exit 1; }
source "$here/../wine/common.sh"
seen() { sed -n "s/^$1=//p" "$work/client.out" | tail -1; }
check() { awk "BEGIN { exit !($1) }" || fail "$2 ($1)"; }
crlf() { printf '%s\r\n' "$@"; }
# The time (ms) of the first log line holding TEXT.
first_ms() { grep -F -- "$1" "$log" | head -1 | sed -nE 's/^\{"t":([0-9]+),.*/\1/p'; }

rm -rf "$work"
mkdir -p "$work"
log="$work/standin.jsonl"

if [ "$name" = link-left-open ]; then
  leftopen="$HF_WIN32_BUILD_DIR/tests/wine_hang/hflinkleftopen.exe"
  [ -f "$leftopen" ] || fail "no $leftopen"
  cat >"$work/client.sh" <<CLIENT
#!/usr/bin/env bash
# A crash ends the program at once instead of starting the debugger.
WINEDLLOVERRIDES="winedbg.exe=d" wine "$leftopen" >"$work/open.out" 2>&1
echo "exit_status=\$?"
block=\$(tr -d '\r' <"$work/open.out" | sed -n 's/^block=//p')
echo "block=\$block"
[ -n "\$block" ] && wine "$leftopen" "\$block" | tr -d '\r'
CLIENT
  chmod +x "$work/client.sh"
  "$run" --log "$log" --out "$work/client.out" --timeout 120 -- "$work/client.sh" >/dev/null
  rc=$?
  cat "$work/open.out" "$work/client.out"
  [ "$rc" -eq 0 ] || fail "client exit status $rc"
  ! grep -qiE "pure virtual|unhandled" "$work/open.out" || fail "a call through a destroyed port at exit"
  [ "$(seen exit_status)" = 0 ] || fail "hflinkleftopen.exe ended with $(seen exit_status)"
  [ -n "$(seen block)" ] || fail "the link did not open"
  grep -q '"exchange":1,' "$log" || fail "no handshake in the stand-in's log"
  # The atom of the block's name is the one object that outlives a process: the link's stop
  # at program end deleted it.
  [ "$(seen found)" = 0 ] || fail "the atom $(seen block) is still there after the program ended"
  echo "ended with 0 and the link's atom given back"
  echo "PASS: $name"
  exit 0
fi

copy_release EN "$work/program" || fail "no program to test"

# The settings each case starts with; the close must write them back with the rest.
declare -A options=()
option() { options[$1]=$2; }
option General/LastDatFileUsed Hookfast.dat

# The demo carrier's deck (CVN-70, Zone01 of Hookfast.dat) and the approach to it.
deck="32.600000 -117.450000 deck 19.2026335 heading 1.25"
catapult="32.600341 -117.450151 deck 19.2026335 heading 1.25"
{
  echo "approach vinson touchdown 32.600000 -117.450000 deck 19.2026335 glide 3.5 speed 140 distance 926 heading 1.25"
  echo "at 0 set 0x02A0 i16 2048       # magnetic variation 11.25 E"
  echo "at 0 set 0x0609 u8 1           # engine type: jet"
  echo "at 0 set 0x3BA0 f64 1.0        # hook down"
} >"$work/scenario.txt"
scenario() { printf '%s\n' "$@" >>"$work/scenario.txt"; }
tanks() {
  local names=(centre left-main right-main centre2 left-aux right-aux) i
  for i in $(seq 0 $(($1 - 1))); do scenario "at 0 tank ${names[$i]} capacity 200 level 40"; done
}
# Times count from the "ready" signal and never go back. `wait hang` (from the time $1 on):
# the client lets the scenario go on once the program is in the state.
hang_on_signal() { scenario "at ${1:-0} wait hang" "at 0 fault no-reply" "at 600000 end"; }
hang_at() { scenario "at $1 fault no-reply" "at 600000 end"; }

case "$name" in
  idle)
    scenario "at 0 place $deck" "at 0 wait ready"
    hang_at 3000 ;;
  gates)
    scenario "at 0 place $deck" "at 0 wait ready" "at 1000 approach vinson"
    hang_at 5000 ;;
  armed)
    scenario "at 0 place $catapult" "at 0 set 0x0BC8 i16 0x7FFF" "at 0 wait ready" \
             "at 1000 press shift+F9"
    hang_at 2000 ;;
  arrest-wait)
    scenario "at 0 place $deck" "at 0 wait ready" "at 1000 approach vinson"
    hang_on_signal 1000 ;;
  toolbar)
    scenario "at 0 place $deck" "at 0 wait ready"
    hang_on_signal ;;
  disabled-reminder)
    option General/ShowRemindersWhenDisabled 1
    scenario "at 0 place $deck" "at 0 wait ready" "at 1000 press shift+F12"
    hang_on_signal 1000 ;;
  mid-arrest-special-sound)
    # Braking at -100 ft/s^2 a tick of 200 ms: seconds of braking to stop answering in.
    option General/SpecialSoundHandling 1
    option General/TimingResolutionFactor 20
    option CableOps/CableCatchAccelFactor -100
    scenario "at 0 place $deck" "at 0 wait ready" "at 1000 approach vinson"
    hang_on_signal 1000 ;;
  auto-arming)
    option CatapultOps/AutoCatArming 1
    scenario "at 0 place $catapult" "at 0 set 0x0BC8 i16 0" "at 0 wait ready"
    hang_at 3000 ;;
  fuel-3-tanks|fuel-6-tanks)
    tanks "${name:5:1}"
    scenario "at 0 cruise 32.7 -117.45 alt 1600 heading 1.25 speed 250 ground 0" "at 0 wait ready" \
             "at 1000 press shift+F5"
    hang_at 2500 ;;
  mid-stroke)
    # The weakest push to the highest cut-off, a tick of 100 ms: a stroke of a few seconds.
    option General/TimingResolutionFactor 20
    option CatapultOps/CatapultAccelFactor 350
    option CatapultOps/CatapultSpeedCutoffKnots 180
    scenario "at 0 place $catapult" "at 0 set 0x0BC8 i16 0x7FFF" "at 0 wait ready" \
             "at 1000 press shift+F9" "at 2000 set 0x088C i16 16383" "at 2000 set 0x0BC8 i16 0"
    hang_at 2700 ;;
  reset)
    scenario "at 0 place $deck" "at 0 wait ready" "at 1000 press shift+F11"
    hang_at 1450 ;;
  *) echo "usage: $0 idle|gates|armed|arrest-wait|toolbar|disabled-reminder|mid-arrest-special-sound|auto-arming|fuel-3-tanks|fuel-6-tanks|mid-stroke|reset|link-left-open" >&2
     exit 2 ;;
esac

# The settings file the case starts with: its options, in their sections.
for section in General CableOps CatapultOps FuelOps; do
  lines=()
  for key in "${!options[@]}"; do
    [ "${key%%/*}" = "$section" ] && lines+=("${key#*/}=${options[$key]}")
  done
  [ ${#lines[@]} -gt 0 ] && crlf "[$section]" "${lines[@]}"
done >"$work/program/Hookfast.INI"

"$run" --log "$log" --out "$work/client.out" --timeout 200 \
  --standin --scenario "$(winpath "$work/scenario.txt")" \
  -- "$here/hang-client.sh" "$name" "$work" >/dev/null
rc=$?
cat "$work/client.out"
[ "$rc" -eq 0 ] || fail "client exit status $rc"
[ "$(seen exit_status)" = 0 ] || fail "Hookfast_EN.exe ended with $(seen exit_status)"

# The state when the stand-in stopped answering, from its log.
fault=$(first_ms '"event":"fault","detail":"no-reply"')
[ -n "$fault" ] || fail "the stand-in never stopped answering"
before() { awk -v t="$fault" -F'[:,]' '$2 <= t' "$log" | grep -cF -- "$1"; }
case "$name" in
  gates) check "$(before '"offset":"0x0BE8"') >= 1" "no trap gate read on the approach" ;;
  armed) check "$(before '"message":"CATAPULT ARMED"') == 1" "not armed" ;;
  auto-arming) check "$(before '"offset":"0x0BC8"') >= 1" "no arming check"
               check "$(before '"message":"CATAPULT ARMED"') == 0" "armed" ;;
  arrest-wait) check "$(before '"event":"stopped"') == 1" "the arrest had not ended" ;;
  disabled-reminder) check "$(before '"message":"HFast has been manually disabled"') >= 2" "no reminder yet" ;;
  mid-arrest-special-sound) check "$(before '"event":"accel"') >= 1" "no braking yet"
                            check "$(before '"event":"stopped"') == 0" "the arrest had ended" ;;
  fuel-*) check "$(before '"message":"Fuel Load started') == 1" "no fuel load under way" ;;
  mid-stroke) check "$(before 'offset=0x3070 value=350.000') >= 1" "no catapult push yet"
              check "$(before '"message":"Catapult disarmed"') == 0" "the stroke had ended" ;;
  reset) check "$(before '"message":"HFast disabled while resetting"') == 1" "no reset under way"
         check "$(before '"message":"Hookfast enabled"') == 1" "the reset's start had finished" ;;
esac

# From the stand-in's last answer to the end of the process. The stand-in's clock meets the
# client's at the "ready" signal; the client noted its own time just before giving it.
last=$(grep -F '"exchange":' "$log" | grep -vF '"refused":true' | tail -1 | sed -nE 's/^\{"t":([0-9]+),.*/\1/p')
ready=$(first_ms '"event":"signal","detail":"signal=ready"')
[ -n "$last" ] && [ -n "$ready" ] || fail "no last answer or no ready signal in the log"
since_last() {
  awk -v at="$1" -v readyWall="$(seen ready_wall_ms)" -v ready="$ready" -v last="$last" \
    'BEGIN { printf "%.1f", (at - (readyWall - ready) - last) / 1000 }'
}
seconds=$(since_last "$(seen end_wall_ms)")
gone=$(seen gone_wall_ms)
echo "close: $name $seconds s (the window gone after ${gone:+$(since_last "$gone") s})"
check "$seconds <= 30" "the close ended $seconds s after the last answer"

# Hookfast.INI whole: the 22 keys of its four sections, with the values of the case.
defaults=(General/LastLeft=~ General/LastTop=~ General/ShowRemindersWhenDisabled=1
  General/SpecialSoundHandling=0 General/PlayBattleDamageSounds=0 General/PlayOpsSounds=0
  General/TimingResolutionFactor=1 General/KeystrokeCompatibilityOption=0
  General/VerticalToolbarLeft=~ General/VerticalToolbarTop=~
  CableOps/CableCatchAccelFactor=-700 CableOps/ShowCablesActiveMsg=0
  CableOps/DetectTrapsIfTailhookExtended=0 CableOps/AddLateralVelocityWhenTrappingAnywhere=1
  CatapultOps/CatapultAccelFactor=700 CatapultOps/CatapultSpeedCutoffKnots=120
  CatapultOps/CatapultHoldFactor=50 CatapultOps/UseAircraftSmoke=0 CatapultOps/AutoCatArming=0
  CatapultOps/ShowCatArmDisarmMsgs=1 FuelOps/TransferRateIndex=0)
declare -A expected=()
for entry in "${defaults[@]}"; do expected[${entry%%=*}]=${entry#*=}; done
for key in "${!options[@]}"; do expected[$key]=${options[$key]}; done
saved=$(tr -d '\r' <"$work/program/Hookfast.INI" |
        awk '/^\[/ { section = substr($0, 2, length($0) - 2); next } /=/ { print section "/" $0 }')
[ "$(wc -l <<<"$saved")" -eq 22 ] || fail "Hookfast.INI holds $(wc -l <<<"$saved") keys: $saved"
for key in "${!expected[@]}"; do
  value=$(sed -n "s|^$key=||p" <<<"$saved")
  [ -n "$value" ] || fail "Hookfast.INI lacks $key"
  if [ "${expected[$key]}" = "~" ]; then
    [[ "$value" =~ ^-?[0-9]+$ ]] || fail "$key=$value"
  else
    [ "$value" = "${expected[$key]}" ] || fail "$key=$value, not ${expected[$key]}"
  fi
done
echo "closed $seconds s after the last answer, exit status 0, Hookfast.INI whole"
echo "PASS: $name"
