#!/usr/bin/env bash
# Runs every libFuzzer target of a build folder for FUZZ_TIME seconds,
# each with its seed corpus under fuzz/corpus/<name> when there is one,
# under an allocation limit of 256 MB.
set -euo pipefail
build=${1:?build folder}
time=${FUZZ_TIME:-120}
top=$(cd "$(dirname "$0")/.." && pwd)
found=0
while IFS= read -r f; do
  found=1
  name=$(basename "$f"); name=${name#fuzz_}
  work="$build/corpus-$name"; mkdir -p "$work"
  seeds=()
  [ -d "$top/fuzz/corpus/$name" ] && seeds+=("$top/fuzz/corpus/$name")
  echo "== $name ($time s)"
  # No single allocation above 256 MB: a reader sizes what it allocates by
  # what its input can hold.
  "$f" -max_total_time="$time" -malloc_limit_mb=256 -print_final_stats=1 "$work" "${seeds[@]}"
done < <(find "$build/fuzz" -type f -name 'fuzz_*' -perm -u+x | sort)
if [ "$found" = 0 ]; then
  echo "no fuzz targets found in $build/fuzz" >&2
  exit 1
fi
