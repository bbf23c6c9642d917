#!/usr/bin/env bash
# The set's threads running together, as they do on the set: the desktop
# window on the host's clock, on an X display of its own, driven by a storm
# of remote keys for SECONDS (menus, their pages, the lists, the quick menu,
# the input list, the timer and record dialogs, volume and mute, standby and
# wake). Headless scenarios run the set's threads by turns on its own clock,
# where the thread sanitizer sees every access as ordered; here a race
# between them (the GUI loop and the monitor task, say) is there to be seen.
# The run fails on a sanitizer's report, and when its terminal shows fewer
# than MIN_SCREENS screens opened, MIN_KINDS kinds of screen besides the
# volume, mute and help bars, or MIN_CYCLES standby and wake cycles: a key
# that reaches the loop late is dropped by design, and the sanitizer slows
# the loop, so the keys are paced and the counts are floors. SIGTERM then
# ends it with 143. A set that does not reach standby or wake within two
# minutes of the host's clock fails it. Xvfb is needed: without it the test
# fails.
#   window_storm.sh TVUI WINDOW_KEYS WORK [SECONDS] [MIN_SCREENS] [MIN_KINDS] [MIN_CYCLES]
set -u
tvui=$1
keys=$2
work=$3
seconds=${4:-80}
min_screens=${5:-16}
min_kinds=${6:-6}
min_cycles=${7:-2}
rm -rf "$work"
mkdir -p "$work"
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done' EXIT
. "$(dirname "$0")/own_display.sh"
own_display "$work" 1

window_on "$tvui" "$work"

# A sanitizer's report ends the window at once: it is shown from its start.
fail() {
  echo "$1:"
  if grep -q "WARNING: ThreadSanitizer" "$work/out.log"; then
    sed -n '/WARNING: ThreadSanitizer/,$p' "$work/out.log" | head -n 120
  else
    tail -n 80 "$work/out.log"
  fi
  exit 1
}
count() { grep -cF -- "$1" "$work/out.log"; }
# Waits while the program runs, for two minutes at most, for the terminal
# to show the text COUNT times.
wait_for() {
  local text=$1 times=$2 since=$SECONDS
  while [ "$(count "$text")" -lt "$times" ]; do
    kill -0 "$program" 2>/dev/null || fail "the window ended while it waited for \"$text\""
    (( SECONDS - since < 120 )) || fail "the terminal did not show \"$text\" $times times within two minutes"
    sleep 0.1
  done
}
press() {
  local key
  for key in "$@"; do
    kill -0 "$program" 2>/dev/null || fail "the window ended in the storm"
    "$keys" tvui key "$key" >/dev/null 2>&1 || true
    sleep "${pace:-0.2}"
  done
}

wait_for "tvui: the window shows the set" 1
start=$SECONDS
cycles=0
# Each round opens screens of every sub-system the remote reaches, leaves
# each by EXIT or BACK, and ends in standby and out of it. Nothing here
# confirms a question: the storm changes the set's state only as far as
# a viewer browsing would.
while (( SECONDS - start < seconds )); do
  press m Down Right Down Escape   m Right Right Down Left BackSpace Escape
  # The program guide, from the Record page.
  pace=0.4 press m Up Up Up Right Return Down Escape
  press g Down Down Escape   s Down Down Escape   q Right Down Escape
  press b Escape   o Escape   i i Escape   plus minus u u   PageUp PageDown
  press 7 Return   f l   Escape c
  taken=$(count "Standby event received by standby machine")
  on=$(count "tvui: the set is on")
  # The power key: to standby in the turn that takes it (a press that came
  # late is pressed again), then out of it, which the middleware takes
  # however late.
  since=$SECONDS
  until [ "$(count "Standby event received by standby machine")" -gt "$taken" ]; do
    (( SECONDS - since < 120 )) || fail "the set did not take the power key within two minutes"
    press p
    for ((tries = 0; tries < 50; ++tries)); do
      [ "$(count "Standby event received by standby machine")" -gt "$taken" ] && break
      sleep 0.1
    done
  done
  wait_for "tvui: the set is in standby" $((cycles + 1))
  press p
  wait_for "tvui: the set is on" $((on + 1))
  cycles=$((cycles + 1))
done

kill -TERM "$program"
wait "$program"
status=$?
if grep -Eq "Sanitizer|runtime error|the set was reset" "$work/out.log"; then
  fail "a sanitizer or the set reported an error"
fi
[ "$status" = 143 ] || fail "it ended with status $status on SIGTERM, not 143"
screens=$(count "tvui: the window opened ")
kinds=$(grep -F "tvui: the window opened " "$work/out.log" |
        grep -vE "::(CommonVolumeBar|CommonMuteBar|HelpBar)$" | sort -u | wc -l)
echo "the storm ran $((SECONDS - start)) s: $screens screens opened, $kinds kinds besides the bars," \
     "$cycles standby and wake cycles"
[ "$screens" -ge "$min_screens" ] || fail "only $screens screens opened, fewer than $min_screens"
[ "$kinds" -ge "$min_kinds" ] || fail "only $kinds kinds of screen besides the bars opened, fewer than $min_kinds"
[ "$cycles" -ge "$min_cycles" ] || fail "only $cycles standby and wake cycles, fewer than $min_cycles"
