#!/usr/bin/env bash
# Runs a command on the X display in DISPLAY, or where there is none on a new Xvfb screen with
# openbox as window manager (activation and focus need one).
#   on_display.sh XVFB_RUN OPENBOX COMMAND...
set -euo pipefail
xvfb_run="$1" openbox="$2"
shift 2
if [ -n "${DISPLAY:-}" ]; then exec "$@"; fi
exec "$xvfb_run" -a -s "-screen 0 1280x1024x24" bash -c \
  '"$0" >/dev/null 2>&1 & wm=$!; trap "kill $wm 2>/dev/null || true" EXIT; sleep 1; "$@"' \
  "$openbox" "$@"
