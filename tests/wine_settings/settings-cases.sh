#!/usr/bin/env bash
# The settings file saved wherever the file itself can be written, through the real
# Hookfast_EN.exe (run from a copy of its release folder) beside fsstandin.exe:
#   settings-cases.sh CASE
#   long-folder  a program folder whose whole Windows path is 243 characters, with no
#                Hookfast.INI: the start records the default zone file, and the close saves
#                an option changed on screen; no temporary file is left
#   held-file    Hookfast.INI held open by another program (tools/holdfile) sharing reading
#                and writing: the close saves the option into the held file itself
# Needs HF_NATIVE_BUILD_DIR and HF_WIN32_BUILD_DIR (set by CTest). Leaves the program's
# folder, the stand-in's log and the client's output in $HF_NATIVE_BUILD_DIR/wine-settings/CASE/.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../wine/run-wine.sh"
name=${1:-}
work="$HF_NATIVE_BUILD_DIR/wine-settings/$name"
fail() { echo "FAIL ($name): $*" >&2; exit 1; }
source "$here/../wine/common.sh"
seen() { sed -n "s/^$1=//p" "$work/client.out"; }

# long_path N: a relative path of exactly N characters, in folders of at most 100.
long_path() {
  local n=$1 path="" part
  while [ "$n" -gt 0 ]; do
    part=$((n > 100 ? 100 : n))
    [ "$n" -eq 101 ] && part=99  # never end in "/"
    path+=$(head -c "$part" /dev/zero | tr '\0' x)
    n=$((n - part))
    [ "$n" -gt 0 ] && { path+=/; n=$((n - 1)); }
  done
  echo "$path"
}

rm -rf "$work"
mkdir -p "$work"
case "$name" in
  long-folder)
    # 243 characters leave room for "\Hookfast_EN.exe" (259 with it; MAX_PATH is 260) and
    # for "\Hookfast.INI", but not for a temporary name longer than the file's.
    base=$(winpath "$work")
    pad=$((243 - ${#base} - 1))
    [ "$pad" -ge 1 ] || fail "the build folder's path ($base) leaves no room for a 243-character folder"
    program="$work/$(long_path "$pad")" ;;
  held-file)
    program="$work/program" ;;
  *) echo "usage: $0 long-folder|held-file" >&2
     exit 2 ;;
esac
copy_release EN "$program" || fail "no program to test"
length=$(winpath "$program" | tr -d '\n' | wc -c)
[ "$name" != long-folder ] || [ "$length" -eq 243 ] || fail "the program folder's Windows path has $length characters"
[ "$name" != held-file ] || printf '[General]\r\nLastDatFileUsed=Hookfast.dat\r\n' >"$program/Hookfast.INI"
ls -A "$program" | sort >"$work/release-files.txt"

"$run" --log "$work/standin.jsonl" --out "$work/client.out" --timeout 240 --standin \
  -- "$here/settings-client.sh" "$name" "$work" "$program" >/dev/null
rc=$?
cat "$work/client.out"
[ "$rc" -eq 0 ] || fail "client exit status $rc"

ini="$program/Hookfast.INI"
[ -f "$ini" ] || fail "no Hookfast.INI"
for line in "LastDatFileUsed=Hookfast.dat" "UseAircraftSmoke=1" "TransferRateIndex=0"; do
  grep -qa "^$line"$'\r'"\$" "$ini" || fail "Hookfast.INI lacks $line: $(cat -A "$ini")"
done
# Nothing beside what was there but the settings file and the program's output.
left=$( (cat "$work/release-files.txt"; echo Hookfast.INI; echo program.out) | sort -u |
        comm -13 - <(ls -A "$program" | sort))
[ -z "$left" ] || fail "left in the program folder: $left"

case "$name" in
  long-folder)
    echo "program folder of $length characters: operational, saved at the close, nothing left" ;;
  held-file)
    held=$(seen holder_bytes)
    size=$(stat -c %s "$ini")
    [ "$held" = "$size" ] || fail "the holder saw $held bytes through its handle, the file has $size"
    echo "saved into the held file: its holder saw all $size bytes" ;;
esac
echo "PASS: $name"
