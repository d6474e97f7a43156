#!/usr/bin/env bash
# Writes a flight scenario of the stand-in with its flight held until the test's "ready"
# signal, so that the aircraft comes in only once the program operates, however long its
# start takes on a busy machine:
#   hold-scenario.sh SCENARIO OUT
# Before the first approach the aircraft waits parked where that approach touches down (the
# program sees the same carrier nearest as on the approach), until `wait ready`; the commands
# after it count from the signal as they counted from the start.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 SCENARIO OUT" >&2; exit 2; }
awk '
  # approach NAME touchdown LAT LON deck METRES ... heading DEGREES ...
  $1 == "approach" {
    for (i = 3; i < NF; i++) {
      if ($i == "touchdown") { lat[$2] = $(i + 1); lon[$2] = $(i + 2) }
      if ($i == "deck") deck[$2] = $(i + 1)
      if ($i == "heading") heading[$2] = $(i + 1)
    }
  }
  !held && $1 == "at" && $3 == "approach" {
    if (!($4 in heading)) { print "no touchdown for approach " $4 > "/dev/stderr"; exit 1 }
    print "at 0 place " lat[$4] " " lon[$4] " deck " deck[$4] " heading " heading[$4]
    print "at 0 wait ready"
    held = 1
  }
  { print }
  END { if (!held) { print "no approach in " FILENAME > "/dev/stderr"; exit 1 } }' "$1" >"$2"
