#!/usr/bin/env bash
# Installs what is missing, builds Velquin and starts it under Wine.
# With a display: an ordinary window on it. Without one: headless under Xvfb,
# saving a screenshot and printing its path.
# The game folder and the Wine prefix live per user outside the source tree
# (~/.local/share/velquin), so velquin.ini and the shortcuts survive between plays.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
data="${XDG_DATA_HOME:-$HOME/.local/share}/velquin"
real_home="$HOME"

bash "$root/scripts/setup-deps.sh"
export VELQUIN_WINEPREFIX="$data/wine"
# The 32-bit game, or where this machine runs no 32-bit program or has no 32-bit
# Wine the same game built for 64-bit Windows (see wine-env.sh).
bits=$(source "$root/scripts/wine-env.sh" && echo "$VELQUIN_WINE_BITS")
why=$(source "$root/scripts/wine-env.sh" && echo "$VELQUIN_WINE_WHY")
if [ -n "$why" ]; then echo "Velquin: $why; using the 64-bit build"; else echo "Velquin: using the $bits-bit build"; fi
cmake -S "$root" --preset "win$bits" >/dev/null
cmake --build "$root/build/win$bits" --target Velquin -j"$(nproc 2>/dev/null || echo 2)"

# Refresh the player's game folder; velquin.ini is left alone.
mkdir -p "$data/game/help"
cp "$root/build/win$bits/game/Velquin.exe" "$data/game/"
cp "$root"/build/win$bits/game/*.[wW][aA][vV] "$data/game/" 2>/dev/null || true
cp "$root"/build/win$bits/game/help/* "$data/game/help/" 2>/dev/null || true
headless=1
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then headless=0; fi

if [ $headless = 0 ]; then
  bash "$root/scripts/make-prefix.sh" none
  source "$root/scripts/wine-env.sh"
  echo "Velquin: starting on $DISPLAY"
  cd "$data/game" && exec wine Velquin.exe
fi

bash "$root/scripts/make-prefix.sh" 1024x768
source "$root/scripts/xvfb-session.sh"
velquin_start_xvfb 1024x768
trap velquin_stop_session EXIT
velquin_start_wine
(cd "$data/game" && timeout 60 wine Velquin.exe >/dev/null 2>&1 &)
sleep "${VELQUIN_PLAY_SECONDS:-6}"
shot="$data/velquin-screenshot.png"
import -display "$DISPLAY" -window root "$shot"
echo "Velquin ran headless (no display). Screenshot: $shot"
HOME="$real_home"
