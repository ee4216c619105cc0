#!/usr/bin/env bash
# Times velars-tp-calc --csv end to end on a generated file of installations.
# Usage: bench/csv_throughput.sh [path/to/velars-tp-calc] [rows]
# The file comes from bench/csv_rows.sh.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
tool="${1:-$root/build/cli/velars-tp-calc}"
rows="${2:-1000000}"
[ -x "$tool" ] || { echo "no executable at $tool (build the target velars-tp-calc)" >&2; exit 2; }

input="$("$root/bench/csv_rows.sh" "$rows")"
output="${TMPDIR:-/tmp}/velars-tp-calc-bench-$rows.out.csv"
size=$(stat -c %s "$input")
start=$(date +%s.%N)
status=0
"$tool" --csv "$input" --output "$output" || status=$?
finish=$(date +%s.%N)
[ "$status" -eq 0 ] || { echo "velars-tp-calc exited with $status" >&2; exit 1; }
awk -v s="$start" -v f="$finish" -v rows="$rows" -v size="$size" 'BEGIN {
  t = f - s
  printf "%d rows (%.1f MB) in %.3f s: %.2f million rows/s, %.0f MB/s\n",
         rows, size / 1e6, t, rows / t / 1e6, size / t / 1e6
}'
