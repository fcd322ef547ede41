// The transfer window's controls: the title line and the bar on top, the two buttons, and below
// the line the notices part with the company, the person and the list of notices sent.
#include "transfer/frmTransferencia.h"

#include "shell/Figuras.h"
#include "shell/Tela.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

using tela::tw;

namespace {

// client area of the 6240-twip-wide window; its two heights (6060 and 2595 twips) less the
// title bar and the borders
constexpr int kLarguraCliente = 6150;
constexpr int kAlturaComDetalhes = 5640;
constexpr int kAlturaSemDetalhes = 2175;
constexpr int kAlturaLinha = 240;   // one line of the labels that do not size themselves

template <typename T>
T *nomeia(T *controle, const char *nome)
{
    controle->setObjectName(QString::fromLatin1(nome));
    return controle;
}

void coloca(QWidget *controle, int esquerda, int topo, int largura, int altura)
{
    controle->setGeometry(tw(esquerda), tw(topo), tw(largura), tw(altura));
}

// Auto-size labels keep their corner and take the size of their text.
QLabel *rotuloAjustado(QWidget *pai, const char *nome, const QString &texto, int esquerda, int topo)
{
    auto *l = nomeia(new QLabel(texto, pai), nome);
    l->move(tw(esquerda), tw(topo));
    l->adjustSize();
    return l;
}

} // namespace

void frmTransferencia::MontaControles()
{
    setObjectName(QStringLiteral("frmTransferencia"));
    setWindowTitle(QStringLiteral("Transferencia de Arquivo"));
    // Fixed border, no minimise or maximise button and no control box: the title bar offers no
    // way to close the window.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::MSWindowsFixedSizeDialogHint);
    setSizeGripEnabled(false);
    setWindowIcon(figuras::enviar());
    QFont fonte(QStringLiteral("Verdana"));
    fonte.setPointSizeF(9.75);
    setFont(fonte);

    c.iblTituloArquivo = rotuloAjustado(this, "iblTituloArquivo", QStringLiteral("O Arquivo esta sendo enviado:"), 240, 360);

    c.pbTransferencia = nomeia(new QProgressBar(this), "pbTransferencia");
    c.pbTransferencia->setRange(0, 100);
    c.pbTransferencia->setValue(0);
    coloca(c.pbTransferencia, 180, 720, 5895, 615);

    c.cmdDetalhes = nomeia(new QPushButton(QStringLiteral("Mostrar Detalhes"), this), "cmdDetalhes");
    coloca(c.cmdDetalhes, 240, 1560, 2175, 495);
    connect(c.cmdDetalhes, &QPushButton::clicked, this, &frmTransferencia::cmdDetalhes_Click);

    c.cmdOk = nomeia(new QPushButton(QStringLiteral("Ok"), this), "cmdOk");
    coloca(c.cmdOk, 4860, 1620, 1275, 495);
    c.cmdOk->setVisible(false);
    connect(c.cmdOk, &QPushButton::clicked, this, &frmTransferencia::cmdOk_Click);

    c.Line1 = nomeia(new QFrame(this), "Line1");
    c.Line1->setFrameShape(QFrame::HLine);
    c.Line1->setFrameShadow(QFrame::Sunken);
    c.Line1->setGeometry(0, tw(2235), tw(kLarguraCliente), 2);

    c.iblAvisos = nomeia(new QLabel(QStringLiteral("Avisos"), this), "iblAvisos");
    coloca(c.iblAvisos, 300, 2340, 1200, kAlturaLinha);

    c.iblEmpresa = nomeia(new QLabel(QStringLiteral("Empresa"), this), "iblEmpresa");
    coloca(c.iblEmpresa, 600, 2640, kLarguraCliente - 600 - 120, kAlturaLinha);

    c.iblUsuario = rotuloAjustado(this, "iblUsuario", QStringLiteral("Nome; Email"), 960, 3000);

    c.lstEmails = nomeia(new QListWidget(this), "lstEmails");
    coloca(c.lstEmails, 120, 3360, 6015, 2220);
    QPalette branco = c.lstEmails->palette();
    branco.setColor(QPalette::Base, Qt::white);
    c.lstEmails->setPalette(branco);

    c.Timer = nomeia(new QTimer(this), "Timer");
    c.Timer->setInterval(2000);
    c.Timer->setSingleShot(true);
    connect(c.Timer, &QTimer::timeout, this, &frmTransferencia::Timer_Timer);
}

void frmTransferencia::Dimensiona()
{
    setFixedSize(tw(kLarguraCliente), tw(blnShowDetail ? kAlturaComDetalhes : kAlturaSemDetalhes));
}

void frmTransferencia::TituloEmVermelho()
{
    QPalette vermelho = c.iblTituloArquivo->palette();
    vermelho.setColor(QPalette::WindowText, QColor(255, 0, 0));
    c.iblTituloArquivo->setPalette(vermelho);
}
