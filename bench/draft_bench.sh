#!/usr/bin/env bash
# Drafts a script from the help text of each installed program of
# bench/draft_tools.txt and compiles it with tarvelkin: whether the draft
# compiles without an edit (exit status 0, nothing on standard error), and
# what it holds. Prints a Markdown table, then the share of the drafts that
# compile cleanly.
#
#   bench/draft_bench.sh [BUILD_DIR]      (default: build)
#
# Options are counted in the script's comments: one "; NAMES: description"
# above the keys of each option offered, one "; not offered: NAMES: why" for
# each option that no key can insert. Time is the whole run of
# tarvelkin-draft, the program's own run for its help included: the median of
# 5 runs, wall clock and CPU (user and system, the program's included).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
draft=$PWD/$build/tarvelkin-draft
compiler=$PWD/$build/tarvelkin
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
TIMEFORMAT='%3R %3U %3S'

echo "| program | help arguments | options read | not offered | keys | lists | lines | over the limits | compiles without edits | time (CPU) |"
echo "|---|---|---|---|---|---|---|---|---|---|"
drafted=0
clean=0
while read -r program args; do
  case "$program" in '' | '#'*) continue ;; esac
  command -v "$program" >/dev/null || continue
  script=$work/$program.sc
  : >"$work/times.txt"
  for _ in 1 2 3 4 5; do
    # shellcheck disable=SC2086  # the help arguments are words
    { time "$draft" -o "$script" --force "$program" $args 2>"$work/notes.txt" || true; } 2>>"$work/times.txt"
  done
  wall=$(awk '{ print $1 * 1000 }' "$work/times.txt" | median)
  cpu=$(awk '{ print ($2 + $3) * 1000 }' "$work/times.txt" | median)
  ms="$wall ms ($cpu ms)"
  drafted=$((drafted + 1))
  if [ ! -s "$script" ]; then
    echo "| $program | $args | - | - | - | - | - | - | no: $(head -1 "$work/notes.txt") | $ms |"
    continue
  fi
  offered=$(grep -cE '^; [-+][^ ]' "$script" || true)
  refused=$(grep -cE '^; not offered: ' "$script" || true)
  keys=$(grep -c '^key ' "$script" || true)
  lists=$(grep -c '^list ' "$script" || true)
  lines=$(($(wc -l <"$script") + 1))
  left=$(grep -c 'over what one script may hold' "$work/notes.txt" || true)
  if (cd "$work" && "$compiler" "$script" "$work/$program.cc" >/dev/null 2>"$work/compile.txt") && [ ! -s "$work/compile.txt" ]; then
    result=yes
    clean=$((clean + 1))
  else
    result="no: $(head -1 "$work/compile.txt")"
  fi
  [ "$left" = 0 ] && left=none || left="$left lines"
  echo "| $program | $args | $((offered + refused)) | $refused | $keys | $lists | $lines | $left | $result | $ms |"
done <bench/draft_tools.txt
echo
echo "$clean of $drafted drafts compile without edits"
