#!/usr/bin/env bash
# Measures the figures of the README's performance section and prints them as tables:
#   - an exchange through the link next to the same exchange made by hand (hflinkbench.exe),
#   - one tick of the trap test and of the arrest, run by the program's own handlers over the
#     real link (hftickbench.exe),
#   - the timer cadence of the real Hookfast_EN.exe flying the hooked approach, from the
#     stand-in's exchange log,
#   - the idle CPU of the real Hookfast_EN.exe beside the stand-in, over IDLE_SECONDS (60),
#   - the size of each program, shipped and in the build, and of each zip.
# Everything runs under Wine against fsstandin.exe. Installs and builds like the other
# scripts; what it measured stays in build/bench/.
#
#   scripts/bench.sh            everything (about two minutes)
#   scripts/bench.sh --sizes    only the size table
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=${HF_BUILD:-$root/build}
idle_seconds=${IDLE_SECONDS:-60}

source "$root/tests/wine/program-client.sh"  # inspect, log_holds, log_after
# CPU ticks (user + system) a process has used so far; 0 when it is gone.
cpu_ticks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
# The wineserver of this prefix and the stand-in of this build, found by their environment
# and command line among all processes.
wineserver_pid() {
  local d
  for d in /proc/[0-9]*; do
    case "$(cat "$d/comm" 2>/dev/null)" in wineserver*) ;; *) continue ;; esac
    tr '\0' '\n' <"$d/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && { echo "${d#/proc/}"; return; }
  done
  echo 0
}
standin_pid() {
  local d
  for d in /proc/[0-9]*; do
    [ "$(cat "$d/comm" 2>/dev/null)" = fsstandin.exe ] || continue
    tr '\0' ' ' <"$d/cmdline" 2>/dev/null | grep -qF "$HF_WIN32_BUILD_DIR/sim/fsstandin.exe" && { echo "${d#/proc/}"; return; }
  done
  echo 0
}

size() { stat -c %s "$1" | awk '{ printf "%d bytes (%.0f KiB)", $1, $1 / 1024 }'; }
# The size table: the shipped programs (stripped) and zips, the build's whole programs.
sizes() {
  local edition
  echo "Program sizes:"
  echo
  echo "| file | size |"
  echo "|---|---|"
  for edition in EN NL FR; do
    echo "| Hookfast_$edition.exe (the release, stripped) | $(size "$build/win32/release/Hookfast_$edition/Hookfast_$edition.exe") |"
  done
  for edition in EN NL FR; do
    echo "| Hookfast_$edition.zip (the release) | $(size "$build/win32/release/Hookfast_$edition.zip") |"
  done
  for edition in EN NL FR; do
    echo "| Hookfast_$edition.exe in the build (symbols, debug sections) | $(size "$build/win32/ui/Hookfast_$edition.exe") |"
  done
  echo "| fsstandin.exe (not shipped) | $(size "$build/win32/sim/fsstandin.exe") |"
}

# --- the clients run inside tests/wine/run-wine.sh ----------------------------------------
case "${1:-}" in
  --sizes)  # only the size table, of a fresh build
    "$root/scripts/setup.sh" >&2
    "$root/scripts/build.sh" >/dev/null
    echo "Measured $(date -u +%Y-%m-%d)."
    echo
    sizes
    exit ;;
  --fly)  # --fly FOLDER: the program from FOLDER until the stand-in's aircraft has stopped
    cd "$2"
    wine Hookfast_EN.exe >/dev/null 2>&1 &
    program=$!
    log_holds '"event":"stopped"' 1 90 || true
    # The gate and the hot-key poll again after the arrest: three of the gate's reads.
    log_after '"event":"stopped"' '"records":\[\{"op":"read","offset":"0x0840"' 3 20 || true
    inspect close >/dev/null || true
    wait "$program"
    grep -q '"event":"stopped"' "$HF_STANDIN_LOG"
    exit ;;
  --idle)  # --idle FOLDER SECONDS: CPU ticks of the program, wineserver and stand-in
    cd "$2"
    wine Hookfast_EN.exe >/dev/null 2>&1 &
    program=$!
    inspect --wait 30 wait-text lblNumOfCarriersLoaded "# of cable zones" >/dev/null
    # Past the start: its last step, the nearest-zone search, has named the carrier (this
    # run keeps no exchange log, whose writing would count in the stand-in's figure).
    inspect --wait 30 wait-text lblNearestCarrier "Nearest cables: " >/dev/null || true
    server=$(wineserver_pid)
    standin=$(standin_pid)
    p0=$(cpu_ticks "$program") w0=$(cpu_ticks "$server") s0=$(cpu_ticks "$standin") t0=$(date +%s.%N)
    sleep "$3"  # the time measured over: the figure is CPU time per second of it
    p1=$(cpu_ticks "$program") w1=$(cpu_ticks "$server") s1=$(cpu_ticks "$standin") t1=$(date +%s.%N)
    alive=0
    kill -0 "$program" 2>/dev/null && alive=1
    inspect close >/dev/null || true
    wait "$program" || true
    echo "seconds=$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f", b - a }')"
    echo "clock_ticks=$(getconf CLK_TCK)"
    echo "program=$((p1 - p0)) wineserver=$((w1 - w0)) standin=$((s1 - s0)) alive=$alive"
    exit ;;
esac

"$root/scripts/setup.sh" >&2   # its line is no figure: not into the tables
"$root/scripts/build.sh" >/dev/null

out="$build/bench"
rm -rf "$out"
mkdir -p "$out"
# The programs Wine runs here: the 32-bit build, or the 64-bit one where 32-bit programs cannot
# run (scripts/build.sh made it); the sizes are the 32-bit release's.
cross=win32
[ "$("$root/scripts/wine-arch.sh")" = win64 ] && cross=win64
export HF_NATIVE_BUILD_DIR="$build/native" HF_WIN32_BUILD_DIR="$build/$cross"
run="$root/tests/wine/run-wine.sh"
winpath() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }
load=$(cut -d' ' -f1-3 /proc/loadavg)

echo "--- link exchange (hflinkbench.exe)" >&2
"$run" --out "$out/link.txt" --standin -- tools/probe/hflinkbench.exe >/dev/null \
  || { cat "$out/link.txt"; exit 1; }
echo "--- handler ticks (hftickbench.exe)" >&2
"$run" --out "$out/ticks.txt" --standin -- tools/probe/hftickbench.exe >/dev/null \
  || { cat "$out/ticks.txt"; exit 1; }

echo "--- timer cadence: Hookfast_EN.exe flies the hooked approach" >&2
cp -r "$build/$cross/release/Hookfast_EN" "$out/fly"
"$run" --log "$out/cadence.jsonl" \
  --standin --scenario "$(winpath "$root/sim/flight/scenarios/hooked-approach.txt")" \
  -- "$here/bench.sh" --fly "$out/fly" >/dev/null || { echo "the landing did not end in a stop" >&2; exit 1; }

echo "--- idle CPU: Hookfast_EN.exe beside the stand-in for $idle_seconds s" >&2
cp -r "$build/$cross/release/Hookfast_EN" "$out/idle"
"$run" --out "$out/idle.txt" --timeout $((idle_seconds + 120)) --standin \
  -- "$here/bench.sh" --idle "$out/idle" "$idle_seconds" >/dev/null || { cat "$out/idle.txt"; exit 1; }
grep -q 'alive=1' "$out/idle.txt" || { cat "$out/idle.txt"; echo "the program ended while idle" >&2; exit 1; }

# --- the tables ----------------------------------------------------------------------------
# A row of a benchmark's table: the label, then min, median and the time outside the send.
table_rows() {
  awk -v skip="$2" 'NR > skip && NF >= 4 && $(NF) ~ /^[0-9.]+$/ && $(NF-2) ~ /^[0-9.]+$/ {
      label = $0; sub(/[ ]+[0-9.]+[ ]+[0-9.]+[ ]+[0-9.]+[ ]*$/, "", label)
      printf "| %s | %s | %s | %s |\n", label, $(NF-2), $(NF-1), $(NF) }' "$1"
}

# Intervals between the exchanges of each timer in the log, from their request records: the
# trap test reads ten values starting with the heading, the arrest writes the deceleration
# alone, the trap gate reads five starting with the crash flag, the hot-key poll reads the
# key counter alone. The gate and the poll are off during the arrest: intervals across it
# are left out. Prints: timer asked count median p90 max (nearest-rank percentiles).
cadence() {
  awk '
    /"exchange":/ {
      t = $0; sub(/^\{"t":/, "", t); sub(/,.*/, "", t)
      n = gsub(/"op":/, "&")
      match($0, /"op":"[a-z]+","offset":"0x[0-9A-F]+"/)
      first = substr($0, RSTART, RLENGTH)
      kind = ""
      if (n == 10 && first ~ /"read","offset":"0x0580"/) kind = "trap"
      else if (n == 1 && first ~ /"write","offset":"0x3070"/) kind = "arrest"
      else if (n == 5 && first ~ /"read","offset":"0x0840"/) kind = "gate"
      else if (n == 1 && first ~ /"read","offset":"0x32FE"/) kind = "poll"
      if (kind == "") next
      count[kind]++; at[kind, count[kind]] = t
      if (kind == "arrest") { if (from == "") from = t; to = t }
    }
    END {
      split("trap arrest gate poll", kinds, " ")
      split("50 10 1000 250", asked, " ")
      split("trap test (tmrCheckForCatch)|arrest (tmrDecel)|trap gate (tmrIsCatchCheckNeeded)|hot-key poll (tmrKeystroke)", names, "|")
      for (k = 1; k <= 4; k++) {
        kind = kinds[k]; m = 0; delete v
        for (i = 2; i <= count[kind]; i++) {
          a = at[kind, i - 1]; b = at[kind, i]
          if ((kind == "gate" || kind == "poll") && from != "" && a <= to && b >= from) continue
          v[++m] = b - a
        }
        if (m == 0) { printf "%s|%s|0|||\n", names[k], asked[k]; continue }
        for (i = 2; i <= m; i++) { x = v[i]; for (j = i - 1; j >= 1 && v[j] > x; j--) v[j + 1] = v[j]; v[j + 1] = x }
        r50 = int(0.5 * m); if (r50 < 0.5 * m) r50++
        r90 = int(0.9 * m); if (r90 < 0.9 * m) r90++
        printf "%s|%s|%d|%d|%d|%d\n", names[k], asked[k], m, v[r50], v[r90], v[m]
      }
    }' "$1"
}

idle() { sed -n "s/.*\b$1=\([0-9.]*\).*/\1/p" "$out/idle.txt"; }
percent() {  # percent TICKS: share of one core over the measured time
  awk -v t="$1" -v hz="$(idle clock_ticks)" -v s="$(idle seconds)" 'BEGIN { printf "%.2f %%", t / hz / s * 100 }'
}

{
  version=$(/usr/lib/wine/wine --version 2>/dev/null || /usr/lib/wine/wine64 --version)
  programs="the 32-bit programs"
  [ "$cross" = win64 ] && programs="the 64-bit build of the same sources (this machine runs no 32-bit programs)"
  echo "Measured $(date -u +%Y-%m-%d) on $(nproc) cores (load average at the start: $load), $version, with $programs."
  echo
  echo "Link exchange against fsstandin.exe, microseconds per exchange ($(head -1 "$out/link.txt" | sed 's/;.*//')):"
  echo
  echo "| exchange | min | median | outside the send |"
  echo "|---|---|---|---|"
  table_rows "$out/link.txt" 3
  echo
  grep '^ratio\|^client' "$out/link.txt" | sed 's/^/- /'
  echo
  echo "Handler ticks over the link against fsstandin.exe, microseconds per tick ($(head -1 "$out/ticks.txt" | sed 's/;.*//')):"
  echo
  echo "| tick | min | median | outside the send |"
  echo "|---|---|---|---|"
  table_rows "$out/ticks.txt" 3
  echo
  echo "Timer cadence of Hookfast_EN.exe under Wine, from the stand-in's log of the hooked approach (ms):"
  echo
  echo "| timer | asked | intervals | median | 90th percentile | max |"
  echo "|---|---|---|---|---|---|"
  cadence "$out/cadence.jsonl" | awk -F'|' '{ printf "| %s | %s | %s | %s | %s | %s |\n", $1, $2, $3, $4, $5, $6 }'
  echo
  echo "Idle CPU over $(idle seconds) s, Hookfast_EN.exe connected, aircraft far from any zone (share of one core):"
  echo
  echo "| process | CPU |"
  echo "|---|---|"
  echo "| Hookfast_EN.exe | $(percent "$(idle program)") |"
  echo "| wineserver (serves both) | $(percent "$(idle wineserver)") |"
  echo "| fsstandin.exe | $(percent "$(idle standin)") |"
  echo
  sizes
} | tee "$out/figures.md"
