#!/usr/bin/env bash
# Installs what the build, the tests and the demo need on a Debian machine (run as root, or
# with sudo). Prints one line; the package manager's output only when the installation fails.
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"

# Package                 what calls it
need=(
  cmake                   # build.sh, test.sh: cmake, ctest
  make                    # the build files cmake writes
  g++                     # the native build
  libgtest-dev            # GoogleTest: the native library, and the sources the cross build uses
  libgmock-dev
  g++-mingw-w64-i686      # the 32-bit Windows programs (its -win32 compilers); its binutils
                          # strip the release and check it (objdump, strip, dlltool)
  g++-mingw-w64-x86-64-win32  # the same programs as 64-bit Windows programs, for the Wine
                          # tests where the kernel runs no 32-bit programs (wine-arch.sh)
  clang                   # the optional fuzzing build (tests/profile)
  libclang-rt-14-dev
  wine                    # the Wine tests and the demo: wine, wineboot, wineserver
  wine32:i386
  wine64                  # Wine's 64-bit loader, for that 64-bit build
  libasound2:i386         # Wine's audio output (the sound tests give it a null device)
  xvfb                    # run-wine.sh: Xvfb
  xauth                   # xvfb-run
  imagemagick             # screenshots (import)
  fonts-dejavu-core       # the plots' labels
  fonts-wine              # run-wine.sh: the MS Sans Serif and Small Fonts the windows are drawn with
  xdotool                 # keys and clicks into the virtual display
  python3                 # the operation tests' checks (tests/wine_ops), the demo's narration
  gnuplot-nox             # the demo's plots
)
# Also called, from Debian's base system: bash, coreutils (od, realpath, timeout, seq...),
# util-linux (flock), diffutils (cmp), mawk, grep, sed, libc-bin (iconv).

missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "packages: all present"
  exit 0
fi

echo "packages: installing ${#missing[@]} (${missing[*]})"
log=$(mktemp)
if ! {
  $SUDO dpkg --add-architecture i386 &&
  $SUDO apt-get update -qq &&
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
} >"$log" 2>&1; then
  cat "$log" >&2
  rm -f "$log"
  echo "packages: installation failed" >&2
  exit 1
fi
rm -f "$log"
