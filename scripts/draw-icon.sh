#!/usr/bin/env bash
# Draws the uninstaller window icon: a dark pen tablet with a lighter active area, a teal stroke and a diagonal stylus.
set -euo pipefail

repo_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$repo_root/res/Uninstall.ico"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

body='#263040'    # tablet shell
area='#3E4C63'    # active area
pen='#EEF1F5'     # stylus barrel
edge='#1A212D'    # outline
accent='#19C4A6'  # teal accent

# Full-detail artwork, drawn in 256-unit coordinates on a 1024 canvas (scale 4) for smooth edges.
convert -size 1024x1024 xc:none \
    -draw "scale 4,4
           fill $body stroke $edge stroke-width 3
           roundrectangle 14,60 242,222 26,26
           stroke none fill $area
           roundrectangle 40,82 216,200 10,10
           fill $accent
           roundrectangle 113,207 143,213 3,3
           fill none stroke $accent stroke-width 7 stroke-linecap round stroke-linejoin round
           path 'M 60,176 C 78,130 96,132 104,158 S 124,178 134,150'" \
    -draw "scale 4,4 translate 134,150 rotate -52
           stroke $edge stroke-width 3 stroke-linejoin round fill $pen
           polygon 0,0 30,-11 30,11
           roundrectangle 28,-12 156,12 8,8
           stroke none fill $accent
           rectangle 44,-10.5 70,10.5
           fill $edge
           polygon 0,0 9,-3.3 9,3.3" \
    "$work/full.png"

# Simplified artwork for the small sizes: no stroke, thicker shapes.
convert -size 1024x1024 xc:none \
    -draw "scale 4,4
           fill $body stroke none
           roundrectangle 8,60 248,230 30,30
           fill $area
           roundrectangle 36,86 220,204 12,12" \
    -draw "scale 4,4 translate 118,160 rotate -52
           stroke $edge stroke-width 4 stroke-linejoin round fill $pen
           polygon 0,0 40,-20 40,20
           roundrectangle 38,-22 170,22 10,10
           stroke none fill $accent
           rectangle 56,-18 90,18" \
    "$work/small.png"

convert "$work/full.png" -filter Lanczos -resize 256x256 "$work/256.png"
convert "$work/full.png" -filter Lanczos -resize 48x48 "$work/48.png"
convert "$work/small.png" -filter Lanczos -resize 32x32 "$work/32.png"
convert "$work/small.png" -filter Lanczos -resize 16x16 "$work/16.png"

convert "$work/16.png" "$work/32.png" "$work/48.png" "$work/256.png" -depth 8 "$out"
echo "wrote $out"
