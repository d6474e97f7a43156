#!/usr/bin/env bash
# Runs inside run-wine.sh:  catches-client.sh WORKDIR
# Starts Hookfast_EN.exe from WORKDIR/program with its multimedia calls traced into
# WORKDIR/trace.txt while the stand-in flies two hooked approaches; waits for the stop after
# the second arrest, prints the catch and sound status labels and closes the program.
set -uo pipefail
work=$1
source "$(dirname "$0")/../wine/program-client.sh"
fail() { echo "FAIL: $*"; inspect close >/dev/null 2>&1; exit 1; }
stops() { grep -c '"event":"stopped"' "$HF_STANDIN_LOG" 2>/dev/null; }

WINEDEBUG=+timestamp,+mci,+winmm start_program "$work/program" "$work/trace.txt"

inspect --wait 60 wait-text lblNumOfCarriersLoaded "# of cable zones" >/dev/null \
  || fail "no zones loaded: $(inspect text lblConnectionInfo)"
signal_operating
# Each arrest brakes the aircraft to a standstill, which the stand-in notes in its log.
log_holds '"event":"stopped"' 2 90 || fail "$(stops) of 2 stops: $(inspect text lblFlightStatus)"
echo "lblCableCatchStatus: $(inspect text lblCableCatchStatus)"
echo "lblOtherStatus: $(inspect text lblOtherStatus)"

close_program
echo "closed cleanly"
