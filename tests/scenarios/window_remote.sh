#!/usr/bin/env bash
# The desktop window as the remote control, on an X display of its own: the
# terminal says that the set is starting while the window waits for it; the
# set comes up on live television (tv on); P takes it to standby and the
# window goes dark but for the standby lamp; P wakes it; the green key opens
# the scheduled recordings over the picture; SIGTERM, in standby, ends the
# process (77: no Xvfb on this machine). Each step waits for what it expects
# as long as the program runs, however busy the machine: ctest's time-out
# ends a run that hangs.
#   window_remote.sh TVUI WINDOW_KEYS WORK
set -u
tvui=$1
keys=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done' EXIT
. "$(dirname "$0")/own_display.sh"
own_display "$work" 77

window_on "$tvui" "$work"

fail() {
  echo "$1:"; tail -n 60 "$work/out.log"
  exit 1
}
# Waits while the program runs for the output to hold the text COUNT times.
wait_for() {
  local text=$1 count=${2:-1} seen
  for (( ; ; )); do
    seen=$(grep -cF -- "$text" "$work/out.log")
    [ "${seen:-0}" -ge "$count" ] && return 0
    kill -0 "$program" 2>/dev/null || fail "the window never printed \"$text\" $count times"
    sleep 0.1
  done
}
middle() { "$keys" tvui pixel 480 270; }
# The window is on the host's clock, and the set drops a key that reaches
# its GUI loop more than 100 ms after the press (a key that waited behind a
# long turn, which a busy machine's scheduler can make of any turn). A key
# the loop takes shows its effect in that turn, so a key whose effect has not
# come five seconds after the press was dropped: it is pressed again, as a
# viewer would, while the program runs. DONE is a command that tells
# whether the effect has come.
press_until() {
  local key=$1 done=$2 tries
  while kill -0 "$program" 2>/dev/null; do
    "$keys" tvui key "$key" || fail "${key^^} could not be pressed"
    for ((tries = 0; tries < 50; ++tries)); do
      eval "$done" && return 0
      sleep 0.1
    done
  done
  fail "the window never took ${key^^} ($done)"
}
shown() { [ "$(grep -cF -- "$1" "$work/out.log")" -ge "$2" ]; }
picture=0x282830

wait_for "tvui: the window shows the set"
starting=$(grep -nF "tvui: the set is starting" "$work/out.log" | cut -d: -f1)
shows=$(grep -nF "tvui: the window shows the set" "$work/out.log" | cut -d: -f1)
[ -n "$starting" ] && [ "$starting" -lt "$shows" ] || fail "the terminal did not say that the set was starting before it showed"
[ "$(middle)" = "$picture" ] || fail "live television shows $(middle) in the middle, not the picture's $picture"
# The standby machine says so in the turn that takes P.
press_until p 'shown "Standby event received by standby machine" 1'
wait_for "tvui: the set is in standby"
[ "$(middle)" = 0x000000 ] || fail "in standby the middle of the window is $(middle), not dark"
# In standby the middleware keeps the power key and wakes the set with it,
# however late: one press.
"$keys" tvui key p || fail "P could not be pressed"
wait_for "**** wake up reason power" 2
wait_for "tvui: the set is on"
[ "$(middle)" = "$picture" ] || fail "awake again the window shows $(middle) in the middle, not the picture"
press_until g '[ "$(middle)" != "$picture" ]'
press_until p 'shown "Standby event received by standby machine" 2'
wait_for "tvui: the set is in standby" 2

kill -TERM "$program"
wait "$program"
status=$?
[ "$status" = 143 ] || fail "it ended with status $status, not 143"
grep -q "tvui: terminated" "$work/out.log" || fail "it did not say that it was terminated"
if grep -Eq "Sanitizer|runtime error|the set was reset" "$work/out.log"; then fail "it did not end cleanly"; fi
echo "the window switched the set off and on, took the green key and ended on SIGTERM"
