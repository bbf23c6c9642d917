#!/usr/bin/env bash
# scripts/test.sh with a tsan tier that fails: the tiers after it still run,
# the summary names the one that failed and the fuzzing that FUZZ_SECONDS=0
# skips, and the status is 1. cmake and ctest
# are stand-ins that note how they were called, so nothing is built or run.
#   test_command.sh SOURCE_DIR WORK_DIR
set -euo pipefail
top=$1
work=$2
rm -rf "$work"
mkdir -p "$work/bin"
for tool in cmake ctest; do
  cat >"$work/bin/$tool" <<STUB
#!/usr/bin/env bash
echo "$tool \$*" >>"$work/calls"
case "\$*" in
  "--preset tsan -j"*) echo "50% tests passed, 1 tests failed out of 2"; exit 8 ;;
esac
exit 0
STUB
  chmod +x "$work/bin/$tool"
done

status=0
PATH="$work/bin:$PATH" FUZZ_SECONDS=0 TVUI_JOBS=1 bash "$top/scripts/test.sh" >"$work/out" 2>&1 || status=$?
cat "$work/out"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
[ "$status" = 1 ] || fail "the test command ended with status $status, not 1"
grep -qx 'ctest --preset tsan -j 1' "$work/calls" || fail "the tsan tier did not run"
sed -n '/^ctest --preset tsan/,$p' "$work/calls" | grep -qx 'ctest --preset asan -j 1' ||
  fail "the asan suite did not run after the tsan tier failed"
grep -q 'tsan .*FAILED with status 8 (50% tests passed, 1 tests failed out of 2)' "$work/out" ||
  fail "the summary does not name the failed tsan tier"
grep -q 'asan suite .*passed' "$work/out" || fail "the summary does not tell how the asan suite went"
grep -q 'fuzz .*skipped (FUZZ_SECONDS=0)' "$work/out" || fail "the summary does not tell that the fuzzing was skipped"
tail -n 1 "$work/out" | grep -qx 'tiers: 3 passed, 1 failed, 1 skipped' || fail "the last line does not count the tiers"
echo "the test command ran every tier and failed at the end"
