#!/usr/bin/env bash
# The companion's plain-list commands on a copy of the shipped bases: one accepted run keeps the earlier bytes
# and the permissions and gives the lists back; every refusal says why, where, exits with its status and leaves
# every file as it was, adding none (a write that fails part way included).
set -euo pipefail
program=$1
shipped=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# row NAME STATUS MESSAGE LISTS [OPTIONS...]: LISTS is printf text; LISTAS, NOVENTA and DESORDEN in the options
# stand for the lists file and two premise base files.
row() {
    local name=$1 status=$2 message=$3 lists=$4
    shift 4
    local dir="$work/$name"
    mkdir -p "$dir"
    cp "$shipped" "$dir/dialogo.soy"
    chmod 640 "$dir/dialogo.soy"
    printf "$lists" >"$dir/listas.txt"
    printf 'DD099002|Fin\r\nla última\r\n' | iconv -f utf-8 -t cp1252 >"$dir/noventa.soy"
    printf 'DD002002|B\r\ndos premisa\r\nDD001002|A\r\nuna premisa\r\n' >"$dir/desorden.soy"
    local args=() arg
    for arg in -f "$dir/dialogo.soy" "$@"; do
        arg=${arg/LISTAS/$dir/listas.txt}
        arg=${arg/NOVENTA/$dir/noventa.soy}
        args+=("${arg/DESORDEN/$dir/desorden.soy}")
    done
    local before after got=0
    before=$(cd "$dir" && ls -l --time-style=+ && md5sum ./*)
    (ulimit -f "${LIMIT_KB:-unlimited}"; trap '' XFSZ; exec "$program" "${args[@]}") >"$work/out" 2>"$work/err" ||
        got=$?
    after=$(cd "$dir" && ls -l --time-style=+ && md5sum ./*)
    local said
    said=$(cat "$work/out" "$work/err")
    if [ "$got" != "$status" ] || [[ "$said" != *"$message"* ]] || { [ "$status" != 0 ] && [ "$before" != "$after" ]; }; then
        printf 'FALLA %s: estado %s (esperado %s), dice: %s\n' "$name" "$got" "$status" "$said"
        failures=$((failures + 1))
    fi
}

good='# Para Marta\nJubilación\n\nQuerida Marta,\n\ntreinta años después\nhoy por fin\n'
row anadida 0 "Base 08 añadida a «$work/anadida/dialogo.soy»: «Jubilación»; puede componer 2" "$good" --nueva-base LISTAS
file=$work/anadida/dialogo.soy
cmp -s -n "$(stat -c %s "$shipped")" "$shipped" "$file" || { echo "FALLA: cambian los bytes anteriores"; failures=$((failures + 1)); }
[ "$(stat -c %a "$file")" = 640 ] || { echo "FALLA: cambian los permisos"; failures=$((failures + 1)); }
[ "$("$program" --exporta-listas 8 -f "$file")" = "$(printf "$good" | tail -n +2)" ] ||
    { echo "FALLA: la base 08 no devuelve las listas"; failures=$((failures + 1)); }

row corta 1 'listas.txt», línea 4: la premisa «no» tiene menos de 4' 'T\n\nuna premisa\nno\n' --nueva-base LISTAS
row marca 1 'línea 3: la premisa contiene «DD0»' 'T\n\nla DD0 aquí\n' --nueva-base LISTAS
row comentarios 1 'línea 5: entre el grupo 1 y el siguiente' 'T\n\nuna premisa\n\n# luego\n\notra premisa\n' --nueva-base LISTAS
row sin-grupos 1 'línea 2: el título «Título solo» no va seguido' '# nada\nTítulo solo\n' --nueva-base LISTAS
row once-grupos 1 'línea 23: aquí empieza el grupo 11' "T\n$(printf '\\ncada premisa\\n%.0s' {1..11})" --nueva-base LISTAS
row grupo-grande 1 'línea 1001: el grupo 1 pasa de 998 premisas' "T\n\n$(printf 'larga lista\\n%.0s' {1..999})" --nueva-base LISTAS
row codificacion 1 'línea 3: el carácter «Ω» (U+03A9) no cabe en Windows-1252' 'T\n\nuna premisa Ω\n' --nueva-base LISTAS
row pasa-de-99 1 'es la 99: no caben más' "$good" --nueva-base LISTAS -f NOVENTA
row sin-la-base 1 'no tiene la base 09' "$good" --sustituye-base 9 LISTAS
row con-errores 1 'ejecute «parlanza-discurso --check' "$good" --nueva-base LISTAS -f DESORDEN
LIMIT_KB=8 row escritura-cortada 3 'su contenido anterior sigue intacto' "$good" --nueva-base LISTAS

[ "$failures" = 0 ] && echo "órdenes de listas comprobadas"
exit $((failures > 0))
