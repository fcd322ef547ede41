"""Login, confirmation and the life of a session."""

import datetime
import unittest

from apoio import MARCADOR, ComPortal, linhas, pedir
from vorlin_portal import demo

DIA = 24 * 3600


class Login(ComPortal):
    @classmethod
    def prepara(cls):
        eid = cls.banco.cria_escritorio("ÁGUA", "Escritório Água", 1000, "agua", "ftp-agua")
        # the password the program's transport must carry intact
        cls.banco.cria_login(eid, "ANA", "Ana", "p&ss#w+rd%20 ç")
        cls.banco.cria_login(eid, "BLOQ", "Bloqueado", "x", ativo=0)

    def test_resposta_do_login(self):
        partes = linhas(self.portal, "/printer/printer_login_b.asp?log=MARIA&psw=vorlin123"
                        "&dom=DEMO")
        self.assertEqual(len(partes), 15)
        self.assertEqual(partes[0], MARCADOR)
        self.assertTrue(partes[1].isdigit() and 0 < int(partes[1]) < 2**31)
        self.assertEqual(partes[3], "Maria Aparecida Souza")
        self.assertEqual(partes[4], f"127.0.0.1:{self.portal.ftp_port}")
        self.assertEqual((partes[5], partes[6]), (demo.FTP_USUARIO, demo.FTP_SENHA))
        self.assertEqual(partes[7], demo.ESCRITORIO)
        self.assertEqual(int(partes[9]), self.escritorio_id)
        self.assertEqual(partes[10], demo.LOGO)
        self.assertEqual(partes[11], datetime.date.today().strftime("%d/%m/%Y"))
        self.assertEqual((partes[12], partes[13], partes[14]), ("0", "P", "1"))
        self.assertIn("\xf3".encode("cp1252"),
                      pedir(self.portal, "/printer/printer_login_b.asp?log=MARIA"
                            "&psw=vorlin123&dom=DEMO")[1])

    def test_cada_login_recebe_sessao_nova(self):
        self.assertNotEqual(self.entra().numero, self.entra().numero)

    def test_senhas_e_nomes(self):
        casos = [
            # (query, accepted)
            ("log=MARIA&psw=vorlin123&dom=DEMO", True),
            ("log=maria&psw=vorlin123&dom=demo", True),
            ("log=MARIA&psw=VORLIN123&dom=DEMO", False),
            ("log=MARIA&psw=vorlin12&dom=DEMO", False),
            ("log=MARIA&psw=vorlin123&dom=OUTRO", False),
            ("log=NINGUEM&psw=vorlin123&dom=DEMO", False),
            ("log=ANA&psw=p%26ss%23w%2Brd%2520%20%E7&dom=%C1GUA", True),
            # the same password sent raw, as the program would without escaping
            ("log=ANA&psw=p&ss%23w+rd%2520 \xe7&dom=\xc1GUA".replace(" ", "%20"), True),
            ("log=ANA&psw=p&ss&dom=\xc1GUA", False),
        ]
        for consulta, aceito in casos:
            with self.subTest(consulta=consulta):
                partes = linhas(self.portal, "/printer/printer_login_b.asp?" + consulta)
                if aceito:
                    self.assertEqual(partes[0], MARCADOR)
                else:
                    self.assertEqual(partes[0], "1")
                    self.assertEqual(partes[1], "Domínio, login ou senha inválidos!")

    def test_recusas_sem_marcador(self):
        for consulta, codigo in [("log=BLOQ&psw=x&dom=%C1GUA", "2"),
                                 ("log=MARIA&dom=DEMO", "3"),
                                 ("", "3"),
                                 ("log=MARIA&psw=vorlin123&dom=" + "D" * 500, "3")]:
            with self.subTest(consulta=consulta):
                partes = linhas(self.portal, "/printer/printer_login_b.asp?" + consulta)
                self.assertEqual(len(partes), 2)
                self.assertEqual(partes[0], codigo)
                self.assertTrue(partes[1])

    def test_senha_guardada_com_sal(self):
        guardadas = [l["senha"] for l in self.banco.todos("SELECT senha FROM logins")]
        self.assertFalse(any(demo.SENHA in s for s in guardadas))
        self.assertEqual(len(set(guardadas)), len(guardadas))
        self.assertTrue(all(s.startswith("pbkdf2_sha256$") for s in guardadas))


class Confirmacao(ComPortal):
    def confirma(self, consulta):
        return linhas(self.portal, "/printer/printer_login_conf_b.asp?" + consulta)

    def test_confirmacao_aceita(self):
        sessao = self.entra()
        partes = self.confirma(f"s={sessao.numero}&l={sessao.login_id}")
        self.assertEqual(partes, [MARCADOR, datetime.date.today().strftime("%d/%m/%Y"),
                                  sessao.ftp_host, sessao.ftp_usuario, sessao.ftp_senha])

    def test_recusas_com_codigo(self):
        sessao = self.entra()
        casos = [
            (f"s={sessao.numero + 1}&l={sessao.login_id}", "0"),
            (f"s={sessao.numero}&l={sessao.login_id + 1}", "2"),
            (f"s=abc&l={sessao.login_id}", "3"),
            (f"l={sessao.login_id}", "3"),
        ]
        for consulta, codigo in casos:
            with self.subTest(consulta=consulta):
                partes = self.confirma(consulta)
                self.assertEqual(partes[0], codigo)
                self.assertTrue(partes[1])

    def test_sessao_dura_sete_dias_desde_a_ultima_confirmacao(self):
        sessao = self.entra()
        consulta = f"s={sessao.numero}&l={sessao.login_id}"
        self.portal.relogio.deslocamento = 6 * DIA
        self.assertEqual(self.confirma(consulta)[0], MARCADOR)
        # the confirmation renewed it: six more days are still inside the week
        self.portal.relogio.deslocamento = 12 * DIA
        self.assertEqual(self.confirma(consulta)[0], MARCADOR)
        self.portal.relogio.deslocamento = 19 * DIA + 60
        self.assertEqual(self.confirma(consulta)[0], "1")
        self.assertEqual(linhas(self.portal, "/printer/espaco_b.asp?" + consulta)[0], "1")

    def test_data_do_portal_acompanha_o_relogio(self):
        sessao = self.entra()
        self.portal.relogio.deslocamento = 2 * DIA
        partes = self.confirma(f"s={sessao.numero}&l={sessao.login_id}")
        amanha = datetime.date.today() + datetime.timedelta(days=2)
        self.assertEqual(partes[1], amanha.strftime("%d/%m/%Y"))


if __name__ == "__main__":
    unittest.main()
