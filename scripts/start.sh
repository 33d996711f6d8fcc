#!/usr/bin/env bash
# Starts the simulator from a build folder. Without a display the program says so and runs the
# start-up computation without a window, writing the chart picture and the results here.
set -euo pipefail
build="$1"; shift
# Qt wants a private runtime folder; desktop sessions have one, plain shells may not.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  XDG_RUNTIME_DIR="$(mktemp -d)"
  export XDG_RUNTIME_DIR
fi
exec "$build/app/window/tgsim" "$@"
