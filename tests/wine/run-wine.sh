#!/usr/bin/env bash
# Runs one Win32 client under Wine and a virtual X display, beside the simulator stand-in.
#
#   run-wine.sh [OPTIONS] [--standin STANDIN-ARGS...] -- CLIENT [CLIENT-ARGS...]
#
# OPTIONS
#   --build DIR     native build folder; the Wine prefixes live under DIR
#                   (default: $HF_NATIVE_BUILD_DIR)
#   --win32 DIR     cross build folder holding sim/fsstandin.exe (default: $HF_WIN32_BUILD_DIR)
#   --log FILE      the stand-in writes its exchange log (JSON lines) to FILE
#   --out FILE      also copy the client's output (stdout and stderr) to FILE
#   --timeout S     stop the client after S seconds (default 120; exit status 124)
#   --no-standin    run the client with no stand-in at all
#   --dpi N         the system's DPI: 96 (default) or 120 ("large fonts": the 120-DPI
#                   "MS Sans Serif" files registered, as Windows XP and 7 give such a system)
#   --screen WxH    the X display's size (default 1280x1024)
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
# Environment given to the client: WINEPREFIX, WINEARCH (win32, or win64 for a 64-bit build:
# then `wine` on its PATH is Wine's 64-bit loader), WINEDEBUG=-all, DISPLAY,
# HF_SCREEN (the display's size, WxH),
# HF_WIN32_BUILD_DIR, HF_STANDIN_LOG (the log file, if any), HF_SIGNAL_DIR (a folder: a
# file created there named like a scenario's `wait` lets the scenario go on). Unix paths
# reach Windows programs as Z: paths: /a/b becomes Z:\a\b.
#
# Runs in parallel: each run takes a free slot, a Wine prefix of its own (a copy of one
# prepared once per build folder and DPI) and an X display of its own (Xvfb picks a free number
# itself), so independent tests can run side by side. HF_WINE_SLOTS (default 4) is the
# number of slots; a run waits while all are taken.
#
# Exit status: the client's. 125 when the runner itself could not set up (no prefix, no
# display, no stand-in window within 60 s). The stand-in, the slot's wineserver and the
# display are always stopped at the end.
set -uo pipefail

die() { echo "run-wine: $*" >&2; exit 125; }
source "$(dirname "$0")/common.sh"

build=${HF_NATIVE_BUILD_DIR:-}
win32=${HF_WIN32_BUILD_DIR:-}
log=""
out=""
timeout_s=120
dpi=96
screen=1280x1024
standin=1
standin_args=()

while [ $# -gt 0 ]; do
  case "$1" in
    --build) build=$2; shift 2 ;;
    --win32) win32=$2; shift 2 ;;
    --log) log=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    --timeout) timeout_s=$2; shift 2 ;;
    --no-standin) standin=0; shift ;;
    --dpi) dpi=$2; shift 2 ;;
    --screen) screen=$2; shift 2 ;;
    --standin)
      shift
      while [ $# -gt 0 ] && [ "$1" != "--" ]; do standin_args+=("$1"); shift; done ;;
    --) shift; break ;;
    *) die "unknown option $1 (the client comes after --)" ;;
  esac
done
[ $# -ge 1 ] || die "no client given"
case "$dpi" in 96|120) ;; *) die "--dpi $dpi: only 96 and 120 have font files" ;; esac
[[ "$screen" =~ ^[0-9]+x[0-9]+$ ]] || die "--screen $screen: not WxH"
[ -n "$build" ] || die "no native build folder (--build or HF_NATIVE_BUILD_DIR)"
[ -n "$win32" ] || die "no cross build folder (--win32 or HF_WIN32_BUILD_DIR)"
build=$(realpath -m "$build")
win32=$(realpath -m "$win32")
mkdir -p "$build/wine-slots" || die "cannot create $build/wine-slots"

# The programs' own width: a 32-bit build runs in a 32-bit prefix, a 64-bit one (the build
# for machines that cannot run 32-bit Linux programs, where Wine's 32-bit loader cannot
# start) in a 64-bit prefix through Wine's 64-bit loader.
arch=$(wine_arch_of "$win32/sim/fsstandin.exe") || die "no Windows program $win32/sim/fsstandin.exe"
export WINEARCH=$arch
export WINEDEBUG=-all
# Wine names Unix files by the locale's character set: in a UTF-8 locale every Windows name
# (a folder in Polish or Cyrillic letters) reaches the disk as it is. The programs' own ANSI
# code page stays 1252 in C.UTF-8.
case "${LC_ALL:-${LC_CTYPE:-${LANG:-}}}" in
  *UTF-8*|*utf8*|*UTF8*|*utf-8*) ;;
  *) export LC_ALL=C.UTF-8 ;;
esac
export WINEDLLOVERRIDES="mscoree,mshtml="   # no Mono or Gecko installer prompts
export HF_WIN32_BUILD_DIR="$win32"

tmp=$(mktemp -d "${TMPDIR:-/tmp}/hf-wine.XXXXXX") || die "no temporary folder"
use_wine_loader "$arch" "$tmp/bin" || die "no Wine loader for $arch programs"
xvfb_pid=""
standin_pid=""
cleanup() {
  if [ -n "$standin_pid" ] && kill -0 "$standin_pid" 2>/dev/null; then
    : >"$tmp/stop"
    for _ in $(seq 50); do kill -0 "$standin_pid" 2>/dev/null || break; sleep 0.1; done
    kill "$standin_pid" 2>/dev/null
  fi
  # The slot's next run starts its own server only once this one has gone.
  [ -n "${WINEPREFIX:-}" ] && { wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; }
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$tmp"
}
trap cleanup EXIT

# wait_file FILE PID SECONDS WHAT OUTPUT: until FILE has something in it; gives up (status
# 125) when the process PID ends first (showing its OUTPUT) or the time runs out.
wait_file() {
  for _ in $(seq $(($3 * 10))); do
    [ -s "$1" ] && return 0
    kill -0 "$2" 2>/dev/null || { cat "$5" >&2; die "$4 ended early"; }
    sleep 0.1
  done
  die "$4 did not come up in $3 s"
}

# A display of our own: Xvfb writes the number it found free (no race between runs).
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -ac 3>"$tmp/display" >"$tmp/xvfb.out" 2>&1 &
xvfb_pid=$!
wait_file "$tmp/display" "$xvfb_pid" 60 "Xvfb" "$tmp/xvfb.out"
export DISPLAY=":$(head -1 "$tmp/display")"
export HF_SCREEN="$screen"

# The "MS Sans Serif" and "Small Fonts" bitmap fonts of every Windows (Debian's fonts-wine):
# without them in the prefix Wine draws another face with other widths, and no screenshot
# shows what a pilot sees. A large-fonts system has the 120-DPI "MS Sans Serif" files.
if [ "$dpi" = 96 ]; then
  suffix="${arch#win32}"
  fonts=(/usr/share/wine/fonts/sserife*.fon /usr/share/wine/fonts/smalle*.fon)
else
  suffix="${arch#win32}-dpi$dpi"
  fonts=(/usr/share/wine/fonts/sseriff*.fon /usr/share/wine/fonts/smalle*.fon)
fi
[ -f "${fonts[0]}" ] || die "no MS Sans Serif fonts in /usr/share/wine/fonts (package fonts-wine)"

# The prepared prefix: initialised once per build folder and DPI, then only copied. At
# another DPI than 96 the system's DPI is set where Windows and Wine keep it, and the
# 120-DPI files are registered as "MS Sans Serif" (else Wine keeps the 96-DPI ones).
template="$build/wineprefix$suffix"
(
  flock 8 || exit 1
  if [ ! -f "$template/.hf-initialised" ]; then
    rm -rf "$template"
    WINEPREFIX="$template" wineboot -i >/dev/null 2>&1 || exit 1
    WINEPREFIX="$template" wineserver -w
    if [ "$dpi" != 96 ]; then
      cp "${fonts[@]}" "$template/drive_c/windows/Fonts/" || exit 1
      reg="$template/drive_c/hf-dpi.reg"
      logpixels=$(printf 'dword:%08x' "$dpi")
      {
        printf 'REGEDIT4\r\n\r\n'
        for key in 'HKEY_CURRENT_USER\Control Panel\Desktop' 'HKEY_CURRENT_CONFIG\Software\Fonts' \
                   'HKEY_CURRENT_USER\Software\Wine\Fonts'; do
          printf '[%s]\r\n"LogPixels"=%s\r\n\r\n' "$key" "$logpixels"
        done
        printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts]\r\n'
        printf '"MS Sans Serif"="sseriff.fon"\r\n'
      } >"$reg"
      WINEPREFIX="$template" wine regedit /S 'C:\hf-dpi.reg' >/dev/null 2>&1 || exit 1
      WINEPREFIX="$template" wineserver -w
    fi
    : >"$template/.hf-initialised"
  fi
) 8>"$build/wineprefix$suffix.lock" || die "the Wine prefix for $dpi DPI could not be prepared"
stamp=$(stat -c '%Y.%i' "$template/.hf-initialised")

# A free slot: its lock stays held (descriptor 9) until this script ends.
slots=${HF_WINE_SLOTS:-4}
slot=""
while [ -z "$slot" ]; do
  for ((n = 0; n < slots; n++)); do
    exec 9>"$build/wine-slots/$n.lock"
    if flock -n 9; then slot=$n; break; fi
    exec 9>&-
  done
  [ -n "$slot" ] || sleep 0.2
done
export WINEPREFIX="$build/wine-slots/$slot/prefix$suffix"
if [ "$(cat "$WINEPREFIX/.hf-copy-of" 2>/dev/null)" != "$stamp" ]; then
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  cp -a "$template" "$WINEPREFIX" || die "cannot copy the Wine prefix"
  echo "$stamp" >"$WINEPREFIX/.hf-copy-of"
fi
cp -n "${fonts[@]}" "$WINEPREFIX/drive_c/windows/Fonts/" || die "cannot copy the fonts into the prefix"
wineserver -k 2>/dev/null && wineserver -w   # one left by a run that was killed

mkdir -p "$tmp/signals"
export HF_SIGNAL_DIR="$tmp/signals"
if [ "$standin" -eq 1 ]; then
  exe="$win32/sim/fsstandin.exe"
  [ -f "$exe" ] || die "no $exe"
  sargs=(--ready-file "$(winpath "$tmp/ready")" --stop-file "$(winpath "$tmp/stop")"
         --signal-dir "$(winpath "$tmp/signals")")
  if [ -n "$log" ]; then
    mkdir -p "$(dirname "$log")"
    rm -f "$log"
    sargs+=(--log "$(winpath "$log")")
    export HF_STANDIN_LOG=$(realpath -m "$log")
  fi
  wine "$exe" "${sargs[@]}" "${standin_args[@]}" >"$tmp/standin.out" 2>&1 &
  standin_pid=$!
  wait_file "$tmp/ready" "$standin_pid" 60 "the stand-in" "$tmp/standin.out"
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
