# A cupsd of our own, for the print-queue test and benchmark: its own configuration, spool,
# logs and socket under one folder, so the machine's CUPS (running or not) is never touched.
# Sourced; needs root. After cups_inicia, CUPS_SERVER points the CUPS clients at it.
#
#   cups_inicia <folder> <backend> [name=backend ...]   starts it; backends go into its ServerBin
#   cups_para                                          stops it by its PID

CUPS_PID=""

cups_inicia() {
    _raiz=$1
    CUPS_DIR=$_raiz/cups
    _backend=$2
    shift 2
    mkdir -p "$CUPS_DIR/etc/ppd" "$CUPS_DIR/spool" "$CUPS_DIR/cache" "$CUPS_DIR/state" "$CUPS_DIR/log" \
        "$CUPS_DIR/bin/backend" "$_raiz/spool"
    chmod 0755 "$_raiz" "$CUPS_DIR" "$_raiz/spool"
    VORLIN_SPOOL_TESTE=$_raiz/spool
    # CUPS's own filters and helpers, plus the backend under test (root-only: cupsd runs it as root).
    for _d in filter daemon cgi-bin monitor notifier driver; do
        ln -s "/usr/lib/cups/$_d" "$CUPS_DIR/bin/$_d"
    done
    install -m 0700 "$_backend" "$CUPS_DIR/bin/backend/vorlin"
    for _extra in "$@"; do
        install -m 0700 "${_extra#*=}" "$CUPS_DIR/bin/backend/${_extra%%=*}"
    done
    cat > "$CUPS_DIR/etc/cups-files.conf" <<FIM
ServerRoot $CUPS_DIR/etc
RequestRoot $CUPS_DIR/spool
CacheDir $CUPS_DIR/cache
StateDir $CUPS_DIR/state
ServerBin $CUPS_DIR/bin
AccessLog $CUPS_DIR/log/access_log
ErrorLog $CUPS_DIR/log/error_log
PageLog $CUPS_DIR/log/page_log
SystemGroup root
PeerCred on
SetEnv VORLIN_SPOOL $VORLIN_SPOOL_TESTE
FIM
    # Debian's default policies (the queue relies on "authenticated"); only the listeners change.
    {
        echo "Listen $CUPS_DIR/cups.sock"
        echo "LogLevel info"
        echo "Browsing No"
        echo "WebInterface No"
        grep -Ev '^[[:space:]]*(Listen|Port|Browsing|BrowseLocalProtocols|IdleExitTimeout|WebInterface|LogLevel)([[:space:]]|$)' \
            /usr/share/cups/cupsd.conf.default
    } > "$CUPS_DIR/etc/cupsd.conf"
    /usr/sbin/cupsd -f -c "$CUPS_DIR/etc/cupsd.conf" -s "$CUPS_DIR/etc/cups-files.conf" \
        > "$CUPS_DIR/log/cupsd.out" 2>&1 &
    CUPS_PID=$!
    CUPS_SERVER=$CUPS_DIR/cups.sock
    export CUPS_SERVER
    # lpstat -r exits 0 either way: read what it says.
    _n=0
    until LC_ALL=C lpstat -r 2>/dev/null | grep -q 'scheduler is running'; do
        _n=$((_n + 1))
        if [ $_n -gt 150 ] || ! kill -0 "$CUPS_PID" 2>/dev/null; then
            echo "cupsd did not start:" >&2
            cat "$CUPS_DIR/log/cupsd.out" "$CUPS_DIR/log/error_log" >&2 2>/dev/null
            return 1
        fi
        sleep 0.1
    done
}

cups_para() {
    [ -n "$CUPS_PID" ] || return 0
    kill "$CUPS_PID" 2>/dev/null
    wait "$CUPS_PID" 2>/dev/null
    CUPS_PID=""
}
