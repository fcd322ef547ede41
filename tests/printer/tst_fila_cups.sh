#!/bin/sh
# The "Vorlin Printer" queue end to end, on a cupsd of our own: two users, the agent of one of
# them with a stand-in for the program, a PDF and a text file printed with lp, lp -U refused,
# raw data cancelled with the queue still working, the backend's refusals, and a removal that
# leaves cupsd's configuration as it was.
#
# Needs root (cupsd, useradd). Without it, or without CUPS, it is skipped (exit 77), except in
# CI (CI=true), where it must run.
# Environment: VORLIN_BACKEND, VORLIN_AGENTE, VORLIN_SETUP, VORLIN_PPD, VORLIN_AMOSTRA.
set -u
AQUI=$(cd "$(dirname "$0")" && pwd)
. "$AQUI/cups_privado.sh"

pula() {
    if [ "${CI:-}" = true ]; then
        echo "FAIL: $* (CI=true: this test must run)" >&2
        exit 1
    fi
    echo "SKIP: $*"
    exit 77
}

FALHAS=0
falha() {
    echo "FAIL: $*" >&2
    FALHAS=$((FALHAS + 1))
}
ok() { echo "ok: $*"; }

[ "$(id -u)" -eq 0 ] || pula "needs root to run its own cupsd and create test users"
for c in /usr/sbin/cupsd lp lpstat lpadmin useradd userdel runuser setsid; do
    command -v "$c" >/dev/null 2>&1 || pula "$c is missing (scripts/install-deps installs CUPS)"
done
[ -f /usr/share/cups/cupsd.conf.default ] || pula "/usr/share/cups/cupsd.conf.default is missing"
[ -x /usr/lib/cups/filter/texttopdf ] || pula "cups-filters is missing"

INICIO=$(date +%s)
T=$(mktemp -d /tmp/vorlin-fila-XXXXXX)
chmod 0755 "$T"
# Users of runs that were killed: their run's PID is in the name.
for velho in $(getent passwd | cut -d: -f1 | grep -E '^vptst[0-9]+[ab]$'); do
    pid=$(echo "$velho" | sed 's/^vptst\([0-9]*\)[ab]$/\1/')
    kill -0 "$pid" 2>/dev/null || userdel -r "$velho" >/dev/null 2>&1
done
U1=vptst$$a
U2=vptst$$b
AGENTES=""

limpa() {
    if [ $FALHAS -gt 0 ]; then
        for log in "$T"/agente-*.log; do [ -s "$log" ] && { echo "--- $log"; cat "$log"; }; done
        [ -n "${CUPS_DIR:-}" ] && { echo "--- cupsd error_log (end)"; tail -n 30 "$CUPS_DIR/log/error_log"; }
    fi
    touch "$T/liberar/TODOS" 2>/dev/null
    for a in $AGENTES; do kill "$a" 2>/dev/null; done
    cups_para
    sleep 0.2
    for u in "$U1" "$U2"; do
        pkill -u "$u" 2>/dev/null
        userdel -r -f "$u" >/dev/null 2>&1
    done
    rm -rf "$T"
}
trap limpa EXIT
trap 'exit 1' INT TERM

cria_usuario() {
    mkdir -p "$T/home"
    chmod 0755 "$T/home"
    for tentativa in 1 2 3 4 5; do
        useradd -m -d "$T/home/$1" -s /bin/sh "$1" 2>/dev/null && return 0
        sleep 0.5   # another useradd holds /etc/passwd's lock
    done
    echo "useradd $1 failed" >&2
    exit 1
}
cria_usuario "$U1"
cria_usuario "$U2"

como() {
    u=$1
    shift
    # setsid: no terminal, so lp can never stop to ask for a password
    setsid -w runuser -u "$u" -- env HOME="$T/home/$u" CUPS_SERVER="$CUPS_SERVER" LC_ALL=C "$@" </dev/null
}

# The stand-in program: records the path it was given, waits until the test releases it.
mkdir -p "$T/registro" "$T/liberar"
chmod 1777 "$T/registro"
chmod 0755 "$T/liberar"
cat > "$T/programa" <<'FIM'
#!/bin/sh
printf '%s\n' "$1" >> "$VORLIN_TESTE/registro/$(id -un)"
n=0
while [ ! -e "$VORLIN_TESTE/liberar/$(basename "$1")" ] && [ ! -e "$VORLIN_TESTE/liberar/TODOS" ] \
    && [ $n -lt 1200 ]; do
    sleep 0.05
    n=$((n + 1))
done
exit 0
FIM
chmod 0755 "$T/programa"

inicia_agente() {
    mkdir -p "$T/run-$1"
    chown "$1" "$T/run-$1"
    chmod 0700 "$T/run-$1"
    setsid runuser -u "$1" -- env HOME="$T/home/$1" XDG_RUNTIME_DIR="$T/run-$1" VORLIN_TESTE="$T" \
        "$VORLIN_AGENTE" --spool "$SPOOL" --programa "$T/programa" >"$T/agente-$1.log" 2>&1 &
    AGENTES="$AGENTES $!"
}

# Waits (20 s at most) until the user's record has n lines; prints the last one.
espera_entrega() {
    n=0
    while [ "$( (wc -l < "$T/registro/$1") 2>/dev/null || echo 0)" -lt "$2" ] && [ $n -lt 400 ]; do
        sleep 0.05
        n=$((n + 1))
    done
    sed -n "${2}p" "$T/registro/$1" 2>/dev/null
}

espera_sumir() {
    n=0
    while [ -e "$1" ] && [ $n -lt 200 ]; do
        sleep 0.05
        n=$((n + 1))
    done
    [ ! -e "$1" ]
}

confere_arquivo() {   # path user what
    if [ ! -f "$1" ] || [ -L "$1" ]; then
        falha "$3: $1 is not a plain file"
        return
    fi
    [ "$(stat -c '%U %a' "$1")" = "$2 600" ] && ok "$3: owned by $2, mode 600" \
        || falha "$3: owner and mode are $(stat -c '%U %a' "$1"), expected $2 600"
    [ "$(head -c 5 "$1")" = "%PDF-" ] && ok "$3: starts with %PDF-" || falha "$3: does not start with %PDF-"
}

job_id() { sed -n 's/^request id is VorlinPrinter-\([0-9]*\).*/\1/p'; }

cups_inicia "$T" "$VORLIN_BACKEND" || { falha "cupsd did not start"; exit 1; }
SPOOL=$VORLIN_SPOOL_TESTE
ETC=$CUPS_DIR/etc
antes_conf=$(cat "$ETC/cupsd.conf" "$ETC/cups-files.conf" | md5sum)
antes_filas=$(LC_ALL=C lpstat -v 2>&1; ls "$ETC/ppd")

# --- the queue
if "$VORLIN_SETUP" --adicionar --ppd "$VORLIN_PPD" >"$T/setup.log" 2>&1; then
    ok "queue added"
else
    falha "vorlin-printer-setup --adicionar failed: $(cat "$T/setup.log")"
    exit 1
fi
grep -q 'deprecated' "$T/setup.log" && falha "the setup shows CUPS's driver deprecation note"

cp "$VORLIN_AMOSTRA" "$T/amostra.pdf"
printf 'Balancete de teste\nlinha 2 com acentuação\n' > "$T/texto.txt"
chmod 0644 "$T/amostra.pdf" "$T/texto.txt"

# --- user 2 prints while no session of theirs runs: the PDF waits for their agent
como "$U2" lp -d VorlinPrinter -t "Folha de pagamento.xlsx" "$T/amostra.pdf" >/dev/null || falha "lp as $U2 failed"

# --- user 1: PDF and text, handed to the program by the agent
inicia_agente "$U1"
como "$U1" lp -d VorlinPrinter -t "Balancete 03/2024.pdf" "$T/amostra.pdf" >/dev/null || falha "lp of a PDF failed"
esperado="$SPOOL/$U1/opened/Balancete 03-2024.pdf"
entregue=$(espera_entrega "$U1" 1)
[ "$entregue" = "$esperado" ] && ok "PDF handed over as $esperado" || falha "PDF handed over as '$entregue', expected '$esperado'"
confere_arquivo "$esperado" "$U1" "PDF"
[ "$(stat -c '%U %a' "$SPOOL/$U1")" = "$U1 700" ] || falha "spool folder is $(stat -c '%U %a' "$SPOOL/$U1"), expected $U1 700"

# the same title while the first is still open: the job id keeps the names apart
job=$(como "$U1" lp -d VorlinPrinter -t "Balancete 03/2024.pdf" "$T/amostra.pdf" | job_id)
segundo=$(espera_entrega "$U1" 2)
[ "$segundo" = "$SPOOL/$U1/opened/Balancete 03-2024 ($job).pdf" ] && ok "a name in use gets the job id" \
    || falha "second job with the same title handed over as '$segundo' (job $job)"

como "$U1" lp -d VorlinPrinter "$T/texto.txt" >/dev/null || falha "lp of a text file failed"
texto=$(espera_entrega "$U1" 3)
[ "$texto" = "$SPOOL/$U1/opened/texto.pdf" ] && ok "text file handed over as texto.pdf" || falha "text file handed over as '$texto'"
confere_arquivo "$texto" "$U1" "text file"

# the program ends: the agent removes the file
for f in "$entregue" "$segundo" "$texto"; do
    touch "$T/liberar/$(basename "$f")"
    espera_sumir "$f" && ok "removed after the program ended: $(basename "$f")" || falha "$f still there after the program ended"
done

# --- another user's name: refused, and nothing reaches that user
if como "$U1" lp -d VorlinPrinter -U "$U2" "$T/amostra.pdf" >"$T/spoof.log" 2>&1; then
    falha "lp -U $U2 run by $U1 was accepted: $(cat "$T/spoof.log")"
else
    ok "lp -U $U2 run by $U1 refused ($(tr '\n' ' ' < "$T/spoof.log"))"
fi

# --- raw data that is not a PDF: cancelled, the queue goes on
raw=$(como "$U1" lp -d VorlinPrinter -o raw "$T/texto.txt" | job_id)
n=0
until grep -q "\[Job $raw\] Job canceled at printer" "$CUPS_DIR/log/error_log" 2>/dev/null || [ $n -ge 200 ]; do
    sleep 0.05
    n=$((n + 1))
done
grep -q "\[Job $raw\] .*não são um PDF" "$CUPS_DIR/log/error_log" && ok "raw job $raw cancelled with its reason in the log" \
    || falha "raw job $raw: no cancellation line in the error log"
LC_ALL=C lpstat -p VorlinPrinter | grep -q enabled && LC_ALL=C lpstat -a VorlinPrinter | grep -q accepting \
    && ok "queue still enabled and accepting" || falha "queue stopped after the raw job: $(LC_ALL=C lpstat -p VorlinPrinter)"
como "$U1" lp -d VorlinPrinter -t "depois do raw" "$T/amostra.pdf" >/dev/null
depois=$(espera_entrega "$U1" 4)
[ "$depois" = "$SPOOL/$U1/opened/depois do raw.pdf" ] && ok "next job printed normally" || falha "job after the raw one: '$depois'"
touch "$T/liberar/depois do raw.pdf"

# --- user 2's session starts: the waiting PDF is handed on
[ -f "$SPOOL/$U2/Folha de pagamento.pdf" ] && ok "PDF waits while no agent runs" || falha "user 2's PDF is not waiting in $SPOOL/$U2"
inicia_agente "$U2"
espera=$(espera_entrega "$U2" 1)
[ "$espera" = "$SPOOL/$U2/opened/Folha de pagamento.pdf" ] && ok "waiting PDF handed on when the agent starts" \
    || falha "user 2's PDF handed over as '$espera'"
touch "$T/liberar/Folha de pagamento.pdf"

# --- the backend's own refusals (run as cupsd would)
for a in $AGENTES; do kill "$a" 2>/dev/null; done
AGENTES=""
backend() { VORLIN_SPOOL=$SPOOL "$CUPS_DIR/bin/backend/vorlin" "$@" < "$T/amostra.pdf" 2>"$T/backend.log"; }
backend 900 vptst-nobody "x" 1 ""
[ $? -eq 5 ] && ok "unknown user: job cancelled" || falha "unknown user not cancelled"
backend 901 "../$U1" "x" 1 ""
[ $? -eq 5 ] && ok "user name with a path: job cancelled" || falha "user name with a path not cancelled"
mkdir -p "$T/alvo"
rm -rf "$SPOOL/$U2"
ln -s "$T/alvo" "$SPOOL/$U2"
backend 902 "$U2" "pelo link" 1 ""
[ $? -eq 5 ] && [ -z "$(ls -A "$T/alvo")" ] && ok "spool folder replaced by a link: cancelled, nothing written" \
    || falha "the backend wrote through a link: $(ls -A "$T/alvo") $(cat "$T/backend.log")"
rm -f "$SPOOL/$U2"

# --- removal leaves cupsd's configuration as it was
"$VORLIN_SETUP" --remover >/dev/null || falha "vorlin-printer-setup --remover failed"
depois_conf=$(cat "$ETC/cupsd.conf" "$ETC/cups-files.conf" | md5sum)
depois_filas=$(LC_ALL=C lpstat -v 2>&1; ls "$ETC/ppd")
[ "$antes_conf" = "$depois_conf" ] && ok "cupsd.conf unchanged" || falha "cupsd.conf changed"
[ "$antes_filas" = "$depois_filas" ] && ok "no queue or PPD left" || falha "left behind: $depois_filas"

cups_para
grep -q 'outro agente\|não foi' "$T"/agente-*.log && falha "agent complained: $(cat "$T"/agente-*.log)"
echo "took $(( $(date +%s) - INICIO )) s"
[ $FALHAS -eq 0 ] || { echo "$FALHAS failure(s)"; exit 1; }
