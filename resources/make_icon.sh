#!/usr/bin/env bash
# Draws the program icon (a sine tone over a small audiogram grid) at 48, 32 and 16 pixels,
# 32 bits per pixel with alpha, and packs the three images into resources/sonabrill.ico.
# Needs ImageMagick; run it again after changing the drawing and commit the .ico with it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

draw() { # size
    local s=$1
    local sc
    sc=$(awk -v s="$s" 'BEGIN { print s / 48 }')
    # The sine: one and a half periods across the tile, as a polyline.
    local sine
    sine=$(awk -v s="$s" 'BEGIN {
        for (i = 0; i <= 40; i++) {
            x = 4 + i * 40 / 40; y = 20 - 9 * sin(i / 40 * 3 * 3.14159265);
            printf "%.2f,%.2f ", x * s / 48, y * s / 48 } }')
    convert -size "${s}x${s}" xc:none \
        -fill white -stroke '#505050' -strokewidth "$(awk -v c="$sc" 'BEGIN{print c<0.5?1:1.5}')" \
        -draw "roundrectangle $(awk -v c="$sc" 'BEGIN{printf "%.1f,%.1f %.1f,%.1f %.1f,%.1f", 1*c, 1*c, 46*c, 46*c, 6*c, 6*c}')" \
        -stroke '#D2D2D2' -strokewidth 1 \
        -draw "line $(awk -v c="$sc" 'BEGIN{printf "%.1f,%.1f %.1f,%.1f", 4*c, 34*c, 44*c, 34*c}')" \
        -fill none -stroke '#0050C8' -strokewidth "$(awk -v c="$sc" 'BEGIN{print c<0.5?1:2}')" \
        -draw "polyline $sine" \
        -fill none -stroke '#008C00' -strokewidth "$(awk -v c="$sc" 'BEGIN{print c<0.5?1.5:3}')" \
        -draw "$(awk -v c="$sc" 'BEGIN{split("5 27 18 36 31 33 43 41", p, " ");
            for (i = 1; i < 7; i += 2) printf "line %.1f,%.1f %.1f,%.1f ", p[i]*c, p[i+1]*c, p[i+2]*c, p[i+3]*c }')" \
        -depth 8 "PNG32:$work/icon$s.png"
}

for s in 48 32 16; do draw "$s"; done
# BMP-style entries (not PNG-compressed) at 32 bits per pixel for every size.
convert "$work/icon48.png" "$work/icon32.png" "$work/icon16.png" -define icon:format=bmp \
    "$here/sonabrill.ico"
