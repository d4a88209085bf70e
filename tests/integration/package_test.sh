#!/usr/bin/env bash
# Builds the Debian package from the build folder into a temporary one and checks what apt will install with it:
# the program's files under /usr and every library the program is linked against among the dependencies.
set -euo pipefail
build=$1
command -v dpkg-deb >/dev/null || { echo "sin dpkg-deb: se omite"; exit 77; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
deb=$(ls "$out"/parlanza_*.deb)
contents=$(dpkg-deb -c "$deb")
for path in ./usr/lib/parlanza/parlanza ./usr/lib/parlanza/dialogo.soy ./usr/lib/parlanza/parlanzaguia.ans \
    ./usr/bin/parlanza ./usr/share/applications/parlanza.desktop; do
    grep -q " $path" <<<"$contents" || { echo "el paquete no contiene $path"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6printsupport6 libicu72 fonts-liberation qt6-qpa-plugins; do
    grep -q "\b$package\b" <<<"$depends" || { echo "falta la dependencia $package en: $depends"; exit 1; }
done
echo "paquete comprobado"
