#!/usr/bin/env bash
# Reading aloud against the real speech service, in a private sound server with a null output that bench_voice
# records: prints the "key,value" figures of bench_voice. Every process started here is stopped by its id.
#   bench/voice.sh [BUILD_DIR]   (build/release by default)
set -euo pipefail
build=${1:-build/release}
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
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disable-shm=yes \
    --load="module-null-sink sink_name=nulo" --load="module-native-protocol-unix" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
pactl set-default-sink nulo
speech-dispatcher --run-single --timeout 0 >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do [ -S "$run/speech-dispatcher/speechd.sock" ] && break; sleep 0.1; done
"$build/bench/bench_voice"
