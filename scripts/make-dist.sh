#!/usr/bin/env bash
# Packs the portable distribution from the built game folder:
#   bash scripts/make-dist.sh      (after cmake --build --preset win32)
# writes build/win32/dist/Velquin-1.3a.zip with Velquin.exe, the five sounds,
# help/ and the two read-me files under one folder, then checks the archive
# against its sources. Exits non-zero if anything is missing or differs.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
version=1.3a
game="${VELQUIN_GAME_DIR:-build/win32/game}"  # the game folder the win32 build makes
out=build/win32/dist
folder="Velquin-$version"
zipfile="$out/$folder.zip"

die() {
  echo "make-dist: FAILED: $*"
  exit 1
}

sounds=(21.wav PIN1.wav FAN2.wav DOWN1.wav whuf.WAV)
helps=(help/VelquinandDorrimat.htm help/workwindow.htm)
[ -f "$game/Velquin.exe" ] || die "$game/Velquin.exe is missing: build the win32 tree first"
for f in "${sounds[@]}" "${helps[@]}"; do
  [ -s "$game/$f" ] || die "$game/$f is missing or empty"
done
for f in dist/README-ja.txt dist/README-en.txt; do
  [ -s "$f" ] || die "$f is missing"
done

# The Japanese read-me is for Notepad on a Japanese Windows: CP932 with CRLF.
iconv -f CP932 -t UTF-8 dist/README-ja.txt >/dev/null 2>&1 || die "dist/README-ja.txt is not CP932"
for f in dist/README-ja.txt dist/README-en.txt; do
  if LC_ALL=C grep -q $'[^\r]$' "$f" || [ "$(tail -c 2 "$f" | od -An -tx1 | tr -d ' ')" != 0d0a ]; then
    die "$f has lines that do not end in CRLF"
  fi
done
LC_ALL=C grep -q $'[\x80-\xff]' dist/README-en.txt && die "dist/README-en.txt is not plain ASCII"

file "$game/Velquin.exe" | grep -q 'PE32 executable (GUI) Intel 80386' ||
  die "$game/Velquin.exe is not a 32-bit Windows GUI program"
for f in "${sounds[@]}"; do
  [ "$(head -c 4 "$game/$f")" = RIFF ] && [ "$(tail -c +9 "$game/$f" | head -c 4)" = WAVE ] ||
    die "$game/$f is not a WAVE file"
done

# Staged under a fixed date and packed in a fixed order without extra
# attributes, so the same build gives the same archive. Only the files named
# here go in: a velquin.ini left by a test run in the game folder stays out.
stage="$out/stage"
rm -rf "$stage" "$zipfile"
mkdir -p "$stage/$folder/help" || die "cannot create $stage"
cp "$game/Velquin.exe" "${sounds[@]/#/$game/}" "$stage/$folder/" || die "copying the game"
find "$game/help" -maxdepth 1 -type f -exec cp {} "$stage/$folder/help/" \; || die "copying help/"
cp dist/README-ja.txt dist/README-en.txt "$stage/$folder/" || die "copying the read-me files"
find "$stage" -exec touch -h -d '2026-01-01 00:00:00 UTC' {} +
(cd "$stage" && find "$folder" -print | LC_ALL=C sort | TZ=UTC zip -q -X -D -@ "$root/$zipfile") ||
  die "zip"

# Check the archive: the listing is exactly the staged files, the archive is
# sound, and every member is byte for byte its source.
expected=$(cd "$stage" && find "$folder" -type f | LC_ALL=C sort)
listed=$(unzip -Z1 "$zipfile" | LC_ALL=C sort)
if [ "$expected" != "$listed" ]; then
  diff <(echo "$expected") <(echo "$listed")
  die "the archive lists other files than were staged"
fi
unzip -tq "$zipfile" >/dev/null || die "the archive does not test clean"
required=(Velquin.exe "${sounds[@]}" "${helps[@]}" README-ja.txt README-en.txt)
for f in "${required[@]}"; do
  grep -qxF "$folder/$f" <<<"$listed" || die "$f is not in the archive"
done
while IFS= read -r member; do
  unzip -p "$zipfile" "$member" | cmp -s - "$stage/$member" || die "$member differs from its source"
done <<<"$listed"
rm -rf "$stage"

count=$(wc -l <<<"$listed")
echo "make-dist: ok: $zipfile, $count files, $(stat -c %s "$zipfile") bytes"
