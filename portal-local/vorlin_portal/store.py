"""The portal's data: one SQLite file, parameterised statements only."""

import datetime as _dt
import functools
import hashlib
import hmac
import os
import secrets
import sqlite3
import threading
import unicodedata

from . import wire

SESSAO_SEGUNDOS = 7 * 24 * 3600
ITERACOES_SENHA = 60000

ESQUEMA = """
CREATE TABLE IF NOT EXISTS escritorios (
    id INTEGER PRIMARY KEY,
    dominio TEXT NOT NULL UNIQUE,
    nome TEXT NOT NULL,
    logo TEXT NOT NULL DEFAULT '',
    tp_logo TEXT NOT NULL DEFAULT 'P',
    espaco_total INTEGER NOT NULL DEFAULT 0,
    ftp_usuario TEXT NOT NULL UNIQUE,
    ftp_senha TEXT NOT NULL
);
CREATE TABLE IF NOT EXISTS logins (
    id INTEGER PRIMARY KEY,
    escritorio_id INTEGER NOT NULL REFERENCES escritorios(id),
    login TEXT NOT NULL,
    nome TEXT NOT NULL,
    senha TEXT NOT NULL,
    admin INTEGER NOT NULL DEFAULT 0,
    debug INTEGER NOT NULL DEFAULT 0,
    ativo INTEGER NOT NULL DEFAULT 1,
    UNIQUE (escritorio_id, login)
);
CREATE TABLE IF NOT EXISTS sessoes (
    numero INTEGER PRIMARY KEY,
    login_id INTEGER NOT NULL REFERENCES logins(id),
    emitida_em TEXT NOT NULL,
    confirmada_em TEXT NOT NULL
);
CREATE TABLE IF NOT EXISTS carteiras (
    id INTEGER PRIMARY KEY,
    escritorio_id INTEGER NOT NULL REFERENCES escritorios(id),
    nome TEXT NOT NULL
);
CREATE TABLE IF NOT EXISTS clientes (
    id INTEGER PRIMARY KEY,
    escritorio_id INTEGER NOT NULL REFERENCES escritorios(id),
    carteira_id INTEGER REFERENCES carteiras(id),
    nome TEXT NOT NULL
);
CREATE TABLE IF NOT EXISTS usuarios (
    id INTEGER PRIMARY KEY,
    cliente_id INTEGER NOT NULL REFERENCES clientes(id),
    nome TEXT NOT NULL,
    perfil TEXT NOT NULL,
    email TEXT NOT NULL DEFAULT ''
);
CREATE TABLE IF NOT EXISTS pastas (
    id INTEGER PRIMARY KEY,
    escritorio_id INTEGER NOT NULL REFERENCES escritorios(id),
    pai_id INTEGER REFERENCES pastas(id),
    nivel INTEGER NOT NULL CHECK (nivel BETWEEN 1 AND 5),
    nome TEXT NOT NULL,
    restrita INTEGER NOT NULL DEFAULT 0,
    parametro1 TEXT NOT NULL DEFAULT '',
    parametro2 TEXT NOT NULL DEFAULT '',
    parametro3 TEXT NOT NULL DEFAULT '',
    parametro4 TEXT NOT NULL DEFAULT '',
    parametro5 TEXT NOT NULL DEFAULT ''
);
CREATE TABLE IF NOT EXISTS arquivos (
    id INTEGER PRIMARY KEY,
    escritorio_id INTEGER NOT NULL REFERENCES escritorios(id),
    nome TEXT NOT NULL,
    tamanho INTEGER NOT NULL,
    recebido_em TEXT NOT NULL,
    removido_em TEXT
);
CREATE TABLE IF NOT EXISTS publicacoes (
    id INTEGER PRIMARY KEY,
    escritorio_id INTEGER NOT NULL REFERENCES escritorios(id),
    cliente_id INTEGER NOT NULL REFERENCES clientes(id),
    arquivo_id INTEGER NOT NULL REFERENCES arquivos(id),
    login_id INTEGER NOT NULL REFERENCES logins(id),
    tipo_doc TEXT NOT NULL,
    descricao TEXT NOT NULL,
    observacao TEXT NOT NULL DEFAULT '',
    ativacao TEXT,
    expiracao TEXT,
    vencimento TEXT,
    valor REAL NOT NULL DEFAULT 0,
    parametro1 TEXT NOT NULL DEFAULT '',
    parametro2 TEXT NOT NULL DEFAULT '',
    parametro3 TEXT NOT NULL DEFAULT '',
    parametro4 TEXT NOT NULL DEFAULT '',
    parametro5 TEXT NOT NULL DEFAULT '',
    pasta_id INTEGER REFERENCES pastas(id),
    aviso TEXT NOT NULL DEFAULT 'N',
    publicada_em TEXT NOT NULL,
    lida_em TEXT,
    apagada_em TEXT,
    backup_em TEXT
);
CREATE INDEX IF NOT EXISTS publicacoes_por_escritorio
    ON publicacoes (escritorio_id, publicada_em);
CREATE TABLE IF NOT EXISTS publicacao_usuarios (
    publicacao_id INTEGER NOT NULL REFERENCES publicacoes(id),
    usuario_id INTEGER NOT NULL REFERENCES usuarios(id),
    PRIMARY KEY (publicacao_id, usuario_id)
);
CREATE TABLE IF NOT EXISTS avisos (
    id INTEGER PRIMARY KEY,
    publicacao_id INTEGER NOT NULL REFERENCES publicacoes(id),
    nome TEXT NOT NULL,
    email TEXT NOT NULL,
    situacao TEXT NOT NULL,
    criado_em TEXT NOT NULL,
    agendado_para TEXT
);
CREATE TABLE IF NOT EXISTS dicas (
    id INTEGER PRIMARY KEY,
    titulo TEXT NOT NULL,
    texto TEXT NOT NULL
);
"""


class Relogio:
    """The portal's clock; tests shift it to age sessions or to make the
    portal's date differ from the computer's."""

    def __init__(self):
        self.deslocamento = 0.0

    def agora(self):
        return (_dt.datetime.now() + _dt.timedelta(seconds=self.deslocamento)
                ).replace(microsecond=0)

    def hoje(self):
        return self.agora().date()


def hash_senha(senha, iteracoes=ITERACOES_SENHA):
    sal = secrets.token_bytes(16)
    chave = hashlib.pbkdf2_hmac("sha256", senha.encode("utf-8"), sal, iteracoes)
    return f"pbkdf2_sha256${iteracoes}${sal.hex()}${chave.hex()}"


def confere_senha(senha, guardada):
    try:
        _, iteracoes, sal, chave = guardada.split("$")
        calculada = hashlib.pbkdf2_hmac(
            "sha256", senha.encode("utf-8"), bytes.fromhex(sal), int(iteracoes))
    except (ValueError, TypeError):
        return False
    return hmac.compare_digest(calculada.hex(), chave)


@functools.lru_cache(maxsize=65536)
def chave_pt(texto):
    """Sort key for Portuguese text: accents and case do not separate words."""
    decomposto = unicodedata.normalize("NFKD", texto or "")
    return "".join(c for c in decomposto if not unicodedata.combining(c)).casefold()


def _colacao_pt(a, b):
    ka, kb = chave_pt(a), chave_pt(b)
    return (ka > kb) - (ka < kb)


class Banco:
    """One connection shared by the HTTP threads and the FTP loop; the lock
    keeps each operation whole."""

    def __init__(self, caminho, relogio=None):
        self.caminho = str(caminho)
        self.relogio = relogio or Relogio()
        self.trava = threading.RLock()
        self.con = sqlite3.connect(self.caminho, check_same_thread=False,
                                   isolation_level=None)
        self.con.row_factory = sqlite3.Row
        self.con.create_collation("PT", _colacao_pt)
        # for long sorts: one key per row beats a collation called per comparison
        self.con.create_function("CHAVE_PT", 1, chave_pt, deterministic=True)
        self.con.create_function("EXTENSAO", 1, wire.extensao, deterministic=True)
        self.con.execute("PRAGMA foreign_keys = ON")
        if self.caminho != ":memory:":
            self.con.execute("PRAGMA journal_mode = WAL")
            self.con.execute("PRAGMA synchronous = NORMAL")
        self.con.executescript(ESQUEMA)

    def fecha(self):
        with self.trava:
            self.con.close()

    # -- small helpers -----------------------------------------------------

    def um(self, sql, parametros=()):
        with self.trava:
            return self.con.execute(sql, parametros).fetchone()

    def todos(self, sql, parametros=()):
        with self.trava:
            return self.con.execute(sql, parametros).fetchall()

    def transacao(self):
        return _Transacao(self)

    def agora_iso(self):
        return self.relogio.agora().isoformat(sep=" ")

    def hoje_iso(self):
        return self.relogio.hoje().isoformat()

    # -- offices, logins, sessions -----------------------------------------

    def cria_escritorio(self, dominio, nome, espaco_total, ftp_usuario, ftp_senha,
                        logo="", tp_logo="P", id=None):
        with self.transacao() as c:
            cur = c.execute(
                "INSERT INTO escritorios (id, dominio, nome, logo, tp_logo, espaco_total,"
                " ftp_usuario, ftp_senha) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                (id, dominio.strip().upper(), nome, logo, tp_logo, espaco_total,
                 ftp_usuario, ftp_senha))
            return cur.lastrowid

    def cria_login(self, escritorio_id, login, nome, senha, admin=0, debug=0, ativo=1):
        senha_hash = hash_senha(senha)
        with self.transacao() as c:
            return c.execute(
                "INSERT INTO logins (escritorio_id, login, nome, senha, admin, debug, ativo)"
                " VALUES (?, ?, ?, ?, ?, ?, ?)",
                (escritorio_id, login.strip().upper(), nome, senha_hash, admin, debug,
                 ativo)).lastrowid

    def escritorio(self, escritorio_id):
        return self.um("SELECT * FROM escritorios WHERE id = ?", (escritorio_id,))

    def escritorio_por_dominio(self, dominio):
        return self.um("SELECT * FROM escritorios WHERE dominio = ?",
                       (dominio.strip().upper(),))

    def escritorio_por_ftp(self, usuario):
        return self.um("SELECT * FROM escritorios WHERE ftp_usuario = ?", (usuario,))

    def login_por_nome(self, escritorio_id, login):
        return self.um("SELECT * FROM logins WHERE escritorio_id = ? AND login = ?",
                       (escritorio_id, login.strip().upper()))

    def abre_sessao(self, login_id):
        agora = self.agora_iso()
        with self.transacao() as c:
            while True:
                numero = secrets.randbelow(2**31 - 2) + 1
                if c.execute("SELECT 1 FROM sessoes WHERE numero = ?",
                             (numero,)).fetchone() is None:
                    break
            c.execute("INSERT INTO sessoes (numero, login_id, emitida_em, confirmada_em)"
                      " VALUES (?, ?, ?, ?)", (numero, login_id, agora, agora))
        return numero

    def sessao(self, numero):
        return self.um("SELECT * FROM sessoes WHERE numero = ?", (numero,))

    def sessao_expirada(self, sessao):
        confirmada = _dt.datetime.fromisoformat(sessao["confirmada_em"])
        return (self.relogio.agora() - confirmada).total_seconds() > SESSAO_SEGUNDOS

    def confirma_sessao(self, numero):
        with self.transacao() as c:
            c.execute("UPDATE sessoes SET confirmada_em = ? WHERE numero = ?",
                      (self.agora_iso(), numero))

    def login(self, login_id):
        return self.um("SELECT * FROM logins WHERE id = ?", (login_id,))

    # -- directory ---------------------------------------------------------

    def cria_carteira(self, escritorio_id, nome):
        with self.transacao() as c:
            return c.execute("INSERT INTO carteiras (escritorio_id, nome) VALUES (?, ?)",
                             (escritorio_id, nome)).lastrowid

    def cria_cliente(self, escritorio_id, nome, carteira_id=None):
        with self.transacao() as c:
            return c.execute(
                "INSERT INTO clientes (escritorio_id, carteira_id, nome) VALUES (?, ?, ?)",
                (escritorio_id, carteira_id, nome)).lastrowid

    def cria_usuario(self, cliente_id, nome, perfil, email=""):
        with self.transacao() as c:
            return c.execute(
                "INSERT INTO usuarios (cliente_id, nome, perfil, email) VALUES (?, ?, ?, ?)",
                (cliente_id, nome, perfil, email)).lastrowid

    def carteiras(self, escritorio_id):
        return self.todos("SELECT * FROM carteiras WHERE escritorio_id = ?"
                          " ORDER BY nome COLLATE PT, id", (escritorio_id,))

    def clientes(self, escritorio_id, carteira_id=None):
        if carteira_id is None:
            return self.todos("SELECT * FROM clientes WHERE escritorio_id = ?"
                              " ORDER BY nome COLLATE PT, id", (escritorio_id,))
        return self.todos("SELECT * FROM clientes WHERE escritorio_id = ? AND carteira_id = ?"
                          " ORDER BY nome COLLATE PT, id", (escritorio_id, carteira_id))

    def cliente(self, escritorio_id, cliente_id):
        return self.um("SELECT * FROM clientes WHERE escritorio_id = ? AND id = ?",
                       (escritorio_id, cliente_id))

    def logins(self, escritorio_id):
        return self.todos("SELECT * FROM logins WHERE escritorio_id = ?"
                          " ORDER BY nome COLLATE PT, id", (escritorio_id,))

    def usuarios_do_cliente(self, cliente_id):
        return self.todos("SELECT * FROM usuarios WHERE cliente_id = ?"
                          " ORDER BY nome COLLATE PT, id", (cliente_id,))

    def usuarios_dos_clientes(self, escritorio_id, carteira_id=None):
        sql = ("SELECT u.* FROM usuarios u JOIN clientes c ON c.id = u.cliente_id"
               " WHERE c.escritorio_id = ?")
        parametros = [escritorio_id]
        if carteira_id is not None:
            sql += " AND c.carteira_id = ?"
            parametros.append(carteira_id)
        sql += " ORDER BY c.nome COLLATE PT, c.id, u.nome COLLATE PT, u.id"
        return self.todos(sql, parametros)

    # -- folders -----------------------------------------------------------

    def cria_pasta(self, escritorio_id, nome, pai_id=None, restrita=0, parametros=()):
        nivel = 1
        if pai_id is not None:
            pai = self.um("SELECT nivel FROM pastas WHERE id = ?", (pai_id,))
            nivel = pai["nivel"] + 1
        nomes = (list(parametros) + [""] * 5)[:5]
        with self.transacao() as c:
            return c.execute(
                "INSERT INTO pastas (escritorio_id, pai_id, nivel, nome, restrita,"
                " parametro1, parametro2, parametro3, parametro4, parametro5)"
                " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                (escritorio_id, pai_id, nivel, nome, restrita, *nomes)).lastrowid

    def pasta(self, escritorio_id, pasta_id):
        return self.um("SELECT * FROM pastas WHERE escritorio_id = ? AND id = ?",
                       (escritorio_id, pasta_id))

    def subpastas(self, escritorio_id, nivel, pai_id, ver_restritas):
        sql = "SELECT * FROM pastas WHERE escritorio_id = ? AND nivel = ?"
        parametros = [escritorio_id, nivel]
        if pai_id is None:
            sql += " AND pai_id IS NULL"
        else:
            sql += " AND pai_id = ?"
            parametros.append(pai_id)
        if not ver_restritas:
            sql += " AND restrita = 0"
        return self.todos(sql + " ORDER BY nome COLLATE PT, id", parametros)

    # -- storage -----------------------------------------------------------

    def espaco_usado(self, escritorio_id):
        linha = self.um("SELECT COALESCE(SUM(tamanho), 0) AS usado FROM arquivos"
                        " WHERE escritorio_id = ? AND removido_em IS NULL", (escritorio_id,))
        return linha["usado"]

    # -- tips --------------------------------------------------------------

    def cria_dica(self, titulo, texto):
        with self.transacao() as c:
            return c.execute("INSERT INTO dicas (titulo, texto) VALUES (?, ?)",
                             (titulo, texto)).lastrowid

    def proxima_dica(self, depois_de):
        """The tip after the one whose id was handed out last, wrapping."""
        if depois_de is not None:
            linha = self.um("SELECT * FROM dicas WHERE id > ? ORDER BY id LIMIT 1",
                            (depois_de,))
            if linha is not None:
                return linha
        return self.um("SELECT * FROM dicas ORDER BY id LIMIT 1")

    # -- notices -----------------------------------------------------------

    def avisos(self):
        return self.todos("SELECT * FROM avisos ORDER BY id")


class _Transacao:
    def __init__(self, banco):
        self.banco = banco

    def __enter__(self):
        self.banco.trava.acquire()
        try:
            self.banco.con.execute("BEGIN IMMEDIATE")
        except BaseException:
            self.banco.trava.release()
            raise
        return self.banco.con

    def __exit__(self, tipo, valor, tb):
        try:
            self.banco.con.execute("COMMIT" if tipo is None else "ROLLBACK")
        finally:
            self.banco.trava.release()
        return False


def abre(caminho, relogio=None):
    pasta = os.path.dirname(os.path.abspath(str(caminho)))
    if str(caminho) != ":memory:":
        os.makedirs(pasta, exist_ok=True)
    return Banco(caminho, relogio)
