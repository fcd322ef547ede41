"""A real FTP upload, its registration, the download of the published file,
and the e-mail notices."""

import datetime
import json
import os
import unittest
import urllib.request

from apoio import MARCADOR, ComPortal, linhas, pedir

PASSA = set("1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
            ":/.?=_-$(){}~&")


def codifica_url(texto):
    """The program's encoder of the description and the observation."""
    saida = []
    for ch in texto:
        if ch in PASSA:
            saida.append(ch)
        else:
            codigo = ch.encode("cp1252")[0]
            saida.append("+" if codigo == 0x20 else "%%%02X" % codigo)
    return "".join(saida)


CONTEUDO = bytes(range(256)) * 20 + b"\r\n\x00fim"


class ComPublicacao(ComPortal):
    """Helpers that speak the registration as the program writes it."""

    @classmethod
    def prepara(cls):
        b = cls.banco
        cls.pequeno = b.cria_escritorio("PEQUENO", "Quota Pequena", 1000, "pequeno", "p")
        b.cria_login(cls.pequeno, "ANA", "Ana", "a")
        b.cria_pasta(cls.pequeno, "GERAL")
        b.cria_cliente(cls.pequeno, "Cliente Pequeno")

    def setUp(self):
        self.sessao = self.entra()

    def cliente(self, nome):
        return self.banco.um("SELECT id FROM clientes WHERE nome = ?", (nome,))["id"]

    def pasta(self, *nomes):
        pai = None
        for nome in nomes:
            pai = self.banco.um("SELECT id FROM pastas WHERE nome = ? AND pai_id IS ?",
                                (nome, pai))["id"]
        return pai

    def caminho_pasta(self, *nomes):
        ids = []
        for i in range(1, len(nomes) + 1):
            ids.append(self.pasta(*nomes[:i]))
        return "".join(f"{i}|" for i in ids + [0] * (5 - len(ids)))

    def registra(self, sessao=None, **valores):
        """The registration request, keys in the program's order."""
        sessao = sessao or self.sessao
        v = dict(e=str(self.cliente("Construtora Alicerce S/A")), t="D", email="S",
                 d=codifica_url("Holerite"), o="", f="holerite.pdf",
                 idPasta=self.caminho_pasta("DIVERSOS"), Admin=str(sessao.admin), Email="S")
        v.update(valores)
        consulta = f"l={sessao.login_id}&s={sessao.numero}&e={v['e']}&t={v['t']}&"
        for chave in ("a", "x"):
            if chave in v:
                consulta += f"{chave}={v[chave]}&"
        consulta += f"email={v['email']}&"
        for chave in ("v", "r"):
            if chave in v:
                consulta += f"{chave}={v[chave]}&"
        consulta += f"d={v['d']}&o={v['o']}&"
        if v["f"]:
            consulta += f"f={v['f']}&"
        consulta += "Parametro1=" + v.get("Parametro1", "")
        for k in range(2, 6):
            consulta += f"&Parametro{k}=" + v.get(f"Parametro{k}", "")
        if v.get("w"):
            consulta += "&w=y"
        consulta += f"&idPasta={v['idPasta']}"
        if v.get("UsuarioID"):
            consulta += f"&UsuarioID={v['UsuarioID']}"
        consulta += f"&Admin={v['Admin']}&Email={v['Email']}"
        return linhas(self.portal, "//printer/publica_b_novo.asp?" + consulta)

    def baixa(self, identificador, sessao=None):
        sessao = sessao or self.sessao
        return pedir(self.portal, f"/printer/consulta_b.asp?l={sessao.login_id}"
                     f"&s={sessao.numero}&ia={identificador}&")

    def espaco_usado(self, sessao=None):
        sessao = sessao or self.sessao
        return int(linhas(self.portal, f"/printer/espaco_b.asp?{sessao.sl}")[0].split(";")[2])

    def no_ftp(self, nome, escritorio=None):
        return os.path.exists(os.path.join(
            self.portal.pasta_ftp(escritorio or self.escritorio_id), nome))



class Publicacao(ComPublicacao):
    def test_envio_registro_e_download(self):
        antes = self.espaco_usado()
        self.envia_ftp(self.sessao, "folha março.pdf", CONTEUDO)
        clientes = [self.cliente("Construtora Alicerce S/A"), self.cliente("Mercado São Jorge")]
        usuario = self.banco.um("SELECT id FROM usuarios WHERE nome = 'Sônia Prado'")["id"]
        resposta = self.registra(
            e="*".join(map(str, clientes)), t="P", v="10/10/2030", r="1234.5",
            d=codifica_url("Folha 10% & férias"), o=codifica_url("obs: a&b=c + d"),
            f="folha%20mar%E7o.pdf", Parametro1="03/2024", Parametro2="Jo&sé",
            idPasta=self.caminho_pasta("PESSOAL", "FOLHA DE PAGAMENTO", "HOLERITES"),
            UsuarioID=f"{clientes[0]}|{usuario}*99999|1")
        self.assertEqual(resposta[0], MARCADOR)
        self.assertEqual(len(resposta), 2)
        ids = resposta[1].split("*")
        self.assertEqual(len(ids), 2)
        self.assertFalse(self.no_ftp("folha março.pdf"))
        for ident in ids:
            with self.subTest(ident=ident):
                status, corpo = self.baixa(ident)
                self.assertEqual((status, corpo), (200, CONTEUDO))
        # one stored file, whatever the number of client companies
        self.assertEqual(self.espaco_usado() - antes, len(CONTEUDO))
        gravadas = self.banco.todos("SELECT * FROM publicacoes WHERE id IN (?, ?) ORDER BY id",
                                    ids)
        self.assertEqual([g["cliente_id"] for g in gravadas], clientes)
        g = gravadas[0]
        self.assertEqual((g["descricao"], g["observacao"]),
                         ("Folha 10% & férias", "obs: a&b=c + d"))
        self.assertEqual((g["parametro1"], g["parametro2"]), ("03/2024", "Jo&sé"))
        self.assertEqual((g["tipo_doc"], g["vencimento"], g["valor"]),
                         ("P", "2030-10-10", 1234.5))
        self.assertEqual(g["pasta_id"], self.pasta("PESSOAL", "FOLHA DE PAGAMENTO", "HOLERITES"))
        acesso = self.banco.todos("SELECT usuario_id FROM publicacao_usuarios"
                                  " WHERE publicacao_id = ?", (g["id"],))
        self.assertEqual([a["usuario_id"] for a in acesso], [usuario])

    def test_modo_debug_e_nome_com_mais_e_comercial(self):
        # the name goes out raw: '+' is a plus, '&' belongs to the name
        self.envia_ftp(self.sessao, "1+1 & débito?.pdf", b"%PDF-1.4 x")
        resposta = self.registra(f="1+1%20&%20d%E9bito?.pdf", w=True)
        self.assertEqual(resposta[0], MARCADOR)
        self.assertEqual(len(resposta), 3)
        self.assertIn("1+1 & débito?.pdf", resposta[2])
        self.assertEqual(self.baixa(resposta[1])[1], b"%PDF-1.4 x")

    def test_recusas(self):
        self.envia_ftp(self.sessao, "fica.pdf", b"conteudo")
        outro = self.entra("PEQUENO", "ANA", "a")
        casos = [
            ("nome não enviado", dict(f="nunca_enviado.pdf")),
            ("sem nome", dict(f="")),
            ("subindo pastas", dict(f="../portal.db")),
            ("subindo pastas escapado", dict(f="..%2F..%2Fportal.db")),
            ("separador", dict(f="sub/fica.pdf")),
            ("barra invertida", dict(f="sub%5Cfica.pdf")),
            ("sem cliente", dict(e="", f="fica.pdf")),
            ("cliente alheio", dict(e=str(self.cliente("Cliente Pequeno")), f="fica.pdf")),
            ("cliente não numérico", dict(e="1*x", f="fica.pdf")),
            ("tipo", dict(t="X", f="fica.pdf")),
            ("data", dict(a="31/02/2030", f="fica.pdf")),
            ("pasta incompleta", dict(idPasta="", f="fica.pdf")),
            ("pasta fora da cadeia", dict(
                idPasta=f"{self.pasta('FISCAL')}|{self.pasta('PESSOAL', 'ADMISSÕES')}|0|0|0|",
                f="fica.pdf")),
            ("descrição vazia", dict(d="+++", f="fica.pdf")),
            ("descrição longa", dict(d="x" * 101, f="fica.pdf")),
        ]
        for nome, valores in casos:
            with self.subTest(nome):
                resposta = self.registra(**valores)
                self.assertNotEqual(resposta[0], MARCADOR)
                self.assertTrue(resposta[0].isdigit() and len(resposta) == 2, resposta)
                self.assertTrue(self.no_ftp("fica.pdf"))
        with self.subTest("sessão inválida"):
            resposta = self.registra(sessao=outro, f="fica.pdf",
                                     e=str(self.cliente("Cliente Pequeno")))
            self.assertNotEqual(resposta[0], MARCADOR)
            resposta = linhas(self.portal, "/printer/publica_b_novo.asp?l=1&s=5&e=1&t=D"
                              "&email=N&d=x&o=&f=fica.pdf&Parametro1=&idPasta=1|0|0|0|0|")
            self.assertEqual(resposta[0], "0")
        self.assertEqual(self.registra(f="fica.pdf")[0], MARCADOR)

    def test_quota(self):
        sessao = self.entra("PEQUENO", "ANA", "a")
        dados = dict(sessao=sessao, e=str(self.cliente("Cliente Pequeno")), Admin="0",
                     idPasta=f"{self.pasta('GERAL')}|0|0|0|0|")
        self.envia_ftp(sessao, "grande.pdf", b"x" * 1001)
        resposta = self.registra(f="grande.pdf", **dados)
        self.assertEqual(resposta[0], "4")
        self.assertTrue(self.no_ftp("grande.pdf", self.pequeno))
        self.envia_ftp(sessao, "cabe.pdf", b"x" * 1000)
        self.assertEqual(self.registra(f="cabe.pdf", **dados)[0], MARCADOR)
        self.assertEqual(self.espaco_usado(sessao), 1000)

    def test_download_de_outro_escritorio_ou_apagado(self):
        self.envia_ftp(self.sessao, "meu.pdf", b"meu")
        ident = self.registra(f="meu.pdf")[1]
        outro = self.entra("PEQUENO", "ANA", "a")
        apagado = self.banco.um("SELECT p.id FROM publicacoes p JOIN arquivos a"
                                " ON a.id = p.arquivo_id WHERE a.removido_em IS NOT NULL")["id"]
        for nome, resposta in [("outro escritório", self.baixa(ident, outro)),
                               ("apagado", self.baixa(apagado)),
                               ("inexistente", self.baixa(999999)),
                               ("não numérico", self.baixa("1;DROP%20TABLE%20arquivos"))]:
            with self.subTest(nome):
                self.assertEqual(resposta[1], b"")
        self.assertEqual(self.baixa(ident)[1], b"meu")


class Avisos(ComPublicacao):
    def publica(self, nome, **valores):
        self.envia_ftp(self.sessao, nome, b"aviso")
        resposta = self.registra(f=nome, **valores)
        self.assertEqual(resposta[0], MARCADOR)
        return resposta[1].split("*")

    def lista(self, ident, modo):
        return pedir(self.portal, f"/printer/avisos_b.asp?l={self.sessao.login_id}&"
                     f"s={self.sessao.numero}&a=l&t={modo}&u={ident}&")[1].decode("cp1252")

    def envia(self, ident, email):
        return linhas(self.portal, f"//printer/avisos.asp?l={self.sessao.login_id}&"
                      f"s={self.sessao.numero}&a=e&u={ident}&i={email}")

    def avisos(self):
        url = f"http://127.0.0.1:{self.portal.http_port}/__control/avisos"
        with urllib.request.urlopen(url, timeout=10) as r:
            return json.loads(r.read())

    def test_lista_de_pessoas(self):
        alicerce, padaria = self.cliente("Construtora Alicerce S/A"), self.cliente(
            "Padaria Pão Quente")
        sonia = self.banco.um("SELECT id FROM usuarios WHERE nome = 'Sônia Prado'")["id"]
        ident, sem_email = self.publica(
            "lista.pdf", e=f"{alicerce}*{padaria}", UsuarioID=f"{alicerce}|{sonia}")
        todos = self.lista(ident, 2).split("\r\n")
        self.assertEqual(todos[:2], [MARCADOR, "Construtora Alicerce S/A"])
        self.assertEqual(sorted(todos[2:]), ["Depto. Pessoal;dp@alicerce.com.br",
                                             "Eng. Paulo Mendes;paulo@alicerce.com.br",
                                             "Sônia Prado;sonia@alicerce.com.br"])
        # mode 1: the users given access, and the masters
        self.assertEqual(sorted(self.lista(ident, 1).split("\r\n")[2:]),
                         ["Eng. Paulo Mendes;paulo@alicerce.com.br",
                          "Sônia Prado;sonia@alicerce.com.br"])
        self.assertEqual(self.lista(sem_email, 2), "")
        for modo, ident_ in [(3, ident), (2, "x"), (2, 999999)]:
            with self.subTest(modo=modo, ident=ident_):
                self.assertFalse(self.lista(ident_, modo).startswith(MARCADOR))

    def test_envio_e_agendamento(self):
        amanha = (datetime.date.today() + datetime.timedelta(days=1)).strftime("%d/%m/%Y")
        hoje_id = self.publica("hoje.pdf")[0]
        futuro_id = self.publica("futuro.pdf", a=amanha)[0]
        antes = len(self.avisos())
        self.assertEqual(self.envia(hoje_id, "paulo@alicerce.com.br"), [MARCADOR, "1"])
        self.assertEqual(self.envia(futuro_id, "SONIA@alicerce.com.br"), [MARCADOR, "2"])
        caixa = self.avisos()[antes:]
        self.assertEqual([(a["publicacao_id"], a["email"], a["situacao"]) for a in caixa],
                         [(int(hoje_id), "paulo@alicerce.com.br", "Enviado"),
                          (int(futuro_id), "sonia@alicerce.com.br", "Agendado")])
        for email in ("ninguem@x.com", "antonio@boigordo.com.br", ""):
            with self.subTest(email=email):
                self.assertNotEqual(self.envia(hoje_id, email)[0], MARCADOR)
        self.assertEqual(len(self.avisos()), antes + 2)


if __name__ == "__main__":
    unittest.main()
