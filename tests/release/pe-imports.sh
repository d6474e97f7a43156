#!/usr/bin/env bash
# Lists every function a 32-bit Windows program imports through its import table, sorted,
# one DLL!function a line: the DLL's name in capitals (Windows matches it without regard to
# case), an import by ordinal as DLL!#ORDINAL.
#   pe-imports.sh EXE
# Fails on a file objdump cannot read, on an import table it reads no function from, and on
# a delay-load directory, whose functions the loader resolves later and objdump does not
# list here.
set -uo pipefail
exe=${1:?usage: pe-imports.sh EXE}
headers=$(i686-w64-mingw32-objdump -p "$exe") || { echo "objdump cannot read $exe" >&2; exit 1; }

delay=$(awk '$1 == "Entry" && $2 == "d" { print $3 $4 }' <<<"$headers")
[ -n "$delay" ] || { echo "$exe: no data directory found" >&2; exit 1; }
[ "$delay" = 0000000000000000 ] || { echo "$exe: has a delay-load import directory" >&2; exit 1; }

# Each descriptor's block: "DLL Name: X", a heading, then "vma hint name" rows; a row of an
# import by ordinal has "<none>" for its name and the ordinal in the hint's place.
awk '
  /^\tDLL Name: / { dll = toupper(substr($0, index($0, ":") + 2)); dlls[dll] = 0; next }
  dll != "" && /^\t[0-9a-f]+\t +[0-9]+  [^ ]/ {
    name = ($3 == "<none>") ? "#" $2 : $3
    print dll "!" name
    dlls[dll]++
    next
  }
  /^$/ { dll = "" }
  END {
    n = 0
    for (d in dlls) { n++; if (!dlls[d]) { print "no functions read from " d > "/dev/stderr"; bad = 1 } }
    if (!n) { print "no imports read" > "/dev/stderr"; bad = 1 }
    exit bad
  }' <<<"$headers" | LC_ALL=C sort -u
status=("${PIPESTATUS[@]}")
[ "${status[0]}" -eq 0 ] || { echo "$exe: cannot read its import table" >&2; exit 1; }
