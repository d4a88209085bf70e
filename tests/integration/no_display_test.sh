#!/usr/bin/env bash
# Without a display, and with a display that cannot be reached, the program says so in Spanish on standard error
# and ends with status 1 (never Qt's abort); --help and --version answer on standard output all the same.
set -uo pipefail
program=$1
fail() { echo "$*"; exit 1; }

# A display number with no X server behind it.
number=$((1000 + $$ % 5000))
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done

for display in "" ":$number"; do
    err=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$program" 2>&1 >/dev/null)
    status=$?
    [ $status -eq 1 ] || fail "DISPLAY=«$display»: estado $status en lugar de 1: $err"
    grep -q "no se encuentra ninguna pantalla" <<<"$err" || fail "DISPLAY=«$display»: falta el aviso: $err"
    grep -q "parlanza-discurso" <<<"$err" || fail "DISPLAY=«$display»: el aviso no nombra parlanza-discurso: $err"
    ! grep -qi "could not\|abort\|reinstall" <<<"$err" || fail "DISPLAY=«$display»: queda texto de Qt: $err"
done

help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help) || fail "--help sin pantalla falla"
grep -q "^Uso: .*parlanza \[opciones\] \[RUTA\]" <<<"$help" || fail "--help: $help"
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version) || fail "--version sin pantalla falla"
[[ "$version" =~ ^parlanza\ [0-9.]+$ ]] || fail "--version: $version"
err=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" uno.soy dos.soy 2>&1 >/dev/null)
[ $? -eq 1 ] && grep -q "Sobran argumentos" <<<"$err" || fail "dos rutas: $err"
# An option that neither the program nor Qt knows is refused once Qt has taken its own.
err=$(QT_QPA_PLATFORM=offscreen "$program" -platform offscreen --nada 2>&1 >/dev/null)
[ $? -eq 1 ] && grep -q "Opción desconocida: «nada»" <<<"$err" || fail "--nada: $err"
echo "sin pantalla comprobado"
