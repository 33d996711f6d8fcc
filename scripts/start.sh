#!/usr/bin/env bash
# Starts the simulator from a build folder. Without a display the program says so and runs the
# start-up computation without a window, writing the chart picture and the results here.
set -euo pipefail
build="$1"; shift
exec "$build/app/window/tgsim" "$@"
