#!/usr/bin/env bash
# The set's threads running together, as they do on the set: the desktop
# window on the host's clock, on an X display of its own, driven for SECONDS
# by a storm of remote keys (menus, their pages, the programme guide, the
# lists, the quick menu, the input list, the timer and record dialogs, a
# recording, volume and mute, a held key, standby and wake) while the world
# outside the set goes on through the window's lines (TVUI_WINDOW_LINES):
# the middleware's events of the air and the devices (a signal, the network,
# the USB port), the state manager's commands, its own standby and another
# process's on-screen display, the USB disk going out and in, the update
# service's answer. Headless scenarios run the set's threads by turns on its
# own clock, where the thread sanitizer sees every access as ordered; here a
# race between any of them and the screens is there to be seen.
#
# The run fails on a sanitizer's report, and when its terminal shows fewer
# than MIN_SCREENS screens opened, MIN_KINDS kinds of screen besides the
# volume, mute and help bars, or MIN_CYCLES standby and wake cycles of each
# kind (the viewer's power key, the state manager's own standby), or when a
# thread of the set or a kind of middleware event named below never showed
# its work: a key that reaches the loop late is dropped by design, and the
# sanitizer slows the loop, so the keys are paced and the counts are floors.
# SIGTERM then ends it with 143. A set that does not reach standby or wake
# within two minutes of the host's clock fails it. Xvfb is needed: without it
# the test fails.
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

# Opened for reading and writing, so that neither end waits for the other.
mkfifo "$work/outside"
exec 5<>"$work/outside"
export TVUI_WINDOW_LINES="$work/outside"
window_on "$tvui" "$work"

# A sanitizer's report ends the window at once: it is shown from its start.
fail() {
  echo "$1:"
  if grep -q "WARNING: ThreadSanitizer" "$work/out.log"; then
    sed -n '/WARNING: ThreadSanitizer/,$p' "$work/out.log" | head -n 160
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
hold() {
  "$keys" tvui hold "$1" "$2" >/dev/null 2>&1 || true
  sleep "${pace:-0.2}"
}
# What happens outside the set, as it happens.
happen() { printf '%s\n' "$*" >&5; }
# A key that the main menu takes without drawing anything, and once it has
# taken it, a happening outside the set: the sanitizer's history keeps only
# a moment of the GUI thread's drawing, so a race between the screens and
# the thread that the happening wakes is reported with the screens' side
# too.
press_as() {
  local key=$1
  shift
  press "$key"
  sleep 0.3
  happen "$@"
  sleep "${pace:-0.2}"
}
opened() { count "tvui: the window opened $1"; }
# The pages that open beside the main menu's carousel as it turns.
pages() {
  grep -E "tvui: the window opened MenuSystem::(Brcm[A-Za-z]*Menu|ChangePinMenu|EnterPinMenu)$" "$work/out.log" |
    grep -v BrcmMainMenu
}
# Turns the main menu's carousel until the topic's page stands beside it,
# waiting for each page to open before the next key.
to_topic() {
  local page=$1 seen tries waited
  seen=$(pages | wc -l)
  press m
  for ((tries = 0; tries < 8; ++tries)); do
    for ((waited = 0; waited < 100; ++waited)); do
      [ "$(pages | wc -l)" -gt "$seen" ] && break
      sleep 0.1
    done
    seen=$(pages | wc -l)
    [ "$(pages | tail -n 1)" = "tvui: the window opened $page" ] && return 0
    press Down
  done
  return 1
}
standby() { count "tvui: the set is in standby"; }
on() { count "tvui: the set is on"; }
# The viewer's power key: to standby in the turn that takes it (a press that
# came late is pressed again).
power_off() {
  local taken since=$SECONDS tries
  taken=$(count "Standby event received by standby machine")
  until [ "$(count "Standby event received by standby machine")" -gt "$taken" ]; do
    (( SECONDS - since < 120 )) || fail "the set did not take the power key within two minutes"
    press p
    for ((tries = 0; tries < 50; ++tries)); do
      [ "$(count "Standby event received by standby machine")" -gt "$taken" ] && break
      sleep 0.1
    done
  done
}

# Standby, then the power key that wakes the set: the state manager's own
# standby, which comes as the main menu takes a key, or the viewer's power
# key.
cycle() {
  local off was_on
  off=$(standby)
  was_on=$(on)
  if [ "$1" = state-manager ]; then
    # Once the carousel has come to rest.
    sleep 1
    press_as Left standby
    press Down Down
    by_state_manager=$((by_state_manager + 1))
  else
    power_off
  fi
  wait_for "tvui: the set is in standby" $((off + 1))
  press p
  wait_for "tvui: the set is on" $((was_on + 1))
  cycles=$((cycles + 1))
}

wait_for "tvui: the window shows the set" 1
start=$SECONDS
cycles=0
by_state_manager=0
# Each round opens screens of every sub-system the remote reaches, leaves
# each by EXIT or BACK, and goes to standby and out of it twice; it
# confirms nothing but a recording. Around the keys the world outside the
# set goes on.
while (( SECONDS - start < seconds )); do
  # A recording for half an hour, which the disk taken out below ends.
  press o Return
  sleep 1
  press Escape c
  # The main menu takes keys, one held, while another process shows its
  # display and hides it, the state manager's commands come, the air sends
  # its events, the USB disk goes out (ending the recording) and in, the
  # update service answers and the state manager ends the period. The menu
  # takes only such keys at first, so that a thread that wakes of itself
  # (the watchdog every 2 s) meets the screens' side while it is kept.
  press m
  sleep 1
  press_as Left osd 1
  press_as Left command 16
  press_as Left dispatch update-result 0
  press_as Left usb remove
  press_as Left event XPM_EVENT_SOURCE_SIGNAL_DETECTED SourceId=3 Detected=1
  press Down
  sleep 1
  press_as Left command 12 1
  press_as Left osd 0
  press_as Left event XPM_EVENT_NETWORK_STATUS Status=1
  press_as Left usb insert
  hold Down 900
  cycle state-manager
  # The programme guide by the Record topic's first row; resting on a channel
  # of its channel column tunes it.
  if to_topic MenuSystem::BrcmRecordMenu; then
    pace=0.4 press Right Return Down Left Down
    sleep 1
    press Escape c
  fi
  # The USB port's over-current.
  happen event 105
  press Escape c
  press m Down Right Down Escape   m Right Right Down Left BackSpace Escape
  press g Down Down Escape   s Down Down Escape   q Right Down Escape
  press b Escape   i i Escape   plus minus u u
  press 7 Return   f l   Escape c
  cycle power-key
done

kill -TERM "$program"
wait "$program"
status=$?
if grep -Eq "Sanitizer|runtime error|the set was reset|^tvui: $work/outside:[0-9]+: .* failed: " "$work/out.log"; then
  fail "a sanitizer, the set or a line of the world outside it reported an error"
fi
[ "$status" = 143 ] || fail "it ended with status $status on SIGTERM, not 143"
screens=$(count "tvui: the window opened ")
kinds=$(grep -F "tvui: the window opened " "$work/out.log" |
        grep -vE "::(CommonVolumeBar|CommonMuteBar|HelpBar)$" | sort -u | wc -l)
periods=$(($(count "(APP:vg_task: Started)") - 1))
echo "the storm ran $((SECONDS - start)) s: $screens screens opened, $kinds kinds besides the bars," \
     "$cycles standby and wake cycles ($by_state_manager by the state manager), $periods periods begun again"

# The middleware's events that reached the screens, by kind (their numbers
# as the GUI thread logs them, in hex), and the threads of the set by the
# work they showed.
events() { grep -cE "vg_xpmEventCallback: Cookie = [0-9a-f]+, Event = ($1)\$" "$work/out.log"; }
missing=()
reached=()
check() {
  local name=$1 got=$2
  if [ "$got" -gt 0 ]; then reached+=("$name $got"); else missing+=("$name"); fi
}
check "channel events" "$(events '13|14|15|16')"
check "signal events" "$(events '5|6|47')"
check "network events" "$(events '51|52|54|55')"
check "USB events" "$(events '39|69|70')"
check "recording events" "$(events '6f|75|76')"
commanded=$(events '57|58|59|5a|5b|5c|6c|6e')
check "the middleware's event thread (xpmEventCallback)" "$(($(events '[0-9a-f]+') - commanded))"
check "the command task (ExecuteCommand)" "$commanded"
check "the state manager's OSD callback" "$(count "One or more OSDs are active")"
check "app_main past TVSM_WaitForStandby" "$periods"
check "the media library's job queue" "$(count "SIMTV: psl_library runs the first job asked of it")"
check "the answer queue" "$(count "SIMTV: simtv_answers runs the first job asked of it")"
check "the hardware watchdog thread" "$(count "SIMTV: the hardware watchdog is armed with a time-out of 60 s")"
check "the programme guide" "$(opened Channels::FullEPGDialog)"
echo "it reached: $(IFS=,; echo "${reached[*]}" | sed 's/,/, /g')"
[ "${#missing[@]}" -eq 0 ] || fail "it never reached: $(IFS=,; echo "${missing[*]}" | sed 's/,/, /g')"
[ "$screens" -ge "$min_screens" ] || fail "only $screens screens opened, fewer than $min_screens"
[ "$kinds" -ge "$min_kinds" ] || fail "only $kinds kinds of screen besides the bars opened, fewer than $min_kinds"
(( by_state_manager >= min_cycles && cycles - by_state_manager >= min_cycles )) ||
  fail "only $by_state_manager standby and wake cycles by the state manager and $((cycles - by_state_manager))" \
       "by the power key, fewer than $min_cycles of each"
(( periods >= cycles )) || fail "only $periods periods begun again after $cycles standby and wake cycles"
