#!/usr/bin/env bash
# Draws the application icon resources/tallyvox.ico: a countdown ring around the digit 3 on a
# dark rounded square. Vector primitives only (no fonts), so the result does not depend on the
# fonts installed. Needs ImageMagick 6 (`convert`) and awk.
#
#   tools/make_icon.sh               # rewrites resources/tallyvox.ico
#   tools/make_icon.sh OUT.ico       # writes elsewhere
set -euo pipefail
export LC_ALL=C

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="${1:-$root/resources/tallyvox.ico}"
command -v convert >/dev/null || { echo "make_icon: ImageMagick's convert not found" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Drawn at 1024 px and scaled down, so every size gets smooth edges from one master.
size=1024
background='#1d2b3a'
track='#3a4d63'
progress='#ff8a1f'

# The ring's lit part runs clockwise from 12 o'clock to 9 o'clock: three quarters left.
# A polyline rather than an SVG arc: ImageMagick 6 closes stroked arc paths with a chord.
ring_points=$(awk 'BEGIN { for (a = -90; a <= 180; a += 2) { r = a * 3.14159265358979 / 180;
                  printf "%.1f,%.1f ", 512 + 360 * cos(r), 512 + 360 * sin(r) } }')
digit_three='M 400,375 C 430,300 620,290 620,390 C 620,470 560,500 500,505
             C 570,505 635,540 635,620 C 635,735 430,745 392,660'

convert -size "${size}x${size}" xc:none \
    -fill "$background" -stroke none -draw "roundrectangle 40,40 984,984 190,190" \
    -fill none -stroke "$track" -strokewidth 84 -draw "circle 512,512 512,152" \
    -stroke "$progress" -draw "stroke-linecap round stroke-linejoin round polyline $ring_points" \
    -stroke white -strokewidth 96 \
    -draw "stroke-linecap round stroke-linejoin round path '$digit_three'" \
    -strip "$work/master.png"

# Windows picks the nearest size per use: 16/20/24 small icons (100-150 % DPI), 32/40/48 large
# icons and Alt+Tab, 64 and 256 for Explorer's big views. The 256 px image is stored as PNG.
frames=()
for px in 256 64 48 40 32 24 20 16; do
    convert "$work/master.png" -filter Lanczos -resize "${px}x${px}" -depth 8 -strip \
        -define png:exclude-chunks=date,time "$work/icon-$px.png"
    frames+=("$work/icon-$px.png")
done
convert "${frames[@]}" -define png:exclude-chunks=date,time "$out"
echo "make_icon: wrote $out"
