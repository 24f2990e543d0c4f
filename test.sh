#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; ends with "N passed, N failed".
# GLIMMERDROP_SKIP_SANITIZE=1 skips the AddressSanitizer + UndefinedBehaviorSanitizer pass,
# GLIMMERDROP_SKIP_TSAN=1 the ThreadSanitizer pass over the audio thread,
# GLIMMERDROP_SKIP_FUZZ=1 the fuzz targets built with clang and run once over their corpora,
# GLIMMERDROP_SKIP_PACKAGE=1 the installed program and its Debian package,
# GLIMMERDROP_SKIP_WINDOWS=1 the Windows build and its tests under Wine,
# GLIMMERDROP_SKIP_WEB=1 the browser build and its tests in headless Chromium.
set -uo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" || { echo "0 passed, 1 failed"; exit 1; }

passed=0
failed=0

# Builds one configuration and runs its suite, adding to the counts.
run_suite() {
  local dir=$1; shift
  echo "== $dir"
  mkdir -p "$dir"
  if ! cmake -S . -B "$dir" -G Ninja "$@" >"$dir/configure.log" 2>&1; then
    cat "$dir/configure.log"; failed=$((failed + 1)); return
  fi
  if ! cmake --build "$dir"; then
    failed=$((failed + 1)); return
  fi
  local log="$dir/ctest.log"
  ctest --test-dir "$dir" --output-on-failure -j "$(nproc)" --timeout 600 >"$log" 2>&1
  grep -E '^\s*[0-9]+% tests passed|\(Failed\)|\(Timeout\)|\(SEGFAULT\)|\(Subprocess aborted\)|Exception' "$log" || true
  local summary total bad
  summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$summary" ]; then
    tail -n 50 "$log"; failed=$((failed + 1)); return
  fi
  bad=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/')
  total=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/')
  if [ "$bad" -gt 0 ]; then
    sed -n '/The following tests FAILED/,$p' "$log"
    grep -B 5 -A 30 -E '^\[  FAILED  \]|ERROR: AddressSanitizer|runtime error:' "$log" | head -n 200
  fi
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

# Runs one stage's script, whose last line says "N passed, N failed", and adds to the counts;
# the whole output stays in the log named, and its end is shown when anything failed.
run_stage() {
  local name=$1 log=$2; shift 2
  echo "== $name"
  mkdir -p "$(dirname "$log")"
  local line
  line=$("$@" 2>&1 | tee "$log" | tail -n 1)
  if [[ "$line" =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
    passed=$((passed + BASH_REMATCH[1]))
    failed=$((failed + BASH_REMATCH[2]))
    [ "${BASH_REMATCH[2]}" -gt 0 ] && tail -n 150 "$log"
  else
    tail -n 50 "$log"; failed=$((failed + 1))
  fi
  echo "$name: $line"
}

run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLIMMERDROP_TESTS=ON -DGLIMMERDROP_BENCH=ON

# The program installed and packaged from that same build, as a player gets it.
if [ "${GLIMMERDROP_SKIP_PACKAGE:-0}" != "1" ]; then
  run_stage package build/package.log scripts/test-package.sh build
fi
if [ "${GLIMMERDROP_SKIP_SANITIZE:-0}" != "1" ]; then
  run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DGLIMMERDROP_SANITIZE=ON -DGLIMMERDROP_TESTS=ON -DGLIMMERDROP_BENCH=OFF
fi
if [ "${GLIMMERDROP_SKIP_TSAN:-0}" != "1" ]; then
  run_stage tsan build-tsan/run.log scripts/test-tsan.sh
fi
# Every parser's fuzz target over its corpus, once: each crash found and fixed stays fixed.
if [ "${GLIMMERDROP_SKIP_FUZZ:-0}" != "1" ]; then
  run_stage fuzz build-fuzz/run.log scripts/fuzz.sh
fi
# The Windows program, cross-built with MinGW-w64 and tested under Wine.
if [ "${GLIMMERDROP_SKIP_WINDOWS:-0}" != "1" ]; then
  run_stage windows build-windows/run.log scripts/test-windows.sh
fi
# The browser build, played in headless Chromium; its archive and Linux frame come from build/.
if [ "${GLIMMERDROP_SKIP_WEB:-0}" != "1" ]; then
  run_stage web build-web/run.log env GLIMMERDROP_HOST_BUILD="$PWD/build" scripts/test-web.sh
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
