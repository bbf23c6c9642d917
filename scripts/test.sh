#!/usr/bin/env bash
# Builds everything under AddressSanitizer and UBSan and runs the whole test suite,
# with the collector running after every step (VG_GC_STRESS) so a missed reference
# shows up. The release build with its tests is compiled too, so that a warning
# that only an optimising build gives cannot land; the light-sensor task's
# suite, and tvui with the scenarios whose screens are answered from other
# threads (network, recordings, media, standby and wake), run under
# ThreadSanitizer; the fuzz targets run for FUZZ_SECONDS each (default 10, 0
# skips them). TVUI_JOBS limits the cores that building and testing take
# (default: all of them).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
. scripts/jobs.sh
export TVUI_JOBS=$jobs
bash scripts/deps.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
cmake --preset asan >/dev/null
cmake --build --preset asan -j "$jobs"
cmake --preset release >/dev/null
cmake --build --preset release -j "$jobs"
# The suites whose code runs threads of its own, and the scenarios whose
# screens the set's threads answer, under ThreadSanitizer.
cmake --preset tsan >/dev/null
cmake --build --preset tsan -j "$jobs"
ctest --preset tsan -j "$jobs"
# Fuzzing comes before the suite, so that the suite's summary stays the last line.
bash scripts/fuzz.sh "${FUZZ_SECONDS:-10}"
# The set keeps its own clock: the scenarios pass alike where the machine's
# time zone has daylight saving.
TZ=America/New_York ctest --preset asan -R '^scenario_' -j "$jobs"
ctest --preset asan -j "$jobs"
