"""Fault modes and request counters that the program's tests rely on."""

import ftplib
import re
import time
import unittest

from apoio import MARCADOR, ComPortal, controle, linhas, pedir, pedir_bruto, texto

ESPACO = "/printer/espaco_b.asp"
LOGIN = "/printer/printer_login.asp"


class FalhasHTTP(ComPortal):
    def test_cada_modo(self):
        sessao = self.entra()
        caminho = f"{ESPACO}?{sessao.sl}"
        certo = pedir(self.portal, caminho)[1]
        self.assertTrue(certo.startswith(MARCADOR.encode()))

        self.assertIsInstance(controle(self.portal, "?fault=drop&count=1"), dict)
        self.assertEqual(pedir_bruto(self.portal, caminho), b"")

        controle(self.portal, "?fault=garbage&count=1")
        status, corpo = pedir(self.portal, caminho)
        self.assertEqual(status, 200)
        self.assertTrue(corpo and not corpo.startswith(MARCADOR.encode()))
        self.assertFalse(corpo[:1].isdigit())

        controle(self.portal, "?fault=http500&count=1")
        status, corpo = pedir(self.portal, caminho)
        self.assertEqual(status, 500)
        self.assertNotIn(MARCADOR.encode(), corpo)

        controle(self.portal, "?fault=truncated&count=1")
        cabecalho, _, corpo = pedir_bruto(self.portal, caminho).partition(b"\r\n\r\n")
        prometido = int(re.search(rb"Content-Length: (\d+)", cabecalho).group(1))
        self.assertEqual(prometido, len(certo))
        self.assertTrue(0 < len(corpo) < prometido)
        self.assertTrue(certo.startswith(corpo))

        controle(self.portal, "?fault=delay&ms=300&count=1")
        inicio = time.monotonic()
        self.assertEqual(pedir(self.portal, caminho)[1], certo)
        self.assertGreaterEqual(time.monotonic() - inicio, 0.29)

        # every rule above was used up by its one request
        self.assertEqual(controle(self.portal, "/state")["faults"], [])
        self.assertEqual(pedir(self.portal, caminho)[1], certo)

    def test_escopo_por_caminho_e_vezes(self):
        controle(self.portal, "?fault=http500&path=printer_login.asp&count=2")
        controle(self.portal, "?fault=garbage&path=dicas_b.asp")
        self.assertEqual(pedir(self.portal, LOGIN)[0], 500)
        self.assertEqual(pedir(self.portal, "/printer/sincroniza.asp?s=1&l=1&c=1")[0], 200)
        self.assertEqual(pedir(self.portal, "/" + LOGIN)[0], 500)
        self.assertEqual(texto(self.portal, LOGIN), "0")
        for _ in range(3):
            self.assertFalse(texto(self.portal, "/printer/dicas_b.asp?s=1&l=1")[:1].isdigit())
        controle(self.portal, "?fault=-garbage")
        self.assertEqual(texto(self.portal, "/printer/dicas_b.asp?s=1&l=1")[:1], "0")
        controle(self.portal, "?fault=drop")
        controle(self.portal, "?fault=none")
        self.assertEqual(texto(self.portal, LOGIN), "0")

    def test_pedidos_de_controle_invalidos(self):
        for consulta in ("?fault=explode", "?fault=delay&ms=abc", "?fault=drop&count=0",
                         "?clock_offset=x", "/nada"):
            with self.subTest(consulta=consulta):
                self.assertIsInstance(controle(self.portal, consulta), int)
        self.assertEqual(controle(self.portal, "/state")["faults"], [])

    def test_contagem_por_caminho(self):
        controle(self.portal, "/counts?reset=1")
        sessao = self.entra()
        for _ in range(3):
            texto(self.portal, f"//printer/dicas_b.asp?{sessao.sl}&ordem=")
        texto(self.portal, LOGIN)
        controle(self.portal, "?fault=drop&count=1")
        pedir_bruto(self.portal, LOGIN)
        contagens = controle(self.portal, "/counts?reset=1")
        self.assertEqual(contagens, {"/printer/printer_login_b.asp": 1,
                                     "/printer/dicas_b.asp": 3, LOGIN: 2})
        self.assertEqual(controle(self.portal, "/counts"), {})


class FalhasFTP(ComPortal):
    def test_recusas_do_ftp(self):
        sessao = self.entra()
        controle(self.portal, "?fault=ftp_refuse_login&count=1")
        with self.assertRaises(ftplib.error_perm) as erro:
            self.ftp(sessao)
        self.assertTrue(str(erro.exception).startswith("530"))

        controle(self.portal, "?fault=ftp_refuse_upload&count=1")
        with self.assertRaises(ftplib.error_perm) as erro:
            self.envia_ftp(sessao, "recusado.pdf", b"x")
        self.assertTrue(str(erro.exception).startswith("553"))
        self.envia_ftp(sessao, "aceito.pdf", b"x")

    def test_disco_cheio(self):
        sessao = self.entra()
        controle(self.portal, "?fault=disk_full")
        total, usado = texto(self.portal, f"{ESPACO}?{sessao.sl}").split(";")[1:]
        self.assertEqual(total, usado)
        with self.assertRaises(ftplib.error_temp) as erro:
            self.envia_ftp(sessao, "cheio.pdf", b"x")
        self.assertTrue(str(erro.exception).startswith("452"))
        controle(self.portal, "?fault=none")
        self.envia_ftp(sessao, "cheio.pdf", b"x")
        controle(self.portal, "?fault=disk_full")
        pasta = self.banco.um("SELECT id FROM pastas WHERE nome = 'DIVERSOS'")["id"]
        cliente = self.banco.um("SELECT id FROM clientes LIMIT 1")["id"]
        resposta = linhas(self.portal, f"/printer/publica_b_novo.asp?l={sessao.login_id}&"
                          f"s={sessao.numero}&e={cliente}&t=D&email=N&d=x&o=&f=cheio.pdf&"
                          f"Parametro1=&idPasta={pasta}|0|0|0|0|&Admin=1&Email=N")
        self.assertEqual(resposta[0], "4")


if __name__ == "__main__":
    unittest.main()
