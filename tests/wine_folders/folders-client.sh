#!/usr/bin/env bash
# Runs inside run-wine.sh:  folders-client.sh CASE WORKDIR PROGRAMDIR
# Reports the ANSI code page Wine gives its programs, starts Hookfast_EN.exe from
# PROGRAMDIR with its multimedia calls traced into WORKDIR/trace.txt, waits until it
# operates, reads the sound status and the zone-file list, checks an option on screen,
# sets off the level-1 damage (a sound opened relative to the working directory) and closes
# it; the close must save without an error box.
# Prints what it saw as name=value lines.
set -uo pipefail
name=$1
work=$2
program=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../wine/program-client.sh"
fail() { echo "FAIL ($name): $*"; inspect close >/dev/null 2>&1; exit 1; }

echo "acp=$(wine reg query 'HKLM\System\CurrentControlSet\Control\Nls\CodePage' /v ACP 2>/dev/null |
            tr -d '\r' | sed -n 's/^ *ACP *REG_SZ *//p')"

WINEDEBUG=+mci start_program "$program" "$work/trace.txt"
inspect --wait 60 wait-text lblNumOfCarriersLoaded "# of cable zones" >/dev/null \
  || fail "no zones loaded: $(inspect text lblConnectionInfo)"
echo "connection=$(inspect text lblConnectionInfo)"
echo "other_status=$(inspect text lblOtherStatus)"
inspect items cmbDatFile | sed 's/^/item=/'
log_holds '"message":"Hookfast enabled"' 1 60 || fail "no \"Hookfast enabled\" in the simulator"
inspect click tabParameters >/dev/null || fail "no options tab"
inspect click chkbxCatSmoke >/dev/null || fail "cannot click the smoke option"
echo "smoke=$(inspect checked chkbxCatSmoke)"
# A sound named relative to the working directory: the level-1 damage plays
# DamageFarExplosion.wav at once.
inspect click btnToolbar >/dev/null || fail "cannot open the toolbar"
inspect click btnBattleDamage1 >/dev/null || fail "cannot click the level-1 damage"
log_holds '"offset":"0x0B64"' 1 30 || fail "no failure-flag read after the damage"

close_program_watching_errors
