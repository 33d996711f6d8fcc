#!/usr/bin/env bash
# Takes docs/screenshot.png: the main window after F10 on a virtual X server.
# Usage: scripts/screenshot.sh BUILD_FOLDER [OUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build/release}"
out="${2:-docs/screenshot.png}"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
xvfb-run -a -s "-screen 0 1280x1024x24" "$build/tools/window_screenshot/tgsim_window_screenshot" "$out"
echo "$out"
