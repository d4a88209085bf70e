#!/usr/bin/env bash
# Processor time of the companion against Polygen for the same work: 32767 speeches (the most one run of the
# companion composes) from the first base of the shipped dialogo.soy, four groups. The Polygen grammar is written
# here from that base's drawable premises, one alternative per premise, so both draw from the same material.
# Prints one line of figures per program and the ratio; each time is the best of seven runs (user + system).
#   bench/companion_vs_polygen.sh [PARLANZA-DISCURSO] [BASES]
set -euo pipefail
cd "$(dirname "$0")/.."
companion=${1:-build/release/bin/parlanza-discurso}
bases=${2:-data/dialogo.soy}
speeches=32767
polygen=$(command -v polygen || echo /usr/games/polygen)
[ -x "$polygen" ] || { echo "falta Polygen (paquete polygen)" >&2; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The grammar: S draws one premise of every group, each followed by " ..." and a line end, as the companion
# writes a speech; -X repeats it, with an empty line after each speech as the companion's blank line.
"$companion" --exporta-listas 1 -f "$bases" >"$work/listas.txt"
awk '
    function quoted(text) { gsub(/\\/, "\\\\", text); gsub(/"/, "\\\"", text); return "\"" text "\"" }
    /^#/ { next }
    !title { if ($0 != "") title = 1; next }
    /^$/ { if (open) { groups++; open = 0 }; next }
    { if (!open) { open = 1; n = groups + 1; rule[n] = "G" n " ::= " } else rule[n] = rule[n] " | ";
      rule[n] = rule[n] quoted($0) }
    END {
        if (open) groups++
        printf "S ::="
        for (k = 1; k <= groups; k++) printf " %sG%d \"...\\n\"", (k > 1 ? "^ " : ""), k
        print " ;"
        for (k = 1; k <= groups; k++) print rule[k] " ;"
    }' "$work/listas.txt" >"$work/discurso.grm"

# Best user + system time of seven runs, in seconds (the machine's other work only ever adds to a run).
cpu() {
    local best= t
    for _ in 1 2 3 4 5 6 7; do
        t=$( { TIMEFORMAT='%3U %3S'; time "$@" >/dev/null 2>&1; } 2>&1 | awk '{ print $1 + $2 }')
        if [ -z "$best" ] || awk -v a="$t" -v b="$best" 'BEGIN { exit !(a < b) }'; then best=$t; fi
    done
    echo "$best"
}

ours=$(cpu "$companion" -f "$bases" -n $speeches -s 1)
one=$(cpu "$companion" -f "$bases" -n 1 -s 1)
theirs=$(cpu "$polygen" -X $speeches -seed 1 "$work/discurso.grm")
lines_ours=$("$companion" -f "$bases" -n $speeches -s 1 | wc -l)
lines_theirs=$("$polygen" -X $speeches -seed 1 "$work/discurso.grm" 2>/dev/null | wc -l)
awk -v ours="$ours" -v one="$one" -v theirs="$theirs" -v n=$speeches -v lo="$lines_ours" -v lt="$lines_theirs" 'BEGIN {
    printf "parlanza-discurso: %d discursos en %.3f s de procesador (%d líneas); un solo discurso: %.3f s\n", n, ours, lo, one
    printf "Polygen:           %d discursos en %.3f s de procesador (%d líneas)\n", n, theirs, lt
    printf "proporción: %.1f veces más rápido (objetivo: 15)\n", theirs / (ours > 0 ? ours : 0.001)
}'
