#!/usr/bin/env bash
# Cross-compiles libpng and libjpeg as static MinGW-w64 libraries into a prefix.
# Usage: build-windows-deps.sh SOURCE_DIR PREFIX
set -euo pipefail
src=$(cd "$1" && pwd)
mkdir -p "$2"
prefix=$(cd "$2" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
toolchain="$root/cmake/mingw-w64.cmake"
work="$prefix/../work"
rm -rf "$work"
mkdir -p "$work" "$prefix"

unpack() { # archive pattern -> unpacked directory
  local archive
  archive=$(ls "$src"/$1 | head -n 1)
  tar -xf "$archive" -C "$work"
  tar -tf "$archive" | awk -F/ 'NR == 1 { print $1 }'
}

png_dir=$(unpack 'libpng1.6_*.orig.tar.*')
cmake -S "$work/$png_dir" -B "$work/png-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DARBORDIR_DEPS_PREFIX="$prefix" \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON -Wno-dev >/dev/null
cmake --build "$work/png-build" --target install >/dev/null

jpeg_dir=$(unpack 'libjpeg-turbo_*.orig.tar.*')
cmake -S "$work/$jpeg_dir" -B "$work/jpeg-build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DARBORDIR_DEPS_PREFIX="$prefix" \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DENABLE_SHARED=OFF -DWITH_SIMD=0 -DWITH_TURBOJPEG=OFF >/dev/null
cmake --build "$work/jpeg-build" --target jpeg-static >/dev/null
mkdir -p "$prefix/include" "$prefix/lib"
cp "$work/jpeg-build/jconfig.h" "$work/$jpeg_dir/jpeglib.h" "$work/$jpeg_dir/jmorecfg.h" \
  "$work/$jpeg_dir/jerror.h" "$prefix/include/"
cp "$work/jpeg-build/libjpeg.a" "$prefix/lib/"
rm -rf "$work"
echo "built libpng and libjpeg for Windows into $prefix"
