#!/usr/bin/env bash
# Installs into a temporary prefix and runs the installed program as a user would, under a virtual X server:
# it must find its data (the companion checks the base; the title carries the version) and "Pasa a File" must write
# beside it. Exit 77 (skipped) without Xvfb or xdotool.
set -euo pipefail
build=$1
command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || { echo "sin Xvfb o xdotool: se omite"; exit 77; }

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
program=$prefix/lib/parlanza

"$prefix/bin/parlanza-discurso" --check | grep -q "7 bases, 0 errores, 0 avisos"
"$prefix/bin/parlanza-version" "$prefix/bin/parlanza" | grep -q "^ProductVersion: 0.00.0021$"

# The real X server this time, not the offscreen platform the other tests use.
title=$(env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1/bin/parlanza" & pid=$!
    for _ in $(seq 100); do
        window=$(xdotool search --onlyvisible --name "PARLANZA" 2>/dev/null | head -n 1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    sleep 0.5
    xdotool getwindowname "$window"
    # Herramientas, then its second item, "Pasa a File", from the keyboard.
    xdotool windowfocus --sync "$window"
    xdotool key alt; sleep 0.3
    xdotool key Right Right Down; sleep 0.3
    xdotool key Down Return
    for _ in $(seq 50); do [ -f "$2/Lhistorial.TXT" ] && break; sleep 0.1; done
    kill "$pid"' _ "$prefix" "$program" 2>/dev/null)

expected="VelarMundo  -  PARLANZA, discursos para cualquier ocasión         Ver.: 0.00.0021"
[ "$title" = "$expected" ] || { printf 'título: «%s»\n' "$title"; exit 1; }
[ -f "$program/Lhistorial.TXT" ] || { echo "Pasa a File no ha escrito Lhistorial.TXT junto al programa"; exit 1; }
grep -q $'^      1 ' "$program/Lhistorial.TXT" || { echo "el historial no tiene el primer discurso"; exit 1; }
echo "instalación comprobada"
