#!/bin/bash
# Remakes the embedded picture set (pictures/105.jpg, 110.jpg..159.jpg, Lumivale.ico) from the
# freely licensed photographs in Debian's wallpaper packages; pictures/CREDITS.md names each source.
#
# Every picture is a baseline JFIF JPEG, 8 bits, three components (YCbCr), no metadata, ending
# with the end-of-image marker. Usage: tools/make-pictures.sh [output directory, default pictures/]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/pictures}
# The real ImageMagick: another `convert` earlier on PATH may be a stand-in.
convert=/usr/bin/convert

packages=(imagemagick lomiri-wallpapers-16.04 lomiri-wallpapers-20.04 mate-backgrounds
          plasma-workspace-wallpapers)
bash "$root/tools/install-packages.sh" "${packages[@]}"

bg=/usr/share/backgrounds
mate=/usr/share/backgrounds/mate/nature
kde() { echo "/usr/share/wallpapers/$1/contents/images/2560x1600.jpg"; }

mkdir -p "$out"

# picture <identifier> <width> <height> <source> [<crop WxH+X+Y in source pixels>]
# Crops the source (when a crop is given), scales it to cover <width> x <height> and cuts the
# centre out of it.
picture() {
  local id=$1 width=$2 height=$3 src=$4 crop=${5:-}
  [ -r "$src" ] || { echo "missing source $src" >&2; exit 1; }
  local cropArgs=()
  [ -n "$crop" ] && cropArgs=(-crop "$crop" +repage)
  "$convert" -quiet "$src" -auto-orient "${cropArgs[@]}" \
    -resize "${width}x${height}^" -gravity center -extent "${width}x${height}" \
    -colorspace sRGB -type TrueColor -strip -density 72 -units PixelsPerInch \
    -interlace none -sampling-factor 2x2,1x1,1x1 -quality 88 "JPEG:$out/$id.jpg"
}

# Identifier, size, source, crop. 117, 130 and 142 are wide strips, 129 the one portrait.
picture 110 1024 768 "$bg/picosdeeuropa_by_Aitzol_Berasategi.jpg"
picture 111 1024 768 "$mate/LadyBird.jpg"
picture 112 1024 768 "$(kde EveningGlow)"
picture 113 1024 768 "$bg/Kleiber_by_Lukas_Baubkus.jpg"
picture 114 1024 768 "$mate/YellowFlower.jpg"
picture 115 1024 768 "$bg/Picture_0B_by_freespace.jpg"
picture 116 1024 768 "$(kde Path)"
picture 117 1024 220 "$bg/picosdeeuropa_by_Aitzol_Berasategi.jpg" 3264x701+0+330
picture 118 1024 768 "$bg/seeding_by_Clements_Engelhardt.jpg"
picture 119 1024 768 "$mate/Aqua.jpg"
picture 120 1024 768 "$bg/Dragonfly_by_Bolly.jpg"
picture 121 1024 768 "$(kde ColorfulCups)"
picture 122 1024 768 "$bg/Wine_by_Jakkub_Mede.jpg" 2560x1920+0+300
picture 123 1024 768 "$mate/Storm.jpg"
picture 124 1024 768 "$bg/Kleiber_by_Lukas_Baubkus.jpg" 1600x1200+1973+1163
picture 125 1024 768 "$(kde FallenLeaf)"
picture 126 1024 768 "$bg/aitzgorri_by_Aitzol_Berasategi.jpg"
picture 127 1024 768 "$mate/Garden.jpg"
picture 128 1024 768 "$bg/Bridge_by_Sander_Klootwijk.jpg"
picture 129 576 768 "$bg/friends_by_Aitzol_Berasategi.jpg" 2056x2741+0+250
picture 130 1024 205 "$bg/sunset_by_Aitzol_Berasategi.jpg" 4272x855+0+911
picture 131 1024 768 "$(kde Kite)"
picture 132 1024 768 "$bg/life_by_Aitzol_Berasategi.jpg"
picture 133 1024 768 "$mate/TwoWings.jpg"
picture 134 1024 768 "$bg/seeding_by_Clements_Engelhardt.jpg" 1600x1200+740+386
picture 135 1024 768 "$(kde Grey)"
picture 136 1024 768 "$bg/greentock_by_Peter_Nerlich.jpg"
picture 137 1024 768 "$mate/Dune.jpg"
picture 138 1024 768 "$bg/Picture_0B_by_freespace.jpg" 1024x768+928+573
picture 139 1024 768 "$(kde summer_1am)"
picture 140 1024 768 "$bg/sunset_by_Aitzol_Berasategi.jpg"
picture 141 1024 768 "$mate/RainDrops.jpg"
picture 142 1024 265 "$bg/aitzgorri_by_Aitzol_Berasategi.jpg" 3088x799+0+165
picture 143 1024 768 "$bg/Picture_1A_by_freespace.jpg"
picture 144 1024 768 "$(kde OneStandsOut)"
picture 145 1024 768 "$bg/Dragonfly_by_Bolly.jpg" 1600x1200+1734+445
picture 146 1024 768 "$mate/FreshFlower.jpg"
picture 147 1024 768 "$bg/free_by_Peter_Nerlich.jpg"
picture 148 1024 768 "$(kde BytheWater)"
picture 149 1024 768 "$bg/picosdeeuropa_by_Aitzol_Berasategi.jpg" 1280x960+1971+254
picture 150 1024 768 "$mate/Blinds.jpg"
picture 151 1024 768 "$bg/Wine_by_Jakkub_Mede.jpg" 2560x1920+0+1900
picture 152 1024 768 "$(kde DarkestHour)"
picture 153 1024 768 "$bg/seeding_by_Clements_Engelhardt.jpg" 2400x1800+2912+700
picture 154 1024 768 "$mate/GreenMeadow.jpg"
picture 155 1024 768 "$bg/life_by_Aitzol_Berasategi.jpg" 1280x960+904+445
picture 156 1024 768 "$(kde ColdRipple)"
picture 157 1024 768 "$bg/Bridge_by_Sander_Klootwijk.jpg" 1600x1200+2029+1163
picture 158 1024 768 "$mate/Wood.jpg"
picture 159 1024 768 "$bg/sunset_by_Aitzol_Berasategi.jpg" 1400x1050+2632+1611

# The dialog's preview: a 445 x 241 collage of fifteen slideshow pictures, 5 x 3 tiles on black.
# All fifteen come from GPL-2+ sources, so the collage has one licence.
tiles=()
for id in 112 111 116 114 121 119 125 131 127 139 133 144 148 141 137; do tiles+=("$out/$id.jpg"); done
"$convert" -background black \
  \( "${tiles[@]:0:5}" -resize '85x76^' -gravity center -extent 85x76 -bordercolor black -border 2 +append \) \
  \( "${tiles[@]:5:5}" -resize '85x76^' -gravity center -extent 85x76 -bordercolor black -border 2 +append \) \
  \( "${tiles[@]:10:5}" -resize '85x76^' -gravity center -extent 85x76 -bordercolor black -border 2 +append \) \
  -append -gravity center -extent 445x241 \
  -colorspace sRGB -type TrueColor -strip -density 72 -units PixelsPerInch \
  -interlace none -sampling-factor 2x2,1x1,1x1 -quality 90 "JPEG:$out/105.jpg"

# The program's icon: the ladybird, cut square out of its picture, in the four sizes the shell
# asks for.
"$convert" -quiet "$mate/LadyBird.jpg" -crop 720x720+1440+490 +repage -resize 256x256 \
  -define icon:auto-resize=256,48,32,16 "ICO:$out/Lumivale.ico"

echo "made 105.jpg, 110.jpg..159.jpg and Lumivale.ico in $out" >&2
