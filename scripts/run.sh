#!/usr/bin/env bash
# Builds the system (release) and runs it. Headless by default: the demonstration writes
# its screenshots to out/. Pass --window to show it in a desktop window instead, and
# --fresh to start from a set fresh from the factory (the first-time setup again).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/deps.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
cmake --preset release >/dev/null
# The program and the service tools that README lists.
cmake --build --preset release --target tvui tvsettings optdump modeldump -j "$(nproc)"
exec build/release/APPS/tools/tvui/tvui --out out "$@"
