#!/usr/bin/env bash
# Renders the two help pages to PNG with headless Chromium, to look at them.
# usage: render-help.sh OUTPUT_DIRECTORY
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$1
mkdir -p "$out"
browser=$(command -v chromium || command -v chromium-browser || true)
if [ -z "$browser" ]; then
  echo "render-help: chromium missing, skipped"
  exit 0
fi
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
for page in VelquinandDorrimat workwindow; do
  png="$out/help-$page.png"
  rm -f "$png"
  # A renderer that hangs or crashes is reported, not failed: these pictures are for people.
  timeout 90 "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync --hide-scrollbars \
    --user-data-dir="$profile" --screenshot="$png" --window-size=1000,6000 \
    "file://$root/res/help/$page.htm" >/dev/null 2>&1 || true
  if [ -s "$png" ]; then
    # Cut the empty space below the end of the page.
    if command -v convert >/dev/null; then
      # The page's own background colour, from the bottom-left corner, is what gets trimmed.
      bg=$(convert "$png" -gravity southwest -crop 1x1+0+0 +repage -format '%[pixel:p{0,0}]' info: 2>/dev/null || echo white)
      convert "$png" -background "$bg" -gravity south -splice 0x1 -trim +repage -bordercolor "$bg" -border 16x16 "$png" || true
    fi
    echo "render-help: $png"
  else
    echo "render-help: chromium produced no picture for $page, skipped"
  fi
done
