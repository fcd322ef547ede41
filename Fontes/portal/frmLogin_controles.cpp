// The login window's controls: the picture, the texts, the three fields, the frame of picture
// buttons and the hidden toolbar variant of the same commands.
#include "portal/frmLogin.h"

#include "portal/frmLogin_CampoSenha.h"
#include "shell/Comandos.h"
#include "shell/Figuras.h"
#include "shell/Tela.h"

#include <QBoxLayout>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QToolBar>
#include <QToolButton>

namespace {

using tela::tw;

constexpr int kMaxCampo = 20;        // domain, login and password
constexpr int kLarguraCampo = 2880;
constexpr int kLadoBotao = 1140;     // picture buttons
constexpr int kAlturaBotao = 1080;
constexpr int kLarguraFigura = 1320;
constexpr int kAlturaFigura = 1680;

const QColor kAzul(0x1e, 0x5a, 0xa8);
const QColor kDourado(0xd8, 0xa1, 0x1c);
const QColor kContorno(0x55, 0x55, 0x55);

// Drawn on a 100 x 100 canvas scaled to the requested size.
QPixmap desenha(QSize tamanho, void (*pinta)(QPainter &))
{
    QPixmap px(tamanho);
    px.fill(Qt::transparent);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(tamanho.width() / 100.0, tamanho.height() / 100.0);
    pinta(p);
    return px;
}

// The window's picture: a padlock on a shield, the restricted area.
void cadeado(QPainter &p)
{
    QPainterPath escudo;
    escudo.moveTo(50, 4);
    escudo.cubicTo(68, 12, 82, 12, 94, 12);
    escudo.cubicTo(94, 56, 80, 82, 50, 97);
    escudo.cubicTo(20, 82, 6, 56, 6, 12);
    escudo.cubicTo(18, 12, 32, 12, 50, 4);
    QLinearGradient fundo(0, 0, 0, 100);
    fundo.setColorAt(0, kAzul.lighter(150));
    fundo.setColorAt(1, kAzul);
    p.setPen(QPen(kAzul.darker(130), 2));
    p.setBrush(fundo);
    p.drawPath(escudo);

    p.setPen(QPen(QColor(0xe8, 0xe8, 0xe8), 6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(36, 22, 28, 30), 0, 180 * 16);
    p.drawLine(QPointF(36, 37), QPointF(36, 45));
    p.drawLine(QPointF(64, 37), QPointF(64, 45));

    p.setPen(QPen(kDourado.darker(140), 1.5));
    p.setBrush(kDourado);
    p.drawRoundedRect(QRectF(28, 44, 44, 34), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x40, 0x30, 0x10));
    p.drawEllipse(QPointF(50, 57), 4.5, 4.5);
    p.drawRect(QRectF(48, 58, 4, 11));
}

// "ENTRAR": a key.
void chave(QPainter &p)
{
    p.setPen(QPen(kDourado.darker(150), 2.5));
    p.setBrush(kDourado);
    QPainterPath haste;
    haste.addEllipse(QPointF(30, 50), 20, 20);
    haste.addRect(QRectF(46, 45, 46, 10));
    haste.addRect(QRectF(72, 55, 8, 12));
    haste.addRect(QRectF(84, 55, 8, 16));
    p.drawPath(haste.simplified());
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(26, 50), 7, 7);
}

QIcon iconeChave()
{
    QIcon i;
    for (int lado : {16, 24, 32, 48})
        i.addPixmap(desenha(QSize(lado, lado), chave));
    return i;
}

QLabel *rotulo(QWidget *pai, const char *nome, const QString &texto)
{
    auto *l = new QLabel(texto, pai);
    l->setObjectName(QString::fromLatin1(nome));
    return l;
}

QLineEdit *campo(QLineEdit *l, const char *nome)
{
    l->setObjectName(QString::fromLatin1(nome));
    l->setMaxLength(kMaxCampo);
    l->setFixedWidth(tw(kLarguraCampo));
    return l;
}

} // namespace

void frmLogin::MontaControles()
{
    setObjectName(QStringLiteral("frmLogin"));
    // Fixed border, no minimise or maximise box; a dialog owned by its parent stays out of the
    // task bar.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint);
    setSizeGripEnabled(false);
    setWindowIcon(iconeChave());
    QPalette branco = palette();
    branco.setColor(QPalette::Window, Qt::white);
    setPalette(branco);
    setAutoFillBackground(true);

    auto *geral = new QVBoxLayout(this);
    geral->setContentsMargins(tw(180), tw(180), tw(180), tw(180));
    geral->setSpacing(tw(180));

    auto *meio = new QHBoxLayout;
    meio->setSpacing(tw(240));
    geral->addLayout(meio);

    c.imgLogin = new QLabel(this);
    c.imgLogin->setObjectName(QStringLiteral("imgLogin"));
    c.imgLogin->setFixedSize(tw(kLarguraFigura), tw(kAlturaFigura));
    c.imgLogin->setPixmap(desenha(c.imgLogin->size(), cadeado));
    meio->addWidget(c.imgLogin, 0, Qt::AlignTop);

    auto *direita = new QVBoxLayout;
    direita->setSpacing(tw(90));
    meio->addLayout(direita, 1);

    c.lblAviso = rotulo(this, "lblAviso", QStringLiteral("Você acaba de entrar em uma área restrita."));
    QFont negrito = c.lblAviso->font();
    negrito.setBold(true);
    c.lblAviso->setFont(negrito);
    direita->addWidget(c.lblAviso);
    c.lblInstrucao = rotulo(this, "lblInstrucao",
                            QStringLiteral("Favor digitar seu Domínio, Login e Senha nos campos abaixo."));
    c.lblInstrucao->setWordWrap(true);
    direita->addWidget(c.lblInstrucao);

    auto *grade = new QGridLayout;
    grade->setHorizontalSpacing(tw(120));
    grade->setVerticalSpacing(tw(90));
    direita->addSpacing(tw(90));
    direita->addLayout(grade);
    direita->addStretch(1);

    c.lblDominio = rotulo(this, "lblDominio", QStringLiteral("Domínio:"));
    c.lblLogin = rotulo(this, "lblLogin", QStringLiteral("Login:"));
    c.lblSenha = rotulo(this, "lblSenha", QStringLiteral("Senha:"));
    c.txtDominio = campo(new QLineEdit(this), "txtDominio");
    c.txtLogin = campo(new QLineEdit(this), "txtLogin");
    c.txtSenha = static_cast<CampoSenha *>(campo(new CampoSenha(this), "txtSenha"));
    const std::pair<QLabel *, QLineEdit *> linhas[] = {
        {c.lblDominio, c.txtDominio}, {c.lblLogin, c.txtLogin}, {c.lblSenha, c.txtSenha}};
    int linha = 0;
    for (const auto &[texto, caixa] : linhas) {
        texto->setBuddy(caixa);
        grade->addWidget(texto, linha, 0, Qt::AlignRight);
        grade->addWidget(caixa, linha, 1, Qt::AlignLeft);
        ++linha;
    }
    grade->setColumnStretch(2, 1);

    c.txtDominio->installEventFilter(this);
    c.txtLogin->installEventFilter(this);
    connect(c.txtSenha, &QLineEdit::returnPressed, this, &frmLogin::txtSenha_KeyPress);

    MontaBotoes();
    geral->addWidget(c.fraBotoes, 0, Qt::AlignHCenter);
    geral->addWidget(c.tbLogin, 0, Qt::AlignHCenter);

    setTabOrder(c.txtDominio, c.txtLogin);
    setTabOrder(c.txtLogin, c.txtSenha);
    setTabOrder(c.txtSenha, c.cmdSalvar);
    setTabOrder(c.cmdSalvar, c.cmdMultiplos);
    setTabOrder(c.cmdMultiplos, c.cmdSair);

    MostraVariante(false);
    geral->setSizeConstraint(QLayout::SetFixedSize);
}

void frmLogin::MontaBotoes()
{
    const Comandos comandos(this,
        {
            {"cmdSalvar", "keySalvar", QStringLiteral("GERAR PDF"), {},
             QStringLiteral("Gera e salva o arquivo PDF no local desejado."), &figuras::gerarPdf,
             [this] { cmdSalvar_Click(); }, &c.cmdSalvar},
            {"cmdMultiplos", "keyEntrar", QStringLiteral("ENTRAR"), {},
             QStringLiteral("Faz autenticação junto ao Vorlin."), &iconeChave, [this] { suEntrar(); },
             &c.cmdMultiplos},
            {"cmdSair", "keyCancelar", QStringLiteral("CANCELAR"), {},
             QStringLiteral("Cancela a autenticação e sai."), &figuras::cancelar, [this] { cmdSair_Click(); },
             &c.cmdSair},
        },
        {kLadoBotao, kAlturaBotao, true, false});
    c.fraBotoes = comandos.quadro(this, 60);
    c.tbLogin = comandos.barra(this, "tbLogin", [this](const QString &chave) { tbLogin_ButtonClick(chave); });
}

void frmLogin::MostraVariante(bool barraDeFerramentas)
{
    c.tbLogin->setVisible(barraDeFerramentas);
    c.fraBotoes->setVisible(!barraDeFerramentas);
}

void frmLogin::centraNaTela()
{
    tela::centraNaTela(*this);
}
