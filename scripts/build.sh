#!/usr/bin/env bash
# Configures and builds both architectures: build/i686, the shipped 32-bit program (no tests, no
# aborting checks, stripped), and build/x86_64, the test build the tests run under wine64. A build
# folder whose options differ from these is configured again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
for arch in ${ARCHS:-i686 x86_64}; do
    build="$root/build/$arch"
    if [ "$arch" = i686 ]; then
        options=(-DUNINSTALLER_TESTS=OFF -DUNINSTALLER_CHECKS=OFF -DUNINSTALLER_STRIP=ON)
    else
        options=(-DUNINSTALLER_TESTS=ON -DUNINSTALLER_CHECKS=ON -DUNINSTALLER_STRIP=OFF)
    fi
    stamp="$build/build-options"
    if [ ! -f "$build/build.ninja" ] || [ "$(cat "$stamp" 2>/dev/null)" != "${options[*]}" ]; then
        cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" "${options[@]}"
        echo "${options[*]}" >"$stamp"
    fi
    cmake --build "$build" --parallel "$(nproc)"
done
