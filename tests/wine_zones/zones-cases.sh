#!/usr/bin/env bash
# Zone files and the settings file under Wine: a folder with three zone files is listed,
# the default file loads and the settings file is written at the close; options changed by
# hand in that file come back into the options tab at the next start.
# Needs HF_NATIVE_BUILD_DIR, HF_WIN32_BUILD_DIR and HF_ASSETS_DIR (set by CTest). Leaves the
# program's folder and the stand-in's logs in $HF_NATIVE_BUILD_DIR/wine-zones/.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../wine/run-wine.sh"
work="$HF_NATIVE_BUILD_DIR/wine-zones"
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$work"
mkdir -p "$work/program"
cp "$HF_WIN32_BUILD_DIR/ui/Hookfast_EN.exe" "$work/program/"
cp "$HF_ASSETS_DIR/Hookfast.dat" "$work/program/"
# Two more zone files, one of them in capitals: the list is ordered without regard to case.
sed -n '/^\[Zone01\]/,/^RunwayHeading/p' "$HF_ASSETS_DIR/Hookfast.dat" >"$work/program/carriers.dat"
cp "$work/program/carriers.dat" "$work/program/ATLANTIC.DAT"

# First run: no settings file; the second run reads the one the first wrote, edited by hand.
"$run" --log "$work/first.jsonl" --out "$work/first.out" --standin \
  -- "$here/zones-client.sh" first "$work" || { cat "$work/first.out"; fail "first run"; }
ini="$work/program/Hookfast.INI"
[ -f "$ini" ] || fail "no settings file after the close"
grep -q '^LastDatFileUsed=Hookfast.dat' "$ini" || fail "LastDatFileUsed: $(cat "$ini")"
grep -q '^CatapultSpeedCutoffKnots=120' "$ini" || fail "cut-off not saved: $(cat "$ini")"

sed -i -e 's/^CatapultSpeedCutoffKnots=.*/CatapultSpeedCutoffKnots=150/' \
       -e 's/^CatapultHoldFactor=.*/CatapultHoldFactor=120/' \
       -e 's/^CableCatchAccelFactor=.*/CableCatchAccelFactor=-712.5/' \
       -e 's/^TimingResolutionFactor=.*/TimingResolutionFactor=3/' \
       -e 's/^UseAircraftSmoke=.*/UseAircraftSmoke=1/' \
       -e 's/^LastDatFileUsed=.*/LastDatFileUsed=carriers.dat/' \
       -e 's/^LastLeft=.*/LastLeft=120/' "$ini"
"$run" --log "$work/second.jsonl" --out "$work/second.out" --standin \
  -- "$here/zones-client.sh" second "$work" || { cat "$work/second.out"; fail "second run"; }
grep -q '^CableCatchAccelFactor=-712' "$ini" || fail "the shown deceleration was not saved"
grep -q '^LastDatFileUsed=carriers.dat' "$ini" || fail "zone file choice lost"
echo "PASS: settings-round-trip"
