#!/usr/bin/env bash
# Starts a Windows program under Wine on the current display, waits for its main window
# "Arbordir", saves a screenshot of it and ends the program.
# Usage: screenshot.sh OUTPUT.png PROGRAM.exe [ARG ...]
set -uo pipefail
shot=$1
shift
wine "$@" &
program=$!
window=""
for _ in $(seq 150); do
  window=$(xdotool search --onlyvisible --name '^Arbordir$' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "screenshot: the window did not appear" >&2
  kill "$program" 2>/dev/null
  exit 1
fi
sleep 1.5 # let it finish painting
# The window's area of the screen, with a small margin.
eval "$(xdotool getwindowgeometry --shell "$window")"
margin=8
import -window root -crop "$((WIDTH + 2 * margin))x$((HEIGHT + 2 * margin))+$((X - margin))+$((Y - margin))" +repage "$shot"
wineserver -k >/dev/null 2>&1
wait "$program" 2>/dev/null
exit 0
