#!/usr/bin/env bash
# Sets up the machine, checks the include layers and the formatting, builds both architectures with warnings as errors, and runs every test
# under wine64 (the x86_64 build). Ends with CTest's summary line.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/check-layers.sh"
"$root/scripts/check-format.sh"
"$root/scripts/build.sh"
cd "$root/build/x86_64"
ctest --output-on-failure --timeout 600 "$@"
