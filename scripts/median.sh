# shellcheck shell=bash
# Sourced by the measuring scripts: median WHO KEY prints the median of one figure of one
# program from the lines "WHO key=value ..." in the file named by $results ("nan" if none).
median() {
    awk -v who="$1" -v key="$2" '$1 == who { for (i = 2; i <= NF; ++i) { split($i, kv, "=");
        if (kv[1] == key) print kv[2] } }' "${results:?}" | sort -n |
        awk '{ v[NR] = $1 } END { if (NR == 0) print "nan"; else print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
