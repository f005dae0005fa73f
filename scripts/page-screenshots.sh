#!/usr/bin/env bash
# Takes a screenshot of every page in Chinese and in English: usage
#   page-screenshots.sh DISPLAY_NUMBER OUTPUT_FOLDER
# An X server (e.g. Xvfb :DISPLAY_NUMBER -screen 0 1024x768x24) must already run on that display.
# Needs the x86_64 build's PageGallery target.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
display=":$1"
out=$2
build="$root/build/x86_64"
mkdir -p "$out"
for language in zh_CN en_US; do
    DISPLAY=$display WINE_DISPLAY=x11 WINE_LANG=$language.UTF-8 \
        "$root/scripts/wine-run.sh" "$build/wineprefix" "$build" "$build/bin/PageGallery.exe" 8 &
    gallery=$!
    sleep 10
    DISPLAY=$display import -window root "$out/pages-$language.png"
    wait "$gallery"
done
echo "Screenshots in $out"
