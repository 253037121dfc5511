#!/usr/bin/env bash
# Writes art-contact-sheet.png: the board at 2x, every other picture at 3x, each
# labelled with its resource number and file name.
# usage: contact-sheet.sh ART_DIRECTORY OUTPUT_DIRECTORY
set -euo pipefail
art=$1
out=$2
mkdir -p "$out"
if ! command -v montage >/dev/null; then
  echo "contact-sheet: ImageMagick missing, skipped"
  exit 0
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
# ImageMagick's default font may be missing; any sans-serif file that fontconfig knows will do.
font=(-pointsize 13)
sans=$(fc-match -f '%{file}' sans 2>/dev/null || true)
if [ -n "$sans" ] && [ -f "$sans" ]; then font+=(-font "$sans"); fi
background='#d8d8d8'

# One labelled picture: enlarge without smoothing; cursors and icon over a pale
# blue so that their transparent parts show.
labelled() {
  local file=$1 id=$2 scale=$3 png="$tmp/$2.png"
  if [[ $file == *.cur || $file == *.ico ]]; then
    convert "$art/$file[0]" -background '#b8d0f0' -alpha remove -alpha off -filter point -resize "$scale" "$png"
  else
    convert "$art/$file" -filter point -resize "$scale" "$png"
  fi
  montage -label "$id  $file" "$png" "${font[@]}" -geometry +8+6 -background "$background" "$tmp/l$id.png"
  echo "$tmp/l$id.png"
}

row() {
  local name=$1
  shift
  convert "$@" -background "$background" -gravity south +append "$tmp/row-$name.png"
  echo "$tmp/row-$name.png"
}

rows=()
rows+=("$(labelled board.bmp 105 200%)")
used=() normal=() tiles=()
for d in 1 2 3 4 5 6 7 8 9; do
  used+=("$(labelled "key_used_$d.bmp" $((105 + d)) 300%)")
  normal+=("$(labelled "key_normal_$d.bmp" $((114 + d)) 300%)")
  tiles+=("$(labelled "tile_$d.bmp" $((131 + d)) 300%)")
done
rows+=("$(row used "${used[@]}")" "$(row normal "${normal[@]}")")
rows+=("$(row buttons "$(labelled go_ready.bmp 124 300%)" "$(labelled clear_active.bmp 125 300%)" \
  "$(labelled go_idle.bmp 126 300%)" "$(labelled clear_idle.bmp 127 300%)")")
rows+=("$(row tiles "${tiles[@]}")")
rows+=("$(row small "$(labelled hand.cur 130 400%)" "$(labelled hand_help.cur 131 400%)" \
  "$(labelled velquin.ico 102 400%)")")
convert "${rows[@]}" -background "$background" -gravity center -append +repage "$out/art-contact-sheet.png"
echo "contact-sheet: $out/art-contact-sheet.png"
