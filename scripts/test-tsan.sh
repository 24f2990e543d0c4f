#!/usr/bin/env bash
# Builds with ThreadSanitizer and runs the tests that share data with the audio thread.
# Ends with "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" || { echo "0 passed, 1 failed"; exit 1; }

dir=build-tsan
mkdir -p "$dir"
if ! cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLIMMERDROP_TSAN=ON -DGLIMMERDROP_BENCH=OFF \
    >"$dir/configure.log" 2>&1; then
  cat "$dir/configure.log"; echo "0 passed, 1 failed"; exit 1
fi
if ! cmake --build "$dir" --target test_audio_thread test_platform_audio; then
  echo "0 passed, 1 failed"; exit 1
fi
# Any report fails the test that caused it.
export TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1 ${TSAN_OPTIONS:-}"
log="$dir/ctest.log"
ctest --test-dir "$dir" --output-on-failure --timeout 600 -R '^(AudioThreadTest|SDLAudioDeviceTest|SDLAudioStreamTest)\.' \
  >"$log" 2>&1
grep -E '^\s*[0-9]+% tests passed|\(Failed\)|\(Timeout\)|ThreadSanitizer' "$log" || true
summary=$(grep -E 'tests passed, [0-9]+ tests failed out of [0-9]+' "$log" | tail -n 1)
if [ -z "$summary" ]; then
  tail -n 50 "$log"; echo "0 passed, 1 failed"; exit 1
fi
bad=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\1/')
total=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests failed out of ([0-9]+).*/\2/')
if [ "$bad" -gt 0 ]; then
  grep -B 5 -A 40 -E 'WARNING: ThreadSanitizer|^\[  FAILED  \]' "$log" | head -n 200
fi
echo "$((total - bad)) passed, $bad failed"
[ "$bad" -eq 0 ]
