#!/usr/bin/env bash
# Draws the updater's icon and bitmaps into updater/res/art/ (committed; run
# again only to change the pictures). Needs ImageMagick and the WenQuanYi font.
#
#   updater.ico        icon 128        16, 32 and 48 pixels
#   skin.bmp           bitmap 130      126 x 106 window skin
#   close.bmp          bitmap 131      30 x 27 close button
#   close_hover.bmp    bitmap 132      30 x 27 close button under the mouse
#   bar_bottom.bmp     bitmap 133      2 x 2 fill of the lower separator bar
#   bar_left.bmp       bitmap 134      2 x 2 fill of the left separator bar
#   bar_right.bmp      bitmap 135      2 x 2 fill of the right separator bar
#   bar_top.bmp        bitmap 136      2 x 2 fill of the upper separator bar
#
# The window is cut from the skin as 10-pixel top corners over a 29-pixel
# caption band and a 2-pixel frame elsewhere; black (0, 0, 0) is the key
# colour that lies outside the window, so it appears only outside the rounded
# corners. The title (dark blue) and the status line (black) are drawn on the
# skin, so caption and body are light; the dark blue and gold of the launcher
# are in the frame, the close button and the separator bars.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/updater/res/art"
mkdir -p "$out"
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc

navy='#1b2a4a'; gold='#c8a85a'; darkgold='#7a5d1e'; palegold='#e8d9a8'

# Uncompressed 24-bit bitmaps, as the window classes load them.
truecolor() {  # source.png target.bmp
  convert "$1" -alpha off -type TrueColor -compress None "BMP3:$2"
}

tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

# 130: the skin. Outer line navy, inner line gold (the 2-pixel frame); the
# caption gradient in rows 2 to 27 with a gold line in row 28, the last row of
# the caption band; the body below. Each stretched part is uniform in the
# direction it is stretched. The outer shape is drawn without anti-aliasing so
# that every pixel outside the rounded corners stays exactly the key colour.
convert -size 122x26 gradient:'#dae5f7'-'#9bb4e0' \
  \( -size 122x1 xc:"$gold" \) \( -size 122x75 gradient:'#f2f5fb'-'#d6e1f3' \) -append "$tmp/inside.png"
convert "$tmp/inside.png" \( -size 122x102 xc:black -fill white -draw "roundrectangle 0,0 121,140 5,5" \) \
  -alpha off -compose CopyOpacity -composite "$tmp/inside-a.png"
convert -size 126x106 xc:black +antialias \
  -fill "$navy" -draw "roundrectangle 0,0 125,140 7,7" \
  -fill "$gold" -draw "roundrectangle 1,1 124,139 6,6" \
  -fill "$navy" -draw "line 0,105 125,105" -fill "$gold" -draw "line 1,104 124,104" \
  "$tmp/inside-a.png" -geometry +2+2 -compose Over -composite \
  -fill black -draw "point 0,105" -draw "point 125,105" \
  "$tmp/skin.png"
truecolor "$tmp/skin.png" "$out/skin.bmp"

# 131 and 132: the close button sits in the window's top-right corner, so its
# picture is that corner of the window (caption band on the left, the skin's
# corner on the right) with a cross; the hover picture lights a gold plate
# under it. Outside the rounded corner the window's shape cuts it off.
convert "$tmp/skin.png" -crop 20x27+60+0 +repage "$tmp/band.png"
convert "$tmp/skin.png" -crop 10x27+116+0 +repage "$tmp/corner.png"
convert "$tmp/band.png" "$tmp/corner.png" +append "$tmp/closebase.png"
cross="line 10,9 19,18 line 19,9 10,18"
convert "$tmp/closebase.png" -fill none -stroke "$navy" -strokewidth 2 -draw "$cross" "$tmp/close.png"
truecolor "$tmp/close.png" "$out/close.bmp"
convert "$tmp/closebase.png" \
  -fill "$gold" -stroke "$darkgold" -strokewidth 1 -draw "roundrectangle 5,4 24,23 3,3" \
  -fill none -stroke '#ffffff' -strokewidth 2 -draw "$cross" "$tmp/close-hover.png"
truecolor "$tmp/close-hover.png" "$out/close_hover.bmp"

# 133 to 136: the four bars frame the progress bar as a sunken panel: dark
# gold above and to the left, pale gold below and to the right.
bar() {  # colour target
  convert -size 2x2 xc:"$1" "$tmp/bar.png"
  truecolor "$tmp/bar.png" "$out/$2"
}
bar "$palegold" bar_bottom.bmp
bar "$darkgold" bar_left.bmp
bar "$palegold" bar_right.bmp
bar "$darkgold" bar_top.bmp

# 128: the program icon, a gold arrow into a tray on the launcher's navy
# gradient; 48 and 32 pixels drawn, 16 pixels drawn on its own to stay sharp.
icon() {  # size corner-radius arrow-polygon tray-rectangle target
  local n=$1
  convert -size "${n}x${n}" gradient:'#2c4474'-'#0a0f1e' \
    \( -size "${n}x${n}" xc:black -fill white -draw "roundrectangle 0,0 $((n-1)),$((n-1)) $2,$2" \) \
    -alpha off -compose CopyOpacity -composite -compose Over \
    -fill none -stroke "$gold" -strokewidth 1 -draw "roundrectangle 0,0 $((n-1)),$((n-1)) $2,$2" \
    -stroke none -fill "$gold" -draw "polygon $3" -fill "$palegold" -draw "rectangle $4" "$5"
}
icon 48 8 "19,7 28,7 28,21 35,21 23.5,33 12,21 19,21" "11,37 36,40" "$tmp/i48.png"
icon 32 5 "13,5 18,5 18,14 23,14 15.5,22 8,14 13,14" "7,25 24,26" "$tmp/i32.png"
icon 16 2 "6,2 9,2 9,7 12,7 7.5,11 3,7 6,7" "3,12 12,13" "$tmp/i16.png"
convert "$tmp/i16.png" "$tmp/i32.png" "$tmp/i48.png" "$out/updater.ico"
echo "art written to $out"
