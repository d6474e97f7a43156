#!/usr/bin/env bash
# Runs inside run-wine.sh:  faults-client.sh CASE WORKDIR
# Starts Hookfast_EN.exe from WORKDIR/program, drives and watches it from another process
# for one case of faults-cases.sh, and closes it. Prints what it saw as name=value lines.
set -uo pipefail
name=$1
work=$2
source "$(dirname "$0")/../wine/program-client.sh"
fail() { echo "FAIL ($name): $*"; inspect close >/dev/null 2>&1; exit 1; }
# Waits until the stand-in's clock (its latest log line) has reached $1 ms.
wait_standin_ms() {
  local t=0
  for _ in $(seq 900); do
    t=$(tail -n 1 "$HF_STANDIN_LOG" 2>/dev/null | sed -nE 's/^\{"t":([0-9]+),.*/\1/p')
    [ -n "$t" ] && [ "$t" -ge "$1" ] && return 0
    sleep 0.2
  done
  return 1
}
# When the scenario got the signal $1 (ms on the stand-in's clock).
signal_ms() {
  sed -nE "s/^\{\"t\":([0-9]+),\"event\":\"signal\",\"detail\":\"signal=$1\".*/\1/p" "$HF_STANDIN_LOG" | head -1
}
zones_loaded() {
  inspect --wait 60 wait-text lblNumOfCarriersLoaded "# of cable zones" \
    || fail "no zones loaded: $(inspect text lblConnectionInfo)"
}

start_program "$work/program"

case "$name" in
  catch-above-half)
    zones_loaded >/dev/null
    signal_operating
    caught=$(inspect --wait 60 wait-text lblCableCatchStatus "Cables were CAUGHT.") \
      || fail "not caught: flight status $(inspect text lblFlightStatus)"
    echo "cable_catch_status=$caught"
    log_holds '"event":"stopped"' 1 20 || fail "no stop in the stand-in's log"
    close_program
    ;;
  auto-arm-disabled)
    zones_loaded >/dev/null
    echo "auto_arming=$(inspect checked chkbxAutoCatArming)"
    signal_operating
    log_holds '"event":"hotkey","detail":"0x1017B"' 1 60 || fail "Shift+F12 not pressed"
    inspect --wait 60 wait-text btnManualDisable "REENABLE" >/dev/null \
      || fail "not disabled: $(inspect text btnManualDisable)"
    # 33 s braked and disabled: long enough for two disabled reminders.
    wait_standin_ms $(($(signal_ms ready) + 50000)) || fail "the stand-in's clock did not reach 50 s after the start signal"
    echo "cat_arm_status=$(inspect text lblCatArmStatus)"
    close_program
    ;;
  zone-load-slots)
    inspect --wait 60 wait-text lblConnectionInfo "no valid catch zones" >/dev/null \
      || fail "the zone load did not fail: $(inspect text lblConnectionInfo)"
    close_program
    ;;
  reset-read-only)
    zones_loaded >/dev/null
    signal_operating
    log_holds '"event":"hotkey","detail":"0x1017A"' 1 60 || fail "Shift+F11 not pressed"
    # The box may be listed before its text is in: look again until the text shows.
    error=""
    box_shown() { error=$(error_box); [ -n "$error" ]; }
    wait_for 60 box_shown
    [ -n "$error" ] || fail "no error message box"
    import -display "$DISPLAY" -window root "$work/error-box.png" 2>/dev/null
    echo "error_box=$error"
    caught=$(inspect --wait 60 wait-text lblCableCatchStatus "Cables were CAUGHT.") \
      || fail "not caught after the reset: $(inspect text lblActivelyCheckingStatus)"
    echo "cable_catch_status=$caught"
    inspect --class '#32770' list >/dev/null && echo "box_open_during_catch=1"
    log_holds '"event":"stopped"' 1 20 || fail "no stop in the stand-in's log"
    inspect --class '#32770' close >/dev/null
    chmod u+w "$work/program/Hookfast.INI"
    close_program
    ;;
  disable-in-arrest|disable-trap-anywhere)
    zones_loaded >/dev/null
    signal_operating
    inspect --wait 60 wait-text lblCableCatchStatus "Cables were CAUGHT." >/dev/null \
      || fail "not caught: flight status $(inspect text lblFlightStatus)"
    log_holds '"event":"accel"' 1 20 || fail "caught, but no braking"
    inspect click btnManualDisable >/dev/null || fail "click on the override refused"
    inspect --wait 30 wait-text btnManualDisable "REENABLE" >/dev/null \
      || fail "not disabled: $(inspect text btnManualDisable)"
    : >"$HF_SIGNAL_DIR/disabled"
    log_holds '"event":"scenario-end"' 1 60 || fail "the scenario did not end"
    echo "override_caption=$(inspect text btnManualDisable)"
    close_program
    ;;
  slots-70|slots-max)
    zones_loaded >/dev/null
    signal_operating
    log_holds '"event":"scenario-end"' 1 60 || fail "the scenario did not end"
    log_holds '"message":"Catapult' 1 20 || fail "Shift+F9 not answered"
    close_program
    ;;
  accented-dat)
    echo "zones=$(zones_loaded)"
    echo "dat_file=$(inspect text cmbDatFile | iconv -f CP1252 -t UTF-8)"
    close_program
    ;;
  ctrl-z-files)
    echo "zones=$(zones_loaded)"
    echo "rate_1200=$(inspect checked 'rdgrpFuelTransferRate.Items[1]')"
    close_program
    ;;
  *) fail "unknown case" ;;
esac
