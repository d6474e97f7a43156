#!/usr/bin/env bash
# Runs inside run-wine.sh:  arrest-client.sh PROGRAM-FOLDER
# Starts Hookfast_EN.exe from its folder while the stand-in flies, waits for the catch and
# for the stop, checks that the trap gate is back afterwards, then closes the program.
# Prints the labels it saw as name=value lines.
set -uo pipefail
folder=$1
source "$(dirname "$0")/../wine/program-client.sh"
fail() { echo "FAIL: $*"; inspect close >/dev/null 2>&1; exit 1; }

cd "$folder" || exit 1
wine Hookfast_EN.exe >"$folder/program.out" 2>&1 &
program=$!

inspect --wait 60 wait-text lblNumOfCarriersLoaded "# of cable zones" >/dev/null \
  || fail "no zones loaded: $(inspect text lblConnectionInfo)"
echo "connection=$(inspect text lblConnectionInfo)"
signal_operating
inspect --wait 60 wait-text lblActivelyCheckingStatus "ACTIVE" >/dev/null \
  || fail "trapping never active: $(inspect text lblActivelyCheckingStatus)"
echo "checking_before=ACTIVE"
caught=$(inspect --wait 60 wait-text lblCableCatchStatus "Cables were CAUGHT.") \
  || fail "not caught: flight status $(inspect text lblFlightStatus)"
echo "cable_catch_status=$caught"
echo "other_status=$(inspect text lblOtherStatus)"

# The stop: the stand-in notes it in its log.
log_holds '"event":"stopped"' 1 20 || fail "no stop in the stand-in's log"
# The arrest's end brings the gate back; it finds the aircraft landed.
checking=$(inspect --wait 60 wait-text lblActivelyCheckingStatus "NOT NEEDED") \
  || fail "the trap gate did not come back: $(inspect text lblActivelyCheckingStatus)"
echo "checking_after=$checking"
echo "flight_status=$(inspect text lblFlightStatus)"

inspect close >/dev/null
inspect --wait 60 gone >/dev/null || fail "the main window did not close"
wait "$program"
rc=$?
[ "$rc" -eq 0 ] || fail "Hookfast_EN.exe ended with $rc"
echo "closed=1"
