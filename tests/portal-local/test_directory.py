"""Directory, users of the client companies, folders and parameters."""

import unittest

from apoio import MARCADOR, ComPortal, registros, texto
from vorlin_portal import demo


def secoes(corpo):
    return corpo.split("|*+")


class Diretorio(ComPortal):
    @classmethod
    def prepara(cls):
        b = cls.banco
        # an office without wallets, one with nothing at all
        eid = b.cria_escritorio("SEMCART", "Sem Carteiras", 1000, "semcart", "x")
        b.cria_login(eid, "ANA", "Ana", "a")
        cls.sem_carteira_cliente = b.cria_cliente(eid, "Único Cliente")
        vazio = b.cria_escritorio("VAZIO", "Vazio", 1000, "vazio", "x")
        b.cria_login(vazio, "ZE", "Zé", "z")

    def sincroniza(self, sessao, forma="c=1"):
        return texto(self.portal, f"/printer/sincroniza.asp?{sessao.sl}&{forma}")

    def test_com_carteiras(self):
        sessao = self.entra()
        for forma in ("c=1", "u=1"):
            with self.subTest(forma=forma):
                partes = secoes(self.sincroniza(sessao, forma))
                self.assertEqual(len(partes), 4)
                self.assertEqual(partes[0], MARCADOR)
                carteiras = registros(partes[1])
                self.assertEqual([c[1] for c in carteiras], list(demo.CARTEIRAS))
                clientes = registros(partes[2])
                self.assertEqual(len(clientes), len(demo.CLIENTES))
                self.assertTrue(all(len(c) == 3 for c in clientes))
                ids_carteira = {c[0] for c in carteiras} | {"0"}
                self.assertTrue(all(c[1] in ids_carteira for c in clientes))
                sem_carteira = [c[2] for c in clientes if c[1] == "0"]
                self.assertEqual(sem_carteira, ["Associação de Moradores Vila Nova"])
                usuarios = registros(partes[3])
                self.assertIn([str(sessao.login_id), sessao.usuario], usuarios)

    def test_seções_vazias_dizem_seu_codigo(self):
        sem = self.entra("SEMCART", "ANA", "a")
        partes = secoes(self.sincroniza(sem))
        self.assertEqual(partes[1], "4")
        self.assertEqual(registros(partes[2]),
                         [[str(self.sem_carteira_cliente), "0", "Único Cliente"]])
        vazio = self.entra("VAZIO", "ZE", "z")
        self.assertEqual(secoes(self.sincroniza(vazio))[1:3], ["4", "5"])

    def test_sem_forma_ou_sessao(self):
        sessao = self.entra()
        self.assertEqual(self.sincroniza(sessao, "x=1").split("\r\n")[0], "3")
        self.assertEqual(texto(self.portal, "/printer/sincroniza.asp?s=1&l=1&c=1")
                         .split("\r\n")[0], "0")


class UsuariosDosClientes(ComPortal):
    def clientes(self, sessao):
        corpo = texto(self.portal, f"/printer/sincroniza.asp?{sessao.sl}&c=1")
        return {c[2]: c for c in registros(secoes(corpo)[2])}

    def test_usuarios_de_um_cliente(self):
        sessao = self.entra()
        cliente = self.clientes(sessao)["Construtora Alicerce S/A"]
        corpo = texto(self.portal, "/printer/retornausuariosclientestodos.asp?"
                      f"{sessao.sl}&e={cliente[0]}")
        partes = secoes(corpo)
        self.assertEqual(partes[0], MARCADOR)
        usuarios = registros(partes[1])
        self.assertEqual(len(usuarios), 3)
        self.assertTrue(all(len(u) == 4 and u[0].isdigit() for u in usuarios))
        masters = [u[1] for u in usuarios if "Master" in u[2]]
        self.assertEqual(masters, ["Eng. Paulo Mendes"])

    def test_cliente_sem_usuarios_e_cliente_alheio(self):
        sessao = self.entra()
        cliente = self.clientes(sessao)["Associação de Moradores Vila Nova"]
        self.assertEqual(texto(self.portal, "/printer/retornausuariosclientestodos.asp?"
                               f"{sessao.sl}&e={cliente[0]}"), MARCADOR + "|*+")
        outro = self.banco.cria_cliente(
            self.banco.cria_escritorio("X", "X", 1, "x", "x"), "Alheio")
        corpo = texto(self.portal, "/printer/retornausuariosclientestodos.asp?"
                      f"{sessao.sl}&e={outro}")
        self.assertFalse(corpo.startswith(MARCADOR))

    def test_usuarios_de_todos_por_posicao_da_carteira(self):
        sessao = self.entra()
        clientes = self.clientes(sessao)
        carteiras = registros(secoes(texto(
            self.portal, f"/printer/sincroniza.asp?{sessao.sl}&c=1"))[1])
        por_cliente = {}
        for nome, _, usuarios in demo.CLIENTES:
            por_cliente[clientes[nome][0]] = (clientes[nome][1], len(usuarios))
        for posicao in (-1, 0, 1, 2):
            with self.subTest(posicao=posicao):
                corpo = texto(self.portal, "/printer/retornausuariosclientestodosnovo.asp?"
                              f"{sessao.sl}&id_contador={sessao.escritorio_id}"
                              f"&id_carteira={posicao}")
                usuarios = registros(secoes(corpo)[1])
                self.assertTrue(all(len(u) == 5 for u in usuarios))
                carteira = carteiras[posicao - 1][0] if posicao > 0 else None
                esperado = sum(n for cid, (cart, n) in por_cliente.items()
                               if carteira is None or cart == carteira)
                self.assertEqual(len(usuarios), esperado)
                if carteira is not None:
                    self.assertTrue(all(por_cliente[u[4]][0] == carteira for u in usuarios))
        for consulta in ("id_contador=999&id_carteira=0",
                         f"id_contador={sessao.escritorio_id}&id_carteira=9"):
            with self.subTest(consulta=consulta):
                corpo = texto(self.portal, "/printer/retornausuariosclientestodosnovo.asp?"
                              f"{sessao.sl}&{consulta}")
                self.assertEqual(corpo.split("\r\n")[0], "3")


class Pastas(ComPortal):
    @classmethod
    def prepara(cls):
        b = cls.banco
        eid = b.cria_escritorio("FUNDO", "Pastas Fundas", 1000, "fundo", "x")
        b.cria_login(eid, "ADM", "Adm", "a", admin=1)
        b.cria_login(eid, "COMUM", "Comum", "c", admin=0)
        cls.cadeia = []
        pai = None
        for nivel in range(1, 6):
            pai = b.cria_pasta(eid, f"NÍVEL {nivel}", pai,
                               parametros=("ANO", "", "MÊS") if nivel in (1, 4) else ())
            cls.cadeia.append(pai)
        b.cria_pasta(eid, "IRMÃ DO NÍVEL 2", cls.cadeia[0])
        cls.restrita = b.cria_pasta(eid, "SIGILOSA", restrita=1)

    def pastas(self, sessao, nivel, pai, admin=None):
        admin = sessao.admin if admin is None else admin
        if nivel == 1:
            meio = f"&Pasta=0&Nivel=1&Admin={admin}"
        else:
            meio = f"&Nivel={nivel}&Pasta={pai}&Admin={admin}"
        corpo = texto(self.portal, f"/printer/carregapastas.asp?e={sessao.escritorio_id}"
                      f"{meio}&{sessao.sl}")
        return corpo

    def test_cinco_niveis(self):
        sessao = self.entra("FUNDO", "ADM", "a")
        pai = 0
        for nivel in range(1, 6):
            with self.subTest(nivel=nivel):
                partes = secoes(self.pastas(sessao, nivel, pai))
                self.assertEqual(partes[0], MARCADOR)
                nomes = {p[1]: int(p[0]) for p in registros(partes[1])}
                self.assertIn(f"NÍVEL {nivel}", nomes)
                pai = nomes[f"NÍVEL {nivel}"]
        self.assertEqual(registros(secoes(self.pastas(sessao, 2, self.cadeia[0]))[1])
                         [0][1], "IRMÃ DO NÍVEL 2")
        self.assertEqual(registros(secoes(self.pastas(sessao, 5, self.cadeia[3]))[1]),
                         [[str(self.cadeia[4]), "NÍVEL 5"]])
        # there is no sixth level
        self.assertEqual(self.pastas(sessao, 6, self.cadeia[4]).split("\r\n")[0], "3")

    def test_pai_de_outro_nivel_ou_escritorio(self):
        sessao = self.entra("FUNDO", "ADM", "a")
        demo_sessao = self.entra()
        casos = [self.pastas(sessao, 3, self.cadeia[0]),
                 self.pastas(demo_sessao, 2, self.cadeia[0]),
                 texto(self.portal, f"/printer/carregapastas.asp?e={sessao.escritorio_id + 1}"
                       f"&Pasta=0&Nivel=1&Admin=1&{sessao.sl}")]
        for corpo in casos:
            with self.subTest(corpo=corpo):
                self.assertFalse(corpo.startswith(MARCADOR))

    def test_pasta_restrita_so_para_administrador(self):
        adm, comum = self.entra("FUNDO", "ADM", "a"), self.entra("FUNDO", "COMUM", "c")
        for sessao, admin, ve in [(adm, 1, True), (adm, 0, False), (comum, 0, False),
                                  (comum, 1, False)]:
            with self.subTest(login=sessao.usuario, admin=admin):
                nomes = [p[1] for p in registros(secoes(self.pastas(sessao, 1, 0, admin))[1])]
                self.assertEqual("SIGILOSA" in nomes, ve)
                self.assertIn("NÍVEL 1", nomes)

    def test_parametros(self):
        sessao = self.entra("FUNDO", "ADM", "a")
        casos = [
            # (level, folder, names): level 3 inherits from level 1, level 5 from 4
            (1, self.cadeia[0], ["ANO", "", "MÊS", "", ""]),
            (3, self.cadeia[2], ["ANO", "", "MÊS", "", ""]),
            (5, self.cadeia[4], ["ANO", "", "MÊS", "", ""]),
            (1, self.restrita, ["", "", "", "", ""]),
        ]
        for nivel, pasta, nomes in casos:
            with self.subTest(nivel=nivel):
                corpo = texto(self.portal, f"/printer/carregaparametros.asp?e="
                              f"{sessao.escritorio_id}&pix={nivel}&pid={pasta}&{sessao.sl}")
                partes = secoes(corpo)
                self.assertEqual(partes[0], MARCADOR)
                self.assertEqual(registros(partes[1]), [nomes])
        corpo = texto(self.portal, f"/printer/carregaparametros.asp?e={sessao.escritorio_id}"
                      f"&pix=2&pid={self.cadeia[0]}&{sessao.sl}")
        self.assertEqual(corpo.split("\r\n")[0], "3")


if __name__ == "__main__":
    unittest.main()
