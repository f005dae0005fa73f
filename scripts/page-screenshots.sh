#!/usr/bin/env bash
# Takes a screenshot of every page in Chinese and in English: usage
#   page-screenshots.sh DISPLAY_NUMBER OUTPUT_FOLDER
# An X server (e.g. Xvfb :DISPLAY_NUMBER -screen 0 1024x768x24) must already run on that display.
# Needs the x86_64 build's PageGallery target and xdotool.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/wine-location.sh"
display=":$1"
out=$2
build="$root/build/x86_64"
prefix="$build/wineprefix"
# How long the gallery stays; the picture is taken a moment after its window shows.
gallery_seconds=20
mkdir -p "$out"
for language in zh_CN en_US; do
    # Wine takes its interface language from LANG when the prefix's server starts.
    WINEPREFIX=$prefix "$wineserver" -k 2>/dev/null || true
    WINEPREFIX=$prefix "$wineserver" -w
    DISPLAY=$display WINE_DISPLAY=x11 WINE_LANG=$language.UTF-8 \
        "$root/scripts/wine-run.sh" "$prefix" "$build" "$build/bin/PageGallery.exe" \
        "$gallery_seconds" &
    gallery=$!
    # A first start in a fresh prefix sets the prefix up first, which takes a while.
    for _ in $(seq 1 600); do
        if DISPLAY=$display xdotool search --onlyvisible --name '^page$' >/dev/null 2>&1; then
            break
        fi
        sleep 0.1
    done
    sleep 1
    DISPLAY=$display import -window root -depth 8 "$out/pages-$language.png"
    wait "$gallery"
done
echo "Screenshots in $out"
