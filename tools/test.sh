#!/usr/bin/env bash
# Command 2: install what is missing, build, and run every test headless; then
# the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan, any report fails), and every fuzzer for a short run (build-fuzz,
# clang's libFuzzer).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/tools/setup.sh" "$here/build"
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)
fuzz_seconds=${TORVANE_FUZZ_SECONDS:-15}
started=$SECONDS
stage() { echo "== $1 ($((SECONDS - started)) s so far)"; }

stage "tests"
(cd "$here/build" && ctest --output-on-failure -j"$jobs")

# The extra builds reuse earlier compiles where ccache is there; paths are made
# relative so a fresh clone elsewhere still hits the cache.
launcher=()
if command -v ccache > /dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=$here CCACHE_NOHASHDIR=true
fi

stage "tests with AddressSanitizer and UndefinedBehaviorSanitizer"
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S "$here" -B "$here/build-asan" "${launcher[@]}" -DCMAKE_BUILD_TYPE=None \
      -DCMAKE_CXX_FLAGS="-O1 -g1 $sanitize" -DCMAKE_EXE_LINKER_FLAGS="$sanitize" \
      -DTORVANE_BUILD_BENCH=OFF
cmake --build "$here/build-asan" -j"$jobs"
(
  export ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
  cd "$here/build-asan" && ctest --output-on-failure -j"$jobs"
)

stage "fuzzers, ${fuzz_seconds} s each"
cmake -S "$here" -B "$here/build-fuzz" "${launcher[@]}" -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORVANE_BUILD_FUZZ=ON -DTORVANE_BUILD_TESTS=OFF \
      -DTORVANE_BUILD_BENCH=OFF
cmake --build "$here/build-fuzz" -j"$jobs" --target fuzzers
# Each fuzzer starts from its seeds in fuzz/corpus/<name>; what it finds stays
# in build-fuzz, so the seeds in the tree never change.
for seeds in "$here"/fuzz/corpus/*/; do
  [ -d "$seeds" ] || continue
  name=$(basename "$seeds")
  mkdir -p "$here/build-fuzz/corpus/$name" "$here/build-fuzz/runs"
  log=$here/build-fuzz/runs/$name.log
  # Run from build-fuzz/runs, where libFuzzer leaves a crashing input.
  if ! (cd "$here/build-fuzz/runs" &&
        UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 "$here/build-fuzz/fuzz/$name" \
          -max_total_time="$fuzz_seconds" -print_final_stats=1 \
          "$here/build-fuzz/corpus/$name" "$seeds" > "$log" 2>&1); then
    tail -n 60 "$log"
    echo "FAIL: $name found a fault (log: $log)"
    exit 1
  fi
  echo "$name: $(grep -m1 -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$') runs"
done
stage "done"
