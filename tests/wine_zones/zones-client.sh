#!/usr/bin/env bash
# Runs inside run-wine.sh:  zones-client.sh first|second WORKDIR
# Starts Hookfast_EN.exe from WORKDIR/program, checks the zone list and the options tab from
# another process, closes the window and waits for the program to end.
set -uo pipefail
step=$1
work=$2
source "$(dirname "$0")/../wine/program-client.sh"
fail() { echo "FAIL ($step): $*"; inspect close >/dev/null 2>&1; exit 1; }
expect() { local got; got=$(inspect "${@:2}"); [ "$got" = "$1" ] || fail "${*:2}: \"$got\", wanted \"$1\""; }

cd "$work/program" || exit 1
wine Hookfast_EN.exe >"$work/$step-program.out" 2>&1 &
program=$!

inspect --wait 60 wait-text lblNumOfCarriersLoaded "# of cable zones" >/dev/null \
  || fail "no zones loaded: $(inspect text lblConnectionInfo)"
expect "$(printf 'ATLANTIC.DAT\ncarriers.dat\nHookfast.dat')" items cmbDatFile
case "$step" in
  first)
    expect "Hookfast.dat" text cmbDatFile
    expect "# of cable zones: 2 out of 2" text lblNumOfCarriersLoaded
    expect "120" text edtCatapultCutoff
    expect "50" text edtCatapultHoldFactor
    expect "-700" text edtDecelFactor
    expect "1" text edtTimingResolution
    expect "0" checked chkbxCatSmoke
    expect "1" checked chkbxShowDisableReminders
    ;;
  second)
    expect "carriers.dat" text cmbDatFile
    expect "# of cable zones: 1 out of 1" text lblNumOfCarriersLoaded
    expect "150" text edtCatapultCutoff
    expect "120" text edtCatapultHoldFactor
    expect "-712" text edtDecelFactor
    expect "3" text edtTimingResolution
    expect "1" checked chkbxCatSmoke
    read -r left _ < <(inspect rect)
    [ "$left" = 120 ] || fail "main window left edge $left"
    ;;
esac

inspect close
inspect --wait 60 gone || fail "the main window did not close"
wait "$program"
rc=$?
[ "$rc" -eq 0 ] || fail "Hookfast_EN.exe ended with $rc"
echo "closed cleanly ($step)"
