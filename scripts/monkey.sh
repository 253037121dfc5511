#!/usr/bin/env bash
# Random player actions against the real game, inside a running Xvfb/Wine session
# (scripts/test.sh provides one). Usage: monkey.sh [ACTIONS] [SEED]
#   e.g. monkey.sh 100000 7  for the long run.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# The tree whose programs run under Wine here (wine-env.sh; build/win32 or build/win64).
build="${VELQUIN_WIN32_BUILD:-${VELQUIN_WINE_TREE:-$root/build/win32}}"
mkdir -p "$build/artifacts"
VELQUIN_GAME_DIR="$build/game" VELQUIN_ARTIFACTS="$build/artifacts" VELQUIN_WINE_TIMEOUT="${VELQUIN_MONKEY_TIMEOUT:-900}" \
  "$root/scripts/wine-run.sh" "$build/tests/e2e/velquin_monkey.exe" "${1:-1500}" "${2:-$(date +%s)}" 2>/dev/null \
  | stdbuf -oL iconv -f CP932 -t UTF-8 | tee "$build/artifacts/monkey.txt"
exit "${PIPESTATUS[0]}"
