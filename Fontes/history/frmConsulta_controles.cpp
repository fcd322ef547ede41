// The history window's controls and their places: the filter lists and dates, the filter
// command in both variants, the totals, the layout reset, the grid and the note under it.
#include "history/frmConsulta.h"

#include "history/ModeloConsulta.h"

#include "publication/SeletorData.h"
#include "shell/Comandos.h"
#include "shell/Figuras.h"
#include "shell/Tela.h"
#include "shell/classAmbiente.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

using tela::tw;

namespace {

// columns of the filter area, in twips
constexpr int kColuna1 = 120;
constexpr int kColuna2 = 3240;
constexpr int kColuna3 = 5260;
constexpr int kColuna4 = 7400;
constexpr int kLargura1 = 3000;
constexpr int kLargura2 = 1900;
constexpr int kLargura4 = 1830;
constexpr int kLarguraData = 1770;
constexpr int kColunaFim = 1950;
constexpr int kAlturaRotulo = 210;
constexpr int kAlturaLista = 315;
constexpr int kTopoGrade = 2310;

void coloca(QWidget *controle, int esquerda, int topo, int largura, int altura)
{
    controle->setGeometry(tw(esquerda), tw(topo), tw(largura), tw(altura));
}

QLabel *rotulo(QWidget *pai, const char *nome, const QString &texto, int esquerda, int topo, int largura)
{
    auto *l = new QLabel(texto, pai);
    l->setObjectName(QString::fromLatin1(nome));
    coloca(l, esquerda, topo, largura, kAlturaRotulo);
    return l;
}

QComboBox *lista(QWidget *pai, const char *nome, const QStringList &entradas, int esquerda, int topo, int largura)
{
    auto *cbo = new QComboBox(pai);
    cbo->setObjectName(QString::fromLatin1(nome));
    cbo->addItems(entradas);
    coloca(cbo, esquerda, topo, largura, kAlturaLista);
    return cbo;
}

SeletorData *seletor(QWidget *pai, const char *nome, int esquerda, int topo, int largura)
{
    auto *dtp = new SeletorData(pai);
    dtp->setObjectName(QString::fromLatin1(nome));
    coloca(dtp, esquerda, topo, largura, kAlturaLista);
    return dtp;
}

} // namespace

void frmConsulta::MontaControles()
{
    setObjectName(QStringLiteral("frmConsulta"));
    setWindowTitle(QStringLiteral("Consulta"));
    // resizable, no minimise or maximise box
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint
                   | Qt::CustomizeWindowHint);
    setWindowIcon(figuras::consultar());

    MontaFiltros();
    MontaInformacoes();

    c.Label1 = rotulo(this, "Label1", QStringLiteral("Listagem dos arquivos publicados"), kColuna1, 2040, 3600);
    QFont negrito = c.Label1->font();
    negrito.setBold(true);
    c.Label1->setFont(negrito);

    m_modelo = new ModeloConsulta(m_tabela, [this](std::exception_ptr falha) { celulaFalhou(falha); }, this);
    c.grdConsulta = new QTableView(this);
    c.grdConsulta->setObjectName(QStringLiteral("grdConsulta"));
    c.grdConsulta->setModel(m_modelo);
    c.grdConsulta->setEditTriggers(QAbstractItemView::NoEditTriggers);
    c.grdConsulta->setSelectionBehavior(QAbstractItemView::SelectRows);
    c.grdConsulta->setSelectionMode(QAbstractItemView::SingleSelection);
    c.grdConsulta->setWordWrap(false);
    c.grdConsulta->verticalHeader()->setVisible(false);
    c.grdConsulta->verticalHeader()->setDefaultSectionSize(c.grdConsulta->fontMetrics().height() + 6);
    c.grdConsulta->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    c.grdConsulta->horizontalHeader()->setStretchLastSection(false);
    c.grdConsulta->horizontalHeader()->setHighlightSections(false);
    c.grdConsulta->setGeometry(tw(-50), tw(kTopoGrade), tw(9300), tw(3000));
    connect(c.grdConsulta, &QTableView::doubleClicked, this, [this] { grdConsulta_DblClick(); });

    c.iblInform = new QLabel(QStringLiteral("Obs: (*) Opção Tp. Arquivo Indefinido exibe todos os arquivos com data "
                                            "de transferência inferior a 06/10/2008."),
                             this);
    c.iblInform->setObjectName(QStringLiteral("iblInform"));
    c.iblInform->setWordWrap(true);
    QFont pequena = c.iblInform->font();
    pequena.setPointSizeF(pequena.pointSizeF() * 0.8);
    c.iblInform->setFont(pequena);
    QPalette azul = c.iblInform->palette();
    azul.setColor(QPalette::WindowText, QColor(0, 0, 192));
    c.iblInform->setPalette(azul);
    coloca(c.iblInform, kColuna1, 5455, 9100, 450);
}

void frmConsulta::MontaFiltros()
{
    c.iblCliente = rotulo(this, "iblCliente", QStringLiteral("Cliente:"), kColuna1, 90, kLargura1);
    c.cboClientes = lista(this, "cboClientes", {}, kColuna1, 300, kLargura1);
    c.Label2 = rotulo(this, "Label2", QStringLiteral("Tp. Arquivo:"), kColuna2, 90, kLargura2);
    c.cboTipoDocto = lista(this, "cboTipoDocto",
                           {QStringLiteral("Todos"), QStringLiteral("Pagamentos"), QStringLiteral("Relatórios"),
                            QStringLiteral("Diversos"), QStringLiteral("Indefinidos*")},
                           kColuna2, 300, kLargura2);
    c.Label6 = rotulo(this, "Label6", QStringLiteral("Data para filtro:"), kColuna3, 90, kLargura2);
    c.cboTipoData = lista(this, "cboTipoData",
                          {QStringLiteral("Nenhuma"), QStringLiteral("Publicação"), QStringLiteral("Vencimento")},
                          kColuna3, 300, kLargura2);

    c.Label3 = rotulo(this, "Label3", QStringLiteral("Quem enviou?"), kColuna1, 720, kLargura1);
    c.cboUsuarios = lista(this, "cboUsuarios", {}, kColuna1, 930, kLargura1);
    c.Label8 = rotulo(this, "Label8", QStringLiteral("Ordenar por:"), kColuna2, 720, kLargura2);
    c.cboOrdem = lista(this, "cboOrdem",
                       {QStringLiteral("Publicação"), QStringLiteral("Ativação"), QStringLiteral("Expiração"),
                        QStringLiteral("Vencimento"), QStringLiteral("Descrição"), QStringLiteral("Usuário")},
                       kColuna2, 930, kLargura2);
    c.Label9 = rotulo(this, "Label9", QStringLiteral("Mostrar:"), kColuna3, 720, kLargura2);
    c.cboMostrar = lista(this, "cboMostrar",
                         {QStringLiteral("Todos"), QStringLiteral("Visualizados"), QStringLiteral("Não Visualizados"),
                          QStringLiteral("Ativos"), QStringLiteral("Apagados")},
                         kColuna3, 930, kLargura2);

    c.Label4 = rotulo(this, "Label4", QStringLiteral("Início:"), kColuna1, 1350, kLarguraData);
    c.dtpDtInicio = seletor(this, "dtpDtInicio", kColuna1, 1560, kLarguraData);
    c.Label5 = rotulo(this, "Label5", QStringLiteral("Fim:"), kColunaFim, 1350, kLarguraData);
    c.dtpDtFim = seletor(this, "dtpDtFim", kColunaFim, 1560, kLarguraData);
    const QDate hoje = m_ambiente.servicos().relogio.hoje();
    c.dtpDtInicio->defineValor(hoje);
    c.dtpDtFim->defineValor(hoje);
    // the dates count only once a kind of date is chosen
    c.dtpDtInicio->setEnabled(false);
    c.dtpDtFim->setEnabled(false);
    connect(c.cboTipoData, &QComboBox::currentIndexChanged, this, [this] { cboTipoData_Click(); });

    // The filter command stands alone, placed with the filters; the toolbar variant takes its place.
    const Comandos comandos(this,
        {
            {"cmdFiltrar", "keyFiltrar", QStringLiteral("Filtrar"), {}, {}, &figuras::consultar,
             [this] { suFiltrar(); }, &c.cmdFiltrar},
        },
        {0, 0, true, false});
    coloca(comandos.botao(this, comandos.tabela().front()), kColuna4, 150, kLargura4, 1095);
    c.tbFiltrar = comandos.barra(this, "tbFiltrar", [this](const QString &chave) { tbFiltrar_ButtonClick(chave); });
    coloca(c.tbFiltrar, kColuna4, 150, kLargura4, 1095);
    c.tbFiltrar->setVisible(false);

    c.cmdResetarCampos = new QPushButton(QStringLiteral("Reinicia &Campos"), this);
    c.cmdResetarCampos->setObjectName(QStringLiteral("cmdResetarCampos"));
    c.cmdResetarCampos->setAutoDefault(false);
    coloca(c.cmdResetarCampos, kColuna4, 1560, kLargura4, 360);
    connect(c.cmdResetarCampos, &QPushButton::clicked, this, [this] { cmdResetarCampos_Click(); });
}

void frmConsulta::MontaInformacoes()
{
    c.Frame1 = new QGroupBox(QStringLiteral("Informações"), this);
    c.Frame1->setObjectName(QStringLiteral("Frame1"));
    coloca(c.Frame1, kColunaFim + kLarguraData + 120, 1290, 3440, 960);
    c.Label10 = rotulo(c.Frame1, "Label10", QStringLiteral("Número de retornos:"), 120, 300, 2000);
    c.iblRetorno = rotulo(c.Frame1, "iblRetorno", QStringLiteral("0"), 2160, 300, 800);
    c.Label11 = rotulo(c.Frame1, "Label11", QStringLiteral("Soma dos Tamanhos:"), 120, 630, 2000);
    c.iblSumSize = rotulo(c.Frame1, "iblSumSize", QStringLiteral("0"), 2160, 630, 800);
    c.Label13 = rotulo(c.Frame1, "Label13", QStringLiteral("Kbs"), 2990, 630, 420);
    QFont negrito = c.iblRetorno->font();
    negrito.setBold(true);
    c.iblRetorno->setFont(negrito);
    c.iblSumSize->setFont(negrito);
    c.iblRetorno->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    c.iblSumSize->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void frmConsulta::MostraVariante(bool barraDeFerramentas)
{
    c.tbFiltrar->setVisible(barraDeFerramentas);
    c.cmdFiltrar->setVisible(!barraDeFerramentas);
}
