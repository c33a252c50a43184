#!/usr/bin/env bash
# Creates the build's own Wine prefix once and configures it. Usage: wine-prefix.sh PREFIX_DIR
set -euo pipefail
mkdir -p "$1"
export WINEPREFIX=$(cd "$1" && pwd) WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i 2>&1 | grep -v -e "syswow64" -e "has been updated" || true
  wineserver -w
fi
if [ ! -f "$WINEPREFIX/.arbordir-configured" ]; then
  # Windows that no window manager manages: Wine draws their frames itself and does not wait
  # (two seconds, for a manager that never answers) each time one is hidden or destroyed.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.arbordir-configured"
fi
