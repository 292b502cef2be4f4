#!/usr/bin/env bash
# Configures and builds a build tree for the architecture this machine can test, and the
# shipped 32-bit programs beside it when that architecture is not 32-bit.
# Usage: configure-build.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
arch=$(bash "$root/tools/test-arch.sh")
toolchain="$root/cmake/mingw-$arch.cmake"
# A tree configured for the other architecture is rebuilt from scratch (prefix included).
if [ -f "$build/CMakeCache.txt" ] && ! grep -q "^CMAKE_TOOLCHAIN_FILE:[A-Z]*=$toolchain$" "$build/CMakeCache.txt"; then
  rm -rf "$build"
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" >/dev/null
cmake --build "$build"
if [ "$arch" != i686 ]; then
  shipped="$build/shipped-i686"
  # Its catalog.exe cannot run here: the sample's packets come from the tree that can run its own.
  cmake -S "$root" -B "$shipped" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
        -DORVELIN_TESTS=OFF -DORVELIN_SAMPLE_PACKETS="$build/sample-setup/data" >/dev/null
  cmake --build "$shipped"
fi
