#!/bin/bash
# Remakes the three pictures stored with the settings dialog from the picture set and text:
# settings/Links.jpg and settings/Tips.jpg (486 x 313 banners whose parts lie under the dialog's
# click areas) and settings/Logo.bmp (100 x 100, 16 colours, for the About page).
#
# They are cut from pictures 111, 114, 121, 126, 135, 137, 146 and 149 of the picture set, whose
# sources, authors and licences pictures/CREDITS.md names; each derived picture keeps the licence
# of the pictures in it. The texts are set in DejaVu Sans.
#
# Banner coordinates below are the banner's own pixels; the dialog places the banner at (4, 8) of
# its page, so a click area at page (x, y) covers banner (x - 4, y - 8).
# Usage: tools/make-form-pictures.sh [output directory, default settings/]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/settings}
pics=$root/pictures
# The real ImageMagick: another `convert` earlier on PATH may be a stand-in.
convert=/usr/bin/convert

packages=(imagemagick fonts-dejavu-core)
bash "$root/tools/install-packages.sh" "${packages[@]}"

fonts=/usr/share/fonts/truetype/dejavu
sans=$fonts/DejaVuSans.ttf
bold=$fonts/DejaVuSans-Bold.ttf
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# thumb <picture> <width> <height> <file>: the picture cut to cover width x height.
thumb() {
  "$convert" -quiet "$pics/$1.jpg" -resize "$2x$3^" -gravity center -extent "$2x$3" +repage \
    -bordercolor '#8a9bb0' -border 1 "$4"
}

# text <x> <y> <font> <size> <colour> <text>: one line's drawing arguments (x, y: top left).
text() { printf '%s\n' -font "$3" -pointsize "$4" -fill "$5" -annotate "+$1+$(($2 + $4))" "$6"; }

jpeg() {
  "$convert" "$1" -colorspace sRGB -type TrueColor -strip -density 72 -units PixelsPerInch \
    -interlace none -sampling-factor 2x2,1x1,1x1 -quality 90 "JPEG:$2"
}

# --- Links: four entries (logo, title, two lines) at y = 8 + 64 i, x 4..293; two text lines at
# y 264..286 and 286..308; a tall picture at x 292..485, y 8..313.
titles=("Tarnwell Freeware" "Tarnwell" "Tarnwell Photo Blog" "Tarnwell Wallpapers")
line1=("Screen savers and small programs," "The maker's home page: news," "A new photograph every week"
       "Desktop pictures for every screen,")
line2=("all of them free to download." "contact and all projects." "and the story behind it."
       "from small laptops to wide monitors.")
logos=(121 111 114 126)
args=()
for i in 0 1 2 3; do
  y=$((8 + 64 * i))
  thumb "${logos[$i]}" 46 46 "$work/logo$i.png"
  args+=(\( "$work/logo$i.png" \) -geometry "+12+$((y + 8))" -composite)
  mapfile -t t < <(text 70 $((y + 7)) "$bold" 13 '#1d4f91' "${titles[$i]}"); args+=("${t[@]}")
  mapfile -t t < <(text 70 $((y + 27)) "$sans" 11 '#333333' "${line1[$i]}"); args+=("${t[@]}")
  mapfile -t t < <(text 70 $((y + 42)) "$sans" 11 '#333333' "${line2[$i]}"); args+=("${t[@]}")
  args+=(-stroke '#c8d3e0' -draw "line 10,$((y + 63)) 284,$((y + 63))" -stroke none)
done
mapfile -t t < <(text 14 268 "$sans" 11 '#1d4f91' "> More screen savers at Tarnwell Freeware"); args+=("${t[@]}")
mapfile -t t < <(text 14 290 "$sans" 11 '#1d4f91' "> More free programs at Tarnwell Freeware"); args+=("${t[@]}")
"$convert" -quiet "$pics/146.jpg" -resize 185x297^ -gravity center -extent 185x297 +repage \
  -fill '#00000088' -draw 'rectangle 0,212 185,297' -gravity northwest \
  -font "$bold" -pointsize 15 -fill white -annotate +12+222 'Tarnwell' -annotate +12+240 'Photo Blog' \
  -font "$sans" -pointsize 11 -annotate +12+264 'A new photograph' -annotate +12+278 'every week' \
  -bordercolor '#8a9bb0' -border 1 "$work/tall.png"
"$convert" -size 486x313 gradient:'#ffffff-#e4ecf6' \
  "${args[@]}" \( "$work/tall.png" \) -geometry +296+8 -composite \
  -fill none -stroke '#8a9bb0' -draw 'rectangle 0,0 485,312' "$work/links.png"
jpeg "$work/links.png" "$out/Links.jpg"

# --- Tips: one large tip at x 12..477, y 6..143; two small ones at x 12..229 and 252..477,
# y 168..305.
"$convert" -quiet "$pics/135.jpg" -resize 130x119^ -gravity center -extent 130x119 +repage \
  -bordercolor '#8a9bb0' -border 1 "$work/unpack.png"
thumb 137 201 78 "$work/coast.png"
thumb 149 209 78 "$work/high.png"
args=(-fill '#ffffff' -stroke '#8a9bb0' -draw 'roundrectangle 12,6 477,143 8,8'
      -draw 'roundrectangle 12,168 229,305 8,8' -draw 'roundrectangle 252,168 477,305 8,8' -stroke none)
args+=(\( "$work/unpack.png" \) -geometry +22+15 -composite)
args+=(-fill '#d9822b' -draw 'roundrectangle 166,16 206,34 4,4')
mapfile -t t < <(text 172 17 "$bold" 11 white "TIP"); args+=("${t[@]}")
mapfile -t t < <(text 216 16 "$bold" 14 '#1d4f91' "Tarnwell Unpack"); args+=("${t[@]}")
mapfile -t t < <(text 166 46 "$sans" 11 '#333333' "The free decompression tool: opens ZIP, 7z,"); args+=("${t[@]}")
mapfile -t t < <(text 166 62 "$sans" 11 '#333333' "RAR, TAR and many more archive types."); args+=("${t[@]}")
mapfile -t t < <(text 166 78 "$sans" 11 '#333333' "Small, fast, and free of charge."); args+=("${t[@]}")
mapfile -t t < <(text 166 108 "$bold" 11 '#1d4f91' "> Click here to download it"); args+=("${t[@]}")
mapfile -t t < <(text 14 148 "$bold" 11 '#5a6b80' "More picture screen savers by Tarnwell:"); args+=("${t[@]}")
args+=(\( "$work/coast.png" \) -geometry +19+175 -composite)
mapfile -t t < <(text 20 262 "$bold" 12 '#1d4f91' "Tarnwell - Coastline"); args+=("${t[@]}")
mapfile -t t < <(text 20 280 "$sans" 10 '#333333' "Fifty photographs of the sea"); args+=("${t[@]}")
args+=(\( "$work/high.png" \) -geometry +259+175 -composite)
mapfile -t t < <(text 260 262 "$bold" 12 '#1d4f91' "Tarnwell - Highlands"); args+=("${t[@]}")
mapfile -t t < <(text 260 280 "$sans" 10 '#333333' "Mountains and valleys (English)"); args+=("${t[@]}")
"$convert" -size 486x313 gradient:'#eef3f9-#dde6f1' "${args[@]}" "$work/tips.png"
jpeg "$work/tips.png" "$out/Tips.jpg"

# --- Logo: the ladybird of the program's icon in a ring, the maker's name below; 16 colours.
"$convert" -quiet "$pics/111.jpg" -crop 200x200+660+285 +repage -resize 70x70 "$work/bird.png"
"$convert" -size 70x70 xc:black -fill white -draw 'circle 35,35 35,1' "$work/mask.png"
"$convert" "$work/bird.png" "$work/mask.png" -alpha off -compose CopyOpacity -composite "$work/round.png"
"$convert" -size 100x100 xc:white \( "$work/round.png" \) -geometry +15+3 -composite \
  -fill none -stroke '#1d4f91' -strokewidth 2 -draw 'circle 50,38 50,3' -stroke none \
  -font "$bold" -pointsize 14 -fill '#1d4f91' -gravity north -annotate +0+78 'Tarnwell' \
  -dither FloydSteinberg -colors 16 -type Palette -compress none "BMP3:$out/Logo.bmp"
