# Sourced by the other scripts: the environment every wine call runs in.
# VELQUIN_WINEPREFIX picks the prefix (default: build/wine inside the source tree).
VELQUIN_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
: "${VELQUIN_WINEPREFIX:=$VELQUIN_ROOT/build/wine}"
export VELQUIN_ROOT VELQUIN_WINEPREFIX

# Wine reports code page 932 only while the running process has a Japanese locale.
export LANG=ja_JP.UTF-8
unset LC_ALL LC_CTYPE LANGUAGE
export WINEPREFIX="$VELQUIN_WINEPREFIX/prefix" WINEARCH=win32 WINEDEBUG=-all
# HOME is sandboxed so that nothing (pulse, menus, desktop links) lands in the real home.
export HOME="$VELQUIN_WINEPREFIX/home"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winealsa.drv,winepulse.drv=d"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share" XDG_CACHE_HOME="$HOME/.cache"
