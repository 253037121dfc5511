#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's prefix, bounded in time.
# Used as CTest's cross-compiling emulator. VELQUIN_WINE_TIMEOUT sets the limit (s).
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
[ -d "$WINEPREFIX/drive_c" ] || "$VELQUIN_ROOT/scripts/make-prefix.sh" >&2 || exit 1
exec timeout --kill-after=5 "${VELQUIN_WINE_TIMEOUT:-300}" wine "$@"
