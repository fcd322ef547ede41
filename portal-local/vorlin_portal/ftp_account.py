"""The offices' FTP accounts: one flat folder per office, passive mode, and
FTP over TLS (explicit, AUTH TLS) when the portal speaks TLS."""

import hmac
import importlib
import logging
import os
import sys
import threading

from pyftpdlib.authorizers import AuthenticationFailed, DummyAuthorizer
from pyftpdlib.ioloop import IOLoop
from pyftpdlib.servers import FTPServer

from . import wire

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


def _handlers(tls):
    """pyftpdlib's handlers module. It pulls in pyOpenSSL whenever that is
    installed, a tenth of a second of start-up that only FTPS needs: a plain
    portal imports it with pyOpenSSL hidden, a TLS one afterwards reloads it."""
    if "pyftpdlib.handlers" not in sys.modules and not tls and "OpenSSL" not in sys.modules:
        sys.modules["OpenSSL"] = None
        try:
            importlib.import_module("pyftpdlib.handlers")
        finally:
            del sys.modules["OpenSSL"]
    modulo = importlib.import_module("pyftpdlib.handlers")
    if tls and not hasattr(modulo, "TLS_FTPHandler"):
        modulo = importlib.reload(modulo)
    return modulo


class Sessoes:
    """What each FTP connection did, for the tests: the commands in order
    (names only, never their arguments), each with whether the control
    channel was encrypted when it arrived, and every transfer with whether
    its data channel was. Only the last connections are kept."""

    LIMITE = 100

    def __init__(self):
        self._trava = threading.Lock()
        self._lista = []

    def nova(self):
        registro = {"comandos": [], "transferencias": [], "tls_recusado": False}
        with self._trava:
            self._lista.append(registro)
            del self._lista[:-self.LIMITE]
        return registro

    def todas(self, zera=False):
        with self._trava:
            copia = [{k: (list(v) if isinstance(v, list) else v) for k, v in r.items()}
                     for r in self._lista]
            if zera:
                self._lista.clear()
        return copia


class Comportamento:
    """The portal's own behaviour, mixed into pyftpdlib's plain or TLS handler."""

    # a refused login answers quickly: the program's tests wait for it
    auth_failed_timeout = 0.1
    banner = "Portal Vorlin - FTP pronto."
    timeout = 120
    max_login_attempts = 3

    def __init__(self, conn, server, ioloop=None):
        self._registro = self.server_portal.sessoes_ftp.nova()
        super().__init__(conn, server, ioloop)

    def _cifrado(self):
        return bool(getattr(self, "_ssl_established", False))

    def pre_process_command(self, line, cmd, arg):
        self._registro["comandos"].append([cmd, self._cifrado()])
        return super().pre_process_command(line, cmd, arg)

    def handle_failed_ssl_handshake(self):
        # the client refused the certificate (or spoke no TLS at all)
        self._registro["tls_recusado"] = True
        return super().handle_failed_ssl_handshake()

    def _transferencia(self, comando):
        self._registro["transferencias"].append([comando, bool(getattr(self, "_prot", False))])

    def ftp_RETR(self, file):
        self._transferencia("RETR")
        return super().ftp_RETR(file)

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
        self._transferencia("STOR")
        return super().ftp_STOR(file, mode)


# bytes of an upload taken before "ftp_drop_upload" cuts the connections
CORTE_ENVIO = 64 * 1024


class ComportamentoDados:
    """The portal's own behaviour on data connections, mixed into pyftpdlib's
    plain or TLS one."""

    def handle_read_event(self):
        # pyftpdlib reads through this name (the plain handler's is its handle_read)
        super().handle_read_event()
        controle = self.cmd_channel
        if (self.receive and self.tot_bytes_received >= CORTE_ENVIO and controle is not None
                and controle.server_portal.falhas.toma("ftp_drop_upload")):
            # the line goes dead mid-file: no reply, both connections closed
            controle.close()

    def readable(self):
        # curl does the TLS handshake on a data connection as soon as it opens
        # it, before STOR or RETR; pyftpdlib would take those bytes, with no
        # transfer pending, for a client that went away
        return getattr(self, "_ssl_accepting", False) or super().readable()


class ServidorFTP:
    """pyftpdlib's loop in its own thread, stopped from outside by a flag."""

    def __init__(self, portal, host, porta, certificado=None):
        """certificado: (certificate file, key file) for FTPS, None for plain FTP."""
        handlers = _handlers(certificado is not None)
        atributos = {"authorizer": Autorizador(portal), "server_portal": portal}
        if certificado is None:
            base, dados = handlers.FTPHandler, handlers.DTPHandler
        else:
            base, dados = handlers.TLS_FTPHandler, handlers.TLS_DTPHandler
            atributos.update(certfile=certificado[0], keyfile=certificado[1], ssl_context=None)
        atributos["dtp_handler"] = type("CanalDados", (ComportamentoDados, dados), {})
        manipulador = type("ManipuladorPortal", (Comportamento, base), atributos)
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
