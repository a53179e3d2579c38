#!/usr/bin/env bash
# Start-up of the program next to a minimal Qt window, in the same run on
# the same private Xvfb display: time from exec to the window being mapped,
# and peak resident memory once it has painted. Medians of RUNS runs each,
# alternating, after one warm-up run of each. A third yardstick, the minimal
# window with two Japanese labels in the IPA faces, shows what drawing any
# such text costs.
set -euo pipefail
program=$1
minimal=$2
timer=$3
runs=${RUNS:-21}
source "$(dirname "$0")/../scripts/xvfb-session.sh"

# Prints "milliseconds peak-kB" for one start of $1 showing a window titled $2.
measure() { "$timer" "$2" "$1" "${@:3}" 2>>"${TMPDIR:-/tmp}/startup-stderr"; }

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

start_xvfb
measure "$program" Form1 >/dev/null
measure "$minimal" Minimal >/dev/null
results=$(mktemp -d)
for _ in $(seq "$runs"); do
  measure "$program" Form1 >>"$results/program"
  measure "$minimal" Minimal >>"$results/minimal"
  measure "$minimal" Minimal --text >>"$results/text"
done

report() {
  local file=$1 name=$2
  local ms kb
  ms=$(cut -d' ' -f1 "$file" | median | cut -d. -f1)
  kb=$(cut -d' ' -f2 "$file" | median)
  printf '%-16s %5d ms to mapped   %7d kB peak RSS\n' "$name" "$ms" "$kb"
  eval "${name//[^a-z]/_}_ms=$ms ${name//[^a-z]/_}_kb=$kb"
}
echo "medians of $runs starts each:"
report "$results/program" pelmaro
report "$results/minimal" minimal
report "$results/text" minimal_text
awk -v a="$pelmaro_ms" -v b="$minimal_ms" -v c="$pelmaro_kb" -v d="$minimal_kb" \
  'BEGIN { printf "pelmaro / minimal: %.2fx the time, %.2fx the memory\n", a / b, c / d }'
awk -v a="$pelmaro_ms" -v b="$minimal_text_ms" -v c="$pelmaro_kb" -v d="$minimal_text_kb" \
  'BEGIN { printf "pelmaro / minimal with text: %.2fx the time, %.2fx the memory\n", a / b, c / d }'
rm -rf "$results"
