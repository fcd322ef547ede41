#include "history/ModeloConsulta.h"

#include "history/frmConsulta_celulas.h"

namespace {

constexpr int kColunas = classConsultar::kCampos;

} // namespace

ModeloConsulta::ModeloConsulta(TabelaConsulta &tabela, std::function<void(std::exception_ptr)> falhou, QObject *parent)
    : QAbstractTableModel(parent), m_tabela(tabela), m_falhou(std::move(falhou))
{
}

int ModeloConsulta::rowCount(const QModelIndex &pai) const
{
    return pai.isValid() ? 0 : m_linhas;
}

int ModeloConsulta::columnCount(const QModelIndex &pai) const
{
    return pai.isValid() ? 0 : kColunas;
}

QVariant ModeloConsulta::data(const QModelIndex &indice, int papel) const
{
    if (!indice.isValid() || indice.row() >= m_linhas || indice.column() >= kColunas)
        return {};
    switch (papel) {
    case Qt::DisplayRole:
        return texto(indice.row(), indice.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(consulta::Colunas().at(indice.column()).celula);
    default:
        return {};
    }
}

QVariant ModeloConsulta::headerData(int secao, Qt::Orientation orientacao, int papel) const
{
    if (orientacao != Qt::Horizontal || secao < 0 || secao >= kColunas)
        return QAbstractTableModel::headerData(secao, orientacao, papel);
    switch (papel) {
    case Qt::DisplayRole:
        return consulta::Colunas().at(secao).titulo;
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(consulta::Colunas().at(secao).cabecalho);
    default:
        return {};
    }
}

void ModeloConsulta::limpa()
{
    beginResetModel();
    m_linhas = 1;
    m_comRegistros = false;
    m_formatadas.clear();
    m_semTexto.clear();
    endResetModel();
}

void ModeloConsulta::carrega()
{
    // the table ends with an empty row that the grid does not show
    const qsizetype registros = std::max<qsizetype>(0, m_tabela.size() - 1);
    if (registros == 0)
        return;
    beginResetModel();
    m_linhas = static_cast<int>(registros);
    m_comRegistros = true;
    m_formatadas = QBitArray(m_linhas);
    m_semTexto.clear();
    endResetModel();
}

void ModeloConsulta::formataTudo() const
{
    if (!m_comRegistros)
        return;
    for (int linha = 0; linha < m_linhas; ++linha)
        formata(linha);
}

QString ModeloConsulta::texto(int linha, int coluna) const
{
    if (!m_comRegistros || linha < 0 || linha >= m_linhas || linha >= m_tabela.size())
        return {};
    formata(linha);
    if (m_semTexto.contains(qint64(linha) * kColunas + coluna))
        return {};
    return m_tabela.at(linha).value(consulta::Colunas().at(coluna).campo);
}

void ModeloConsulta::registroMudou(int linha)
{
    if (linha >= 0 && linha < m_linhas)
        emit dataChanged(index(linha, 0), index(linha, kColunas - 1));
}

// The columns in order, as the grid always wrote them: a column's text goes back into its field
// before the next column reads the record (the activation date falls back on the publication
// date as shown).
void ModeloConsulta::formata(int linha) const
{
    if (m_formatadas.testBit(linha))
        return;
    m_formatadas.setBit(linha);
    QStringList &registro = m_tabela[linha];
    for (int coluna = 0; coluna < kColunas; ++coluna) {
        try {
            const int campo = consulta::Colunas().at(coluna).campo;
            const QString texto = consulta::TextoColuna(coluna, registro);
            if (campo < registro.size())
                registro[campo] = texto;
        } catch (...) {
            m_semTexto.insert(qint64(linha) * kColunas + coluna);
            if (m_falhou)
                m_falhou(std::current_exception());
        }
    }
}
