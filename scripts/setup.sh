#!/usr/bin/env bash
# Installs what the build, the tests and the demo need on a Debian machine (run as root, or with sudo).
set -euo pipefail
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
need=(cmake g++ make libgtest-dev libgmock-dev g++-mingw-w64-i686 wine wine32:i386 xvfb xauth
      imagemagick fonts-dejavu-core clang libclang-rt-14-dev python3 gnuplot-nox)
missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  $SUDO dpkg --add-architecture i386
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
