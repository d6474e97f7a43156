#!/usr/bin/env bash
# Runs inside run-wine.sh (Wine prefix and X display ready): windows-client.sh CASE WORKDIR EDITION
# (see ui-cases.sh). Starts Hookfast_<EDITION>.exe from program folders of its own under
# WORKDIR, with stand-ins of its own where a case needs several, and drives it with real key
# presses and mouse moves (xdotool) and window messages (hfinspect); hflayout checks the layout.
set -uo pipefail
case_name=$1
work=$2
edition=$3
shots="$HF_NATIVE_BUILD_DIR/screenshots/$edition"
desktop=""  # the Wine desktop the case's programs run in, if not the default one

source "$(dirname "$0")/../wine/program-client.sh"
wine_command() {
  if [ -n "$desktop" ]; then echo "wine explorer /desktop=$desktop,1024x768"; else echo wine; fi
}
wine_run() { $(wine_command) "$@"; }
# The tools end in seconds; one that hangs fails its step instead of the whole case.
inspect_limit=60 inspect_quiet=1
tool() { timeout 60 $(wine_command) "$@" 2>/dev/null | tr -d '\r'; }
layout() { tool "$HF_WIN32_BUILD_DIR/tools/layout/hflayout.exe" "$@"; }
failures=0
problem() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Waits for a state (wait_for) allow $patience: each look starts a Wine program, which takes
# seconds on a busy machine.
patience=60
is() { [ "$(inspect "${@:2}")" = "$1" ]; }
field_is() { [ "$(inspect text "$1")" = "$2" ]; }
field_has() { [[ "$(inspect text "$1")" == *"$2"* ]]; }
lists() { inspect "${@:2}" | grep -q "$1"; }
focus_left() { [ "$(inspect focus)" != "$1" ]; }

# --- the stand-in and the program ------------------------------------------------------------
standin_pid=""
standin_start() {
  local dir="$work/standin"
  rm -rf "$dir"; mkdir -p "$dir"
  wine_run "$HF_WIN32_BUILD_DIR/sim/fsstandin.exe" --ready-file "$(winpath "$dir/ready")" \
    --stop-file "$(winpath "$dir/stop")" --log "$(winpath "$dir/log.jsonl")" "$@" >"$dir/out" 2>&1 &
  standin_pid=$!
  wait_for "$patience" test -f "$dir/ready" || { problem "the stand-in did not come up ($*)"; return 1; }
}
standin_stop() {
  [ -n "$standin_pid" ] || return 0
  : >"$work/standin/stop"
  for _ in $(seq 50); do kill -0 "$standin_pid" 2>/dev/null || break; sleep 0.1; done
  kill "$standin_pid" 2>/dev/null; wait "$standin_pid" 2>/dev/null
  standin_pid=""
}
program_pid=""
program_folder() {  # program_folder NAME: a fresh copy of the release folder
  folder="$work/$1"
  copy_release "$edition" "$folder" || fail "no program to test"
}
program_start() {  # in $folder; waits until the first start is over and the window shows
  (cd "$folder" && wine_run "Hookfast_$edition.exe") >"$folder/program.out" 2>&1 &
  program_pid=$!
  wait_for 90 is 1 visible FormMain || { problem "no main window in $folder"; return 1; }
}
program_stop() {
  [ -n "$program_pid" ] || return 0
  inspect close >/dev/null
  inspect --wait 60 gone >/dev/null || problem "the program did not end when its main window closed"
  wait "$program_pid" 2>/dev/null
  program_pid=""
}
cleanup() { program_stop; standin_stop; }
trap cleanup EXIT

# The pointer rests on the main window's status line (no hint there): keys reach the window
# under it, and no tooltip covers a screenshot.
park_pointer() {
  local x y w h
  read -r x y w h < <(inspect rect FormMain)
  xdotool mousemove $((x + w / 2)) $((y + 68))
}
shot_main() {  # shot_main FILE: the main window's client area
  local x y w h
  read -r x y w h < <(inspect client-rect)
  settled_shot "$1" "$x" "$y" "$w" "$h" || problem "no screenshot $1"
}
shot_window() {  # shot_window NAME FILE: a top-level window of the program, frame and all
  local x y w h
  read -r x y w h < <(inspect rect "$1")
  settled_shot "$2" "$x" "$y" "$w" "$h" || problem "no screenshot $2"
}

# Tab sheets in page order, and their accelerators in the edition's captions.
sheets=(tabFlightStatus tbsFueling tabParameters tbsKeyStrokes)
sheet_files=(flight-status fuel-transfers options keystrokes)
case "$edition" in
  EN) accelerators=(f u p k) ;;
  NL) accelerators=(v b p t) ;;
  FR) accelerators=(h a p c) ;;
esac
show_sheet() {  # show_sheet INDEX: Alt+accelerator, as the pilot switches tabs
  park_pointer
  xdotool key "alt+${accelerators[$1]}"
  wait_for "$patience" is "${sheets[$1]}" page pgMain || problem "Alt+${accelerators[$1]} did not show ${sheets[$1]}"
}

# --- layout --------------------------------------------------------------------------------
labels="$work/connection-labels.txt"
check_layout() {  # check_layout STATE [hflayout check options]
  local state=$1; shift
  mkdir -p "$work/tables"
  layout check --table "$(winpath "$work/tables/$state.txt")" "$@" >"$work/tables/$state.check"
  local rc=$?
  printf '%s\t%s\n' "$state" "$(inspect text lblConnectionInfo)" >>"$labels"
  if [ "$rc" -ne 0 ]; then
    problem "layout in state $state:"
    grep '^PROBLEM' "$work/tables/$state.check" | iconv -f CP1252 -t UTF-8
  fi
}
screenshots() {  # screenshots SUFFIX: every tab and the toolbar
  mkdir -p "$shots"
  for i in 0 1 2 3; do
    show_sheet "$i"
    shot_main "$shots/main-${sheet_files[$i]}-$1.png"
  done
  show_sheet 0
  inspect click btnToolbar
  wait_for "$patience" is 1 visible frmToolbar || problem "the toolbar did not show"
  shot_window frmToolbar "$shots/toolbar-$1.png"
  inspect click btnToolbarToggle
  wait_for "$patience" is 1 visible FormMain || problem "the main window did not come back"
}
# layout_state NAME PREPARE STANDIN-ARGS...: a start in a program folder of its own, beside a
# stand-in with those arguments ("none": no stand-in), then the check.
layout_state() {
  local name=$1 prepare=$2; shift 2
  program_folder "$name"
  $prepare
  if [ "${1:-}" != none ]; then standin_start "$@" || return; fi
  program_start && check_layout "$name"
  program_stop
  standin_stop
}
no_prepare() { :; }
without_zone_files() { rm -f "$folder"/*.dat; }
without_default_zone_file() { mv "$folder/Hookfast.dat" "$folder/Carrier.dat"; }
with_broken_zone_file() { printf '[Zone01]\r\nCarrierIdent=Broken\r\n' >"$folder/Hookfast.dat"; }

run_layout() {
  : >"$labels"
  # No simulator: the key labels keep their design texts; the texts only the operating
  # system's refusals cause are measured in the same label.
  program_folder no-server
  program_start && check_layout no-server --texts "$(winpath "$work/os-texts.txt")"
  program_stop

  # A start that completes, with each key combination.
  program_folder operating
  standin_start && program_start && {
    check_layout operating-shift
    screenshots shift
    show_sheet 2
    inspect click 'rdgrpCtrlKeys.Items[1]'
    wait_for "$patience" field_has lblStatusKey CTRL+ ||
      problem "the key labels did not take the Shift+Ctrl prefix"
    check_layout operating-shift-ctrl
    screenshots shift-ctrl
  }
  program_stop
  standin_stop

  # Every other text the connection label can hold.
  layout_state keys-taken no_prepare --sim 7 --version 0x3999001A --hotkey-slots 0
  layout_state old-fsuipc no_prepare --version 0x28000000
  layout_state not-fsuipc no_prepare --class UIPCMAIN --version 0x10000000
  layout_state wideclient no_prepare --version 0x10000000
  layout_state wrong-sim no_prepare --sim 1
  layout_state bad-reply no_prepare --reply 0
  layout_state timed-out no_prepare --delay-ms 2500
  layout_state no-zone-files without_zone_files
  layout_state no-default-zone-file without_default_zone_file
  layout_state no-valid-zones with_broken_zone_file
  # The sound status names a missing file with the program's folder: a short folder of a
  # fixed length, so that what is measured does not depend on where the build lies.
  local short
  short=$(mktemp -d /tmp/hfs.XXXXXX)
  folder=$short
  copy_release "$edition" "$folder" || fail "no program to test"
  rm -f "$folder/Catapult.wav"
  standin_start && program_start && check_layout no-catapult-sound
  program_stop
  standin_stop
  rm -rf "$short"

  # Each start that stopped left a text of its own: the check measured them all.
  local texts distinct others='^(operating-shift-ctrl|no-catapult-sound)'
  texts=$(grep -Eavc "$others" "$labels")
  distinct=$(grep -Eav "$others" "$labels" | cut -f2 | LC_ALL=C sort -u | grep -ac .)
  [ "$texts" -eq "$distinct" ] || { problem "states with the same connection text:"; iconv -f CP1252 -t UTF-8 "$labels"; }
}

# --- keyboard --------------------------------------------------------------------------------
field() { inspect text "$1"; }
run_keyboard() {
  program_folder keyboard
  # Twenty more zone files: the list has more entries than it drops.
  for i in $(seq -w 1 20); do cp "$folder/Hookfast.dat" "$folder/Carrier$i.dat"; done
  standin_start && program_start || return

  for i in 1 2 3 0; do show_sheet "$i"; done

  # The arrow keys in the cut-off edit step it by 10 through the option's setter; Tab and
  # Shift+Tab move on and back; the edit shows the text cursor.
  show_sheet 2
  local x y w h
  read -r x y < <(inspect center edtCatapultCutoff)
  xdotool mousemove "$x" "$y" click 1
  wait_for "$patience" is edtCatapultCutoff focus || problem "a click did not put the focus in edtCatapultCutoff"
  [ "$(inspect cursor)" = ibeam ] || problem "cursor over edtCatapultCutoff: $(inspect cursor)"
  [ "$(field edtCatapultCutoff)" = 120 ] || problem "edtCatapultCutoff starts at $(field edtCatapultCutoff)"
  xdotool key Up
  wait_for "$patience" field_is edtCatapultCutoff 130 ||
    problem "Up in edtCatapultCutoff gave $(field edtCatapultCutoff), not 130"
  xdotool key Down Down
  wait_for "$patience" field_is edtCatapultCutoff 110 ||
    problem "Down twice gave $(field edtCatapultCutoff), not 110"
  xdotool key Tab
  wait_for "$patience" is edtCatapultHoldFactor focus || problem "Tab went to $(inspect focus), not edtCatapultHoldFactor"
  xdotool key shift+Tab
  wait_for "$patience" is edtCatapultCutoff focus || problem "Shift+Tab went to $(inspect focus), not edtCatapultCutoff"

  # The sheets' own cursors: a hand on the options sheet, a crosshair on the flight-status
  # sheet and its labels.
  read -r x y w h < <(inspect rect tabParameters)
  xdotool mousemove $((x + w - 8)) $((y + h - 44))
  wait_for "$patience" is hand cursor || problem "cursor on the options sheet: $(inspect cursor)"
  show_sheet 0
  read -r x y w h < <(inspect rect tabFlightStatus)
  xdotool mousemove $((x + w - 8)) $((y + h - 8))
  wait_for "$patience" is cross cursor || problem "cursor on the flight-status sheet: $(inspect cursor)"
  read -r x y < <(inspect center lblFlightStatusLabel)
  xdotool mousemove "$x" "$y"
  wait_for "$patience" is cross cursor || problem "cursor over lblFlightStatusLabel: $(inspect cursor)"

  # Hints: the radio groups', over the frame and over the items, and the toolbar window's.
  inspect tips >"$work/tips.txt"
  for want in $'rdgrpCtrlKeys\t  Special Key Combo for all Keystrokes:  ' \
              $'rdgrpCtrlKeys.Items[1]\t  Special Key Combo for all Keystrokes:  ' \
              $'rdgrpFuelTransferRate\t Transfer Rate ' $'rdgrpFuelTransferRate.Items[0]\t Transfer Rate ' \
              $'frmToolbar\tHFast as Toolbar'; do
    grep -qxF "$want" "$work/tips.txt" || problem "no tooltip: ${want/$'\t'/ -> }"
  done
  show_sheet 1
  read -r x y w h < <(inspect rect rdgrpFuelTransferRate)
  xdotool mousemove $((x + w - 12)) $((y + h - 6))
  wait_for "$patience" lists '^ Transfer Rate $' shown-tips ||
    problem "no tooltip over the Transfer Rate group"
  park_pointer

  # A tab shows the same picture before and after a round trip through the other tabs, the
  # last of them the keystrokes tab, whose navy labels once stayed behind.
  local tab
  for tab in 1 2 3; do
    show_sheet "$tab"
    shot_main "$work/before-${sheet_files[$tab]}.png"
    local order
    case "$tab" in 1) order="2 0 3" ;; 2) order="1 0 3" ;; 3) order="1 2 0" ;; esac
    for i in $order; do show_sheet "$i"; done
    show_sheet "$tab"
    shot_main "$work/after-${sheet_files[$tab]}.png"
    local differ
    differ=$(compare -metric AE "$work/before-${sheet_files[$tab]}.png" "$work/after-${sheet_files[$tab]}.png" \
               "$work/diff-${sheet_files[$tab]}.png" 2>&1 >/dev/null)
    [ "$differ" = 0 ] || problem "${sheet_files[$tab]} differs after a round trip: $differ pixels"
  done

  # The zone-file list drops 15 rows.
  local rows
  rows=$(inspect drop cmbDatFile)
  [ "$rows" = 15 ] || problem "the zone-file list drops $rows rows, not 15"

  # Enter on the focused "Vertical Toolbar" button presses it, as in every Windows dialog.
  show_sheet 0
  local tabs before
  for tabs in $(seq 12); do
    before=$(inspect focus)
    [ "$before" = btnToolbar ] && break
    xdotool key Tab
    wait_for 10 focus_left "$before"
  done
  if is btnToolbar focus && field_is btnToolbar "Vertical Toolbar"; then
    xdotool key Return
    wait_for "$patience" is 1 visible frmToolbar || problem "Enter on btnToolbar did not open the toolbar"
    wait_for "$patience" is 0 visible FormMain || problem "Enter on btnToolbar left the main window shown"
    inspect click btnToolbarToggle
    wait_for "$patience" is 1 visible FormMain || problem "the main window did not come back"
  else
    problem "Tab did not reach btnToolbar: the focus is on $(inspect focus)"
  fi

  # An error nobody catches (an empty option edit) shows in a box with the application title.
  show_sheet 2
  read -r x y < <(inspect center edtCatapultCutoff)
  xdotool mousemove "$x" "$y" click 1 key End shift+Home BackSpace
  local box=""
  wait_for "$patience" lists . dialog || problem "no message box"
  box=$(inspect dialog)
  [ "${box%%$'\t'*}" = "Hookfast 2.6 Freeware" ] || problem "message box: $box"
  [ "${box#*$'\t'}" = "'' is not a valid integer value" ] || problem "message box text: $box"
  xdotool key Return
  program_stop
  standin_stop
}

# --- placement -------------------------------------------------------------------------------
setting() { tr -d '\r' <"$folder/Hookfast.INI" | sed -n "s/^$1=//p"; }
settings_file() {  # settings_file LEFT TOP TOOLBAR-LEFT TOOLBAR-TOP
  printf '[General]\r\nLastDatFileUsed=Hookfast.dat\r\nLastLeft=%s\r\nLastTop=%s\r\nVerticalToolbarLeft=%s\r\nVerticalToolbarTop=%s\r\n' \
    "$@" >"$folder/Hookfast.INI"
}
screen_size() { echo "${HF_SCREEN/x/ }"; }
on_screen() {  # on_screen NAME: the window lies whole on the screen
  local x y w h sw sh
  read -r x y w h < <(inspect rect "$1")
  read -r sw sh < <(screen_size)
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le "$sw" ] && [ $((y + h)) -le "$sh" ]
}
saved_places() { echo "$(setting LastLeft) $(setting LastTop) $(setting VerticalToolbarLeft) $(setting VerticalToolbarTop)"; }
run_placement() {
  program_folder placement
  settings_file 150 120 40 300
  standin_start || return

  # Minimised with the minimise box (the application goes, the window with it), closed from
  # the taskbar: the window's own place is saved.
  program_start || return
  [ "$(inspect rect FormMain | cut -d' ' -f1-2)" = "150 120" ] || problem "main window at $(inspect rect FormMain), not 150 120"
  inspect syscommand FormMain minimize
  wait_for "$patience" is 1 minimized application || problem "the minimise box did not minimise the application"
  wait_for "$patience" is 0 visible FormMain || problem "the main window stayed on the screen"
  inspect syscommand application close
  inspect --wait 60 gone >/dev/null || problem "closing from the taskbar did not end the program"
  wait "$program_pid" 2>/dev/null; program_pid=""
  [ "$(setting LastLeft) $(setting LastTop)" = "150 120" ] || problem "saved after a close while minimised: $(setting LastLeft) $(setting LastTop)"

  # The window itself minimised (its place then is -32000): the restored place is saved.
  program_start || return
  inspect iconic FormMain
  wait_for "$patience" is 1 minimized FormMain || problem "the main window did not minimise"
  program_stop
  [ "$(setting LastLeft) $(setting LastTop)" = "150 120" ] || problem "saved after a close of the minimised window: $(setting LastLeft) $(setting LastTop)"
  program_start && on_screen FormMain || problem "the main window is not back on the screen: $(inspect rect FormMain)"
  program_stop

  # Hand-edited places on no screen come back onto it; what is saved stays what the pilot
  # left.
  settings_file -99999 -99999 5000 -700
  program_start || return
  on_screen FormMain || problem "main window at $(inspect rect FormMain)"
  inspect click btnToolbar
  wait_for "$patience" is 1 visible frmToolbar || problem "the toolbar did not show"
  on_screen frmToolbar || problem "toolbar window at $(inspect rect frmToolbar)"
  program_stop
  [ "$(saved_places)" = "-99999 -99999 5000 -700" ] || problem "saved places: $(saved_places)"
  standin_stop
}

# --- small screens --------------------------------------------------------------------------
# at_place NAME "X Y": the window's left and top edges
at_place() { [ "$(inspect rect "$1" | cut -d' ' -f1-2)" = "$2" ]; }
run_small_screen() {  # on an 800 x 600 screen
  standin_start || return
  # First start without settings: the default place 300,200 would leave the bottom and the
  # right edge with the zone-file list off the screen.
  program_folder small-screen
  program_start || return
  local x y w h
  read -r x y w h < <(inspect rect FormMain)
  echo "main window on 800 x 600 at first start: $x $y ${w}x${h}"
  on_screen FormMain || problem "first start: main window at $x $y ${w}x${h}"
  at_place FormMain "$((800 - w)) $((600 - h))" || problem "first start: not the least move: $x $y ${w}x${h}"
  mkdir -p "$shots"
  import -display "$DISPLAY" -window root "$shots/screen-800x600-first-start.png" || problem "no screenshot"
  program_stop
  [ "$(setting LastLeft) $(setting LastTop)" = "300 200" ] || problem "saved after the first start: $(saved_places)"

  # The title bar above the top edge; almost all of the window left of the screen.
  local place
  for place in "150 -22" "-480 100"; do
    settings_file $place 0 124
    program_start || return
    read -r x y w h < <(inspect rect FormMain)
    echo "main window saved at $place shown at $x $y"
    on_screen FormMain || problem "saved at $place: main window at $x $y ${w}x${h}"
    case "$place" in
      "150 -22") at_place FormMain "150 0" || problem "saved at $place: shown at $x $y, not 150 0" ;;
      *) at_place FormMain "0 100" || problem "saved at $place: shown at $x $y, not 0 100" ;;
    esac
    program_stop
    [ "$(setting LastLeft) $(setting LastTop)" = "$place" ] || problem "saved at $place, then: $(saved_places)"
  done
  standin_stop
}
run_toolbar_screen() {  # on a 1024 x 768 screen
  standin_start || return
  program_folder toolbar-screen
  settings_file 150 120 700 500
  program_start || return
  inspect click btnToolbar
  wait_for "$patience" is 1 visible frmToolbar || problem "the toolbar did not show"
  local x y w h
  read -r x y w h < <(inspect rect frmToolbar)
  echo "toolbar saved at 700 500 shown at $x $y ${w}x${h}"
  on_screen frmToolbar || problem "toolbar window at $x $y ${w}x${h}"
  at_place frmToolbar "700 $((768 - h))" || problem "toolbar shown at $x $y, not 700 $((768 - h))"
  program_stop
  [ "$(saved_places)" = "150 120 700 500" ] || problem "saved places: $(saved_places)"
  standin_stop
}

# --- large fonts -----------------------------------------------------------------------------
run_large_fonts() {  # in a prefix at 120 DPI
  : >"$labels"
  program_folder no-server
  program_start && check_layout no-server-120dpi --texts "$(winpath "$work/os-texts.txt")"
  program_stop

  program_folder operating
  standin_start && program_start && {
    # Every design pixel is a pixel and a quarter: 498 x 406 is 623 x 508.
    local x y w h
    read -r x y w h < <(inspect client-rect)
    [ "${w}x${h}" = 623x508 ] || problem "main window's client area at 120 DPI: ${w}x${h}, not 623x508"
    read -r x y w h < <(inspect rect FormMain)
    echo "main window at 120 DPI: ${w}x${h} with its frame"
    [ "$w" -le 1024 ] && [ "$h" -le 768 ] || problem "the main window (${w}x${h}) does not fit a 1024 x 768 screen"
    check_layout operating-shift-120dpi
    screenshots shift-120dpi
    show_sheet 2
    inspect click 'rdgrpCtrlKeys.Items[1]'
    wait_for "$patience" field_has lblStatusKey CTRL+ ||
      problem "the key labels did not take the Shift+Ctrl prefix"
    check_layout operating-shift-ctrl-120dpi
    screenshots shift-ctrl-120dpi
  }
  program_stop
  standin_stop
}

# --- taskbar ---------------------------------------------------------------------------------
run_taskbar() {
  # Wine's own desktop with its shell: a taskbar that lists the windows as the system does.
  local name=hookfast-taskbar
  wine reg add "HKCU\\Software\\Wine\\Explorer\\Desktops\\$name" /v EnableShell /t REG_DWORD /d 1 /f >/dev/null 2>&1
  # The desktop stays up on its own, not only while the program runs in it; the program
  # starts in it once its window is on the display.
  wine explorer "/desktop=$name,1024x768" >/dev/null 2>&1 &
  wait_for "$patience" xdotool search --name "^$name - Wine desktop\$" >/dev/null ||
    { problem "the Wine desktop did not come up"; return; }
  desktop=$name
  program_folder taskbar
  program_start || return

  local want=$'window\tHookfast 2.6 Freeware'
  [ "$(inspect taskbar | grep -c '^window')" = 1 ] && [ "$(inspect taskbar | grep '^window')" = "$want" ] ||
    problem "taskbar windows with the main window shown: $(inspect taskbar)"
  wait_for "$patience" lists $'^button\tHookfast 2.6 Freeware\t' taskbar ||
    problem "no taskbar button: $(inspect taskbar)"

  # The toolbar stands in for the main window: the same one button stays.
  inspect click btnToolbar
  wait_for "$patience" is 0 visible FormMain || problem "the main window did not hide"
  [ "$(inspect taskbar | grep '^window')" = "$want" ] || problem "taskbar windows with the toolbar shown: $(inspect taskbar)"
  [ "$(inspect taskbar | grep -c '^button	Hookfast 2.6 Freeware	')" = 1 ] || problem "taskbar buttons with the toolbar shown: $(inspect taskbar)"
  mkdir -p "$shots"
  import -display "$DISPLAY" -window root -crop 1024x768+0+0 +repage "$shots/taskbar-with-toolbar.png" || problem "no screenshot"

  # Minimised (from the taskbar's menu), the program takes the toolbar along; its taskbar
  # button brings it back.
  local text geometry x y w h
  inspect syscommand application minimize
  wait_for "$patience" is 0 visible frmToolbar || problem "the toolbar stayed while the program was minimised"
  wait_for "$patience" is 1 minimized application || problem "the application was not minimised"
  # The shell lays its buttons out anew as windows come and go: click the button where it
  # is once the minimised program is listed.
  wait_for "$patience" lists $'^button\tHookfast 2.6 Freeware\t' taskbar || problem "no taskbar button when minimised: $(inspect taskbar)"
  IFS=$'\t' read -r _ text geometry < <(inspect taskbar | grep '^button')
  read -r x y w h <<<"$geometry"
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
  wait_for "$patience" is 1 visible frmToolbar || problem "the taskbar button did not bring the toolbar back"
  [ "$(inspect visible FormMain)" = 0 ] || problem "the main window came back with the toolbar"

  # Alt+F4 on the toolbar brings the main window back. The key goes to the window in front:
  # it is pressed once the click has brought the toolbar there.
  read -r x y < <(inspect center frmToolbar)
  xdotool mousemove "$x" $((y + 40)) click 1
  wait_for "$patience" is frmToolbar active || problem "the toolbar is not in front after a click on it: $(inspect active)"
  xdotool key alt+F4
  wait_for "$patience" is 1 visible FormMain || problem "Alt+F4 on the toolbar left no window"
  [ "$(inspect visible frmToolbar)" = 0 ] || problem "the toolbar stayed after Alt+F4"
  program_stop
}

case "$case_name" in
  layout) run_layout ;;
  keyboard) run_keyboard ;;
  placement) run_placement ;;
  small-screen) run_small_screen ;;
  toolbar-screen) run_toolbar_screen ;;
  large-fonts) run_large_fonts ;;
  taskbar) run_taskbar ;;
  *) echo "unknown case $case_name"; exit 2 ;;
esac
cleanup
trap - EXIT
[ "$failures" -eq 0 ] || { echo "$failures failures"; exit 1; }
echo "all checks passed"
