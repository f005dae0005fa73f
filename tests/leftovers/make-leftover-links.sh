#!/usr/bin/env bash
# Prepares (or, with "clean", removes) inside the test prefix's drive C: an installation folder
# holding a Unix symbolic link to a folder outside with read-only contents, and an installation
# folder holding a read-only folder. Programs inside the prefix can create neither: Wine ignores
# the read-only attribute set on a folder and keeps it in the Unix permission bits instead.
# (Wine shows a link to a file as the file itself, so there is no file link here.)
# usage: make-leftover-links.sh PREFIX DRIVE_ROOT [clean]
set -euo pipefail
prefix=$1
drive_root=$2
here=$(cd "$(dirname "$0")" && pwd)
"$here/../../scripts/wine-prefix.sh" "$prefix" "$drive_root" null
root="$prefix/drive_c/uninstaller-tests/leftover-links"
locked_install="$prefix/drive_c/uninstaller-tests/leftover-readonly-folder"
for folder in "$root" "$locked_install"; do
    if [ -d "$folder" ]; then
        chmod -R u+w "$folder"
        rm -rf "$folder"
    fi
done
[ "${3:-}" = clean ] && exit 0

mkdir -p "$root/outside/locked" "$root/install/sub"
echo keep > "$root/outside/keep.txt"
echo keep > "$root/outside/locked/inner.txt"
echo own > "$root/install/sub/own.txt"
ln -s ../outside "$root/install/folder-link"
# Read-only as Wine keeps it: the Unix write permission bits.
chmod a-w "$root/outside/keep.txt" "$root/outside/locked/inner.txt" "$root/outside/locked"
chmod a-w "$root/install/sub/own.txt"

mkdir -p "$locked_install/locked"
echo inner > "$locked_install/locked/inner.txt"
chmod a-w "$locked_install/locked/inner.txt" "$locked_install/locked"
