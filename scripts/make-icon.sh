#!/usr/bin/env bash
# Draws the program's icon for menus and launchers, data/icons/chronolien.png (256 x 256): the tray
# picture (a blue dial with white hands at ten past ten and an amber hub, src/app/tray_picture.cpp)
# drawn large. The dial is laid out on a 64-unit square like the tray picture, drawn at 1024 pixels
# and scaled down so that the edges come out smooth. Needs ImageMagick's convert.
# Usage: scripts/make-icon.sh [output file, default data/icons/chronolien.png]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-data/icons/chronolien.png}
mkdir -p "$(dirname "$out")"
k=16 # pixels per unit of the 64-unit layout
u() { awk -v v="$1" -v k=$k 'BEGIN { printf "%.1f", v * k }'; }
# A point at the given distance from the centre (32, 32), at the given clock angle in degrees.
at() { awk -v r="$1" -v a="$2" -v k=$k 'BEGIN { t = a * atan2(0, -1) / 180; printf "%.1f,%.1f", (32 + r * sin(t)) * k, (32 - r * cos(t)) * k }'; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
size=$((64 * k))

# Face: a deep blue disc lit from the upper left, cut round.
convert -size ${size}x${size} -define gradient:center="$(u 26),$(u 24)" -define gradient:radii="$(u 36),$(u 36)" \
    radial-gradient:'#3d7cd6-#122f6b' "$work/face.png"
convert -size ${size}x${size} xc:black -fill white -draw "circle $(u 32),$(u 32) $(u 32),$(u 3.5)" "$work/disc.png"
convert "$work/face.png" "$work/disc.png" -alpha off -compose CopyOpacity -composite "$work/dial.png"

marks=()
for i in $(seq 0 11); do
    inner=21.5
    [ $((i % 3)) -eq 0 ] && inner=18.5
    marks+=(-draw "line $(at $inner $((i * 30))) $(at 24.5 $((i * 30)))")
done

convert "$work/dial.png" \
    -fill none -stroke '#d8e6f7' -strokewidth "$(u 3)" -draw "circle $(u 32),$(u 32) $(u 32),$(u 3.5)" \
    -stroke '#f2f6fb' -strokewidth "$(u 2.2)" -draw "stroke-linecap round" "${marks[@]}" \
    -stroke white -strokewidth "$(u 4)" -draw "stroke-linecap round line $(u 32),$(u 32) $(at 11 -60)" \
    -strokewidth "$(u 3)" -draw "stroke-linecap round line $(u 32),$(u 32) $(at 17 60)" \
    -stroke none -fill '#f5a623' -draw "circle $(u 32),$(u 32) $(u 32),$(u 28)" \
    -resize 256x256 -depth 8 -strip "$out"
echo "$out"
