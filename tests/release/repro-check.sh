#!/usr/bin/env bash
# Checks that the release zips depend on the sources only, so that two builds of the same
# commit give the same bytes:
#   repro-check.sh
# For each edition: the program, shipped and in the build, carries no link time (its PE time
# stamp is 0); every entry of the zip carries the release date, plain-file attributes and no
# extra field (no owner, no access or change time); and the release folder's files packed
# again in the zip's order, from copies with other dates and modes, in another time zone,
# give the same zip byte for byte. (tests/release/repro-build.sh compares two whole builds.)
# Needs HF_WIN32_BUILD_DIR, HF_NATIVE_BUILD_DIR and HF_RELEASE_DATE (set by CTest).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
zipper="$here/../../cmake/zip-release.py"
fail() { echo "FAIL: $*" >&2; exit 1; }
[ -n "${HF_RELEASE_DATE:-}" ] || fail "no HF_RELEASE_DATE"
work="$HF_NATIVE_BUILD_DIR/release-repro"
rm -rf "$work"
mkdir -p "$work"

# pe_stamp EXE: the time stamp field of the PE file header.
pe_stamp() {
  local at
  at=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  [ -n "$at" ] || return 1
  od -An -tu4 -j$((at + 8)) -N4 "$1" | tr -d ' '
}

for edition in EN NL FR; do
  folder="$HF_WIN32_BUILD_DIR/release/Hookfast_$edition"
  zip="$HF_WIN32_BUILD_DIR/release/Hookfast_$edition.zip"
  [ -f "$zip" ] || fail "no $zip"
  for exe in "$folder/Hookfast_$edition.exe" "$HF_WIN32_BUILD_DIR/ui/Hookfast_$edition.exe"; do
    stamp=$(pe_stamp "$exe") || fail "cannot read $exe"
    [ "$stamp" = 0 ] || fail "$exe carries the time stamp $stamp ($(date -u -d "@$stamp"))"
  done

  entries=$(python3 - "$zip" "$HF_RELEASE_DATE" <<'PY'
import sys, time, zipfile
zip_path, date = sys.argv[1], sys.argv[2]
want = tuple(time.strptime(date, "%Y-%m-%d %H:%M:%S")[:6])
with zipfile.ZipFile(zip_path) as archive:
    for entry in archive.infolist():
        faults = []
        if entry.date_time != want:
            faults.append(f"date {entry.date_time}")
        if entry.extra:
            faults.append(f"{len(entry.extra)} bytes of extra fields")
        if (entry.create_system, entry.external_attr) != (0, 0x20):
            faults.append(f"attributes {entry.create_system}/{entry.external_attr:#x}")
        if faults:
            print(f"FAULT {entry.filename}: {', '.join(faults)}")
        else:
            print(entry.filename)
PY
  ) || fail "cannot read $zip"
  faults=$(grep '^FAULT ' <<<"$entries")
  [ -z "$faults" ] || fail "$zip, entries not fixed (want $HF_RELEASE_DATE):"$'\n'"$faults"

  # The same files with other dates and modes, packed elsewhere at another hour.
  copy="$work/$edition"
  mkdir -p "$copy"
  while read -r member; do
    mkdir -p "$copy/$(dirname "$member")"
    cp "$HF_WIN32_BUILD_DIR/release/$member" "$copy/$member" || fail "no $member in the release folder"
    chmod 600 "$copy/$member"
    touch -d '2001-02-03 04:05:06' "$copy/$member"
  done <<<"$entries"
  mapfile -t members <<<"$entries"
  (cd "$copy" && TZ=Pacific/Kiritimati python3 "$zipper" "$work/Hookfast_$edition.zip" "$HF_RELEASE_DATE" \
     "${members[@]}") || fail "zip-release.py failed"
  cmp "$zip" "$work/Hookfast_$edition.zip" ||
    fail "Hookfast_$edition.zip packed again from the same files differs"
  echo "Hookfast_$edition.zip: ${#members[@]} entries dated $HF_RELEASE_DATE, programs without a time stamp"
done
echo "PASS: the release zips depend on their files only"
