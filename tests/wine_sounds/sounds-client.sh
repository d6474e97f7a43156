#!/usr/bin/env bash
# Runs inside run-wine.sh:  sounds-client.sh found|missing WORKDIR
# Starts Hookfast_EN.exe from WORKDIR/program and checks lblOtherStatus from another
# process. "found" first asks hfsoundcheck.exe whether the device opens the catch sound (the
# program reports a file that fails to open as not found) and, once the start is through,
# waits for six of the trap gate's five-value reads in the stand-in's log. Then it closes the
# window and waits for the program to end by itself.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
step=$1
work=$2
program_dir="$work/program"
source "$here/../wine/program-client.sh"
fail() { echo "FAIL ($step): $*"; inspect close >/dev/null 2>&1; exit 1; }

folder="$(winpath "$program_dir")\\"
not_found="   (${folder}CableCatch.wav not found)   (${folder}Catapult.wav not found)"
case "$step" in
  found)
    wine "$HF_WIN32_BUILD_DIR/tools/soundcheck/hfsoundcheck.exe" "$folder" 2>/dev/null \
      | tr -d '\r' >"$work/found-soundcheck.txt"
    grep -q '^done$' "$work/found-soundcheck.txt" || fail "hfsoundcheck did not finish"
    if grep -q '^open-catch	ok' "$work/found-soundcheck.txt"; then
      expected="Sound files found"
    else
      expected=$not_found
    fi ;;
  missing) expected=$not_found ;;
  *) fail "unknown step" ;;
esac

cd "$program_dir" || exit 1
wine Hookfast_EN.exe >"$work/$step-program.out" 2>&1 &
program=$!

inspect --wait 60 wait-text lblConnectionInfo "Okay" >/dev/null \
  || fail "no connection: $(inspect text lblConnectionInfo)"
status=$(inspect text lblOtherStatus)
[ "$status" = "$expected" ] || fail "lblOtherStatus \"$status\", wanted \"$expected\""
echo "lblOtherStatus: $status"

if [ "$step" = found ]; then
  signal_operating
  six_gate_reads() { [ "$("$here/gate-times.sh" "$HF_STANDIN_LOG" | wc -l)" -ge 6 ]; }
  wait_for 20 six_gate_reads
fi

inspect close
inspect --wait 60 gone || fail "the main window did not close"
wait "$program"
rc=$?
[ "$rc" -eq 0 ] || fail "Hookfast_EN.exe ended with $rc"
echo "closed cleanly ($step)"
