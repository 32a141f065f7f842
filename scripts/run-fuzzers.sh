#!/usr/bin/env bash
# Runs every libFuzzer target of a build folder for FUZZ_TIME seconds,
# each with its seed corpus under fuzz/corpus/<name> when there is one.
set -euo pipefail
build=${1:?build folder}
time=${FUZZ_TIME:-120}
top=$(cd "$(dirname "$0")/.." && pwd)
for f in "$build"/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f"); name=${name#fuzz_}
  work="$build/corpus-$name"; mkdir -p "$work"
  seeds=()
  [ -d "$top/fuzz/corpus/$name" ] && seeds+=("$top/fuzz/corpus/$name")
  echo "== $name ($time s)"
  "$f" -max_total_time="$time" -print_final_stats=1 "$work" "${seeds[@]}"
done
