#!/usr/bin/env bash
# Runs the benchmark of the built game against Wine's Minesweeper, inside a running
# Xvfb/Wine session (scripts/test.sh provides one). Usage: benchmark.sh [GAMES]
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
# The tree whose programs run under Wine here (wine-env.sh; build/win32 or build/win64).
build="${VELQUIN_WIN32_BUILD:-${VELQUIN_WINE_TREE:-$root/build/win32}}"
mkdir -p "$build/artifacts"
VELQUIN_GAME_DIR="$build/game" VELQUIN_ARTIFACTS="$build/artifacts" VELQUIN_WINE_TIMEOUT=600 \
  "$root/scripts/wine-run.sh" "$build/tests/e2e/velquin_bench.exe" "${1:-1000}" 2>/dev/null \
  | iconv -f CP932 -t UTF-8 | tee "$build/artifacts/benchmark.txt"
exit "${PIPESTATUS[0]}"
