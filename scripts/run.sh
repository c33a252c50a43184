#!/usr/bin/env bash
# Builds Arbordir and starts it under Wine. Arguments go to the program (the first one is the
# destination folder). With no display, the program runs on a private virtual display for a few
# seconds and a screenshot of it is saved to build/screenshots/arbordir.png.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target arbordir
scripts/wine-prefix.sh build/windows/wineprefix

export WINEPREFIX="$root/build/windows/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  exec wine build/windows/arbordir.exe "$@"
fi

mkdir -p build/screenshots
shot="$root/build/screenshots/arbordir.png"
scripts/with-display.sh scripts/screenshot.sh "$shot" build/windows/arbordir.exe "$@"
echo "No display: Arbordir ran on a private virtual display; its screenshot is $shot"
