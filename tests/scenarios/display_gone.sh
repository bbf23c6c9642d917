#!/usr/bin/env bash
# The desktop window loses its display (the X server under it is killed)
# while the GUI thread runs and collects: the process ends at once with a
# line that says so and status 1, as its own close ends it, without the exit
# handlers that would free what the GUI thread still uses; a sanitizer's
# report fails the test.
#   display_gone.sh TVUI WORK
set -u
tvui=$1
work=$2
rm -rf "$work"
mkdir -p "$work"
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done' EXIT
. "$(dirname "$0")/own_display.sh"
own_display "$work" 77

TVUI_ROOT="$work/set" "$tvui" --window --fresh >"$work/out.log" 2>&1 &
program=$!
pids+=("$program")
# Up once the set woke in the window: its loop draws and collects from then
# on. Each wait lasts as long as the program runs, however busy the machine:
# ctest's time-out ends a run that hangs.
while kill -0 "$program" 2>/dev/null && ! grep -q "wake up reason power" "$work/out.log"; do
  sleep 0.1
done
if ! grep -q "wake up reason power" "$work/out.log"; then
  echo "the window did not come up:"; cat "$work/out.log"
  exit 1
fi

kill "$xvfb"
wait "$program"
status=$?
fail=""
[ "$status" = 1 ] || fail="it ended with status $status, not 1"
grep -q "tvui: the display went away" "$work/out.log" || fail="$fail; it did not say that the display went away"
if grep -Eq "Sanitizer|runtime error|the set was reset" "$work/out.log"; then fail="$fail; it did not end cleanly"; fi
if [ -n "$fail" ]; then
  echo "${fail#; }:"; tail -n 80 "$work/out.log"
  exit 1
fi
echo "the process ended cleanly when its display went away"
