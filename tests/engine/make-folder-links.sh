#!/usr/bin/env bash
# Prepares (or, with "clean", removes) folders holding Unix symbolic links inside the test prefix's
# drive C:, for the tests that check that folder removal never follows a link. Programs inside
# the prefix can't create such links themselves.
# usage: make-folder-links.sh PREFIX DRIVE_ROOT [clean]
set -euo pipefail
prefix=$1
drive_root=$2
here=$(cd "$(dirname "$0")" && pwd)
"$here/../../scripts/wine-prefix.sh" "$prefix" "$drive_root" null
root="$prefix/drive_c/uninstaller-tests/links"
rm -rf "$root"
[ "${3:-}" = clean ] && exit 0

mkdir -p "$root/target/deep"
echo keep > "$root/target/keep1.txt"
echo keep > "$root/target/deep/keep2.txt"
for walk in notify tree count; do
    mkdir -p "$root/$walk"
    echo a > "$root/$walk/a.txt"
    ln -s ../target "$root/$walk/link"
done
# A folder that leads into the Windows folder, for the check of an installation folder below it.
ln -s ../../windows "$root/windows-link"
ln -s target "$root/top-notify"
ln -s target "$root/top-tree"
