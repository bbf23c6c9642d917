# Sourced by the window's tests. own_display: an X server of the test's own
# on a free display, named in DISPLAY, its process in xvfb and in the test's
# pids, which the test's trap ends. Without Xvfb the test ends with STATUS (77
# skips it; a test that must run fails).
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
  # Xvfb names the free display it took once it listens.
  mkfifo "$1/display"
  Xvfb -displayfd 3 -screen 0 960x540x24 -nolisten tcp 3>"$1/display" >"$1/xvfb.log" 2>&1 &
  xvfb=$!
  pids+=("$xvfb")
  local display
  if ! read -r display <"$1/display"; then
    echo "Xvfb did not start:"; cat "$1/xvfb.log"
    exit 1
  fi
  export DISPLAY=":$display"
}

# The window on a set switched on, its log in WORK/out.log, its process in
# program and in the test's pids.
#   window_on TVUI WORK
window_on() {
  printf 'tv demo\ntv on\n' >"$2/on.scn"
  TVUI_ROOT="$2/set" "$1" --window --fresh --scenario "$2/on.scn" >"$2/out.log" 2>&1 &
  program=$!
  pids+=("$program")
}
