#!/usr/bin/env bash
# Instructions of one full board check (a Timer1 tick: the pair scan, Label1 and the timer)
# against the straightforward reference scan on the same boards, counted by callgrind.
# The benchmark stops before measuring if the two disagree on any board.
# Usage: scripts/measure-board-check.sh   (TILVARA_BUILD picks the build folder)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${TILVARA_BUILD:-build/default}
bench=$build/bench/board_check_bench
command -v valgrind >/dev/null || { echo "missing valgrind (apt-get install valgrind)"; exit 1; }
cmake --build "$build" --target board_check_bench >/dev/null

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

# Instructions per board of one function, over one call per board.
count() {
    local function=$1 reference=$2 cleared=$3 file=$out/$1.$3.out
    valgrind --tool=callgrind --callgrind-out-file="$file" --toggle-collect="$function" \
        "$bench" --benchmark_filter="BM_OnceEach/reference:$reference/cleared:$cleared/" \
        >"$out/log" 2>&1 || { cat "$out/log"; exit 1; }
    local boards total
    boards=$(grep -o 'boards=[0-9]*' "$out/log" | head -n 1 | cut -d= -f2)
    total=$(sed -n 's/^totals: *//p' "$file" | awk '{print $1}')
    echo $((total / boards))
}

for cleared in 0 1; do
    what=$([ "$cleared" = 0 ] && echo "dealt boards" || echo "part-cleared boards")
    new=$(count '*NewBoardCheck*' 0 "$cleared")
    ref=$(count '*ReferenceBoardCheck*' 1 "$cleared")
    echo "$what: board check $new instructions, reference scan $ref," \
        "ratio $(awk -v a="$new" -v b="$ref" 'BEGIN { printf "%.3f", a / b }')x"
done
