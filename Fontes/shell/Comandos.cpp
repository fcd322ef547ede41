#include "shell/Comandos.h"

#include "shell/Tela.h"

#include <QAction>
#include <QBoxLayout>
#include <QFrame>
#include <QToolBar>
#include <QToolButton>

using tela::tw;

namespace {
constexpr int kLadoFigura = 32;
constexpr int kMargemQuadro = 60;
} // namespace

Comandos::Comandos(QWidget *janela, std::initializer_list<Comando> tabela, MedidasBotao medidas)
    : m_janela(janela), m_tabela(tabela), m_medidas(medidas)
{
}

QToolButton *Comandos::botao(QWidget *pai, const Comando &comando) const
{
    auto *b = new QToolButton(pai);
    b->setObjectName(QString::fromLatin1(comando.nome));
    b->setText(comando.legenda);
    b->setIcon(comando.figura());
    b->setIconSize(QSize(kLadoFigura, kLadoFigura));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    if (m_medidas.largura > 0)
        b->setFixedSize(tw(m_medidas.largura), tw(m_medidas.altura));
    if (m_medidas.foco)
        b->setFocusPolicy(Qt::StrongFocus);
    if (m_medidas.rastreio)
        b->setMouseTracking(true);
    if (comando.acao)
        QObject::connect(b, &QToolButton::clicked, m_janela, comando.acao);
    if (comando.botao)
        *comando.botao = b;
    return b;
}

QFrame *Comandos::quadro(QWidget *pai, int espacamento) const
{
    auto *fra = new QFrame(pai);
    fra->setObjectName(QStringLiteral("fraBotoes"));
    fra->setFrameShape(QFrame::StyledPanel);
    fra->setFrameShadow(QFrame::Sunken);
    auto *fila = new QHBoxLayout(fra);
    fila->setContentsMargins(tw(kMargemQuadro), tw(kMargemQuadro), tw(kMargemQuadro), tw(kMargemQuadro));
    fila->setSpacing(tw(espacamento));
    for (const Comando &comando : m_tabela) {
        if (comando.nome)
            fila->addWidget(botao(fra, comando));
    }
    return fra;
}

QToolBar *Comandos::barra(QWidget *pai, const char *nome, std::function<void(const QString &)> aoClicar) const
{
    auto *tb = new QToolBar(pai);
    tb->setObjectName(QString::fromLatin1(nome));
    tb->setMovable(false);
    tb->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    tb->setIconSize(QSize(kLadoFigura, kLadoFigura));
    for (const Comando &comando : m_tabela) {
        QAction *a = tb->addAction(comando.figura(),
                                   comando.legendaBarra.isEmpty() ? comando.legenda : comando.legendaBarra);
        const QString chave = QString::fromLatin1(comando.chave);
        a->setObjectName(chave);
        a->setData(chave);
        if (!comando.dica.isEmpty())
            a->setToolTip(comando.dica);
    }
    QObject::connect(tb, &QToolBar::actionTriggered, m_janela,
                     [aoClicar = std::move(aoClicar)](QAction *a) { aoClicar(a->data().toString()); });
    return tb;
}
