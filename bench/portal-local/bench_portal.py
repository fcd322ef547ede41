#!/usr/bin/python3
"""Benchmarks of the local portal:
  - start-up: from launching scripts/portal-local to its PORTS line, with a
    fresh folder (demo office seeded) and with an existing one;
  - the history query over 10,000 publications, through HTTP, for the
    filters the history window sends.

    bench/portal-local/bench_portal.py [--runs N] [--json FILE]
"""

import argparse
import datetime
import json
import os
import random
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import time

AQUI = os.path.dirname(os.path.abspath(__file__))
RAIZ_REPO = os.path.normpath(os.path.join(AQUI, "..", ".."))
sys.path.insert(0, os.path.join(RAIZ_REPO, "portal-local"))

from vorlin_portal.server import Portal  # noqa: E402

SCRIPT = os.path.join(RAIZ_REPO, "scripts", "portal-local")
PUBLICACOES = 10000


def inicio(raiz, demo):
    """Seconds from launch to the PORTS line."""
    comando = [SCRIPT, "--free-ports", "--watch-stdin", "--lifetime", "30", "--root", raiz]
    if demo:
        comando.append("--demo")
    t0 = time.perf_counter()
    processo = subprocess.Popen(comando, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                stderr=subprocess.DEVNULL)
    linha = processo.stdout.readline()
    decorrido = time.perf_counter() - t0
    processo.stdin.close()
    processo.wait(timeout=10)
    processo.stdout.close()
    if not linha.startswith(b"PORTS "):
        raise RuntimeError("portal did not start")
    return decorrido


def mede_inicio(execucoes):
    frescos, existentes = [], []
    for _ in range(execucoes):
        raiz = tempfile.mkdtemp(prefix="vorlin-bench-")
        try:
            frescos.append(inicio(raiz, True))
            existentes.append(inicio(raiz, True))
        finally:
            shutil.rmtree(raiz, ignore_errors=True)
    return frescos, existentes


def semeia(portal):
    """An office with 10,000 publications: 12 clients, 2 publishers, every
    document type, dates over two years, some read, deleted, scheduled."""
    b = portal.banco
    eid = b.cria_escritorio("BENCH", "Escritório de Carga", 10**12, "bench", "b")
    logins = [b.cria_login(eid, "ANA", "Ana", "a"), b.cria_login(eid, "BRUNO", "Bruno", "b")]
    clientes = [b.cria_cliente(eid, f"Cliente {n:02d}") for n in range(12)]
    pasta = b.cria_pasta(eid, "GERAL")
    aleatorio = random.Random(7)
    agora = datetime.datetime.now().replace(microsecond=0)
    hoje = agora.date()
    with b.transacao() as c:
        for n in range(PUBLICACOES):
            publicada = agora - datetime.timedelta(minutes=aleatorio.randrange(2 * 365 * 24 * 60))
            tipo = "PRD"[n % 3]
            aid = c.execute("INSERT INTO arquivos (escritorio_id, nome, tamanho, recebido_em)"
                            " VALUES (?, ?, ?, ?)",
                            (eid, f"documento_{n}.pdf", aleatorio.randrange(1000, 500000),
                             publicada.isoformat(sep=" "))).lastrowid
            dia = publicada.date()
            c.execute(
                "INSERT INTO publicacoes (escritorio_id, cliente_id, arquivo_id, login_id,"
                " tipo_doc, descricao, ativacao, expiracao, vencimento, valor, pasta_id,"
                " publicada_em, lida_em, apagada_em) VALUES"
                " (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                (eid, clientes[n % 12], aid, logins[n % 2], tipo,
                 f"Documento {aleatorio.choice(['Guia', 'Balancete', 'Holerite', 'Ata'])} {n}",
                 (hoje + datetime.timedelta(days=3)).isoformat() if n % 50 == 0 else None,
                 (dia + datetime.timedelta(days=400)).isoformat() if n % 7 == 0 else None,
                 (dia + datetime.timedelta(days=20)).isoformat() if tipo == "P" else None,
                 aleatorio.randrange(10000) / 100 if tipo == "P" else 0, pasta,
                 publicada.isoformat(sep=" "),
                 publicada.isoformat(sep=" ") if n % 3 == 0 else None,
                 publicada.isoformat(sep=" ") if n % 40 == 0 else None))
    return clientes, logins


def pede(porta, caminho):
    with socket.create_connection(("127.0.0.1", porta), timeout=30) as s:
        s.sendall(b"GET " + caminho.encode() + b" HTTP/1.0\r\n\r\n")
        partes = []
        while True:
            bloco = s.recv(1 << 20)
            if not bloco:
                break
            partes.append(bloco)
    return b"".join(partes).partition(b"\r\n\r\n")[2]


def mede_historico(execucoes):
    raiz = tempfile.mkdtemp(prefix="vorlin-bench-")
    portal = Portal(raiz, porta_http=0, porta_ftp=0)
    try:
        portal.abre_banco()
        clientes, logins = semeia(portal)
        portal.inicia()
        porta = portal.http_port
        login = pede(porta, "/printer/printer_login_b.asp?log=ANA&psw=a&dom=BENCH")
        linhas = login.decode("cp1252").split("\r\n")
        sl = f"s={linhas[1]}&l={linhas[8]}"
        hoje = datetime.date.today()
        inicio_ano = (hoje - datetime.timedelta(days=365)).strftime("%Y%m%d")
        consultas = {
            "todos, por publicação": "&t=0&o=0",
            "todos, por descrição": "&t=0&o=4",
            "um cliente": f"&e={clientes[3]}&t=0&o=0",
            "pagamentos, vencimento num ano": f"&t=1&d=v&i={inicio_ano}"
                                              f"&f={hoje.strftime('%Y%m%d')}&o=3",
            "publicados num ano, por usuário": f"&t=0&d=t&i={inicio_ano}&o=5",
            "ativos de um usuário": f"&t=0&u={logins[1]}&o=0&m=3",
        }
        resultados = {}
        for nome, filtros in consultas.items():
            caminho = f"/printer/consulta_b.asp?{sl}{filtros}"
            corpo = pede(porta, caminho)
            contagem = int(corpo.decode("cp1252").split("\r\n")[2])
            tempos = []
            for _ in range(execucoes):
                t0 = time.perf_counter()
                pede(porta, caminho)
                tempos.append(time.perf_counter() - t0)
            resultados[nome] = {"registros": contagem, "bytes": len(corpo),
                                "mediana_ms": statistics.median(tempos) * 1000,
                                "max_ms": max(tempos) * 1000}
        return resultados
    finally:
        portal.para()
        shutil.rmtree(raiz, ignore_errors=True)


def main():
    p = argparse.ArgumentParser()
    p.add_argument("--runs", type=int, default=11)
    p.add_argument("--json", help="also write the results to this file")
    opcoes = p.parse_args()

    frescos, existentes = mede_inicio(max(3, opcoes.runs // 2))
    print(f"start-up, fresh folder + demo seed: median {statistics.median(frescos) * 1000:.0f} ms"
          f" (max {max(frescos) * 1000:.0f} ms)")
    print(f"start-up, existing folder:          median {statistics.median(existentes) * 1000:.0f}"
          f" ms (max {max(existentes) * 1000:.0f} ms)")
    historico = mede_historico(opcoes.runs)
    print(f"history query over {PUBLICACOES} publications ({opcoes.runs} runs each):")
    for nome, r in historico.items():
        print(f"  {nome:34s} {r['registros']:6d} records {r['bytes'] / 1024:8.0f} KiB"
              f"  median {r['mediana_ms']:6.1f} ms  max {r['max_ms']:6.1f} ms")
    if opcoes.json:
        with open(opcoes.json, "w") as f:
            json.dump({"inicio_fresco_s": frescos, "inicio_existente_s": existentes,
                       "historico": historico}, f, indent=2, ensure_ascii=False)


if __name__ == "__main__":
    main()
