#!/usr/bin/env bash
# Prints the kind of Windows program Wine can run on this machine: win32 when Wine's 32-bit
# loader starts (the shipped programs are 32-bit), else win64 when its 64-bit one does (a
# kernel without 32-bit emulation: then the Wine tests and the demo run a 64-bit build of
# the same sources). Fails, saying so, when Wine can run neither.
if /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo win32
elif /usr/lib/wine/wine64 --version >/dev/null 2>&1; then
  echo win64
else
  echo "wine-arch: Wine starts neither 32-bit nor 64-bit programs here" >&2
  exit 1
fi
