"""The portal over TLS: HTTPS and explicit FTP over TLS with a certificate from
the authority it makes in its data folder, and the faulty certificates the
program's refusal tests rely on."""

import ftplib
import io
import os
import shutil
import socket
import ssl
import tempfile
import unittest

from apoio import MARCADOR, ComPortal, controle, linhas
from vorlin_portal import tls
from vorlin_portal.server import Portal

CONTEUDO = os.urandom(200_000) + b"\r\n\x00fim"


class PortalTLS(ComPortal):
    tls = "valid"

    def test_https_com_a_autoridade_do_portal(self):
        self.assertEqual(self.portal.url_base, f"https://127.0.0.1:{self.portal.http_port}/")
        self.assertEqual(self.portal.caminho_ac, os.path.join(self.raiz, "tls", "ac.pem"))
        sessao = self.entra()
        self.assertEqual(linhas(self.portal, f"/printer/espaco_b.asp?{sessao.sl}")[0][:14],
                         MARCADOR)

        # what a client without the portal's authority sees: an unknown issuer
        with socket.create_connection(("127.0.0.1", self.portal.http_port), timeout=10) as s:
            with self.assertRaises(ssl.SSLCertVerificationError) as erro:
                ssl.create_default_context().wrap_socket(s, server_hostname="127.0.0.1")
        self.assertEqual(erro.exception.verify_code, 20)

        # plain HTTP on the TLS port gets nothing back, and is never served
        antes = controle(self.portal, "/counts")
        with socket.create_connection(("127.0.0.1", self.portal.http_port), timeout=10) as s:
            s.sendall(b"GET /printer/printer_login.asp HTTP/1.0\r\n\r\n")
            resposta = s.recv(4096)
        self.assertNotIn(b"HTTP/", resposta)
        self.assertEqual(controle(self.portal, "/counts"), antes)
        self.assertIn("HTTP_REQUEST", controle(self.portal, "/state")["tls"]["refused"])

    def test_ftps_protege_comandos_e_dados(self):
        sessao = self.entra()
        controle(self.portal, "/ftp?reset=1")
        cliente = self.ftp(sessao)   # AUTH TLS, login, PROT P
        try:
            cliente.storbinary("STOR seguro.bin", io.BytesIO(CONTEUDO))
            recebido = io.BytesIO()
            cliente.retrbinary("RETR seguro.bin", recebido.write)
        finally:
            cliente.quit()
        self.assertEqual(recebido.getvalue(), CONTEUDO)
        with open(os.path.join(self.portal.pasta_ftp(sessao.escritorio_id), "seguro.bin"),
                  "rb") as f:
            self.assertEqual(f.read(), CONTEUDO)

        [registro] = controle(self.portal, "/ftp")
        self.assertEqual(registro["comandos"][0], ["AUTH", False])
        self.assertTrue(all(cifrado for _, cifrado in registro["comandos"][1:]), registro)
        self.assertEqual(registro["transferencias"], [["STOR", True], ["RETR", True]])

    def test_ftp_sem_tls_continua_aceito_e_fica_registrado(self):
        # a portal that offers TLS without insisting on it
        sessao = self.entra()
        controle(self.portal, "/ftp?reset=1")
        host, _, porta = sessao.ftp_host.partition(":")
        cliente = ftplib.FTP()
        cliente.connect(host, int(porta), timeout=10)
        cliente.login(sessao.ftp_usuario, sessao.ftp_senha)
        cliente.storbinary("STOR claro.bin", io.BytesIO(b"em claro"))
        cliente.quit()
        [registro] = controle(self.portal, "/ftp")
        self.assertIn(["PASS", False], registro["comandos"])
        self.assertEqual(registro["transferencias"], [["STOR", False]])


class PortalSemTLS(ComPortal):
    com_demo = False

    def test_recusa_auth_tls(self):
        controle(self.portal, "/ftp?reset=1")
        cliente = ftplib.FTP_TLS()
        cliente.connect("127.0.0.1", self.portal.ftp_port, timeout=10)
        with self.assertRaises(ftplib.error_perm):
            cliente.auth()
        cliente.close()
        self.assertEqual(controle(self.portal, "/ftp")[0]["comandos"], [["AUTH", False]])
        self.assertNotIn("tls", controle(self.portal, "/state"))
        self.assertIsNone(self.portal.caminho_ac)


class Certificados(unittest.TestCase):
    """Each faulty kind fails a client's check for its own reason; they all
    come from one set made once per data folder."""

    @classmethod
    def setUpClass(cls):
        cls.raiz = tempfile.mkdtemp(prefix="vorlin-portal-tls-")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.raiz, ignore_errors=True)

    def aperto(self, portal, porta, servidor="127.0.0.1", ftp=False):
        contexto = ssl.create_default_context(cafile=tls.caminho_ac(self.raiz))
        with socket.create_connection(("127.0.0.1", porta), timeout=10) as s:
            if ftp:
                self.assertTrue(s.recv(1024).startswith(b"220"))
                s.sendall(b"AUTH TLS\r\n")
                self.assertTrue(s.recv(1024).startswith(b"234"))
            with contexto.wrap_socket(s, server_hostname=servidor) as seguro:
                return seguro.version()

    def test_cada_tipo(self):
        casos = {
            "valid": None,
            "expired": "certificate has expired",
            "wrong-name": "address mismatch",
            "other-ca": "unable to get local issuer certificate",
        }
        self.assertEqual(set(casos), set(tls.TIPOS))
        for tipo, motivo in casos.items():
            portal = Portal(self.raiz, porta_http=0, porta_ftp=0, tls=tipo)
            with portal:
                for ftp, porta in ((False, portal.http_port), (True, portal.ftp_port)):
                    with self.subTest(tipo=tipo, ftp=ftp):
                        if motivo is None:
                            self.assertTrue(self.aperto(portal, porta, ftp=ftp))
                        else:
                            with self.assertRaises(ssl.SSLCertVerificationError) as erro:
                                self.aperto(portal, porta, ftp=ftp)
                            self.assertIn(motivo, str(erro.exception))
                if tipo == "valid":
                    # the good one is for the loopback address and for localhost
                    self.assertTrue(self.aperto(portal, portal.http_port, "localhost"))

    def test_feitos_uma_vez_por_pasta(self):
        ac = tls.prepara(self.raiz)
        with open(ac, "rb") as f:
            antes = f.read()
        Portal(self.raiz, porta_http=0, porta_ftp=0, tls="expired").inicia().para()
        with open(tls.caminho_ac(self.raiz), "rb") as f:
            self.assertEqual(f.read(), antes)
        # a set left half-written is made again, whole
        os.remove(os.path.join(self.raiz, "tls", "other-ca.key"))
        tls.prepara(self.raiz)
        with open(ac, "rb") as f:
            self.assertNotEqual(f.read(), antes)
        self.assertTrue(os.path.exists(os.path.join(self.raiz, "tls", "other-ca.key")))


if __name__ == "__main__":
    unittest.main()
