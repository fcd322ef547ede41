// The publication dialog's frame: the file list, description, dates, observation, the close
// boxes, the frame of picture buttons and the hidden toolbar variant of the same commands. The
// recipients and folders classes place their own controls.
#include "publication/frmInform.h"

#include "publication/SeletorData.h"
#include "publication/frmInform_figuras.h"
#include "shell/Comandos.h"
#include "shell/Figuras.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QToolBar>
#include <QToolButton>

using tela::tw;

namespace {

// client area of the 15240 x 9030 twips window
constexpr int kLarguraCliente = 15150;
constexpr int kAlturaCliente = 8610;
constexpr int kEsquerda = 7650;   // the files column
constexpr int kLargura = 3900;
constexpr int kLarguraData = 1890;
constexpr int kMaxDescricao = 100;

QLabel *rotulo(QWidget *pai, const char *nome, const QString &texto)
{
    auto *l = new QLabel(texto, pai);
    l->setObjectName(QString::fromLatin1(nome));
    return l;
}

} // namespace

void frmInform::MontaControles()
{
    setObjectName(QStringLiteral("frmInform"));
    // fixed border, no minimise or maximise box; owned by its parent, so not in the task bar
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::CustomizeWindowHint | Qt::MSWindowsFixedSizeDialogHint);
    setSizeGripEnabled(false);
    setWindowIcon(figuras::enviar());
    setFixedSize(tw(kLarguraCliente), tw(kAlturaCliente));

    c.lblArquivos = rotulo(this, "lblArquivos", QStringLiteral("Arquivos:"));
    coloca(c.lblArquivos, kEsquerda, 120, kLargura, 210);
    c.lstArquivos = new QListWidget(this);
    c.lstArquivos->setObjectName(QStringLiteral("lstArquivos"));
    c.lstArquivos->setAcceptDrops(true);
    c.lstArquivos->viewport()->setAcceptDrops(true);
    c.lstArquivos->setDragDropMode(QAbstractItemView::DropOnly);
    c.lstArquivos->viewport()->installEventFilter(this);
    coloca(c.lstArquivos, kEsquerda, 360, kLargura, 1800);

    c.Label4 = rotulo(this, "Label4", QStringLiteral("Descrição:"));
    coloca(c.Label4, kEsquerda, 2280, kLargura, 210);
    c.txtDescricao = new QLineEdit(this);
    c.txtDescricao->setObjectName(QStringLiteral("txtDescricao"));
    c.txtDescricao->setMaxLength(kMaxDescricao);
    coloca(c.txtDescricao, kEsquerda, 2490, kLargura, 315);

    c.Label8 = rotulo(this, "Label8", QStringLiteral("Ativação:"));
    coloca(c.Label8, kEsquerda, 2940, kLarguraData, 210);
    c.dtpAtivacao = new SeletorData(this);
    c.dtpAtivacao->setObjectName(QStringLiteral("dtpAtivacao"));
    coloca(c.dtpAtivacao, kEsquerda, 3150, kLarguraData, 315);
    c.Label1 = rotulo(this, "Label1", QStringLiteral("Expiração:"));
    coloca(c.Label1, kEsquerda + kLargura - kLarguraData, 2940, kLarguraData, 210);
    c.dtpExpiracao = new SeletorData(this);
    c.dtpExpiracao->setObjectName(QStringLiteral("dtpExpiracao"));
    coloca(c.dtpExpiracao, kEsquerda + kLargura - kLarguraData, 3150, kLarguraData, 315);

    c.iblObs = rotulo(this, "iblObs", QStringLiteral("Observação:"));
    coloca(c.iblObs, kEsquerda, 3600, 2000, 210);
    c.iblObsChars = rotulo(this, "iblObsChars", QStringLiteral("1000"));
    c.iblObsChars->setToolTip(QStringLiteral("Número de caracteres restantes"));
    c.iblObsChars->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    coloca(c.iblObsChars, kEsquerda + kLargura - 1200, 3600, 1200, 210);
    c.txtObs = new QPlainTextEdit(this);
    c.txtObs->setObjectName(QStringLiteral("txtObs"));
    c.txtObs->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    c.txtObs->setTabChangesFocus(true);
    coloca(c.txtObs, kEsquerda, 3810, kLargura, 3300);

    c.chkCloseOnEnd = new QCheckBox(QStringLiteral("Fechar ao Enviar"), this);
    c.chkCloseOnEnd->setObjectName(QStringLiteral("chkCloseOnEnd"));
    coloca(c.chkCloseOnEnd, kEsquerda, 7260, kLargura, 255);
    c.chkEfeuarLogoff = new QCheckBox(QStringLiteral("Fazer Logoff"), this);
    c.chkEfeuarLogoff->setObjectName(QStringLiteral("chkEfeuarLogoff"));
    c.chkEfeuarLogoff->setVisible(false);
    coloca(c.chkEfeuarLogoff, kEsquerda, 7560, kLargura, 255);

    MontaComandos();

    connect(c.lstArquivos, &QListWidget::currentRowChanged, this, [this] { lstArquivos_Click(); });
    connect(c.txtDescricao, &QLineEdit::textChanged, this, [this] { txtDescricao_Change(); });
    connect(c.txtObs, &QPlainTextEdit::textChanged, this, [this] { txtObs_Change(); });
    connect(c.dtpAtivacao, &SeletorData::mudou, this, [this] { dtpAtivacao_Change(); });
    connect(c.dtpExpiracao, &SeletorData::mudou, this, [this] { dtpExpiracao_Change(); });
    connect(c.chkCloseOnEnd, &QCheckBox::toggled, this, [this] { chkCloseOnEnd_Click(); });
}

void frmInform::MontaComandos()
{
    // The queue command is on the toolbar only.
    const Comandos comandos(this,
        {
            {"cmdGerar", "keySalvar", QStringLiteral("Gerar PDF"), QStringLiteral("GERAR PDF"),
             QStringLiteral("Gera e salva o arquivo PDF no local desejado."), &figuras::gerarPdf,
             [this] { cmdGerar_Click(); }, &c.cmdGerar},
            {"cmdEnviar", "keyEnviar", QStringLiteral("Confirmar"), QStringLiteral("ENVIAR"),
             QStringLiteral("Finaliza envio do arquivo"), &figurasInform::confirmar, [this] { cmdEnviar_Click(); },
             &c.cmdEnviar},
            {nullptr, "keyMultiplo", QString(), QStringLiteral("Fila"),
             QStringLiteral("Adiciona Transferência a Fila de Envio"), &figurasInform::fila, {}, nullptr},
            {"cmdCancela", "keyCancelar", QStringLiteral("Cancelar"), QStringLiteral("CANCELAR"),
             QStringLiteral("Sai sem enviar as informações"), &figuras::cancelar, [this] { suCancelar(); },
             &c.cmdCancela},
        },
        {1020, 1080, true, false});
    constexpr int kQuadro[] = {11700, 7170, 3330, 1260};

    c.fraBotoes = comandos.quadro(this, 60);
    coloca(c.fraBotoes, kQuadro[0], kQuadro[1], kQuadro[2], kQuadro[3]);
    c.tbEnviar = comandos.barra(this, "tbEnviar", [this](const QString &chave) { tbEnviar_ButtonClick(chave); });
    coloca(c.tbEnviar, kQuadro[0], kQuadro[1], kQuadro[2], kQuadro[3]);

    // The frame has no room for the queue command: Ctrl+M reaches it, and the tip of "Confirmar"
    // says so.
    auto *mnuFila = new QAction(this);
    mnuFila->setObjectName(QStringLiteral("mnuFila"));
    mnuFila->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    addAction(mnuFila);
    connect(mnuFila, &QAction::triggered, this, [this] { tbEnviar_ButtonClick(QStringLiteral("keyMultiplo")); });
    c.cmdEnviar->setToolTip(QStringLiteral("Confirma e envia os arquivos marcados.\n"
                                           "Ctrl+M adiciona à fila de Múltiplos envios, para enviar depois."));
}

void frmInform::MostraVariante(bool barraDeFerramentas)
{
    c.tbEnviar->setVisible(barraDeFerramentas);
    c.fraBotoes->setVisible(!barraDeFerramentas);
}
