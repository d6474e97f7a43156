#!/usr/bin/env bash
# Runs inside run-wine.sh:  settings-client.sh CASE WORKDIR PROGRAMDIR
# Starts Hookfast_EN.exe from PROGRAMDIR (for held-file with Hookfast.INI held open by
# hfholdfile.exe), waits until it operates, checks an option on screen and closes it; the
# close must save without an error box. Prints what it saw as name=value lines.
set -uo pipefail
name=$1
work=$2
program=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../wine/program-client.sh"
fail() { echo "FAIL ($name): $*"; inspect close >/dev/null 2>&1; [ -n "${holder:-}" ] && : >"$work/stop"; exit 1; }

holder=""
if [ "$name" = held-file ]; then
  wine "$HF_WIN32_BUILD_DIR/tools/holdfile/hfholdfile.exe" "$(winpath "$program/Hookfast.INI")" \
       "$(winpath "$work/stop")" >"$work/holder.out" 2>&1 &
  holder=$!
  wait_for 20 grep -qs '^held' "$work/holder.out"
  grep -q '^held' "$work/holder.out" || fail "hfholdfile did not hold the file: $(cat "$work/holder.out")"
fi

start_program "$program"
inspect --wait 60 wait-text lblNumOfCarriersLoaded "# of cable zones" >/dev/null \
  || fail "no zones loaded: $(inspect text lblConnectionInfo)"
echo "connection=$(inspect text lblConnectionInfo)"
log_holds '"message":"Hookfast enabled"' 1 60 || fail "no \"Hookfast enabled\" in the simulator"
inspect click tabParameters >/dev/null || fail "no options tab"
inspect click chkbxCatSmoke >/dev/null || fail "cannot click the smoke option"
echo "smoke=$(inspect checked chkbxCatSmoke)"

close_program_watching_errors

if [ -n "$holder" ]; then
  : >"$work/stop"
  wait "$holder"
  rc=$?
  [ "$rc" -eq 0 ] || fail "hfholdfile ended with $rc: $(cat "$work/holder.out")"
  echo "holder_bytes=$(sed -n 's/^bytes=//p' "$work/holder.out" | tr -d '\r')"
fi
