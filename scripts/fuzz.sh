#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang (AddressSanitizer + UndefinedBehaviorSanitizer)
# in build-fuzz and runs them over their corpora in fuzz/corpus/<target>/.
#   scripts/fuzz.sh            every corpus input once through its target (a regression run)
#   scripts/fuzz.sh MINUTES    each target for MINUTES minutes, one after another; new inputs go to
#                              build-fuzz/corpus/<target>/, crashes to build-fuzz/crashes/<target>/
# Ends with "N passed, N failed": one count per target.
set -uo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-0}
targets=(registry journal ogg_stream zip sound_loaders command_line image_loaders)

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
mkdir -p build-fuzz
if ! CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLIMMERDROP_FUZZ=ON \
    -DGLIMMERDROP_TESTS=OFF -DGLIMMERDROP_BENCH=OFF "${launcher[@]}" >build-fuzz/configure.log 2>&1; then
  cat build-fuzz/configure.log
  echo "0 passed, 1 failed"
  exit 1
fi
# Only the targets and the libraries they stand on; not the game or its archive.
if ! cmake --build build-fuzz --target "${targets[@]/#/fuzz_}"; then
  echo "0 passed, 1 failed"
  exit 1
fi

passed=0
failed=0
for target in "${targets[@]}"; do
  program=build-fuzz/fuzz_$target
  log=build-fuzz/$target.log
  if [ "$minutes" = "0" ]; then
    # Each file once, no mutation: any crash or sanitizer report fails the target.
    if "$program" -rss_limit_mb=2048 -timeout=60 fuzz/corpus/"$target"/* >"$log" 2>&1; then
      passed=$((passed + 1))
      echo "fuzz_$target: $(ls fuzz/corpus/"$target" | wc -l) inputs"
    else
      failed=$((failed + 1))
      echo "fuzz_$target FAILED"; tail -n 40 "$log"
    fi
    continue
  fi
  mkdir -p build-fuzz/corpus/"$target" build-fuzz/crashes/"$target"
  if "$program" -max_total_time=$((minutes * 60)) -print_final_stats=1 -rss_limit_mb=2048 -timeout=25 \
      -artifact_prefix=build-fuzz/crashes/"$target"/ build-fuzz/corpus/"$target" fuzz/corpus/"$target" >"$log" 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "fuzz_$target FAILED"; grep -A 30 -m 1 -E 'ERROR: |runtime error|deadly signal' "$log"
  fi
  echo "fuzz_$target: $(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}') runs in $minutes min," \
    "$(ls build-fuzz/corpus/"$target" | wc -l) new inputs"
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
