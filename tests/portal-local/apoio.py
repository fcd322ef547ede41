"""Shared fixture of the local portal's tests: a portal on free ports with a
fresh database, a raw HTTP client and the reply framing the program uses."""

import ftplib
import io
import json
import os
import shutil
import socket
import ssl
import sys
import tempfile
import unittest
import urllib.error
import urllib.request

AQUI = os.path.dirname(os.path.abspath(__file__))
RAIZ_REPO = os.path.normpath(os.path.join(AQUI, "..", ".."))
sys.path.insert(0, os.path.join(RAIZ_REPO, "portal-local"))

from vorlin_portal import demo  # noqa: E402
from vorlin_portal.server import Portal  # noqa: E402

MARCADOR = "Vorlin Printer"
CRLF = "\r\n"


def pedir_bruto(portal, caminho, tempo=10):
    """One GET with the request line sent byte for byte (raw '&', '%', '+',
    8-bit bytes), as the program's transport may send it; a str stands for
    its bytes one to one. Returns everything the server wrote before closing."""
    if isinstance(caminho, str):
        caminho = caminho.encode("latin-1")
    s = socket.create_connection(("127.0.0.1", portal.http_port), timeout=tempo)
    if portal.tls is not None:
        s = contexto_cliente(portal).wrap_socket(s, server_hostname="127.0.0.1")
    with s:
        s.sendall(b"GET " + caminho + b" HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n")
        dados = bytearray()
        while True:
            try:
                bloco = s.recv(65536)
            except ConnectionResetError:
                break
            if not bloco:
                break
            dados += bloco
    return bytes(dados)


def contexto_cliente(portal):
    """A client context that trusts only the portal's own authority."""
    return ssl.create_default_context(cafile=portal.caminho_ac)


def pedir(portal, caminho, tempo=10):
    """(status or None when the connection was dropped, body bytes)."""
    dados = pedir_bruto(portal, caminho, tempo)
    if not dados:
        return None, b""
    cabecalho, _, corpo = dados.partition(b"\r\n\r\n")
    return int(cabecalho.split(b" ", 2)[1]), corpo


def texto(portal, caminho):
    return pedir(portal, caminho)[1].decode("cp1252", errors="replace")


def linhas(portal, caminho):
    return texto(portal, caminho).split(CRLF)


def registros(secao):
    """Records and fields of one section or line."""
    return [r.split(">@%") for r in secao.split("<!#")] if secao else []


class ComPortal(unittest.TestCase):
    """One portal per test class. com_demo: seed the demo office."""

    com_demo = True
    tls = None   # or the kind of certificate of a TLS portal

    @classmethod
    def setUpClass(cls):
        cls.raiz = tempfile.mkdtemp(prefix="vorlin-portal-teste-")
        cls.portal = Portal(cls.raiz, porta_http=0, porta_ftp=0, tls=cls.tls)
        cls.portal.abre_banco()
        cls.banco = cls.portal.banco
        if cls.com_demo:
            cls.escritorio_id = cls.portal.semeia_demo()
        cls.prepara()
        cls.portal.inicia()

    @classmethod
    def prepara(cls):
        """Extra data of a test class, before the servers start."""

    @classmethod
    def tearDownClass(cls):
        cls.portal.para()
        shutil.rmtree(cls.raiz, ignore_errors=True)

    def tearDown(self):
        self.portal.falhas.desliga()
        self.portal.relogio.deslocamento = 0

    # -- the program's requests ----------------------------------------------

    def entra(self, dominio=demo.DOMINIO, login=demo.LOGIN, senha=demo.SENHA):
        partes = linhas(self.portal, "/printer/printer_login_b.asp?log=%s&psw=%s&dom=%s"
                        % (login, senha, dominio))
        self.assertEqual(partes[0], MARCADOR, partes)
        return Sessao(self, partes)

    def ftp(self, sessao):
        host, _, porta = sessao.ftp_host.partition(":")
        if self.portal.tls is None:
            cliente = ftplib.FTP()
        else:
            cliente = ftplib.FTP_TLS(context=contexto_cliente(self.portal))
        cliente.connect(host, int(porta), timeout=10)
        try:
            cliente.login(sessao.ftp_usuario, sessao.ftp_senha)
            if self.portal.tls is not None:
                cliente.prot_p()
        except BaseException:
            cliente.close()
            raise
        cliente.set_pasv(True)
        return cliente

    def envia_ftp(self, sessao, nome, conteudo):
        cliente = self.ftp(sessao)
        try:
            cliente.cwd("/")
            cliente.storbinary("STOR " + nome, io.BytesIO(conteudo))
        finally:
            cliente.quit()


class Sessao:
    """The values the program keeps from a login reply."""

    def __init__(self, teste, partes):
        self.linhas = partes
        self.numero = int(partes[1])
        self.usuario = partes[3]
        self.ftp_host, self.ftp_usuario, self.ftp_senha = partes[4], partes[5], partes[6]
        self.escritorio = partes[7]
        self.login_id = int(partes[8])
        self.escritorio_id = int(partes[9])
        self.logo = partes[10]
        self.admin = int(partes[14])

    @property
    def sl(self):
        """The "s=...&l=..." pair most requests carry."""
        return f"s={self.numero}&l={self.login_id}"


def controle(portal, caminho):
    """A control request; returns the decoded JSON (or the HTTP status on error)."""
    url = f"{portal.url_base}__control{caminho}"
    contexto = None if portal.tls is None else contexto_cliente(portal)
    try:
        with urllib.request.urlopen(url, timeout=10, context=contexto) as r:
            return json.loads(r.read())
    except urllib.error.HTTPError as exc:
        return exc.code
