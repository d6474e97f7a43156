#!/usr/bin/env bash
# Checks one edition's release zip as a pilot gets it:
#   zip-check.sh EDITION      (EN, NL or FR)
# The zip holds exactly the program, the zone file and the sounds, in one folder of the
# edition's name with the radio clips in Ops_Sounds/; every file is the one the build made
# or ships; the program is a 32-bit (PE32, i386) Windows GUI program, stripped, that
# imports nothing Windows XP SP3 lacks (xp-check.sh).
# Needs HF_WIN32_BUILD_DIR, HF_ASSETS_DIR and HF_NATIVE_BUILD_DIR (set by CTest).
set -uo pipefail
edition=${1:-}
case "$edition" in EN|NL|FR) ;; *) echo "usage: $0 EN|NL|FR" >&2; exit 2 ;; esac
fail() { echo "FAIL: $*" >&2; exit 1; }

folder=Hookfast_$edition
zip="$HF_WIN32_BUILD_DIR/release/$folder.zip"
exe="$folder/$folder.exe"
[ -f "$zip" ] || fail "no $zip"

expected="$exe
$folder/Hookfast.dat
$folder/CableCatch.wav
$folder/Catapult.wav
$folder/DamageFarExplosion.wav
$folder/DamageNearExplosion.wav
$folder/DamageRadio.wav
$folder/DamageElectricalSystem.wav
$folder/Ops_Sounds/RADIO_PILOT_ON_APPROACH.wav
$folder/Ops_Sounds/RADIO_DECKOFFICER_ROGER.wav
$folder/Ops_Sounds/RADIO_PILOT_ON_CAT.wav
$folder/Ops_Sounds/RADIO_DECKOFFICER_CAT_SET.wav
$folder/Ops_Sounds/RADIO_DECKOFFICER_CAT_DISENGAGED.wav"
listing=$(cmake -E tar tf "$zip") || fail "cannot list $zip"
[ "$(sort <<<"$listing")" = "$(sort <<<"$expected")" ] \
  || fail "$(printf 'listing differs (< expected, > in the zip):\n%s' \
       "$(diff <(sort <<<"$expected") <(sort <<<"$listing"))")"

# Unpacked (which checks every member's CRC), each file is the one the build made.
work="$HF_NATIVE_BUILD_DIR/release-zip/$edition"
rm -rf "$work"
mkdir -p "$work"
(cd "$work" && cmake -E tar xf "$zip") || fail "cannot unpack $zip"
cmp -s "$work/$exe" "$HF_WIN32_BUILD_DIR/release/$exe" || fail "$exe is not the program of the release folder"
while read -r member; do
  [ "$member" = "$exe" ] && continue
  source="$HF_ASSETS_DIR/sounds/${member#"$folder/"}"
  [ "${member##*/}" = Hookfast.dat ] && source="$HF_ASSETS_DIR/Hookfast.dat"
  cmp -s "$work/$member" "$source" || fail "$member differs from $source"
done <<<"$expected"

# The program: PE32 for i386, GUI subsystem, stripped, and importing only what Windows XP
# SP3 has (no MinGW runtime DLL either: none of those is on the list). Its imports are kept
# beside the unpacked files for a reviewer.
objdump=i686-w64-mingw32-objdump
headers=$("$objdump" -f -p "$work/$exe") || fail "$objdump cannot read $exe"
grep -q 'file format pei-i386' <<<"$headers" || fail "$exe is not a pei-i386 file"
grep -qP '^Magic\t+010b\t\(PE32\)' <<<"$headers" || fail "$exe is not PE32"
grep -qP '^Subsystem\t+00000002\t\(Windows GUI\)' <<<"$headers" || fail "$exe is not a GUI program"
"$(dirname "$0")/xp-check.sh" "$work/$exe" "$HF_WIN32_BUILD_DIR/ui/$folder.exe" >"$work/imports.txt" \
  || fail "$exe would not start on Windows XP SP3 or is not stripped"
echo "PASS: $folder.zip: $(wc -l <<<"$expected") files; $(tail -1 "$work/imports.txt")"
