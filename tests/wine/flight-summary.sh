#!/usr/bin/env bash
# Sums up a flight in the stand-in's exchange log (JSON lines) as name=value lines:
#
#   flight-summary.sh LOG
#
#   planned_touchdown_ms  touchdown_ms  touchdown_noted_ms  touchdown_lat  touchdown_lon
#   touchdown_speed       first_exchange_ms  samples_before_first_exchange  samples
#   decel_writes  decel_values  first_decel_ms  last_decel_ms  lateral_writes
#   decel_interval_median_ms  decel_interval_p90_ms  decel_interval_max_ms
#   stopped_ms  stop_after_first_decel_ms  decel_after_stop  last_sample_speed  scenario_end_ms
#
# Times are ms on the stand-in's clock. *_ms of the touchdown and the stop are the model's
# exact times; *_noted_ms and the write times are when the stand-in logged them. Percentiles
# are nearest-rank. A value that did not happen is left empty.
set -euo pipefail
[ $# -eq 1 ] && [ -f "$1" ] || { echo "usage: $0 LOG" >&2; exit 2; }
log=$1

# The decel write times, then the gaps between them, sorted.
intervals=$(grep '"event":"accel","detail":"offset=0x3070 ' "$log" |
  sed -E 's/^\{"t":([0-9]+),.*/\1/' | awk 'NR > 1 { print $1 - p } { p = $1 }' | sort -n)
rank() {  # rank FRACTION: the nearest-rank percentile of the intervals
  [ -n "$intervals" ] || { echo ""; return; }
  awk -v f="$1" '{ v[NR] = $1 } END { r = int(f * NR); if (r < f * NR) r++; if (r < 1) r = 1; print v[r] }' \
    <<<"$intervals"
}
echo "decel_interval_median_ms=$(rank 0.5)"
echo "decel_interval_p90_ms=$(rank 0.9)"
echo "decel_interval_max_ms=$(rank 1.0)"

awk '
  function field(detail, key,    n, i, words, kv) {
    n = split(detail, words, " ")
    for (i = 1; i <= n; i++) {
      split(words[i], kv, "=")
      if (kv[1] == key) return substr(words[i], length(key) + 2)
    }
    return ""
  }
  {
    t = $0; sub(/^\{"t":/, "", t); sub(/,.*/, "", t)
    detail = ""
    if (match($0, /"detail":"[^"]*"/)) detail = substr($0, RSTART + 10, RLENGTH - 11)
  }
  /"exchange":/ && first_exchange == "" { first_exchange = t }
  /"event":"flight"/ {
    samples++
    if (first_exchange == "") before++
    last_speed = field(detail, "speed")
  }
  /"event":"planned-touchdown"/ { planned = field(detail, "t") }
  /"event":"touchdown"/ && touchdown == "" {
    touchdown = field(detail, "t"); noted = t
    lat = field(detail, "lat"); lon = field(detail, "lon"); speed = field(detail, "speed")
  }
  /"event":"stopped"/ && stopped == "" { stopped = field(detail, "t") }
  /"event":"scenario-end"/ { scenario_end = t }
  /"event":"accel"/ {
    if (field(detail, "offset") == "0x3070") {
      writes++
      if (first_decel == "") first_decel = t
      last_decel = t
      value = field(detail, "value")
      if (index(" " values " ", " " value " ") == 0) values = values (values == "" ? "" : " ") value
      if (stopped != "" && t + 0 > stopped + 0) after_stop++
    } else if (field(detail, "offset") == "0x3060") {
      lateral++
    }
  }
  END {
    print "planned_touchdown_ms=" planned
    print "touchdown_ms=" touchdown
    print "touchdown_noted_ms=" noted
    print "touchdown_lat=" lat
    print "touchdown_lon=" lon
    print "touchdown_speed=" speed
    print "first_exchange_ms=" first_exchange
    print "samples=" samples + 0
    print "samples_before_first_exchange=" before + 0
    print "decel_writes=" writes + 0
    print "decel_values=" values
    print "first_decel_ms=" first_decel
    print "last_decel_ms=" last_decel
    print "lateral_writes=" lateral + 0
    print "stopped_ms=" stopped
    print "stop_after_first_decel_ms=" (stopped != "" && first_decel != "" ? stopped - first_decel : "")
    print "decel_after_stop=" after_stop + 0
    print "last_sample_speed=" last_speed
    print "scenario_end_ms=" scenario_end
  }
' "$log"
