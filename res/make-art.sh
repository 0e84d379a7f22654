#!/usr/bin/env bash
# Draws every skin picture of the launcher into res/art/ with ImageMagick 6 and checks the results.
# The outputs are committed; rerun this only when the look changes. Each run gives byte-identical
# files: the star field uses a fixed seed and the PNG time stamps are left out.
# Needs: imagemagick (6.x `convert`), fonts-dejavu-core.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
art="$here/art"
mkdir -p "$art"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

fonts=/usr/share/fonts/truetype/dejavu
serif_bold=$fonts/DejaVuSerif-Bold.ttf
serif=$fonts/DejaVuSerif.ttf
sans_bold=$fonts/DejaVuSans-Bold.ttf
for f in "$serif_bold" "$serif" "$sans_bold"; do
    [[ -f $f ]] || { echo "make-art: missing font $f (install fonts-dejavu-core)" >&2; exit 1; }
done

# Palette: night sky blues/purples with gold trim.
gold='#c9a24a'
gold_light='#f3dc93'
gold_dark='#6e5424'

# Writes $1 as an 8-bit RGBA PNG (colour type 6) without time stamps or other metadata.
save_png() {
    convert "$1" -strip +set date:create +set date:modify \
        -define png:exclude-chunks=date,time PNG32:"$2"
}

# ---------------------------------------------------------------------------------------------
# Login background, 926x646: a rounded panel with a violet glow around it. The login window shows it
# with per-pixel alpha, so the margin outside the glow must be fully transparent, while the login
# pane area (270,138)-(880,478) must be fully opaque.
W=926 H=646
PX0=12 PY0=12 PX1=913 PY1=633 RAD=18   # panel rectangle (inclusive) and corner radius
HEADER=128                             # header band height, buttons and title live there

# Panel shape, used both as the panel's alpha and as the source of the glow.
convert -size ${W}x${H} xc:black -fill white \
    -draw "roundrectangle $PX0,$PY0 $PX1,$PY1 $RAD,$RAD" "$tmp/panel-mask.miff"

# Night sky: vertical gradient with three soft nebulae, then a seeded star field.
nebula() {  # colour strength ellipse-centre-x,y radii-x,y blur-sigma
    convert -size ${W}x${H} xc:black -fill white -draw "ellipse $3 $4 0,360" -blur "0x$5" \
        -evaluate multiply "$2" \( -size ${W}x${H} xc:"$1" \) +swap -alpha off \
        -compose CopyOpacity -composite "$tmp/nebula-$1.miff"
    echo "$tmp/nebula-$1.miff"
}
convert -size ${W}x${H} gradient:'#2b1f5a'-'#090a1e' \
    "$(nebula '#7a45c0' 0.55 640,230 300,150 80)" -compose Screen -composite \
    "$(nebula '#2f5bb8' 0.45 760,420 260,110 70)" -compose Screen -composite \
    "$(nebula '#b05aa8' 0.25 140,260 120,120 50)" -compose Screen -composite \
    "$tmp/sky.miff"

# Faint stars are single dim pixels; bright ones get a small blur so they read as larger.
convert -size ${W}x${H} xc:gray50 -seed 20260 +noise Random -channel R -separate +channel \
    \( -clone 0 -threshold 99.75% -evaluate multiply 0.55 \) \
    \( -clone 0 -threshold 99.96% -morphology Dilate Disk:0.7 -blur 0x0.7 -level 0,45% \) \
    -delete 0 -compose Screen -composite "$tmp/stars.miff"

sparkle() {  # four-pointed twinkle at x,y with arm length r
    local x=$1 y=$2 r=$3
    printf 'line %d,%d %d,%d line %d,%d %d,%d ' \
        $((x - r)) "$y" $((x + r)) "$y" "$x" $((y - r)) "$x" $((y + r))
}
sparkles="$(sparkle 236 170 6)$(sparkle 52 206 5)$(sparkle 248 352 4)$(sparkle 600 512 5)$(sparkle 896 300 4)$(sparkle 330 500 4)"
convert -size ${W}x${H} xc:black -stroke white -strokewidth 1 -draw "$sparkles" \
    \( +clone -blur 0x1.5 \) -compose Screen -composite \
    "$tmp/stars.miff" -compose Screen -composite "$tmp/stars.miff"

# Crescent moon over the left column, with a warm halo.
MX=142 MY=250 MR=40
convert -size ${W}x${H} xc:black -fill white -draw "circle $MX,$MY $((MX + MR)),$MY" \
    -fill black -draw "circle $((MX + 17)),$((MY - 12)) $((MX + 17 + 36)),$((MY - 12))" \
    "$tmp/moon-mask.miff"
convert -size ${W}x${H} xc:black -fill white -draw "circle $MX,$MY $((MX + MR)),$MY" \
    -blur 0x18 -level 0,160% -evaluate multiply 0.45 "$tmp/moon-halo.miff"

# Mountains: a pale far range with a small castle, a dark near range in front.
far='12,540 70,482 118,506 200,432 262,488 330,452 420,520 520,478 610,530 700,468 800,512 862,466 913,498 913,646 12,646'
near='12,600 90,560 170,592 260,546 360,602 470,566 560,606 660,560 760,602 850,568 913,590 913,646 12,646'
castle='rectangle 185,404 196,440 rectangle 203,390 215,440 rectangle 222,408 231,440 rectangle 180,428 236,470'
roofs='polygon 183,405 190.5,386 198,405 polygon 201,391 209,366 217,391 polygon 220,409 226.5,394 233,409'
windows='rectangle 189,414 191,417 rectangle 208,400 210,404 rectangle 208,418 210,422 rectangle 225,420 227,423'

convert -size ${W}x${H} gradient:'#3c2d73'-'#120e33' "$tmp/far-fill.miff"
convert -size ${W}x${H} gradient:'#1c1640'-'#050414' "$tmp/near-fill.miff"
convert -size ${W}x${H} xc:black -fill white -draw 'ellipse 463,575 520,26 0,360' -blur 0x18 \
    -evaluate multiply 0.22 "$tmp/mist.miff"

# Gold hairline under the header, fading out towards both ends, with a diamond at the middle.
convert \( -size 440x2 -define gradient:direction=east gradient:'rgba(201,162,74,0)'-"$gold" \) \
    \( +clone -flop \) +append "$tmp/divider.miff"

# Title: gold gradient letters with a dark outline, a drop shadow and a soft violet glow.
convert -size ${W}x${HEADER} gradient:"$gold_light"-'#a8721f' "$tmp/gold-fill.miff"
convert -size ${W}x${HEADER} xc:none -font "$serif_bold" -pointsize 44 -kerning 1 \
    -tile "$tmp/gold-fill.miff" -stroke '#4a3210' -strokewidth 1 -annotate +38+92 'Velmora' \
    "$tmp/title.miff"
convert -size ${W}x${HEADER} xc:none -font "$serif" -pointsize 12 -kerning 2 \
    -fill '#a99bd8' -annotate +42+115 'Realm of the Eternal Night' "$tmp/tagline.miff"

convert "$tmp/sky.miff" \
    "$tmp/stars.miff" -compose Screen -composite \
    \( -size ${W}x${H} xc:'#f6e3a8' "$tmp/moon-halo.miff" -alpha off -compose CopyOpacity -composite \) \
    -compose Screen -composite \
    \( -size ${W}x${H} xc:'#f7e9bf' "$tmp/moon-mask.miff" -alpha off -compose CopyOpacity -composite \) \
    -compose Over -composite \
    -tile "$tmp/far-fill.miff" -draw "polygon $far $castle $roofs" +tile \
    -fill '#f0c865' -draw "$windows" \
    "$tmp/mist.miff" -compose Screen -composite \
    -tile "$tmp/near-fill.miff" -draw "polygon $near" +tile \
    \( -size ${W}x${HEADER} gradient:'#221a4e'-'#131033' \) -geometry +0+0 -compose Over -composite \
    \( "$tmp/title.miff" -background black -shadow 80x2+2+3 \) -geometry +0+0 -compose Over -composite \
    \( "$tmp/title.miff" -alpha extract -blur 0x6 -evaluate multiply 0.6 \
        \( -size ${W}x${HEADER} xc:'#8e5be0' \) +swap -alpha off -compose CopyOpacity -composite \) \
    -geometry +0+0 -compose Screen -composite \
    "$tmp/title.miff" -geometry +0+0 -compose Over -composite \
    "$tmp/tagline.miff" -geometry +0+0 -compose Over -composite \
    -fill '#0a0820' -draw "line 20,$((HEADER - 1)) 905,$((HEADER - 1))" \
    "$tmp/divider.miff" -geometry +23+$HEADER -compose Over -composite \
    -fill "$gold" -stroke "$gold_dark" -strokewidth 1 \
    -draw "polygon 463,$((HEADER - 6)) 470,$((HEADER + 1)) 463,$((HEADER + 8)) 456,$((HEADER + 1))" \
    -fill 'rgba(4,5,18,0.66)' -stroke 'rgba(201,162,74,0.6)' \
    -draw 'roundrectangle 270.5,138.5 879.5,477.5 8,8' \
    -fill none -stroke 'rgba(140,100,220,0.25)' -draw 'roundrectangle 272.5,140.5 877.5,475.5 6,6' \
    "$tmp/panel-mask.miff" -alpha off -compose CopyOpacity -composite \
    "$tmp/panel.miff"

# Glow: blurred panel shape in violet. The low tail is cut so the outer margin ends at alpha 0.
convert "$tmp/panel-mask.miff" -blur 0x5 -level 4%,100% -evaluate multiply 0.75 \
    \( -size ${W}x${H} xc:'#7c4ee0' \) +swap -alpha off -compose CopyOpacity -composite \
    "$tmp/panel.miff" -compose Over -composite \
    -fill none -stroke "$gold" -strokewidth 2 \
    -draw "roundrectangle $((PX0 + 1)),$((PY0 + 1)) $((PX1 - 1)),$((PY1 - 1)) $((RAD - 1)),$((RAD - 1))" \
    -stroke "$gold_dark" -strokewidth 1 \
    -draw "roundrectangle $((PX0 + 5)).5,$((PY0 + 5)).5 $((PX1 - 5)).5,$((PY1 - 5)).5 $((RAD - 5)),$((RAD - 5))" \
    "$tmp/background.miff"
save_png "$tmp/background.miff" "$art/login-background.png"

# ---------------------------------------------------------------------------------------------
# Buttons. Each one is drawn on the piece of background it covers, so it is fully opaque and
# blends with the panel whatever the window does with transparency.

crop_bg() {  # crop_bg w h x y out
    convert "$tmp/background.miff" -crop "$1x$2+$3+$4" +repage "$5"
}

# Caption button: rounded gold-trimmed badge with a glyph. Args: w h x y fill border glyph-colour
# glyph-draw-commands out.
caption_button() {
    local w=$1 h=$2 x=$3 y=$4 fill=$5 border=$6 ink=$7 glyph=$8 out=$9
    crop_bg "$w" "$h" "$x" "$y" "$tmp/crop.miff"
    convert "$tmp/crop.miff" \
        -fill "$fill" -stroke "$border" -strokewidth 1 \
        -draw "roundrectangle 0.5,0.5 $((w - 1)).5,$((h - 1)).5 4,4" \
        -fill none -stroke 'rgba(255,255,255,0.12)' \
        -draw "line 3,1.5 $((w - 4)),1.5" \
        -stroke "$ink" -strokewidth 2 -draw "$glyph" \
        "$tmp/button.miff"
    save_png "$tmp/button.miff" "$out"
}

# Minimize: 22x21 at (860,58), an en-dash style bar.
min_glyph='line 7,10.5 14,10.5'
min_glyph_down='line 7,11.5 14,11.5'
caption_button 22 21 860 58 '#2a2158' "$gold"       '#e9cf85' "$min_glyph"      "$art/min-normal.png"
caption_button 22 21 860 58 '#4b3a96' "$gold_light" '#fff4cf' "$min_glyph"      "$art/min-hover.png"
caption_button 22 21 860 58 '#140f31' "$gold_dark"  '#a88c4c' "$min_glyph_down" "$art/min-pressed.png"

# Close: 29x27 at (883,47), a diagonal cross; hover turns crimson.
close_glyph='line 10,9 18,17 line 18,9 10,17'
close_glyph_down='line 10,10 18,18 line 18,10 10,18'
caption_button 29 27 883 47 '#2a2158' "$gold"       '#e9cf85' "$close_glyph"      "$art/close-normal.png"
caption_button 29 27 883 47 '#b03550' "$gold_light" '#fff4cf' "$close_glyph"      "$art/close-hover.png"
caption_button 29 27 883 47 '#4e1428' "$gold_dark"  '#a88c4c' "$close_glyph_down" "$art/close-pressed.png"

# Link buttons, 79x26: a faint gold-edged plate with the caption. No CJK font is needed: the
# captions are English. Hover shows the same picture (the window reacts to hover itself).
link_button() {  # name caption x y
    crop_bg 79 26 "$3" "$4" "$tmp/crop.miff"
    convert "$tmp/crop.miff" \
        -fill 'rgba(120,90,200,0.14)' -stroke 'rgba(201,162,74,0.55)' -strokewidth 1 \
        -draw 'roundrectangle 0.5,0.5 78.5,25.5 5,5' \
        -stroke none -fill 'rgba(0,0,0,0.7)' -font "$sans_bold" -pointsize 12 -gravity center \
        -annotate +1+1 "$2" -fill "$gold_light" -annotate +0+0 "$2" \
        "$tmp/button.miff"
    save_png "$tmp/button.miff" "$art/$1-normal.png"
    cp "$art/$1-normal.png" "$art/$1-hover.png"
}
link_button home    'Home'    275 79
link_button deposit 'Deposit' 376 79
link_button forum   'Forum'   661 79
link_button service 'Service' 758 79

# ---------------------------------------------------------------------------------------------
# Application icon: one 48x48 32-bpp image. A gold-ringed night medallion with a serif "V" and a
# star, drawn at 4x and scaled down for clean edges.
convert -size 192x192 xc:none \
    \( -size 192x192 radial-gradient:"$gold_light"-'#8a5e1c' \) \
    \( -size 192x192 xc:black -fill white -draw 'circle 96,96 96,4' \) \
    \( -clone 1 -clone 2 -alpha off -compose CopyOpacity -composite \) -delete 1,2 \
    -compose Over -composite \
    \( -size 192x192 radial-gradient:'#3d2b7e'-'#0c0b26' \) \
    \( -size 192x192 xc:black -fill white -draw 'circle 96,96 96,16' \) \
    \( -clone 1 -clone 2 -alpha off -compose CopyOpacity -composite \) -delete 1,2 \
    -compose Over -composite \
    -fill none -stroke "$gold_dark" -strokewidth 3 -draw 'circle 96,96 96,17' \
    -stroke '#3a2608' -strokewidth 3 -tile "$tmp/gold-fill.miff" -font "$serif_bold" -pointsize 120 \
    -gravity center -annotate +0+10 'V' \
    +tile -stroke none -fill "$gold_light" \
    -draw 'polygon 140,44 145,58 159,63 145,68 140,82 135,68 121,63 135,58' \
    -filter Lanczos -resize 48x48 "$tmp/icon.miff"
save_png "$tmp/icon.miff" "$tmp/icon.png"
# ImageMagick stores 48x48 entries as a BMP with alpha (not PNG), which every resource compiler takes.
convert "$tmp/icon.png" -strip ICO:"$art/Velmora.ico"

# ---------------------------------------------------------------------------------------------
# Checks: exact sizes, RGBA, no colour-key pixels in buttons, the alpha layout of the background,
# and the icon's directory.
fail() { echo "make-art: $*" >&2; exit 1; }

u8()  { od -An -tu1 -j"$2" -N1 "$1" | tr -d ' '; }
u16() { od -An -tu2 --endian=little -j"$2" -N2 "$1" | tr -d ' '; }
u32be() { od -An -tu4 --endian=big -j"$2" -N4 "$1" | tr -d ' '; }
u32() { od -An -tu4 --endian=little -j"$2" -N4 "$1" | tr -d ' '; }

check_png() {  # file width height
    local f="$art/$1"
    [[ -f $f ]] || fail "$1 missing"
    [[ $(u32be "$f" 16) == "$2" && $(u32be "$f" 20) == "$3" ]] ||
        fail "$1 is $(u32be "$f" 16)x$(u32be "$f" 20), want $2x$3"
    [[ $(u8 "$f" 24) == 8 && $(u8 "$f" 25) == 6 ]] ||
        fail "$1 has bit depth $(u8 "$f" 24) colour type $(u8 "$f" 25), want 8-bit RGBA (6)"
}

no_colour_key() {  # file: no pixel may be exactly RGB(255,0,255), whatever its alpha
    local n
    n=$(convert "$art/$1" -alpha off -fill black +opaque '#ff00ff' -fill white -opaque '#ff00ff' \
        -format '%[fx:round(mean*w*h)]' info:)
    [[ $n == 0 ]] || fail "$1 has $n pixels of the colour key RGB(255,0,255)"
}

for b in min close; do
    for s in normal hover pressed; do
        if [[ $b == min ]]; then check_png "$b-$s.png" 22 21; else check_png "$b-$s.png" 29 27; fi
        no_colour_key "$b-$s.png"
    done
    cmp -s "$art/$b-normal.png" "$art/$b-hover.png" && fail "$b hover equals normal"
    cmp -s "$art/$b-normal.png" "$art/$b-pressed.png" && fail "$b pressed equals normal"
done
for b in home deposit service forum; do
    for s in normal hover; do
        check_png "$b-$s.png" 79 26
        no_colour_key "$b-$s.png"
    done
    cmp -s "$art/$b-normal.png" "$art/$b-hover.png" || fail "$b hover differs from normal"
done

bg="$art/login-background.png"
check_png login-background.png 926 646
alpha_stat() {  # crop-geometry-or-empty fx-expression
    convert "$bg" -alpha extract ${1:+-crop "$1" +repage} -format "%[fx:$2]" info:
}
[[ $(alpha_stat 610x340+270+138 'minima') == 1 ]] || fail "login pane area is not fully opaque"
[[ $(alpha_stat '' 'minima') == 0 ]] || fail "background has no fully transparent pixel"
[[ $(alpha_stat '' 'maxima') == 1 ]] || fail "background has no opaque pixel"
for corner in 1x1+0+0 1x1+925+0 1x1+0+645 1x1+925+645; do
    [[ $(alpha_stat "$corner" 'maxima') == 0 ]] || fail "background corner $corner is not transparent"
done
translucent=$(convert "$bg" -alpha extract -fill black -opaque white -threshold 0 \
    -format '%[fx:round(mean*w*h)]' info:)
(( translucent > 0 )) || fail "background has no translucent (glow) pixels"

ico="$art/Velmora.ico"
[[ $(u16 "$ico" 0) == 0 && $(u16 "$ico" 2) == 1 && $(u16 "$ico" 4) == 1 ]] ||
    fail "Velmora.ico must be an icon file with exactly one image"
[[ $(u8 "$ico" 6) == 48 && $(u8 "$ico" 7) == 48 && $(u16 "$ico" 12) == 32 ]] ||
    fail "Velmora.ico image must be 48x48 at 32 bits per pixel"
off=$(u32 "$ico" 18)
[[ $(u32 "$ico" "$off") == 40 && $(u16 "$ico" $((off + 14))) == 32 ]] ||
    fail "Velmora.ico image must be a 32-bit BMP (with alpha), not PNG"

echo "make-art: all pictures written to $art and checked"
