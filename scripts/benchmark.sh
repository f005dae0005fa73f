#!/usr/bin/env bash
# Measures the uninstaller under Wine on this machine and compares it with yardsticks measured
# in the same run (figures move from run to run; their ratios hold better):
#   - start-up: from starting the installed program (which relaunches itself from the temporary
#     folder) to its window being visible, against a bare program that only opens a window
#     (target: at most 2x);
#   - removal: a 10,000-file installation, from the click on the start button to the finish
#     button on the screen, against a plain FindFirstFile/DeleteFile walk of the same tree
#     (target: at least 0.75x the walk's files per second), and how often the bar moved.
# Runs under its own Xvfb on a free display (or BENCHMARK_DISPLAY) in build/x86_64/benchmark.
# Usage: scripts/benchmark.sh [files] [startup rounds]   (defaults 10000 and 5)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-location.sh"
build="$root/build/x86_64"
files=${1:-10000}
rounds=${2:-5}
cmake --build "$build" --target Uninstall uninstall_benchmark >/dev/null

if [ -n "${BENCHMARK_DISPLAY:-}" ]; then
    Xvfb ":$BENCHMARK_DISPLAY" -screen 0 1024x768x24 -nolisten tcp 2>/dev/null &
    xvfb=$!
    display=$BENCHMARK_DISPLAY
    sleep 1
else
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" 2>/dev/null &
    xvfb=$!
    until [ -s "$number_file" ]; do sleep 0.1; done
    display=$(tr -d '\n' <"$number_file")
    rm -f "$number_file"
fi

prefix="$build/benchmark/wineprefix"
"$root/scripts/wine-prefix.sh" "$prefix" "$build" x11
export DISPLAY=":$display" WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" \
    LANG=zh_CN.UTF-8
cleanup() {
    "$wineserver" -k || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
cd "$build"
"$wineserver" -p
# One window open for the whole run, so that Wine's desktop process is not started anew (and
# counted) with every program.
"$wine64" 'B:\bin\demo_product.exe' hold >/dev/null 2>&1 &
sleep 2

install() {
    "$wine64" 'B:\bin\demo_product.exe' remove >/dev/null
    "$wine64" 'B:\bin\demo_product.exe' install "$@" >/dev/null
}

install
startup=$("$wine64" 'B:\bin\uninstall_benchmark.exe' startup "$rounds" | tr -d '\r')
install --files "$files"
removal=$("$wine64" 'B:\bin\uninstall_benchmark.exe' uninstall | tr -d '\r')
install --files "$files"
walk=$("$wine64" 'B:\bin\uninstall_benchmark.exe' walk | tr -d '\r')
"$wine64" 'B:\bin\demo_product.exe' remove >/dev/null

echo "$startup"
echo "$removal"
echo "$walk"
removal_rate=$(echo "$removal" | sed -n 's/.* = \([0-9]*\) files\/s.*/\1/p')
walk_rate=$(echo "$walk" | sed -n 's/.* = \([0-9]*\) files\/s.*/\1/p')
awk -v a="$removal_rate" -v b="$walk_rate" \
    'BEGIN { printf "removal: %.2f x the plain walk'"'"'s files/s (target >= 0.75)\n", a / b }'
echo "startup target: ratio <= 2"
