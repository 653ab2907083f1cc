#!/usr/bin/env bash
# Whole runs of the program: mean wall time over repeated runs and peak memory
# for the smallest and largest scripts and single lines of 1 to 16 MB.
# Usage: bench/process_bench.sh BUILD_DIR [RUNS]   (BUILD_DIR configured with -DTARVELKIN_BENCH=ON)
set -euo pipefail
build=${1:?build folder}
runs=${2:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config"
cp "$build/tarvelkin" "$work/"
"$build/bench/make_scripts" "$work/config"
cd "$work"
printf '%-16s %10s %12s %14s %14s\n' script bytes "mean run" "peak memory" "4 x S + 8 MB"
for s in smallest largest tooltip_1m tooltip_4m tooltip_16m items_16m exten_16m; do
  bytes=$(stat -c %s "config/$s.sc")
  n=$runs
  [ "$bytes" -gt 1000000 ] && n=$(( runs / 10 > 5 ? runs / 10 : 5 ))
  start=$(date +%s%N)
  for ((i = 0; i < n; i++)); do ./tarvelkin "$s.sc" >/dev/null; done
  end=$(date +%s%N)
  peak=$(/usr/bin/time -f %M ./tarvelkin "$s.sc" 2>&1 >/dev/null | tail -1)
  printf '%-16s %10d %9.3f ms %11d KB %11d KB\n' "$s" "$bytes" \
    "$(echo "($end - $start) / $n / 1000000" | bc -l)" "$peak" $(( (4 * bytes + 8 * 1048576) / 1024 ))
done
