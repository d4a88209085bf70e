#!/usr/bin/env bash
# Prepares a Debian 12 machine and builds Parlanza.
#   tools/setup.sh run    build the optimised program and start it (it needs a desktop session; without one it says
#                         so, where the program was built, and that the tests need no screen)
#   tools/setup.sh test   build everything and run the whole test suite headless
# Debian packages that are missing are installed first (with apt-get as root, with sudo otherwise).
set -euo pipefail

cd "$(dirname "$0")/.."

packages=(g++ make cmake dpkg-dev qt6-base-dev libicu-dev libbenchmark-dev fonts-liberation qt6-translations-l10n poppler-utils cups
    printer-driver-cups-pdf xvfb xdotool openbox x11-utils desktop-file-utils appstream lintian man-db xdg-utils
    libfile-mimeinfo-perl shared-mime-info python3
    qt6-speech-dev qt6-declarative-dev qt6-speech-speechd-plugin speech-dispatcher speech-dispatcher-espeak-ng
    pulseaudio pulseaudio-utils sox pkgconf libcanberra-dev libcanberra-pulse sound-theme-freedesktop
    qt6-svg-dev at-spi2-core python3-pyatspi dbus-daemon qt6-gtk-platformtheme imagemagick orca)

install_missing() {
    local missing=()
    for package in "${packages[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Instalando los paquetes que faltan: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "${missing[@]}"
}

case "${1:-}" in
run)
    install_missing
    cmake --preset release
    cmake --build --preset release
    status=0
    build/release/bin/parlanza "${@:2}" || status=$?
    if [ $status -eq 1 ]; then
        echo "El programa está compilado en $(pwd)/build/release/bin/parlanza; ábralo desde una sesión de escritorio." >&2
        echo "«bash tools/setup.sh test» compila y prueba todo sin pantalla." >&2
    fi
    exit $status
    ;;
test)
    install_missing
    cmake --preset dev
    cmake --build --preset dev
    ctest --preset dev
    ;;
*)
    echo "Uso: $0 run | test" >&2
    exit 2
    ;;
esac
