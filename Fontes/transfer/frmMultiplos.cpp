// The window "Múltiplos envios": its controls, the list of the queue and the four commands.
#include "transfer/frmMultiplos.h"

#include "publication/frmInform_figuras.h"
#include "shell/Figuras.h"
#include "shell/ModFuncs.h"
#include "shell/Tela.h"
#include "shell/classAmbiente.h"
#include "transfer/frmTransferencia.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QShowEvent>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <set>

using tela::tw;
using transferencia::MultiplosEnvios;

namespace {

const QString kModulo = QStringLiteral("frmMultiplos");
constexpr int kLarguraJanela = 15000;   // twips
constexpr int kAlturaJanela = 5400;
constexpr int kLadoBotao = 1440;
constexpr int kAlturaBotao = 1080;

struct Coluna {
    QString titulo;
    int largura;   // twips
};
const Coluna kColunas[] = {
    {QStringLiteral("Cliente"), 2400},  {QStringLiteral("Descrição"), 2600}, {QStringLiteral("Ativação"), 1300},
    {QStringLiteral("Expiração"), 1300}, {QStringLiteral("Pasta"), 2000},    {QStringLiteral("Arquivo"), 2200},
    {QStringLiteral("Situação"), 2400},
};
constexpr int kSituacao = 6;

// "Remover": a waste bin.
QIcon lixeira()
{
    QIcon icone;
    for (int lado : {16, 24, 32, 48}) {
        QPixmap px(lado, lado);
        px.fill(Qt::transparent);
        QPainter p(&px);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(lado / 100.0, lado / 100.0);
        const QColor cinza(0x5a, 0x63, 0x6e);
        p.setPen(QPen(cinza.darker(140), 3));
        p.setBrush(QColor(0xc9, 0xd1, 0xd9));
        p.drawRoundedRect(QRectF(22, 30, 56, 62), 5, 5);
        p.setBrush(cinza);
        p.drawRoundedRect(QRectF(14, 18, 72, 11), 3, 3);
        p.drawRect(QRectF(40, 10, 20, 8));
        p.setPen(QPen(cinza.darker(120), 5, Qt::SolidLine, Qt::RoundCap));
        for (qreal x : {36.0, 50.0, 64.0})
            p.drawLine(QPointF(x, 40), QPointF(x, 82));
        p.end();
        icone.addPixmap(px);
    }
    return icone;
}

QString quantos(qsizetype n)
{
    if (n == 0)
        return QStringLiteral("Nenhum arquivo na fila de envio.");
    return n == 1 ? QStringLiteral("1 arquivo na fila de envio.")
                  : QStringLiteral("%1 arquivos na fila de envio.").arg(n);
}

} // namespace

frmMultiplos::frmMultiplos(classAmbiente &ambiente, ModFuncs &funcs, QWidget *parent)
    : frmMultiplos(ambiente, funcs, Janelas{}, parent)
{
}

frmMultiplos::frmMultiplos(classAmbiente &ambiente, ModFuncs &funcs, Janelas janelas, QWidget *parent)
    : QDialog(parent), m_ambiente(ambiente), m_funcs(funcs), m_janelas(std::move(janelas))
{
    if (!m_janelas.transferencia)
        m_janelas.transferencia = [this](frmMultiplos &janela) {
            frmTransferencia transferencia(m_ambiente, m_funcs, &janela);
            transferencia.exec();
        };
    MultiplosEnvios::Acoes acoes;
    acoes.transferencia = [this] { m_janelas.transferencia(*this); };
    m_envios = std::make_unique<MultiplosEnvios>(m_ambiente, acoes);
    MontaControles();
}

frmMultiplos::~frmMultiplos() = default;

bool frmMultiplos::passo(const char *procedimento, const std::function<void()> &acao)
{
    return m_funcs.Passo(kModulo, QString::fromLatin1(procedimento), acao);
}

void frmMultiplos::avisa(const QString &texto, plataforma::Icone icone)
{
    m_ambiente.servicos().ui.mensagem({texto, m_ambiente.Sistema(), icone});
}

void frmMultiplos::MontaControles()
{
    setObjectName(QStringLiteral("frmMultiplos"));
    setWindowTitle(QStringLiteral("Múltiplos envios"));
    // resizable, no minimise or maximise box
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::CustomizeWindowHint);
    setWindowIcon(figurasInform::fila());
    resize(tw(kLarguraJanela), tw(kAlturaJanela));
    setMinimumSize(tw(7500), tw(4000));

    auto *geral = new QVBoxLayout(this);
    geral->setContentsMargins(tw(120), tw(120), tw(120), tw(120));
    geral->setSpacing(tw(90));

    c.Label1 = new QLabel(QStringLiteral("Arquivos aguardando envio"), this);
    c.Label1->setObjectName(QStringLiteral("Label1"));
    QFont negrito = c.Label1->font();
    negrito.setBold(true);
    c.Label1->setFont(negrito);
    geral->addWidget(c.Label1);

    c.grdFila = new QTableWidget(0, int(std::size(kColunas)), this);
    c.grdFila->setObjectName(QStringLiteral("grdFila"));
    c.grdFila->setSelectionBehavior(QAbstractItemView::SelectRows);
    c.grdFila->setSelectionMode(QAbstractItemView::ExtendedSelection);
    c.grdFila->setEditTriggers(QAbstractItemView::NoEditTriggers);
    c.grdFila->verticalHeader()->setVisible(false);
    c.grdFila->setWordWrap(false);
    for (int i = 0; i < int(std::size(kColunas)); ++i) {
        c.grdFila->setHorizontalHeaderItem(i, new QTableWidgetItem(kColunas[i].titulo));
        c.grdFila->setColumnWidth(i, tw(kColunas[i].largura));
    }
    c.grdFila->horizontalHeader()->setStretchLastSection(true);
    geral->addWidget(c.grdFila, 1);

    auto *baixo = new QHBoxLayout;
    c.iblTotal = new QLabel(this);
    c.iblTotal->setObjectName(QStringLiteral("iblTotal"));
    baixo->addWidget(c.iblTotal, 1, Qt::AlignVCenter);
    MontaBotoes();
    baixo->addWidget(c.fraBotoes, 0, Qt::AlignRight);
    geral->addLayout(baixo);
}

void frmMultiplos::MontaBotoes()
{
    struct Comando {
        const char *nome;
        QString legenda;
        QString dica;
        QIcon figura;
        QToolButton **alvo;
        void (frmMultiplos::*acao)();
    };
    const Comando comandos[] = {
        {"cmdEnviar", QStringLiteral("Enviar"), QStringLiteral("Envia os arquivos selecionados na lista."),
         figuras::enviar(), &c.cmdEnviar, &frmMultiplos::cmdEnviar_Click},
        {"cmdEnviarTodos", QStringLiteral("Enviar Todos"), QStringLiteral("Envia todos os arquivos da fila."),
         figurasInform::fila(), &c.cmdEnviarTodos, &frmMultiplos::cmdEnviarTodos_Click},
        {"cmdRemover", QStringLiteral("Remover"), QStringLiteral("Retira da fila os arquivos selecionados, sem enviar."),
         lixeira(), &c.cmdRemover, &frmMultiplos::cmdRemover_Click},
        {"cmdFechar", QStringLiteral("Fechar"), QStringLiteral("Fecha a janela; a fila fica guardada."),
         figuras::cancelar(), &c.cmdFechar, &frmMultiplos::cmdFechar_Click},
    };
    c.fraBotoes = new QFrame(this);
    c.fraBotoes->setObjectName(QStringLiteral("fraBotoes"));
    c.fraBotoes->setFrameShape(QFrame::StyledPanel);
    c.fraBotoes->setFrameShadow(QFrame::Sunken);
    auto *fila = new QHBoxLayout(c.fraBotoes);
    fila->setContentsMargins(tw(60), tw(60), tw(60), tw(60));
    fila->setSpacing(tw(60));
    for (const Comando &comando : comandos) {
        auto *b = new QToolButton(c.fraBotoes);
        b->setObjectName(QString::fromLatin1(comando.nome));
        b->setText(comando.legenda);
        b->setToolTip(comando.dica);
        b->setIcon(comando.figura);
        b->setIconSize(QSize(32, 32));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setFixedSize(tw(kLadoBotao), tw(kAlturaBotao));
        b->setFocusPolicy(Qt::StrongFocus);
        fila->addWidget(b);
        *comando.alvo = b;
        connect(b, &QToolButton::clicked, this, comando.acao);
    }
}

void frmMultiplos::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (evento->spontaneous() || m_carregado)
        return;
    m_carregado = true;
    tela::centraNaTela(*this);
    Form_Load();
}

void frmMultiplos::Form_Load()
{
    passo("Form_Load", [&] {
        setWindowTitle(m_ambiente.Sistema() + QStringLiteral(" [") + m_ambiente.Usuario
                       + QStringLiteral("] - Múltiplos envios"));
    });
    CarregaLista();
}

void frmMultiplos::CarregaLista()
{
    bool lida = true;
    passo("CarregaLista", [&] { lida = m_envios->Carrega(); });
    PreencheLista();
    if (!lida)
        passo("CarregaLista", [&] { avisa(m_envios->Erro(), plataforma::Icone::Exclamacao); });
}

void frmMultiplos::PreencheLista()
{
    passo("PreencheLista", [&] {
        const QList<MultiplosEnvios::Item> &itens = m_envios->Itens();
        c.grdFila->clearSelection();
        c.grdFila->setRowCount(int(itens.size()));
        for (int linha = 0; linha < itens.size(); ++linha) {
            const MultiplosEnvios::Item &item = itens.at(linha);
            const QString textos[] = {item.cliente,  item.descricao, item.ativacao,
                                      item.expiracao, item.pasta,    item.arquivo,
                                      MultiplosEnvios::TextoSituacao(item)};
            for (int coluna = 0; coluna < int(std::size(textos)); ++coluna) {
                auto *celula = new QTableWidgetItem(textos[coluna]);
                celula->setToolTip(textos[coluna]);
                if (coluna == kSituacao && item.situacao != MultiplosEnvios::Situacao::Aguardando)
                    celula->setForeground(item.situacao == MultiplosEnvios::Situacao::Interrompido
                                              ? QColor(0xb0, 0x60, 0x00)
                                              : QColor(0xc0, 0x00, 0x00));
                if (coluna == 0)
                    celula->setData(Qt::UserRole, item.copia);
                c.grdFila->setItem(linha, coluna, celula);
            }
        }
        c.iblTotal->setText(quantos(itens.size()));
    });
}

QStringList frmMultiplos::Selecionados() const
{
    std::set<int> linhas;
    for (const QModelIndex &i : c.grdFila->selectionModel()->selectedRows())
        linhas.insert(i.row());
    QStringList copias;
    for (const int linha : linhas) {
        if (const QTableWidgetItem *celula = c.grdFila->item(linha, 0))
            copias << celula->data(Qt::UserRole).toString();
    }
    return copias;
}

void frmMultiplos::EnviaFila(const QStringList &copias, bool interrompidos)
{
    MultiplosEnvios::Resultado r;
    passo("EnviaFila", [&] {
        c.fraBotoes->setEnabled(false);
        r = m_envios->Envia(copias, interrompidos);
    });
    c.fraBotoes->setEnabled(true);
    // the sender has read the queue again
    PreencheLista();
    passo("EnviaFila", [&] {
        if (r.falhas == 0 && r.enviados > 0) {
            avisa(r.enviados == 1 ? QStringLiteral("O arquivo foi enviado com sucesso!")
                                  : QStringLiteral("Os %1 arquivos foram enviados com sucesso!").arg(r.enviados),
                  plataforma::Icone::Informacao);
        } else if (r.falhas > 0) {
            avisa(QStringLiteral("Arquivos enviados: %1\r\nArquivos com falha: %2\r\n"
                                 "Os arquivos com falha continuam na fila.")
                      .arg(r.enviados)
                      .arg(r.falhas),
                  plataforma::Icone::Exclamacao);
        } else {
            avisa(QStringLiteral("Nenhum arquivo foi enviado."), plataforma::Icone::Informacao);
        }
    });
}

void frmMultiplos::cmdEnviar_Click()
{
    const QStringList copias = Selecionados();
    if (copias.isEmpty()) {
        passo("cmdEnviar_Click", [&] {
            avisa(QStringLiteral("Selecione na lista os arquivos que deseja enviar."), plataforma::Icone::Informacao);
        });
        return;
    }
    EnviaFila(copias, true);
}

void frmMultiplos::cmdEnviarTodos_Click()
{
    QStringList copias;
    for (const MultiplosEnvios::Item &item : m_envios->Itens())
        copias << item.copia;
    if (copias.isEmpty()) {
        passo("cmdEnviarTodos_Click", [&] { avisa(quantos(0), plataforma::Icone::Informacao); });
        return;
    }
    EnviaFila(copias, false);
}

void frmMultiplos::cmdRemover_Click()
{
    const char *const proc = "cmdRemover_Click";
    const QStringList copias = Selecionados();
    bool remove = false;
    passo(proc, [&] {
        if (copias.isEmpty()) {
            avisa(QStringLiteral("Selecione na lista os arquivos que deseja retirar da fila."),
                  plataforma::Icone::Informacao);
            return;
        }
        plataforma::Caixa caixa;
        caixa.texto = copias.size() == 1
            ? QStringLiteral("Deseja realmente retirar da fila o arquivo selecionado?")
            : QStringLiteral("Deseja realmente retirar da fila os %1 arquivos selecionados?").arg(copias.size());
        caixa.titulo = m_ambiente.Sistema();
        caixa.icone = plataforma::Icone::Pergunta;
        caixa.botoes = plataforma::Botoes::SimNao;
        caixa.padrao = plataforma::Resposta::Nao;
        remove = m_ambiente.servicos().ui.mensagem(caixa) == plataforma::Resposta::Sim;
    });
    if (!remove)
        return;
    bool ok = true;
    passo(proc, [&] { ok = m_envios->Remove(copias); });
    PreencheLista();
    if (!ok)
        passo(proc, [&] {
            avisa(QStringLiteral("Não foi possível retirar da fila todos os arquivos selecionados!"),
                  plataforma::Icone::Exclamacao);
        });
}

void frmMultiplos::cmdFechar_Click()
{
    accept();
}
