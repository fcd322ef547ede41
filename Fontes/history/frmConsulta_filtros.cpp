// The history window's filters: the client and user lists from the directory, the dates, and the
// filter routine that hands the choices to the query and shows what came back.
#include "history/frmConsulta.h"

#include "history/frmConsulta_celulas.h"
#include "platform/ErrorCodes.h"
#include "portal/Conversoes.h"
#include "publication/SeletorData.h"
#include "shell/classAmbiente.h"

#include <QComboBox>

using plataforma::CodigoErro;
using plataforma::ErroPrograma;

namespace {

constexpr int kPagamentos = 1;    // cboTipoDocto
constexpr int kVencimento = 2;    // cboTipoData

// The identifier behind the list's selected entry.
qint32 idSelecionado(const QComboBox &combo, const QList<qint32> &ids)
{
    const int posicao = combo.currentIndex();
    if (posicao < 0 || posicao >= ids.size())
        throw ErroPrograma(CodigoErro::IndiceForaDoIntervalo);
    return ids.at(posicao);
}

} // namespace

classConsultar &frmConsulta::consulta() const
{
    if (!m_ambiente.Consultar)
        throw ErroPrograma(CodigoErro::ObjetoNaoDefinido);
    return *m_ambiente.Consultar;
}

void frmConsulta::CarregaCboCli()
{
    const char *const proc = "CarregaCboCli";
    passo(proc, [&] {
        c.cboClientes->clear();
        m_idsClientes.clear();
    });
    passo(proc, [&] { AddComboItem(*c.cboClientes, m_idsClientes, QStringLiteral("Todos"), QStringLiteral("0")); });
    passo(proc, [&] {
        for (const portal::LinhaTabela &cliente : m_ambiente.Clientes(0))
            AddComboItem(*c.cboClientes, m_idsClientes, cliente.nome, cliente.id);
    });
}

void frmConsulta::CarregaCboUsr()
{
    const char *const proc = "CarregaCboUsr";
    passo(proc, [&] {
        c.cboUsuarios->clear();
        m_idsUsuarios.clear();
    });
    passo(proc, [&] { AddComboItem(*c.cboUsuarios, m_idsUsuarios, QStringLiteral("Todos"), QStringLiteral("0")); });
    passo(proc, [&] {
        for (const portal::LinhaTabela &usuario : m_ambiente.Usuarios())
            AddComboItem(*c.cboUsuarios, m_idsUsuarios, usuario.nome, usuario.id);
    });
}

void frmConsulta::AddComboItem(QComboBox &combo, QList<qint32> &ids, const QString &nome, const QString &id)
{
    const char *const proc = "AddComboItem";
    // The list and its identifiers stay entry for entry, even when an identifier is no number.
    passo(proc, [&] {
        combo.addItem(nome, 0);
        ids << 0;
    });
    passo(proc, [&] {
        const qint32 valor = portal::inteiro32(id);
        combo.setItemData(combo.count() - 1, valor);
        ids.last() = valor;
    });
}

void frmConsulta::cboTipoData_Click()
{
    passo("cboTipoData_Click", [&] {
        const int posicao = c.cboTipoData->currentIndex();
        if (posicao < 0)
            return;
        c.dtpDtInicio->setEnabled(posicao != 0);
        c.dtpDtFim->setEnabled(posicao != 0);
    });
}

void frmConsulta::tbFiltrar_ButtonClick(const QString &chave)
{
    if (chave == QLatin1String("keyFiltrar"))
        suFiltrar();
}

void frmConsulta::suFiltrar()
{
    const char *const proc = "tbFiltrar_ButtonClick";
    plataforma::UiServices &ui = m_ambiente.servicos().ui;
    const bool pagamentos = c.cboTipoDocto->currentIndex() == kPagamentos;

    passo(proc, [&] { ui.cursorOcupado(true); });
    // The due date and the amount belong to payments only.
    passo(proc, [&] {
        int largura = 0;
        if (pagamentos) {
            const QString valor = leConsulta(QStringLiteral("c_6"));
            largura = valor.isEmpty() ? 0 : portal::inteiro32(valor);
            if (largura == 0)
                largura = 1300;
        }
        DefineLargura(consulta::kColunaVencimento, largura);
    });
    passo(proc, [&] {
        int largura = 0;
        if (pagamentos) {
            const QString valor = leConsulta(QStringLiteral("c_7"));
            largura = valor.isEmpty() ? 2000 : portal::inteiro32(valor);
        }
        DefineLargura(consulta::kColunaValor, largura);
    });
    passo(proc, [&] { consulta().setEmpresa(idSelecionado(*c.cboClientes, m_idsClientes)); });
    passo(proc, [&] { consulta().setTipoDoc(static_cast<qint16>(c.cboTipoDocto->currentIndex())); });
    passo(proc, [&] { consulta().setTipoData(static_cast<qint16>(c.cboTipoData->currentIndex())); });

    bool recusado = false;
    passo(proc, [&] {
        if (c.cboTipoData->currentIndex() != kVencimento || pagamentos)
            return;
        recusado = true;
        aviso(QStringLiteral("O Filtro por Vencimento só pode ser escolhido ") + QStringLiteral("\r\n")
                  + QStringLiteral("quando o Tipo de arquivo for Pagamento!"),
              plataforma::Icone::Exclamacao);
    });
    if (recusado) {
        passo(proc, [&] { ui.cursorOcupado(false); });
        return;
    }

    passo(proc, [&] {
        classConsultar &q = consulta();
        if (q.TipoData() == 0)
            return;
        if (const auto inicio = c.dtpDtInicio->valor())
            q.setDataInicial(*inicio);
        if (const auto fim = c.dtpDtFim->valor())
            q.setDataFinal(*fim);
    });
    passo(proc, [&] { consulta().setUsuario(idSelecionado(*c.cboUsuarios, m_idsUsuarios)); });
    passo(proc, [&] { consulta().setOrdenar(static_cast<qint16>(c.cboOrdem->currentIndex())); });
    passo(proc, [&] { consulta().setMostrar(static_cast<qint16>(c.cboMostrar->currentIndex())); });

    LimpaGrid();
    qint16 quantidade = 0;
    qint64 soma = 0;
    passo(proc, [&] { consulta().Filtrar(quantidade, soma, false); });
    passo(proc, [&] { MostraTotais(quantidade, soma); });
    passo(proc, [&] {
        const classConsultar &q = consulta();
        if (!q.Erro().isEmpty()) {
            m_tabela.clear();
            aviso(q.Erro(), plataforma::Icone::Exclamacao);
            return;
        }
        m_tabela = q.Consulta();
        CarregaConsulta();
    });
    passo(proc, [&] { ui.cursorOcupado(false); });
}
