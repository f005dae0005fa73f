#!/usr/bin/env bash
# Sets up the machine, builds the program and runs it as a user would: a product folder is
# installed in a sandboxed Wine prefix (build/demo/wineprefix), the uninstaller is started from
# that folder, and the script shows what it did.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-location.sh"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

demo="$root/build/demo"
prefix="$demo/wineprefix"
mkdir -p "$demo"
"$root/scripts/wine-prefix.sh" "$prefix" "$demo" null
export WINEPREFIX=$prefix WINEDLLOVERRIDES="mscoree,mshtml=" LANG=${LANG_FOR_DEMO:-en_US.UTF-8}

install_dir="$prefix/drive_c/Program Files/QuorvelTablet"
temp_dir=$("$wine64" winepath -u "$("$wine64" cmd /c echo %TEMP% 2>/dev/null | tr -d '\r')" 2>/dev/null)
rm -f "$temp_dir/Uninstall.exe"
mkdir -p "$install_dir/driver/TabletDriver/amd64" "$install_dir/driver/HID/amd64"
cp "$root/build/x86_64/bin/Uninstall.exe" "$install_dir/Uninstall.exe"
echo "pen settings" >"$install_dir/QuorvelTablet.ini"

echo "== Installed product: C:\\Program Files\\QuorvelTablet"
(cd "$install_dir" && find . -type f | sort | sed 's/^\.\//   /')

echo "== Starting C:\\Program Files\\QuorvelTablet\\Uninstall.exe"
log="$demo/process.log"
set +e
WINEDEBUG=trace+process "$wine64" 'C:\Program Files\QuorvelTablet\Uninstall.exe' 2>"$log"
status=$?
set -e
"$wineserver" -w
echo "   first process ended with exit code $status"

echo "== Processes the uninstaller started"
grep -a 'NtCreateUserProcess.*cmdline' "$log" | grep -a 'Uninstall' |
    sed 's/\\\\/\\/g; s/\\"/"/g' | sed 's/.*image L"\(.*\)" cmdline L"\(.*\)" parent.*/   image: \1\n   command line: \2/' || true
if [ -f "$temp_dir/Uninstall.exe" ]; then
    echo "== The copy in the temporary folder: $(cd "$temp_dir" && ls -l Uninstall.exe)"
else
    echo "== No copy in the temporary folder"
    exit 1
fi
