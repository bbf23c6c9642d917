#!/usr/bin/env bash
# Builds the fuzz targets (the fuzz preset: clang's libFuzzer with AddressSanitizer
# and UBSan) and runs each for a bounded time.
#   bash scripts/fuzz.sh [seconds per target]   (default: FUZZ_SECONDS, else 20;
#                                                0 skips fuzzing)
# The kept inputs in tests/fuzz/corpus/<target>/ seed each run; an input that
# crashes is written there too, so it stays as a regression file that the
# normal test suite replays. New inputs the fuzzer finds interesting go to
# build/fuzz/work/, not into the source tree. Every target runs, whatever
# became of the ones before it; the status is 1 when any failed. TVUI_JOBS
# limits the cores the build takes.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
. scripts/jobs.sh
seconds=${1:-${FUZZ_SECONDS:-20}}
if [ "$seconds" = 0 ]; then
  echo "fuzz: skipped (0 seconds)"
  exit 0
fi
bash scripts/deps.sh
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
out=build/fuzz
cmake --preset fuzz >/dev/null
# Only a failed build is shown: the rest would bury the fuzzers' reports.
cmake --build --preset fuzz -j "$jobs" >"$out/build.log" 2>&1 || {
  tail -n 60 "$out/build.log"
  echo "fuzz: the fuzz targets did not build" >&2
  exit 1
}
targets=()
for program in "$out"/tests/fuzz/*_fuzz; do
  name=$(basename "$program")
  targets+=("${name%_fuzz}")
done

# Scratch files of the targets go to memory where it can be had: a save syncs to disk.
scratch=$(mktemp -d "${XDG_RUNTIME_DIR:-/dev/shm}/tvui-fuzz.XXXXXX" 2>/dev/null || mktemp -d "$top/$out/tmp.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

failed=()
for target in "${targets[@]}"; do
  mkdir -p "$out/work/$target" "tests/fuzz/corpus/$target"
  echo "fuzzing $target for ${seconds}s"
  # The program's own console (stdout) would flood the fuzzer's report: closed.
  TMPDIR="$scratch" ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" LSAN_OPTIONS="suppressions=$top/tests/lsan.supp" \
    TVUI_SOURCE_DIR="$top" "$out/tests/fuzz/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len=70000 -close_fd_mask=1 -print_final_stats=1 -artifact_prefix="tests/fuzz/corpus/$target/" \
    "$out/work/$target" "tests/fuzz/corpus/$target" 2>"$out/${target}.log" || {
      tail -n 60 "$out/${target}.log"
      echo "fuzz: $target failed; the input is kept in tests/fuzz/corpus/$target/" >&2
      failed+=("$target")
      continue
    }
  grep -E '^Done' "$out/${target}.log" || true
done
if [ ${#failed[@]} != 0 ]; then
  echo "fuzz: ${#failed[@]} of ${#targets[@]} targets failed: ${failed[*]}" >&2
  exit 1
fi
echo "fuzz: ${targets[*]} ran clean"
