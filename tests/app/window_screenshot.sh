#!/usr/bin/env bash
# Runs the window-screenshot program on the current X display with openbox as window manager
# (activation and focus need one). Usage: window_screenshot.sh PROGRAM OUTPUT.png [about]
set -euo pipefail
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null || true' EXIT
sleep 1
"$@"
