#!/usr/bin/env bash
# Runs inside run-wine.sh (Wine prefix, X display and the stand-in flying the case's
# scenario, whose file HF_SCENARIO names):  ops-client.sh CASE WORKDIR
# Starts Hookfast_<HF_EDITION>.exe from WORKDIR/program, waits until it operates, does the
# case's part as a user would (clicks in the real windows at the moments the scenario waits
# for), lets the scenario run out, then closes the program. Prints what the windows showed
# as name=value lines (texts in UTF-8) for opcheck.py.
set -uo pipefail
case_name=$1
work=$2
source "$(dirname "$0")/../wine/program-client.sh"
fail() { echo "FAIL: $*"; inspect close >/dev/null 2>&1; exit 1; }
# text NAME [WINDOW-CLASS]: a control's text in UTF-8 (the window holds Windows-1252).
text() { inspect --class "${2:-TFormMain}" text "$1" | iconv -f CP1252 -t UTF-8; }
show() { echo "$1=$(text "$2" "${3:-TFormMain}")"; }
# state NAME [WINDOW-CLASS]: visible, enabled and checked, as three digits.
state() {
  local row
  row=$(inspect --class "${2:-TFormMain}" list | awk -F'\t' -v n="$1" '$3 == n { print $4 $5 }')
  echo "$row$(inspect --class "${2:-TFormMain}" checked "$1")"
}
# shown CLASS: 1 when that window (TFormMain or TfrmToolbar) is visible.
shown() { inspect --class "$1" list | head -1 | cut -f4; }
click() { inspect --class "${2:-TFormMain}" click "$1" || fail "click on $1 refused"; }
signal() { : >"$HF_SIGNAL_DIR/$1"; }
# shot FILE [WINDOW-CLASS]: a screenshot of the window as WORKDIR/FILE.png.
shot() {
  local x y w h
  read -r x y w h < <(inspect --class "${2:-TFormMain}" rect)
  import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$work/$1.png" \
    || echo "no screenshot $1"
}
# wait_log TEXT [COUNT] [SECONDS]: until the stand-in's log holds TEXT COUNT times.
wait_log() { log_holds "$1" "${2:-1}" "${3:-60}" || fail "the log never held ${2:-1} x $1"; }
message() { printf '"message":"%s"' "$1"; }
# wait_command LINE-TEXT: until the scenario has run its line that begins with LINE-TEXT.
wait_command() {
  local line
  line=$(grep -n -m1 -F -- "$1" "$HF_SCENARIO" | cut -d: -f1)
  [ -n "$line" ] || fail "no line '$1' in $HF_SCENARIO"
  wait_log "\"event\":\"command\",\"detail\":\"line=$line\""
}
# wait_change NAME TEXT: until the control's text (UTF-8) is no longer TEXT.
wait_change() {
  for ((i = 0; i < 300; i++)); do
    [ "$(text "$1")" != "$2" ] && return 0
    sleep 0.2
  done
  fail "$1 still shows \"$2\""
}
waiting() { printf '"event":"wait","detail":"signal=%s"' "$1"; }

start_program "$work/program"

# Operating: the start's message has gone out, so the hot keys hold their slots.
wait_log '"message":' 1 60
show connection lblConnectionInfo

case "$case_name" in
  catapult)
    signal ready
    wait_log "$(message "CATAPULT ARMED")"
    show armed_label lblCatArmStatus
    ;;
  catapult-auto)
    click tabParameters
    click chkbxAutoCatArming
    echo "auto_on=$(state chkbxAutoCatArming)"
    echo "messages_box_on=$(state chkbxShowCatArmMsgs)"
    echo "toolbar_cat_on=$(state btnCatapultArm TfrmToolbar)"
    signal ready
    wait_log "$(message "CATAPULT ARMED")"
    show armed_label lblCatArmStatus
    # The crash flag stays up until the label has been read.
    wait_log '"event":"crash"'
    inspect --wait 60 wait-text lblCatArmStatus "Catapult disarmed" >/dev/null
    show crashed_label lblCatArmStatus
    signal crash-seen
    wait_log "$(message "CATAPULT ARMED")" 3
    click chkbxAutoCatArming
    echo "auto_off=$(state chkbxAutoCatArming)"
    echo "messages_box_off=$(state chkbxShowCatArmMsgs)"
    echo "toolbar_cat_off=$(state btnCatapultArm TfrmToolbar)"
    show unchecked_label lblCatArmStatus
    click chkbxAutoCatArming
    wait_log "$(message "CATAPULT ARMED")" 4
    signal toggled
    ;;
  fuel)
    signal ready
    wait_log "$(message "Fuel Load started: 500 GPM (drogue)")"
    show loading lblFuelTransferStatus
    # The label keeps the load's rate after the toggle, also once a step has run at the new
    # rate: read when the second step after it has begun (the first is over). The descent
    # that ends the load waits until it has been read.
    toggled=$(message "Fuel transfer rate now set to 1200 GPM (boom)")
    wait_log "$toggled"
    log_after "$toggled" '"records":\[\{"op":"read","offset":"0x0B74"' 2 ||
      fail "no two fuel steps after the toggle"
    show after_toggle lblFuelTransferStatus
    signal toggle-seen
    wait_log "$(message "Fuel OFFLoad started: 1200 GPM (boom)")"
    show offloading lblFuelTransferStatus
    ;;
  damage)
    signal ready
    wait_log "$(waiting sounds)"
    click tabParameters
    click chkbxDamageSounds
    echo "damage_sounds=$(state chkbxDamageSounds)"
    signal sounds
    ;;
  hotkeys)
    click tbsKeyStrokes
    for key in lblFuelLoadKey lblBattleDamage1Key lblToggleTrapOnLandingAnywhere; do show "shift_$key" $key; done
    signal ready
    wait_log "$(waiting shift-ctrl)"
    click tabParameters
    click 'rdgrpCtrlKeys.Items[1]'
    click tbsKeyStrokes
    for key in lblFuelLoadKey lblFuelOffloadKey lblFuelTransferRateKey lblStatusKey lblCatapultKey \
               lblManualOverrideKey lblResetKey lblToggleTrapOnLandingAnywhere lblBattleDamage1Key \
               lblBattleDamage2Key lblBattleDamage3Key; do
      show "ctrl_$key" $key
    done
    shot keystrokes-shift-ctrl
    signal shift-ctrl
    ;;
  override)
    signal ready
    wait_log "$(waiting disabled)"
    click btnManualDisable
    echo "button_disabled=$(state btnManualDisable)"
    echo "mo_disabled=$(state btnManualOverride TfrmToolbar)"
    show caption_disabled btnManualDisable
    signal disabled
    wait_log "$(waiting enabled)"
    click btnManualDisable
    echo "button_enabled=$(state btnManualDisable)"
    echo "mo_enabled=$(state btnManualOverride TfrmToolbar)"
    show caption_enabled btnManualDisable
    signal enabled
    wait_log "$(waiting toolbar)"
    click btnToolbar
    click btnManualOverride TfrmToolbar
    echo "mo_click_button=$(state btnManualDisable)"
    echo "mo_click_mo=$(state btnManualOverride TfrmToolbar)"
    click btnManualOverride TfrmToolbar
    echo "mo_again_button=$(state btnManualDisable)"
    echo "mo_again_mo=$(state btnManualOverride TfrmToolbar)"
    click btnToolbarToggle TfrmToolbar
    signal toolbar
    wait_log "$(message "HFast has been manually disabled - fuel load paused")" 3
    echo "f12_button=$(state btnManualDisable)"
    echo "f12_mo=$(state btnManualOverride TfrmToolbar)"
    show caption_f12 btnManualDisable
    ;;
  trap-anywhere)
    signal ready
    caught=$(inspect --wait 60 wait-text lblCableCatchStatus "Cables were CAUGHT.") \
      || fail "not caught: $(text lblFlightStatus)"
    echo "caught=$caught"
    ;;
  landings)
    signal ready
    ;;
  reset)
    signal ready
    inspect --wait 60 wait-text lblCableCatchStatus "Cables were CAUGHT." >/dev/null || fail "not caught"
    click btnReset
    show connection_after_reset lblConnectionInfo
    echo "catch_label_after_reset=$(text lblCableCatchStatus)"
    wait_log "$(message "Fuel OFFLoad started: 500 GPM (drogue)")"
    show offloading lblFuelTransferStatus
    ;;
  toolbar)
    signal ready
    wait_log "$(message "Fuel OFFLoad started: 500 GPM (drogue)")"
    # Over to the toolbar and straight back: the work goes on meanwhile.
    click btnToolbar
    echo "on_toolbar_main=$(shown TFormMain)"
    echo "on_toolbar_bar=$(shown TfrmToolbar)"
    signal on-toolbar
    # Back once the work has gone on meanwhile: two offload steps, a hundred ticks of the
    # armed catapult's watch.
    on_toolbar='"event":"signal","detail":"signal=on-toolbar"'
    log_after "$on_toolbar" '"op":"write","offset":"0x0B7C"' 2 || fail "no offload steps on the toolbar"
    log_after "$on_toolbar" '"records":\[\{"op":"read","offset":"0x0BC8".*"op":"read","offset":"0x088C"' 100 ||
      fail "the catapult's watch did not run on the toolbar"
    click btnToolbarToggle TfrmToolbar
    signal back
    echo "back_main=$(shown TFormMain)"
    echo "back_bar=$(shown TfrmToolbar)"
    show back_cat lblCatArmStatus
    show back_fuel lblFuelTransferStatus
    # Every toolbar button, each click answered once the program has handled it.
    click btnToolbar
    shot toolbar TfrmToolbar
    for button in btnShowStatus btnToggleFuelRate btnBattleDamage1 btnCatapultArm btnCatapultArm \
                  btnManualOverride btnManualOverride btnFuelOffload btnFuelLoad btnReset; do
      click $button TfrmToolbar
    done
    echo "after_reset_main=$(shown TFormMain)"
    echo "after_reset_bar=$(shown TfrmToolbar)"
    click btnToolbarToggle TfrmToolbar
    show final_cat lblCatArmStatus
    show final_fuel lblFuelTransferStatus
    signal done
    ;;
  edition)
    # Each label is read once the key has changed it (the texts are the edition's); the
    # scenario goes on once it has been read.
    arm_before=$(text lblCatArmStatus)
    fuel_before=$(text lblFuelTransferStatus)
    signal ready
    wait_command "at 500 press shift+F9"
    wait_change lblCatArmStatus "$arm_before"
    show armed_label lblCatArmStatus
    signal armed-seen
    wait_command "at 4000 press shift+F5"
    wait_change lblFuelTransferStatus "$fuel_before"
    show loading lblFuelTransferStatus
    signal loading-seen
    ;;
  *) fail "unknown case $case_name" ;;
esac

wait_log '"event":"scenario-end"' 1 120
show final_arm_label lblCatArmStatus
show final_fuel lblFuelTransferStatus
show final_other lblOtherStatus
close_program
echo "closed=1"
