#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test; ends with "N passed, N failed".
# GLIMMERDROP_SKIP_SANITIZE=1 skips the AddressSanitizer + UndefinedBehaviorSanitizer pass,
# GLIMMERDROP_SKIP_TSAN=1 the ThreadSanitizer pass over the audio thread,
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

run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLIMMERDROP_TESTS=ON -DGLIMMERDROP_BENCH=ON

# The program installed and packaged from that same build, as a player gets it.
if [ "${GLIMMERDROP_SKIP_PACKAGE:-0}" != "1" ]; then
  package_line=$(scripts/test-package.sh build 2>&1 | tee build/package.log | tail -n 1)
  if [[ "$package_line" =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
    passed=$((passed + BASH_REMATCH[1]))
    failed=$((failed + BASH_REMATCH[2]))
    sed '$d' build/package.log
  else
    tail -n 50 build/package.log; failed=$((failed + 1))
  fi
fi
if [ "${GLIMMERDROP_SKIP_SANITIZE:-0}" != "1" ]; then
  run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DGLIMMERDROP_SANITIZE=ON -DGLIMMERDROP_TESTS=ON -DGLIMMERDROP_BENCH=OFF
fi

if [ "${GLIMMERDROP_SKIP_TSAN:-0}" != "1" ]; then
  echo "== build-tsan"
  mkdir -p build-tsan
  tsan_line=$(scripts/test-tsan.sh 2>&1 | tee build-tsan/run.log | tail -n 1)
  if [[ "$tsan_line" =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
    passed=$((passed + BASH_REMATCH[1]))
    failed=$((failed + BASH_REMATCH[2]))
    [ "${BASH_REMATCH[2]}" -gt 0 ] && tail -n 100 build-tsan/run.log
  else
    tail -n 50 build-tsan/run.log; failed=$((failed + 1))
  fi
  echo "tsan: $tsan_line"
fi

# The Windows program, cross-built with MinGW-w64 and tested under Wine.
if [ "${GLIMMERDROP_SKIP_WINDOWS:-0}" != "1" ]; then
  echo "== build-windows"
  mkdir -p build-windows
  windows_line=$(scripts/test-windows.sh 2>&1 | tee build-windows/run.log | tail -n 1)
  if [[ "$windows_line" =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
    passed=$((passed + BASH_REMATCH[1]))
    failed=$((failed + BASH_REMATCH[2]))
    [ "${BASH_REMATCH[2]}" -gt 0 ] && tail -n 150 build-windows/run.log
  else
    tail -n 50 build-windows/run.log; failed=$((failed + 1))
  fi
  echo "windows: $windows_line"
fi

# The browser build, played in headless Chromium; its Linux frame comes from the build above.
if [ "${GLIMMERDROP_SKIP_WEB:-0}" != "1" ]; then
  echo "== build-web"
  mkdir -p build-web
  web_line=$(GLIMMERDROP_HOST_BUILD=$PWD/build scripts/test-web.sh 2>&1 | tee build-web/run.log | tail -n 1)
  if [[ "$web_line" =~ ^([0-9]+)\ passed,\ ([0-9]+)\ failed$ ]]; then
    passed=$((passed + BASH_REMATCH[1]))
    failed=$((failed + BASH_REMATCH[2]))
    [ "${BASH_REMATCH[2]}" -gt 0 ] && tail -n 100 build-web/run.log
  else
    tail -n 50 build-web/run.log; failed=$((failed + 1))
  fi
  echo "web: $web_line"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
