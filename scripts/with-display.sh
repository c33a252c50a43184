#!/usr/bin/env bash
# Runs a command on a private virtual display with a compositing manager, so that layered
# windows show their per-pixel alpha, then ends the display, the compositor and the Wine
# processes of the prefix in $WINEPREFIX. Usage: with-display.sh COMMAND [ARG ...]
set -uo pipefail

fdfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$fdfile" ] && break
  sleep 0.1
done
display=$(tr -d '[:space:]' <"$fdfile")
rm -f "$fdfile"
if [ -z "$display" ]; then
  echo "with-display: Xvfb did not start" >&2
  kill "$xvfb_pid" 2>/dev/null
  exit 1
fi
export DISPLAY=":$display"
xcompmgr >/dev/null 2>&1 &
compositor_pid=$!

stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  kill "$compositor_pid" "$xvfb_pid" 2>/dev/null
  wait "$compositor_pid" "$xvfb_pid" 2>/dev/null
}
trap stop EXIT

"$@"
