"""Registration of an uploaded file and the e-mail notices about it."""

import os
import re

from . import api, wire
from .wire import Consulta, recusa

# Keys of the registration, in the order the program writes them.
CHAVES_REGISTRO = (
    "l", "s", "e", "t", "a", "x", "email", "v", "r", "d", "o", "f",
    "Parametro1", "Parametro2", "Parametro3", "Parametro4", "Parametro5",
    "w", "idPasta", "UsuarioID", "Admin", "Email",
)
# Values the program does not escape and a user may type an '&' into.
LIVRES_REGISTRO = ("d", "o", "f", "Parametro1", "Parametro2", "Parametro3",
                   "Parametro4", "Parametro5")

REGISTRO_RECUSADO = "2"
SEM_ESPACO = "4"

MAX_DESCRICAO = 100
MAX_OBSERVACAO = 1000
MAX_PARAMETRO = 100
MAX_NOME_ARQUIVO = 255
MAX_CLIENTES = 1000

# separators and control characters; what else a file system allows, the
# program's users may well have put in a name
_NOME_PROIBIDO = re.compile(r"[\x00-\x1f\x7f/\\]")


def nome_seguro(nome):
    """A plain file name: nothing that could leave the folder it is meant
    for."""
    return bool(nome) and len(nome) <= MAX_NOME_ARQUIVO and nome not in (".", "..") \
        and ".." not in nome and not _NOME_PROIBIDO.search(nome) \
        and nome == nome.strip()


def _candidatos_nome(q):
    """The file name as the program's code page reads it, and as UTF-8, since
    the FTP client may have written the name in either."""
    bruto = q.bruto("f")
    nomes = [wire.de_cp1252(bruto)]
    try:
        utf8 = bruto.decode("utf-8")
        if utf8 not in nomes:
            nomes.append(utf8)
    except UnicodeDecodeError:
        pass
    return nomes


def _pasta_destino(banco, escritorio_id, caminho, admin):
    """'p1|p2|0|0|0|' -> the deepest chosen folder, or an error text."""
    partes = caminho.split("|")
    if partes and partes[-1] == "":
        partes.pop()
    if len(partes) != 5:
        return None, "Pasta inválida!"
    ids = [wire.inteiro(p) for p in partes]
    if None in ids or any(i < 0 for i in ids):
        return None, "Pasta inválida!"
    escolhidos = ids[:ids.index(0)] if 0 in ids else ids
    if not escolhidos or any(ids[len(escolhidos):]):
        return None, "Selecione uma pasta!"
    pai = None
    for nivel, pasta_id in enumerate(escolhidos, start=1):
        pasta = banco.pasta(escritorio_id, pasta_id)
        if pasta is None or pasta["nivel"] != nivel or pasta["pai_id"] != pai:
            return None, "Pasta não encontrada!"
        if pasta["restrita"] and not admin:
            return None, "Pasta restrita ao administrador!"
        pai = pasta_id
    return pai, None


def _data_opcional(q, chave, rotulo):
    texto = q.texto(chave)
    if texto is None or texto.strip() == "":
        return None, None
    iso = wire.data_iso(texto)
    if iso is None:
        return None, f"Data de {rotulo} inválida!"
    return iso, None


def registra(portal, cru):
    q = Consulta(cru, livres=LIVRES_REGISTRO, conhecidas=CHAVES_REGISTRO)
    ctx, erro = api.sessao(portal, q)
    if erro:
        return erro
    banco, eid = portal.banco, ctx.escritorio_id

    def recusado(mensagem, codigo=REGISTRO_RECUSADO):
        return recusa(codigo, mensagem)

    # recipients
    texto_clientes = q.texto("e", "")
    partes = [p for p in texto_clientes.split("*") if p != ""]
    clientes = []
    for parte in partes[:MAX_CLIENTES + 1]:
        cid = wire.inteiro(parte)
        if cid is None:
            return recusado("Cliente inválido: " + wire.campo(parte[:20]))
        if cid not in clientes:
            clientes.append(cid)
    if not clientes:
        return recusado("Nenhum cliente informado!")
    if len(clientes) > MAX_CLIENTES:
        return recusado("Clientes demais para uma publicação!")
    for cid in clientes:
        if banco.cliente(eid, cid) is None:
            return recusado(f"Cliente não encontrado: {cid}")

    tipo = q.texto("t", "")
    if tipo not in ("P", "R", "D"):
        return recusado("Tipo de documento inválido!")

    ativacao, erro = _data_opcional(q, "a", "ativação")
    if erro:
        return recusado(erro)
    expiracao, erro = _data_opcional(q, "x", "expiração")
    if erro:
        return recusado(erro)
    vencimento, valor = None, 0.0
    if tipo == "P":
        vencimento, erro = _data_opcional(q, "v", "vencimento")
        if erro:
            return recusado(erro)
        texto_valor = (q.texto("r", "") or "0").replace(",", ".")
        if not re.fullmatch(r"-?[0-9]{1,15}(\.[0-9]{1,6})?", texto_valor):
            return recusado("Valor inválido!")
        valor = float(texto_valor)
    if ativacao and expiracao and expiracao <= ativacao:
        return recusado("A data de expiração deve ser maior que a de ativação!")

    descricao = (q.texto("d", "", codificado=True) or "").strip()
    observacao = q.texto("o", "", codificado=True) or ""
    if not descricao:
        return recusado("Descrição não informada!")
    if len(descricao) > MAX_DESCRICAO:
        return recusado(f"Descrição maior que {MAX_DESCRICAO} caracteres!")
    if len(observacao) > MAX_OBSERVACAO:
        return recusado(f"Observação maior que {MAX_OBSERVACAO} caracteres!")
    parametros = [q.texto(f"Parametro{k}", "") for k in range(1, 6)]
    if any(len(p) > MAX_PARAMETRO for p in parametros):
        return recusado(f"Parâmetro maior que {MAX_PARAMETRO} caracteres!")

    pasta_id, erro = _pasta_destino(banco, eid, q.texto("idPasta", ""),
                                    ctx.login["admin"])
    if erro:
        return recusado(erro)

    # users with access: entries of other clients are left out, since the
    # program keeps the entries of a client the user unchecked afterwards
    acessos = []
    texto_usuarios = q.texto("UsuarioID", "")
    for entrada in (p for p in texto_usuarios.split("*") if p):
        cid, _, uid = entrada.partition("|")
        cid, uid = wire.inteiro(cid), wire.inteiro(uid)
        if cid is None or uid is None:
            return recusado("Lista de usuários inválida!")
        if cid in clientes:
            acessos.append((cid, uid))
    aviso = q.texto("Email", q.texto("email", "N"))
    aviso = "S" if (aviso or "").upper() == "S" else "N"

    if not q.tem("f"):
        return recusado("Arquivo não informado!")
    pasta_ftp = portal.pasta_ftp(eid)
    origem = None
    for nome in _candidatos_nome(q):
        if not nome_seguro(nome):
            return recusado("Nome de arquivo inválido!")
        caminho = os.path.join(pasta_ftp, nome)
        if os.path.isfile(caminho) and not os.path.islink(caminho) and \
                os.path.dirname(os.path.realpath(caminho)) == os.path.realpath(pasta_ftp):
            origem, nome_arquivo = caminho, nome
            break
    if origem is None:
        return recusado("Arquivo não encontrado no FTP: " + wire.campo(
            _candidatos_nome(q)[0][:MAX_NOME_ARQUIVO]))

    tamanho = os.path.getsize(origem)
    if portal.falhas.ativa("disk_full"):
        return recusado("Espaço em disco do portal esgotado!", SEM_ESPACO)

    try:
        ids = _grava(portal, ctx, clientes, acessos, nome_arquivo, origem, tamanho, tipo,
                     descricao, observacao, ativacao, expiracao, vencimento, valor,
                     parametros, pasta_id, aviso)
    except OSError:
        return recusado("Não foi possível guardar o arquivo no portal!")
    if ids is None:
        return recusado("Espaço insuficiente no portal para este arquivo!", SEM_ESPACO)

    linhas = ["*".join(str(i) for i in ids)]
    if q.tem("w"):
        linhas.append(wire.campo(
            f"Arquivo {nome_arquivo} ({tamanho} bytes) registrado para "
            f"{len(ids)} cliente(s) na pasta {pasta_id}; aviso {aviso}."))
    return wire.resposta_linhas(*linhas)


def _grava(portal, ctx, clientes, acessos, nome_arquivo, origem, tamanho, tipo, descricao,
           observacao, ativacao, expiracao, vencimento, valor, parametros, pasta_id, aviso):
    """One record per client company over one stored file; None when the
    office's quota has no room for it."""
    banco, eid = portal.banco, ctx.escritorio_id
    agora = banco.agora_iso()
    ids = []
    with banco.transacao() as c:
        usado = c.execute("SELECT COALESCE(SUM(tamanho), 0) FROM arquivos"
                          " WHERE escritorio_id = ? AND removido_em IS NULL",
                          (eid,)).fetchone()[0]
        if usado + tamanho > ctx.escritorio["espaco_total"]:
            ids = None
        else:
            arquivo_id = c.execute(
                "INSERT INTO arquivos (escritorio_id, nome, tamanho, recebido_em)"
                " VALUES (?, ?, ?, ?)", (eid, nome_arquivo, tamanho, agora)).lastrowid
            for cid in clientes:
                pid = c.execute(
                    "INSERT INTO publicacoes (escritorio_id, cliente_id, arquivo_id, login_id,"
                    " tipo_doc, descricao, observacao, ativacao, expiracao, vencimento, valor,"
                    " parametro1, parametro2, parametro3, parametro4, parametro5, pasta_id,"
                    " aviso, publicada_em) VALUES"
                    " (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                    (eid, cid, arquivo_id, ctx.login["id"], tipo, descricao, observacao,
                     ativacao, expiracao, vencimento, valor, *parametros, pasta_id,
                     aviso, agora)).lastrowid
                ids.append(pid)
                for acid, uid in acessos:
                    if acid == cid:
                        c.execute("INSERT OR IGNORE INTO publicacao_usuarios"
                                  " (publicacao_id, usuario_id) SELECT ?, id FROM usuarios"
                                  " WHERE id = ? AND cliente_id = ?", (pid, uid, cid))
            # moving inside the transaction: a failed move rolls the records back
            os.makedirs(portal.pasta_arquivos(eid), exist_ok=True)
            os.replace(origem, portal.caminho_arquivo(eid, arquivo_id))
    return ids


# -- notices ------------------------------------------------------------------

def _publicacao(portal, ctx, q):
    pid = q.inteiro("u")
    if pid is None:
        return None
    return portal.banco.um(
        "SELECT p.*, c.nome AS cliente_nome FROM publicacoes p"
        " JOIN clientes c ON c.id = p.cliente_id"
        " WHERE p.id = ? AND p.escritorio_id = ?", (pid, ctx.escritorio_id))


def destinatarios(banco, publicacao, modo):
    """Mode 2: every portal user of the client. Mode 1: the users given
    access to the file, plus the client's masters."""
    usuarios = banco.usuarios_do_cliente(publicacao["cliente_id"])
    if modo == 1:
        com_acesso = {r["usuario_id"] for r in banco.todos(
            "SELECT usuario_id FROM publicacao_usuarios WHERE publicacao_id = ?",
            (publicacao["id"],))}
        usuarios = [u for u in usuarios if u["id"] in com_acesso or "Master" in u["perfil"]]
    return [u for u in usuarios if u["email"].strip()]


CHAVES_AVISO = ("l", "s", "a", "t", "u", "i")


def avisos(portal, cru):
    """Both notice requests; "a=l" lists the people, "a=e" sends one."""
    q = Consulta(cru, livres=("i",), conhecidas=CHAVES_AVISO)
    ctx, erro = api.sessao(portal, q)
    if erro:
        return erro
    acao = q.texto("a", "")
    if acao == "l":
        return _lista(portal, ctx, q)
    if acao == "e":
        return _envia(portal, ctx, q)
    return api.invalida()


def _lista(portal, ctx, q):
    modo = q.inteiro("t")
    if modo not in (1, 2):
        return api.invalida("Modo de aviso inválido!")
    publicacao = _publicacao(portal, ctx, q)
    if publicacao is None:
        return api.invalida("Publicação não encontrada!")
    pessoas = destinatarios(portal.banco, publicacao, modo)
    if not pessoas:
        # the program reads an empty reply as "no e-mail registered"
        return ""
    return wire.resposta_linhas(
        wire.campo(publicacao["cliente_nome"]),
        *(wire.campo(u["nome"]).replace(";", ",") + ";" + wire.campo(u["email"])
          for u in pessoas))


def _envia(portal, ctx, q):
    publicacao = _publicacao(portal, ctx, q)
    if publicacao is None:
        return api.invalida("Publicação não encontrada!")
    if publicacao["apagada_em"]:
        return api.invalida("Publicação apagada!")
    email = (q.texto("i", "") or "").strip()
    if not email:
        return api.invalida("E-mail não informado!")
    banco = portal.banco
    usuario = banco.um("SELECT * FROM usuarios WHERE cliente_id = ? AND lower(email) = lower(?)",
                       (publicacao["cliente_id"], email))
    if usuario is None:
        return api.invalida("E-mail não cadastrado para este cliente!")
    hoje = banco.hoje_iso()
    agendado = bool(publicacao["ativacao"] and publicacao["ativacao"] > hoje)
    with banco.transacao() as c:
        c.execute("INSERT INTO avisos (publicacao_id, nome, email, situacao, criado_em,"
                  " agendado_para) VALUES (?, ?, ?, ?, ?, ?)",
                  (publicacao["id"], usuario["nome"], usuario["email"],
                   "Agendado" if agendado else "Enviado", banco.agora_iso(),
                   publicacao["ativacao"] if agendado else None))
    return wire.resposta_linhas("2" if agendado else "1")
