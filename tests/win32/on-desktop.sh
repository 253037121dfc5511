#!/usr/bin/env bash
# Runs Win32 tests on a Wine virtual desktop of a given size and judges them by
# their output: under `explorer /desktop` the exit code is always 0.
# Usage: on-desktop.sh WIDTHxHEIGHT TEST_EXE GTEST_FILTER
set -uo pipefail
size="$1" exe="$2" filter="$3"
width="${size%x*}"
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"
out=$(timeout 120 wine explorer "/desktop=velquin$size,$size" "$exe" "--gtest_filter=$filter" 2>/dev/null | tr -d '\r')
echo "$out"
echo "$out" | grep -q "\[ screen    \] $width pixels wide" || { echo "the tests did not run on a $width-pixel desktop"; exit 1; }
echo "$out" | grep -q '^\[  PASSED  \]' && ! echo "$out" | grep -q '^\[  FAILED  \]'
