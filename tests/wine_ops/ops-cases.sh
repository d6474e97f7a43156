#!/usr/bin/env bash
# Every deck operation through the real program under Wine: Hookfast_<edition>.exe, run from
# a copy of its release folder, beside fsstandin.exe flying the case's scenario
# (sim/flight/scenarios/ops/); ops-client.sh works the program's windows as a user would and
# reads them; opcheck.py then checks the stand-in's exchange log and what the windows showed.
#   ops-cases.sh CASE
# CASE: catapult catapult-auto fuel damage hotkeys override trap-anywhere landings reset
#       toolbar edition-nl edition-fr
# Needs HF_NATIVE_BUILD_DIR and HF_WIN32_BUILD_DIR (set by CTest). Leaves the program's
# folder, the log, the speed trace, the client's output and the check's report in
# $HF_NATIVE_BUILD_DIR/wine-ops/CASE/.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../wine/run-wine.sh"
scenarios=$(cd "$here/../../sim/flight/scenarios/ops" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$here/../wine/common.sh"

case_name=${1:-}
edition=EN
scenario=$case_name
client_case=$case_name
settings=()   # lines of the settings file the program starts with
case "$case_name" in
  catapult) settings=("[General]" "SpecialSoundHandling=1" "[CatapultOps]" "UseAircraftSmoke=1") ;;
  trap-anywhere) settings=("[CableOps]" "ShowCablesActiveMsg=1") ;;
  reset) settings=("[CableOps]" "CableCatchAccelFactor=-100") ;;
  catapult-auto|fuel|damage|hotkeys|override|landings|toolbar) ;;
  edition-nl|edition-fr)
    edition=$(tr a-z A-Z <<<"${case_name#edition-}")
    scenario=editions
    client_case=edition ;;
  *) echo "usage: $0 catapult|catapult-auto|fuel|damage|hotkeys|override|trap-anywhere|landings|reset|toolbar|edition-nl|edition-fr" >&2
     exit 2 ;;
esac

work="$HF_NATIVE_BUILD_DIR/wine-ops/$case_name"
rm -rf "$work"
copy_release "$edition" "$work/program" || fail "no program to test"
[ ${#settings[@]} -eq 0 ] || printf '%s\r\n' "${settings[@]}" >"$work/program/Hookfast.INI"

export HF_EDITION=$edition
export HF_SCENARIO="$scenarios/$scenario.txt"
"$run" --log "$work/standin.jsonl" --out "$work/client.out" --timeout 240 \
  --standin --scenario "$(winpath "$HF_SCENARIO")" --trace "$(winpath "$work/trace.csv")" \
  -- "$here/ops-client.sh" "$client_case" "$work" >/dev/null
rc=$?
[ "$rc" -eq 0 ] || { cat "$work/client.out"; fail "client exit status $rc"; }
python3 -B "$here/opcheck.py" "$case_name" "$work" "$HF_SCENARIO" | tee "$work/report.txt"
[ "${PIPESTATUS[0]}" -eq 0 ] || fail "$case_name"
echo "PASS: $case_name"
