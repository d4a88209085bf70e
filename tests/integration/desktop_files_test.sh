#!/usr/bin/env bash
# The desktop entry and the AppStream description pass their validators.
set -euo pipefail
folder=$1
command -v desktop-file-validate >/dev/null && command -v appstreamcli >/dev/null ||
    { echo "sin desktop-file-validate o appstreamcli: se omite"; exit 77; }
desktop-file-validate "$folder/parlanza.desktop"
appstreamcli validate --no-net "$folder/io.example.velarmundo.Parlanza.metainfo.xml"
