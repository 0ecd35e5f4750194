#!/usr/bin/env bash
# Installs what the build needs on Debian 12, configures and builds into BUILD_DIR (default: build).
# Idempotent: installs only missing packages and reuses an existing build folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}

# Wine's own fonts (Tahoma, Marlett for the glyphs of standard controls) and the metric-compatible
# Liberation fonts are only recommended by the wine packages, so they are named here.
packages=(cmake make python3 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
          wine wine64 fonts-wine fonts-liberation googletest doxygen)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-Release} >/dev/null
cmake --build "$build" -j"$(nproc)" ${BUILD_TARGET:+--target $BUILD_TARGET}
