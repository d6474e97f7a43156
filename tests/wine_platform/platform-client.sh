#!/usr/bin/env bash
# Runs inside run-wine.sh:  platform-client.sh hung-server|nearest-tie WORKDIR
# Starts Hookfast_EN.exe from WORKDIR/program and reads its window from another process.
# hung-server: waits for the time-out's text in lblConnectionInfo.
# nearest-tie: waits for the stand-in's scenario to end and reads lblNearestCarrier.
# Then it closes the window and waits for the program to end by itself.
set -uo pipefail
step=$1
work=$2
source "$(dirname "$0")/../wine/program-client.sh"
fail() { echo "FAIL ($step): $*"; inspect close >/dev/null 2>&1; exit 1; }

start_program "$work/program"

case "$step" in
  hung-server)
    # Ten tries of 2000 ms and 100 ms after each: about 21 s before the text can show.
    expected="IPC timed out all retries -- Is FS running?"
    start=$(date +%s)
    label=$(inspect --wait 60 wait-text lblConnectionInfo " -- ") || fail "lblConnectionInfo: \"$label\""
    [ "$label" = "$expected" ] || fail "lblConnectionInfo \"$label\", wanted \"$expected\""
    echo "lblConnectionInfo: $label (after $(( $(date +%s) - start )) s)"
    ;;
  nearest-tie)
    inspect --wait 60 wait-text lblConnectionInfo "Okay" >/dev/null \
      || fail "no connection: $(inspect text lblConnectionInfo)"
    signal_operating
    log_holds '"event":"scenario-end"' 1 120 || fail "the scenario did not end"
    echo "lblNearestCarrier: $(inspect text lblNearestCarrier)"
    ;;
esac

close_program
echo "closed cleanly ($step)"
