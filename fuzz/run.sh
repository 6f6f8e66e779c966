#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each one from its seed
# corpus for the given number of seconds (10 by default):
#   fuzz/run.sh        # a short run, as ./test does
#   fuzz/run.sh 600    # ten minutes a target
# The corpus is copied to a scratch folder first, so a run never writes into
# the repo. An input that breaks a target is kept in build/fuzz/artifacts/;
# replay it with build/fuzz/<target> <file>. Exits non-zero if any target
# failed.
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"

seconds="${1:-10}"
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
  echo "usage: fuzz/run.sh [seconds-per-target]" >&2
  exit 2
fi

ensure_packages "${BUILD_PACKAGES[@]}" clang-14 libclang-rt-14-dev
build="$ROOT/build/fuzz"
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$ROOT/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
fi
cmake --build "$build" -j 2

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The longest input each target gets: the digit reader keeps 800 digits, so
# its texts must be able to go well past that; a key sequence longer than
# 256 only makes the display longer.
declare -A max_len=(
  [value_of_text_fuzzer]=4096
  [to_double_fuzzer]=2048
  [number_text_fuzzer]=64
  [calc_keys_fuzzer]=256
)
failed=0
for target in value_of_text_fuzzer to_double_fuzzer number_text_fuzzer calc_keys_fuzzer; do
  corpus="$scratch/$target"
  cp -r "$ROOT/fuzz/corpus/$target" "$corpus"
  artifacts="$build/artifacts/$target"
  mkdir -p "$artifacts"
  log="$scratch/$target.log"
  # The outer limit only catches a target that hangs before fuzzing starts.
  if timeout --kill-after=10 $((seconds + 120)) "$build/$target" "$corpus" \
    -max_total_time="$seconds" -max_len="${max_len[$target]}" -timeout=10 \
    -artifact_prefix="$artifacts/" -print_final_stats=1 >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    cov=$(sed -n 's/^#[0-9]*[[:space:]]*DONE[[:space:]]*cov: \([0-9]*\).*corp: \([0-9]*\).*/\1 edges, corpus \2/p' "$log")
    echo "$target: ok, $runs runs in ${seconds}s, $cov"
  else
    failed=1
    echo "$target: FAILED (inputs kept in $artifacts)" >&2
    # From the first report on; the progress lines before it say little.
    awk '/BROKEN|ERROR|runtime error|deadly signal|Test unit written/ { shown = 1 } shown' "$log" |
      head -n 60 >&2
  fi
done
exit "$failed"
