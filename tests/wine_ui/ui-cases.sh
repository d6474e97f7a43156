#!/usr/bin/env bash
# The main program under Wine, with its window read through Win32 from another process.
#   ui-cases.sh CASE
#   handshake, no-server, edition-nl, edition-fr
#             the start's texts and state, each edition's texts
#   layout-en, layout-nl, layout-fr
#             every text of every control fits and no controls overlap (hflayout check), in
#             the states a start can leave (no simulator, each fault of the stand-in, each
#             key combination); screenshots of every tab and of the toolbar
#   large-fonts-en, large-fonts-nl, large-fonts-fr
#             the same check at 120 DPI with the large "MS Sans Serif" (no simulator, and a
#             start that completes with each key combination): the windows scaled by a
#             quarter, the main window within a 1024 x 768 screen; screenshots of every tab
#             and of the toolbar beside the 96-DPI ones
#   keyboard  tab accelerators, Tab and Shift+Tab, the arrow keys in an option's edit,
#             cursors, hints, a tab after a round trip through the others, the zone-file
#             list's rows, Enter on a push button, the message box's title
#   placement the position of a window closed minimised, positions that lie on no screen
#   small-screens
#             an 800 x 600 screen: the first start and saved places partly off the screen
#             show the whole main window; a 1024 x 768 screen: a toolbar saved below its
#             bottom shows whole; the settings keep what the pilot left
#   taskbar   the taskbar button while the toolbar stands in for the main window, Alt+F4 on
#             the toolbar, minimising and restoring (Wine's desktop with its shell)
# Needs HF_NATIVE_BUILD_DIR and HF_WIN32_BUILD_DIR (set by CTest). Leaves the program's
# folders, the stand-in's logs and screenshots in $HF_NATIVE_BUILD_DIR/wine-ui/CASE/; the
# screenshots of every tab and of the toolbar in $HF_NATIVE_BUILD_DIR/screenshots/EDITION/.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../wine/run-wine.sh"
case_name=${1:-}
work="$HF_NATIVE_BUILD_DIR/wine-ui/$case_name"
fail() { echo "FAIL: $*" >&2; exit 1; }

# A program folder of the test's own: the release folder when there is one (sounds and the
# default zone file beside the program), else the bare program.
case "$case_name" in
  edition-nl) export HF_EDITION=NL HF_EXPECTED_CONNECTION="FSX verbindingsstatus : Okay,  FSUIPC Versie : 3.999" ;;
  edition-fr) export HF_EDITION=FR HF_EXPECTED_CONNECTION="FSX état de la connexion : OK,  version de FSUIPC : 3.999" ;;
  *) export HF_EDITION=EN ;;
esac
rm -rf "$work"
case "$case_name" in
  layout-en|layout-nl|layout-fr|large-fonts-en|large-fonts-nl|large-fonts-fr)
    edition=${case_name##*-}
    client_case=layout dpi=96
    case "$case_name" in large-fonts-*) client_case=large-fonts dpi=120 ;; esac
    mkdir -p "$work"
    # The connection texts that only the operating system's refusals cause, from the
    # program's own logic run natively; hflayout measures them in the real label.
    texts="$HF_NATIVE_BUILD_DIR/tools/layout/hf_connection_texts_$edition"
    [ -x "$texts" ] || fail "no $texts"
    "$texts" >"$work/os-texts.txt" || fail "$texts failed"
    # The client starts the stand-ins it needs itself.
    "$run" --no-standin --dpi "$dpi" --timeout 880 --out "$work/client.out" \
      -- "$here/windows-client.sh" "$client_case" "$work" "${edition^^}" || fail "client exit status $?"
    echo "PASS: $case_name"
    exit 0
    ;;
  small-screens)
    mkdir -p "$work"
    "$run" --no-standin --screen 800x600 --timeout 280 --out "$work/client-800x600.out" \
      -- "$here/windows-client.sh" small-screen "$work" EN || fail "client exit status $? on 800 x 600"
    "$run" --no-standin --screen 1024x768 --timeout 280 --out "$work/client-1024x768.out" \
      -- "$here/windows-client.sh" toolbar-screen "$work" EN || fail "client exit status $? on 1024 x 768"
    echo "PASS: $case_name"
    exit 0
    ;;
  keyboard|placement|taskbar)
    mkdir -p "$work"
    "$run" --no-standin --timeout 280 --out "$work/client.out" \
      -- "$here/windows-client.sh" "$case_name" "$work" EN || fail "client exit status $?"
    echo "PASS: $case_name"
    exit 0
    ;;
esac
mkdir -p "$work/program"
release="$HF_WIN32_BUILD_DIR/release/Hookfast_$HF_EDITION"
if [ -f "$release/Hookfast_$HF_EDITION.exe" ]; then
  cp -r "$release/." "$work/program/"
else
  cp "$HF_WIN32_BUILD_DIR/ui/Hookfast_$HF_EDITION.exe" "$work/program/"
fi

case "$case_name" in
  handshake)
    "$run" --log "$work/standin.jsonl" --out "$work/client.out" --standin \
      -- "$here/ui-client.sh" handshake "$work"
    rc=$?
    [ "$rc" -eq 0 ] || { cat "$work/client.out"; fail "client exit status $rc"; }
    log="$work/standin.jsonl"
    # The handshake comes first: its first exchange reads the versions and writes 1004.
    first=$(grep -m1 '"exchange":1,' "$log") || fail "no exchange in the log"
    grep -q '"op":"read","offset":"0x3304","size":4' <<<"$first" || fail "no version read: $first"
    grep -q '"op":"write","offset":"0x330A","size":2' <<<"$first" || fail "no library version: $first"
    # Then the start's message, and at the close the farewell, each as text and seconds.
    messages=$(grep -o '"message":"[^"]*","seconds":[0-9]*' "$log" | tr '\n' '|')
    want='"message":"Hookfast enabled","seconds":3|"message":"Hookfast deactivated","seconds":8|'
    [ "$messages" = "$want" ] || fail "messages: $messages"
    grep -q '"op":"write","offset":"0x3380","size":128' "$log" || fail "no 128-byte text block"
    grep -q '"op":"write","offset":"0x32FA","size":2' "$log" || fail "no seconds write"
    ;;
  edition-nl|edition-fr)
    # Each edition starts with its own texts; its screenshot stays beside the log.
    "$run" --log "$work/standin.jsonl" --out "$work/client.out" --standin \
      -- "$here/ui-client.sh" edition "$work"
    rc=$?
    [ "$rc" -eq 0 ] || { cat "$work/client.out"; fail "client exit status $rc"; }
    ;;
  no-server)
    "$run" --no-standin --out "$work/client.out" -- "$here/ui-client.sh" no-server "$work"
    rc=$?
    [ "$rc" -eq 0 ] || { cat "$work/client.out"; fail "client exit status $rc"; }
    ;;
  *)
    echo "usage: $0 handshake|no-server|edition-nl|edition-fr|layout-en|layout-nl|layout-fr|large-fonts-en|large-fonts-nl|large-fonts-fr|keyboard|placement|small-screens|taskbar" >&2
    exit 2
    ;;
esac
echo "PASS: $case_name"
