"""Fault modes the program's tests switch on and off, and request counters."""

import threading
import time

HTTP = ("delay", "drop", "garbage", "truncated", "http500")
FTP = ("ftp_refuse_login", "ftp_refuse_upload", "ftp_drop_upload")
AMBOS = ("disk_full",)
TODAS = HTTP + FTP + AMBOS

ATRASO_MAXIMO_MS = 120000


class Regra:
    def __init__(self, nome, caminho="", vezes=None, ms=0):
        self.nome = nome
        self.caminho = caminho.lower()
        self.vezes = vezes          # None: until switched off
        self.ms = ms

    def serve(self, caminho):
        return not self.caminho or self.caminho in (caminho or "").lower()

    def como_dict(self):
        d = {"fault": self.nome, "path": self.caminho, "count": self.vezes}
        if self.nome == "delay":
            d["ms"] = self.ms
        return d


class Falhas:
    """Active fault rules. A rule may be limited to paths that contain a
    text and to a number of uses, so a test can break exactly one request."""

    def __init__(self):
        self._trava = threading.Lock()
        self._regras = []
        self._contagens = {}

    def liga(self, nome, caminho="", vezes=None, ms=0):
        if nome not in TODAS:
            raise ValueError(nome)
        if vezes is not None and vezes <= 0:
            raise ValueError(vezes)
        ms = max(0, min(int(ms or 0), ATRASO_MAXIMO_MS))
        with self._trava:
            self._regras.append(Regra(nome, caminho or "", vezes, ms))

    def desliga(self, nome=None):
        with self._trava:
            self._regras = [r for r in self._regras if nome is not None and r.nome != nome]

    def regras(self):
        with self._trava:
            return [r.como_dict() for r in self._regras]

    def _usa(self, regra):
        if regra.vezes is not None:
            regra.vezes -= 1
            if regra.vezes <= 0:
                self._regras.remove(regra)

    def toma(self, nome, caminho=""):
        """True when a rule of that name applies; uses it up once."""
        with self._trava:
            for regra in self._regras:
                if regra.nome == nome and regra.serve(caminho):
                    self._usa(regra)
                    return True
        return False

    def ativa(self, nome, caminho=""):
        """Like toma, without using the rule up (for state queries)."""
        with self._trava:
            return any(r.nome == nome and r.serve(caminho) for r in self._regras)

    def para_http(self, caminho):
        """Milliseconds to wait, then the one fault that shapes the reply."""
        atraso, falha = 0, None
        with self._trava:
            for regra in list(self._regras):
                if not regra.serve(caminho):
                    continue
                if regra.nome == "delay":
                    atraso += regra.ms
                    self._usa(regra)
                elif regra.nome in HTTP and falha is None:
                    falha = regra.nome
                    self._usa(regra)
        return min(atraso, ATRASO_MAXIMO_MS), falha

    # -- counters ----------------------------------------------------------

    def conta(self, caminho):
        with self._trava:
            self._contagens[caminho] = self._contagens.get(caminho, 0) + 1

    def contagens(self, zera=False):
        with self._trava:
            copia = dict(self._contagens)
            if zera:
                self._contagens.clear()
        return copia


def espera(ms):
    if ms > 0:
        time.sleep(ms / 1000.0)
