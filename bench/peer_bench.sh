#!/usr/bin/env bash
# Whole runs side by side, in one hyperfine run: a do-nothing static C program
# (the cost of starting any process), tarvelkin on its smallest and largest
# scripts, and the general-purpose peer, flatc -b (Debian's
# flatbuffers-compiler), turning the same interface, as JSON with a schema,
# into a binary. The JSON is the largest config's ccdump --json form, which
# bench/peer_config.fbs describes; a run that ends in an error message; and a
# static C program that does only a run's file operations (bench/file_ops.c),
# once as before the saves were flushed and once with the flushes and the
# folder read a save now does. Then instructions (callgrind) and peak memory.
# With BASELINE naming another build's program (an earlier version, say), its
# runs on the same scripts stand beside the others.
#
#   [BASELINE=OLD/tarvelkin] bench/peer_bench.sh BUILD_DIR [RUNS]   (BUILD_DIR configured with -DTARVELKIN_BENCH=ON)
#
# The runs write into a folder on the disk of the current folder (not /tmp,
# which may be a file system that ignores flushes).
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
runs=${2:-500}
here=$(cd "$(dirname "$0")" && pwd)
for tool in hyperfine flatc valgrind cc; do
  command -v "$tool" >/dev/null || { echo "needs $tool (apt-get install hyperfine flatbuffers-compiler valgrind gcc)"; exit 1; }
done
work=$(mktemp -d -p "$PWD" .peer-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config"
cp "$build/tarvelkin" "$work/"
baseline=()
if [ -n "${BASELINE:-}" ]; then
  cp "$BASELINE" "$work/tarvelkin-baseline"
  baseline=(-n "baseline program, smallest script" "./tarvelkin-baseline smallest.sc"
            -n "baseline program, largest script" "./tarvelkin-baseline largest.sc")
fi
"$build/bench/make_scripts" "$work/config"
# A script with an error in its first section: the run that prints an error message.
sed 's/^name=/nmae=/' "$work/config/smallest.sc" >"$work/config/error.sc"
printf 'int main(void) { return 0; }\n' >"$work/noop.c"
cc -O2 -static -o "$work/noop" "$work/noop.c"
cc -O2 -static -o "$work/file_ops" "$here/file_ops.c"
cd "$work"
./tarvelkin largest.sc >/dev/null
./tarvelkin smallest.sc >/dev/null
small_config=$(stat -c %s config/smallest.cc)
large_config=$(stat -c %s config/largest.cc)
"$build/ccdump" --json config/largest.cc >largest.json
cp "$here/peer_config.fbs" config.fbs
flatc --no-warnings -b -o "$work" config.fbs largest.json

hyperfine -N -i --warmup 50 --runs "$runs" --export-markdown times.md --export-json times.json \
  -n "do-nothing static C program" ./noop \
  -n "only the file operations, smallest script" "./file_ops config/smallest.sc config/smallest.cc $small_config" \
  -n "only the file operations, largest script" "./file_ops config/largest.sc config/largest.cc $large_config" \
  -n "the file operations and flushes, smallest script" "./file_ops config/smallest.sc config/smallest.cc $small_config flush" \
  -n "the file operations and flushes, largest script" "./file_ops config/largest.sc config/largest.cc $large_config flush" \
  "${baseline[@]}" \
  -n "tarvelkin, smallest script" "./tarvelkin smallest.sc" \
  -n "tarvelkin, largest script" "./tarvelkin largest.sc" \
  -n "tarvelkin, a script with an error" "./tarvelkin error.sc" \
  -n "flatc -b, the largest config as JSON" "flatc --no-warnings -b -o $work config.fbs largest.json" \
  >/dev/null
cat times.md
# Medians too: a shared machine's rare long pauses pull the means up.
echo
sed -n 's/^ *"command": "\(.*\)",$/\1/p' times.json >commands.txt
sed -n 's/^ *"median": \([0-9.e+-]*\),$/\1/p' times.json >medians.txt
paste -d'|' commands.txt medians.txt |
  awk -F'|' 'NR == 1 { base = $2 } { printf "%-50s median %6.2f ms  %5.2f x\n", $1, $2 * 1000, $2 / base }'
echo
for s in smallest largest error; do
  # (The error script's run exits 1, which is no failure here.)
  n=$( (valgrind --tool=callgrind --callgrind-out-file=/dev/null ./tarvelkin "$s.sc" 2>&1 >/dev/null || true) |
      sed -n 's/.*Collected : //p')
  echo "instructions, $s script: $n"
done
printf '\n%-16s %10s %12s %14s\n' script bytes "peak memory" "4 x S + 8 MB"
for s in largest tooltip_16m items_16m exten_16m; do
  bytes=$(stat -c %s "config/$s.sc")
  peak=$(/usr/bin/time -f %M ./tarvelkin "$s.sc" 2>&1 >/dev/null | tail -1)
  printf '%-16s %10d %9d KB %11d KB\n' "$s" "$bytes" "$peak" $(( (4 * bytes + 8 * 1048576) / 1024 ))
done
