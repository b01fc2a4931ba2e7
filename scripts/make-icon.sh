#!/usr/bin/env bash
# Draws the program's icon for the tray, menus and launchers (a blue dial with white hands at ten
# past ten and an amber hub) into data/icons/:
#   chronolien.png                           256 x 256, the copy kept in the application folder
#   hicolor/<N>x<N>/apps/chronolien.png      the icon theme's sizes, N = 16 22 24 32 48 64 128 256;
#                                            those up to 64 are also built into the program as its
#                                            tray picture
# The dial is laid out on a 64-unit square, drawn at 1024 pixels and scaled
# down so that the edges come out smooth. Up to 32 pixels the eight minor marks would blur into
# a grey ring, so the small sizes keep the four quarter marks and draw the ring and hands heavier.
# Needs ImageMagick's convert.
# Usage: scripts/make-icon.sh [output folder, default data/icons]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-data/icons}
k=16 # pixels per unit of the 64-unit layout
u() { awk -v v="$1" -v k=$k 'BEGIN { printf "%.1f", v * k }'; }
# A point at the given distance from the centre (32, 32), at the given clock angle in degrees.
at() { awk -v r="$1" -v a="$2" -v k=$k 'BEGIN { t = a * atan2(0, -1) / 180; printf "%.1f,%.1f", (32 + r * sin(t)) * k, (32 - r * cos(t)) * k }'; }
# A stroke width of the layout, made heavier by the factor $weight.
w() { u "$(awk -v v="$1" -v f="$weight" 'BEGIN { print v * f }')"; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
size=$((64 * k))

# Face: a deep blue disc lit from the upper left, cut round.
convert -size ${size}x${size} -define gradient:center="$(u 26),$(u 24)" -define gradient:radii="$(u 36),$(u 36)" \
    radial-gradient:'#3d7cd6-#122f6b' "$work/face.png"
convert -size ${size}x${size} xc:black -fill white -draw "circle $(u 32),$(u 32) $(u 32),$(u 3.5)" "$work/disc.png"
convert "$work/face.png" "$work/disc.png" -alpha off -compose CopyOpacity -composite "$work/dial.png"

# Draws the dial at 1024 pixels into $1 with every mark (detail=full) or the quarter marks only.
draw() {
    local file=$1 detail=$2 marks=() i inner step=1
    [ "$detail" = full ] && weight=1 || { weight=1.5; step=3; }
    for ((i = 0; i < 12; i += step)); do
        inner=21.5
        [ $((i % 3)) -eq 0 ] && inner=18.5
        marks+=(-draw "line $(at $inner $((i * 30))) $(at 24.5 $((i * 30)))")
    done
    convert "$work/dial.png" \
        -fill none -stroke '#d8e6f7' -strokewidth "$(w 3)" -draw "circle $(u 32),$(u 32) $(u 32),$(u 3.5)" \
        -stroke '#f2f6fb' -strokewidth "$(w 2.2)" -draw "stroke-linecap round" "${marks[@]}" \
        -stroke white -strokewidth "$(w 4)" -draw "stroke-linecap round line $(u 32),$(u 32) $(at 11 -60)" \
        -strokewidth "$(w 3)" -draw "stroke-linecap round line $(u 32),$(u 32) $(at 17 60)" \
        -stroke none -fill '#f5a623' -draw "circle $(u 32),$(u 32) $(u 32),$(awk -v f="$weight" 'BEGIN { printf "%.1f", (32 - 4 * f) * 16 }')" \
        "$file"
}
draw "$work/full.png" full
draw "$work/small.png" small

for n in 16 22 24 32 48 64 128 256; do
    source=$work/full.png
    [ $n -le 32 ] && source=$work/small.png
    mkdir -p "$out/hicolor/${n}x$n/apps"
    convert "$source" -resize ${n}x$n -depth 8 -strip "$out/hicolor/${n}x$n/apps/chronolien.png"
done
cp "$out/hicolor/256x256/apps/chronolien.png" "$out/chronolien.png"
find "$out" -name chronolien.png | LC_ALL=C sort
