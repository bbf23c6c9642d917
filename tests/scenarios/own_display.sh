# Sourced by the window's tests. own_display: an X server of the test's own
# on a display that no other run on the machine can take, named in DISPLAY,
# its process in xvfb and in the test's pids, which the test's trap ends.
# Without Xvfb the test ends with STATUS (77 skips it; a test that must run
# fails).
#   own_display WORK STATUS
#
# end_pids, for the test's trap: SIGTERM to each of the test's pids, and
# SIGKILL to those still running 10 s later, each named, so that no window
# or X server outlives a test that failed.
end_pids() {
  local p waited left
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
  for ((waited = 0; waited < 100; ++waited)); do
    left=0
    for p in "${pids[@]}"; do kill -0 "$p" 2>/dev/null && left=1; done
    (( left )) || return 0
    sleep 0.1
  done
  for p in "${pids[@]}"; do
    kill -0 "$p" 2>/dev/null || continue
    echo "$(ps -o comm= -p "$p") (pid $p) did not end within 10 s of SIGTERM: killed"
    kill -KILL "$p" 2>/dev/null
  done
}

own_display() {
  if ! command -v Xvfb >/dev/null; then
    echo "no Xvfb here (bash scripts/deps.sh installs it)"
    exit "$2"
  fi
  # A server left to choose a free display itself starts at :0, the display
  # that a desktop, a server started by hand or another run's names first,
  # and the window may meet that server, or none, there. This one is started
  # for a number of its own, from :20 up, and refuses at once when any
  # server listens there, or takes the number's listening sockets, which no
  # later server can take from it; it names its display once it listens.
  local n display
  for ((n = 20; n < 99; ++n)); do
    rm -f "$1/display"
    mkfifo "$1/display"
    Xvfb ":$n" -displayfd 3 -screen 0 960x540x24 -nolisten tcp 3>"$1/display" >"$1/xvfb.log" 2>&1 &
    xvfb=$!
    if read -r display <"$1/display" && [ "$display" = "$n" ]; then
      pids+=("$xvfb")
      export DISPLAY=":$n"
      return 0
    fi
    wait "$xvfb"
    grep -Eq "already active|Cannot establish any listening sockets" "$1/xvfb.log" || break
  done
  echo "Xvfb did not start:"; cat "$1/xvfb.log"
  exit 1
}

# The window on a set switched on, its log in WORK/out.log, its process in
# program and in the test's pids.
#   window_on TVUI WORK
window_on() {
  printf 'tv demo\ntv on\n' >"$2/on.scn"
  # There before the program starts, so that a wait for its lines reads a
  # log, never the error of one not made yet.
  : >"$2/out.log"
  TVUI_ROOT="$2/set" "$1" --window --fresh --scenario "$2/on.scn" >"$2/out.log" 2>&1 &
  program=$!
  pids+=("$program")
}
