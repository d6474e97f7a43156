#!/usr/bin/env bash
# The link across two processes under Wine: hfprobe.exe against fsstandin.exe.
#   link-cases.sh CASE     (CASE: open, no-server, handshake-log, refusals, bench)
# Needs HF_NATIVE_BUILD_DIR and HF_WIN32_BUILD_DIR (set by CTest).
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run="$here/run-wine.sh"
work="$HF_NATIVE_BUILD_DIR/wine-link"
mkdir -p "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }
expect_line() { grep -qxF -- "$2" "$1" || { cat "$1"; fail "missing line: $2"; }; }

case "${1:-}" in
  open)
    "$run" --out "$work/open.out" \
      --standin --version 0x36100000 --sim 7 --text "0x3D00=Stand-in Jet" \
      -- tools/probe/hfprobe.exe
    rc=$?
    [ "$rc" -eq 0 ] || fail "probe exit status $rc"
    expect_line "$work/open.out" "code 0: Okay"
    expect_line "$work/open.out" "server version: 0x36100000"
    expect_line "$work/open.out" "simulator: 7 (FS2004)"
    expect_line "$work/open.out" "0x3308: 0xFADE0007"
    expect_line "$work/open.out" '0x3D00: "Stand-in Jet"'
    ;;
  no-server)
    "$run" --out "$work/none.out" --no-standin -- tools/probe/hfprobe.exe
    rc=$?
    [ "$rc" -eq 2 ] || fail "probe exit status $rc, expected 2"
    expect_line "$work/none.out" "code 2: FSUIPC/WideClient not currently available"
    ;;
  handshake-log)
    log="$work/handshake.jsonl"
    "$run" --log "$log" --out "$work/handshake.out" --standin -- tools/probe/hfprobe.exe \
      || fail "probe failed"
    # The first exchange is pass 1 of the handshake: two reads, then the library version.
    first=$(grep -m1 '"exchange":1,' "$log") || { cat "$log"; fail "no exchange in the log"; }
    ops=$(grep -o '"op":"[a-z]*","offset":"0x[0-9A-F]*","size":[0-9]*' <<<"$first" | tr '\n' ' ')
    want='"op":"read","offset":"0x3304","size":4 "op":"read","offset":"0x3308","size":4 "op":"write","offset":"0x330A","size":2 '
    [ "$ops" = "$want" ] || fail "pass 1 records: $ops"
    grep -q '"offset":"0x330A","size":2,"data":"EC03"' <<<"$first" || fail "0x330A did not carry 1004"
    # Only pass 1 writes: the probe's own exchange follows, with no 0x330A.
    [ "$(grep -c '"exchange":' "$log")" -eq 2 ] || fail "expected two exchanges"
    [ "$(grep -c '0x330A' "$log")" -eq 1 ] || fail "0x330A written more than once"
    ;;
  refusals)
    # Old version: 7 under UIPCMAIN, 14 under FS98MAIN; a server replying 0 gives 13.
    "$run" --out "$work/r7.out" --standin --class UIPCMAIN --version 0x19980004 \
      -- tools/probe/hfprobe.exe
    [ $? -eq 7 ] || fail "UIPCMAIN old version"
    expect_line "$work/r7.out" "code 7: Incorrect version of FSUIPC, or not FSUIPC"
    "$run" --out "$work/r14.out" --standin --class FS98MAIN --sim-word 0xFADF0008 \
      -- tools/probe/hfprobe.exe
    [ $? -eq 14 ] || fail "FS98MAIN wrong tag"
    "$run" --out "$work/r13.out" --standin --reply 0 -- tools/probe/hfprobe.exe
    [ $? -eq 13 ] || fail "reply 0"
    expect_line "$work/r13.out" "code 13: IPC request contains bad data"
    ;;
  bench)
    # The benchmarks run and give sane figures; how fast is for scripts/bench.sh to say.
    "$run" --out "$work/bench.out" --standin -- tools/probe/hflinkbench.exe 200 5 >/dev/null \
      || { cat "$work/bench.out"; fail "benchmark exchanges failed"; }
    # row LABEL: min, median and the time outside the send of that row, all positive.
    row() { sed -n "s/^$1  *\([0-9.]*\)  *\([0-9.]*\)  *\([0-9.]*\)$/\1 \2 \3/p" "$2"; }
    sane() { awk "BEGIN { exit !($1) }" || { cat "$3"; fail "$2 ($1)"; }; }
    for label in "WM_NULL, no block" "hand-made, 1 read" "LinkProcess, 1 read" \
                 "hand-made, 10 reads" "LinkProcess, 10 reads"; do
      read -r min median outside <<<"$(row "$label" "$work/bench.out")"
      sane "${min:-0} > 0 && $min <= ${median:-0} && ${outside:-0} > 0" "row $label" "$work/bench.out"
      # The client's own work is a small part of any exchange across processes.
      sane "$outside < $median / 2" "$label: outside the send" "$work/bench.out"
    done
    for reads in "1 read" "10 reads"; do
      ratio=$(sed -n "s/^ratio LinkProcess \/ hand-made, $reads: \([0-9.]*\) (medians).*/\1/p" "$work/bench.out")
      sane "${ratio:-0} > 0.5 && $ratio < 2" "ratio, $reads" "$work/bench.out"
    done
    "$run" --out "$work/ticks.out" --standin -- tools/probe/hftickbench.exe 100 3 >/dev/null \
      || { cat "$work/ticks.out"; fail "the handler ticks did not take their road"; }
    read -r _ trap _ <<<"$(row "trap-test tick, 1 exchange" "$work/ticks.out")"
    read -r _ arrest _ <<<"$(row "arrest tick, 2 exchanges" "$work/ticks.out")"
    sane "${trap:-0} > 0 && ${arrest:-0} > 0" "tick rows" "$work/ticks.out"
    ;;
  *) echo "usage: $0 open|no-server|handshake-log|refusals|bench" >&2; exit 2 ;;
esac
echo "PASS: $1"
