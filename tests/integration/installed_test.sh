#!/usr/bin/env bash
# Installs into a temporary prefix and runs the installed program as a user would, under a virtual X server:
# it must find its data (the companion checks the base; the title carries the version) and "Pasa a File" must write
# into the user's data folder, as the prefix is outside the user's home; both windows must have their outer place
# and size. Exit 77 (skipped) without the X tools.
set -euo pipefail
build=$1
for tool in xvfb-run xdotool openbox xwininfo xprop; do
    command -v $tool >/dev/null || { echo "falta $tool: se omite"; exit 77; }
done

prefix=$(mktemp -d)
export XDG_DATA_HOME=$(mktemp -d)
trap 'rm -rf "$prefix" "$XDG_DATA_HOME"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
program=$prefix/share/games/parlanza

"$prefix/games/parlanza-discurso" --check | grep -q "7 bases, 0 errores, 0 avisos"
"$prefix/games/parlanza-version" "$prefix/games/parlanza" | grep -q "^ProductVersion: 0.00.0021$"
# Exit status 1 for a file without version information, 2 for a missing file.
status() { "$prefix/games/parlanza-version" "$1" >/dev/null 2>&1 && echo 0 || echo $?; }
[ "$(status "$program/dialogo.soy")" = 1 ]
[ "$(status "$prefix/falta.exe")" = 2 ]

# The real X server this time, not the offscreen platform the other tests use, with a window manager that puts
# frames on the windows, as a desktop does.
report=$(env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    openbox >/dev/null 2>&1 &
    sleep 0.5
    # A window by its name, once it is shown.
    find() {
        for _ in $(seq 100); do
            found=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
            [ -n "$found" ] && { echo "$found"; return; }
            sleep 0.1
        done
    }
    # The outer place and size: the inside as X reports it, widened by the frame the window manager drew.
    outer() {
        read -r x y w h < <(xwininfo -id "$1" | awk "/Absolute upper-left X/ {x=\$NF} /Absolute upper-left Y/ {y=\$NF}
            /Width:/ {w=\$NF} /Height:/ {h=\$NF} END {print x, y, w, h}")
        read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | tr -dc "0-9 ," | tr , " ")
        echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
    }
    "$1/games/parlanza" & pid=$!
    window=$(find PARLANZA)
    sleep 1.5
    echo "título: $(xdotool getwindowname "$window")"
    echo "principal: $(outer "$window")"
    # Herramientas, then its second item, "Pasa a File", from the keyboard.
    xdotool windowactivate --sync "$window"
    xdotool key alt; sleep 0.3
    xdotool key Right Right Down; sleep 0.3
    xdotool key Down Return
    for _ in $(seq 50); do [ -f "$2/Lhistorial.TXT" ] && break; sleep 0.1; done
    # "Ayuda", the fifth item of the menu bar.
    xdotool key alt; sleep 0.3
    xdotool key Right Right Right Right Return
    help=$(find AYUDA)
    sleep 1.5
    echo "ayuda: $(outer "$help")"
    kill "$pid"' _ "$prefix" "$XDG_DATA_HOME/parlanza" 2>/dev/null)

# 12200 x 7630 twips at 10, 10 and 12000 x 9000 at 0, 0, at 15 twips a pixel.
for expected in "título: VelarMundo  -  PARLANZA, discursos para cualquier ocasión         Ver.: 0.00.0021" \
    "principal: 1 1 813 509" "ayuda: 0 0 800 600"; do
    grep -qxF "$expected" <<<"$report" || { printf 'se esperaba «%s» en:\n%s\n' "$expected" "$report"; exit 1; }
done
history=$XDG_DATA_HOME/parlanza/Lhistorial.TXT
[ -f "$history" ] || { echo "Pasa a File no ha escrito Lhistorial.TXT en la carpeta de datos del usuario"; exit 1; }
[ "$(stat -c %a "$XDG_DATA_HOME/parlanza")" = 700 ] || { echo "la carpeta de datos del usuario no es solo suya"; exit 1; }
[ ! -e "$program/Lhistorial.TXT" ] || { echo "Pasa a File ha escrito en la carpeta del programa"; exit 1; }
grep -q $'^      1 ' "$history" || { echo "el historial no tiene el primer discurso"; exit 1; }
echo "instalación comprobada"
