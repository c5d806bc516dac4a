#!/usr/bin/env bash
# Draws the program's icon (icon.png, 64 x 64) and the Help tab's picture (help.jpg, 121 x 113)
# with ImageMagick. Usage: make_images.sh [OUTPUT_DIR]  (default: this folder)
set -euo pipefail
out=${1:-$(cd "$(dirname "$0")" && pwd)}

# The icon: a white bell on a round teal badge, drawn at 4x and scaled down for smooth edges.
convert -size 256x256 xc:none \
    -fill '#1f8a9e' -stroke '#145e6c' -strokewidth 8 -draw 'circle 128,128 128,8' \
    -fill white -stroke none \
    -draw 'path "M 128,44 C 84,44 74,86 74,118 L 74,152 L 52,180 L 204,180 L 182,152 L 182,118 C 182,86 172,44 128,44 Z"' \
    -draw 'circle 128,40 128,28' \
    -draw 'circle 128,196 128,180' \
    -fill none -stroke white -strokewidth 9 \
    -draw 'arc 30,70 70,150 120,240' -draw 'arc 186,70 226,150 300,60' \
    -resize 64x64 -strip "PNG32:$out/icon.png"

# The Help picture: a clock face with a small bell before a soft blue sky.
convert -size 121x113 gradient:'#dff3fb'-'#8fcfe6' \
    -fill white -stroke '#1f5f70' -strokewidth 3 -draw 'circle 56,60 56,19' \
    -stroke '#1f5f70' -strokewidth 2 \
    -draw 'line 56,23 56,30' -draw 'line 56,90 56,97' \
    -draw 'line 19,60 26,60' -draw 'line 86,60 93,60' \
    -strokewidth 1 \
    -draw 'line 74,28 72,32' -draw 'line 88,42 84,44' -draw 'line 88,78 84,76' \
    -draw 'line 74,92 72,88' -draw 'line 38,92 40,88' -draw 'line 24,78 28,76' \
    -draw 'line 24,42 28,44' -draw 'line 38,28 40,32' \
    -stroke '#233' -strokewidth 4 -draw 'line 56,60 40,46' \
    -strokewidth 3 -draw 'line 56,60 75,40' \
    -stroke '#c0392b' -strokewidth 1 -draw 'line 56,60 56,84' \
    -fill '#233' -stroke none -draw 'circle 56,60 56,56' \
    -fill '#f5b82e' -stroke '#9a6b00' -strokewidth 1.5 \
    -draw 'path "M 104,5 C 97,5 95,11 95,16 L 95,23 L 91,28 L 117,28 L 113,23 L 113,16 C 113,11 111,5 104,5 Z"' \
    -fill '#9a6b00' -stroke none -draw 'circle 104,31 104,28' \
    -quality 92 -strip "JPEG:$out/help.jpg"
