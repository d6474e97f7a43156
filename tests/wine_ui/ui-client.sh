#!/usr/bin/env bash
# Runs inside run-wine.sh (Wine prefix, X display and stand-in ready):
#   ui-client.sh CASE WORKDIR
# starts Hookfast_<HF_EDITION>.exe (default EN) from WORKDIR/program, checks its main window from another process,
# saves a screenshot as WORKDIR/main-window.png, closes the window and waits for the program
# to end by itself.
set -uo pipefail
case_name=$1
work=$2
source "$(dirname "$0")/../wine/program-client.sh"
fail() { echo "FAIL: $*"; inspect close >/dev/null 2>&1; exit 1; }

edition=${HF_EDITION:-EN}
cd "$work/program" || exit 1
wine "Hookfast_$edition.exe" >"$work/program.out" 2>&1 &
program=$!

case "$case_name" in
  handshake) expected="FSX connection status : Okay,  FSUIPC Ver : 3.999" ;;
  no-server) expected="FSUIPC/WideClient not currently available -- Is FS running?" ;;
  edition) expected=$HF_EXPECTED_CONNECTION ;;
esac
if [ "$case_name" = edition ]; then
  # The label holds Windows-1252 bytes; the expected text is UTF-8.
  label=""
  connection_is() { label=$(inspect text lblConnectionInfo | iconv -f CP1252 -t UTF-8); [ "$label" = "$expected" ]; }
  wait_for 60 connection_is
else
  label=$(inspect --wait 60 wait-text lblConnectionInfo "$expected") || fail "lblConnectionInfo: $label"
fi
[ "$label" = "$expected" ] || fail "lblConnectionInfo is \"$label\""
inspect list >"$work/controls.txt"

# The state a start leaves: operating after the handshake, not operating without a server.
state=$(awk -F'\t' '$3 == "pgMain" || $3 == "cmbDatFile" || $3 == "btnManualDisable" { print $3 "=" $5 }' \
          "$work/controls.txt" | sort | tr '\n' ' ')
case "$case_name" in
  handshake|edition) want="btnManualDisable=1 cmbDatFile=1 pgMain=1 " ;;
  no-server) want="btnManualDisable=0 cmbDatFile=0 pgMain=0 " ;;
esac
[ "$state" = "$want" ] || fail "enabled states: $state"
sounds=$(inspect text lblOtherStatus)
[ -n "$sounds" ] || fail "no sound status"

if [ "$case_name" != no-server ]; then
  # The start's message reaches the stand-in once the first exchanges are done.
  log_holds '"message":"Hookfast enabled"' 1 10
fi
read -r x y w h < <(inspect client-rect)
settled_shot "$work/main-window.png" "$x" "$y" "$w" "$h" || echo "no screenshot"

inspect close
inspect --wait 60 gone || fail "the main window did not close"
wait "$program"
rc=$?
[ "$rc" -eq 0 ] || fail "Hookfast_$edition.exe ended with $rc"
echo "closed cleanly"
