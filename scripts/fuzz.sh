#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and AddressSanitizer (the main
# build uses g++, which has no libFuzzer) and runs each for a bounded time.
#   bash scripts/fuzz.sh [seconds per target, default 20]
# The kept inputs in tests/fuzz/corpus/<target>/ seed each run; an input that
# crashes is written there too, so it stays as a regression file that the
# normal test suite replays (fuzz_replay_tests; the lzw inputs, runtime_tests).
# New inputs the fuzzer finds interesting go to build/fuzz/work/, not into the
# source tree.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
seconds=${1:-20}
out=build/fuzz
mkdir -p "$out"

# libFuzzer's runtime is a package that clang only recommends.
clang_major=$(clang++ -dumpversion | cut -d. -f1)
rt="libclang-rt-${clang_major}-dev"
if ! dpkg-query -W -f='${Status}' "$rt" 2>/dev/null | grep -q 'install ok installed'; then
  echo "installing: $rt"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "$rt" >/dev/null
fi
export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
cxx=(clang++)
command -v ccache >/dev/null && cxx=(ccache clang++)

# Warnings are the g++ build's business; this build only looks for crashes.
flags=(-std=c++20 -g -O1 -fno-omit-frame-pointer
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -IAPPS -Iruntime -Iplatform/include -Itests/fuzz -Itools/lzw)
storage=(APPS/storageFunction.cpp APPS/DoubleChain.cpp APPS/storageEntry.cpp APPS/SimpleFileReader.cpp
         platform/sim/nvpath.cpp tests/fuzz/fuzz_targets.cpp tests/fuzz/fuzz_stubs.cpp)
targets=(settings filereader)
declare -A sources=(
  [settings]="${storage[*]} tests/fuzz/settings_fuzz_main.cpp"
  [filereader]="${storage[*]} tests/fuzz/filereader_fuzz_main.cpp"
)
# The LZW decoder of the packed data units has its target here too.
if [ -f tests/fuzz/fuzz_lzw.cpp ]; then
  targets+=(lzw)
  sources[lzw]="tests/fuzz/fuzz_lzw.cpp runtime/vgresource.cpp tools/lzw/lzw.cpp"
fi

# The attributed-text compiler measures with the engine's fonts and draws
# through DirectFB, so its target links both; DirectFB's start-up allocations
# live as long as the process and are suppressed in the leak check.
declare -A extra=()
if [ -f tests/fuzz/attrtext_fuzz.cpp ]; then
  targets+=(attrtext)
  sources[attrtext]="APPS/GE/GenAttrText.cpp APPS/GE/GenFont.cpp APPS/GE/GraphicsEngine.cpp APPS/GE/GenBitmap.cpp
    APPS/GE/WuLine.cpp platform/sim/fs.cpp platform/sim/gcm.cpp runtime/vgresource.cpp tests/fuzz/fuzz_stubs.cpp
    tests/fuzz/attrtext_fuzz.cpp tests/fuzz/attrtext_fuzz_main.cpp"
  extra[attrtext]="-IAPPS/GE $(pkg-config --cflags directfb freetype2 | sed 's/-I/-isystem /g')
    $(pkg-config --libs directfb freetype2)"
fi

# Scratch files of the targets go to memory where it can be had: a save syncs to disk.
scratch=$(mktemp -d "${XDG_RUNTIME_DIR:-/dev/shm}/tvui-fuzz.XXXXXX" 2>/dev/null || mktemp -d "$top/$out/tmp.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

for target in "${targets[@]}"; do
  # shellcheck disable=SC2086  # the source lists are plain words
  "${cxx[@]}" "${flags[@]}" ${sources[$target]} ${extra[$target]:-} -o "$out/${target}_fuzz"
  mkdir -p "$out/work/$target" "tests/fuzz/corpus/$target"
  echo "fuzzing $target for ${seconds}s"
  TMPDIR="$scratch" ASAN_OPTIONS="detect_leaks=1:abort_on_error=1" LSAN_OPTIONS="suppressions=tests/fuzz/lsan.supp" \
    "$out/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=70000 \
    -print_final_stats=1 -artifact_prefix="tests/fuzz/corpus/$target/" \
    "$out/work/$target" "tests/fuzz/corpus/$target" 2>"$out/${target}.log" || {
      tail -n 60 "$out/${target}.log"
      echo "fuzz: $target failed; the input is kept in tests/fuzz/corpus/$target/" >&2
      exit 1
    }
  grep -E '^Done' "$out/${target}.log" || true
done
echo "fuzz: ${targets[*]} ran clean"
