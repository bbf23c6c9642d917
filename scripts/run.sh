#!/usr/bin/env bash
# Builds the system (release) and runs it. Headless by default: the demonstration writes
# its screenshots to out/. Pass --window to show it in a desktop window instead.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/deps.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
cmake --preset release -DTVUI_BUILD_TESTS=OFF >/dev/null
cmake --build --preset release -j "$(nproc)"
mkdir -p out
exec build/release/APPS/tvui --out out "$@"
