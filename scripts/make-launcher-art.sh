#!/usr/bin/env bash
# Draws the launcher's bitmaps and icon into launcher/res/art/ (committed; run
# again only to change the pictures). Needs ImageMagick and the WenQuanYi font.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/launcher/res/art"
mkdir -p "$out"
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc

# 8-bit palette bitmaps without compression, as the window expects.
palette() {  # source.png target.bmp
  convert "$1" +dither -colors 250 -type Palette -compress None "BMP3:$2"
}
truecolor() {  # source.png target.bmp
  convert "$1" -type TrueColor -compress None "BMP3:$2"
}

tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

# 141: 600 x 400 background with the title and framed areas for the views.
convert -size 600x400 gradient:'#1b2a4a'-'#0a0f1e' \
  -fill none -stroke '#c8a85a' -strokewidth 2 -draw "rectangle 3,3 596,396" \
  -stroke '#6f86b8' -strokewidth 1 -draw "rectangle 34,146 213,295" -draw "rectangle 61,316 538,358" \
  -draw "rectangle 386,136 575,305" \
  -stroke none -fill '#e8d9a8' -font "$font" -pointsize 34 -annotate +36+70 '岚境' \
  -fill '#9fb3dc' -pointsize 18 -annotate +130+66 'Vantor Online' \
  -fill '#c8a85a' -pointsize 12 -annotate +36+128 '游戏公告' \
  "$tmp/bg.png"
palette "$tmp/bg.png" "$out/background.bmp"

# 168: 160 x 107 server list background; 171: 20 x 20 item icon (white is transparent).
convert -size 160x107 gradient:'#22365e'-'#15213b' -fill none -stroke '#6f86b8' -draw "rectangle 0,0 159,106" "$tmp/list.png"
truecolor "$tmp/list.png" "$out/serverlist.bmp"
convert -size 20x20 xc:white -fill '#c8a85a' -stroke '#7a5d1e' -draw "circle 10,10 10,3" "$tmp/icon20.png"
truecolor "$tmp/icon20.png" "$out/servericon.bmp"

# Buttons: name, width, height, label; 1 = at rest, 2 = pressed.
button() {
  local name=$1 w=$2 h=$3 label=$4 size=$5
  convert -size "${w}x${h}" gradient:'#3a5488'-'#22365e' -fill none -stroke '#c8a85a' -draw "rectangle 0,0 $((w-1)),$((h-1))" \
    -stroke none -fill '#f4ecd2' -font "$font" -pointsize "$size" -gravity center -annotate +0+0 "$label" "$tmp/$name.png"
  palette "$tmp/$name.png" "$out/${name}1.bmp"
  convert -size "${w}x${h}" gradient:'#182541'-'#2c4474' -fill none -stroke '#e8d9a8' -draw "rectangle 0,0 $((w-1)),$((h-1))" \
    -stroke none -fill '#ffffff' -font "$font" -pointsize "$size" -gravity center -annotate +1+1 "$label" "$tmp/${name}p.png"
  palette "$tmp/${name}p.png" "$out/${name}2.bmp"
}
button exitbutton 164 26 '退出游戏' 14
button bbsbutton 164 26 '论坛' 14
button userregbutton 164 26 '用户注册' 14
button webbutton 164 26 '官网' 14
button skeinbutton 187 18 'Skein游戏直通车' 12
button loginbutton 77 25 '登录' 14

# 133: the program icon, 32 and 16 pixels.
convert -size 32x32 xc:'#1b2a4a' -fill '#c8a85a' -font "$font" -pointsize 24 -gravity center -annotate +0+0 '岚' "$tmp/i32.png"
convert "$tmp/i32.png" -resize 16x16 "$tmp/i16.png"
convert "$tmp/i32.png" "$tmp/i16.png" "$out/launcher.ico"
echo "art written to $out"
