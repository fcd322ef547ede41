"""The history query, its last-publication mode and the download of one
published file."""

import datetime as _dt

from . import api, wire
from .wire import Consulta, Resposta

# The program counts the records in 16 bits.
MAX_REGISTROS = 32767
MAX_IDS = 1000

# Files sent before this day have no document type ("Indefinidos").
INICIO_DOS_TIPOS = "2008-10-06"

TIPOS = {1: "P", 2: "R", 3: "D"}

# Sort orders: dates newest first, except expiry and due date, which matter
# by what comes next; texts alphabetically. Empty dates go last.
ORDENS = {
    0: "p.publicada_em DESC",
    1: "COALESCE(p.ativacao, substr(p.publicada_em, 1, 10)) DESC",
    2: "p.expiracao IS NULL, p.expiracao",
    3: "p.vencimento IS NULL, p.vencimento",
    4: "CHAVE_PT(p.descricao)",
    5: "CHAVE_PT(l.nome)",
}

MOSTRAR = {
    1: "p.lida_em IS NOT NULL",
    2: "p.lida_em IS NULL",
    3: ("p.apagada_em IS NULL AND (p.ativacao IS NULL OR p.ativacao <= :hoje)"
        " AND (p.expiracao IS NULL OR p.expiracao > :hoje)"),
    4: "p.apagada_em IS NOT NULL",
}

def _limpa(expr):
    """SQL for a text field that cannot leak a line break or a delimiter
    (the rule of wire.campo, run inside SQLite). Every delimiter holds '*',
    '!' or '@', so one GLOB spares the replacements to almost every field."""
    sql = expr
    for de in ("char(13)||char(10)", "char(13)", "char(10)"):
        sql = f"replace({sql}, {de}, ' ')"
    for sep in wire.SEPARADORES:
        sql = f"replace({sql}, '{sep}', '{sep[0]} {sep[1:]}')"
    return (f"CASE WHEN {expr} IS NULL THEN ''"
            f" WHEN {expr} GLOB '*[*!@'||char(13)||char(10)||']*' THEN {sql}"
            f" ELSE {expr} END")


def _data(expr, hora=False):
    """SQL for an ISO date (or date-time) written as dd/mm/yyyy[ HH:MM:SS]."""
    formato = "%d/%m/%Y %H:%M:%S" if hora else "%d/%m/%Y"
    return f"COALESCE(strftime('{formato}', {expr}), '')"


# The 17 fields of a record, built by SQLite: 10,000 records are one query
# instead of 170,000 calls in Python.
_CAMPOS = (
    _limpa("c.nome"),
    _limpa("p.tipo_doc"),
    "p.id",
    _limpa("p.descricao"),
    _limpa("a.nome"),
    "a.tamanho",
    "EXTENSAO(a.nome)",
    "CASE WHEN p.apagada_em IS NOT NULL THEN 'Apagado'"
    " WHEN p.expiracao IS NOT NULL AND p.expiracao <= :hoje THEN 'Expirado'"
    " WHEN p.ativacao IS NOT NULL AND p.ativacao > :hoje THEN 'Agendado'"
    " ELSE 'Ativo' END",
    _data("p.publicada_em", hora=True),
    _data("p.lida_em", hora=True),
    _data("p.apagada_em", hora=True),
    _limpa("l.nome"),
    _data("p.ativacao"),
    _data("p.expiracao"),
    _data("p.vencimento"),
    "replace(printf('%.2f', COALESCE(p.valor, 0)), '.', ',')",
    _data("p.backup_em", hora=True),
)

SELECAO = ("SELECT p.id, " + f" || '{wire.CAMPO}' || ".join(_CAMPOS) + " AS registro"
           """
FROM publicacoes p
JOIN arquivos a ON a.id = p.arquivo_id
JOIN clientes c ON c.id = p.cliente_id
JOIN logins l ON l.id = p.login_id
WHERE p.escritorio_id = :escritorio
""")


def situacao(linha, hoje):
    """The status field, for pages built in Python."""
    if linha["apagada_em"]:
        return "Apagado"
    if linha["expiracao"] and linha["expiracao"] <= hoje:
        return "Expirado"
    if linha["ativacao"] and linha["ativacao"] > hoje:
        return "Agendado"
    return "Ativo"


def _resposta(linhas):
    return wire.resposta_linhas(wire.REGISTRO.join(l["registro"] for l in linhas),
                                len(linhas))


def consulta(portal, cru):
    q = Consulta(cru)
    if q.tem("ia"):
        return arquivo(portal, q)
    ctx, erro = api.sessao(portal, q)
    if erro:
        return erro
    banco = portal.banco
    hoje = banco.hoje_iso()
    parametros = {"escritorio": ctx.escritorio_id, "hoje": hoje}

    if q.tem("li"):
        ids = []
        for parte in q.texto("li", "").split("*"):
            numero = wire.inteiro(parte)
            if numero is not None and numero not in ids:
                ids.append(numero)
        ids = ids[:MAX_IDS]
        if not ids:
            return _resposta([])
        marcas = ", ".join(f":id{i}" for i in range(len(ids)))
        parametros.update({f"id{i}": v for i, v in enumerate(ids)})
        linhas = banco.todos(SELECAO + f" AND p.id IN ({marcas})", parametros)
        posicao = {v: i for i, v in enumerate(ids)}
        return _resposta(sorted(linhas, key=lambda l: posicao[l["id"]]))

    condicoes = []
    numeros = {}
    for chave in ("e", "t", "o", "u", "m"):
        numeros[chave] = q.inteiro(chave) if q.tem(chave) else 0
        if numeros[chave] is None:
            return api.invalida(f"Valor inválido em {chave}!")
    empresa, tipo, ordem = numeros["e"], numeros["t"], numeros["o"]
    usuario, mostrar = numeros["u"], numeros["m"]
    if tipo not in (0, 1, 2, 3, 4):
        return api.invalida("Tipo de arquivo inválido!")
    if ordem not in ORDENS:
        return api.invalida("Ordem inválida!")
    if mostrar not in (0, 1, 2, 3, 4):
        return api.invalida("Opção de exibição inválida!")

    if empresa > 0:
        condicoes.append("p.cliente_id = :empresa")
        parametros["empresa"] = empresa
    if tipo in TIPOS:
        condicoes.append("p.tipo_doc = :tipo")
        parametros["tipo"] = TIPOS[tipo]
    elif tipo == 4:
        condicoes.append("p.publicada_em < :inicio_tipos")
        parametros["inicio_tipos"] = INICIO_DOS_TIPOS

    if q.tem("d"):
        qual = q.texto("d")
        inicio, fim = q.texto("i"), q.texto("f")
        inicio_iso = wire.data_compacta(inicio) if inicio is not None else None
        fim_iso = wire.data_compacta(fim) if fim is not None else None
        if qual not in ("t", "v") or (inicio is not None and inicio_iso is None) or (
                fim is not None and fim_iso is None):
            return api.invalida("Filtro de data inválido!")
        coluna = "p.publicada_em" if qual == "t" else "p.vencimento"
        if inicio_iso:
            condicoes.append(f"{coluna} >= :inicio")
            parametros["inicio"] = inicio_iso
        if fim_iso:
            if qual == "t":
                # publication dates carry a time: take the whole last day
                seguinte = _dt.date.fromisoformat(fim_iso) + _dt.timedelta(days=1)
                condicoes.append(f"{coluna} < :fim")
                parametros["fim"] = seguinte.isoformat()
            else:
                condicoes.append(f"{coluna} <= :fim")
                parametros["fim"] = fim_iso
    if usuario > 0:
        condicoes.append("p.login_id = :usuario")
        parametros["usuario"] = usuario
    if mostrar:
        condicoes.append(MOSTRAR[mostrar])

    sql = SELECAO + "".join(" AND " + c for c in condicoes)
    sql += f" ORDER BY {ORDENS[ordem]}, p.publicada_em DESC, p.id DESC LIMIT {MAX_REGISTROS}"
    return _resposta(banco.todos(sql, parametros))


def arquivo(portal, q):
    """The stored bytes, exactly; an empty body whenever there is no file,
    which the program reports as a file not found."""
    ctx, erro = api.sessao(portal, q)
    if erro:
        return Resposta(b"", 403)
    pid = q.inteiro("ia")
    linha = None if pid is None else portal.banco.um(
        "SELECT a.id, a.escritorio_id, a.nome, a.removido_em FROM publicacoes p"
        " JOIN arquivos a ON a.id = p.arquivo_id"
        " WHERE p.id = ? AND p.escritorio_id = ?", (pid, ctx.escritorio_id))
    if linha is None or linha["removido_em"]:
        return Resposta(b"", 404)
    try:
        with open(portal.caminho_arquivo(linha["escritorio_id"], linha["id"]), "rb") as f:
            return Resposta(f.read())
    except OSError:
        return Resposta(b"", 404)
