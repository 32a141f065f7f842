#!/bin/sh
# Compares the CPU time of whole matches of this tree's engine with the engine
# as it was before the speed work (commit BASIS), in one run on this machine:
# builds the old benchmark from that commit, then runs both in turn, RUNDEN
# times each, on the shipped world of this tree, and prints the best and the
# median of each (ms of CPU per matchday of ten matches).
#
#   bench/match/vergleich.sh [BUILD_DIR]      (default build/bench)
set -eu
BASIS=${BASIS:-0282934}
RUNDEN=${RUNDEN:-7}
QUELLE=$(cd "$(dirname "$0")/../.." && pwd)
BAU=${1:-$QUELLE/build/bench}
ALT=$BAU/vergleich-alt

if [ ! -x "$BAU/bench/match/bench_match" ]; then
    echo "vergleich: $BAU/bench/match/bench_match fehlt (cmake -DKORDAVO_BENCH=ON, Ziel bench_match)" >&2
    exit 2
fi
if [ ! -x "$ALT/bau/bench/match/bench_match" ]; then
    rm -rf "$ALT"
    mkdir -p "$ALT/quelle"
    git -C "$QUELLE" archive "$BASIS" | tar -x -C "$ALT/quelle"
    cmake -S "$ALT/quelle" -B "$ALT/bau" -G Ninja -DCMAKE_BUILD_TYPE=Release -DKORDAVO_BENCH=ON -DKORDAVO_TESTS=OFF >/dev/null
    cmake --build "$ALT/bau" -j3 --target bench_match >/dev/null
fi

export KORDAVO_SOURCE_DIR="$QUELLE"
lauf() {
    "$1" --benchmark_filter=Spieltag --benchmark_repetitions=3 --benchmark_report_aggregates_only=true 2>/dev/null |
        awk '/_median/ { print $4 }'
}
a=""
n=""
i=0
while [ $i -lt "$RUNDEN" ]; do
    a="$a $(lauf "$ALT/bau/bench/match/bench_match")"
    n="$n $(lauf "$BAU/bench/match/bench_match")"
    i=$((i + 1))
done
zeige() {
    echo "$2" | tr ' ' '\n' | grep . | sort -n | awk -v name="$1" '
        { v[NR] = $1 } END { printf "%-28s best %6.2f ms  median %6.2f ms per matchday of ten\n", name, v[1], v[int((NR + 1) / 2)] }'
}
zeige "before ($BASIS)" "$a"
zeige "this tree" "$n"
