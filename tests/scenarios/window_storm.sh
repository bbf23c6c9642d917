#!/usr/bin/env bash
# The set's threads running together, as they do on the set: the desktop
# window on the host's clock, on an X display of its own, driven by a storm
# of remote keys (menus, their pages, the programme guide, the lists, the
# quick menu, the input list, the timer and record dialogs, a recording,
# volume and mute, a held key, standby and wake, the media player, the
# upcoming schedules, the recordings' library, the network's test, the
# software update's check and its updating dialog, the channel scan) while
# the world outside the set goes on through the window's lines
# (TVUI_WINDOW_LINES): the middleware's events of the air and the devices (a
# signal, the network, the USB port), the state manager's commands, its own
# standby and another process's on-screen display, the USB disk going out
# and in with the media stick, the update service's answer, the broadcast's
# time that brings a timer due. Headless scenarios run the set's threads by
# turns on its own clock, where the thread sanitizer sees every access as
# ordered; here the set's threads order the screens only through what they
# share on a set, so a race between the screens and a thread that the storm
# wakes is reported, as long as the sanitizer's history still holds both
# sides. The screens that a thread's work changes are open while it works:
# the media screens while the media library's jobs run, the schedules and
# the recordings' library while a timer comes due, the network test's page
# while the set answers it, the update's check and its updating dialog while
# the update service answers them, the channel scan's progress while the
# scan's steps report to it.
#
# The storm goes on in rounds for SECONDS at least, and until it has opened
# MIN_SCREENS screens and MIN_KINDS kinds of screen besides the volume, mute
# and help bars, made MIN_CYCLES standby and wake cycles of each kind (the
# viewer's power key, the state manager's own standby), reached every thread
# of the set and kind of middleware event named below, and every pair of a
# thread's work and its screen, and the update service has answered
# MIN_UPDATES update checks and as many updating dialogs, each while it was
# open, and MIN_SCANS channel scans have reported their steps to their
# progress. Past SECONDS a round does only what a floor still misses; no
# part of a round begins after CEILING seconds of storm. Nor does the storm
# outlast ctest's time-out (STORM_TIMEOUT, in seconds of the test): at that
# time-out less 120 s (the window's end on SIGTERM within 30 s, the X
# server's within 10 s and the report; the part that was running, whose
# waits then end at once, within about 15 s; and a minute to spare on a
# loaded machine), every wait, key and happening of the part that runs ends
# at once, the part and the storm with it, and the report names the floors
# missed. A part's own time-outs (a standby or wake may take two minutes,
# the guide three tries of the menu's carousel) would take it far past the
# ceiling on a machine slow enough to reach it. It fails on a sanitizer's
# report, and when any of these floors was not met, naming each: a key that
# reaches the loop late is dropped by design, and the sanitizer slows the
# loop, so the keys are paced, the menus are steered by the pages the window
# reports, and the counts are floors. SIGTERM then ends the window with 143,
# within 30 s, or it is killed and the test fails. A set that does not reach
# standby or wake within two minutes of the host's clock fails it. Xvfb is
# needed: without it the test fails.
#   window_storm.sh TVUI WINDOW_KEYS WORK [SECONDS] [MIN_SCREENS] [MIN_KINDS] [MIN_CYCLES] [CEILING] [MIN_UPDATES]
#                   [MIN_SCANS]
set -u
tvui=$1
keys=$2
work=$3
seconds=${4:-80}
min_screens=${5:-16}
min_kinds=${6:-6}
min_cycles=${7:-2}
ceiling=${8:-420}
min_updates=${9:-2}
min_scans=${10:-2}
# On the test's clock (SECONDS, from the script's start, the set's start
# too), where ctest's time-out counts.
deadline=$((${STORM_TIMEOUT:-600} - 120))
rm -rf "$work"
mkdir -p "$work"
pids=()
. "$(dirname "$0")/own_display.sh"
trap end_pids EXIT
own_display "$work" 1

# Opened for reading and writing, so that neither end waits for the other.
mkfifo "$work/outside"
exec 5<>"$work/outside"
export TVUI_WINDOW_LINES="$work/outside"
window_on "$tvui" "$work"

# A sanitizer's report ends the window at once: it is shown from its start.
fail() {
  echo "$1:"
  kill -0 "$xvfb" 2>/dev/null || { echo "the X server of display $DISPLAY had ended:"; tail -n 20 "$work/xvfb.log"; }
  if grep -q "WARNING: ThreadSanitizer" "$work/out.log"; then
    sed -n '/WARNING: ThreadSanitizer/,$p' "$work/out.log" | head -n 160
  else
    tail -n 80 "$work/out.log"
  fi
  exit 1
}
# Whether the storm has come to its deadline: what runs then ends at once.
over() { (( SECONDS >= deadline )); }
# How many lines of the log hold the text: 0 while there is no log yet.
count() {
  local n
  n=$(grep -cF -- "$1" "$work/out.log" 2>/dev/null)
  echo "${n:-0}"
}
# Waits while the program runs, for two minutes at most, for the terminal
# to show the text COUNT times; false, not a failure, once past the deadline.
wait_for() {
  local text=$1 times=$2 since=$SECONDS
  while (( $(count "$text") < times )); do
    kill -0 "$program" 2>/dev/null || fail "the window ended while it waited for \"$text\""
    over && return 1
    (( SECONDS - since < 120 )) || fail "the terminal did not show \"$text\" $times times within two minutes"
    sleep 0.1
  done
}
# Waits, for TENTHS tenths of a second at most, until COMMAND prints more
# than SEEN.
wait_more() {
  local seen=$1 tenths=$2 waited
  shift 2
  for ((waited = 0; waited < tenths; ++waited)); do
    [ "$("$@")" -gt "$seen" ] && return 0
    over && return 1
    sleep 0.1
  done
  return 1
}
press() {
  local key
  for key in "$@"; do
    over && return 0
    kill -0 "$program" 2>/dev/null || fail "the window ended in the storm"
    "$keys" tvui key "$key" >/dev/null 2>&1 || true
    sleep "${pace:-0.2}"
  done
}
hold() {
  over && return 0
  "$keys" tvui hold "$1" "$2" >/dev/null 2>&1 || true
  sleep "${pace:-0.2}"
}
# What happens outside the set, as it happens.
happen() { over || printf '%s\n' "$*" >&5; }
# A key that the main menu takes without drawing anything, and once it has
# taken it, a happening outside the set: the sanitizer's history keeps only
# a moment of the GUI thread's drawing, so a race between the screens and
# the thread that the happening wakes is reported with the screens' side
# too.
press_as() {
  local key=$1
  shift
  over && return 0
  press "$key"
  sleep 0.3
  happen "$@"
  sleep "${pace:-0.2}"
}
opened() { count "tvui: the window opened $1"; }
# The main menu opened by its key, pressed again while the window shows no
# new main menu within 8 s (three presses at most); then its carousel comes
# to rest.
open_menu() {
  local menus tries
  menus=$(opened MenuSystem::BrcmMainMenu)
  for ((tries = 0; tries < 3; ++tries)); do
    press m
    if wait_more "$menus" 80 opened MenuSystem::BrcmMainMenu; then
      sleep 1
      return 0
    fi
  done
  return 1
}
# The pages that open beside the main menu's carousel as it turns.
pages() {
  grep -E "tvui: the window opened MenuSystem::(Brcm[A-Za-z]*Menu|ChangePinMenu|EnterPinMenu)$" "$work/out.log" |
    grep -v BrcmMainMenu
}
page_count() { pages | wc -l; }
# The carousel's topics in their order, by their pages (the Locks topic's is
# one of three); while a recording runs, the Locks topic is not there.
topic_of() {
  case $1 in
    *::BrcmPictureMenu) echo 0 ;;
    *::BrcmAudioMenu) echo 1 ;;
    *::BrcmChannelsMenu) echo 2 ;;
    *::BrcmSettingsMenu) echo 3 ;;
    *::ChangePinMenu | *::EnterPinMenu | *::BrcmLocksMenu) echo 4 ;;
    *::BrcmMediaMenu) echo 5 ;;
    *::BrcmRecordMenu) echo 6 ;;
    *) echo -1 ;;
  esac
}
# After a key, the pages it opened: the first within 5 s (a key dropped
# opens none), then any more until none has opened for a second (a key let
# go late repeats).
pages_settle() {
  local n quiet
  wait_more "$1" 50 page_count
  n=$(page_count)
  for ((quiet = 0; quiet < 10; ++quiet)); do
    over && return
    sleep 0.1
    if [ "$(page_count)" -ne "$n" ]; then
      n=$(page_count)
      quiet=-1
    fi
  done
}
# Opens the main menu and turns its carousel until the topic's page stands
# beside it, steered by the last page the window reports: down when the
# topic lies at most three steps ahead, else up (back over an overshoot);
# twelve keys at most.
to_topic() {
  local page=$1 want at first last seen turns
  want=$(topic_of "$page")
  first=$(page_count)
  open_menu || return 1
  seen=$first
  for ((turns = 0; turns < 12; ++turns)); do
    pages_settle "$seen"
    seen=$(page_count)
    last=$(pages | tail -n +"$((first + 1))" | tail -n 1)
    [ "$last" = "tvui: the window opened $page" ] && return 0
    at=$(topic_of "$last")
    if (( at < 0 || (want - at + 7) % 7 <= 3 )); then press Down; else press Up; fi
  done
  return 1
}
# The programme guide by the Record topic's first row, and resting on a
# channel of its channel column, which tunes it: three tries at most.
guide() {
  local tries guides tuned
  for ((tries = 0; tries < 3; ++tries)); do
    guides=$(opened Channels::FullEPGDialog)
    if to_topic MenuSystem::BrcmRecordMenu; then
      pace=0.4 press Right Return
      if wait_more "$guides" 100 opened Channels::FullEPGDialog; then
        tuned=$(events '13|14|15|16')
        pace=0.4 press Down Left Down
        wait_more "$tuned" 50 events '13|14|15|16' || pace=0.4 press Down
        sleep 1
        press Escape c
        return 0
      fi
    fi
    press Escape c
  done
}
# Presses KEY once, and waits 8 s at most for the window to report a new
# screen of one of the classes (an extended regular expression); prints the
# class. A key dropped or let go late lands elsewhere: the caller follows
# what opened, or leaves.
press_for() {
  local key=$1 classes=$2 first waited
  first=$(lines)
  press "$key"
  for ((waited = 0; waited < 80; ++waited)); do
    tail -n +"$((first + 1))" "$work/out.log" | grep -oE "^tvui: the window opened ($classes)\$" | head -n 1 |
      sed 's/^tvui: the window opened //' | grep . && return 0
    over && return 1
    sleep 0.1
  done
  return 1
}
lines() { wc -l <"$work/out.log"; }
# The lines matching PATTERN that the log shows since its line FROM.
since() { tail -n +"$(($1 + 1))" "$work/out.log" | grep -cE -- "$2"; }
jobs_pattern="SIMTV: psl_library runs a job asked of it"
answers_pattern="SIMTV: simtv_answers runs a job asked of it"
due_pattern="SIMTV: [0-9]+ timers? comes? due"
timers_due() { in_storm | grep -cE -- "$due_pattern"; }

# A thread's work that reaches a screen while the screen is open, counted
# from the moment the window reports the screen until the storm leaves it:
# the media library's jobs under the media screens, timers coming due under
# the upcoming schedules and under the recordings' library (whose recording
# starts then), the network test's answer under the network pages.
media_jobs=0
schedules_due=0
library_due=0
network_answers=0
update_checks=0
update_dialogs=0
scans=0

# A timer comes due a few seconds from now, by the broadcast's time (waited
# for 20 s at most), and its recording starts, while the screen takes keys
# before and after, as a viewer looks down the list; the USB disk goes out,
# which ends the recording (it would keep the set from its standby), and in
# again with the stick.
timer_due_now() {
  local due
  rows Down
  due=$(timers_due)
  happen clock before-timer 3
  wait_more "$due" 200 timers_due
  sleep 1
  rows Down
  happen usb remove
  sleep 0.5
  happen media stick
}

# Rows in pages are moved over slowly: a key dropped there lands on another
# row, and the screen it opens is followed or left.
rows() { pace=0.8 press "$@"; }

# The media player from the Media topic's row ROW (0 the recordings, 1
# films, 2 photos, 3 music): its device selection, then the USB stick's
# screen that opens; prints its class.
media_open() {
  to_topic MenuSystem::BrcmMediaMenu || return 1
  sleep 1
  rows Right
  local down
  for ((down = 0; down < $1; ++down)); do rows Down; done
  press_for Return MediaPlayer::MediaDeviceSelectDialog >/dev/null || return 1
  sleep 1
  press_for Return "MediaPlayer::(PhotoMultiView|MusicListView|MovieListView)|Record::RecordPlaybackDialog"
}

# What the media player opened, while the library works for it: the photo
# grid, whose thumbnails it makes one job at a time, then a photo on the
# whole screen, which it reads and fits; a list of songs or films, which
# previews the one it rests on, then plays it on the whole screen, told its
# progress every second.
media_follow() {
  local at
  at=$(lines)
  case $1 in
    MediaPlayer::PhotoMultiView)
      sleep 3
      rows Right Right Right
      press_for Return MediaPlayer::PhotoSingleView >/dev/null && sleep 2 ;;
    MediaPlayer::MusicListView | MediaPlayer::MovieListView)
      rows Down Down Down
      sleep 2
      press_for Return "MediaPlayer::(MusicPlayer|MoviePlayer)" >/dev/null && sleep 3 ;;
    *) return 0 ;;
  esac
  media_jobs=$((media_jobs + $(since "$at" "$jobs_pattern")))
}

# The media player from the Media topic's row ROW, and what it opened.
media() {
  local opened
  opened=$(media_open "$1") && media_follow "$opened"
  press Escape c
}

# The upcoming schedules (the green key) while a timer comes due and its
# recording starts.
schedules() {
  local at
  if press_for g Record::ScheduledRecordDialog >/dev/null; then
    at=$(lines)
    timer_due_now
    schedules_due=$((schedules_due + $(since "$at" "$due_pattern")))
  fi
  press Escape c
}

# The recordings' library, the Media topic's first row, while a timer comes
# due and its recording starts.
library() {
  local at opened
  if opened=$(media_open 0); then
    at=$(lines)
    if [ "$opened" = Record::RecordPlaybackDialog ]; then
      timer_due_now
      sleep 1
      library_due=$((library_due + $(since "$at" "$due_pattern")))
    else
      media_follow "$opened"
    fi
  fi
  press Escape c
}

# A page that only a factory command opens, the command sent COUNT times a
# second apart; true once a page of CLASS has opened, within 10 s. The keys
# reach the set through the X server and the window, the command through
# the window's lines at once: on a busy machine the CLEAR that left the last
# screen may come after the command, and close the page it opened. The
# command waits 2 s for the keys before it; a page that a late key closed
# still shows as opened, so the caller finds out by the page's rows, and
# begins again.
#   factory_page CLASS COUNT CODE...
factory_page() {
  local class=$1 times=$2 pages tries
  shift 2
  pages=$(opened "$class")
  over && return 1
  sleep 2
  for ((tries = 0; tries < times; ++tries)); do
    ((tries == 0)) || sleep 1
    happen event 106 "$@"
  done
  wait_more "$pages" 100 opened "$class"
}

# The network setup page, which only the factory's command for the
# preferences page leads to, and its connection test, which the set answers
# a moment later. A key dropped on the way lands on another row, and a CLEAR
# that came late closes the page: the way is begun again, three times at
# most.
network_test() {
  local at tries
  for ((tries = 0; tries < 3 && SECONDS - start < ceiling && SECONDS < deadline; ++tries)); do
    if factory_page MenuSystem::PreferencesMenu 1 0 0x40EE20DF; then
      sleep 1
      rows Down Down
      if press_for Return MenuSystem::NetworkSetupMenu >/dev/null; then
        rows Down Down Down
        if press_for Return Network::NetworkConnectionTest >/dev/null; then
          at=$(lines)
          sleep 3
          network_answers=$((network_answers + $(since "$at" "$answers_pattern")))
          press Escape c
          return 0
        fi
      fi
    fi
    press Escape c
  done
  return 1
}

# The software update from the set-up page, which the factory's command that
# swaps the aerial's input opens on its tuning row (twice, so that the input
# stays as it was): the check waits for the update service, whose answer
# offers the upgrade; confirmed twice, the updating dialog polls its progress
# until the service's answer, a failure, gives the set back. The updating dialog takes no key, not even the power
# key: once open it is always answered.
update() {
  local confirms dialogs bars
  factory_page MenuSystem::SetupMenu 2 2 0x40BFB649 || { press Escape c; return; }
  sleep 1
  rows Down Down Down Down Down
  if press_for Return Update::CheckingMessage >/dev/null; then
    sleep 1
    confirms=$(opened NonMenuSystem::ConfirmMultiOptionDialog)
    happen dispatch update-result 0
    if wait_more "$confirms" 50 opened NonMenuSystem::ConfirmMultiOptionDialog; then
      update_checks=$((update_checks + 1))
      dialogs=$(opened Update::UpdatingDialog)
      # The offer, then in the same dialog the warning that the upgrade
      # cannot be stopped: each confirmed with the left button.
      rows Left Return Left
      press_for Return Update::UpdatingDialog >/dev/null
      if wait_more "$dialogs" 20 opened Update::UpdatingDialog; then
        sleep 2
        bars=$(opened NonMenuSystem::DirectMessageBar)
        happen dispatch update-result 1
        wait_more "$bars" 50 opened NonMenuSystem::DirectMessageBar && update_dialogs=$((update_dialogs + 1))
      fi
    fi
  fi
  press Escape c
}

# A channel scan from the Channel topic's Scan Channels row (the set has no
# PIN to ask for first): its confirmation, then its progress, which the
# scan's steps, on the set's answer thread, report to through the
# middleware's events. Half the scans are stopped by BACK while they run,
# which keeps the channels; the others run to their result, left by EXIT.
# A scan counts once a step has reached its progress while it was open.
scan_report="vg_xpmEventCallback: XPM_EVENT_FULL_CHANNEL_SCAN_PROGRESS"
scan_progress() { count_in_storm "$scan_report"; }
channel_scan() {
  local at reports
  if to_topic MenuSystem::BrcmChannelsMenu; then
    rows Right Down Down Down
    if press_for Return Channels::AutoTuningConfirmDialog >/dev/null; then
      at=$(lines)
      reports=$(scan_progress)
      if press_for Return Channels::AutoTuningDialog >/dev/null; then
        if [ "$1" = stop ]; then
          wait_more "$reports" 50 scan_progress
          press BackSpace
        else
          wait_more "$(opened Channels::AutoTuningCompleteDialog)" 300 opened Channels::AutoTuningCompleteDialog
        fi
        (( $(since "$at" "$scan_report") > 0 )) && scans=$((scans + 1))
      fi
    fi
  fi
  press Escape c
}

standby() { count "tvui: the set is in standby"; }
on() { count "tvui: the set is on"; }
# The viewer's power key: to standby in the turn that takes it (a press that
# came late is pressed again).
power_off() {
  local taken since=$SECONDS tries
  taken=$(count "Standby event received by standby machine")
  until [ "$(count "Standby event received by standby machine")" -gt "$taken" ]; do
    over && return 1
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
  else
    power_off || return 1
  fi
  # A cycle that the deadline cut short does not count.
  wait_for "tvui: the set is in standby" $((off + 1)) || return 1
  press p
  wait_for "tvui: the set is on" $((was_on + 1)) || return 1
  cycles=$((cycles + 1))
  [ "$1" = state-manager ] && by_state_manager=$((by_state_manager + 1))
}

# What the storm did: the log from the moment it began.
in_storm() { tail -n +"$((mark + 1))" "$work/out.log"; }
count_in_storm() { in_storm | grep -cF -- "$1"; }
# The middleware's events that reached the screens, by kind (their numbers
# as the GUI thread logs them, in hex).
events() { in_storm | grep -cE "vg_xpmEventCallback: Cookie = [0-9a-f]+, Event = ($1)\$"; }
# The kinds of event and the threads of the set that the storm reached, each
# by the work it did in the storm, as "name count" lines; unreached ones
# count 0.
reach() {
  local commanded
  commanded=$(events '57|58|59|5a|5b|5c|6c|6e')
  echo "channel events $(events '13|14|15|16')"
  echo "signal events $(events '5|6|47')"
  echo "network events $(events '51|52|54|55')"
  echo "USB events $(events '39|69|70')"
  echo "recording events $(events '6f|75|76')"
  echo "the middleware's event thread (xpmEventCallback) $(($(events '[0-9a-f]+') - commanded))"
  echo "the command task (ExecuteCommand) $commanded"
  echo "the state manager's OSD callback $(count_in_storm "One or more OSDs are active")"
  echo "app_main past TVSM_WaitForStandby $(($(count "(APP:vg_task: Started)") - 1))"
  echo "the media library's job queue $(count_in_storm "SIMTV: psl_library runs a job asked of it")"
  echo "the answer queue $(count_in_storm "SIMTV: simtv_answers runs a job asked of it")"
  echo "the hardware watchdog thread $(count_in_storm "SIMTV: the hardware watchdog wakes")"
  echo "the programme guide $(opened Channels::FullEPGDialog)"
  echo "the media library's jobs with a media screen open $media_jobs"
  echo "timers coming due with the upcoming schedules open $schedules_due"
  echo "timers coming due with the recordings' library open $library_due"
  echo "the network test's answers with its page open $network_answers"
  echo "the update service's answers with its check open $update_checks"
  echo "the update service's answers with its updating dialog open $update_dialogs"
  echo "the channel scans whose steps reached their progress $scans"
}
# The media player's screens opened in the storm, by class.
media_screens() {
  in_storm | grep -oE "^tvui: the window opened (MediaPlayer::[A-Za-z]*|Record::RecordPlaybackDialog)\$" |
    sed 's/^tvui: the window opened //' | sort | uniq -c | awk '{print $2 " " $1}' | paste -sd, | sed 's/,/, /g'
}
screens() { count "tvui: the window opened "; }
kinds() {
  grep -F "tvui: the window opened " "$work/out.log" |
    grep -vE "::(CommonVolumeBar|CommonMuteBar|HelpBar)$" | sort -u | wc -l
}
# The floors the storm has not met yet, a line each: the part of a round that
# meets it, then "what: COUNT of FLOOR". Every kind of event and thread and
# every pair of a thread's work and its screen is a floor of one.
shortfalls() {
  local line what n
  reach | while read -r line; do
    what=${line% *}
    n=${line##* }
    (( n > 0 )) && continue
    case $what in
      "the media library's"*) echo "photos $what: 0 of 1" ;;
      *"upcoming schedules open") echo "schedules $what: 0 of 1" ;;
      *"recordings' library open") echo "library $what: 0 of 1" ;;
      "the network test's"*) echo "network_test $what: 0 of 1" ;;
      # Floors of their own, below.
      "the update service's"* | "the channel scans"*) ;;
      *) echo "base $what: 0 of 1" ;;
    esac
  done
  n=$(screens)
  (( n >= min_screens )) || echo "base screens opened: $n of $min_screens"
  n=$(kinds)
  (( n >= min_kinds )) || echo "base kinds of screen besides the bars: $n of $min_kinds"
  (( by_state_manager >= min_cycles )) ||
    echo "state_manager standby and wake cycles by the state manager: $by_state_manager of $min_cycles"
  (( cycles - by_state_manager >= min_cycles )) ||
    echo "power_key standby and wake cycles by the power key: $((cycles - by_state_manager)) of $min_cycles"
  (( update_checks >= min_updates )) ||
    echo "updates the update service's answers with its check open: $update_checks of $min_updates"
  (( update_dialogs >= min_updates )) ||
    echo "updates the update service's answers with its updating dialog open: $update_dialogs of $min_updates"
  (( scans >= min_scans )) ||
    echo "channel_scans the channel scans whose steps reached their progress: $scans of $min_scans"
}
# Whether a floor of the part is still missing.
short_of() { shortfalls | grep -q "^$1 "; }

# The parts of a round. Each leaves the screens it opened by EXIT or BACK;
# none confirms anything but a recording.
#
# The main menu takes keys, one held, while another process shows its
# display and hides it, the state manager's commands come, the air sends its
# events, the USB disk goes out (ending the recording) and in, the update
# service answers and the state manager ends the period. The menu takes only
# such keys at first, so that a thread that wakes of itself (the watchdog
# every 2 s) meets the screens' side while it is kept. Then the programme
# guide, and the screens of every sub-system the remote reaches.
base() {
  # A recording for half an hour, which the disk taken out below ends.
  press o Return
  sleep 1
  press Escape c
  open_menu
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
  press_as Left media stick
  hold Down 900
  cycle state-manager
  guide
  # The USB port's over-current, as the main menu takes a key.
  open_menu
  press_as Left event 105
  press Escape c
  press m Down Right Down Escape   m Right Right Down Left BackSpace Escape
  press g Down Down Escape   s Down Down Escape   q Right Down Escape
  press b Escape   i i Escape   plus minus u u
  press 7 Return   f l   Escape c
}
# The state manager's own standby alone, as the main menu takes a key.
state_manager() {
  open_menu
  cycle state-manager
}
photos() { media 2; }
# A film or, in turn, a song.
playing() { media $((rounds % 4 == 1 ? 3 : 1)); }
# The update's screens, and the channel scan, tried once more in the round
# while a try did not count and their floor is still missing.
updates() {
  local tries was
  for ((tries = 0; tries < 2 && SECONDS - start < ceiling && SECONDS < deadline; ++tries)); do
    was=$((update_checks + update_dialogs))
    update
    (( update_checks + update_dialogs > was )) && return
    short_of updates || return
  done
}
scans_begun=0
channel_scans() {
  local tries was
  for ((tries = 0; tries < 2 && SECONDS - start < ceiling && SECONDS < deadline; ++tries)); do
    was=$scans
    channel_scan "$( (( scans_begun % 2 == 0 )) && echo stop || echo end)"
    scans_begun=$((scans_begun + 1))
    (( scans > was )) && return
    short_of channel_scans || return
  done
}
power_key() { cycle power-key; }

# A part of the round, unless the storm is past its ceiling (nor does a part
# try again past it) or its deadline.
part() {
  (( SECONDS - start < ceiling )) && ! over || return 0
  "$1"
}

wait_for "tvui: the window shows the set" 1
mark=$(wc -l <"$work/out.log")
start=$SECONDS
cycles=0
by_state_manager=0
rounds=0
made_up=0
# The rounds while the storm is short of its SECONDS are whole: every part,
# and the screens that threads' work changes in turn (every other round the
# photos and the upcoming schedules; the others a song or a film, the
# recordings' library and the network's test). The first round opens all of
# them, and a later one any whose floor is still missing, so that every
# floor can be met in the first round. Past its SECONDS a round makes up
# only what is still missing: a busy machine slows the storm, it does not
# leave a floor unmet for want of a round. No part begins past the CEILING.
while :; do
  began=$SECONDS
  if (( SECONDS - start < seconds )); then
    kind=whole
    part base
    for pair in photos schedules playing library network_test; do
      case $pair-$((rounds % 2)) in
        photos-0 | schedules-0 | playing-1 | library-1 | network_test-1) part "$pair" ;;
        *) (( rounds == 0 )) || short_of "$pair" && part "$pair" ;;
      esac
    done
    part updates
    part channel_scans
    part power_key
  else
    kind="making up what was missing"
    made_up=$((made_up + 1))
    # The standbys first, which seldom fail: a way that does not lead where
    # it should takes the time that is left, not theirs.
    for each in state_manager power_key updates channel_scans photos schedules library network_test base; do
      short_of "$each" && part "$each"
    done
  fi
  rounds=$((rounds + 1))
  echo "round $rounds ($kind) ended after $((SECONDS - start)) s of storm, in $((SECONDS - began)) s"
  (( SECONDS - start >= seconds )) && [ -z "$(shortfalls)" ] && break
  (( SECONDS - start >= ceiling )) && break
  over && break
done

ended_at=$SECONDS
kill -TERM "$program"
for ((waited = 0; waited < 300; ++waited)); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
if kill -0 "$program" 2>/dev/null; then
  kill -KILL "$program" 2>/dev/null
  wait "$program"
  fail "the window did not end within 30 s of SIGTERM, and was killed"
fi
wait "$program"
status=$?
if grep -Eq "Sanitizer|runtime error|the set was reset|^tvui: $work/outside:[0-9]+ failed: " "$work/out.log"; then
  fail "a sanitizer, the set or a line of the world outside it reported an error"
fi
[ "$status" = 143 ] || fail "it ended with status $status on SIGTERM, not 143"
screens=$(screens)
kinds=$(kinds)
periods=$(($(count "(APP:vg_task: Started)") - 1))
echo "the set showed itself in $start s; the storm ran $((SECONDS - start)) s in $rounds rounds ($made_up making up" \
     "what was missing): $screens screens opened, $kinds kinds besides the bars, $cycles standby and wake cycles" \
     "($by_state_manager by the state manager), $periods periods begun again"
echo "it reached: $(reach | grep -vE ' 0$' | paste -sd, | sed 's/,/, /g')"
echo "the media player's screens it opened: $(media_screens)"
(( periods >= cycles )) || fail "only $periods periods begun again after $cycles standby and wake cycles"
missing=$(shortfalls | sed 's/^[a-z_]* //' | paste -sd';' | sed 's/;/; /g')
cut=""
(( ended_at >= deadline )) && cut=", cut short at $deadline s of the test, $((${STORM_TIMEOUT:-600} - deadline)) s before its time-out"
[ -z "$missing" ] || fail "it missed $(shortfalls | wc -l) of its floors within $ceiling s$cut: $missing"
