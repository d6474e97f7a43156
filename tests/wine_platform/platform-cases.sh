#!/usr/bin/env bash
# The 32-bit program's own platform under Wine.
#   platform-cases.sh CASE     (CASE: hung-server, nearest-tie)
# hung-server: fsstandin.exe answers every exchange only after 3 s, past the link's 2000 ms;
#              Hookfast_EN.exe gives up after its ten tries and reports the time-out (code 11).
# nearest-tie: Hookfast_EN.exe beside fsstandin.exe, which puts the aircraft at one position
#              after another; at each, the front-right corners of two zones lie at exactly
#              the same distance in IEEE double arithmetic, and the earlier zone must be the
#              nearest one (zones and positions come from hfnearesttie).
# Needs HF_NATIVE_BUILD_DIR and HF_WIN32_BUILD_DIR (set by CTest). Leaves everything in
# $HF_NATIVE_BUILD_DIR/wine-platform/CASE/.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../wine/run-wine.sh"
case_name=${1:-}
work="$HF_NATIVE_BUILD_DIR/wine-platform/$case_name"
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$here/../wine/common.sh"

rm -rf "$work"
copy_release EN "$work/program" || fail "no program to test"

case "$case_name" in
  hung-server)
    "$run" --log "$work/standin.jsonl" --out "$work/client.out" --timeout 150 \
      --standin --delay-ms 3000 \
      -- "$here/platform-client.sh" hung-server "$work" >/dev/null
    rc=$?
    cat "$work/client.out"
    [ "$rc" -eq 0 ] || fail "client exit status $rc"
    ;;
  nearest-tie)
    # The zones take the place of the default zone file.
    "$HF_NATIVE_BUILD_DIR/tests/wine_platform/hfnearesttie" "$work/program/Hookfast.dat" \
      "$work/ties.txt" >"$work/pairs.txt" || fail "no tie positions"
    "$run" --log "$work/standin.jsonl" --out "$work/client.out" --timeout 150 \
      --standin --scenario "$(winpath "$work/ties.txt")" \
      -- "$here/platform-client.sh" nearest-tie "$work" >/dev/null
    rc=$?
    cat "$work/client.out"
    [ "$rc" -eq 0 ] || fail "client exit status $rc"
    # Every position was searched (its pair announced once, in order) and every tie went to
    # the earlier zone of the pair.
    grep -o '"message":"Nearest cables: [^"]*\\"[A-Z0-9]*\\""' "$work/standin.jsonl" \
      | sed 's/.*\\"\([A-Z0-9]*\)\\""$/\1/' >"$work/announced.txt"
    want=$(awk '{ print $1 "A" }' "$work/pairs.txt")
    got=$(cat "$work/announced.txt")
    if [ "$got" != "$want" ]; then
      wrong=$(grep -c 'B$' "$work/announced.txt")
      echo "announced: $(tr '\n' ' ' <"$work/announced.txt")"
      fail "$wrong of $(wc -l <"$work/pairs.txt") equal-distance positions went to the later zone"
    fi
    echo "$(wc -l <"$work/pairs.txt") equal-distance positions, each kept the earlier zone"
    ;;
  *)
    echo "usage: $0 hung-server|nearest-tie" >&2
    exit 2
    ;;
esac
echo "PASS: $case_name"
