"""Query strings as the program writes them, and Windows-1252 both ways."""

import unittest

import apoio  # noqa: F401  (puts the portal on the path)
from vorlin_portal import publish, wire
from vorlin_portal.wire import Consulta


class LeituraDaConsulta(unittest.TestCase):
    def test_valores(self):
        registro = dict(livres=publish.LIVRES_REGISTRO, conhecidas=publish.CHAVES_REGISTRO)
        login = dict(livres=("log", "psw", "dom"), conhecidas=("log", "psw", "dom"))
        casos = [
            # (query, options, key, encoded by the program, expected)
            ("log=MARIA&psw=a%26b%23c%2Bd%25e&dom=DEMO", login, "psw", False, "a&b#c+d%e"),
            ("log=MARIA&psw=a&b=c&dom=DEMO", login, "psw", False, "a&b=c"),
            ("log=MARIA&psw=x&dom=DEMO", login, "dom", False, "DEMO"),
            ("l=1&s=2&e=3&t=D&email=N&d=Nota+fiscal+10%25&o=a&b=c&f=x.pdf&Parametro1=",
             registro, "d", True, "Nota fiscal 10%"),
            ("l=1&s=2&e=3&t=D&email=N&d=Nota&o=a&b=c&f=x.pdf&Parametro1=",
             registro, "o", True, "a&b=c"),
            # a key the program wrote earlier cannot start inside free text
            ("l=1&s=2&e=3&t=D&email=N&d=pre%E7o&t=2&o=&f=x.pdf&Parametro1=",
             registro, "d", True, "preço&t=2"),
            ("l=1&s=2&e=3&t=D&email=N&d=x&o=&f=a+b&c.pdf&Parametro1=p",
             registro, "f", False, "a+b&c.pdf"),
            ("l=1&s=2&e=3&t=D&email=N&d=x&o=&Parametro1=p&q&Parametro2=z",
             registro, "Parametro1", False, "p&q"),
            ("l=1&s=2&e=3&t=D&email=N&d=x&o=&Parametro1=p&Parametro5=z&w=y&idPasta=1|0|",
             registro, "idPasta", False, "1|0|"),
            ("a=1&a=2", {}, "a", False, "1"),
            ("Nivel=2&Pasta=7", {}, "pasta", False, "7"),
            ("x=%E7%e3%GZ%4", {}, "x", False, "çã%GZ%4"),
            ("x=\xe7\xe3o", {}, "x", False, "ção"),
            ("x=%81%8D", {}, "x", False, "\x81\x8d"),
        ]
        for cru, opcoes, chave, codificado, esperado in casos:
            with self.subTest(cru=cru, chave=chave):
                self.assertEqual(Consulta(cru, **opcoes).texto(chave, codificado=codificado),
                                 esperado)

    def test_inteiros(self):
        for texto, esperado in [("12", 12), ("-1", -1), ("2147483647", 2**31 - 1),
                                ("2147483648", None), ("1;DROP", None), ("", None),
                                ("1e3", None), ("٣", None)]:
            with self.subTest(texto=texto):
                self.assertEqual(wire.inteiro(texto), esperado)


class Cp1252(unittest.TestCase):
    def test_ida_e_volta(self):
        texto = "Açougue São João — 10€ \x81"
        self.assertEqual(wire.de_cp1252(wire.para_cp1252(texto)), texto)
        self.assertEqual(wire.para_cp1252("ção"), b"\xe7\xe3o")
        self.assertEqual(wire.para_cp1252("日本"), b"??")

    def test_campo_nao_vaza_delimitadores(self):
        campo = wire.campo("a|*+b<!#c>@%d-*=e\r\nf\rg\nh")
        for sep in ("|*+", "<!#", ">@%", "-*=", "\r", "\n"):
            self.assertNotIn(sep, campo)


if __name__ == "__main__":
    unittest.main()
