// The main window's controls: the frame of picture buttons, the picture side panel, the hint area,
// the log-off check box, the exit-check timer and the hidden toolbar variants.
#include "shell/frmMain.h"

#include "shell/Comandos.h"
#include "shell/Figuras.h"
#include "shell/Tela.h"

#include <QAction>
#include <QBoxLayout>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

using tela::tw;

constexpr int kLadoBotao = 1140;     // picture buttons
constexpr int kAlturaBotao = 1080;
constexpr int kLadoPainel = 960;     // side panel pictures
constexpr int kLarguraPdf = 1500;
constexpr int kAlturaPdf = 1950;

QLabel *figura(QWidget *pai, const char *nome, const QPixmap &px, int largura, int altura)
{
    auto *l = new QLabel(pai);
    l->setObjectName(QString::fromLatin1(nome));
    l->setFixedSize(tw(largura), tw(altura));
    l->setAlignment(Qt::AlignCenter);
    l->setPixmap(px);
    l->setMouseTracking(true);
    return l;
}

QToolBar *barraLateral(QWidget *pai, const char *nome, const QPixmap &px)
{
    auto *tb = new QToolBar(pai);
    tb->setObjectName(QString::fromLatin1(nome));
    tb->setIconSize(QSize(tw(kLadoPainel) / 2, tw(kLadoPainel) / 2));
    tb->setMovable(false);
    QAction *a = tb->addAction(QIcon(px), QString());
    a->setObjectName(QString::fromLatin1(nome) + QStringLiteral("_1"));
    return tb;
}

} // namespace

QSize frmMain::TamanhoExterno()
{
    return QSize(tw(7615), tw(7335));
}

void frmMain::MontaControles()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Vorlin Printer"));
    // no maximise button
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint);
    setWindowIcon(figuras::gerarPdf());

    auto *geral = new QVBoxLayout(this);
    geral->setContentsMargins(tw(90), tw(90), tw(90), tw(90));
    geral->setSpacing(tw(90));

    auto *meio = new QHBoxLayout;
    meio->setSpacing(tw(90));
    geral->addLayout(meio, 1);

    auto *esquerda = new QVBoxLayout;
    esquerda->setSpacing(tw(60));
    meio->addLayout(esquerda, 1);

    c.IblEmpresa = new QLabel(QStringLiteral("Empresa"), this);
    c.IblEmpresa->setObjectName(QStringLiteral("IblEmpresa"));
    QFont negrito = c.IblEmpresa->font();
    negrito.setBold(true);
    negrito.setPointSizeF(negrito.pointSizeF() * 1.2);
    c.IblEmpresa->setFont(negrito);
    c.IblEmpresa->setMinimumHeight(tw(360));
    esquerda->addWidget(c.IblEmpresa);

    auto *documento = new QHBoxLayout;
    documento->setSpacing(tw(90));
    esquerda->addLayout(documento, 1);

    c.imgPDF = figura(this, "imgPDF", figuras::paginaPdf(QSize(tw(kLarguraPdf), tw(kAlturaPdf))),
                      kLarguraPdf, kAlturaPdf);
    documento->addWidget(c.imgPDF, 0, Qt::AlignTop);

    auto *dica = new QVBoxLayout;
    dica->setSpacing(tw(60));
    documento->addLayout(dica, 1);

    c.iblDicaTitulo = new QLabel(QStringLiteral("Título da Dica"), this);
    c.iblDicaTitulo->setObjectName(QStringLiteral("iblDicaTitulo"));
    c.iblDicaTitulo->setAlignment(Qt::AlignCenter);
    QFont tituloDica = c.iblDicaTitulo->font();
    tituloDica.setBold(true);
    c.iblDicaTitulo->setFont(tituloDica);
    c.iblDicaTitulo->setMinimumHeight(tw(300));
    // a long title wraps instead of pushing the side panel aside
    c.iblDicaTitulo->setWordWrap(true);
    c.iblDicaTitulo->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    dica->addWidget(c.iblDicaTitulo);

    c.iblDicaTexto = new QLabel(this);
    c.iblDicaTexto->setObjectName(QStringLiteral("iblDicaTexto"));
    c.iblDicaTexto->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    c.iblDicaTexto->setWordWrap(true);
    QFont textoDica = c.iblDicaTexto->font();
    textoDica.setPointSizeF(textoDica.pointSizeF() * 0.9);
    c.iblDicaTexto->setFont(textoDica);
    c.iblDicaTexto->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
    dica->addWidget(c.iblDicaTexto, 1);

    c.chkLogOff = new QCheckBox(QStringLiteral("Fazer Logoff ao sair"), this);
    c.chkLogOff->setObjectName(QStringLiteral("chkLogOff"));
    c.chkLogOff->setMouseTracking(true);
    c.chkLogOff->setVisible(false);
    esquerda->addWidget(c.chkLogOff);

    MontaPainelLateral(this);
    meio->addWidget(c.fraLatNor);
    meio->addWidget(c.fraLatEsp);

    MontaBotoes(this);
    geral->addWidget(c.fraBotoes);
    geral->addWidget(c.tbBotoes);

    c.tmrSair = new QTimer(this);
    c.tmrSair->setObjectName(QStringLiteral("tmrSair"));
    c.tmrSair->setInterval(3000);
    connect(c.tmrSair, &QTimer::timeout, this, &frmMain::Sair);

    MostraVariante(false);
    resize(TamanhoExterno());

    // The window sees the keyboard before its controls, and every control reports the mouse for
    // the hint area.
    for (QWidget *filho : findChildren<QWidget *>())
        filho->installEventFilter(this);
}

void frmMain::MontaBotoes(QWidget *area)
{
    const Comandos comandos(this,
        {
            {"cmdGerar", "keySalvar", QStringLiteral("Gerar PDF"), {}, {}, &figuras::gerarPdf, [this] { suSalvarLocal(); },
             &c.cmdGerar},
            {"cmdEnviar", "keyEnviar", QStringLiteral("Enviar"), QStringLiteral("Enviar "), {}, &figuras::enviar,
             [this] { cmdEnviar_Click(); }, &c.cmdEnviar},
            {"cmdSalvaEnvia", "keySalvaEnvia", QStringLiteral("Salva Envia"), QStringLiteral("Salvar e Enviar"), {},
             &figuras::salvaEnvia, [this] { cmdSalvaEnvia_Click(); }, &c.cmdSalvaEnvia},
            {"cmdVisualiza", "keyVizualizar", QStringLiteral("Visualizar"), {}, {}, &figuras::visualizar, [this] { suVizualisar(); },
             &c.cmdVisualiza},
            {"cmdConsulta", "keyRelatorio", QStringLiteral("Consultar"), {}, {}, &figuras::consultar, [this] { cmdConsulta_Click(); },
             &c.cmdConsulta},
            {"cmdCancela", "keyCancelar", QStringLiteral("Cancelar"), {}, {}, &figuras::cancelar, [this] { suFechar(); },
             &c.cmdCancela},
        },
        {kLadoBotao, kAlturaBotao, false, true});
    c.fraBotoes = comandos.quadro(area, 30);
    c.tbBotoes = comandos.barra(area, "tbBotoes", [this](const QString &chave) { tbBotoes_ButtonClick(chave); });
}

void frmMain::MontaPainelLateral(QWidget *area)
{
    const QSize lado(tw(kLadoPainel), tw(kLadoPainel));

    c.fraLatNor = new QFrame(area);
    c.fraLatNor->setObjectName(QStringLiteral("fraLatNor"));
    c.fraLatNor->setFrameShape(QFrame::StyledPanel);
    c.fraLatNor->setFrameShadow(QFrame::Sunken);
    auto *coluna = new QVBoxLayout(c.fraLatNor);
    coluna->setContentsMargins(tw(90), tw(150), tw(90), tw(150));
    coluna->setSpacing(tw(120));
    c.picEspaco = figura(c.fraLatNor, "picEspaco", figuras::disco(lado), kLadoPainel, kLadoPainel);
    c.picInternet = figura(c.fraLatNor, "picInternet", figuras::globo(lado), kLadoPainel, kLadoPainel);
    c.picDica = figura(c.fraLatNor, "picDica", figuras::lampada(lado), kLadoPainel, kLadoPainel);
    for (QLabel *p : {c.picEspaco, c.picInternet, c.picDica}) {
        p->setCursor(Qt::PointingHandCursor);
        coluna->addWidget(p, 0, Qt::AlignHCenter);
        coluna->addStretch(1);
    }

    // The toolbar variant of the side panel; the button-style check keeps it hidden.
    c.fraLatEsp = new QFrame(area);
    c.fraLatEsp->setObjectName(QStringLiteral("fraLatEsp"));
    auto *colunaEsp = new QVBoxLayout(c.fraLatEsp);
    colunaEsp->setContentsMargins(0, 0, 0, 0);
    c.tbEspaco = barraLateral(c.fraLatEsp, "tbEspaco", figuras::disco(lado));
    c.tbInternet = barraLateral(c.fraLatEsp, "tbInternet", figuras::globo(lado));
    c.tbDica = barraLateral(c.fraLatEsp, "tbDica", figuras::lampada(lado));
    for (QToolBar *tb : {c.tbEspaco, c.tbInternet, c.tbDica})
        colunaEsp->addWidget(tb);
    colunaEsp->addStretch(1);
    connect(c.tbEspaco, &QToolBar::actionTriggered, this, [this] { tbEspaco_ButtonClick(); });
    connect(c.tbInternet, &QToolBar::actionTriggered, this, [this] { suInternet(false); });
    connect(c.tbDica, &QToolBar::actionTriggered, this, [this] { tbDica_Click(); });
}

void frmMain::MostraVariante(bool barraDeFerramentas)
{
    c.tbBotoes->setVisible(barraDeFerramentas);
    c.fraLatEsp->setVisible(barraDeFerramentas);
    c.fraBotoes->setVisible(!barraDeFerramentas);
    c.fraLatNor->setVisible(!barraDeFerramentas);
}

void frmMain::centraNaTela()
{
    tela::centraNaTela(*this);
}
