#!/usr/bin/env bash
# Creates the Wine prefix (32-bit, or 64-bit where
# no 32-bit program runs: see wine-env.sh): Japanese locale, Wine's fonts, the MS font names
# mapped to IPA fonts, a 24-bit virtual desktop, full-window dragging, no audio,
# no crash dialog, and shell folders redirected inside the prefix.
# Usage: make-prefix.sh [WIDTHxHEIGHT|none]
#   the virtual desktop's size (default 1024x768); "none" lets the game's windows
#   be ordinary windows on the player's own display.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
size="${1:-1024x768}"
if [ "$size" = none ]; then desktop_value='-'; else desktop_value='"Default"'; fi

if [ -f "$WINEPREFIX/.velquin-ready" ] && [ "$(cat "$WINEPREFIX/.velquin-ready")" = "$size" ]; then
  exit 0
fi

mkdir -p "$HOME" "$VELQUIN_WINEPREFIX"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "prefix: creating $WINEPREFIX" >&2
  # No DISPLAY: boots faster and shows nothing.
  env -u DISPLAY timeout 300 wineboot -i >/dev/null 2>&1 || true
  timeout 120 wineserver -w || true
fi
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp -n /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
mkdir -p "$WINEPREFIX/drive_c/velquin-shell/"{Desktop,Programs,Startup}

reg_txt="$VELQUIN_WINEPREFIX/settings.reg.txt"
cat > "$reg_txt" <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
"Desktop"=$desktop_value

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
"Default"="$size"

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"ＭＳ Ｐゴシック"="IPA Pゴシック"
"ＭＳ ゴシック"="IPAゴシック"
"ＭＳ Ｐ明朝"="IPA P明朝"
"ＭＳ 明朝"="IPA明朝"
"MS PGothic"="IPA Pゴシック"
"MS Gothic"="IPAゴシック"
"MS PMincho"="IPA P明朝"
"MS Mincho"="IPA明朝"
"MS UI Gothic"="IPA Pゴシック"

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"DragFullWindows"="1"

[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]
"Audio"=""

[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders]
"Desktop"="C:\\\\velquin-shell\\\\Desktop"
"Programs"="C:\\\\velquin-shell\\\\Programs"
"Startup"="C:\\\\velquin-shell\\\\Startup"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000
REG
# regedit reads an ANSI file as CP932: hand it UTF-16LE with a BOM.
{ printf '\xff\xfe'; sed 's/$/\r/' "$reg_txt" | iconv -f UTF-8 -t UTF-16LE; } > "$VELQUIN_WINEPREFIX/settings.reg"
env -u DISPLAY timeout 120 wine regedit /S "$(winepath -w "$VELQUIN_WINEPREFIX/settings.reg" 2>/dev/null)" >/dev/null 2>&1
timeout 60 wineserver -w || true
echo "$size" > "$WINEPREFIX/.velquin-ready"
echo "prefix: ready ($size desktop)" >&2
