#!/usr/bin/env bash
# The program in a folder of any name, through the real Hookfast_EN.exe (run from a copy of
# its release folder) beside fsstandin.exe, on a system whose ANSI code page is
# Windows-1252 (Western Europe):
#   folders-cases.sh CASE
#   polish    "Łódź Ωmega", with a zone file "Ωmega.dat" beside the shipped one
#   cyrillic  "Пилот", with a zone file "Пилот.dat" beside the shipped one
#   western   "My Flight Sims é ü": letters of the code page, as before
# Each folder holds the exe, Hookfast.dat, the sounds and a settings file: the program must
# start operational, find both sounds, open a sound named relative to the working directory
# and save the settings at the close. A zone file whose
# name the code page cannot write is offered by its short name, never with "?".
# Needs HF_NATIVE_BUILD_DIR and HF_WIN32_BUILD_DIR (set by CTest). Leaves the program's
# folder, the stand-in's log and the client's output in $HF_NATIVE_BUILD_DIR/wine-folders/CASE/.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../wine/run-wine.sh"
name=${1:-}
work="$HF_NATIVE_BUILD_DIR/wine-folders/$name"
fail() { echo "FAIL ($name): $*" >&2; exit 1; }
source "$here/../wine/common.sh"
seen() { sed -n "s/^$1=//p" "$work/client.out"; }

case "$name" in
  polish) folder="Łódź Ωmega"; extra="Ωmega.dat" ;;
  cyrillic) folder="Пилот"; extra="Пилот.dat" ;;
  western) folder="My Flight Sims é ü"; extra="" ;;
  *) echo "usage: $0 polish|cyrillic|western" >&2
     exit 2 ;;
esac
# Wine takes the Windows locale, and so the ANSI code page, from the Unix one, and reaches
# Unix file names in its character set: a UTF-8 locale that the machine has. C.UTF-8 gives
# English (United States) with code page 1252; a locale the machine lacks (en_US.UTF-8 on a
# bare Debian) would leave Wine unable to name any file outside ASCII.
export LANG=C.UTF-8 LC_ALL=C.UTF-8

rm -rf "$work"
mkdir -p "$work"
program="$work/$folder"
copy_release EN "$program" || fail "no program to test"
[ -f "$program/CableCatch.wav" ] && [ -f "$program/Catapult.wav" ] || fail "the release has no sounds"
[ -z "$extra" ] || cp "$program/Hookfast.dat" "$program/$extra"
printf '[General]\r\nLastDatFileUsed=Hookfast.dat\r\nPlayBattleDamageSounds=1\r\n[CatapultOps]\r\nUseAircraftSmoke=0\r\n' \
  >"$program/Hookfast.INI"
mkdir -p "$work/home"
echo 'pcm.!default { type null }' >"$work/home/.asoundrc"  # a sound device that plays

HOME="$work/home" "$run" --log "$work/standin.jsonl" --out "$work/client.out" --timeout 240 --standin \
  -- "$here/folders-client.sh" "$name" "$work" "$program" >/dev/null
rc=$?
cat "$work/client.out"
[ "$rc" -eq 0 ] || fail "client exit status $rc"

[ "$(seen acp)" = 1252 ] || fail "Wine's ANSI code page is \"$(seen acp)\", not 1252"
[ "$(seen other_status)" = "Sound files found" ] || fail "lblOtherStatus: $(seen other_status)"
items=$(seen item)
grep -qx "Hookfast.dat" <<<"$items" || fail "Hookfast.dat is not offered: $items"
if grep -q '?' <<<"$items"; then fail "a zone file is offered with \"?\": $items"; fi
if [ -n "$extra" ]; then
  # Offered by its short name (Wine makes one for every long name), which names it.
  grep -qx '[^.]*~[^.]*\.DAT' <<<"$items" || fail "no short name offered for $extra: $items"
fi

# The three sounds opened (catch, catapult, the damage sound relative to the working
# directory): each open's result in the trace is 0.
opens=$(awk '/mciSendCommandW \(/ { open = /MCI_OPEN/ } /mciSendCommandW => / && open { print $NF; open = 0 }' \
        "$work/trace.txt")
[ "$(grep -c . <<<"$opens")" -ge 3 ] || fail "$(grep -c . <<<"$opens") sound opens traced, wanted 3"
if grep -qv '^00000000$' <<<"$opens"; then fail "a sound failed to open: $(tr '\n' ' ' <<<"$opens")"; fi

ini="$program/Hookfast.INI"
for line in "LastDatFileUsed=Hookfast.dat" "UseAircraftSmoke=1" "LastLeft=300" "TransferRateIndex=0"; do
  grep -qa "^$line"$'\r'"\$" "$ini" || fail "Hookfast.INI lacks $line: $(cat -A "$ini")"
done
if grep -qa "^UseAircraftSmoke=0" "$ini"; then fail "the old smoke option is still there: $(cat -A "$ini")"; fi
echo "\"$folder\": operational, sounds found, settings saved; zone files offered: $(tr '\n' ' ' <<<"$items")"
echo "PASS: $name"
