#!/bin/bash
# Runs a command on a desktop of its own: a virtual X display (Xvfb) with a
# window manager (openbox) on it, as Windows programs under Wine expect.
# Without a window manager Wine waits for the X server each time a window
# hides, and stacking differs from Windows.
#
#   desktop-run.sh [--screen WxH] COMMAND [ARGUMENT ...]
#
# Xvfb picks a free display itself (-displayfd), so that desktops started
# side by side never share one; the command runs once the window manager
# has taken the screen, and its exit status is returned.
set -euo pipefail
screen=1400x900
if [ "${1:-}" = --screen ]; then
  screen=$2
  shift 2
fi
[ $# -gt 0 ] || { echo "usage: desktop-run.sh [--screen WxH] COMMAND [ARGUMENT ...]" >&2; exit 2; }

state=$(mktemp -d)
server="" manager=""
cleanup() {
  [ -z "$manager" ] || kill "$manager" 2>/dev/null || true
  [ -z "$server" ] || kill "$server" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$state"
}
trap cleanup EXIT

# Xvfb writes the display's number to the pipe once it accepts clients.
mkfifo "$state/display"
Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$state/display" \
  >"$state/xvfb.log" 2>&1 &
server=$!
read -r number <"$state/display" || { cat "$state/xvfb.log" >&2; exit 1; }
export DISPLAY=":$number"

# openbox names itself on the root window once it manages the screen. On a
# very busy machine it has been seen to give up at start; it is given three
# tries, and its messages are shown if none succeeds.
start_manager() {
  openbox --sm-disable >>"$state/openbox.log" 2>&1 &
  manager=$!
  local tries=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; do
    tries=$((tries + 1))
    kill -0 "$manager" 2>/dev/null && [ "$tries" -le 600 ] || return 1
    sleep 0.05
  done
}
attempt=1
until start_manager; do
  kill "$manager" 2>/dev/null || true
  if [ "$attempt" -ge 3 ]; then
    echo "desktop-run: openbox did not start on $DISPLAY:" >&2
    cat "$state/openbox.log" >&2
    exit 1
  fi
  attempt=$((attempt + 1))
done

status=0
"$@" || status=$?
exit $status
