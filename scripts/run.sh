#!/usr/bin/env bash
# Builds the system (release) and runs it. Headless by default: the demonstration tours
# the set on a set fresh from the factory and writes its pictures and out/index.html.
# Pass --window to show the set in a desktop window instead (it needs an X server:
# Xvfb :1 & then DISPLAY=:1), and --fresh with it to start from a set fresh from the
# factory (the first-time setup again). The program runs --quiet: only its own lines,
# not the simulated set's log; --verbose, which this script keeps for itself, shows the log.
# TVUI_JOBS limits the cores the build takes (default: all of them).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
. scripts/jobs.sh
bash scripts/deps.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
cmake --preset release >/dev/null
# The program and the service tools that README lists, and the media stick's
# writer: the tour's media line runs it in a process of its own, where the
# picture encoder's memory does not count in the set's.
cmake --build --preset release --target tvui tvsettings optdump modeldump mediastick -j "$jobs"
# The tour runs on a set fresh from the factory; the program removes from its
# output folder what it wrote there before, and nothing else. The window opens
# on the set that the tour left, unless --fresh is given.
window=0
quiet=(--quiet)
args=()
for arg in "$@"; do
  case "$arg" in
    --verbose) quiet=() ;;
    --window) window=1; args+=("$arg") ;;
    *) args+=("$arg") ;;
  esac
done
if [ "$window" = 0 ]; then
  exec build/release/tools/tvui/tvui "${quiet[@]}" --out out --fresh "${args[@]}"
fi
exec build/release/tools/tvui/tvui "${quiet[@]}" --out out "${args[@]}"
