#!/usr/bin/env bash
# Prints a scenario for tvui: the set switched on, then COUNT (default 2000)
# remote keys drawn at random from SEED (default 1), power keys left out so the
# interface stays on, with 40 ms of the set's clock after each key. Every
# hundred keys the engine must not have reported an error (the runner also
# forgets the set's calls at each such line); every twentieth of the keys the
# runner prints the resident memory. A parental PIN is set, which random
# digits do not find: "Reset All" asks for it, and the reset would switch
# the set off halfway.
set -euo pipefail
count=${1:-2000}
seed=${2:-1}
awk -v count="$count" -v seed="$seed" 'BEGIN {
  split("INPUT 0 1 2 3 4 5 6 7 8 9 OK MENU LEFT RIGHT UP DOWN VOL+ VOL- CH+ CH- EXIT FP_VOL+ FP_VOL- FP_CH+ FP_CH- FP_MENU FP_INPUT", keys, " ")
  n = length(keys)
  srand(seed)
  print "# " count " random keys (seed " seed ")"
  print "advance 1000"
  print "store Password \"5821\""
  print "event 3 1"
  for (i = 0; i < count; ++i) {
    print "key " keys[int(rand() * n) + 1]
    print "advance 40"
    if (i % 100 == 99) print "expect no-output \"ERROR:\""
    if (count >= 20 && (i + 1) % int(count / 20) == 0) print "memory"
  }
}'
