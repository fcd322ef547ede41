"""HTTP side: routing of the program's requests, logo files, the report
page, fault modes and the control requests of the tests."""

import http.server
import json
import logging
import os
import re
import socketserver
import ssl
import traceback

from . import api, faults, history, publish, report, wire
from .wire import Consulta, Resposta

log = logging.getLogger("vorlin_portal.http")

MAX_CONSULTA = 16384

ROTAS = {
    "/printer/printer_login_b.asp": api.login,
    "/printer/printer_login_conf_b.asp": api.confirma,
    "/printer/printer_login.asp": api.conectividade,
    "/printer/sincroniza.asp": api.sincroniza,
    "/printer/espaco_b.asp": api.espaco,
    "/printer/dicas_b.asp": api.dica,
    "/printer/retornausuariosclientestodos.asp": api.usuarios_cliente,
    "/printer/retornausuariosclientestodosnovo.asp": api.usuarios_todos,
    "/printer/carregapastas.asp": api.pastas,
    "/printer/carregaparametros.asp": api.parametros,
    "/printer/publica_b_novo.asp": publish.registra,
    "/printer/avisos_b.asp": publish.avisos,
    "/printer/avisos.asp": publish.avisos,
    "/printer/consulta_b.asp": history.consulta,
    "/printer/relatorio.asp": report.relatorio,
}

PREFIXO_LOGO = "/site/vorlin/escritorio_arq/"

TIPOS_IMAGEM = {".png": "image/png", ".jpg": "image/jpeg", ".jpeg": "image/jpeg",
                ".gif": "image/gif", ".bmp": "image/bmp"}

LIXO = (b"#\x00\x81\xffVORLIN?<!#>@%|*+-*=\r\n\x9d\x8f" * 8)[:157]

PAGINA_500 = (b"<html><head><title>500 - Erro interno do servidor</title></head>"
              b"<body><h1>500 - Erro interno do servidor.</h1></body></html>")


def caminho_normal(cru):
    """Path of a request: repeated slashes collapsed (some of the program's
    paths begin with '/' after a base that ends with one), %XX decoded."""
    caminho = wire.de_cp1252(wire.desescapa(cru))
    return re.sub(r"/+", "/", "/" + caminho)


class Manipulador(http.server.BaseHTTPRequestHandler):
    server_version = "VorlinPortal/1.0"
    sys_version = ""
    # http.server's own limit on a request line is 64 KiB; ours is smaller
    timeout = 30

    def setup(self):
        super().setup()
        if isinstance(self.connection, ssl.SSLSocket):
            # here, in the request's own thread, so a slow client holds up no one
            try:
                self.connection.do_handshake()
            except (ssl.SSLError, OSError) as exc:
                self.server.portal.recusas_tls.append(getattr(exc, "reason", None) or str(exc))
                del self.server.portal.recusas_tls[:-100]
                raise

    def log_message(self, formato, *args):
        if self.server.portal.verboso:
            log.info("%s %s", self.address_string(), formato % args)

    def do_HEAD(self):
        self.send_error(405)

    def do_POST(self):
        self.send_error(405)

    def do_GET(self):
        portal = self.server.portal
        cru = self.path
        if cru.startswith(("http://", "https://")):
            cru = "/" + cru.split("://", 1)[1].partition("/")[2]
        caminho_cru, _, consulta = cru.partition("?")
        consulta = consulta.partition("#")[0]
        caminho = caminho_normal(caminho_cru)
        chave = caminho.lower()

        if chave == "/__control" or chave.startswith("/__control/"):
            return self._controle(chave, consulta)

        portal.falhas.conta(chave)
        atraso, falha = portal.falhas.para_http(chave)
        faults.espera(atraso)
        if falha == "drop":
            self.close_connection = True
            return
        if falha == "garbage":
            return self._envia(200, LIXO, "text/plain")
        if falha == "http500":
            return self._envia(500, PAGINA_500, "text/html")

        resposta = self._responde(portal, chave, caminho, consulta)
        if isinstance(resposta, str):
            resposta = Resposta(wire.para_cp1252(resposta), 200,
                                "text/plain; charset=windows-1252")
        self._envia(resposta.status, resposta.corpo, resposta.tipo,
                    truncado=(falha == "truncated"))

    def _responde(self, portal, chave, caminho, consulta):
        try:
            if len(consulta) > MAX_CONSULTA:
                return api.invalida("Requisição muito longa!")
            rota = ROTAS.get(chave)
            if rota is not None:
                return rota(portal, consulta)
            if chave.startswith(PREFIXO_LOGO):
                return self._logo(portal, caminho[len(PREFIXO_LOGO):])
            if chave in ("/", "/index.html", "/site", "/site/"):
                return self._inicio(portal)
            return report.erro("Página não encontrada.", 404)
        except Exception:
            log.error("falha em %s?%s\n%s", caminho, consulta[:200], traceback.format_exc())
            return Resposta(wire.para_cp1252(wire.recusa("9", "Erro interno do portal!")),
                            500, "text/plain; charset=windows-1252")

    def _logo(self, portal, resto):
        pasta, _, nome = resto.partition("/")
        escritorio_id = wire.inteiro(pasta) if pasta.isdigit() else None
        if escritorio_id is None or not publish.nome_seguro(nome):
            return report.erro("Arquivo não encontrado.", 404)
        caminho = os.path.join(portal.pasta_logo(escritorio_id), nome)
        try:
            with open(caminho, "rb") as f:
                corpo = f.read()
        except OSError:
            return report.erro("Arquivo não encontrado.", 404)
        tipo = TIPOS_IMAGEM.get(os.path.splitext(nome)[1].lower(), "application/octet-stream")
        return Resposta(corpo, 200, tipo)

    def _inicio(self, portal):
        linhas = ["<h1>Portal Vorlin (local)</h1>",
                  "<p>Portal de demonstração e testes do Vorlin Printer.</p><ul>"]
        for e in portal.banco.todos("SELECT id, nome, dominio FROM escritorios ORDER BY id"):
            linhas.append(f"<li><a href=\"/printer/relatorio.asp?asp_contador={e['id']}"
                          f"&amp;asp_id_admin=1\">{report.html.escape(e['nome'])}</a>"
                          f" (domínio {report.html.escape(e['dominio'])})</li>")
        linhas.append("</ul>")
        return report._pagina("Portal Vorlin", "\r\n".join(linhas))

    def _envia(self, status, corpo, tipo, truncado=False):
        try:
            self.send_response(status)
            self.send_header("Content-Type", tipo)
            self.send_header("Content-Length", str(len(corpo)))
            self.send_header("Cache-Control", "no-store")
            self.send_header("Connection", "close")
            self.end_headers()
            # a truncated reply promises the whole body and sends half of it
            self.wfile.write(corpo[:len(corpo) // 2] if truncado else corpo)
            self.wfile.flush()
        except (BrokenPipeError, ConnectionResetError):
            pass
        self.close_connection = True

    # -- control requests (tests only) ---------------------------------------

    def _controle(self, chave, consulta):
        portal = self.server.portal
        q = Consulta(consulta)
        try:
            if chave == "/__control/counts":
                dados = portal.falhas.contagens(zera=q.texto("reset") == "1")
            elif chave == "/__control/ftp":
                dados = portal.sessoes_ftp.todas(zera=q.texto("reset") == "1")
            elif chave == "/__control/avisos":
                dados = [dict(a) for a in portal.banco.avisos()]
            elif chave in ("/__control", "/__control/state"):
                dados = self._controle_estado(portal, q)
            else:
                return self._json(404, {"erro": "desconhecido"})
        except ValueError as exc:
            return self._json(400, {"erro": str(exc)})
        return self._json(200, dados)

    def _controle_estado(self, portal, q):
        falha = q.texto("fault")
        if falha is not None:
            if falha == "none":
                portal.falhas.desliga()
            elif falha.startswith("-"):
                portal.falhas.desliga(falha[1:])
            else:
                vezes = q.inteiro("count") if q.tem("count") else None
                ms = q.inteiro("ms") if q.tem("ms") else 0
                if (q.tem("count") and vezes is None) or ms is None:
                    raise ValueError("count/ms")
                portal.falhas.liga(falha, q.texto("path", ""), vezes, ms)
        if q.tem("clock_offset"):
            deslocamento = wire.inteiro(q.texto("clock_offset"))
            if deslocamento is None:
                raise ValueError("clock_offset")
            portal.relogio.deslocamento = deslocamento
        estado = {"faults": portal.falhas.regras(),
                  "clock_offset": portal.relogio.deslocamento,
                  "http": portal.http_port, "ftp": portal.ftp_port}
        if portal.tls is not None:
            estado["tls"] = {"certificate": portal.tls, "ca": portal.caminho_ac,
                             "refused": list(portal.recusas_tls)}
        return estado

    def _json(self, status, dados):
        self._envia(status, json.dumps(dados, ensure_ascii=False).encode("utf-8"),
                    "application/json; charset=utf-8")


class ServidorHTTP(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True
    request_queue_size = 64

    def __init__(self, endereco, portal, contexto_tls=None):
        self.portal = portal
        self.contexto_tls = contexto_tls
        super().__init__(endereco, Manipulador)

    def get_request(self):
        conexao, endereco = super().get_request()
        if self.contexto_tls is not None:
            conexao = self.contexto_tls.wrap_socket(conexao, server_side=True,
                                                    do_handshake_on_connect=False)
        return conexao, endereco

    def handle_error(self, request, client_address):
        log.debug("conexão encerrada com erro: %s", traceback.format_exc())
