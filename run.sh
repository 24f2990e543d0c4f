#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game with the arguments given.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
ensure_packages "${BUILD_PACKAGES[@]}"
# Playing needs neither the tests nor the benchmarks (nor their packages).
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGLIMMERDROP_TESTS=OFF -DGLIMMERDROP_BENCH=OFF >/dev/null
cmake --build build
cd build
exec ./glimmerdrop "$@"
