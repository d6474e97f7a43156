#!/usr/bin/env bash
# Runs one Win32 client under Wine and a virtual X display, beside the simulator stand-in.
#
#   run-wine.sh [OPTIONS] [--standin STANDIN-ARGS...] -- CLIENT [CLIENT-ARGS...]
#
# OPTIONS
#   --build DIR     native build folder; the Wine prefix lives in DIR/wineprefix
#                   (default: $HF_NATIVE_BUILD_DIR)
#   --win32 DIR     cross build folder holding sim/fsstandin.exe (default: $HF_WIN32_BUILD_DIR)
#   --log FILE      the stand-in writes its exchange log (JSON lines) to FILE
#   --out FILE      also copy the client's output (stdout and stderr) to FILE
#   --timeout S     stop the client after S seconds (default 120; exit status 124)
#   --no-standin    run the client with no stand-in at all
#   --standin ARGS  everything up to "--" goes to fsstandin.exe (see sim/StandInOptions.h:
#                   --class FS98MAIN|UIPCMAIN|both, --version N, --sim N, --sim-word N,
#                   --reply N, --delay-ms N, --poke OFF=VAL[:SIZE], --text OFF=TEXT,
#                   --scenario FILE, --trace FILE ...; files as Windows paths, Z:\...)
#
# CLIENT is a path (absolute, or relative to the cross build folder). A name ending in .exe
# runs under Wine. Anything else (a test's own script) runs directly with the environment
# below, so it can start Wine programs itself, read window texts or take screenshots with
# `import -display "$DISPLAY" -window root shot.png`.
#
# Environment given to the client: WINEPREFIX, WINEARCH=win32, WINEDEBUG=-all, DISPLAY,
# HF_WIN32_BUILD_DIR, HF_STANDIN_LOG (the log file, if any). Unix paths reach Windows
# programs as Z: paths: /a/b becomes Z:\a\b.
#
# Exit status: the client's. 125 when the runner itself could not set up (no prefix, no
# stand-in window within 30 s). The stand-in is always stopped and `wineserver -k` always
# run at the end; one run at a time uses a prefix (a lock next to it serialises them).
set -uo pipefail

die() { echo "run-wine: $*" >&2; exit 125; }
winpath() { local p; p=$(realpath -m "$1"); echo "Z:${p//\//\\}"; }

build=${HF_NATIVE_BUILD_DIR:-}
win32=${HF_WIN32_BUILD_DIR:-}
log=""
out=""
timeout_s=120
standin=1
standin_args=()
inner=0

while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;;
    --win32) win32=$2; shift 2 ;;
    --log) log=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --timeout) timeout_s=$2; shift 2 ;;
    --no-standin) standin=0; shift ;;
    --inner) inner=1; shift ;;
    --standin)
      shift
      while [ $# -gt 0 ] && [ "$1" != "--" ]; do standin_args+=("$1"); shift; done ;;
    --) shift; break ;;
    *) die "unknown option $1 (the client comes after --)" ;;
  esac
done
[ $# -ge 1 ] || die "no client given"
[ -n "$build" ] || die "no native build folder (--build or HF_NATIVE_BUILD_DIR)"
[ -n "$win32" ] || die "no cross build folder (--win32 or HF_WIN32_BUILD_DIR)"
build=$(realpath -m "$build")
win32=$(realpath -m "$win32")

export WINEPREFIX="$build/wineprefix"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko installer prompts
export HF_WIN32_BUILD_DIR="$win32"

if [ "$inner" -eq 0 ]; then
  # Outer half: take the prefix lock, then run the inner half under its own X display.
  mkdir -p "$build" || die "cannot create $build"
  exec 9>"$build/wineprefix.lock"
  flock 9 || die "cannot lock the Wine prefix"
  args=(--inner --build "$build" --win32 "$win32" --timeout "$timeout_s")
  [ -n "$log" ] && args+=(--log "$log")
  [ -n "$out" ] && args+=(--out "$out")
  if [ "$standin" -eq 1 ]; then args+=(--standin "${standin_args[@]}"); else args+=(--no-standin); fi
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "${args[@]}" -- "$@"
fi

# Inner half: the display is up and the prefix is ours.
tmp=$(mktemp -d "${TMPDIR:-/tmp}/hf-wine.XXXXXX") || die "no temporary folder"
standin_pid=""

cleanup() {
  if [ -n "$standin_pid" ] && kill -0 "$standin_pid" 2>/dev/null; then
    : >"$tmp/stop"
    for _ in $(seq 50); do kill -0 "$standin_pid" 2>/dev/null || break; sleep 0.1; done
    kill "$standin_pid" 2>/dev/null
  fi
  wineserver -k 2>/dev/null
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

if [ ! -f "$WINEPREFIX/.hf-initialised" ]; then
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || die "wineboot -i failed"
  wineserver -w
  : >"$WINEPREFIX/.hf-initialised"
fi
# The "MS Sans Serif" and "Small Fonts" bitmap fonts of every Windows (Debian's fonts-wine):
# without them in the prefix Wine draws another face with other widths, and no screenshot
# shows what a pilot sees.
fonts=(/usr/share/wine/fonts/sserife*.fon /usr/share/wine/fonts/smalle*.fon)
[ -f "${fonts[0]}" ] || die "no MS Sans Serif fonts in /usr/share/wine/fonts (package fonts-wine)"
cp -n "${fonts[@]}" "$WINEPREFIX/drive_c/windows/Fonts/" || die "cannot copy the fonts into the prefix"

if [ "$standin" -eq 1 ]; then
  exe="$win32/sim/fsstandin.exe"
  [ -f "$exe" ] || die "no $exe"
  sargs=(--ready-file "$(winpath "$tmp/ready")" --stop-file "$(winpath "$tmp/stop")")
  if [ -n "$log" ]; then
    mkdir -p "$(dirname "$log")"
    rm -f "$log"
    sargs+=(--log "$(winpath "$log")")
    export HF_STANDIN_LOG=$(realpath -m "$log")
  fi
  wine "$exe" "${sargs[@]}" "${standin_args[@]}" >"$tmp/standin.out" 2>&1 &
  standin_pid=$!
  for _ in $(seq 300); do
    [ -f "$tmp/ready" ] && break
    kill -0 "$standin_pid" 2>/dev/null || { cat "$tmp/standin.out" >&2; die "the stand-in ended early"; }
    sleep 0.1
  done
  [ -f "$tmp/ready" ] || die "the stand-in did not come up in 30 s"
fi

client=$1; shift
case "$client" in /*) ;; *) client="$win32/$client" ;; esac
[ -e "$client" ] || die "no client $client"
if [[ "$client" == *.exe ]]; then
  timeout "$timeout_s" wine "$client" "$@" >"$tmp/client.out" 2>&1
else
  timeout "$timeout_s" "$client" "$@" >"$tmp/client.out" 2>&1
fi
rc=$?
tr -d '\r' <"$tmp/client.out"
[ -n "$out" ] && tr -d '\r' <"$tmp/client.out" >"$out"
exit "$rc"
