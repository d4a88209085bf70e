#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs it into a scratch root with dpkg and runs the
# installed program there, under a virtual X server, as an ordinary user made for the test:
# - the user's own dialogo.soy in ~/.local/share/parlanza is used, and "Pasa a File" writes the exact record into
#   that folder, while nothing under the scratch root changes;
# - "parlanza RUTA" starts with RUTA;
# - xdg-mime gives the premise base type to a .soy file, man -w finds the three manual pages;
# - removing the package leaves nothing behind.
# Exit 77 (skipped) without root (to add the user) or without the tools.
set -euo pipefail
build=$1
[ "$(id -u)" -eq 0 ] || { echo "hace falta ser root para crear el usuario de la prueba: se omite"; exit 77; }
for tool in dpkg-deb lintian useradd runuser xvfb-run xdotool openbox xdg-mime mimetype update-mime-database man; do
    command -v $tool >/dev/null || { echo "falta $tool: se omite"; exit 77; }
done
fail() { echo "$*"; exit 1; }

work=$(mktemp -d)
user=parlanza-$$
cleanup() {
    pkill -u "$user" 2>/dev/null || true
    userdel "$user" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
chmod 755 "$work"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null
deb=$(ls "$work"/deb/parlanza_*.deb)

# Every library the program is linked against, and the fonts, Qt's Spanish texts and its window-system plugins.
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6printsupport6 libicu72 fonts-liberation qt6-translations-l10n qt6-qpa-plugins; do
    grep -q "\b$package\b" <<<"$depends" || fail "falta la dependencia $package en: $depends"
done
report=$(lintian --fail-on error,warning "$deb" 2>/dev/null) || fail "lintian: $report"
grep -q '^[EW]:' <<<"$report" && fail "lintian: $report"

root=$work/root
mkdir -p "$root/var/lib/dpkg/info" "$root/var/lib/dpkg/updates" "$root/var/log"
touch "$root/var/lib/dpkg/status"
dpkg --root="$root" --force-depends -i "$deb" >/dev/null 2>&1 || fail "dpkg no ha instalado el paquete"
program=$root/usr/share/games/parlanza
[ -f "$program/dialogo.soy" ] && [ -x "$root/usr/games/parlanza" ] || fail "el paquete no trae el programa"
before=$(find "$root/usr" -printf '%p %s %T@\n' | sort)

home=$work/home
mkdir -p "$home/.local/share/parlanza"
useradd -M -d "$home" -s /bin/sh -U "$user"
# The user's own base: one premise per group, so the speech is known in advance. Another for "parlanza RUTA".
printf 'DD001002001|Base propia\r\nPremisa propia del primer grupo\r\n\r\n\r\n\r\nfin propio del segundo grupo.\r\n' \
    >"$home/.local/share/parlanza/dialogo.soy"
printf 'DD001002001|Otra base\r\nPremisa de la ruta\r\n\r\n\r\n\r\nfin de la ruta.\r\n' >"$home/otra.soy"
chown -R "$user:" "$home"

# The companion's --nueva-base without -f: the shipped bases stay as they are, the user gets a copy with the new one.
printf 'Base de la prueba\nPrimera premisa del grupo\n\nSegunda premisa del grupo\n' >"$home/listas.txt"
chown "$user:" "$home/listas.txt"
runuser -u "$user" -- env -i HOME="$home" XDG_DATA_HOME="$home/datos" PATH=/usr/bin:/bin LANG=C.UTF-8 \
    "$root/usr/games/parlanza-discurso" --nueva-base "$home/listas.txt" >/dev/null ||
    fail "--nueva-base sin -f ha fallado"
copy=$home/datos/parlanza/dialogo.soy
[ "$(head -c "$(stat -c %s "$program/dialogo.soy")" "$copy" | cmp - "$program/dialogo.soy" && echo same)" = same ] ||
    fail "--nueva-base sin -f no ha copiado las bases del programa en $copy"
grep -qa '^DD008' "$copy" || fail "--nueva-base sin -f no ha añadido la base 08 a $copy"

# As the user, in a virtual X server with a window manager: start, "Pasa a File" (Herramientas, its second item),
# close; once without arguments and once with RUTA.
runuser -u "$user" -- env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 xvfb-run -a -s "-screen 0 1024x768x24" \
    bash -c '
    openbox >/dev/null 2>&1 &
    sleep 0.5
    for arguments in "" "$HOME/otra.soy"; do
        "$1" $arguments & pid=$!
        for _ in $(seq 100); do
            window=$(xdotool search --onlyvisible --name PARLANZA 2>/dev/null | head -n 1)
            [ -n "$window" ] && break
            sleep 0.1
        done
        sleep 1
        size=$(stat -c %s "$HOME/.local/share/parlanza/Lhistorial.TXT" 2>/dev/null || echo 0)
        xdotool windowactivate --sync "$window"
        xdotool key alt; sleep 0.3
        xdotool key Right Right Down; sleep 0.3
        xdotool key Down Return
        for _ in $(seq 50); do
            [ "$(stat -c %s "$HOME/.local/share/parlanza/Lhistorial.TXT" 2>/dev/null || echo 0)" -gt "$size" ] && break
            sleep 0.1
        done
        kill "$pid"; wait "$pid" 2>/dev/null || true
    done' _ "$root/usr/games/parlanza" >/dev/null 2>&1 || true

history=$home/.local/share/parlanza/Lhistorial.TXT
[ -f "$history" ] || fail "Pasa a File no ha escrito Lhistorial.TXT en la carpeta de datos del usuario"
[ "$(stat -c %U "$history")" = "$user" ] || fail "Lhistorial.TXT no es del usuario"
# The record for each run, its date masked. The first base's speech is composed on start-up.
record() {
    printf -- '------------------------------------------\r\n'
    printf '    Impresi\xf3n del Discurso, previamente generado.    FECHA\r\n'
    printf '    \r\n'
    printf '      1 %s ...\r\n%s ...\r\n ....\r\n' "$1" "$2"
    printf '    -------   Parlanza \xa9 VelarMundo  \xb7  www.velarmundo.example   -------\r\n\r\n'
}
expected=$({ record "Premisa propia del primer grupo" "fin propio del segundo grupo."
    record "Premisa de la ruta" "fin de la ruta."; } | od -An -c)
actual=$(sed -E 's/(generado\.    )[^\r]*\r$/\1FECHA\r/' "$history" | od -An -c)
[ "$actual" = "$expected" ] || fail "$(printf 'el historial no es el esperado:\n'; cat -A "$history")"
after=$(find "$root/usr" -printf '%p %s %T@\n' | sort)
[ "$before" = "$after" ] || fail "$(printf 'algo ha cambiado en la carpeta del programa:\n'; diff <(echo "$before") <(echo "$after"))"

# The premise base type, by name and by content; the manual pages.
mkdir -p "$work/share/mime/packages"
cp "$root/usr/share/mime/packages/parlanza.xml" "$work/share/mime/packages/"
update-mime-database "$work/share/mime" >/dev/null
cp "$home/otra.soy" "$work/bases.soy"
cp "$home/otra.soy" "$work/sin-nombre"
for file in bases.soy sin-nombre; do
    type=$(XDG_DATA_DIRS=$work/share:/usr/share XDG_CURRENT_DESKTOP= xdg-mime query filetype "$work/$file" 2>/dev/null)
    [ "$type" = application/x-parlanza-bases ] || fail "xdg-mime da «$type» para $file"
done
for page in parlanza parlanza-discurso parlanza-version; do
    found=$(MANPATH=$root/usr/share/man man -w "$page") || fail "man -w no encuentra $page"
    [ "$found" = "$root/usr/share/man/man6/$page.6.gz" ] || fail "man -w da $found para $page"
done

dpkg --root="$root" --purge parlanza >/dev/null 2>&1 || fail "dpkg no ha quitado el paquete"
left=$(find "$root" -mindepth 1 -not -path "$root/var*")
[ -z "$left" ] || fail "$(printf 'quedan archivos tras quitar el paquete:\n%s' "$left")"
echo "paquete comprobado"
