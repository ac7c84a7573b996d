#!/usr/bin/env bash
# Draws the sample catalog's pictures (160 x 120 PNG) with ImageMagick. The PNGs are kept in
# the repository; run this only to draw them again.
set -euo pipefail
cd "$(dirname "$0")/pictures"
size=160x120
common=(-size "$size" -depth 8 +set date:create +set date:modify -strip)

# A tiger cowrie: a glossy oval with dark spots.
convert "${common[@]}" xc:'#f4efe4' \
    -fill '#b9824a' -stroke '#6b4423' -strokewidth 2 -draw 'ellipse 80,60 62,40 0,360' \
    -fill '#3b2414' -stroke none \
    -draw 'circle 50,45 55,48' -draw 'circle 75,38 79,41' -draw 'circle 102,47 107,50' \
    -draw 'circle 62,70 66,74' -draw 'circle 92,72 97,75' -draw 'circle 118,62 121,65' \
    -draw 'circle 40,62 43,65' -fill '#f2e3c6' -draw 'ellipse 70,40 16,5 0,360' cowrie.png

# An ammonite: a coiled shell with ribs.
args=()
for r in 52 42 33 25 18 12 7; do
    args+=(-draw "circle 80,60 $((80 + r)),60")
done
convert "${common[@]}" xc:'#ece6da' -fill '#a38b6d' -stroke '#5c4a36' -strokewidth 3 "${args[@]}" \
    -stroke '#5c4a36' -strokewidth 1 \
    -draw 'line 80,8 80,18' -draw 'line 122,30 114,36' -draw 'line 132,60 122,60' -draw 'line 122,90 114,84' \
    -draw 'line 80,112 80,102' -draw 'line 38,90 46,84' -draw 'line 28,60 38,60' -draw 'line 38,30 46,36' ammonite.png

# A quartz crystal: a hexagonal prism with its point.
convert "${common[@]}" xc:'#e3e8ee' -stroke '#6d7f91' -strokewidth 2 \
    -fill '#f8fbff' -draw 'polygon 62,110 62,45 80,20 98,45 98,110 80,116' \
    -fill '#dfe8f2' -draw 'polygon 80,20 98,45 98,110 80,116' \
    -draw 'line 80,20 80,116' quartz.png

# A scallop: a fan of ribs on two ears.
args=()
for angle in 20 35 50 65 80 95 110 125 140 155; do
    x=$(awk -v a="$angle" 'BEGIN { printf "%d", 80 + 70 * cos(a * 3.14159 / 180) }')
    y=$(awk -v a="$angle" 'BEGIN { printf "%d", 108 - 70 * sin(a * 3.14159 / 180) }')
    args+=(-draw "line 80,108 $x,$y")
done
convert "${common[@]}" xc:'#f3ece8' -fill '#e08a5a' -stroke '#9c4a25' -strokewidth 2 \
    -draw 'path "M 14,90 A 70,70 0 0,1 146,90 L 80,108 Z"' \
    -draw 'polygon 62,108 52,116 80,116' -draw 'polygon 98,108 108,116 80,116' "${args[@]}" scallop.png

# A trilobite: a head shield, a ribbed body and a tail.
args=()
for y in 48 56 64 72 80 88; do
    args+=(-draw "line 54,$y 106,$y")
done
convert "${common[@]}" xc:'#d9d2c5' -fill '#6e6456' -stroke '#3d362d' -strokewidth 2 \
    -draw 'ellipse 80,36 34,20 180,360' -draw 'roundrectangle 54,36 106,94 6,6' \
    -draw 'ellipse 80,98 20,14 0,180' "${args[@]}" \
    -draw 'line 68,36 68,94' -draw 'line 92,36 92,94' trilobite.png

# An amethyst cluster: purple points.
convert "${common[@]}" xc:'#eee9f1' -stroke '#4b2a63' -strokewidth 2 \
    -fill '#8c5bb0' -draw 'polygon 30,112 40,52 52,36 62,56 58,112' \
    -fill '#a673c9' -draw 'polygon 58,112 66,40 80,16 94,40 100,112' \
    -fill '#7a4a9e' -draw 'polygon 98,112 104,60 116,44 128,62 130,112' amethyst.png
