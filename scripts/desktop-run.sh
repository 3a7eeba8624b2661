#!/bin/bash
# Runs a command on a desktop of its own: a virtual X display (Xvfb) with a
# window manager (openbox) on it, as Windows programs under Wine expect.
# Without a window manager Wine waits for the X server each time a window
# hides, and stacking differs from Windows.
#
#   desktop-run.sh [--screen WxH] COMMAND [ARGUMENT ...]
#
# The display is chosen free (xvfb-run -a); the command runs once the
# window manager has taken the screen, and its exit status is returned.
set -euo pipefail
screen=1400x900
if [ "${1:-}" = --screen ]; then
  screen=$2
  shift 2
fi
[ $# -gt 0 ] || { echo "usage: desktop-run.sh [--screen WxH] COMMAND [ARGUMENT ...]" >&2; exit 2; }

exec xvfb-run -a -s "-screen 0 ${screen}x24 -nolisten tcp" bash -c '
  set -u
  openbox --sm-disable >/dev/null 2>&1 &
  manager=$!
  # openbox names itself on the root window once it manages the screen.
  for _ in $(seq 1 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    kill -0 "$manager" 2>/dev/null || { echo "desktop-run: openbox did not start" >&2; exit 1; }
    sleep 0.05
  done
  "$@"
  status=$?
  kill "$manager" 2>/dev/null
  wait "$manager" 2>/dev/null
  exit $status
' desktop "$@"
