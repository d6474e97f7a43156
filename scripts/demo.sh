#!/usr/bin/env bash
# The demo: the whole road through the real program under Wine. The simulator stand-in flies
# sim/flight/scenarios/demo.txt beside Hookfast_EN.exe (a copy of its release folder): the
# start and the carrier's announcement, an arrested landing, a catapult launch, a fuel load,
# a damage run and a hot key. One short line per step as it happens, then a summary, and
# plots of the arrest and of the launch (speed against time) as PNG files in build/.
#
#   scripts/demo.sh
#
# Installs what it needs (quietly, unless that fails) and builds only what it runs: the
# cross-built program, the stand-in and the window inspector.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${HF_BUILD:-$root/build}

if [ "${1:-}" = --inside ]; then
  # Run by run-wine.sh as its client: start the program, give the scenario its start signal
  # once the program operates, close the program at the scenario's end.
  folder=$2
  source "$root/tests/wine/program-client.sh"
  fail() { echo "demo: $*" >&2; inspect close >/dev/null 2>&1; exit 1; }
  start_program "$folder"
  log_holds '"message":' 1 60 || fail "the program's start showed no message in 60 s"
  echo "connection=$(inspect text lblConnectionInfo)"
  : >"$HF_SIGNAL_DIR/ready"
  inspect --wait 60 wait-text lblCableCatchStatus "Cables were CAUGHT." >/dev/null && echo "caught=1"
  log_holds '"event":"scenario-end"' 1 120 || fail "the scenario did not end in 120 s"
  inspect close >/dev/null
  inspect --wait 30 gone >/dev/null
  wait "$hf_program"
  exit
fi

out=$("$root/scripts/setup.sh" 2>&1) || { echo "$out"; echo "demo: installing the packages failed" >&2; exit 1; }
echo "packages: ready"
# The shipped 32-bit program; on a machine whose kernel cannot run 32-bit programs, the same
# sources built as a 64-bit program (scripts/wine-arch.sh).
arch=$("$root/scripts/wine-arch.sh") || { echo "demo: Wine cannot run here" >&2; exit 1; }
if [ "$arch" = win32 ]; then cross=win32 toolchain=mingw-i686; else cross=win64 toolchain=mingw-x86_64; fi
cmake -S "$root" -B "$build/$cross" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
out=$(cmake --build "$build/$cross" -j "$(nproc)" --target release_EN fsstandin hfinspect 2>&1) \
  || { echo "$out"; echo "demo: the build failed" >&2; exit 1; }
[ "$arch" = win32 ] || echo "build: this machine runs no 32-bit programs: the demo flies the 64-bit build of the same sources"
echo "build: Hookfast_EN.exe, fsstandin.exe and hfinspect.exe ready in $build/$cross"

winpath() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }
scenario="$root/sim/flight/scenarios/demo.txt"
log="$build/demo-standin.jsonl"
trace="$build/demo-trace.csv"
plots="$build/demo-plot"
client="$build/demo-client.out"
program="$build/demo-program"
rm -rf "$log" "$trace" "$client" "$program" "$plots"-* "$build"/demo-*.png
cp -r "$build/$cross/release/Hookfast_EN" "$program"

echo "--- the flight (seconds on the stand-in's clock)"
"$root/tests/wine/run-wine.sh" --build "$build/native" --win32 "$build/$cross" --log "$log" --out "$client" \
  --timeout 180 --standin --scenario "$(winpath "$scenario")" --trace "$(winpath "$trace")" \
  -- "$root/scripts/demo.sh" --inside "$program" >/dev/null &
runner=$!
told=0
python3 "$root/scripts/demo-narrate.py" "$log" "$scenario" "$plots" "$runner" || told=$?
status=0
wait "$runner" || status=$?
if [ "$status" -ne 0 ] || [ "$told" -ne 0 ]; then
  cat "$client" 2>/dev/null
  echo "demo: the run failed (Wine run $status, narration $told)" >&2
  exit 1
fi
sed -n 's/^connection=/program:          /p' "$client"

# Speed against time around the arrest and the launch, from the stand-in's 10 ms trace, with
# the program's writes at the speed it had read.
plot() {  # plot NAME TITLE [MORE-CURVES]
  local from to
  read -r from to < <(awk -v n="$1" '$1 == n { print $2, $3 }' "$plots-windows.txt")
  [ -n "$from" ] || { echo "(no $1 to plot)"; return; }
  gnuplot <<EOF
set terminal pngcairo size 900,500 font "DejaVu Sans,11" noenhanced
set output "$build/demo-$1.png"
set datafile separator ","
set title "$2"
set xlabel "time (s, on the stand-in's clock)"
set ylabel "forward speed (ft/s)"
set grid
set key top right
set yrange [0:*]
set xrange [$from/1000.0:$to/1000.0]
plot "$trace" every ::1 using (\$1/1000):2 with lines lw 2 lc rgb "#1f5fbf" title "forward speed (stand-in)", \
     "$plots-$1.csv" using (\$1/1000):2 with points pt 7 ps 0.6 lc rgb "#d04020" title "the program's writes, at the speed it read"${3:-}
EOF
  echo "plot:             $build/demo-$1.png"
}
plot arrest "Arrested landing: Hookfast_EN.exe brakes at -700 ft/s² every tick, down to a standstill" \
  ', "'"$trace"'" every ::1 using ($1/1000):(($3 - 19.2026335) * 10) with lines dt 3 lc rgb "gray30" title "height above the deck (m x 10)"'
plot launch "Catapult launch: Hookfast_EN.exe pushes at 700 ft/s² every tick up to the cut-off" \
  ', 202.68 with lines dt 2 lc rgb "gray40" title "cut-off, 120 kt (202.7 ft/s)"'
echo "files:            $log (exchange log), $trace (speed every 10 ms)"
