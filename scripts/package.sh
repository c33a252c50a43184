#!/usr/bin/env bash
# Builds the release packages of Arbordir for Windows into build/windows/packages: the
# installer Arbordir-<version>-win64.exe and the portable Arbordir-<version>-win64.zip, each
# with a .sha256 checksum file. The version is the one in CMakeLists.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

scripts/setup.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target arbordir
(cd build/windows && cpack --config CPackConfig.cmake >/dev/null)
name=$(sed -n 's/^set(CPACK_PACKAGE_FILE_NAME "\(.*\)")$/\1/p' build/windows/CPackConfig.cmake)
echo "Packages:"
ls -1 "build/windows/packages/$name.exe" "build/windows/packages/$name.zip"
