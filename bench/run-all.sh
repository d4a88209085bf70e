#!/usr/bin/env bash
# Builds the optimised programs, runs every benchmark of the project offscreen and prints one table (Markdown,
# ready for bench/RESULTS.md) with each figure, its target and whether it is met.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release >/dev/null
export QT_QPA_PLATFORM=offscreen

# Every figure as "key,value": Google Benchmark's CSV gives the time (or the rate) of each benchmark.
figures() {
    for program in bench_core bench_help bench_editor; do
        build/release/bench/$program --benchmark_format=csv 2>/dev/null |
            awk -F, 'NR > 1 { gsub(/"/, "", $1); print $1 "," ($7 != "" ? $7 : $3) }'
    done
    build/release/bench/bench_startup 2>/dev/null
    # Reading aloud needs pulseaudio and speech-dispatcher; without them its rows are left out.
    bash bench/voice.sh build/release 2>/dev/null || true
}

echo "$(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) núcleos, $(uname -srm)"
echo
figures | awk -F, '
    { v[$1] = $2 }
    function row(measure, result, target, met) {
        printf "| %s | %s | %s | %s |\n", measure, result, target, met == "" ? "—" : (met ? "sí" : "no")
    }
    END {
        print "| medida | resultado | objetivo | cumple |"
        print "|---|---|---|---|"
        row("componer discursos (base de cuatro grupos)", sprintf("%.2f M/s", v["BM_Compose"] / 1e6),
            "≥ 1 M/s", v["BM_Compose"] >= 1e6)
        row("carga en frío de una base de 32767 líneas (cuenta, lista, selección, primer discurso)",
            sprintf("%.1f ms", v["BM_ColdLoadOfLargestFile"]), "< 20 ms", v["BM_ColdLoadOfLargestFile"] < 20)
        row("lectura de ese archivo (decodificar y partir en líneas)",
            sprintf("%.1f ms", v["BM_ReadLargestFile"]), "—", "")
        row("arranque hasta el primer discurso frente a una ventana Qt vacía (mediana)",
            sprintf("%.1f ms frente a %.1f ms: %.2f", v["startup_parlanza_ms"], v["startup_bare_ms"],
                    v["startup_ratio"]), "< 1,5", v["startup_ratio"] < 1.5)
        row("memoria residente tras el arranque",
            sprintf("%.1f MB (ventana vacía %.1f MB)", v["rss_startup_mb"], v["rss_bare_mb"]), "< 60 MB",
            v["rss_startup_mb"] < 60)
        row("memoria residente tras 32767 discursos en modo automático",
            sprintf("%.1f MB (%.0f ms)", v["rss_32767_speeches_mb"], v["soak_32767_speeches_ms"]),
            "crece solo con el historial", "")
        row("ventana de ayuda: cargar una guía de 32767 líneas", sprintf("%.1f ms", v["BM_HelpLoad"]),
            "< 100 ms", v["BM_HelpLoad"] < 100)
        row("ventana de ayuda: búsqueda con 100 coincidencias", sprintf("%.1f ms", v["BM_HelpSearch100"]),
            "< 20 ms", v["BM_HelpSearch100"] < 20)
        row("ventana de ayuda: búsqueda que coincide en las 32767 líneas",
            sprintf("%.1f ms", v["BM_HelpSearchEveryLine"]), "—", "")
        row("editor de bases: problemas y discurso de muestra de 10 grupos de 999 premisas (núcleo)",
            sprintf("%.1f ms", v["BM_ListsReview"]), "< 50 ms", v["BM_ListsReview"] < 50)
        row("editor de bases: lo mismo en la ventana, tras la pausa al escribir",
            sprintf("%.1f ms", v["BM_EditorReview"]), "< 50 ms", v["BM_EditorReview"] < 50)
        row("discursos impresos: 100 discursos de cinco premisas en letra de 20 puntos, a un PDF",
            sprintf("%.0f ms", v["BM_SpeechPrintout100"]), "< 1000 ms", v["BM_SpeechPrintout100"] < 1000)
        row("recurso de versión del propio ejecutable", sprintf("%.0f µs", v["BM_ReadOwnVersionResource"]),
            "—", "")
        if ("voice_ready_ms" in v) {
            row("voz: de la orden de leer al primer sonido, con la voz lista (mediana de 5)",
                sprintf("%.0f ms", v["voice_first_sound_ms"]), "≤ 300 ms", v["voice_first_sound_ms"] <= 300)
            row("voz: lista tras crear el motor (speech-dispatcher en marcha)",
                sprintf("%.1f s", v["voice_ready_ms"] / 1000), "—", "")
            row("voz: lectura entera de un discurso de cuatro grupos (parlanza-discurso -s 7)",
                sprintf("%.1f s", v["voice_four_groups_s"]), "—", "")
        }
    }'

# The companion against Polygen on the same 32767 speeches (skipped where Polygen is not installed).
echo
bash bench/companion_vs_polygen.sh build/release/bin/parlanza-discurso || true
