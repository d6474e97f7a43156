#!/usr/bin/env bash
# Checks that a shipped program starts on Windows XP SP3 and goes out stripped:
#   xp-check.sh EXE UNSTRIPPED [REVIEWED]
# EXE is the program as shipped, UNSTRIPPED the build's own copy it was stripped from, and
# REVIEWED the list of imports reviewed as present on XP SP3 (xp-sp3-imports.txt beside
# this script). Fails when
#   - EXE imports a function that is not on the list (by name or by ordinal), or has a
#     delay-load directory;
#   - UNSTRIPPED holds delay-load descriptors of the GNU tools, which leave no trace in the
#     import table (they are looked up only in its symbols, so EXE must be UNSTRIPPED
#     stripped);
#   - EXE asks for a subsystem version above 5.1, which XP's loader refuses;
#   - EXE has a debug section or a symbol table.
# Prints the imports, one DLL!function a line, then "imports: N from DLL...".
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exe=${1:?usage: xp-check.sh EXE UNSTRIPPED [REVIEWED]}
unstripped=${2:?usage: xp-check.sh EXE UNSTRIPPED [REVIEWED]}
reviewed=${3:-$here/xp-sp3-imports.txt}
objdump=i686-w64-mingw32-objdump
failures=()

imports=$("$here/pe-imports.sh" "$exe") || { echo "FAIL: $exe: no import list" >&2; exit 1; }
echo "$imports"
# The list without its notes ("#" at the start or after a blank; DLL!#7 is an ordinal).
allowed=$(sed -E 's/(^|[[:space:]])#.*//; s/[[:space:]]+//g; /^$/d' "$reviewed" | LC_ALL=C sort -u)
unknown=$(LC_ALL=C comm -23 <(echo "$imports") <(echo "$allowed"))
[ -z "$unknown" ] ||
  failures+=("imports not reviewed as present on Windows XP SP3 ($reviewed):"$'\n'"$unknown")

symbols=$("$objdump" -t "$unstripped") || { echo "FAIL: $objdump cannot read $unstripped" >&2; exit 1; }
descriptors=$(grep -o '__DELAY_IMPORT_DESCRIPTOR_[^ ]*' <<<"$symbols" | sort -u)
[ -z "$descriptors" ] || failures+=("delay-loaded imports, which the import table does not show: $(echo $descriptors)")

# EXE is UNSTRIPPED stripped: stripping it again, with EXE's time stamp, gives the same bytes.
pe=$(od -An -tu4 -j60 -N4 "$exe" | tr -d ' ')
stamp=$(od -An -tu4 -j$((pe + 8)) -N4 "$exe" | tr -d ' ')
again=$(mktemp)
SOURCE_DATE_EPOCH=$stamp i686-w64-mingw32-strip --strip-all -o "$again" "$unstripped" &&
  cmp -s "$again" "$exe" || failures+=("$exe is not $unstripped stripped")
rm -f "$again"

headers=$("$objdump" -h -p "$exe")
version=$(awk '$1 == "MajorSubsystemVersion" { major = $2 } $1 == "MinorSubsystemVersion" { minor = $2 }
               END { printf "%d.%d", major, minor }' <<<"$headers")
awk -v v="$version" 'BEGIN { split(v, p, "."); exit !(p[1] < 5 || (p[1] == 5 && p[2] <= 1)) }' ||
  failures+=("subsystem version $version: XP runs 5.1 at most")

debug=$(awk '$1 ~ /^[0-9]+$/ && $2 ~ /^\.(z?debug|stab)/ { print $2 }' <<<"$headers")
[ -z "$debug" ] || failures+=("debug sections: $(echo $debug)")
grep -qx 'no symbols' <(sed -n '/^SYMBOL TABLE:/,$p' <<<"$("$objdump" -t "$exe")") ||
  failures+=("a symbol table")

if [ ${#failures[@]} -gt 0 ]; then
  for failure in "${failures[@]}"; do echo "FAIL: $exe: $failure" >&2; done
  exit 1
fi
echo "imports: $(wc -l <<<"$imports") from $(cut -d'!' -f1 <<<"$imports" | uniq | tr '\n' ' ')"
