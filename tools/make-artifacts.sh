#!/usr/bin/env bash
# Writes the pictures that reviewers look at into one folder: the art contact
# sheet, the sound waveforms with their levels, and the rendered help pages.
# usage: make-artifacts.sh ARTIFACTS_DIRECTORY WAVGEN_EXECUTABLE
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
out=$1
wavgen=$2
mkdir -p "$out"

"$here/contact-sheet.sh" "$root/res/art" "$out"

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
"$wavgen" "$tmp" "$tmp"
if command -v montage >/dev/null; then
  labelled=()
  for f in 21.wav PIN1.wav FAN2.wav DOWN1.wav whuf.WAV; do labelled+=(-label "$f (1.8 s across)" "$tmp/$f.pgm"); done
  font=(-pointsize 13)
  sans=$(fc-match -f '%{file}' sans 2>/dev/null || true)
  if [ -n "$sans" ] && [ -f "$sans" ]; then font+=(-font "$sans"); fi
  montage "${labelled[@]}" -tile 1x -geometry +4+4 "${font[@]}" -background '#dddddd' \
    "$out/sound-waveforms.png"
  echo "make-artifacts: $out/sound-waveforms.png"
fi
if command -v sox >/dev/null; then
  for f in 21.wav PIN1.wav FAN2.wav DOWN1.wav whuf.WAV; do
    echo "== $f"
    sox --i "$root/res/sounds/$f"
    sox "$root/res/sounds/$f" -n stat 2>&1
  done >"$out/sound-stats.txt"
  echo "make-artifacts: $out/sound-stats.txt"
fi

"$here/render-help.sh" "$out"
