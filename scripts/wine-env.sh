# Sourced by the other scripts: the environment every wine call runs in.
# VELQUIN_WINEPREFIX picks the prefix (default: build/wine inside the source tree).
VELQUIN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
: "${VELQUIN_WINEPREFIX:=$VELQUIN_ROOT/build/wine}"
export VELQUIN_ROOT VELQUIN_WINEPREFIX

# The game is a 32-bit program, and 32-bit Wine is a 32-bit Linux program. A
# kernel without IA-32 emulation runs none ("Exec format error"), and a mirror
# that failed to deliver the i386 lists leaves 32-bit Wine uninstalled
# (setup-deps.sh): there the same game built for 64-bit Windows runs under 64-bit
# Wine instead, in a 64-bit prefix of its own, and VELQUIN_WINE_WHY says why.
# VELQUIN_WINE_BITS=32 or 64 overrides the choice; VELQUIN_WINE_TREE is the build
# tree whose programs run under Wine.
velquin_wine32_missing() {
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then
    return 1
  elif [ -e /usr/lib/wine/wine ]; then
    echo "this machine runs no 32-bit program"
  elif [ -s "$VELQUIN_ROOT/build/wine32-not-installed.txt" ]; then
    echo "32-bit Wine could not be installed: $(head -n1 "$VELQUIN_ROOT/build/wine32-not-installed.txt")"
  else
    echo "32-bit Wine is not installed (wine32:i386)"
  fi
}
VELQUIN_WINE_WHY=""
if [ -z "${VELQUIN_WINE_BITS:-}" ]; then
  if [ -x /usr/lib/wine/wine64 ] && VELQUIN_WINE_WHY=$(velquin_wine32_missing); then
    VELQUIN_WINE_BITS=64
  else
    VELQUIN_WINE_BITS=32 VELQUIN_WINE_WHY=""
  fi
elif [ "$VELQUIN_WINE_BITS" = 32 ] && why=$(velquin_wine32_missing); then
  echo "VELQUIN_WINE_BITS=32, but $why: leave VELQUIN_WINE_BITS unset for the 64-bit build" >&2
  return 1 2>/dev/null || exit 1
fi
export VELQUIN_WINE_BITS VELQUIN_WINE_WHY VELQUIN_WINE_TREE="$VELQUIN_ROOT/build/win$VELQUIN_WINE_BITS"

# Wine reports code page 932 only while the running process has a Japanese locale;
# VELQUIN_WINE_LANG=C.UTF-8 runs a program as on a Western system (code page 1252).
export LANG="${VELQUIN_WINE_LANG:-ja_JP.UTF-8}"
unset LC_ALL LC_CTYPE LANGUAGE
if [ "$VELQUIN_WINE_BITS" = 64 ]; then
  export WINEPREFIX="$VELQUIN_WINEPREFIX/prefix64" WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  # Debian's wine and wine-stable (which wineboot, winepath and the other tools
  # call) start the 32-bit loader whenever it is installed.
  mkdir -p "$VELQUIN_WINEPREFIX/bin64"
  for tool in wine wine-stable; do
    [ -x "$VELQUIN_WINEPREFIX/bin64/$tool" ] ||
      printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$VELQUIN_WINEPREFIX/bin64/$tool"
    chmod +x "$VELQUIN_WINEPREFIX/bin64/$tool"
  done
  case ":$PATH:" in *":$VELQUIN_WINEPREFIX/bin64:"*) ;; *) export PATH="$VELQUIN_WINEPREFIX/bin64:$PATH" ;; esac
else
  export WINEPREFIX="$VELQUIN_WINEPREFIX/prefix" WINEARCH=win32
fi
export WINEDEBUG=-all
# HOME is sandboxed so that nothing (pulse, menus, desktop links) lands in the real home.
export HOME="$VELQUIN_WINEPREFIX/home"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winealsa.drv,winepulse.drv=d"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
