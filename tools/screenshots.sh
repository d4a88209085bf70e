#!/usr/bin/env bash
# Screenshots of the real main window and help window for the README, taken from the built program under a
# virtual X server: docs/ventana-principal.png and docs/ventana-ayuda.png. Needs xvfb, xdotool and imagemagick.
#   tools/screenshots.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
mkdir -p docs
env -u QT_QPA_PLATFORM xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    set -e
    # The first visible window whose title holds $1, waited for up to ten seconds.
    window() {
        for _ in $(seq 100); do
            w=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
            [ -n "$w" ] && { echo "$w"; return; }
            sleep 0.1
        done
        echo "No aparece la ventana «$1»." >&2
        return 1
    }
    "$1/bin/parlanza" & pid=$!
    main=$(window PARLANZA)
    sleep 1
    import -window "$main" docs/ventana-principal.png
    # "Ayuda", the fifth item of the menu bar, from the keyboard.
    xdotool windowfocus --sync "$main"
    xdotool key alt; sleep 0.3
    xdotool key Right Right Right Right Return
    help=$(window AYUDA)
    sleep 1
    import -window "$help" docs/ventana-ayuda.png
    kill "$pid"' _ "$build"
echo "docs/ventana-principal.png y docs/ventana-ayuda.png"
