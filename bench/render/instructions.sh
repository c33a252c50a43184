#!/usr/bin/env bash
# Instructions per pixel of each measured operation at 256 x 256, counted by callgrind (steady on
# shared machines, unlike time). Usage: instructions.sh [build dir]   (default build/bench)
set -euo pipefail
build=${1:-build/bench}
program="$build/bench/render/render_instructions"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
pixels=$((256 * 256))
printf '%-20s %12s\n' operation instr/pixel
for op in memcpy fill pixman-fill blend pixman-over-random pixman-over-ui composite-random \
          composite-ui mitchell-up pixman-convolution-up; do
    valgrind --tool=callgrind --callgrind-out-file="$out/$op" --toggle-collect='*Measured*' \
        "$program" "$op" >/dev/null 2>&1
    total=$(callgrind_annotate "$out/$op" 2>/dev/null | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}')
    # Measured runs twice; the enlargements write four times as many pixels as the input has.
    per=$(awk -v t="$total" -v p="$pixels" -v op="$op" \
        'BEGIN { n = (op ~ /-up$/) ? 4 * p : p; printf "%.2f", t / 2 / n }')
    printf '%-20s %12s\n' "$op" "$per"
done
