#!/usr/bin/env bash
# The sounds under Wine.
#   sounds-cases.sh CASE     (CASE: device, status, two-catches)
# device: hfsoundcheck.exe plays the catch sound (no wait) and a radio clip (waited, twice)
#         through the program's wave player. With an output device the waited plays take
#         about the clip's length each and the unwaited one returns at once; without one,
#         every failure comes back as an MCI error with its text, quickly, and nothing
#         crashes. Whichever the machine has, that branch's rules are checked.
# status: Hookfast_EN.exe from a copy of the release folder beside fsstandin.exe flying a
#         hooked approach: lblOtherStatus with the sound files there and removed, and the
#         trap gate's five-value reads about once a second.
# two-catches: Hookfast_EN.exe beside fsstandin.exe flying two hooked approaches, on an audio
#         device that plays nowhere (an ALSA null device as the default, in a HOME of the
#         test's own), its multimedia calls traced: each catch plays the whole catch sound,
#         every byte of it written to the device, and every MCI command succeeds.
# Needs HF_NATIVE_BUILD_DIR and HF_WIN32_BUILD_DIR (set by CTest). Leaves everything in
# $HF_NATIVE_BUILD_DIR/wine-sounds/CASE/.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run="$here/../wine/run-wine.sh"
scenarios="$here/../../sim/flight/scenarios"
case_name=${1:-}
work="$HF_NATIVE_BUILD_DIR/wine-sounds/$case_name"
fail() { echo "FAIL: $*" >&2; exit 1; }
source "$here/../wine/common.sh"
check() { awk "BEGIN { exit !($1) }" || fail "$2 ($1)"; }
# wav_info FILE: the byte rate and the size of the sound data of a WAV file, from its chunks.
wav_info() {
  od -An -v -tu1 -N 65536 "$1" | awk '
    { for (i = 1; i <= NF; i++) b[n++] = $i }
    function u32(o) { return b[o] + 256 * (b[o + 1] + 256 * (b[o + 2] + 256 * b[o + 3])) }
    function tag(o) { return sprintf("%c%c%c%c", b[o], b[o + 1], b[o + 2], b[o + 3]) }
    END {
      if (tag(0) != "RIFF" || tag(8) != "WAVE") exit 1
      for (o = 12; o + 8 <= n; o += 8 + size + size % 2) {
        size = u32(o + 4)
        if (tag(o) == "fmt ") rate = u32(o + 16)
        if (tag(o) == "data") { if (rate == 0) exit 1; print rate, size; exit 0 }
      }
      exit 1
    }' || fail "$1 is no WAV file"
}
wav_ms() { wav_info "$1" | awk '{ printf "%d", $2 * 1000 / $1 }'; }

rm -rf "$work"
copy_release EN "$work/program" || fail "no program to test"

case "$case_name" in
  device)
    out="$work/soundcheck.txt"
    "$run" --no-standin --out "$out" --timeout 60 \
      -- tools/soundcheck/hfsoundcheck.exe "$(winpath "$work/program")" >/dev/null
    rc=$?
    [ "$rc" -eq 0 ] || { cat "$out"; fail "hfsoundcheck exit status $rc"; }
    grep -q '^done$' "$out" || { cat "$out"; fail "hfsoundcheck did not finish"; }
    grep -P '^(devices|device|open-|play-|replay-|close)' "$out"
    field() { awk -F'\t' -v s="$1" -v n="$2" '$1 == s { print $n }' "$out"; }
    clip_ms=$(wav_ms "$work/program/Ops_Sounds/RADIO_DECKOFFICER_ROGER.wav") || exit 1
    catch_ms=$(wav_ms "$work/program/CableCatch.wav") || exit 1
    devices=$(field devices 2)
    [ -n "$devices" ] || fail "no device count"
    # Every failed step names its MCI error and the device's text for it.
    awk -F'\t' '$2 == "error" && ($4 + 0 == 0 || $5 == "") { exit 1 }' "$out" \
      || fail "an error without its MCI code or text"
    if [ "$devices" -gt 0 ]; then
      echo "output devices: $devices; clip $clip_ms ms"
      for step in open-catch play-catch open-clip play-clip replay-clip close; do
        [ "$(field $step 2)" = ok ] || fail "$step: $(grep "^$step" "$out")"
      done
      check "$(field play-catch 3) < $catch_ms / 2" "the unwaited catch sound blocked"
      # The second play rewinds the clip that has played to its end.
      for step in play-clip replay-clip; do
        check "$(field $step 3) >= $clip_ms * 0.9 && $(field $step 3) <= $clip_ms * 2 + 500" \
          "$step did not last about the clip's $clip_ms ms"
      done
    else
      echo "no output device: the failures are reported"
      for step in open-catch open-clip; do
        [ -n "$(field $step 2)" ] || fail "$step not reported"
      done
      # A waited play with nothing to play on fails at once and never reports success.
      for step in play-clip replay-clip; do
        if [ "$(field open-clip 2)" = ok ]; then
          [ "$(field $step 2)" = error ] || fail "$step succeeded without a device"
          check "$(field $step 3) < $clip_ms" "$step hung instead of failing"
        fi
      done
      [ "$(field close 2)" = ok ] || fail "close: $(grep '^close' "$out")"
    fi
    ;;
  status)
    log="$work/found.jsonl"
    "$here/../wine/hold-scenario.sh" "$scenarios/hooked-approach.txt" "$work/approach.txt" || fail "no scenario"
    "$run" --log "$log" --out "$work/found.out" \
      --standin --scenario "$(winpath "$work/approach.txt")" \
      -- "$here/sounds-client.sh" found "$work" >/dev/null \
      || { cat "$work/found.out"; fail "run with the sound files"; }
    grep '^lblOtherStatus' "$work/found.out"
    # The gate's cadence on the approach: it is off during an arrest and starts again one
    # interval after the arrest's end, so an interval across a catch is no tick of its own.
    caught=$(grep -m1 -F '"event":"accel"' "$log" | sed -nE 's/^\{"t":([0-9]+),.*/\1/p')
    "$here/gate-times.sh" "$log" | awk -v caught="${caught:-}" 'caught == "" || $1 < caught' >"$work/gate-times.txt"
    # In each tick the nearest-zone search (position and variation) comes just before the
    # five-value read.
    awk '/"exchange":/ {
           if (index($0, "\"offset\":\"0x0840\"") && index($0, "\"offset\":\"0x05DC\"")) {
             if (!index(prev, "\"offset\":\"0x02A0\"")) bad++
             reads++
           }
           prev = $0
         }
         END { exit !(reads > 0 && bad == 0) }' "$log" || fail "a five-value read without the search before it"
    # Intervals between the gate's five-value reads: the gate ticks once a second and the
    # approach keeps the aircraft in range, so every tick makes one.
    awk 'NR > 1 { print $1 - prev } { prev = $1 }' "$work/gate-times.txt" | sort -n >"$work/intervals.txt"
    count=$(wc -l <"$work/intervals.txt")
    check "$count >= 5" "only $count gate intervals"
    median=$(awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }' "$work/intervals.txt")
    low=$(head -1 "$work/intervals.txt")
    high=$(tail -1 "$work/intervals.txt")
    echo "gate intervals: $count, median $median ms, from $low to $high ms"
    check "$median >= 900 && $median <= 1100" "median gate interval $median ms"
    check "$low >= 500 && $high <= 1500" "a gate interval from $low to $high ms"

    rm -f "$work/program/CableCatch.wav" "$work/program/Catapult.wav"
    "$run" --log "$work/missing.jsonl" --out "$work/missing.out" --standin \
      -- "$here/sounds-client.sh" missing "$work" >/dev/null \
      || { cat "$work/missing.out"; fail "run without the sound files"; }
    grep '^lblOtherStatus' "$work/missing.out"
    ;;
  two-catches)
    mkdir -p "$work/home"
    echo 'pcm.!default { type null }' >"$work/home/.asoundrc"
    "$here/../wine/hold-scenario.sh" "$scenarios/two-catches.txt" "$work/scenario.txt" || fail "no scenario"
    HOME="$work/home" "$run" --log "$work/standin.jsonl" --out "$work/client.out" --timeout 200 \
      --standin --scenario "$(winpath "$work/scenario.txt")" \
      -- "$here/catches-client.sh" "$work" >/dev/null
    rc=$?
    cat "$work/client.out"
    [ "$rc" -eq 0 ] || fail "client exit status $rc"
    grep -q '^lblOtherStatus: Cable catch sound played$' "$work/client.out" \
      || fail "the catch sound was not reported played"
    read -r _ catch_bytes < <(wav_info "$work/program/CableCatch.wav")
    # Every MCI command of the run succeeded (the trace shows each result), and each play
    # wrote the whole sound to the device before the next.
    failed=$(grep -c 'mciSendCommandW => [0-9A-Fa-f]*[1-9A-Fa-f]' "$work/trace.txt")
    [ "$failed" -eq 0 ] || { grep 'mciSendCommandW => ' "$work/trace.txt" | grep -v '=> 00000000$' | head -5
                             fail "$failed MCI commands failed"; }
    awk '/:mciSendCommandW \(/ && /MCI_PLAY/ { plays++ }
         /waveOutWrite dwBufferLength:/ { bytes[plays] += $NF }
         END { for (p = 1; p <= plays; p++) print p, bytes[p] + 0 }' "$work/trace.txt" >"$work/plays.txt"
    echo "catch sound: $catch_bytes bytes; written per play: $(awk '{ print $2 }' "$work/plays.txt" | tr '\n' ' ')"
    [ "$(wc -l <"$work/plays.txt")" -eq 2 ] || fail "$(wc -l <"$work/plays.txt") plays, wanted 2"
    awk -v want="$catch_bytes" '$2 != want { exit 1 }' "$work/plays.txt" \
      || fail "a catch did not write the whole sound to the device"
    ;;
  *)
    echo "usage: $0 device|status|two-catches" >&2
    exit 2
    ;;
esac
echo "PASS: $case_name"
