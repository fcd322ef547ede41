"""The program's requests outside publication and history: login and
confirmation, directory, status services, users, folders and parameters."""

from . import wire
from .store import confere_senha
from .wire import Consulta, recusa

LOGIN_RECUSADO = "1"
LOGIN_BLOQUEADO = "2"

MSG_REQUISICAO = "Requisição inválida!"
MSG_SESSAO = {
    wire.SESSAO_DESCONHECIDA: "Sessão não encontrada! Faça o login novamente.",
    wire.SESSAO_EXPIRADA: "Sessão expirada! Faça o login novamente.",
    wire.SESSAO_DE_OUTRO_LOGIN: "Sessão não pertence a este login!",
    wire.REQUISICAO_INVALIDA: MSG_REQUISICAO,
}

# Longest text accepted in a value that names something (domain, login...).
MAX_NOME = 100


class Contexto:
    """Who is asking: a valid session, its login and its office."""

    def __init__(self, sessao, login, escritorio):
        self.sessao = sessao
        self.login = login
        self.escritorio = escritorio

    @property
    def escritorio_id(self):
        return self.escritorio["id"]


def sessao(portal, q):
    """(Contexto, None) for a valid session, else (None, refusal text)."""
    numero, login_id = q.inteiro("s"), q.inteiro("l")
    if numero is None or login_id is None or numero <= 0 or login_id <= 0:
        codigo = wire.REQUISICAO_INVALIDA
        if (q.tem("s") and q.tem("l") and numero is not None and login_id is not None):
            codigo = wire.SESSAO_DESCONHECIDA
        return None, recusa(codigo, MSG_SESSAO[codigo])
    banco = portal.banco
    linha = banco.sessao(numero)
    if linha is None:
        return None, recusa(wire.SESSAO_DESCONHECIDA, MSG_SESSAO[wire.SESSAO_DESCONHECIDA])
    if linha["login_id"] != login_id:
        return None, recusa(wire.SESSAO_DE_OUTRO_LOGIN,
                            MSG_SESSAO[wire.SESSAO_DE_OUTRO_LOGIN])
    if banco.sessao_expirada(linha):
        return None, recusa(wire.SESSAO_EXPIRADA, MSG_SESSAO[wire.SESSAO_EXPIRADA])
    login = banco.login(login_id)
    if login is None or not login["ativo"]:
        return None, recusa(wire.SESSAO_DESCONHECIDA, MSG_SESSAO[wire.SESSAO_DESCONHECIDA])
    return Contexto(linha, login, banco.escritorio(login["escritorio_id"])), None


def invalida(mensagem=MSG_REQUISICAO):
    return recusa(wire.REQUISICAO_INVALIDA, mensagem)


# -- login and confirmation ---------------------------------------------------

def login(portal, cru):
    q = Consulta(cru, livres=("log", "psw", "dom"), conhecidas=("log", "psw", "dom"))
    dominio, nome, senha = q.texto("dom"), q.texto("log"), q.texto("psw")
    if not dominio or not nome or senha is None or max(
            len(dominio), len(nome), len(senha)) > MAX_NOME:
        return invalida("Informe domínio, login e senha!")
    banco = portal.banco
    escritorio = banco.escritorio_por_dominio(dominio)
    linha = banco.login_por_nome(escritorio["id"], nome) if escritorio else None
    # the program trims the password; the portal compares what it receives
    if linha is None or not confere_senha(senha, linha["senha"]):
        return recusa(LOGIN_RECUSADO, "Domínio, login ou senha inválidos!")
    if not linha["ativo"]:
        return recusa(LOGIN_BLOQUEADO,
                      "Login bloqueado! Procure o administrador do escritório.")
    numero = banco.abre_sessao(linha["id"])
    return wire.resposta_linhas(*(wire.campo(v) for v in (
        numero,
        escritorio["dominio"],
        linha["nome"],
        portal.ftp_host,
        escritorio["ftp_usuario"],
        escritorio["ftp_senha"],
        escritorio["nome"],
        linha["id"],
        escritorio["id"],
        escritorio["logo"],
        _data_portal(portal),
        "1" if linha["debug"] else "0",
        escritorio["tp_logo"],
        linha["admin"],
    )))


def _data_portal(portal):
    return portal.relogio.hoje().strftime("%d/%m/%Y")


def confirma(portal, cru):
    ctx, erro = sessao(portal, Consulta(cru))
    if erro:
        return erro
    portal.banco.confirma_sessao(ctx.sessao["numero"])
    escritorio = ctx.escritorio
    return wire.resposta_linhas(*(wire.campo(v) for v in (
        _data_portal(portal), portal.ftp_host, escritorio["ftp_usuario"],
        escritorio["ftp_senha"])))


def conectividade(portal, cru):
    return "0"


# -- directory ----------------------------------------------------------------

def sincroniza(portal, cru):
    q = Consulta(cru)
    ctx, erro = sessao(portal, q)
    if erro:
        return erro
    if not (q.texto("c") == "1" or q.texto("u") == "1"):
        return invalida()
    banco, eid = portal.banco, ctx.escritorio_id
    carteiras = [(c["id"], c["nome"]) for c in banco.carteiras(eid)]
    clientes = [(c["id"], c["carteira_id"] or 0, c["nome"]) for c in banco.clientes(eid)]
    # the directory's users are the office's logins: the people who publish
    usuarios = [(l["id"], l["nome"]) for l in banco.logins(eid)]
    return wire.resposta_secoes(
        wire.registros(carteiras) if carteiras else "4",
        wire.registros(clientes) if clientes else "5",
        wire.registros(usuarios) if usuarios else "6",
    )


# -- status services ----------------------------------------------------------

def espaco(portal, cru):
    ctx, erro = sessao(portal, Consulta(cru))
    if erro:
        return erro
    total = ctx.escritorio["espaco_total"]
    usado = portal.banco.espaco_usado(ctx.escritorio_id)
    if portal.falhas.ativa("disk_full"):
        usado = max(total, usado)
    return ";".join((wire.MARCADOR, str(total), str(usado)))


def dica(portal, cru):
    q = Consulta(cru, livres=("ordem",), conhecidas=("s", "l", "ordem"))
    _, erro = sessao(portal, q)
    if erro:
        return erro
    linha = portal.banco.proxima_dica(wire.inteiro(q.texto("ordem", "")))
    if linha is None:
        return recusa("1", "Nenhuma dica cadastrada.")
    return wire.DICA.join((str(linha["id"]), wire.campo(linha["titulo"]),
                           _texto_dica(linha["texto"])))


def _texto_dica(texto):
    # line breaks are welcome in a tip's text; only the delimiter is not
    return texto.replace(wire.DICA, "- *=")


# -- users of the client companies --------------------------------------------

def _registro_usuario(u, com_cliente):
    campos = [u["id"], u["nome"], u["perfil"], u["email"]]
    if com_cliente:
        campos.append(u["cliente_id"])
    return campos


def usuarios_cliente(portal, cru):
    q = Consulta(cru)
    ctx, erro = sessao(portal, q)
    if erro:
        return erro
    cliente_id = q.inteiro("e")
    if cliente_id is None:
        return invalida()
    if portal.banco.cliente(ctx.escritorio_id, cliente_id) is None:
        return invalida("Cliente não encontrado!")
    usuarios = portal.banco.usuarios_do_cliente(cliente_id)
    return wire.resposta_secoes(wire.registros(_registro_usuario(u, False)
                                               for u in usuarios))


def usuarios_todos(portal, cru):
    q = Consulta(cru)
    ctx, erro = sessao(portal, q)
    if erro:
        return erro
    escritorio_id, posicao = q.inteiro("id_contador"), q.inteiro("id_carteira", -1)
    if escritorio_id is None or posicao is None:
        return invalida()
    if escritorio_id != ctx.escritorio_id:
        return invalida("Escritório não confere com a sessão!")
    # the program sends the position in its wallet list, not the wallet id:
    # 0 (or nothing selected) is every wallet, k the k-th wallet listed
    carteira_id = None
    if posicao > 0:
        carteiras = portal.banco.carteiras(escritorio_id)
        if posicao > len(carteiras):
            return invalida("Carteira não encontrada!")
        carteira_id = carteiras[posicao - 1]["id"]
    usuarios = portal.banco.usuarios_dos_clientes(escritorio_id, carteira_id)
    return wire.resposta_secoes(wire.registros(_registro_usuario(u, True)
                                               for u in usuarios))


# -- folders and parameters ---------------------------------------------------

def pastas(portal, cru):
    q = Consulta(cru)
    ctx, erro = sessao(portal, q)
    if erro:
        return erro
    escritorio_id, nivel = q.inteiro("e"), q.inteiro("Nivel")
    pai_id, admin = q.inteiro("Pasta"), q.inteiro("Admin", 0)
    if None in (escritorio_id, nivel, pai_id) or admin is None:
        return invalida()
    if escritorio_id != ctx.escritorio_id:
        return invalida("Escritório não confere com a sessão!")
    if not 1 <= nivel <= 5:
        return invalida("Nível de pasta inválido!")
    if nivel == 1:
        pai_id = None
    else:
        pai = portal.banco.pasta(escritorio_id, pai_id)
        if pai is None or pai["nivel"] != nivel - 1:
            return invalida("Pasta não encontrada!")
    # restricted folders are shown to administrators only
    ver_restritas = bool(admin) and bool(ctx.login["admin"])
    linhas = portal.banco.subpastas(escritorio_id, nivel, pai_id, ver_restritas)
    return wire.resposta_secoes(wire.registros((p["id"], p["nome"]) for p in linhas))


def parametros_da_pasta(banco, escritorio_id, pasta):
    """A folder's own parameter names, or else those of its nearest
    ancestor that has any: a sub-folder files the same kind of document."""
    while pasta is not None:
        nomes = [pasta[f"parametro{k}"] for k in range(1, 6)]
        if any(nomes):
            return nomes
        pasta = banco.pasta(escritorio_id, pasta["pai_id"]) if pasta["pai_id"] else None
    return [""] * 5


def parametros(portal, cru):
    q = Consulta(cru)
    ctx, erro = sessao(portal, q)
    if erro:
        return erro
    escritorio_id, nivel, pasta_id = q.inteiro("e"), q.inteiro("pix"), q.inteiro("pid")
    if None in (escritorio_id, nivel, pasta_id):
        return invalida()
    if escritorio_id != ctx.escritorio_id:
        return invalida("Escritório não confere com a sessão!")
    pasta = portal.banco.pasta(escritorio_id, pasta_id)
    if pasta is None or pasta["nivel"] != nivel:
        return invalida("Pasta não encontrada!")
    return wire.resposta_secoes(
        wire.registros([parametros_da_pasta(portal.banco, escritorio_id, pasta)]))
