#!/usr/bin/env bash
# The release check's own test: small programs built here, each with one fault a shipped
# exe could have, must each fail xp-check.sh with that fault named, and a clean one pass.
# Needs HF_NATIVE_BUILD_DIR (set by CTest) for its work folder.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work="$HF_NATIVE_BUILD_DIR/release-xp-check"
rm -rf "$work"
mkdir -p "$work"
cd "$work" || exit 1
fail() { echo "FAIL: $*" >&2; exit 1; }
cc=i686-w64-mingw32-gcc-win32
prefix=i686-w64-mingw32

# A program that imports one function of ODD.DLL by ordinal, and one that delay-loads LATE.DLL.
printf 'LIBRARY ODD.DLL\nEXPORTS\nOdd@4 @7 NONAME\n' >odd.def
printf 'LIBRARY LATE.DLL\nEXPORTS\nLate@4\n' >late.def
"$prefix-dlltool" -k -d odd.def -l libodd.a && "$prefix-dlltool" -k -d late.def -y liblate.a ||
  fail "dlltool cannot make the import libraries"
cat >program.c <<'C'
#include <windows.h>
#if defined(ORDINAL)
__declspec(dllimport) int __stdcall Odd(int);
#elif defined(DELAYED)
__declspec(dllimport) int __stdcall Late(int);
#endif
int main(void) {
    int r = (int)(GetTickCount() & 1);
#if defined(TICK64)
    r += (int)(GetTickCount64() & 1);
#elif defined(ORDINAL)
    r += Odd(1);
#elif defined(DELAYED)
    r += Late(1);
#elif defined(OTHER)
    r += 2;
#endif
    return r;
}
C
build() {  # build NAME [OPTIONS...]: NAME.exe (with its debug sections) and NAME-s.exe, stripped
  local name=$1
  shift
  "$cc" -g -o "$name.exe" program.c -L. "$@" && "$prefix-strip" --strip-all -o "$name-s.exe" "$name.exe" ||
    fail "cannot build $name"
}
build clean
build other -DOTHER
build tick64 -DTICK64 -D_WIN32_WINNT=0x0600
build ordinal -DORDINAL -lodd
build delayed -DDELAYED -llate
build vista -Wl,--major-subsystem-version,6,--minor-subsystem-version,0
# A delay-load directory in the data directory (entry 13 of a PE32 optional header).
cp clean-s.exe directory-s.exe
pe=$(od -An -tu4 -j60 -N4 clean-s.exe | tr -d ' ')
printf '\x00\x10\x00\x00\x40\x00\x00\x00' |
  dd of=directory-s.exe bs=1 seek=$((pe + 24 + 96 + 13 * 8)) conv=notrunc status=none

# The clean program's imports are the reviewed list here: every case adds a fault to it.
"$here/pe-imports.sh" clean-s.exe >reviewed.txt || fail "cannot list the clean program's imports"
grep -qx 'KERNEL32.DLL!GetTickCount' reviewed.txt || fail "GetTickCount missing from $(cat reviewed.txt)"

failed=0
# shipped | unstripped | what the check must say (empty: it must pass)
while IFS='|' read -r shipped unstripped says; do
  "$here/xp-check.sh" "$shipped" "$unstripped" reviewed.txt >"$shipped.out" 2>"$shipped.err"
  status=$?
  if [ -z "$says" ]; then
    [ "$status" -eq 0 ] || { echo "FAIL: $shipped: $(cat "$shipped.err")"; failed=1; }
  elif [ "$status" -eq 0 ] || ! grep -qF -- "$says" "$shipped.err"; then
    echo "FAIL: $shipped (status $status) did not report: $says"; cat "$shipped.err"; failed=1
  else
    echo "refused $shipped: $says"
  fi
done <<'CASES'
clean-s.exe|clean.exe|
tick64-s.exe|tick64.exe|KERNEL32.DLL!GetTickCount64
ordinal-s.exe|ordinal.exe|ODD.DLL!#7
delayed-s.exe|delayed.exe|delay-loaded imports
directory-s.exe|clean.exe|has a delay-load import directory
vista-s.exe|vista.exe|subsystem version 6.0
clean.exe|clean.exe|debug sections: .debug
clean.exe|clean.exe|a symbol table
other-s.exe|clean.exe|other-s.exe is not clean.exe stripped
CASES
[ "$failed" -eq 0 ] || exit 1
echo "PASS: every fault refused, the clean program passed"
