#!/usr/bin/env bash
# Renders the program's icon from its artwork (icons/tickwell.svg, and icons/tickwell-small.svg,
# the same bell simplified and set on the pixel grid for the smallest sizes) at the sizes the
# desktop's icon theme asks for (icons/NN.png), and draws the Help tab's picture (help.jpg,
# 121 x 113). Needs rsvg-convert (librsvg2-bin) and ImageMagick.
# Usage: make_images.sh [OUTPUT_DIR]  (default: this folder)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here}

# The icon: a white bell on a round teal badge. Below 32 pixels the sound arcs and the ring
# would blur into the badge, so those sizes come from the simplified drawing.
mkdir -p "$out/icons"
for size in 16 22 24 32 48 64 128 256; do
    artwork=$here/icons/tickwell.svg
    [ "$size" -ge 32 ] || artwork=$here/icons/tickwell-small.svg
    rsvg-convert --width "$size" --height "$size" "$artwork" |
        convert - -strip "PNG32:$out/icons/$size.png"
done

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
