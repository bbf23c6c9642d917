#!/usr/bin/env bash
# Builds everything under AddressSanitizer and UBSan and runs the whole test suite,
# with the collector running after every step (VG_GC_STRESS) so a missed reference
# shows up. The release build with its tests is compiled too, so that a warning
# that only an optimising build gives cannot land; the light-sensor task's
# suite, and tvui with the scenarios whose screens are answered from other
# threads (network, recordings, media, standby and wake), run under
# ThreadSanitizer; the fuzz targets run for FUZZ_SECONDS each (default 10, 0
# skips them). TVUI_JOBS limits the cores that building and testing take
# (default: all of them). The asan build holds the lock of build/asan
# (jobs.sh), so that scripts/monkey.sh never builds there at the same time.
#
# Each tier runs whatever became of the ones before it, and the summary at the
# end tells how each went: the status is 1 when any failed. Only a failed
# asan build stops the run at once, as nothing is left to test.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
. scripts/jobs.sh
export TVUI_JOBS=$jobs
bash scripts/deps.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
build_asan() {
  cmake --preset asan >/dev/null && cmake --build --preset asan -j "$jobs"
}
build_locked asan build_asan

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
names=()
results=()

# tier NAME COMMAND...: runs the command, its output shown as it comes and
# kept, and notes how it ended and the last line of ctest's count, if any.
tier() {
  local name=$1 status=0
  shift
  echo "== $name"
  "$@" 2>&1 | tee "$logs/${#names[@]}" || status=$?
  local counted
  counted=$(grep -E '^[0-9]+% tests passed' "$logs/${#names[@]}" | tail -n 1) || true
  if [ "$status" = 0 ]; then
    results+=("passed${counted:+ ($counted)}")
  else
    results+=("FAILED with status $status${counted:+ ($counted)}")
  fi
  names+=("$name")
}

# skip NAME WHY: a tier that does not run, noted as skipped.
skip() {
  echo "== $1: skipped ($2)"
  results+=("skipped ($2)")
  names+=("$1")
}

build_release() {
  cmake --preset release >/dev/null && cmake --build --preset release -j "$jobs"
}
# The suites whose code runs threads of its own, and the scenarios whose
# screens the set's threads answer, under ThreadSanitizer.
run_tsan() {
  cmake --preset tsan >/dev/null && cmake --build --preset tsan -j "$jobs" && ctest --preset tsan -j "$jobs"
}

tier "release build" build_release
tier "tsan" run_tsan
if [ "${FUZZ_SECONDS:-10}" = 0 ]; then
  skip "fuzz" "FUZZ_SECONDS=0"
else
  tier "fuzz" bash scripts/fuzz.sh "${FUZZ_SECONDS:-10}"
fi
# The set keeps its own clock: the scenarios pass alike where the machine's
# time zone has daylight saving.
tier "scenarios in New York time" env TZ=America/New_York ctest --preset asan -R '^scenario_' -j "$jobs"
tier "asan suite" ctest --preset asan -j "$jobs"

echo
echo "== every tier"
failed=0
skipped=0
for i in "${!names[@]}"; do
  printf '  %-28s %s\n' "${names[$i]}" "${results[$i]}"
  case ${results[$i]} in
    FAILED*) failed=$((failed + 1)) ;;
    skipped*) skipped=$((skipped + 1)) ;;
  esac
done
echo "tiers: $((${#names[@]} - failed - skipped)) passed, $failed failed$([ "$skipped" = 0 ] || echo ", $skipped skipped")"
[ "$failed" = 0 ] || exit 1
