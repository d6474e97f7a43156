#!/usr/bin/env bash
# Runs inside run-wine.sh:  catches-client.sh WORKDIR
# Starts Hookfast_EN.exe from WORKDIR/program with its multimedia calls traced into
# WORKDIR/trace.txt while the stand-in flies two hooked approaches; waits for the stop after
# the second arrest, prints the catch and sound status labels and closes the program.
set -uo pipefail
work=$1
inspect() { wine "$HF_WIN32_BUILD_DIR/tools/inspect/hfinspect.exe" "$@" | tr -d '\r'; }
fail() { echo "FAIL: $*"; inspect close >/dev/null 2>&1; exit 1; }
stops() { grep -c '"event":"stopped"' "$HF_STANDIN_LOG" 2>/dev/null; }

cd "$work/program" || exit 1
WINEDEBUG=+timestamp,+mci,+winmm wine Hookfast_EN.exe >"$work/program.out" 2>"$work/trace.txt" &
program=$!

inspect --wait 30 wait-text lblNumOfCarriersLoaded "# of cable zones" >/dev/null \
  || fail "no zones loaded: $(inspect text lblConnectionInfo)"
# Each arrest brakes the aircraft to a standstill, which the stand-in notes in its log.
for _ in $(seq 900); do
  [ "$(stops)" -ge 2 ] && break
  sleep 0.1
done
[ "$(stops)" -ge 2 ] || fail "$(stops) of 2 stops: $(inspect text lblFlightStatus)"
echo "lblCableCatchStatus: $(inspect text lblCableCatchStatus)"
echo "lblOtherStatus: $(inspect text lblOtherStatus)"

inspect close >/dev/null
inspect --wait 30 gone >/dev/null || fail "the main window did not close"
wait "$program"
rc=$?
[ "$rc" -eq 0 ] || fail "Hookfast_EN.exe ended with $rc"
echo "closed cleanly"
