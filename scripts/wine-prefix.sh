#!/usr/bin/env bash
# Creates the build's own Wine prefix once. Usage: wine-prefix.sh PREFIX_DIR
set -euo pipefail
mkdir -p "$1"
export WINEPREFIX=$(cd "$1" && pwd) WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i 2>&1 | grep -v -e "syswow64" -e "has been updated" || true
  wineserver -w
fi
