// The history grid: widths from the settings, the records handed to its model, and the layout and
// filters saved to section "Consulta" of the settings.
#include "history/frmConsulta.h"

#include "history/ModeloConsulta.h"
#include "history/frmConsulta_celulas.h"
#include "platform/ErrorCodes.h"
#include "portal/Conversoes.h"
#include "shell/Tela.h"
#include "shell/classAmbiente.h"

#include <QComboBox>
#include <QHeaderView>
#include <QTableView>
#include <QTimer>
#include <cmath>

using plataforma::CodigoErro;
using plataforma::ErroPrograma;
using tela::tw;

namespace {

const QString kSecao = QStringLiteral("Consulta");

QString chaveLargura(int coluna)
{
    return QStringLiteral("c_") + QString::number(coluna);
}

struct Posicao {
    const char *chave;
    QComboBox *lista;
};

// A window size kept as a single-precision number, in twips.
int medida(const QString &texto)
{
    const double valor = static_cast<float>(portal::numero(texto));
    if (!std::isfinite(valor) || std::fabs(valor) > 1.0e9)
        throw ErroPrograma(CodigoErro::Estouro);
    return static_cast<int>(std::lround(valor));
}

} // namespace

QString frmConsulta::leConsulta(const QString &chave) const
{
    return m_ambiente.servicos().config.le(kSecao, chave).trimmed();
}

int frmConsulta::LarguraColuna(int coluna) const
{
    const QHeaderView *cabecalho = c.grdConsulta->horizontalHeader();
    if (cabecalho->isSectionHidden(coluna))
        return 0;
    const int pixels = cabecalho->sectionSize(coluna);
    if (pixels <= 0)
        return 0;
    // dragged by the user: the pixels say it
    return tw(m_larguras.at(coluna)) == pixels ? m_larguras.at(coluna) : pixels * 15;
}

void frmConsulta::DefineLargura(int coluna, int twips)
{
    QHeaderView *cabecalho = c.grdConsulta->horizontalHeader();
    m_larguras.at(coluna) = std::max(twips, 0);
    if (twips <= 0) {
        cabecalho->hideSection(coluna);
        return;
    }
    cabecalho->showSection(coluna);
    cabecalho->resizeSection(coluna, tw(twips));
}

void frmConsulta::ConfigGrid(const char *procedimento)
{
    const char *const proc = procedimento;
    // the headers and their alignments are the model's
    for (int coluna = 0; coluna < kColunas; ++coluna) {
        const consulta::Coluna &definicao = consulta::Colunas().at(coluna);
        passo(proc, [&] {
            const QString valor = leConsulta(chaveLargura(coluna));
            DefineLargura(coluna, valor.isEmpty() ? definicao.larguraPadrao : portal::inteiro32(valor));
        });
    }
    passo(proc, [&] { DefineLargura(consulta::kColunaStatus, 0); });

    // Size and list positions: a value never stored leaves the design value in place.
    QSize tamanho = TamanhoTwips();
    passo(proc, [&] {
        const QString valor = leConsulta(QStringLiteral("WI"));
        if (!valor.isEmpty())
            tamanho.setWidth(medida(valor));
    });
    passo(proc, [&] {
        const QString valor = leConsulta(QStringLiteral("HE"));
        if (!valor.isEmpty())
            tamanho.setHeight(medida(valor));
    });
    passo(proc, [&] { defineTamanho(tamanho); });

    const Posicao posicoes[] = {{"Em", c.cboClientes}, {"Tp", c.cboTipoDocto}, {"Dt", c.cboTipoData},
                                {"Or", c.cboOrdem}, {"Sh", c.cboMostrar}};
    for (const Posicao &p : posicoes) {
        passo(proc, [&] {
            const QString valor = leConsulta(QString::fromLatin1(p.chave));
            if (valor.isEmpty())
                return;
            const qint32 posicao = portal::inteiro32(valor);
            // -1 is a list without selection; past the end is no entry at all
            if (posicao < -1 || posicao >= p.lista->count())
                throw ErroPrograma(CodigoErro::ArgumentoInvalido);
            p.lista->setCurrentIndex(posicao);
        });
    }
}

void frmConsulta::LimpaGrid()
{
    passo("LimpaGrid", [&] { m_modelo->limpa(); });
}

// The records go to the model as they are; each row gets its texts when the grid first shows it.
void frmConsulta::CarregaConsulta()
{
    passo("CarregaConsulta", [&] { m_modelo->carrega(); });
}

const TabelaConsulta &frmConsulta::Registros() const
{
    m_modelo->formataTudo();
    return m_tabela;
}

void frmConsulta::celulaFalhou(std::exception_ptr falha)
{
    // the model is asked from inside the grid's painting: no message box there
    QTimer::singleShot(0, this, [this, falha] { passo("CarregaConsulta", [falha] { std::rethrow_exception(falha); }); });
}

void frmConsulta::ConfigSave(bool pReseta)
{
    const char *const proc = "ConfigSave";
    plataforma::SettingsStore &config = m_ambiente.servicos().config;
    for (int coluna = 0; coluna < kColunas; ++coluna) {
        passo(proc, [&] {
            const int largura = pReseta ? 0 : LarguraColuna(coluna);
            config.grava(kSecao, chaveLargura(coluna), largura > 0 ? QString::number(largura) : QString());
        });
    }
    passo(proc, [&] {
        const QSize tamanho = TamanhoTwips();
        config.grava(kSecao, QStringLiteral("WI"), QString::number(tamanho.width()));
        config.grava(kSecao, QStringLiteral("HE"), QString::number(tamanho.height()));
    });
    const Posicao posicoes[] = {{"Em", c.cboClientes}, {"Tp", c.cboTipoDocto}, {"Dt", c.cboTipoData},
                                {"Or", c.cboOrdem}, {"Sh", c.cboMostrar}};
    for (const Posicao &p : posicoes) {
        passo(proc, [&] {
            config.grava(kSecao, QString::fromLatin1(p.chave), QString::number(p.lista->currentIndex()));
        });
    }
}

void frmConsulta::cmdResetarCampos_Click()
{
    ConfigSave(true);
    // every column back to its default; size and filters come back as just saved
    ConfigGrid("cmdResetarCampos_Click");
}
