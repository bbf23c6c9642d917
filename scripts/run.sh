#!/usr/bin/env bash
# Builds the system (release) and runs it. Headless by default: the demonstration writes
# its screenshots to out/. Pass --window to show it in a desktop window instead.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/deps.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
cmake --preset release -DTVUI_BUILD_TESTS=OFF >/dev/null
cmake --build --preset release --target tvui -j "$(nproc)"
mkdir -p out
# The simulated set's file systems (/mnt/nvram, /mnt/stagecraft, ...) live below the build.
export TVUI_ROOT="${TVUI_ROOT:-$top/build/rootfs}"
exec build/release/APPS/tools/tvui/tvui --out out "$@"
