"""The history query: every filter, sort order and display choice, the
last-publication mode and the reply layout."""

import datetime
import unittest

from apoio import MARCADOR, ComPortal, linhas, registros

HOJE = datetime.date.today()


def dia(n):
    return (HOJE + datetime.timedelta(days=n)).isoformat()


def compacto(n):
    return (HOJE + datetime.timedelta(days=n)).strftime("%Y%m%d")


# name: (client, type, description, published (days, or an ISO date-time),
#        activation, expiry, due, amount, login, read, deleted)
PUBLICACOES = {
    "boleto": ("A", "P", "Boleto", -10, None, None, 5, 100.5, "ANA", True, False),
    "relatorio": ("A", "R", "Relatório anual", -3, None, None, None, 0, "BRUNO", False, False),
    "agio": ("B", "D", "ágio", -1, 2, 30, None, 0, "ANA", False, False),
    "zebra": ("B", "P", "Zebra", -20, None, None, -5, 7, "BRUNO", True, True),
    "antigo": ("A", "", "balanço", "2008-01-01 09:00:00", None, None, None, 0, "ANA", False,
               False),
    "expirado": ("B", "R", "expirado", -40, None, -1, None, 0, "ANA", False, False),
}


class Historico(ComPortal):
    com_demo = False

    @classmethod
    def prepara(cls):
        b = cls.banco
        eid = b.cria_escritorio("HIST", "Histórico", 10**9, "hist", "h")
        cls.logins = {"ANA": b.cria_login(eid, "ANA", "Ana", "a"),
                      "BRUNO": b.cria_login(eid, "BRUNO", "Bruno", "b")}
        cls.clientes = {"A": b.cria_cliente(eid, "Cliente A"),
                        "B": b.cria_cliente(eid, "Cliente B")}
        pasta = b.cria_pasta(eid, "GERAL")
        agora = datetime.datetime.now().replace(microsecond=0)
        cls.ids = {}
        with b.transacao() as c:
            for nome, (cli, tipo, desc, pub, ativ, exp, venc, valor, login, lida,
                       apagada) in PUBLICACOES.items():
                if isinstance(pub, int):
                    pub = (agora + datetime.timedelta(days=pub)).isoformat(sep=" ")
                aid = c.execute("INSERT INTO arquivos (escritorio_id, nome, tamanho,"
                                " recebido_em) VALUES (?, ?, ?, ?)",
                                (eid, nome + ".pdf", 1000 + len(nome), pub)).lastrowid
                cls.ids[nome] = c.execute(
                    "INSERT INTO publicacoes (escritorio_id, cliente_id, arquivo_id, login_id,"
                    " tipo_doc, descricao, ativacao, expiracao, vencimento, valor, pasta_id,"
                    " publicada_em, lida_em, apagada_em) VALUES"
                    " (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                    (eid, cls.clientes[cli], aid, cls.logins[login], tipo, desc,
                     ativ and dia(ativ), exp and dia(exp), venc and dia(venc), valor, pasta,
                     pub, pub if lida else None, pub if apagada else None)).lastrowid
        cls.nomes = {v: k for k, v in cls.ids.items()}

    def setUp(self):
        self.sessao = self.entra("HIST", "ANA", "a")

    def consulta(self, filtros):
        return linhas(self.portal, f"/printer/consulta_b.asp?{self.sessao.sl}{filtros}")

    def nomes_de(self, filtros):
        partes = self.consulta(filtros)
        self.assertEqual(partes[0], MARCADOR, partes)
        achados = registros(partes[1])
        self.assertEqual(int(partes[2]), len(achados))
        return [self.nomes[int(r[2])] for r in achados]

    def test_filtros_ordens_e_exibicao(self):
        casos = [
            ("&t=0&o=0", ["agio", "relatorio", "boleto", "zebra", "expirado", "antigo"]),
            (f"&e={self.clientes['A']}&t=0&o=0", ["relatorio", "boleto", "antigo"]),
            ("&t=1&o=0", ["boleto", "zebra"]),
            ("&t=2&o=0", ["relatorio", "expirado"]),
            ("&t=3&o=0", ["agio"]),
            ("&t=4&o=0", ["antigo"]),
            (f"&t=0&d=t&i={compacto(-11)}&f={compacto(-3)}&o=0", ["relatorio", "boleto"]),
            (f"&t=0&d=t&i={compacto(-3)}&o=0", ["agio", "relatorio"]),
            (f"&t=0&d=t&f={compacto(-20)}&o=0", ["zebra", "expirado", "antigo"]),
            (f"&t=1&d=v&i={compacto(0)}&f={compacto(10)}&o=0", ["boleto"]),
            (f"&t=1&d=v&f={compacto(0)}&o=0", ["zebra"]),
            (f"&t=0&u={self.logins['BRUNO']}&o=0", ["relatorio", "zebra"]),
            ("&t=0&o=0&m=1", ["boleto", "zebra"]),
            ("&t=0&o=0&m=2", ["agio", "relatorio", "expirado", "antigo"]),
            ("&t=0&o=0&m=3", ["relatorio", "boleto", "antigo"]),
            ("&t=0&o=0&m=4", ["zebra"]),
            ("&t=0&o=1", ["agio", "relatorio", "boleto", "zebra", "expirado", "antigo"]),
            ("&t=0&o=2", ["expirado", "agio", "relatorio", "boleto", "zebra", "antigo"]),
            ("&t=0&o=3", ["zebra", "boleto", "agio", "relatorio", "expirado", "antigo"]),
            ("&t=0&o=4", ["agio", "antigo", "boleto", "expirado", "relatorio", "zebra"]),
            ("&t=0&o=5", ["agio", "boleto", "expirado", "antigo", "relatorio", "zebra"]),
            (f"&e={self.clientes['B']}&t=1&d=v&i={compacto(-30)}&u={self.logins['BRUNO']}"
             "&o=3&m=4", ["zebra"]),
        ]
        for filtros, esperado in casos:
            with self.subTest(filtros=filtros):
                self.assertEqual(self.nomes_de(filtros), esperado)

    def test_ultima_publicacao(self):
        ids = self.ids
        self.assertEqual(self.nomes_de(f"&li={ids['zebra']}*{ids['boleto']}*999999*x"),
                         ["zebra", "boleto"])
        self.assertEqual(self.consulta("&li="), [MARCADOR, "", "0"])

    def test_campos_de_um_registro(self):
        partes = self.consulta(f"&li={self.ids['boleto']}*{self.ids['agio']}*"
                               f"{self.ids['zebra']}*{self.ids['expirado']}")
        boleto, agio, zebra, expirado = registros(partes[1])
        self.assertEqual(len(boleto), 17)
        publicada = boleto[8]
        self.assertEqual(datetime.datetime.strptime(publicada, "%d/%m/%Y %H:%M:%S").date(),
                         HOJE - datetime.timedelta(days=10))
        esperado = ["Cliente A", "P", str(self.ids["boleto"]), "Boleto", "boleto.pdf",
                    str(1000 + len("boleto")), "PDF", "Ativo", publicada, publicada, "",
                    "Ana", "", "", (HOJE + datetime.timedelta(days=5)).strftime("%d/%m/%Y"),
                    "100,50", ""]
        self.assertEqual(boleto, esperado)
        self.assertEqual([agio[7], zebra[7], expirado[7]], ["Agendado", "Apagado", "Expirado"])
        self.assertEqual(agio[12], (HOJE + datetime.timedelta(days=2)).strftime("%d/%m/%Y"))
        self.assertEqual(zebra[10], zebra[8])

    def test_texto_com_delimitadores_nao_quebra_o_registro(self):
        b = self.banco
        eid = b.cria_escritorio("ESTRANHO", "Estranho", 1, "estranho", "e")
        login = b.cria_login(eid, "X<!#Y", "Nome >@% com\r\nquebra", "x")
        cliente = b.cria_cliente(eid, "Cliente |*+ -*= ltda")
        with b.transacao() as c:
            aid = c.execute("INSERT INTO arquivos (escritorio_id, nome, tamanho, recebido_em)"
                            " VALUES (?, 'a<!#b.p!df', 1, '2024-01-02 03:04:05')",
                            (eid,)).lastrowid
            c.execute("INSERT INTO publicacoes (escritorio_id, cliente_id, arquivo_id, login_id,"
                      " tipo_doc, descricao, publicada_em) VALUES (?, ?, ?, ?, 'D',"
                      " 'um<!#dois>@%três\r\nquatro\rcinco\nseis', '2024-01-02 03:04:05')",
                      (eid, cliente, aid, login))
        sessao = self.entra("ESTRANHO", "X<!%23Y", "x")
        partes = linhas(self.portal, f"/printer/consulta_b.asp?{sessao.sl}&t=0&o=0")
        self.assertEqual(len(partes), 3)
        self.assertEqual(partes[2], "1")
        (registro,) = registros(partes[1])
        self.assertEqual(len(registro), 17)
        self.assertEqual(registro[3], "um< !#dois> @%três quatro cinco seis")
        self.assertEqual(registro[0], "Cliente | *+ - *= ltda")
        self.assertEqual(registro[8], "02/01/2024 03:04:05")

    def test_sem_resultado_e_recusas(self):
        self.assertEqual(self.consulta(f"&e={self.clientes['A']}&t=3&o=0"),
                         [MARCADOR, "", "0"])
        for filtros in ("&t=9&o=0", "&t=0&o=7", "&t=0&o=0&m=5", "&t=0&d=x&o=0",
                        "&t=0&d=t&i=20241301&o=0", "&t=0&e=A&o=0", "&t=1;DELETE&o=0"):
            with self.subTest(filtros=filtros):
                partes = self.consulta(filtros)
                self.assertEqual(partes[0], "3")
                self.assertEqual(len(partes), 2)
        partes = linhas(self.portal, "/printer/consulta_b.asp?s=1&l=1&t=0&o=0")
        self.assertEqual(partes[0], "0")
        # and nothing of another office leaks into this one
        outro = self.banco.cria_escritorio("OUTRO", "Outro", 1, "outro", "o")
        self.banco.cria_login(outro, "ZE", "Zé", "z")
        sessao = self.entra("OUTRO", "ZE", "z")
        partes = linhas(self.portal, f"/printer/consulta_b.asp?{sessao.sl}"
                        f"&li={self.ids['boleto']}")
        self.assertEqual(partes, [MARCADOR, "", "0"])


if __name__ == "__main__":
    unittest.main()
