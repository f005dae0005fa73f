#!/usr/bin/env bash
# Creates a sandboxed Wine prefix once: usage wine-prefix.sh PREFIX DRIVE_ROOT [null|x11]
#
# A fresh prefix links Desktop, Documents and the other user folders to the Linux home folder and
# maps drive Z: to the whole file system, so a deletion under test could reach real files. Here
# the links become real folders inside the prefix, Z: is removed, and drive B: maps DRIVE_ROOT
# (the build folder) so that programs can be started from it.
set -euo pipefail
. "$(dirname "$0")/wine-location.sh"

prefix=$1
drive_root=$2
display=${3:-null}
marker="$prefix/.sandboxed-$display"

mkdir -p "$(dirname "$prefix")"
exec 9>"$prefix.lock"
flock 9
[ -f "$marker" ] && exit 0

export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ ! -f "$prefix/system.reg" ]; then
    "$wine64" wineboot -i >/dev/null 2>&1
    "$wineserver" -w
fi

for user_dir in "$prefix"/drive_c/users/*/; do
    for entry in "$user_dir"* "$user_dir"AppData/Roaming/Microsoft/Windows/Templates; do
        if [ -L "$entry" ]; then
            rm -f "$entry"
            mkdir -p "$entry"
        fi
    done
done
rm -f "$prefix/dosdevices/z:"
ln -sfn "$(cd "$drive_root" && pwd)" "$prefix/dosdevices/b:"

# Registry settings: display driver, no window manager waits, and the UI font mapped to one that
# has Chinese glyphs. Written as a UTF-16 .reg file because the font name is Chinese.
if [ "$display" = null ]; then graphics='"Graphics"="null"'; else graphics='"Graphics"="x11"'; fi
reg_file="$prefix/drive_c/prefix-settings.reg"
printf '%s\r\n' \
    'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Drivers]' "$graphics" '' \
    '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"Managed"="N"' '"Decorated"="N"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' '"微软雅黑"="WenQuanYi Micro Hei"' '' |
    iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg_file"
"$wine64" regedit /S 'C:\prefix-settings.reg' >/dev/null 2>&1
rm -f "$reg_file" "$prefix"/.sandboxed-*
"$wineserver" -w
touch "$marker"
