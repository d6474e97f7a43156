#!/usr/bin/env bash
# Runs inside run-wine.sh:  hang-client.sh CASE WORKDIR
# Starts Hookfast_EN.exe from WORKDIR/program, lets the scenario go on once the program
# operates, brings it into the state of the case (hang-cases.sh), and asks for the close as
# soon as the stand-in has stopped answering. Prints what it saw as name=value lines; the
# times are the client's clock in ms.
set -uo pipefail
name=$1
work=$2
source "$(dirname "$0")/../wine/program-client.sh"
fail() { echo "FAIL ($name): $*"; inspect close >/dev/null 2>&1; exit 1; }
wall_ms() { date +%s%3N; }
signal() { : >"$HF_SIGNAL_DIR/$1"; }

start_program "$work/program"
inspect --wait 60 wait-text lblNumOfCarriersLoaded "# of cable zones" >/dev/null \
  || fail "no zones loaded: $(inspect text lblConnectionInfo)"
log_holds '"message":' 1 120 || fail "the program's start showed no message in 120 s"
# Noted before the signal is given, so the stand-in's clock is met no later than it was.
echo "ready_wall_ms=$(wall_ms)"
signal ready

case "$name" in
  arrest-wait)
    log_holds '"event":"stopped"' 1 90 || fail "the arrest did not end"
    sleep 2
    signal hang ;;
  toolbar)
    inspect click btnToolbar >/dev/null || fail "the toolbar button refused the click"
    for _ in $(seq 50); do
      [ "$(inspect visible FormMain)" = 0 ] && break
      sleep 0.1
    done
    [ "$(inspect visible FormMain)" = 0 ] || fail "the main window is still shown"
    [ "$(inspect visible frmToolbar)" = 1 ] || fail "the toolbar window is not shown"
    signal hang ;;
  disabled-reminder)
    # The disable's own message, then the first reminder of the heartbeat.
    log_holds '"message":"HFast has been manually disabled"' 2 60 || fail "no disabled reminder"
    signal hang ;;
  mid-arrest-special-sound)
    log_holds '"event":"accel"' 1 90 || fail "no braking"
    signal hang ;;
esac

log_holds '"event":"fault","detail":"no-reply"' 1 90 || fail "the stand-in never stopped answering"
inspect close >/dev/null
inspect --wait 60 gone >/dev/null && echo "gone_wall_ms=$(wall_ms)"
wait "$hf_program"
rc=$?
echo "end_wall_ms=$(wall_ms)"
echo "exit_status=$rc"
