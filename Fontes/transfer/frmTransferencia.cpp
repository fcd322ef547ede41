// The transfer window's life: load with the stored details choice, activate, the timer that runs
// the publish pipeline, the two buttons, closing, and classFtp's events.
#include "transfer/frmTransferencia.h"

#include "platform/ErrorCodes.h"
#include "shell/ModFuncs.h"
#include "shell/Tela.h"
#include "shell/classAmbiente.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <algorithm>
#include <cmath>

namespace {

const QString kModulo = QStringLiteral("frmTransferencia");
const QString kConfig = QStringLiteral("Config");
const QString kTransDetail = QStringLiteral("TransDetail");

// "0" is false and any other number true; a text that is not a number is a type mismatch.
bool comoVerdade(const QString &texto)
{
    const QString t = texto.trimmed();
    if (t.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    double v = QLocale(QLocale::Portuguese, QLocale::Brazil).toDouble(t, &ok);
    if (!ok)
        v = QLocale::c().toDouble(t, &ok);
    if (!ok)
        throw plataforma::ErroPrograma(plataforma::CodigoErro::TiposIncompativeis);
    return v != 0;
}

class Publicando {
public:
    explicit Publicando(bool &flag) : m_flag(flag) { m_flag = true; }
    ~Publicando() { m_flag = false; }
    Publicando(const Publicando &) = delete;
    Publicando &operator=(const Publicando &) = delete;

private:
    bool &m_flag;
};

} // namespace

frmTransferencia::frmTransferencia(classAmbiente &ambiente, ModFuncs &funcs, QWidget *parent)
    : QDialog(parent), m_ambiente(ambiente), m_funcs(funcs)
{
    MontaControles();
    Form_Load();
}

frmTransferencia::~frmTransferencia() = default;

bool frmTransferencia::passo(const char *procedimento, const std::function<void()> &acao)
{
    return m_funcs.Passo(kModulo, QString::fromLatin1(procedimento), acao);
}

void frmTransferencia::Form_Load()
{
    const char *const proc = "Form_Load";
    passo(proc, [&] {
        blnShowDetail = comoVerdade(m_ambiente.servicos().config.le(kConfig, kTransDetail, QStringLiteral("0")));
    });
    passo(proc, [&] { Dimensiona(); });
}

void frmTransferencia::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (evento->spontaneous())
        return;
    tela::centraNaTela(*this);
    Form_Activate();
}

void frmTransferencia::Form_Activate()
{
    passo("Form_Activate", [&] {
        c.pbTransferencia->setValue(0);
        setWindowTitle(QStringLiteral("Transmitindo arquivo para o Vorlin"));
        c.Timer->start();
    });
}

void frmTransferencia::Timer_Timer()
{
    const char *const proc = "Timer_Timer";
    // once per showing
    passo(proc, [&] { c.Timer->stop(); });
    // the publication dialog opens this window only for a validated record
    if (!m_ambiente.Enviar.Validado())
        return;
    plataforma::Servicos &servicos = m_ambiente.servicos();
    passo(proc, [&] {
        vFtp = std::make_unique<classFtp>(servicos.ftp, servicos.ui, this);
        const Publicando publicando(m_publicando);
        m_ambiente.Envia(*vFtp);
    });
    passo(proc, [&] {
        if (!m_ambiente.Enviado())
            servicos.ui.mensagem({m_ambiente.Erro(), m_ambiente.Sistema(), plataforma::Icone::Informacao});
    });
    passo(proc, [&] {
        if (!m_ambiente.Monitor())
            c.cmdOk->setVisible(true);
    });
}

void frmTransferencia::cmdDetalhes_Click()
{
    passo("cmdDetalhes_Click", [&] {
        blnShowDetail = !blnShowDetail;
        c.cmdDetalhes->setText(blnShowDetail ? QStringLiteral("Ocultar Detalhes") : QStringLiteral("Mostrar Detalhes"));
        Dimensiona();
    });
}

void frmTransferencia::cmdOk_Click()
{
    passo("cmdOk_Click", [&] { accept(); });
}

void frmTransferencia::done(int resultado)
{
    if (m_publicando)
        return;
    Form_Unload();
    QDialog::done(resultado);
}

void frmTransferencia::Form_Unload()
{
    passo("Form_Unload", [&] {
        m_ambiente.servicos().config.grava(kConfig, kTransDetail,
                                           blnShowDetail ? QStringLiteral("1") : QStringLiteral("0"));
    });
}

void frmTransferencia::closeEvent(QCloseEvent *evento)
{
    // no control box: the window system's close is the user's, and the user closes with "Ok"
    if (m_publicando || evento->spontaneous()) {
        evento->ignore();
        return;
    }
    QDialog::closeEvent(evento);
}

void frmTransferencia::keyPressEvent(QKeyEvent *evento)
{
    // no cancel button: Esc does nothing
    if (evento->key() == Qt::Key_Escape) {
        evento->accept();
        return;
    }
    QDialog::keyPressEvent(evento);
}

void frmTransferencia::Progress(qint64 vPercentual, qint64 vTotal)
{
    // An empty file has sent all of its nothing when its one event comes.
    double percentual = 100.0;
    if (vTotal > 0)
        percentual = std::floor(static_cast<double>(vPercentual) * 100.0 / static_cast<double>(vTotal));
    c.pbTransferencia->setValue(static_cast<int>(std::clamp(percentual, 0.0, 100.0)));
}

void frmTransferencia::Mensagem(qint16 vCodigo, const QString &vMensagem)
{
    switch (vCodigo) {
    case 0:
        c.iblEmpresa->setText(vMensagem);
        break;
    case 1:
        c.iblUsuario->setText(vMensagem);
        c.iblUsuario->adjustSize();
        break;
    case 2:
        c.lstEmails->addItem(vMensagem);
        break;
    case 3:
        m_ambiente.servicos().ui.mensagem({vMensagem, m_ambiente.Sistema(), plataforma::Icone::Informacao});
        break;
    case 4:
    case 5:
        c.iblTituloArquivo->setText(vMensagem);
        c.iblTituloArquivo->adjustSize();
        if (vCodigo == 5)
            TituloEmVermelho();
        break;
    default:
        return;
    }
    // the pipeline gives the window no other chance to paint between its steps
    repaint();
}
