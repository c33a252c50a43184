#!/usr/bin/env bash
# Instructions of one whole load of the internal skin and of its floor, counted by callgrind
# (steady on shared machines, unlike time). Usage: instructions.sh [build dir]  (default build/bench)
set -euo pipefail
build=${1:-build/bench}
program="$build/bench/skin_data/skin_load_instructions"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
declare -A count
for op in load floor chain10000 chain20000; do
    valgrind --tool=callgrind --callgrind-out-file="$out/$op" --toggle-collect='*Measured*' \
        "$program" "$op" >/dev/null 2>&1
    count[$op]=$(callgrind_annotate "$out/$op" 2>/dev/null |
        awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}')
    printf '%-6s %14s instructions\n' "$op" "${count[$op]}"
done
awk -v l="${count[load]}" -v f="${count[floor]}" 'BEGIN { printf "ratio  %14.2f\n", l / f }'
# Linear loading: twice the sections, about twice the instructions.
awk -v a="${count[chain10000]}" -v b="${count[chain20000]}" \
    'BEGIN { printf "chain 20000 / 10000  %6.2f\n", b / a }'
