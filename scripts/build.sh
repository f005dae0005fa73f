#!/usr/bin/env bash
# Configures and builds both architectures: build/i686 (the shipped 32-bit program) and
# build/x86_64 (the build the tests run under wine64).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
for arch in ${ARCHS:-i686 x86_64}; do
    build="$root/build/$arch"
    if [ ! -f "$build/build.ninja" ]; then
        cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake"
    fi
    cmake --build "$build" --parallel "$(nproc)"
done
