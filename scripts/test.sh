#!/usr/bin/env bash
# Builds everything under AddressSanitizer and UBSan and runs the whole test suite,
# with the collector running after every step (VG_GC_STRESS) so a missed reference shows up.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bash scripts/deps.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
jobs=$(nproc)
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
# Fuzz the parsers of outside input for a bounded time before the suite, so the
# suite's summary stays the last line.
bash scripts/fuzz.sh "${FUZZ_SECONDS:-10}"
ctest --preset asan -j "$jobs"
