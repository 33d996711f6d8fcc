#!/usr/bin/env bash
# Starts the simulator from a build folder.
set -euo pipefail
build="$1"; shift
if [ -x "$build/app/tgsim" ]; then exec "$build/app/tgsim" "$@"; fi
echo "The simulator window is not built yet; the command-line runner is $build/app/tgsim-cli." >&2
