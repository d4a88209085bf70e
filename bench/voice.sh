#!/usr/bin/env bash
# Reading aloud against the real speech service, in a private sound server with a null output that bench_voice
# records: prints the "key,value" figures of bench_voice. Every process started here is stopped by its id.
#   bench/voice.sh [BUILD_DIR]   (build/release by default)
set -euo pipefail
build=${1:-build/release}
. "$(dirname "$0")/../tests/integration/sound_session.sh"
start_null_sink
start_speech_service
"$build/bench/bench_voice"
