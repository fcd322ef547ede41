"""Command line: scripts/portal-local [--demo] [--free-ports] [--root DIR] ..."""

import argparse
import logging
import os
import shutil
import signal
import sys
import tempfile
import threading
import time

from . import demo, tls
from .server import PORTA_FTP, PORTA_HTTP, Portal
from .wire import Consulta


def raiz_padrao():
    base = os.environ.get("XDG_DATA_HOME") or os.path.join(os.path.expanduser("~"),
                                                           ".local", "share")
    return os.path.join(base, "vorlin-portal-local")


def argumentos(args):
    p = argparse.ArgumentParser(
        prog="portal-local",
        description="Portal Vorlin local: HTTP e FTP em 127.0.0.1 para o Vorlin Printer.")
    p.add_argument("--demo", action="store_true",
                   help="cria o escritório de demonstração (se ainda não existir)")
    p.add_argument("--free-ports", action="store_true",
                   help="usa portas livres; a linha 'PORTS http=N ftp=N' as informa")
    p.add_argument("--http-port", type=int, default=PORTA_HTTP)
    p.add_argument("--ftp-port", type=int, default=PORTA_FTP)
    p.add_argument("--root", help="pasta de dados (padrão: %s; com --free-ports e sem"
                   " --root, uma pasta temporária apagada ao sair)" % raiz_padrao())
    p.add_argument("--db", help="arquivo SQLite (padrão: ROOT/portal.db)")
    p.add_argument("--tls", nargs="?", const="valid", choices=sorted(tls.TIPOS), metavar="CERT",
                   help="serve HTTPS e FTP sobre TLS (AUTH TLS) com um certificado de uma AC"
                   " descartável criada na pasta de dados; CERT (padrão valid) escolhe um"
                   " certificado com defeito para testes: expired, wrong-name, other-ca")
    p.add_argument("--fault", action="append", default=[], metavar="SPEC",
                   help="liga um modo de falha, ex.: 'delay&ms=500&path=dicas_b.asp'")
    p.add_argument("--watch-stdin", action="store_true",
                   help="encerra quando a entrada padrão fecha (processo pai terminou)")
    p.add_argument("--lifetime", type=float, default=0,
                   help="encerra sozinho depois de tantos segundos (0: nunca)")
    p.add_argument("--verbose", action="store_true", help="registra cada requisição")
    return p.parse_args(args)


def liga_falha(portal, spec):
    if "=" not in spec.partition("&")[0]:
        spec = "fault=" + spec
    q = Consulta(spec)
    vezes = q.inteiro("count") if q.tem("count") else None
    portal.falhas.liga(q.texto("fault"), q.texto("path", ""), vezes, q.inteiro("ms", 0) or 0)


def main(args=None):
    opcoes = argumentos(sys.argv[1:] if args is None else args)
    logging.basicConfig(level=logging.INFO if opcoes.verbose else logging.WARNING,
                        format="portal-local: %(message)s")
    temporaria = None
    raiz = opcoes.root
    if raiz is None:
        if opcoes.free_ports:
            raiz = temporaria = tempfile.mkdtemp(prefix="vorlin-portal-")
        else:
            raiz = raiz_padrao()
    portas = (0, 0) if opcoes.free_ports else (opcoes.http_port, opcoes.ftp_port)
    portal = Portal(raiz, banco=opcoes.db, porta_http=portas[0], porta_ftp=portas[1],
                    verboso=opcoes.verbose, tls=opcoes.tls)
    parar = threading.Event()
    try:
        for spec in opcoes.fault:
            try:
                liga_falha(portal, spec)
            except (ValueError, TypeError):
                print(f"portal-local: modo de falha inválido: {spec}", file=sys.stderr)
                return 2
        portal.abre_banco()
        if opcoes.demo:
            portal.semeia_demo()
        try:
            portal.inicia()
        except OSError as exc:
            print(f"portal-local: não foi possível abrir as portas: {exc}", file=sys.stderr)
            return 1
        for sinal in (signal.SIGTERM, signal.SIGINT):
            signal.signal(sinal, lambda *_: parar.set())
        # the authority's path comes last: it runs to the end of the line
        ac = f" ca={portal.caminho_ac}" if portal.tls else ""
        print(f"PORTS http={portal.http_port} ftp={portal.ftp_port}{ac}", flush=True)
        ftp = "FTP sobre TLS" if portal.tls else "FTP"
        print(f"Portal Vorlin em {portal.url_base} ({ftp} {portal.ftp_host}), dados em {raiz}",
              file=sys.stderr, flush=True)
        if portal.tls:
            print(f"Autoridade certificadora (certificado {portal.tls}): {portal.caminho_ac}",
                  file=sys.stderr, flush=True)
        if opcoes.demo:
            print(f"Escritório de demonstração: domínio {demo.DOMINIO}, login {demo.LOGIN},"
                  f" senha {demo.SENHA}", file=sys.stderr, flush=True)
        if opcoes.watch_stdin:
            threading.Thread(target=_vigia_entrada, args=(parar,), daemon=True).start()
        fim = time.monotonic() + opcoes.lifetime if opcoes.lifetime > 0 else None
        while not parar.wait(0.5):
            if fim is not None and time.monotonic() >= fim:
                break
        return 0
    finally:
        portal.para()
        if temporaria:
            shutil.rmtree(temporaria, ignore_errors=True)


def _vigia_entrada(parar):
    # os.read, not sys.stdin: a thread blocked inside the buffered reader
    # holds its lock and aborts the interpreter's shutdown
    try:
        while os.read(sys.stdin.fileno(), 4096):
            pass
    except (OSError, ValueError):
        pass
    parar.set()


if __name__ == "__main__":
    sys.exit(main())
