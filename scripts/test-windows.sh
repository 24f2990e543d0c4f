#!/usr/bin/env bash
# Builds the Windows program (scripts/build-windows.sh) and runs its tests under Wine, in a
# private Wine prefix under the build folder and on a virtual X server of its own.
# Ends with "N passed, N failed"; exits non-zero when anything failed.
#
# Usage: scripts/test-windows.sh [--no-build]
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
source scripts/deps.sh
source scripts/windows-env.sh

ensure_packages "${TEST_PACKAGES[@]}" "${WINDOWS_TEST_PACKAGES[@]}" || { echo "0 passed, 1 failed"; exit 1; }

if [ "${1:-}" != "--no-build" ]; then
  if ! scripts/build-windows.sh; then
    echo "0 passed, 1 failed"
    exit 1
  fi
fi

source scripts/wine-session.sh
RESULTS=$WINDOWS_BUILD/test-results
rm -rf "$RESULTS"
mkdir -p "$RESULTS"

passed=0
failed=0
skipped=0
start=$SECONDS

if ! wine_session_start "$RESULTS"; then
  echo "0 passed, 1 failed"
  exit 1
fi
trap wine_session_stop EXIT

# Runs one test program and adds its results to the counts. A program that dies before
# gtest's closing line counts as one more failure, whatever it had passed so far.
run_test_program() {
  local exe=$1 name
  name=$(basename "$exe" .exe)
  local log=$RESULTS/$name.log
  (cd "$WINDOWS_BUILD" && timeout -k 10 600 wine "$exe" --gtest_color=no) \
    >"$log.raw" 2>&1
  local status=$?
  # The Windows C library writes CRLF line ends.
  tr -d '\r' <"$log.raw" >"$log" && rm -f "$log.raw"
  local ok bad skip
  ok=$(grep -cE '^\[       OK \] ' "$log")
  bad=$(grep -cE '^\[  FAILED  \] .*\([0-9]+ ms\)$' "$log")
  skip=$(grep -cE '^\[  SKIPPED \] .*\([0-9]+ ms\)$' "$log")
  if ! grep -qE '^\[==========\] [0-9]+ tests? from .* ran\.' "$log" || { [ "$status" -ne 0 ] && [ "$bad" -eq 0 ]; }; then
    echo "$name: ended abnormally (exit status $status)"
    tail -n 30 "$log"
    bad=$((bad + 1))
  elif [ "$bad" -gt 0 ]; then
    grep -B 2 -A 20 -E '^\[ RUN      \]' "$log" | awk '
      /^\[ RUN      \]/ { block = $0 "\n"; next }
      { block = block $0 "\n" }
      /^\[  FAILED  \] .*\([0-9]+ ms\)$/ { printf "%s", block; block = "" }
      /^\[       OK \]/ { block = "" }' | head -n 200
  fi
  printf '%-24s %4d passed, %d failed, %d skipped\n' "$name" "$ok" "$bad" "$skip"
  passed=$((passed + ok))
  failed=$((failed + bad))
  skipped=$((skipped + skip))
}

shopt -s nullglob
programs=("$WINDOWS_BUILD"/test_*.exe)
if [ ${#programs[@]} -eq 0 ]; then
  echo "no Windows test programs in $WINDOWS_BUILD"
  failed=$((failed + 1))
fi
for exe in "${programs[@]}"; do
  run_test_program "$exe"
done

# The program itself: start screen, sound paths, full screen.
if [ "${GLIMMERDROP_WINDOWS_SMOKE:-1}" != "0" ]; then
  source scripts/windows-smoke.sh
  smoke_run_all "$RESULTS"
fi

echo "-- Windows tests ran in $((SECONDS - start)) s (skipped: $skipped)"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
