#!/usr/bin/env bash
# Installs what is missing, builds the simulator and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh run
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTGSIM_BUILD_TESTS=OFF -DTGSIM_BUILD_BENCH=OFF
cmake --build build/release
exec bash scripts/start.sh build/release "$@"
