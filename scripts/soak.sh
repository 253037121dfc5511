#!/usr/bin/env bash
# Runs the Win32 and end-to-end tests RUNS times in one Xvfb and Wine session while
# a loop of clean native AddressSanitizer builds keeps both cores busy, and prints
# each test case that failed at least once: how often, and in which runs.
# Usage: soak.sh RUNS    (build the Wine tree first, as scripts/test.sh does)
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
runs="${1:?usage: soak.sh RUNS}"
source scripts/xvfb-session.sh
tree="$VELQUIN_WINE_TREE"
[ -f "$tree/tests/e2e/velquin_e2e_tests.exe" ] || { echo "no tests in $tree: build it first" >&2; exit 1; }
bash scripts/make-prefix.sh || exit 1
logs="$tree/soak" load_tree="$root/build/soak-load-$VELQUIN_WINE_BITS"
rm -rf "$logs" && mkdir -p "$logs"

# The load, in a process group of its own so that it can be ended by its id alone.
setsid bash -c 'while :; do rm -rf "$1"; cmake --preset native -B "$1" >/dev/null 2>&1 &&
  cmake --build "$1" -j2 >/dev/null 2>&1 && echo done >>"$2"; done' load "$load_tree" "$logs/builds" &
load_pid=$!
stop() {
  kill -- -"$load_pid" 2>/dev/null; wait "$load_pid" 2>/dev/null; rm -rf "$load_tree"
  velquin_stop_session
}
trap stop EXIT
velquin_start_xvfb 1024x768 || exit 1
velquin_start_wine
echo "soak: $runs runs of the Wine tests of $tree ($VELQUIN_WINE_BITS-bit) beside a loop of clean" \
  "native ASan builds (cmake --build -j2 in $load_tree, normal priority) on $(nproc) cores"

declare -A failed_in
passed=0 failed=0
for run in $(seq 1 "$runs"); do
  log="$logs/run-$run.log"
  (cd "$tree" && timeout 1800 ctest --output-on-failure -LE static) >"$log" 2>&1
  rc=$?
  # The failed GoogleTest cases, each named once; a CTest test that failed
  # without any (a time-out, a crash, a desktop test's own check) by its own name.
  cases=$(awk '
    /^ *[0-9]+\/[0-9]+ Test +#[0-9]+: / { test = $4; if (!/Passed/) { split($0, w, "*"); bad[test] = w[length(w)]; sub(/ .*/, "", bad[test]) } }
    /^\[  FAILED  \] [^ ]+ \([0-9]+ ms\)/ { print $4; seen[test] = 1 }
    END { for (t in bad) if (!seen[t]) print t "(" bad[t] ")" }' "$log" | sort -u)
  [ "$rc" != 0 ] && [ -z "$cases" ] && cases="ctest(exit-$rc)"
  if [ -z "$cases" ]; then passed=$((passed + 1)); verdict=passed; else failed=$((failed + 1)); verdict=failed; fi
  for c in $cases; do failed_in[$c]+=" $run"; done
  echo "run $run: $verdict $(echo $cases) (load average $(cut -d' ' -f1-3 /proc/loadavg))"
done

echo "load: $(cat "$logs/builds" 2>/dev/null | wc -l) clean native builds finished during the soak; logs in $logs"
for c in "${!failed_in[@]}"; do
  n=$(wc -w <<<"${failed_in[$c]}")
  echo "$c: failed $n of $runs, in runs${failed_in[$c]}"
done | sort
echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
