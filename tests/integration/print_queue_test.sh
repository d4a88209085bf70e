#!/usr/bin/env bash
# Prints from the help window, then a speech from the main window, to a real CUPS queue: a private cupsd with a
# cups-pdf printer as the default destination, then checks that each job arrived and what its PDF holds. Without
# a printer the help window does nothing and the speech printout says so.
# Exit 77 (skipped) where CUPS or cups-pdf is missing or the test does not run as root (cups-pdf needs it).
set -euo pipefail
program=$1
speech_program=$2

if [ "$(id -u)" -ne 0 ] || [ ! -x /usr/sbin/cupsd ] || [ ! -e /usr/lib/cups/backend/cups-pdf ] ||
    ! command -v pdftotext >/dev/null; then
    echo "sin CUPS, cups-pdf o pdftotext, o sin permisos de root: se omite"
    exit 77
fi

work=$(mktemp -d)
cupsd_pid=
cleanup() {
    if [ -n "$cupsd_pid" ]; then
        kill "$cupsd_pid" 2>/dev/null || true
        wait "$cupsd_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work"/{spool,cache,state,log,ppd,guide,base}
cat >"$work/cupsd.conf" <<CONF
Listen $work/cups.sock
LogLevel warn
WebInterface No
Browsing No
PreserveJobFiles Yes
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$work/cups-files.conf" <<CONF
ServerRoot $work
RequestRoot $work/spool
CacheDir $work/cache
StateDir $work/state
TempDir $work/spool
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
ServerBin /usr/lib/cups
DataDir /usr/share/cups
CONF
/usr/sbin/cupsd -f -c "$work/cupsd.conf" -s "$work/cups-files.conf" &
cupsd_pid=$!
export CUPS_SERVER=$work/cups.sock
for _ in $(seq 50); do [ -S "$CUPS_SERVER" ] && break; sleep 0.1; done
lpadmin -p ParlanzaPDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd 2>/dev/null
lpadmin -d ParlanzaPDF

# The font sizes of a PDF's text runs, scaled by the matrices in force, read from its content streams.
printed_sizes() {
    python3 - "$1" <<'PY'
import re, sys, zlib
data = open(sys.argv[1], "rb").read()
sizes = set()
for stream in re.finditer(rb"stream\r?\n(.*?)endstream", data, re.S):
    try:
        content = zlib.decompress(stream.group(1)).decode("latin-1")
    except zlib.error:
        continue
    if " Tf" not in content:
        continue
    ctm, stack, operands, size, tm = [1, 0, 0, 1], [], [], 0.0, [1, 0, 0, 1]
    mul = lambda m, n: [m[0] * n[0] + m[1] * n[2], m[0] * n[1] + m[1] * n[3],
                        m[2] * n[0] + m[3] * n[2], m[2] * n[1] + m[3] * n[3]]
    for token in re.findall(r"<[0-9A-Fa-f]*>|/[^\s/<\[]+|[-+]?\d*\.?\d+|[A-Za-z*']+", content):
        if re.fullmatch(r"[-+]?\d*\.?\d+", token):
            operands.append(float(token))
            continue
        if token == "q":
            stack.append(ctm)
        elif token == "Q":
            ctm = stack.pop() if stack else [1, 0, 0, 1]
        elif token == "cm":
            ctm = mul(operands[-6:-2], ctm)
        elif token == "Tf":
            size = operands[-1]
        elif token == "Tm":
            tm = operands[-6:-2]
        elif token == "Tj":
            m = mul(tm, ctm)
            sizes.add(round(size * abs(m[0] * m[3] - m[1] * m[2]) ** 0.5, 2))
        if not token.startswith(("/", "<")):
            operands = []
print(" ".join(str(s) for s in sorted(sizes)))
PY
}

printf 'primera l\xednea impresa\r\nsegunda, sin seleccionar\r\ntercera l\xednea impresa\r\n' >"$work/guide/parlanzaguia.ans"
outdir=$(getent passwd "$(id -un)" | cut -d: -f6)/PDF
# cups-pdf makes its folder with its first job: on a fresh machine it is not there yet.
pdfs() { { ls "$outdir" 2>/dev/null || true; } | wc -l; }
before=$(pdfs)

# Waits until the queue has completed $1 jobs and cups-pdf has rendered the last; sets received to the document
# the queue was sent (cups-pdf's fonts lose their text, so that is what is read). $2 names the job in messages.
await_printout() {
    for _ in $(seq 100); do
        [ "$(lpstat -W completed -o ParlanzaPDF 2>/dev/null | wc -l)" -ge "$1" ] && break
        sleep 0.2
    done
    [ "$(lpstat -W completed -o ParlanzaPDF | wc -l)" -ge "$1" ] || { echo "$2 no llegó a la cola"; exit 1; }
    for _ in $(seq 50); do
        [ "$(pdfs)" -gt "$before" ] && break
        sleep 0.2
    done
    local pdf
    pdf=$(ls -t "$outdir"/*.pdf | head -n 1)
    [ -s "$pdf" ] || { echo "cups-pdf no ha escrito el PDF de $2"; exit 1; }
    rm -f "$pdf"
    received=$(ls "$work"/spool/d*-001 | sort | tail -n 1)
}

"$program" "$work/guide" | grep -q "impresora: ParlanzaPDF"
await_printout 1 "la guía"
text=$(pdftotext -layout "$received" - | tr -d '\f' | sed 's/^ *//; s/ *$//' | sed '/^$/d')
expected=$'primera línea impresa\ntercera línea impresa\nVelarMundo, Ayuda ---------'
if [ "$text" != "$expected" ]; then
    printf 'impreso:\n%s\nesperado:\n%s\n' "$text" "$expected"
    exit 1
fi

# The text is set at 10 points.
sizes=$(printed_sizes "$received")
[ "$sizes" = "10.0" ] || { echo "tamaño de letra impreso: $sizes puntos; esperado: 10.0"; exit 1; }

# A speech from the main window: one premise a line in large type, the base's title and the page number in small
# type at the foot.
printf 'DD001002001|Base de la cola\r\nPrimera premisa impresa\r\n\r\n\r\n\r\nsegunda premisa impresa.\r\n' \
    >"$work/base/dialogo.soy"
before=$(pdfs)
said=$("$speech_program" "$work/base")
[ "$said" = "impresora: ParlanzaPDF" ] || { printf 'el programa dice:\n%s\n' "$said"; exit 1; }
await_printout 2 "el discurso"
text=$(pdftotext -layout "$received" - | tr -d '\f' | tr -s ' ' | sed 's/^ *//; s/ *$//' | sed '/^$/d')
expected=$'Primera premisa impresa ...\nsegunda premisa impresa. ...\nBase de la cola Página 1 de 1'
if [ "$text" != "$expected" ]; then
    printf 'discurso impreso:\n%s\nesperado:\n%s\n' "$text" "$expected"
    exit 1
fi
sizes=$(printed_sizes "$received")
[ "$sizes" = "9.0 20.0" ] || { echo "tamaños del discurso impreso: $sizes puntos; esperados: 9.0 20.0"; exit 1; }

# No printer at all: the help window's command ends without a job and without a word; the speech printout says
# there is no printer.
CUPS_SERVER=$work/no-hay.sock "$program" "$work/guide" | grep -q "impresora: $"
CUPS_SERVER=$work/no-hay.sock "$speech_program" "$work/base" | grep -q "^aviso: No hay ninguna impresora"
echo "impresión en la cola CUPS comprobada"
