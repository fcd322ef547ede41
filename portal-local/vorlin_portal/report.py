"""The report page the program opens in the web browser."""

import html
import urllib.parse

from . import wire
from .history import situacao
from .wire import Consulta, Resposta

POR_PAGINA = 200

ESTILO = """
body { font-family: Verdana, Arial, sans-serif; font-size: 13px; margin: 24px; color: #222; }
h1 { font-size: 20px; margin-bottom: 4px; }
p.sub { color: #555; margin-top: 0; }
table { border-collapse: collapse; width: 100%; }
th, td { border: 1px solid #c8c8d8; padding: 4px 6px; text-align: left; }
th { background: #2d4f8f; color: #fff; }
tr:nth-child(even) td { background: #f2f4fa; }
td.num { text-align: right; }
.resumo span { margin-right: 24px; }
.Apagado { color: #a00; } .Agendado { color: #a60; } .Expirado { color: #777; }
nav a { margin-right: 12px; }
"""

COLUNAS = ("Cliente", "Tp", "Descrição", "Arquivo", "Tamanho", "Publicação", "Ativação",
           "Expiração", "Vencimento", "Valor", "Situação", "Lida", "Usuário")


def _pagina(titulo, corpo, status=200):
    texto = (f"<!DOCTYPE html>\r\n<html lang=\"pt-BR\"><head>"
             f"<meta charset=\"windows-1252\"><title>{html.escape(titulo)}</title>"
             f"<style>{ESTILO}</style></head><body>{corpo}</body></html>\r\n")
    return Resposta(wire.para_cp1252(texto), status, "text/html; charset=windows-1252")


def erro(mensagem, status=404):
    return _pagina("Vorlin Printer", f"<h1>Vorlin Printer</h1><p>{html.escape(mensagem)}</p>",
                   status)


def _kb(tamanho):
    return f"{tamanho / 1024:.1f}".replace(".", ",") + " KB"


def relatorio(portal, cru):
    q = Consulta(cru)
    escritorio_id, admin = q.inteiro("asp_contador"), q.inteiro("asp_id_admin", 0)
    if escritorio_id is None:
        return erro("Endereço do relatório incompleto.", 400)
    banco = portal.banco
    escritorio = banco.escritorio(escritorio_id)
    if escritorio is None:
        return erro("Escritório não encontrado.")
    cliente_id = q.inteiro("cliente", 0) or 0
    pagina = max(1, q.inteiro("pagina", 1) or 1)

    condicoes = ["p.escritorio_id = ?"]
    parametros = [escritorio_id]
    if not admin:
        # restricted folders stay out of sight of non-administrators
        condicoes.append("(pa.id IS NULL OR pa.restrita = 0)")
    if cliente_id > 0:
        condicoes.append("p.cliente_id = ?")
        parametros.append(cliente_id)
    onde = " AND ".join(condicoes)
    base = (" FROM publicacoes p JOIN arquivos a ON a.id = p.arquivo_id"
            " JOIN clientes c ON c.id = p.cliente_id JOIN logins l ON l.id = p.login_id"
            " LEFT JOIN pastas pa ON pa.id = p.pasta_id WHERE " + onde)
    total = banco.um("SELECT COUNT(*) AS n" + base, parametros)["n"]
    linhas = banco.todos(
        "SELECT p.*, a.nome AS arquivo, a.tamanho, c.nome AS cliente, l.nome AS usuario"
        + base + " ORDER BY p.publicada_em DESC, p.id DESC LIMIT ? OFFSET ?",
        parametros + [POR_PAGINA, (pagina - 1) * POR_PAGINA])

    hoje = banco.hoje_iso()
    e = html.escape
    total_espaco = escritorio["espaco_total"]
    usado = banco.espaco_usado(escritorio_id)
    partes = [
        f"<h1>{e(escritorio['nome'])}</h1>",
        "<p class=\"sub\">Relatório dos arquivos publicados no portal — Vorlin Printer</p>",
        "<p class=\"resumo\">"
        f"<span>Publicações: <b>{total}</b></span>"
        f"<span>Espaço total: <b>{_kb(total_espaco)}</b></span>"
        f"<span>Utilizado: <b>{_kb(usado)}</b></span>"
        f"<span>Disponível: <b>{_kb(max(0, total_espaco - usado))}</b></span></p>",
        _filtro(banco, escritorio_id, admin, cliente_id),
    ]
    if not linhas:
        partes.append("<p>Nenhum arquivo publicado.</p>")
    else:
        partes.append("<table><thead><tr>" + "".join(f"<th>{c}</th>" for c in COLUNAS)
                      + "</tr></thead><tbody>")
        for l in linhas:
            sit = situacao(l, hoje)
            valor = wire.valor_br(l["valor"]) if l["tipo_doc"] == "P" else ""
            celulas = (
                e(l["cliente"]), e(l["tipo_doc"] or "-"), e(l["descricao"]), e(l["arquivo"]),
                f"<td class=\"num\">{_kb(l['tamanho'])}", e(wire.data_br(l["publicada_em"])),
                e(wire.data_br(l["ativacao"])), e(wire.data_br(l["expiracao"])),
                e(wire.data_br(l["vencimento"])), f"<td class=\"num\">{valor}",
                f"<td class=\"{sit}\">{sit}", e(wire.data_br(l["lida_em"])), e(l["usuario"]))
            partes.append("<tr>" + "".join(
                c + "</td>" if c.startswith("<td") else f"<td>{c}</td>" for c in celulas)
                + "</tr>")
        partes.append("</tbody></table>")
    paginas = (total + POR_PAGINA - 1) // POR_PAGINA
    if paginas > 1:
        links = []
        for n in range(1, paginas + 1):
            consulta = urllib.parse.urlencode({"asp_contador": escritorio_id,
                                               "asp_id_admin": admin, "cliente": cliente_id,
                                               "pagina": n})
            links.append(f"<b>{n}</b>" if n == pagina
                         else f"<a href=\"relatorio.asp?{consulta}\">{n}</a>")
        partes.append("<nav>Páginas: " + " ".join(links) + "</nav>")
    return _pagina(f"Relatório — {escritorio['nome']}", "\r\n".join(partes))


def _filtro(banco, escritorio_id, admin, cliente_id):
    opcoes = ["<option value=\"0\">Todos os clientes</option>"]
    for c in banco.clientes(escritorio_id):
        marcado = " selected" if c["id"] == cliente_id else ""
        opcoes.append(f"<option value=\"{c['id']}\"{marcado}>{html.escape(c['nome'])}</option>")
    return ("<form method=\"get\" action=\"relatorio.asp\">"
            f"<input type=\"hidden\" name=\"asp_contador\" value=\"{escritorio_id}\">"
            f"<input type=\"hidden\" name=\"asp_id_admin\" value=\"{admin}\">"
            f"<label>Cliente: <select name=\"cliente\">{''.join(opcoes)}</select></label> "
            "<button type=\"submit\">Filtrar</button></form><br>")
