"""The whole portal: database, storage folders, HTTP and FTP servers."""

import os
import threading

from . import demo, store, tls
from .faults import Falhas
from .ftp_account import ServidorFTP, Sessoes
from .http_server import ServidorHTTP

HOST = "127.0.0.1"
PORTA_HTTP = 8765
PORTA_FTP = 2121


class Portal:
    """Storage lives under one root folder:
        portal.db                  the database (unless another path is given)
        ftp/<office>/              each office's FTP account
        arquivos/<office>/<id>     published files, by stored-file id
        escritorio_arq/<office>/   logos, office id as at least four digits
        tls/                       certificates of a TLS portal (see tls.py)

    tls: None for plain HTTP and FTP; else the kind of certificate (tls.TIPOS)
    with which it serves HTTPS and FTP over TLS.
    """

    def __init__(self, raiz, banco=None, porta_http=PORTA_HTTP, porta_ftp=PORTA_FTP,
                 host=HOST, verboso=False, tls=None):
        self.raiz = os.path.abspath(str(raiz))
        self.caminho_banco = os.path.abspath(str(banco)) if banco else os.path.join(
            self.raiz, "portal.db")
        self.host = host
        self.verboso = verboso
        self.relogio = store.Relogio()
        self.falhas = Falhas()
        self.sessoes_ftp = Sessoes()
        self.tls = tls
        self.recusas_tls = []   # why HTTPS handshakes failed, newest last
        self._portas_pedidas = (porta_http, porta_ftp)
        self.banco = None
        self._http = None
        self._ftp = None
        self._fio_http = None

    # -- folders -----------------------------------------------------------

    def pasta_ftp(self, escritorio_id):
        return os.path.join(self.raiz, "ftp", f"{int(escritorio_id):04d}")

    def pasta_arquivos(self, escritorio_id):
        return os.path.join(self.raiz, "arquivos", f"{int(escritorio_id):04d}")

    def caminho_arquivo(self, escritorio_id, arquivo_id):
        return os.path.join(self.pasta_arquivos(escritorio_id), str(int(arquivo_id)))

    def pasta_logo(self, escritorio_id):
        return os.path.join(self.raiz, "escritorio_arq", f"{int(escritorio_id):04d}")

    # -- life cycle --------------------------------------------------------

    def abre_banco(self):
        if self.banco is None:
            os.makedirs(self.raiz, exist_ok=True)
            self.banco = store.abre(self.caminho_banco, self.relogio)
        return self.banco

    def semeia_demo(self):
        return demo.semeia(self)

    def inicia(self):
        self.abre_banco()
        porta_http, porta_ftp = self._portas_pedidas
        contexto, certificado = None, None
        if self.tls is not None:
            certificado = tls.certificado(self.raiz, self.tls)
            contexto = tls.contexto_servidor(self.raiz, self.tls)
        self._http = ServidorHTTP((self.host, porta_http), self, contexto)
        try:
            self._ftp = ServidorFTP(self, self.host, porta_ftp, certificado)
        except BaseException:
            self._http.server_close()
            raise
        self._fio_http = threading.Thread(target=self._http.serve_forever,
                                          kwargs={"poll_interval": 0.1},
                                          name="portal-http", daemon=True)
        self._fio_http.start()
        self._ftp.inicia()
        return self

    def para(self):
        if self._http is not None:
            self._http.shutdown()
            self._http.server_close()
            self._http = None
        if self._ftp is not None:
            self._ftp.para()
            self._ftp = None
        if self.banco is not None:
            self.banco.fecha()
            self.banco = None

    def __enter__(self):
        return self.inicia()

    def __exit__(self, *exc):
        self.para()
        return False

    # -- addresses ---------------------------------------------------------

    @property
    def http_port(self):
        return self._http.server_address[1] if self._http else None

    @property
    def ftp_port(self):
        return self._ftp.porta if self._ftp else None

    @property
    def ftp_host(self):
        """The host text of the login reply; the program reads ':port'."""
        return f"{self.host}:{self.ftp_port}"

    @property
    def url_base(self):
        esquema = "http" if self.tls is None else "https"
        return f"{esquema}://{self.host}:{self.http_port}/"

    @property
    def caminho_ac(self):
        """The authority a client must trust, None for a plain portal."""
        return None if self.tls is None else tls.caminho_ac(self.raiz)
