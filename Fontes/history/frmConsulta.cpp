// The history window's life: construction, the load sequence, the caption, the size limits and
// the layout that follows the size, and the closing that saves the layout.
#include "history/frmConsulta.h"

#include "platform/ErrorCodes.h"
#include "shell/ModFuncs.h"
#include "shell/Tela.h"
#include "shell/classAmbiente.h"
#include "shell/frmMain.h"

#include <QComboBox>
#include <QLabel>
#include <QResizeEvent>
#include <QShowEvent>
#include <QTableView>
#include <algorithm>

using tela::tw;

namespace {

const QString kModulo = QStringLiteral("frmConsulta");

// design size and the limits the window is held to, in twips
constexpr int kLarguraProjeto = 9165;
constexpr int kAlturaProjeto = 6255;
constexpr int kLarguraMinima = 9350;
constexpr int kLarguraMaxima = 15000;
constexpr int kAlturaMinima = 5000;
constexpr int kAlturaMaxima = 9000;

// Twips of a pixel size: the twips last applied while they still give these pixels.
int emTwips(int pixels, int twipsAnteriores)
{
    return tw(twipsAnteriores) == pixels ? twipsAnteriores : pixels * 15;
}

} // namespace

frmConsulta::frmConsulta(classAmbiente &ambiente, ModFuncs &funcs, QWidget *parent)
    : QDialog(parent), m_ambiente(ambiente), m_funcs(funcs)
{
    MontaControles();
    defineTamanho(QSize(kLarguraProjeto, kAlturaProjeto));
}

frmConsulta::~frmConsulta() = default;

bool frmConsulta::passo(const char *procedimento, const std::function<void()> &acao)
{
    return m_funcs.Passo(kModulo, QString::fromLatin1(procedimento), acao);
}

void frmConsulta::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (evento->spontaneous() || m_carregado)
        return;
    Form_Load();
    tela::centraNaTela(*this);
}

void frmConsulta::Form_Load()
{
    if (m_carregado)
        return;
    m_carregado = true;
    const char *const proc = "Form_Load";
    classAmbiente &a = m_ambiente;

    passo(proc, [&] { MostraVariante(m_funcs.AcertaCor()); });
    passo(proc, [&] { Caption(); });
    passo(proc, [&] {
        // Without the portal the lists show what the last synchronisation left.
        bool atualiza = true;
        a.Sincroniza(atualiza, false);
    });
    CarregaCboCli();
    CarregaCboUsr();
    passo(proc, [&] {
        for (QComboBox *lista : {c.cboClientes, c.cboTipoDocto, c.cboTipoData, c.cboUsuarios, c.cboOrdem, c.cboMostrar})
            lista->setCurrentIndex(0);
        cboTipoData_Click();
    });
    ConfigGrid(proc);

    if (!a.Enviado())
        return;
    // Right after a publication the window opens on the records it created.
    qint16 quantidade = 0;
    qint64 soma = 0;
    passo(proc, [&] { consulta().Filtrar(quantidade, soma, true); });
    passo(proc, [&] { MostraTotais(quantidade, soma); });
    passo(proc, [&] {
        const classConsultar &q = consulta();
        if (!q.Erro().isEmpty()) {
            aviso(q.Erro(), plataforma::Icone::Exclamacao);
            return;
        }
        m_tabela = q.Consulta();
        CarregaConsulta();
    });
}

void frmConsulta::Caption()
{
    setWindowTitle(QStringLiteral("Consulta ") + m_ambiente.Sistema() + QStringLiteral(" [") + m_ambiente.Usuario
                   + QStringLiteral("]"));
}

void frmConsulta::MostraTotais(qint16 quantidade, qint64 soma)
{
    c.iblRetorno->setText(QString::number(quantidade));
    c.iblSumSize->setText(frmMain::Kbytes(static_cast<double>(soma)));
}

void frmConsulta::aviso(const QString &texto, plataforma::Icone icone)
{
    m_ambiente.servicos().ui.mensagem({texto, m_ambiente.Sistema(), icone});
}

void frmConsulta::defineTamanho(QSize twips)
{
    m_tamanho = twips;
    m_guardandoTamanho = true;
    resize(tw(twips.width()), tw(twips.height()));
    m_guardandoTamanho = false;
    Form_Resize();
}

QSize frmConsulta::TamanhoTwips() const
{
    return QSize(emTwips(width(), m_tamanho.width()), emTwips(height(), m_tamanho.height()));
}

void frmConsulta::resizeEvent(QResizeEvent *evento)
{
    QDialog::resizeEvent(evento);
    Form_Resize();
}

void frmConsulta::Form_Resize()
{
    if (m_guardandoTamanho || (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QSize atual = TamanhoTwips();
    const QSize limitado(std::clamp(atual.width(), kLarguraMinima, kLarguraMaxima),
                         std::clamp(atual.height(), kAlturaMinima, kAlturaMaxima));
    if (limitado != atual) {
        defineTamanho(limitado);
        return;
    }
    m_tamanho = atual;

    // The grid overhangs both sides a little, so its own border stays out of sight.
    const int largura = width() * 15;
    const int altura = height() * 15;
    const int topo = c.grdConsulta->y() * 15;
    c.grdConsulta->setGeometry(tw(-50), c.grdConsulta->y(), tw(largura + 100), std::max(0, tw(altura - (topo + 850))));
    c.iblInform->move(c.iblInform->x(), tw(altura - 800));
}

void frmConsulta::done(int resultado)
{
    ConfigSave(false);
    QDialog::done(resultado);
}
