"""The command that starts the portal, as the program's tests start it."""

import os
import re
import shutil
import socket
import ssl
import subprocess
import tempfile
import sqlite3
import unittest
import urllib.error
import urllib.request

from apoio import RAIZ_REPO

SCRIPT = os.path.join(RAIZ_REPO, "scripts", "portal-local")


def obtem(url, contexto=None):
    try:
        with urllib.request.urlopen(url, timeout=10, context=contexto) as r:
            return r.status, r.read()
    except urllib.error.HTTPError as exc:
        return exc.code, exc.read()


class Comando(unittest.TestCase):
    def setUp(self):
        self.raiz = tempfile.mkdtemp(prefix="vorlin-portal-cli-")
        self.addCleanup(shutil.rmtree, self.raiz, True)

    def inicia(self, *args):
        processo = subprocess.Popen(
            [SCRIPT, "--free-ports", "--watch-stdin", "--lifetime", "60", *args],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        self.addCleanup(self.encerra, processo)
        linha = processo.stdout.readline().decode()
        m = re.fullmatch(r"PORTS http=(\d+) ftp=(\d+)\n", linha)
        if m is None:
            processo.kill()
            self.fail("no PORTS line: " + linha)
        return processo, int(m.group(1)), int(m.group(2))

    def encerra(self, processo):
        if processo.poll() is None:
            processo.kill()
        processo.wait()
        for arquivo in (processo.stdin, processo.stdout):
            if not arquivo.closed:
                arquivo.close()

    def login(self, porta):
        return obtem(f"http://127.0.0.1:{porta}/printer/printer_login_b.asp?log=MARIA"
                     "&psw=vorlin123&dom=DEMO")[1].decode("cp1252").split("\r\n")

    def test_inicia_informa_portas_e_para_com_a_entrada(self):
        processo, http, ftp = self.inicia("--demo", "--root", self.raiz,
                                          "--fault", "http500&path=printer_login.asp&count=1")
        self.assertEqual(obtem(f"http://127.0.0.1:{http}/printer/printer_login.asp")[0], 500)
        self.assertEqual(obtem(f"http://127.0.0.1:{http}/printer/printer_login.asp")[1], b"0")
        resposta = self.login(http)
        self.assertEqual(resposta[0], "Vorlin Printer")
        self.assertEqual(resposta[4], f"127.0.0.1:{ftp}")
        with socket.create_connection(("127.0.0.1", ftp), timeout=10) as s:
            self.assertTrue(s.recv(100).startswith(b"220"))
        processo.stdin.close()
        self.assertEqual(processo.wait(timeout=10), 0)

        # the data outlives the process, and the demo office is not seeded twice
        processo, http, _ = self.inicia("--demo", "--root", self.raiz)
        self.assertEqual(self.login(http)[0], "Vorlin Printer")
        processo.stdin.close()
        self.assertEqual(processo.wait(timeout=10), 0)
        with sqlite3.connect(os.path.join(self.raiz, "portal.db")) as con:
            self.assertEqual(con.execute("SELECT COUNT(*) FROM escritorios").fetchone()[0], 1)

    def test_tls_informa_a_autoridade(self):
        processo = subprocess.Popen(
            [SCRIPT, "--free-ports", "--watch-stdin", "--lifetime", "60", "--demo", "--tls",
             "--root", self.raiz], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL)
        self.addCleanup(self.encerra, processo)
        linha = processo.stdout.readline().decode()
        m = re.fullmatch(r"PORTS http=(\d+) ftp=(\d+) ca=(.+)\n", linha)
        self.assertIsNotNone(m, linha)
        self.assertEqual(m.group(3), os.path.join(self.raiz, "tls", "ac.pem"))
        contexto = ssl.create_default_context(cafile=m.group(3))
        resposta = obtem(f"https://127.0.0.1:{m.group(1)}/printer/printer_login_b.asp?log=MARIA"
                         "&psw=vorlin123&dom=DEMO", contexto)[1].decode("cp1252").split("\r\n")
        self.assertEqual(resposta[0], "Vorlin Printer")
        processo.stdin.close()
        self.assertEqual(processo.wait(timeout=10), 0)

    def test_porta_ocupada(self):
        with socket.socket() as ocupado:
            ocupado.bind(("127.0.0.1", 0))
            ocupado.listen()
            porta = ocupado.getsockname()[1]
            resultado = subprocess.run(
                [SCRIPT, "--root", self.raiz, "--http-port", str(porta), "--ftp-port", "0",
                 "--lifetime", "5"], capture_output=True, timeout=20)
        self.assertEqual(resultado.returncode, 1)
        self.assertEqual(resultado.stdout, b"")
        self.assertIn(b"portas", resultado.stderr)


if __name__ == "__main__":
    unittest.main()
