#!/bin/sh
# Print latency: from `lp` to the start of the program that opens the document, median of N jobs
# (default 10), on a cupsd of our own, as a user whose hand-off agent runs with a stand-in for
# the program that notes the time it started.
# Anchor, same run, jobs interleaved: the same PDF through the same cupsd, PPD and filters to a
# queue whose backend only copies the data to a file; what CUPS itself costs on this machine.
# Needs root (cupsd, a test user). Environment: VORLIN_BACKEND, VORLIN_AGENTE, VORLIN_PPD,
# VORLIN_AMOSTRA, VORLIN_CUPS_PRIVADO (tests/printer/cups_privado.sh).
set -u
TRABALHOS=${1:-10}
[ "$(id -u)" -eq 0 ] || { echo "bench_impressao: needs root (its own cupsd, a test user)" >&2; exit 77; }
. "$VORLIN_CUPS_PRIVADO"

T=$(mktemp -d /tmp/vorlin-bench-XXXXXX)
chmod 0755 "$T"
U=vpbench$$
limpa() {
    touch "$T/fim"
    [ -n "${AGENTE:-}" ] && kill "$AGENTE" 2>/dev/null
    cups_para
    sleep 0.2
    pkill -u "$U" 2>/dev/null
    userdel -r -f "$U" >/dev/null 2>&1
    rm -rf "$T"
}
trap limpa EXIT
trap 'exit 1' INT TERM

agora() { date +%s%N; }

cat > "$T/ancora" <<'FIM'
#!/bin/sh
[ $# -eq 0 ] && { echo 'direct ancora:/ "Ancora" "Ancora"'; exit 0; }
cat > "$VORLIN_SPOOL/ancora-$1.pdf"
date +%s%N > "$VORLIN_SPOOL/ancora-$1.fim"
FIM
cat > "$T/programa" <<'FIM'
#!/bin/sh
date +%s%N > "$VORLIN_BENCH/inicio-$(basename "$1" .pdf)"
FIM
chmod 0755 "$T/programa" "$T/ancora"

cups_inicia "$T" "$VORLIN_BACKEND" "ancora=$T/ancora" || exit 1
SPOOL=$VORLIN_SPOOL_TESTE
for fila in VorlinPrinter:vorlin Ancora:ancora; do
    LC_ALL=C lpadmin -p "${fila%%:*}" -v "${fila#*:}:/" -P "$VORLIN_PPD" -o printer-error-policy=abort-job \
        -o printer-op-policy=authenticated -E 2>/dev/null || { echo "lpadmin ${fila%%:*} failed" >&2; exit 1; }
done
useradd -m -d "$T/home" -s /bin/sh "$U" || exit 1
mkdir -p "$T/registro" "$T/run"
chown "$U" "$T/registro" "$T/run"
chmod 0700 "$T/run"
cp "$VORLIN_AMOSTRA" "$T/amostra.pdf"
chmod 0644 "$T/amostra.pdf"
setsid runuser -u "$U" -- env HOME="$T/home" XDG_RUNTIME_DIR="$T/run" VORLIN_BENCH="$T/registro" \
    "$VORLIN_AGENTE" --spool "$SPOOL" --programa "$T/programa" >"$T/agente.log" 2>&1 &
AGENTE=$!

# Waits (30 s at most) for a file holding a time stamp; prints it.
espera() {
    n=0
    while [ ! -s "$1" ] && [ $n -lt 600 ]; do sleep 0.01; n=$((n + 1)); done
    cat "$1" 2>/dev/null
}
lp_como() {   # queue title -> lp's output
    setsid -w runuser -u "$U" -- env CUPS_SERVER="$CUPS_SERVER" LC_ALL=C lp -d "$1" -t "$2" "$T/amostra.pdf" </dev/null
}
mediana() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

# one job each first, to load filters and libraries into the page cache
lp_como VorlinPrinter aquece >/dev/null
espera "$T/registro/inicio-aquece" >/dev/null
job=$(lp_como Ancora aquece | sed -n 's/^request id is Ancora-\([0-9]*\).*/\1/p')
espera "$SPOOL/ancora-$job.fim" >/dev/null

: > "$T/nossos"
: > "$T/ancoras"
i=1
while [ $i -le "$TRABALHOS" ]; do
    t0=$(agora)
    lp_como VorlinPrinter "job$i" >/dev/null
    t1=$(espera "$T/registro/inicio-job$i")
    [ -n "$t1" ] && echo $(( (t1 - t0) / 1000000 )) >> "$T/nossos"
    t0=$(agora)
    job=$(lp_como Ancora "ancora$i" | sed -n 's/^request id is Ancora-\([0-9]*\).*/\1/p')
    t1=$(espera "$SPOOL/ancora-$job.fim")
    [ -n "$t1" ] && echo $(( (t1 - t0) / 1000000 )) >> "$T/ancoras"
    i=$((i + 1))
done

nossos=$(mediana < "$T/nossos")
ancora=$(mediana < "$T/ancoras")
echo "lp -> program started (ms):      $(sort -n "$T/nossos" | tr '\n' ' ')"
echo "anchor lp -> file written (ms):  $(sort -n "$T/ancoras" | tr '\n' ' ')"
echo "median: $nossos ms; anchor median: $ancora ms; ratio $(awk -v a="$nossos" -v b="$ancora" 'BEGIN { printf "%.2f", a / b }')"
[ "$(wc -l < "$T/nossos")" -eq "$TRABALHOS" ] || { echo "only $(wc -l < "$T/nossos") of $TRABALHOS jobs reached the program" >&2; exit 1; }
