#!/bin/sh
# contact_sheet.sh [ASSETS [OUT]]: all 54 library pictures with their names on one PNG, for a
# reviewer: the 256 x 256 masks and bodies at full size in holder order, then the small
# accessory pictures enlarged with hard pixel edges. Needs ImageMagick.
set -eu
assets=${1:-assets}
out=${2:-docs/library.png}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

large="imgBodySuit imgDarkBody imgMedBody imgLightBody
  imgPJs4 imgBlouseLong imgRobeBoxer imgSpeedo imgPJs2 imgTankTop imgCorset imgThong imgPJs1
  imgMiniDress imgMinicorset imgBimbo imgTamsine imgLurette imgFlirt imgBikini imgSurfer imgVirelle
  imgCouvrelle imgPJ3 imgBand2bikini imgPompette imgBandBikini imgOnePiece img404 imgBikini3 imgB772piece
  imgb328 imgb77onepiece imgTeddy2 imgTeddy1 imgCorset3 imgCorset2 imgB328legs
  imgMaleLight imgMaleDark imgMaleMed"
strips="imgBlackSneakers imgRedSneakers imgHighHeels imgSandals imgSmallBlackBoots imgSmallBrownBoots
  imgBigBlackBoots imgMidriffLgt imgMidriffMed imgMidriffDrk imgMaidCollar"
rings="imgSilverRing imgGoldRing"

set --
for name in $large; do set -- "$@" -label "$name" "$assets/$name.bmp"; done
montage "$@" -tile 8x -geometry 256x256+6+6 -background '#9aa4ae' -pointsize 15 "$work/large.png"

# One labelled tile each, stacked tightly: the strips five times, the rings forty times.
labelled() { # NAME FACTOR
  convert "$assets/$1.bmp" -filter point -resize "$2%" "$work/$1.png"
  montage -label "$1" "$work/$1.png" -geometry +6+4 -background '#9aa4ae' -pointsize 15 "$work/$1-tile.png"
}
set --
for name in $strips; do labelled "$name" 500; set -- "$@" "$work/$name-tile.png"; done
for name in $rings; do labelled "$name" 4000; done
convert "$work/imgSilverRing-tile.png" "$work/imgGoldRing-tile.png" -background '#9aa4ae' +append "$work/rings.png"
convert "$@" "$work/rings.png" -background '#9aa4ae' -gravity center -append "$work/small.png"

convert "$work/large.png" "$work/small.png" -background '#9aa4ae' -gravity center -append -depth 8 "$out"
