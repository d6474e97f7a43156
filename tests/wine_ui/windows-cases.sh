#!/usr/bin/env bash
# The windows as a pilot uses them, through the real program under Wine:
#   windows-cases.sh CASE
#   layout-en, layout-nl, layout-fr
#             every text of every control fits and no controls overlap (hflayout check), in
#             the states a start can leave (no simulator, each fault of the stand-in, each
#             key combination); screenshots of every tab and of the toolbar
#   keyboard  tab accelerators, Tab and Shift+Tab, the arrow keys in an option's edit,
#             cursors, hints, a tab after a round trip through the others, the zone-file
#             list's rows, the message box's title
#   placement the position of a window closed minimised, positions that lie on no screen
#   taskbar   the taskbar button while the toolbar stands in for the main window, Alt+F4 on
#             the toolbar, minimising from the taskbar (Wine's desktop with its shell)
# Needs HF_NATIVE_BUILD_DIR and HF_WIN32_BUILD_DIR (set by CTest). Leaves its files in
# $HF_NATIVE_BUILD_DIR/wine-ui/CASE/ and the screenshots in $HF_NATIVE_BUILD_DIR/screenshots/.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../wine/run-wine.sh"
case_name=${1:-}
work="$HF_NATIVE_BUILD_DIR/wine-ui/$case_name"
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work"
case "$case_name" in
  layout-en|layout-nl|layout-fr)
    edition=${case_name#layout-}
    # The connection texts that only the operating system's refusals cause, from the
    # program's own logic run natively; hflayout measures them in the real label.
    texts="$HF_NATIVE_BUILD_DIR/tools/layout/hf_connection_texts_$edition"
    [ -x "$texts" ] || fail "no $texts"
    "$texts" >"$work/os-texts.txt" || fail "$texts failed"
    "$run" --no-standin --timeout 880 --out "$work/client.out" \
      -- "$here/windows-client.sh" layout "$work" "${edition^^}"
    ;;
  keyboard|placement|taskbar)
    # The client starts the stand-ins it needs itself.
    "$run" --no-standin --timeout 280 --out "$work/client.out" -- "$here/windows-client.sh" "$case_name" "$work" EN
    ;;
  *)
    echo "usage: $0 layout-en|layout-nl|layout-fr|keyboard|placement|taskbar" >&2
    exit 2
    ;;
esac
rc=$?
[ "$rc" -eq 0 ] || fail "$case_name (client exit status $rc; its output is in $work/client.out)"
echo "PASS: $case_name"
