#!/usr/bin/env bash
# Sets up the machine, builds the program and removes a demo installation with it, as a user
# would. A fresh sandboxed Wine prefix (build/demo/wineprefix) gets the installed product: its
# installed-programs entry, product key, installation folder with the driver folders and stand-in
# tools, desktop link, start-menu folder and pinned taskbar link, and the driver's running
# program. The uninstaller is then started from the installation folder.
#
# With a display (DISPLAY set) a person clicks through the window; the script prints what was
# removed and what is left when the program has ended. Without one the window runs under Xvfb,
# is driven with real mouse and key input, and a screenshot of each page is saved in
# build/demo/screenshots.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-location.sh"
"$root/scripts/setup.sh"

# Only what the demo runs: the program, the demo installer and the stand-ins it installs.
build="$root/build/x86_64"
if [ ! -f "$build/build.ninja" ]; then
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64.cmake"
fi
cmake --build "$build" --target Uninstall demo_product

demo="$root/build/demo"
prefix="$demo/wineprefix"
rm -rf "$prefix" "$prefix.lock"
mkdir -p "$demo"

if [ -z "${DISPLAY:-}" ]; then
    exec python3 "$root/tests/e2e/uninstaller_e2e.py" demo "$build" --prefix "$prefix" \
        --shots "$demo/screenshots"
fi

"$root/scripts/wine-prefix.sh" "$prefix" "$build" x11
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LANG=${LANG:-zh_CN.UTF-8}
product() { (cd "$build" && "$wine64" 'B:\bin\demo_product.exe' "$@"); }

product install
product start-app >/dev/null
echo "== Installed:"
product state | sed 's/^/   /'
echo "== Starting C:\\Program Files\\QuorvelTablet\\Uninstall.exe: click through the window"
product run 'C:\Program Files\QuorvelTablet\Uninstall.exe' | sed 's/^/   /'
sleep 2
echo "== Afterwards (gone = removed, present = left):"
product state | sed 's/^/   /'
"$wineserver" -k || true
