#!/usr/bin/env bash
# Prepares a Debian 12 machine for building and testing Arbordir: installs the packages and
# builds libpng and libjpeg for the Windows build. Safe to run again; finished steps are skipped.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev libz-mingw-w64-dev
  wine wine64 fonts-wine xvfb xauth xcompmgr xdotool imagemagick
  cmake ninja-build g++ clang libclang-rt-14-dev valgrind dpkg-dev nsis
  zlib1g-dev libpng-dev libjpeg-dev googletest libgtest-dev libbenchmark-dev libpixman-1-dev
)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  as_root apt-get update -q
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# libpng and libjpeg have no MinGW package: build them from Debian's source packages.
deps="$root/build/deps/windows"
if [ ! -f "$deps/.complete" ]; then
  src="$root/build/deps/src"
  mkdir -p "$src"
  if ! ls "$src"/libpng1.6_*.orig.tar.* >/dev/null 2>&1 || ! ls "$src"/libjpeg-turbo_*.orig.tar.* >/dev/null 2>&1; then
    if [ ! -f /etc/apt/sources.list.d/arbordir-src.sources ]; then
      # The source entries mirror the machine's own binary entries.
      for f in /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] && sed 's/^Types: deb$/Types: deb-src/' "$f"
        echo
      done | as_root tee /etc/apt/sources.list.d/arbordir-src.sources >/dev/null
      if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | as_root tee -a /etc/apt/sources.list.d/arbordir-src.list >/dev/null
      fi
      as_root apt-get update -q
    fi
    # Only the upstream tarballs are used; a missing Debian patch file does not matter.
    for package in libpng1.6 libjpeg-turbo; do
      (cd "$src" && apt-get source --download-only "$package" >"$src/$package.log" 2>&1) || true
    done
    if ! ls "$src"/libpng1.6_*.orig.tar.* "$src"/libjpeg-turbo_*.orig.tar.* >/dev/null 2>&1; then
      cat "$src"/*.log >&2
      echo "setup: could not download the sources of libpng and libjpeg" >&2
      exit 1
    fi
  fi
  "$root/scripts/build-windows-deps.sh" "$src" "$deps"
  touch "$deps/.complete"
fi
