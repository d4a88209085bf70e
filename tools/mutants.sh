#!/usr/bin/env bash
# Comprueba que las pruebas atrapan fallos pequeños hechos a propósito.
#
#   tools/mutants.sh [-f LISTA] [-t SEGUNDOS] [-c REVISIÓN] [--comprobar] [IDENTIFICADOR...]
#
# Copia el código (tal como está en la copia de trabajo, o en la REVISIÓN de git dada con -c) a una carpeta
# temporal, la configura y la compila una vez, y luego, uno a uno, mete cada fallo de la lista
# (tools/mutants.txt si no se da otra), recompila lo que cambia, pasa las pruebas unit y gui y devuelve el
# archivo a su estado. Primero pasa las pruebas de
# la carpeta de tests/ que corresponde al archivo tocado; solo si ninguna falla compila todo y pasa las
# demás. Una prueba que tarda más de SEGUNDOS (120 por omisión) cuenta como fallida, así un bucle sin fin
# también queda atrapado. Al final dice qué fallos no atrapó ninguna prueba, cuáles no se pudieron aplicar
# y cuáles no compilan. Sale con 0 solo si todos quedaron atrapados.
#   --comprobar   solo mira que cada texto original aparece exactamente una vez; no compila nada.
# Se ejecuta a mano (tarda); conviene lanzarlo con nice -n 10 en una máquina compartida.
set -uo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
list=$top/tools/mutants.txt
timeout=120
check_only=0
revision=""
wanted=()
while [ $# -gt 0 ]; do
    case "$1" in
    -f) list=$(realpath "$2"); shift 2 ;;
    -t) timeout=$2; shift 2 ;;
    -c) revision=$2; shift 2 ;;
    --comprobar) check_only=1; shift ;;
    -h|--help) sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "Opción desconocida: $1" >&2; exit 2 ;;
    *) wanted+=("$1"); shift ;;
    esac
done
[ -f "$list" ] || { echo "No se encuentra la lista de fallos «$list»." >&2; exit 2; }

# The helper that reads the list and applies one entry: "ids" prints id<TAB>file<TAB>description per entry,
# "apply ID SRC" writes the fault into SRC's copy and exits 3 when the original is not there exactly once.
mutant_tool() {
    python3 - "$list" "$@" <<'PY'
import sys

def entries(path):
    found, current, side = [], None, None
    for number, raw in enumerate(open(path, encoding="utf-8"), 1):
        line = raw.rstrip("\n")
        if line.startswith("#") or not line.strip():
            side = None
            continue
        if line.startswith("@ "):
            head, _, description = line[2:].partition(" | ")
            ident, _, file = head.strip().partition(" ")
            current = {"id": ident, "file": file.strip(), "text": description.strip(), "line": number,
                       "-": [], "+": []}
            found.append(current)
        elif current and line[:1] in "-+" and line[1:2] in ("", " "):
            current[line[0]].append(line[2:])
        else:
            sys.exit(f"{path}:{number}: línea que no se entiende: {line!r}")
    return found

args = sys.argv[1:]
path, command = args[0], args[1]
all_entries = entries(path)
if command == "ids":
    for e in all_entries:
        if not e["-"] or not e["file"]:
            sys.exit(f"{path}:{e['line']}: la entrada {e['id']} no tiene archivo o texto original")
        print(f"{e['id']}\t{e['file']}\t{e['text']}")
elif command == "apply":
    ident, src = args[2], args[3]
    e = next(x for x in all_entries if x["id"] == ident)
    target = f"{src}/{e['file']}"
    try:
        text = open(target, encoding="utf-8").read()
    except OSError as error:
        print(f"no se puede leer {e['file']}: {error.strerror}")
        sys.exit(3)
    original, replacement = "\n".join(e["-"]), "\n".join(e["+"])
    times = text.count(original)
    if times != 1:
        print(f"el texto original aparece {times} veces en {e['file']} (debe aparecer una)")
        sys.exit(3)
    if len(sys.argv) > 5 and sys.argv[5] == "write":
        open(target, "w", encoding="utf-8").write(text.replace(original, replacement))
PY
}

mapfile -t rows < <(mutant_tool ids) || exit 2
[ ${#rows[@]} -gt 0 ] || { echo "La lista «$list» no tiene ningún fallo." >&2; exit 2; }
if [ ${#wanted[@]} -gt 0 ]; then
    chosen=()
    for row in "${rows[@]}"; do
        for id in "${wanted[@]}"; do [ "${row%%$'\t'*}" = "$id" ] && chosen+=("$row"); done
    done
    rows=("${chosen[@]}")
fi

unapplied=()
if [ $check_only -eq 1 ]; then
    for row in "${rows[@]}"; do
        IFS=$'\t' read -r id file _ <<<"$row"
        message=$(mutant_tool apply "$id" "$top/src") || unapplied+=("$id ($file): $message")
    done
    for line in "${unapplied[@]}"; do echo "NO SE APLICA: $line"; done
    echo "${#rows[@]} fallos en la lista, ${#unapplied[@]} no se pueden aplicar."
    [ ${#unapplied[@]} -eq 0 ]
    exit
fi

scratch=$(mktemp -d "${TMPDIR:-/tmp}/parlanza-mutantes.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
src=$scratch/src
# The build sits where the worktree's own does, so that ccache finds what the worktree compiled.
build=$scratch/src/build/dev
log=$scratch/registro
mkdir -p "$src"
if [ -n "$revision" ]; then
    git -C "$top" archive "$revision" | tar -xf - -C "$src" || exit 2
else
    # The working copy as it stands, without builds or git's own files.
    (cd "$top" && git ls-files -z --cached --others --exclude-standard | xargs -0 -r tar -cf - 2>/dev/null) |
        tar -xf - -C "$src"
fi
export CMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER-ccache} CCACHE_BASEDIR=$scratch CCACHE_NOHASHDIR=1
export QT_QPA_PLATFORM=offscreen
started=$(date +%s)
echo "Compilando la copia en $scratch ..."
if ! cmake -S "$src" -B "$build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >"$log" 2>&1 || ! cmake --build "$build" -j2 >>"$log" 2>&1; then
    tail -n 30 "$log"
    echo "La copia sin fallos no compila; no se puede seguir." >&2
    exit 2
fi
if ! ctest --test-dir "$build" -L 'unit|gui' -j2 --timeout "$timeout" >"$log" 2>&1; then
    grep -E 'Failed|Timeout|\*\*\*' "$log" | head -n 20
    echo "Las pruebas ya fallan sin ningún fallo metido; no se puede seguir." >&2
    exit 2
fi

caught=() survived=() broken=()
n=0
for row in "${rows[@]}"; do
    IFS=$'\t' read -r id file description <<<"$row"
    n=$((n + 1))
    printf '[%d/%d] %-22s %s ... ' "$n" "${#rows[@]}" "$id" "$file"
    cp -p "$src/src/$file" "$scratch/original"
    if ! message=$(mutant_tool apply "$id" "$src/src" write); then
        echo "no se aplica"
        unapplied+=("$id ($file): $message")
        continue
    fi
    folder=${file%%/*}
    # The tests of the same subsystem first: they usually catch the fault, and need little building.
    # Only tests that are programs of their own: another test may run one of them with other settings.
    mapfile -t near < <(ctest --test-dir "$build/tests/$folder" -N -L 'unit|gui' 2>/dev/null |
        sed -n 's/^ *Test *#[0-9]*: \([^ ]*\)$/\1/p' |
        while read -r name; do [ -x "$build/tests/$folder/$name" ] && echo "$name"; done)
    verdict=""
    if [ ${#near[@]} -gt 0 ]; then
        if ! cmake --build "$build" -j2 --target "${near[@]}" >"$log" 2>&1; then
            verdict="no compila"
        elif ! ctest --test-dir "$build" -L 'unit|gui' -R "^($(IFS='|'; echo "${near[*]}"))\$" -j2 \
            --timeout "$timeout" --stop-on-failure >"$log" 2>&1; then
            verdict="atrapado"
        fi
    fi
    if [ -z "$verdict" ]; then
        if ! cmake --build "$build" -j2 >"$log" 2>&1; then
            verdict="no compila"
        elif ! ctest --test-dir "$build" -L 'unit|gui' -j2 --timeout "$timeout" --stop-on-failure \
            >"$log" 2>&1; then
            verdict="atrapado"
        else
            verdict="SOBREVIVE"
        fi
    fi
    case "$verdict" in
    atrapado) caught+=("$id"); echo "atrapado por $(sed -n 's/^.*Test *#[0-9]*: \([^ ]*\) .*\(Failed\|Timeout\|Exception\|SEGFAULT\|Child aborted\|Subprocess aborted\).*$/\1/p' "$log" | head -n 1)" ;;
    "no compila") broken+=("$id ($file): $description"); echo "no compila" ;;
    *) survived+=("$id ($file): $description"); echo "SOBREVIVE" ;;
    esac
    cp -p "$scratch/original" "$src/src/$file"
    touch "$src/src/$file"
done

minutes=$((($(date +%s) - started) / 60))
echo
echo "== Resultado: ${#caught[@]} atrapados, ${#survived[@]} sobreviven, ${#unapplied[@]} no se aplican," \
    "${#broken[@]} no compilan (de ${#rows[@]}; $minutes min)"
for line in "${survived[@]}"; do echo "SOBREVIVE: $line"; done
for line in "${unapplied[@]}"; do echo "NO SE APLICA: $line"; done
for line in "${broken[@]}"; do echo "NO COMPILA: $line"; done
[ ${#survived[@]} -eq 0 ] && [ ${#unapplied[@]} -eq 0 ] && [ ${#broken[@]} -eq 0 ]
