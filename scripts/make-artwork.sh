#!/usr/bin/env bash
# Renders the main menu's banner (453 x 171 JPEG) and the program icon
# (32 x 32 PNG, and the same as .ico for the Windows executable) into
# src/gui/resources. The results are committed; run this only to change the
# artwork. Needs ImageMagick (Debian package imagemagick) and the DejaVu fonts.
set -euo pipefail
cd "$(dirname "$0")/../src/gui/resources"

bold=DejaVu-Sans-Bold
book=DejaVu-Sans

# One letter tile of the word game: ivory square, soft shadow, letter and score.
args=()
tile() { # x y letter score
    local x=$1 y=$2
    args+=(-fill '#00000055' -draw "roundrectangle $((x + 3)),$((y + 3)) $((x + 49)),$((y + 49)) 6,6"
           -fill '#f4e7c5' -stroke '#b99a5b' -strokewidth 2
           -draw "roundrectangle $x,$y $((x + 46)),$((y + 46)) 6,6" -stroke none
           -fill '#3a2a10' -font $bold -pointsize 30 -gravity NorthWest
           -draw "text $((x + 10)),$((y + 6)) '$3'"
           -font $book -pointsize 10 -draw "text $((x + 36)),$((y + 32)) '$4'")
}

x=18
for pair in L:3 E:1 X:8 O:1 R:1; do
    tile $x 22 "${pair%%:*}" "${pair##*:}"
    x=$((x + 56))
done

convert -size 453x171 gradient:'#0b2a4a-#0f6b6b' \
    -fill '#ffffff18' -draw 'circle 400,30 470,60' -draw 'circle 330,190 420,200' \
    "${args[@]}" \
    -fill '#f7f2e0' -font $bold -pointsize 30 -draw "text 306,32 'Tools'" \
    -fill '#d8e8e8' -font $book -pointsize 13 \
    -draw "text 20,92 'Confronta, ottimizza e attiva'" \
    -draw "text 20,110 'i dizionari del gioco LEXOR'" \
    -fill '#f4e7c5' -draw 'rectangle 20,134 250,136' \
    -quality 92 -sampling-factor 4:2:0 -strip banner.jpg

convert -size 32x32 xc:none \
    -fill '#00000055' -draw 'roundrectangle 3,3 31,31 5,5' \
    -fill '#f4e7c5' -stroke '#b99a5b' -strokewidth 2 -draw 'roundrectangle 1,1 28,28 5,5' -stroke none \
    -fill '#0b2a4a' -font $bold -pointsize 21 -gravity NorthWest -draw "text 8,2 'L'" \
    -depth 8 -strip icon.png
convert icon.png -define icon:auto-resize=32,16 icon.ico
