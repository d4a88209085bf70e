# Sourced by the reading-aloud test and benchmark: a private runtime folder with its own sound server (a null
# sink as the default output, whose monitor can be recorded) and speech service. Every process started is kept
# in `pids` and stopped by its id on exit, with the children the speech service leaves behind.
run=$(mktemp -d)
chmod 700 "$run"
pids=()
cleanup() {
    local pid children=()
    for pid in "${pids[@]}"; do
        children+=($(pgrep -P "$pid" 2>/dev/null || true))
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    for pid in "${children[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$run"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR=$run HOME=$run
unset PULSE_SERVER

start_null_sink() {
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm=yes \
        --load="module-null-sink sink_name=nulo" --load="module-native-protocol-unix" >"$run/pulse.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    pactl set-default-sink nulo
}

# Options are the service's own ("-l 5" logs every command a client sends, in
# $run/speech-dispatcher/log/speech-dispatcher.log).
start_speech_service() {
    speech-dispatcher --run-single --timeout 0 "$@" >"$run/speechd.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 50); do [ -S "$run/speech-dispatcher/speechd.sock" ] && break; sleep 0.1; done
}
