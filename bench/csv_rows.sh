#!/usr/bin/env bash
# Generates a CSV file of installations for the benchmarks and prints its
# path. Usage: bench/csv_rows.sh [rows]
# The file mixes every model, section and diameter with varied gas data;
# it is generated once per row count into ${TMPDIR:-/tmp}.
set -euo pipefail
rows="${1:-1000000}"
input="${TMPDIR:-/tmp}/velars-tp-calc-bench-$rows.csv"
if [ ! -s "$input" ]; then
  awk -v rows="$rows" 'BEGIN {
    # Device choices the window offers: model, section count, diameters.
    split("50 80 100 150 200 300 400", d0, " ");  n[0] = 7; s[0] = 4
    split("100 150 200", d1, " ");                 n[1] = 3; s[1] = 4
    split("50", d2, " ");                          n[2] = 1; s[2] = 4
    split("27 50 80 100 150 200 300", d3, " ");    n[3] = 7; s[3] = 3
    split("27 50 80 100 150 200 300", d4, " ");    n[4] = 7; s[4] = 2
    split("50 80 100", d5, " ");                   n[5] = 3; s[5] = 3
    print "model,section,dy,density,flow,temperature,gauge_pressure,atm_pressure,ldy"
    srand(20240607)
    for (i = 0; i < rows; i++) {
      m = i % 6
      k = int(rand() * n[m]) + 1
      dy = (m == 0) ? d0[k] : (m == 1) ? d1[k] : (m == 2) ? d2[k] : (m == 3) ? d3[k] : (m == 4) ? d4[k] : d5[k]
      printf "%d,%d,%s,%.3f,%.1f,%.1f,%.3f,%.3f,%s\n", m, int(rand() * s[m]), dy,
             0.6 + rand() * 0.3, 10 + rand() * 2000, -30 + rand() * 70,
             rand() * 1.6, 95 + rand() * 10, (m == 2) ? sprintf("%.1f", 2 + rand() * 6) : ""
    }
  }' > "$input"
fi

echo "$input"
