#!/usr/bin/env bash
# Builds the browser build (scripts/build-web.sh) and plays it in headless Chromium: a journal to
# the same stored row as the desktop programs, the start screen against the Linux program's frame,
# real keys and clicks, and a stored row kept across a reload.
# Ends with "N passed, N failed"; exits non-zero when anything failed.
#
# Usage: scripts/test-web.sh [--no-build]
# GLIMMERDROP_HOST_BUILD names the native build whose program gives the Linux frame (default: build).
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
source scripts/deps.sh

ensure_packages "${TEST_PACKAGES[@]}" "${WEB_TEST_PACKAGES[@]}" || { echo "0 passed, 1 failed"; exit 1; }

export GLIMMERDROP_HOST_BUILD=${GLIMMERDROP_HOST_BUILD:-$ROOT/build}
WEB_BUILD=${GLIMMERDROP_WEB_BUILD:-$ROOT/build-web}
if [ "${1:-}" != "--no-build" ]; then
  if ! scripts/build-web.sh; then
    echo "0 passed, 1 failed"
    exit 1
  fi
fi
if [ ! -x "$GLIMMERDROP_HOST_BUILD/glimmerdrop" ]; then
  cmake --build "$GLIMMERDROP_HOST_BUILD" --target glimmerdrop glimmerdrop_assets || { echo "0 passed, 1 failed"; exit 1; }
fi
python3 tests/web/page_test.py "$WEB_BUILD" "$GLIMMERDROP_HOST_BUILD" "$ROOT"
