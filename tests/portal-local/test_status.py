"""Connectivity, storage space, tips and the office logo."""

import os
import unittest

from apoio import MARCADOR, ComPortal, pedir, texto
from vorlin_portal import demo


class Status(ComPortal):
    def test_conectividade_comeca_com_zero(self):
        for caminho in ("/printer/printer_login.asp", "//printer/printer_login.asp",
                        "/PRINTER/Printer_Login.asp"):
            with self.subTest(caminho=caminho):
                self.assertEqual(texto(self.portal, caminho)[:1], "0")

    def test_espaco(self):
        sessao = self.entra()
        campos = texto(self.portal, f"/printer/espaco_b.asp?{sessao.sl}").split(";")
        self.assertEqual(campos[0], MARCADOR)
        self.assertEqual(int(campos[1]), demo.ESPACO_TOTAL)
        usado = sum(os.path.getsize(os.path.join(r, f))
                    for r, _, fs in os.walk(self.portal.pasta_arquivos(self.escritorio_id))
                    for f in fs)
        self.assertEqual(int(campos[2]), usado)
        self.assertGreater(usado, 0)
        self.assertEqual(texto(self.portal, "/printer/espaco_b.asp?s=1&l=2")[:1], "0")

    def test_dicas_em_rodizio(self):
        sessao = self.entra()
        vistas, ordem = [], ""
        for _ in range(len(demo.DICAS) + 1):
            campos = texto(self.portal, f"/printer/dicas_b.asp?{sessao.sl}&ordem={ordem}"
                           ).split("-*=")
            self.assertEqual(len(campos), 3)
            ordem = campos[0]
            vistas.append(campos[1])
        self.assertEqual(vistas[:-1], [t for t, _ in demo.DICAS])
        self.assertEqual(vistas[-1], vistas[0])
        # a token the portal never gave (the whole of a broken reply) restarts
        campos = texto(self.portal, f"/printer/dicas_b.asp?{sessao.sl}&ordem=Dica em"
                       .replace(" ", "%20") + "%0D%0Axyz").split("-*=")
        self.assertEqual(campos[1], demo.DICAS[0][0])
        self.assertNotIn("-*=", texto(self.portal, "/printer/dicas_b.asp?s=1&l=1&ordem="))

    def test_logo(self):
        sessao = self.entra()
        esperado = demo.png_logo()
        for caminho in (f"/site/vorlin/escritorio_arq/{sessao.escritorio_id:04d}/{sessao.logo}",
                        f"//site/vorlin/escritorio_arq/{sessao.escritorio_id}/{sessao.logo}"):
            with self.subTest(caminho=caminho):
                status, corpo = pedir(self.portal, caminho)
                self.assertEqual((status, corpo), (200, esperado))
        self.assertTrue(esperado.startswith(b"\x89PNG\r\n\x1a\n"))

    def test_logo_nao_sai_da_pasta(self):
        segredo = os.path.join(self.raiz, "portal.db")
        self.assertTrue(os.path.exists(segredo))
        for resto in ("0001/../../portal.db", "0001/..%2F..%2Fportal.db",
                      "0001/%2E%2E/%2E%2E/portal.db", "..%2F..%2Fportal.db/x",
                      "0001/nao_existe.png", "abc/logo.png", "0001/"):
            with self.subTest(resto=resto):
                status, corpo = pedir(self.portal, "/site/vorlin/escritorio_arq/" + resto)
                self.assertEqual(status, 404)
                self.assertNotIn(b"SQLite", corpo)


if __name__ == "__main__":
    unittest.main()
