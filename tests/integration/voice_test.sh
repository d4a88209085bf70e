#!/usr/bin/env bash
# Reads speeches aloud with the real speech service into a private sound server and checks what was heard: the
# companion's "-s 7 --voz" and the window's "Leer en voz alta" (sound, and a silence of at least 0.5 s at every
# premise boundary), and the three beeps of automatic mode (three short sounds before the speech is read). The
# choice of voice: the companion's "--voces", "--voz-nombre" and "--velocidad" and the window's "Voz…", judged
# from the commands the service was sent (its log) and from the recording (a faster reading is shorter).
# Every process started here (sound server, speech service and its voice module, X server, programs, recorders)
# is stopped by its process id. Exit 77 (skipped) without the sound or X tools.
#   voice_test.sh BIN_DIR [ANALYSER]
set -euo pipefail
bin=$1
here=$(cd "$(dirname "$0")" && pwd)
for tool in pulseaudio pactl parec sox speech-dispatcher python3 Xvfb xdotool; do
    command -v $tool >/dev/null || { echo "falta $tool: se omite"; exit 77; }
done

. "$here/sound_session.sh"
fail() {
    echo "FALLO: $*"
    exit 1
}
# The speech library parses the list of voices with strstr over the whole list, once per voice; the sanitizers'
# checking strstr makes that take minutes. Our own code is checked all the same.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}intercept_strstr=0
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
# The choice of voice is kept here.
export XDG_CONFIG_HOME=$run/config
settings=$XDG_CONFIG_HOME/VelarMundo/parlanza.conf

start_null_sink
# No speech service where the companion looks for it: a Spanish message and its own exit status. (The speech
# library may start a service of its own on the usual socket: it is stopped by the id in its pid file.)
status=0
SPEECHD_ADDRESS=unix_socket:$run/ninguno.sock "$bin/parlanza-discurso" -s 7 --voz >/dev/null 2>"$run/error.txt" ||
    status=$?
for _ in $(seq 20); do [ -s "$run/speech-dispatcher/pid/speech-dispatcher.pid" ] && break; sleep 0.1; done
if [ -s "$run/speech-dispatcher/pid/speech-dispatcher.pid" ]; then
    spawned=$(cat "$run/speech-dispatcher/pid/speech-dispatcher.pid")
    modules=$(pgrep -P "$spawned" || true)
    kill "$spawned" $modules 2>/dev/null || true
    for _ in $(seq 50); do kill -0 "$spawned" 2>/dev/null || break; sleep 0.1; done
    rm -rf "$run/speech-dispatcher"
fi
echo "sin servicio de voz: estado $status, «$(cat "$run/error.txt")»"
[ "$status" -eq 4 ] && grep -q "instale speech-dispatcher" "$run/error.txt" || fail "se esperaba el estado 4 y el aviso"

start_speech_service -l 5
log=$run/speech-dispatcher/log/speech-dispatcher.log
# Where the service's log ends now; told AT: the settings clients sent since, "SET SELF RATE 40" and the like.
mark() { stat -c %s "$log"; }
told() {
    tail -c +$(($1 + 1)) "$log" | grep -o 'DATA:|SET SELF [A-Z_]* .*' | sed 's/^DATA:|//' | tr -d '\r'
}

recording=""
record() {
    recording=$run/$1.raw
    parec -d nulo.monitor --format=s16le --rate=16000 --channels=1 --latency-msec=20 >"$recording" &
    recorder=$!
    pids+=($recorder)
}
stop_recording() {
    kill "$recorder"
    wait "$recorder" 2>/dev/null || true
}
# "start end" of each sound of the recording, with silences of at least $1 s between them.
sounds() {
    python3 "$here/sound_segments.py" "$recording" "$1"
}
# Waits until the recording holds $1 sounds and has been silent for 2 s since the last (at most $2 s).
await_sounds() {
    for _ in $(seq $(($2 * 2))); do
        sleep 0.5
        local last count length
        count=$(sounds 0.5 | wc -l)
        last=$(sounds 0.5 | tail -n 1 | cut -d' ' -f2)
        length=$(python3 -c "import os; print(os.path.getsize('$recording') / 32000)")
        [ "$count" -ge "$1" ] && python3 -c "import sys; sys.exit(0 if $length - ${last:-0} > 2 else 1)" && return 0
    done
    return 0
}

# The companion: as many sounds as premises, apart by silences of at least 0.5 s.
record companion
"$bin/parlanza-discurso" -s 7 --voz >"$run/speech.txt"
stop_recording
premises=$(grep -c . "$run/speech.txt")
heard=$(sounds 0.5 | wc -l)
echo "parlanza-discurso -s 7 --voz: $premises premisas, $heard sonidos separados por silencios de 0,5 s o más"
sounds 0.5
[ "$premises" -ge 2 ] || fail "el discurso no tiene premisas"
[ "$heard" -eq "$premises" ] || fail "se esperaban $premises sonidos"

# The Spanish voices, by the service's own names; one of Latin America for what follows.
"$bin/parlanza-discurso" --voces >"$run/voces.txt"
echo "parlanza-discurso --voces: $(wc -l <"$run/voces.txt") voces, entre ellas:"
grep -m 1 -P '\tespañol \(España\)$' "$run/voces.txt" || fail "no hay ninguna voz de España"
latin=$(grep -m 1 -P '\tespañol \(Latinoamérica\)$' "$run/voces.txt" | cut -f 1)
echo "$latin"
[ -n "$latin" ] || fail "no hay ninguna voz de Latinoamérica"
! grep -qvP '^[^\t]+\tespañol' "$run/voces.txt" || fail "«--voces» da líneas que no son voces en español"

status=0
"$bin/parlanza-discurso" --voz --voz-nombre "Nadie en particular" >/dev/null 2>"$run/error.txt" || status=$?
echo "voz que no existe: estado $status, «$(cat "$run/error.txt")»"
[ "$status" -eq 1 ] && grep -qF "«parlanza-discurso --voces»" "$run/error.txt" ||
    fail "se esperaba el estado 1 y cómo ver las voces"

# One premise, read slowly and fast with the chosen voice: the service is told both, and the fast one is shorter.
printf 'DD001002|Una\r\nSeñoras y señores, la patria os contempla con emoción.\r\n' |
    iconv -f UTF-8 -t WINDOWS-1252 >"$run/una.soy"
declare -A spoken
for rate in -60 60; do
    at=$(mark)
    record "velocidad$rate"
    "$bin/parlanza-discurso" -f "$run/una.soy" --voz --voz-nombre "$latin" --velocidad $rate >/dev/null
    stop_recording
    told "$at" >"$run/told.txt"
    spoken[$rate]=$(sounds 0.5 | awk '{ s += $2 - $1 } END { printf "%.2f", s }')
    echo "--voz-nombre «$latin» --velocidad $rate: ${spoken[$rate]} s de voz; el servicio recibe:"
    grep -E 'SYNTHESIS_VOICE|RATE' "$run/told.txt"
    grep -qxF "SET SELF SYNTHESIS_VOICE $latin" "$run/told.txt" || fail "el servicio no recibe la voz elegida"
    [ "$(grep ' RATE ' "$run/told.txt" | tail -n 1)" = "SET SELF RATE $rate" ] ||
        fail "el servicio no recibe la velocidad $rate"
done
python3 -c "import sys; sys.exit(0 if 0 < ${spoken[60]} < ${spoken[-60]} else 1)" ||
    fail "la lectura rápida no es más corta que la lenta"

# A saved voice that is no longer installed: a warning, and the speech is read all the same.
mkdir -p "$(dirname "$settings")"
printf '[voz]\nnombre=Voz desinstalada\n' >"$settings"
status=0
"$bin/parlanza-discurso" -f "$run/una.soy" --voz >/dev/null 2>"$run/error.txt" || status=$?
echo "voz guardada que ya no está: estado $status, «$(cat "$run/error.txt")»"
[ "$status" -eq 0 ] && grep -q "«Voz desinstalada», ya no está instalada" "$run/error.txt" ||
    fail "se esperaba el estado 0 y un aviso"
rm "$settings"

# The window, on a virtual X server.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$run/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -s "$run/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$run/display")
"$bin/parlanza" >"$run/parlanza.log" 2>&1 &
pids+=($!)
window=""
for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name PARLANZA 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "la ventana no aparece"
xdotool windowfocus --sync "$window"
# The engine is being prepared in the background; a reading asked for now starts when it is ready.
record window
xdotool key --window "$window" ctrl+l
await_sounds 4 40
stop_recording
heard=$(sounds 0.5 | wc -l)
echo "Leer en voz alta: $heard sonidos separados por silencios de 0,5 s o más"
sounds 0.5
# The first base has four groups: four premises.
[ "$heard" -eq 4 ] || fail "se esperaban 4 sonidos"

# "Voz…" in the speech label's menu: the Latin American voice at speed 40 (the slowest, then fourteen pages of
# ten up) and a pause of 1.4 s (a page, one second, up from 0.4 s), kept, sent to the service and read with. At
# that speed the voice's own silence after a sentence is short: the long pause is what marks each premise.
at=$(mark)
xdotool mousemove --window "$window" 400 230 click 3
sleep 0.5
xdotool key v
dialog=""
for _ in $(seq 50); do
    dialog=$(xdotool search --onlyvisible --name "Voz de lectura" 2>/dev/null | head -n 1) && [ -n "$dialog" ] && break
    sleep 0.1
done
[ -n "$dialog" ] || fail "el diálogo «Voz de lectura» no aparece"
xdotool windowfocus --sync "$dialog"
xdotool type --delay 30 "$latin"
xdotool key Tab Home $(printf 'Page_Up %.0s' $(seq 14)) alt+p Page_Up Return
for _ in $(seq 50); do
    xdotool search --onlyvisible --name "Voz de lectura" >/dev/null 2>&1 || break
    sleep 0.1
done
echo "Voz… guarda:"
cat "$settings" || fail "la elección no se guarda"
grep -qxF "nombre=$latin" "$settings" && grep -qx "velocidad=40" "$settings" && grep -qx "pausa_ms=1400" "$settings" ||
    fail "no se guarda la voz elegida"
# Without a window manager nobody gives the focus back to the window when the dialog goes.
xdotool windowfocus --sync "$window"
record window-chosen
xdotool key --window "$window" ctrl+l
await_sounds 4 40
stop_recording
told "$at" >"$run/told.txt"
heard=$(sounds 0.5 | wc -l)
echo "Leer en voz alta tras elegir la voz: $heard sonidos separados por silencios de 0,5 s o más; el servicio recibe:"
grep -E 'SYNTHESIS_VOICE|RATE' "$run/told.txt"
sounds 0.5
[ "$heard" -eq 4 ] || fail "se esperaban 4 sonidos"
sounds 0.5 | awk 'NR > 1 && $1 - end < 1.3 { short = 1 } { end = $2 } END { exit short }' ||
    fail "entre premisas no se oye la pausa elegida de 1,4 s"
grep -qxF "SET SELF SYNTHESIS_VOICE $latin" "$run/told.txt" && grep -qxF "SET SELF RATE 40" "$run/told.txt" ||
    fail "el servicio no recibe la voz y la velocidad elegidas"

# The companion follows the choice made in the window.
at=$(mark)
"$bin/parlanza-discurso" -f "$run/una.soy" --voz >/dev/null
told "$at" >"$run/told.txt"
echo "parlanza-discurso --voz tras elegir en la ventana; el servicio recibe:"
grep -E 'SYNTHESIS_VOICE|RATE' "$run/told.txt" | tail -n 2
[ "$(grep 'SYNTHESIS_VOICE' "$run/told.txt" | tail -n 1)" = "SET SELF SYNTHESIS_VOICE $latin" ] &&
    [ "$(grep ' RATE ' "$run/told.txt" | tail -n 1)" = "SET SELF RATE 40" ] ||
    fail "el compañero no lee con la voz elegida en la ventana"

# Automatic mode (a click on the mode label): every tick, three short beeps.
record beeps
xdotool mousemove --window "$window" 25 382 click 1
sleep 3
stop_recording
echo "Modo automático: sonidos separados por silencios de 0,1 s o más"
sounds 0.1
sounds 0.1 | awk 'NR == 1 { first = $1 } $1 < first + 1.5 { n++; if ($2 - $1 > 0.4) long = 1 }
                 END { exit n == 3 && !long ? 0 : 1 }' || fail "no se oyen tres pitidos"

# With "Leer cada discurso nuevo", each speech is read after its three beeps (until the next tick cuts it).
xdotool key --window "$window" ctrl+shift+l
record announced
sleep 4.5
stop_recording
echo "Leer cada discurso nuevo: sonidos separados por silencios de 0,1 s o más"
sounds 0.1
sounds 0.1 | awk '{ d = $2 - $1; if (d < 0.4) short++; else { if (short >= 3) found = 1; short = 0 } }
                 END { exit found ? 0 : 1 }' || fail "no se oyen tres pitidos antes del discurso"
echo "correcto"
