#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang into build/fuzz and runs
# each for a bounded time under ASan and UBSan, with a fixed seed and a corpus
# that grows in build/fuzz/corpus from one run to the next.
#   bash scripts/fuzz.sh [seconds per target]     (default 25, or $VELQUIN_FUZZ_SECONDS)
# The summary line gives libFuzzer's figures and the line and branch coverage of
# the rules from one corpus pass of an llvm-cov build (build/fuzz/coverage).
# A failing input is kept as build/fuzz/artifacts/<target>-crash-*; replay it
# with VELQUIN_FUZZ_TRACE=1 build/fuzz/<target>_fuzz <that file>.
# Exits non-zero on any failure.
set -uo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
seconds="${1:-${VELQUIN_FUZZ_SECONDS:-25}}"
build=build/fuzz
jobs=$(nproc 2>/dev/null || echo 2)
mkdir -p "$build/logs" "$build/artifacts"

die() {
  echo "fuzz: FAILED: $*"
  exit 1
}

if ! { CC=clang CXX=clang++ cmake -S tests/fuzz -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
       cmake --build "$build" -j"$jobs"; } >"$build/logs/build.log" 2>&1; then
  tail -n 30 "$build/logs/build.log"
  die "build (log: $build/logs/build.log)"
fi

# Starting points that reach deep states at once; libFuzzer mutates from them.
# turn_flow bytes: 2 seed bytes, then actions (see tests/fuzz/turn_flow_fuzz.cpp).
seed_turn_flow() {
  local dir=$1 miss='\016\016\016\016\014' hit='\023\023\023\023\014'
  printf '\000\000\021'"$miss$miss$miss$miss$miss$miss$miss$miss$miss$miss" >"$dir/lost-with-sound"
  printf '\000\000\021'"$miss$miss$miss$miss$miss$miss$miss$miss$miss$hit" >"$dir/won-on-tenth"
  printf '\007\000\022\023\001\002\012\023\023\013\023\023\023\023\014\014\001\017\041\000\023\016\014' >"$dir/won-then-new-game"
  printf '\001\000\000\001\002\003\014\004\005\012\003\011\002\011\007\020\005\004\017\003\000\000' >"$dir/mixed"
}

# tile_slots bytes: actions of drags and steps (see tests/fuzz/tile_slots_fuzz.cpp);
# a step is flags, x + 40, y - 200.
seed_tile_slots() {
  local dir=$1
  # Sound on; tile 0 snaps into slot 0, tile 1 is refused there, tile 2 is pushed.
  printf '\007\001\000\000\000\000\066\150\000\001\000\000\064\144\000\002\001\000\106\120\001\106\202' >"$dir/snap-refuse-push"
  # Tile 3 snaps into slot 2, then straight into slot 0 without a sound; after
  # the tiles go home, the next snap sounds again.
  printf '\007\001\000\003\000\000\230\146\000\003\000\000\064\146\006\000\004\000\000\066\150' >"$dir/slot-to-slot-home"
}

# Line and branch coverage of the rules a target drives, from one pass over its
# corpus with a build instrumented for llvm-cov.
declare -A rules=(
  [turn_flow]="src/game/game_state.cpp src/game/secret.cpp"
  [tile_slots]="src/workwin/tile_slots.cpp"
)
coverage=$build/coverage
covered=no
source_coverage() {
  local target=$1
  if [ $covered = no ]; then
    covered=failed
    { CC=clang CXX=clang++ cmake -S tests/fuzz -B "$coverage" -DVELQUIN_FUZZ_COVERAGE=ON &&
      cmake --build "$coverage" -j"$jobs"; } >"$build/logs/coverage-build.log" 2>&1 && covered=yes
  fi
  [ $covered = yes ] || { echo "coverage not built"; return; }
  rm -f "$coverage/$target.profraw"
  LLVM_PROFILE_FILE="$coverage/$target.profraw" "$coverage/${target}_fuzz" -runs=0 \
    "$build/corpus/$target" "$build/seeds/$target" >/dev/null 2>&1 &&
    llvm-profdata merge -sparse "$coverage/$target.profraw" -o "$coverage/$target.profdata" &&
    llvm-cov report "$coverage/${target}_fuzz" -instr-profile="$coverage/$target.profdata" \
      ${rules[$target]} 2>/dev/null | awk '/^TOTAL/ { print "lines " $10 " branches " $13 }'
}

summary=()
status=0
for target in turn_flow tile_slots; do
  exe="$build/${target}_fuzz"
  [ -x "$exe" ] || continue
  corpus="$build/corpus/$target"
  seeds="$build/seeds/$target"
  mkdir -p "$corpus" "$seeds"
  "seed_$target" "$seeds"
  log="$build/logs/$target.log"
  start=$(date +%s)
  "$exe" -seed=1 -max_len=512 -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" "$corpus" "$seeds" >"$log" 2>&1
  rc=$?
  took=$(( $(date +%s) - start ))
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$done_line")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$done_line")
  corp=$(sed -n 's/.* corp: \([0-9]*\).*/\1/p' <<<"$done_line")
  if [ $rc -eq 0 ] && [ -n "$done_line" ]; then
    lines=$(source_coverage "$target")
  fi
  if [ $rc -ne 0 ] || [ -z "$done_line" ]; then
    status=1
    echo "---- $target (log: $log)"
    grep -E -A8 '^(turn flow|tile slots):|ERROR|runtime error' "$log" | head -n 30
    crash=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -n 1)
    [ -n "$crash" ] && echo "reproduce: VELQUIN_FUZZ_TRACE=1 $exe $crash"
    summary+=("$target FAILED after ${runs:-?} runs, ${took}s")
  else
    summary+=("$target ${runs} runs in ${took}s, cov ${cov} ft ${ft} corpus ${corp}, rules ${lines}")
  fi
done

[ ${#summary[@]} -gt 0 ] || die "no fuzz target was built"
IFS=';' joined="${summary[*]}"
if [ $status -ne 0 ]; then
  die "${joined//;/; }"
fi
echo "fuzz: ok: ${joined//;/; }"
