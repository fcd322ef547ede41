"""The demo office: enough of a real office to show every screen of the
program with data."""

import datetime as _dt
import os
import struct
import zlib

DOMINIO = "DEMO"
LOGIN = "MARIA"
SENHA = "vorlin123"
FTP_USUARIO = "demo"
FTP_SENHA = "ftp-demo-123"
ESCRITORIO = "Escritório Modelo Contabilidade"
LOGO = "logo_modelo.png"
ESPACO_TOTAL = 50 * 1024 * 1024

# (login, name, password, admin, debug)
LOGINS = (
    (LOGIN, "Maria Aparecida Souza", SENHA, 1, 0),
    ("JOAO", "João Pedro Lima", "joao123", 0, 0),
    ("SUPORTE", "Suporte Técnico", "suporte123", 1, 1),
)

CARTEIRAS = ("Carteira Comércio", "Carteira Serviços")

# (client, wallet index or None, [(user, profile, e-mail)])
CLIENTES = (
    ("Açougue Boi Gordo Ltda", 0, [("Antônio Carlos", "Master", "antonio@boigordo.com.br"),
                                   ("Luíza Ferraz", "Financeiro", "luiza@boigordo.com.br")]),
    ("Auto Peças Rodovia ME", 0, [("Ricardo Nunes", "Master", "ricardo@autopecasrodovia.com.br")]),
    ("Bazar Três Irmãos", 0, [("Fátima Rezende", "Master", "fatima@bazar3irmaos.com.br"),
                              ("Gustavo Rezende", "Consulta", "")]),
    ("Construtora Alicerce S/A", 1, [("Eng. Paulo Mendes", "Master", "paulo@alicerce.com.br"),
                                     ("Sônia Prado", "Financeiro", "sonia@alicerce.com.br"),
                                     ("Depto. Pessoal", "Pessoal", "dp@alicerce.com.br")]),
    ("Clínica Sorriso Odontologia", 1, [("Dra. Helena Castro", "Master",
                                         "helena@clinicasorriso.com.br")]),
    ("Escola Pequeno Príncipe", 1, [("Márcia Teixeira", "Master", "marcia@pequenoprincipe.edu.br"),
                                    ("Secretaria", "Consulta", "secretaria@pequenoprincipe.edu.br")]),
    ("Farmácia Vida & Saúde", 0, [("José Ribamar", "Master", "jose@vidaesaude.com.br")]),
    ("Mercado São Jorge", 0, [("Cláudio Batista", "Master", "claudio@mercadosaojorge.com.br"),
                              ("Tesouraria", "Financeiro", "tesouraria@mercadosaojorge.com.br")]),
    ("Oficina Mecânica Pistão", 1, [("Roberto Dias", "Master", "roberto@pistao.com.br")]),
    ("Padaria Pão Quente", 0, [("Dona Benta Oliveira", "Usuário", "")]),
    ("Transportadora Veloz", 1, [("Sérgio Amaral", "Master", "sergio@veloz.com.br"),
                                 ("Frota", "Consulta", "frota@veloz.com.br")]),
    ("Associação de Moradores Vila Nova", None, []),
)

# (name, restricted, parameters, children)
PASTAS = (
    ("FISCAL", 0, ("COMPETÊNCIA",), (
        ("IMPOSTOS FEDERAIS", 0, (), (("DARF", 0, (), ()), ("DAS - SIMPLES NACIONAL", 0, (), ()))),
        ("IMPOSTOS ESTADUAIS", 0, (), (("ICMS", 0, (), ()),)),
        ("IMPOSTOS MUNICIPAIS", 0, (), (("ISS", 0, (), ()),)),
    )),
    ("PESSOAL", 0, ("COMPETÊNCIA", "FUNCIONÁRIO"), (
        ("FOLHA DE PAGAMENTO", 0, (), (("HOLERITES", 0, (), ()), ("FÉRIAS", 0, (), ()))),
        ("ADMISSÕES", 0, ("FUNCIONÁRIO", "", "CARGO"), ()),
    )),
    ("CONTÁBIL", 0, (), (
        ("BALANCETES", 0, ("EXERCÍCIO", "MÊS"), ()),
        ("BALANÇO PATRIMONIAL", 0, ("EXERCÍCIO",), ()),
    )),
    ("DIVERSOS", 0, (), ()),
    ("DIRETORIA", 1, ("ASSUNTO",), ()),
)

DICAS = (
    ("Publicação para vários clientes",
     "Marque vários clientes na tela de envio: o mesmo arquivo é publicado\r\n"
     "uma vez para cada empresa, com um só envio."),
    ("Avisos por e-mail",
     "Marque \"Enviar aviso por email\" e o portal avisa os usuários do cliente\r\n"
     "assim que o arquivo estiver disponível."),
    ("Datas de ativação",
     "Um arquivo com data de ativação futura fica agendado: o cliente só o vê\r\n"
     "a partir daquele dia, e o aviso por e-mail sai na mesma data."),
    ("Pastas e parâmetros",
     "Escolha a pasta do portal nível a nível. Algumas pastas pedem parâmetros,\r\n"
     "como a competência ou o funcionário."),
    ("Arraste outros arquivos",
     "Na tela de envio você pode arrastar mais arquivos para a lista e\r\n"
     "publicá-los todos de uma vez."),
    ("Espaço no portal",
     "Clique no indicador de espaço para ver quanto do espaço contratado\r\n"
     "já está em uso."),
)

# (client index, type, description, file, days ago, activation in days, expiry in days,
#  due in days, amount, read, deleted, folder path by name)
PUBLICACOES = (
    (0, "P", "DAS - Simples Nacional", "das_competencia.pdf", 2, None, None, 18, 1234.56,
     True, False, ("FISCAL", "IMPOSTOS FEDERAIS", "DAS - SIMPLES NACIONAL")),
    (3, "R", "Balancete mensal", "balancete.pdf", 5, None, None, None, 0, True, False,
     ("CONTÁBIL", "BALANCETES")),
    (3, "D", "Holerites da competência", "holerites.pdf", 6, None, 90, None, 0, False, False,
     ("PESSOAL", "FOLHA DE PAGAMENTO", "HOLERITES")),
    (4, "P", "ISS do mês", "iss_guia.pdf", 9, None, None, 6, 389.9, False, False,
     ("FISCAL", "IMPOSTOS MUNICIPAIS", "ISS")),
    (7, "D", "Contrato social consolidado", "contrato_social.pdf", 12, None, None, None, 0,
     True, True, ("DIVERSOS",)),
    (10, "D", "Relatório de férias", "ferias.pdf", 1, 3, None, None, 0, False, False,
     ("PESSOAL", "FOLHA DE PAGAMENTO", "FÉRIAS")),
    (1, "R", "Balanço patrimonial", "balanco.pdf", 30, None, None, None, 0, True, False,
     ("CONTÁBIL", "BALANÇO PATRIMONIAL")),
)

# Files sent before document types existed ("Indefinidos" in the history).
LEGADO = (
    (5, "Declaração anual 2007", "declaracao_2007.pdf", "2008-03-14 10:22:05"),
    (8, "Livro caixa 2008", "livro_caixa.pdf", "2008-09-30 16:45:00"),
)


def pdf_simples(titulo):
    """A small valid one-page PDF, so that published files open in a viewer."""
    texto = titulo.encode("cp1252", "replace").replace(b"(", b"[").replace(b")", b"]")
    conteudo = b"BT /F1 18 Tf 72 720 Td (" + texto + b") Tj ET"
    objetos = [
        b"<< /Type /Catalog /Pages 2 0 R >>",
        b"<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        b"<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R"
        b" /Resources << /Font << /F1 5 0 R >> >> >>",
        b"<< /Length " + str(len(conteudo)).encode() + b" >>\nstream\n" + conteudo
        + b"\nendstream",
        b"<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica"
        b" /Encoding /WinAnsiEncoding >>",
    ]
    saida = bytearray(b"%PDF-1.4\n")
    posicoes = []
    for i, obj in enumerate(objetos, start=1):
        posicoes.append(len(saida))
        saida += f"{i} 0 obj\n".encode() + obj + b"\nendobj\n"
    xref = len(saida)
    saida += f"xref\n0 {len(objetos) + 1}\n0000000000 65535 f \n".encode()
    for p in posicoes:
        saida += f"{p:010d} 00000 n \n".encode()
    saida += (f"trailer\n<< /Size {len(objetos) + 1} /Root 1 0 R >>\n"
              f"startxref\n{xref}\n%%EOF\n").encode()
    return bytes(saida)


# 5x7 glyphs for the logo's lettering
_FONTE = {
    "V": ("10001", "10001", "10001", "10001", "01010", "01010", "00100"),
    "O": ("01110", "10001", "10001", "10001", "10001", "10001", "01110"),
    "R": ("11110", "10001", "10001", "11110", "10100", "10010", "10001"),
    "L": ("10000", "10000", "10000", "10000", "10000", "10000", "11111"),
    "I": ("01110", "00100", "00100", "00100", "00100", "00100", "01110"),
    "N": ("10001", "11001", "10101", "10011", "10001", "10001", "10001"),
    "M": ("10001", "11011", "10101", "10101", "10001", "10001", "10001"),
    "D": ("11110", "10001", "10001", "10001", "10001", "10001", "11110"),
    "E": ("11111", "10000", "10000", "11110", "10000", "10000", "11111"),
    " ": ("00000",) * 7,
}


def png_logo(largura=242, altura=83):
    """The demo office's logo: a blue band with MODELO lettered in white."""
    fundo, faixa, letra = (255, 255, 255), (45, 79, 143), (255, 255, 255)
    pixels = [[fundo] * largura for _ in range(altura)]
    for y in range(6, altura - 6):
        for x in range(4, largura - 4):
            pixels[y][x] = faixa
    escala, texto = 5, "MODELO"
    largura_texto = len(texto) * 6 * escala - escala
    x0, y0 = (largura - largura_texto) // 2, (altura - 7 * escala) // 2
    for n, ch in enumerate(texto):
        for gy, linha in enumerate(_FONTE[ch]):
            for gx, bit in enumerate(linha):
                if bit == "1":
                    for dy in range(escala):
                        for dx in range(escala):
                            pixels[y0 + gy * escala + dy][x0 + (n * 6 + gx) * escala + dx] = letra
    cru = b"".join(b"\x00" + bytes(c for px in linha for c in px) for linha in pixels)

    def bloco(tipo, dados):
        return (struct.pack(">I", len(dados)) + tipo + dados
                + struct.pack(">I", zlib.crc32(tipo + dados) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n"
            + bloco(b"IHDR", struct.pack(">IIBBBBB", largura, altura, 8, 2, 0, 0, 0))
            + bloco(b"IDAT", zlib.compress(cru, 9)) + bloco(b"IEND", b""))


def semeia(portal):
    """Creates the demo office unless it is already there; returns its id."""
    banco = portal.banco
    existente = banco.escritorio_por_dominio(DOMINIO)
    if existente is not None:
        return existente["id"]
    eid = banco.cria_escritorio(DOMINIO, ESCRITORIO, ESPACO_TOTAL, FTP_USUARIO, FTP_SENHA,
                                logo=LOGO, tp_logo="P")
    os.makedirs(portal.pasta_logo(eid), exist_ok=True)
    with open(os.path.join(portal.pasta_logo(eid), LOGO), "wb") as f:
        f.write(png_logo())
    logins = [banco.cria_login(eid, l, n, s, admin=a, debug=d) for l, n, s, a, d in LOGINS]
    carteiras = [banco.cria_carteira(eid, nome) for nome in CARTEIRAS]
    clientes = []
    for nome, carteira, usuarios in CLIENTES:
        cid = banco.cria_cliente(eid, nome, carteiras[carteira] if carteira is not None else None)
        clientes.append(cid)
        for unome, perfil, email in usuarios:
            banco.cria_usuario(cid, unome, perfil, email)
    pastas = {}

    def cria(arvore, pai=None, caminho=()):
        for nome, restrita, parametros, filhos in arvore:
            pid = banco.cria_pasta(eid, nome, pai, restrita, parametros)
            pastas[caminho + (nome,)] = pid
            cria(filhos, pid, caminho + (nome,))

    cria(PASTAS)
    if banco.um("SELECT COUNT(*) AS n FROM dicas")["n"] == 0:
        for titulo, texto in DICAS:
            banco.cria_dica(titulo, texto)
    _publicacoes_demo(portal, eid, logins, clientes, pastas)
    return eid


def _publicacoes_demo(portal, eid, logins, clientes, pastas):
    banco = portal.banco
    agora = banco.relogio.agora()
    hoje = agora.date()

    def dia(n):
        return None if n is None else (hoje + _dt.timedelta(days=n)).isoformat()

    def guarda(nome, titulo, quando, removido=None):
        corpo = pdf_simples(titulo)
        with banco.transacao() as c:
            aid = c.execute("INSERT INTO arquivos (escritorio_id, nome, tamanho, recebido_em,"
                            " removido_em) VALUES (?, ?, ?, ?, ?)",
                            (eid, nome, len(corpo), quando, removido)).lastrowid
        if removido is None:
            os.makedirs(portal.pasta_arquivos(eid), exist_ok=True)
            with open(portal.caminho_arquivo(eid, aid), "wb") as f:
                f.write(corpo)
        return aid

    for (ci, tipo, descricao, nome, atras, ativ, expira, vence, valor, lida, apagada,
         caminho) in PUBLICACOES:
        quando = (agora - _dt.timedelta(days=atras, hours=atras % 5)).isoformat(sep=" ")
        removido = (agora - _dt.timedelta(days=1)).isoformat(sep=" ") if apagada else None
        aid = guarda(nome, descricao, quando, removido)
        with banco.transacao() as c:
            c.execute(
                "INSERT INTO publicacoes (escritorio_id, cliente_id, arquivo_id, login_id,"
                " tipo_doc, descricao, ativacao, expiracao, vencimento, valor, pasta_id, aviso,"
                " publicada_em, lida_em, apagada_em, backup_em)"
                " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 'S', ?, ?, ?, ?)",
                (eid, clientes[ci], aid, logins[ci % 2], tipo, descricao,
                 dia(ativ),
                 dia(expira), dia(vence), valor, pastas[caminho], quando,
                 (agora - _dt.timedelta(days=max(atras - 1, 0))).isoformat(sep=" ")
                 if lida else None,
                 removido, removido))
    for ci, descricao, nome, quando in LEGADO:
        aid = guarda(nome, descricao, quando)
        with banco.transacao() as c:
            c.execute(
                "INSERT INTO publicacoes (escritorio_id, cliente_id, arquivo_id, login_id,"
                " tipo_doc, descricao, pasta_id, publicada_em)"
                " VALUES (?, ?, ?, ?, '', ?, ?, ?)",
                (eid, clientes[ci], aid, logins[0], descricao, pastas[("DIVERSOS",)], quando))
