"""The report page the program opens in the browser."""

import html.parser
import unittest

from apoio import ComPortal, pedir


class Tabela(html.parser.HTMLParser):
    """Rows of the page's table, as a browser would show them."""

    def __init__(self):
        super().__init__()
        self.linhas, self._linha, self._celula = [], None, None

    def handle_starttag(self, tag, attrs):
        if tag == "tr":
            self._linha = []
        elif tag in ("td", "th") and self._linha is not None:
            self._celula = ""

    def handle_endtag(self, tag):
        if tag in ("td", "th") and self._celula is not None:
            self._linha.append(self._celula.strip())
            self._celula = None
        elif tag == "tr" and self._linha is not None:
            self.linhas.append(self._linha)
            self._linha = None

    def handle_data(self, data):
        if self._celula is not None:
            self._celula += data


class Relatorio(ComPortal):
    def pagina(self, consulta):
        status, corpo = pedir(self.portal, "/printer/relatorio.asp?" + consulta)
        self.assertEqual(status, 200)
        tabela = Tabela()
        tabela.feed(corpo.decode("cp1252"))
        return corpo, tabela.linhas

    def test_lista_as_publicacoes_do_escritorio(self):
        corpo, linhas = self.pagina(f"asp_contador={self.escritorio_id}&asp_id_admin=1")
        self.assertIn(b'charset="windows-1252"', corpo)
        self.assertIn("Escritório Modelo Contabilidade".encode("cp1252"), corpo)
        publicacoes = self.banco.todos("SELECT descricao FROM publicacoes")
        self.assertEqual(linhas[0][:3], ["Cliente", "Tp", "Descrição"])
        self.assertEqual(sorted(l[2] for l in linhas[1:]),
                         sorted(p["descricao"] for p in publicacoes))
        apagada = [l for l in linhas if l[2] == "Contrato social consolidado"][0]
        self.assertEqual(apagada[10], "Apagado")

    def test_pasta_restrita_e_filtro_por_cliente(self):
        b = self.banco
        restrita = b.um("SELECT id FROM pastas WHERE restrita = 1")["id"]
        cliente = b.um("SELECT id FROM clientes WHERE nome = 'Bazar Três Irmãos'")["id"]
        publicacao = b.um("SELECT * FROM publicacoes LIMIT 1")
        with b.transacao() as c:
            c.execute("INSERT INTO publicacoes (escritorio_id, cliente_id, arquivo_id,"
                      " login_id, tipo_doc, descricao, pasta_id, publicada_em)"
                      " VALUES (?, ?, ?, ?, 'D', 'Ata <da> diretoria & cia', ?, ?)",
                      (self.escritorio_id, cliente, publicacao["arquivo_id"],
                       publicacao["login_id"], restrita, publicacao["publicada_em"]))
        _, admin = self.pagina(f"asp_contador={self.escritorio_id}&asp_id_admin=1")
        _, comum = self.pagina(f"asp_contador={self.escritorio_id}&asp_id_admin=0")
        self.assertIn("Ata <da> diretoria & cia", [l[2] for l in admin])
        self.assertEqual(len(comum), len(admin) - 1)
        _, filtrado = self.pagina(f"asp_contador={self.escritorio_id}&asp_id_admin=1"
                                  f"&cliente={cliente}")
        self.assertEqual([l[0] for l in filtrado[1:]], ["Bazar Três Irmãos"])

    def test_escritorio_desconhecido(self):
        status, corpo = pedir(self.portal, "/printer/relatorio.asp?asp_contador=999"
                              "&asp_id_admin=1")
        self.assertEqual(status, 404)
        self.assertIn(b"<html", corpo)


if __name__ == "__main__":
    unittest.main()
