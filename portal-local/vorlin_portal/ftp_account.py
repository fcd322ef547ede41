"""The offices' FTP accounts: one flat folder per office, passive mode."""

import hmac
import logging
import os
import sys
import threading

# pyftpdlib pulls in pyOpenSSL for FTPS when it is installed: a tenth of a
# second of start-up for a feature the program does not use
sys.modules.setdefault("OpenSSL", None)

from pyftpdlib.authorizers import AuthenticationFailed, DummyAuthorizer  # noqa: E402
from pyftpdlib.handlers import FTPHandler  # noqa: E402
from pyftpdlib.ioloop import IOLoop  # noqa: E402
from pyftpdlib.servers import FTPServer  # noqa: E402

from . import wire  # noqa: E402

# list, change dir, retrieve, append, delete, rename, store; no sub-folders
PERMISSOES = "elradfw"

# a handler of our own keeps pyftpdlib from installing its INFO-level logging
logging.getLogger("pyftpdlib").addHandler(logging.NullHandler())
logging.getLogger("pyftpdlib").setLevel(logging.WARNING)


class Autorizador(DummyAuthorizer):
    def __init__(self, portal):
        super().__init__()
        self.portal = portal

    def _escritorio(self, usuario):
        return self.portal.banco.escritorio_por_ftp(usuario)

    def validate_authentication(self, username, password, handler):
        if self.portal.falhas.toma("ftp_refuse_login"):
            raise AuthenticationFailed("Login recusado pelo portal.")
        escritorio = self._escritorio(username)
        if escritorio is None or not hmac.compare_digest(
                password.encode("utf-8", "replace"),
                escritorio["ftp_senha"].encode("utf-8")):
            raise AuthenticationFailed("Usuário ou senha incorretos.")

    def get_home_dir(self, username):
        escritorio = self._escritorio(username)
        pasta = self.portal.pasta_ftp(escritorio["id"])
        os.makedirs(pasta, exist_ok=True)
        return pasta

    def has_user(self, username):
        return self._escritorio(username) is not None

    def has_perm(self, username, perm, path=None):
        if perm not in PERMISSOES:
            return False
        if path is None:
            return True
        pasta = os.path.realpath(self.get_home_dir(username))
        alvo = os.path.realpath(path)
        return alvo == pasta or os.path.dirname(alvo) == pasta

    def get_perms(self, username):
        return PERMISSOES

    def get_msg_login(self, username):
        return "Bem-vindo ao FTP do portal Vorlin."

    def get_msg_quit(self, username):
        return "Até logo."

    def impersonate_user(self, username, password):
        pass

    def terminate_impersonation(self, username):
        pass


class Manipulador(FTPHandler):
    # a refused login answers quickly: the program's tests wait for it
    auth_failed_timeout = 0.1
    banner = "Portal Vorlin - FTP pronto."
    timeout = 120
    max_login_attempts = 3

    def decode(self, dados):
        # names arrive as UTF-8 from most clients, as the ANSI code page from
        # some; both must find the file the registration names
        try:
            return dados.decode("utf-8")
        except UnicodeDecodeError:
            return wire.de_cp1252(dados)

    def ftp_STOR(self, file, mode="w"):
        falhas = self.server_portal.falhas
        if falhas.toma("ftp_refuse_upload"):
            self.respond("553 Envio recusado pelo portal.")
            return None
        if falhas.ativa("disk_full"):
            self.respond("452 Espaço em disco insuficiente.")
            return None
        return super().ftp_STOR(file, mode)


class ServidorFTP:
    """pyftpdlib's loop in its own thread, stopped from outside by a flag."""

    def __init__(self, portal, host, porta):
        manipulador = type("ManipuladorPortal", (Manipulador,), {
            "authorizer": Autorizador(portal),
            "server_portal": portal,
        })
        self._ioloop = IOLoop()
        self._servidor = FTPServer((host, porta), manipulador, ioloop=self._ioloop)
        self._servidor.max_cons = 64
        self.porta = self._servidor.socket.getsockname()[1]
        self._parar = threading.Event()
        self._fio = threading.Thread(target=self._roda, name="portal-ftp", daemon=True)

    def inicia(self):
        self._fio.start()

    def _roda(self):
        try:
            while not self._parar.is_set():
                self._ioloop.loop(timeout=0.05, blocking=False)
        finally:
            self._servidor.close_all()

    def para(self):
        self._parar.set()
        if self._fio.is_alive():
            self._fio.join(timeout=5)
