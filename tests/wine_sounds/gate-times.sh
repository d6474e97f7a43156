#!/usr/bin/env bash
# gate-times.sh LOG: the times (ms, one per line) of the trap gate's five-value reads in a
# stand-in log: the exchanges that hold exactly the reads of 0x0840, 0x0366, 0x0BE8, 0x3090
# and 0x05DC, in that order.
set -euo pipefail
want="read:0x0840:2 read:0x0366:2 read:0x0BE8:4 read:0x3090:8 read:0x05DC:2"
grep '"exchange":' "$1" | while IFS= read -r line; do
  records=$(grep -o '"op":"[a-z]*","offset":"0x[0-9A-F]*","size":[0-9]*' <<<"$line" \
              | sed 's/"op":"\([a-z]*\)","offset":"\(0x[0-9A-F]*\)","size":\([0-9]*\)/\1:\2:\3/' \
              | tr '\n' ' ')
  if [ "${records% }" = "$want" ]; then
    sed 's/^{"t":\([0-9]*\),.*/\1/' <<<"$line"
  fi
done
