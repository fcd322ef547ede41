// The main window's controls: the frame of picture buttons, the picture side panel, the hint area,
// the log-off check box, the exit-check timer and the hidden toolbar variants.
#include "shell/frmMain.h"

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

// captions shared by a picture button and its toolbar twin
const QString kGerarPdf = QStringLiteral("Gerar PDF");
const QString kVisualizar = QStringLiteral("Visualizar");
const QString kConsultar = QStringLiteral("Consultar");
const QString kCancelar = QStringLiteral("Cancelar");

struct Comando {
    const char *nome;
    QString legenda;
    QIcon (*figura)();
};

struct Tecla {
    const char *chave;
    QString legenda;
    QIcon (*figura)();
};

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
    c.fraBotoes = new QFrame(area);
    c.fraBotoes->setObjectName(QStringLiteral("fraBotoes"));
    c.fraBotoes->setFrameShape(QFrame::StyledPanel);
    c.fraBotoes->setFrameShadow(QFrame::Sunken);
    auto *linha = new QHBoxLayout(c.fraBotoes);
    linha->setContentsMargins(tw(60), tw(60), tw(60), tw(60));
    linha->setSpacing(tw(30));

    const Comando comandos[] = {
        {"cmdGerar", kGerarPdf, &figuras::gerarPdf},
        {"cmdEnviar", QStringLiteral("Enviar"), &figuras::enviar},
        {"cmdSalvaEnvia", QStringLiteral("Salva Envia"), &figuras::salvaEnvia},
        {"cmdVisualiza", kVisualizar, &figuras::visualizar},
        {"cmdConsulta", kConsultar, &figuras::consultar},
        {"cmdCancela", kCancelar, &figuras::cancelar},
    };
    QToolButton **alvos[] = {&c.cmdGerar, &c.cmdEnviar, &c.cmdSalvaEnvia,
                             &c.cmdVisualiza, &c.cmdConsulta, &c.cmdCancela};
    for (int i = 0; i < 6; ++i) {
        auto *b = new QToolButton(c.fraBotoes);
        b->setObjectName(QString::fromLatin1(comandos[i].nome));
        b->setText(comandos[i].legenda);
        b->setIcon(comandos[i].figura());
        b->setIconSize(QSize(32, 32));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setFixedSize(tw(kLadoBotao), tw(kAlturaBotao));
        b->setMouseTracking(true);
        linha->addWidget(b);
        *alvos[i] = b;
    }
    connect(c.cmdGerar, &QToolButton::clicked, this, &frmMain::suSalvarLocal);
    connect(c.cmdEnviar, &QToolButton::clicked, this, &frmMain::cmdEnviar_Click);
    connect(c.cmdSalvaEnvia, &QToolButton::clicked, this, &frmMain::cmdSalvaEnvia_Click);
    connect(c.cmdVisualiza, &QToolButton::clicked, this, &frmMain::suVizualisar);
    connect(c.cmdConsulta, &QToolButton::clicked, this, &frmMain::cmdConsulta_Click);
    connect(c.cmdCancela, &QToolButton::clicked, this, &frmMain::suFechar);

    // The toolbar variant of the same commands; the button-style check keeps it hidden.
    c.tbBotoes = new QToolBar(area);
    c.tbBotoes->setObjectName(QStringLiteral("tbBotoes"));
    c.tbBotoes->setMovable(false);
    c.tbBotoes->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    c.tbBotoes->setIconSize(QSize(32, 32));
    const Tecla teclas[] = {
        {"keySalvar", kGerarPdf, &figuras::gerarPdf},
        {"keyEnviar", QStringLiteral("Enviar "), &figuras::enviar},
        {"keySalvaEnvia", QStringLiteral("Salvar e Enviar"), &figuras::salvaEnvia},
        {"keyVizualizar", kVisualizar, &figuras::visualizar},
        {"keyRelatorio", kConsultar, &figuras::consultar},
        {"keyCancelar", kCancelar, &figuras::cancelar},
    };
    for (const Tecla &t : teclas) {
        QAction *a = c.tbBotoes->addAction(t.figura(), t.legenda);
        const QString chave = QString::fromLatin1(t.chave);
        a->setObjectName(chave);
        a->setData(chave);
    }
    connect(c.tbBotoes, &QToolBar::actionTriggered, this,
            [this](QAction *a) { tbBotoes_ButtonClick(a->data().toString()); });
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
