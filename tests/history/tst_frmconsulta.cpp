// The history window against scripted replies: the load with and without stored settings, the
// size limits, the request each filter choice sends, the payment columns, the cells of a record,
// the query's messages, the layout saved at close and reset, and the start on the records of the
// last publication.
#include "tst_frmconsulta_bancada.h"
#include "shell/Tela.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <optional>

using plataforma::Icone;
using tela::tw;

namespace {

const QStringList kCabecalhos = {
    QStringLiteral("Cliente"),  QStringLiteral("Tp"),       QStringLiteral("Descrição"), QStringLiteral("Publicação"),
    QStringLiteral("Ativação"), QStringLiteral("Expiração"), QStringLiteral("Vencimento"), QStringLiteral("Valor"),
    QStringLiteral("Usuário"),  QStringLiteral("Arquivo"),   QStringLiteral("Tamanho"),    QStringLiteral("Tipo"),
    QStringLiteral("Status"),   QStringLiteral("Lida"),      QStringLiteral("Apagado"),    QStringLiteral("Backup"),
    QStringLiteral("ID"),       QStringLiteral("Local")};
const QList<int> kLargurasPadrao = {2500, 400, 3000, 1300, 1300, 1300, 2300, 1300, 1300,
                                     2000, 1300, 800, 0, 1300, 1300, 1300, 0, 0};

QStringList entradas(const QComboBox *lista)
{
    QStringList saida;
    for (int i = 0; i < lista->count(); ++i)
        saida << lista->itemText(i);
    return saida;
}

QList<int> larguras(const frmConsulta &janela)
{
    QList<int> saida;
    for (int coluna = 0; coluna < frmConsulta::kColunas; ++coluna)
        saida << janela.LarguraColuna(coluna);
    return saida;
}

// no day: the picker's box is left unchecked
constexpr int kSemDia = 9999;

} // namespace

// A reply with the forms the portal sends: dates with and without a time, at midnight, missing;
// sizes from 0 to a terabyte; amounts that are and are not numbers; names with accents.
QList<RegistroPortal> registrosVariados()
{
    RegistroPortal pagamento;
    pagamento.vencimento = QStringLiteral("20/03/2011");
    pagamento.valor = QStringLiteral("1234,56");
    RegistroPortal relatorio;
    relatorio.cliente = QString();
    relatorio.tipo = QStringLiteral("R");
    relatorio.id = QStringLiteral("42");
    relatorio.tamanho = QStringLiteral("2048");
    relatorio.status = QStringLiteral("Apagado");
    relatorio.publicacao = QStringLiteral("07/03/2011 00:00:00");
    relatorio.ativacao = QStringLiteral("10/03/2011");
    relatorio.expiracao = QStringLiteral("10/04/2011 18:00:00");
    relatorio.lida = QStringLiteral("08/03/2011 09:00:00");
    relatorio.apagado = QStringLiteral("09/03/2011 08:00:00");
    relatorio.valor = QStringLiteral("mil");
    relatorio.backup = QStringLiteral("9/3/2011 7:05");
    RegistroPortal diversos;
    diversos.cliente = QStringLiteral("Construtora Alicerce S/A");
    diversos.tipo = QStringLiteral("D");
    diversos.id = QStringLiteral("43");
    diversos.descricao = QStringLiteral("Relatório anual — ação nº 7");
    diversos.arquivo = QStringLiteral("relatório final.xls");
    diversos.tamanho = QStringLiteral("1099511627776");
    diversos.extensao = QStringLiteral("XLS");
    diversos.publicacao = QStringLiteral("31/12/2010 23:59:59");
    diversos.ativacao = QStringLiteral("29/02/2012 12:00:00");
    diversos.vencimento = QStringLiteral("01/01/2012 00:00:00");
    diversos.valor = QStringLiteral("-15,5");
    diversos.usuario = QStringLiteral("João Pedro Lima");
    RegistroPortal pequeno;
    pequeno.id = QStringLiteral("44");
    pequeno.tamanho = QStringLiteral("0");
    pequeno.valor = QStringLiteral("1000000");
    pequeno.publicacao = QStringLiteral(" 1/2/2011 8:05:09 ");
    pequeno.expiracao = QStringLiteral("  ");
    RegistroPortal quase;
    quase.id = QStringLiteral("45");
    quase.tamanho = QStringLiteral("1023");
    quase.valor = QStringLiteral("0,005");
    quase.cliente = QStringLiteral("Padaria Pão Quente");
    RegistroPortal meio;
    meio.id = QStringLiteral("46");
    meio.tamanho = QStringLiteral("51");
    meio.valor = QString();
    meio.descricao = QString();
    return {pagamento, relatorio, diversos, pequeno, quase, meio};
}

class TstFrmConsulta : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cargaSemConfiguracoes();
    void cargaComConfiguracoes();
    void configuracaoInvalidaNaoParaACarga_data();
    void configuracaoInvalidaNaoParaACarga();
    void tamanhoLimitado_data();
    void tamanhoLimitado();
    void pedidoDoFiltro_data();
    void pedidoDoFiltro();
    void vencimentoSoComPagamentos();
    void colunasDePagamentos_data();
    void colunasDePagamentos();
    void celulas_data();
    void celulas();
    void gradeComoAntes();
    void celulaInvalida();
    void mensagensDaConsulta_data();
    void mensagensDaConsulta();
    void gravaAoFecharEVoltaIgual();
    void reiniciaCampos();
    void ultimaPublicacao_data();
    void ultimaPublicacao();
};

void TstFrmConsulta::cargaSemConfiguracoes()
{
    FrmConsultaBancada b;
    b.abre();
    QVERIFY2(b.home.ui.inesperadas.isEmpty(), qPrintable(b.home.ui.inesperadas.join(u'\n')));
    QVERIFY(b.home.ui.caixas.isEmpty());
    QCOMPARE(b.janela->windowTitle(), QStringLiteral("Consulta Vorlin Printer [Maria Aparecida Souza]"));
    // the directory is fetched again, in the user form
    QCOMPARE(b.home.http.urls.size(), 1);
    QVERIFY(b.home.http.urls.first().contains("printer/sincroniza.asp?s=77&l=5&u=1"));

    QCOMPARE(entradas(b.lista("cboClientes")),
             (QStringList{QStringLiteral("Todos"), QStringLiteral("Açougue Boi Gordo Ltda"),
                          QStringLiteral("Construtora Alicerce S/A"), QStringLiteral("Padaria Pão Quente")}));
    QCOMPARE(b.janela->IdsClientes(), (QList<qint32>{0, 30, 31, 32}));
    QCOMPARE(entradas(b.lista("cboUsuarios")),
             (QStringList{QStringLiteral("Todos"), QStringLiteral("Maria Aparecida Souza"), QStringLiteral("João Pedro Lima")}));
    QCOMPARE(b.janela->IdsUsuarios(), (QList<qint32>{0, 7, 8}));
    QCOMPARE(b.lista("cboUsuarios")->itemData(2).toInt(), 8);
    QCOMPARE(entradas(b.lista("cboTipoDocto")),
             (QStringList{QStringLiteral("Todos"), QStringLiteral("Pagamentos"), QStringLiteral("Relatórios"),
                          QStringLiteral("Diversos"), QStringLiteral("Indefinidos*")}));
    QCOMPARE(entradas(b.lista("cboTipoData")),
             (QStringList{QStringLiteral("Nenhuma"), QStringLiteral("Publicação"), QStringLiteral("Vencimento")}));
    QCOMPARE(entradas(b.lista("cboOrdem")),
             (QStringList{QStringLiteral("Publicação"), QStringLiteral("Ativação"), QStringLiteral("Expiração"),
                          QStringLiteral("Vencimento"), QStringLiteral("Descrição"), QStringLiteral("Usuário")}));
    QCOMPARE(entradas(b.lista("cboMostrar")),
             (QStringList{QStringLiteral("Todos"), QStringLiteral("Visualizados"), QStringLiteral("Não Visualizados"),
                          QStringLiteral("Ativos"), QStringLiteral("Apagados")}));
    for (const char *nome : {"cboClientes", "cboTipoDocto", "cboTipoData", "cboUsuarios", "cboOrdem", "cboMostrar"})
        QVERIFY2(b.lista(nome)->currentIndex() == 0, nome);
    QVERIFY(!b.controle(QStringLiteral("dtpDtInicio"))->isEnabled());
    QVERIFY(!b.controle(QStringLiteral("dtpDtFim"))->isEnabled());

    // the frame's button, not the toolbar
    QVERIFY(b.controle<QToolButton>(QStringLiteral("cmdFiltrar"))->isVisible());
    QVERIFY(!b.controle<QToolBar>(QStringLiteral("tbFiltrar"))->isVisible());

    QTableView *grade = b.grade();
    QCOMPARE(grade->model()->columnCount(), 18);
    QStringList cabecalhos;
    for (int coluna = 0; coluna < grade->model()->columnCount(); ++coluna)
        cabecalhos << grade->model()->headerData(coluna, Qt::Horizontal).toString();
    QCOMPARE(cabecalhos, kCabecalhos);
    QCOMPARE(larguras(*b.janela), kLargurasPadrao);
    for (int coluna : {12, 16, 17})
        QVERIFY(grade->horizontalHeader()->isSectionHidden(coluna));
    QCOMPARE(grade->horizontalHeader()->sectionSize(2), tw(3000));
    QCOMPARE(b.linhas(), 1);
    // the design width is under the smallest the window takes
    QCOMPARE(b.janela->TamanhoTwips(), QSize(9350, 6255));
}

void TstFrmConsulta::cargaComConfiguracoes()
{
    FrmConsultaBancada b;
    b.grava(QStringLiteral("c_2"), QStringLiteral("4500"));
    b.grava(QStringLiteral("c_9"), QString());   // empty: the default
    b.grava(QStringLiteral("c_12"), QStringLiteral("900"));   // the status stays hidden all the same
    b.grava(QStringLiteral("c_16"), QStringLiteral("600"));
    b.grava(QStringLiteral("WI"), QStringLiteral("12000"));
    b.grava(QStringLiteral("HE"), QStringLiteral("7000"));
    b.grava(QStringLiteral("Em"), QStringLiteral("2"));
    b.grava(QStringLiteral("Tp"), QStringLiteral("1"));
    b.grava(QStringLiteral("Dt"), QStringLiteral("1"));
    b.grava(QStringLiteral("Or"), QStringLiteral("4"));
    b.grava(QStringLiteral("Sh"), QStringLiteral("3"));
    b.abre();
    QVERIFY(b.home.ui.caixas.isEmpty());

    QCOMPARE(b.janela->LarguraColuna(2), 4500);
    QCOMPARE(b.janela->LarguraColuna(9), 2000);
    QCOMPARE(b.janela->LarguraColuna(12), 0);
    QCOMPARE(b.janela->LarguraColuna(16), 600);
    QCOMPARE(b.janela->TamanhoTwips(), QSize(12000, 7000));
    QCOMPARE(b.lista("cboClientes")->currentText(), QStringLiteral("Construtora Alicerce S/A"));
    QCOMPARE(b.lista("cboTipoDocto")->currentIndex(), 1);
    QCOMPARE(b.lista("cboTipoData")->currentIndex(), 1);
    QCOMPARE(b.lista("cboOrdem")->currentIndex(), 4);
    QCOMPARE(b.lista("cboMostrar")->currentIndex(), 3);
    QCOMPARE(b.lista("cboUsuarios")->currentIndex(), 0);
    // a kind of date restored opens the dates
    QVERIFY(b.controle(QStringLiteral("dtpDtInicio"))->isEnabled());
    QVERIFY(b.controle(QStringLiteral("dtpDtFim"))->isEnabled());
    // nothing is asked before the first filter run
    QVERIFY(b.consultas().isEmpty());
}

void TstFrmConsulta::configuracaoInvalidaNaoParaACarga_data()
{
    QTest::addColumn<QString>("chave");
    QTest::addColumn<QString>("valor");

    QTest::newRow("largura que nao e numero") << QStringLiteral("WI") << QStringLiteral("larga");
    QTest::newRow("altura que nao e numero") << QStringLiteral("HE") << QStringLiteral("7.000,5x");
    QTest::newRow("cliente alem da lista") << QStringLiteral("Em") << QStringLiteral("9");
    QTest::newRow("tipo que nao e numero") << QStringLiteral("Tp") << QStringLiteral("Pagamentos");
    QTest::newRow("coluna que nao e numero") << QStringLiteral("c_3") << QStringLiteral("larga");
}

void TstFrmConsulta::configuracaoInvalidaNaoParaACarga()
{
    QFETCH(QString, chave);
    QFETCH(QString, valor);

    FrmConsultaBancada b;
    b.home.ui.aceitaAvisos(true);
    b.grava(QStringLiteral("HE"), QStringLiteral("8000"));
    b.grava(QStringLiteral("Sh"), QStringLiteral("2"));
    b.grava(QStringLiteral("c_2"), QStringLiteral("3600"));
    b.grava(chave, valor);
    b.abre();

    // reported, and the rest of the set-up still takes place
    QVERIFY(b.relatado(QStringLiteral("Form_Load")));
    QCOMPARE(b.home.ui.caixas.size(), 1);
    QCOMPARE(b.lista("cboMostrar")->currentIndex(), 2);
    QCOMPARE(b.janela->LarguraColuna(2), 3600);
    if (chave != QLatin1String("HE"))
        QCOMPARE(b.janela->TamanhoTwips().height(), 8000);
    QCOMPARE(b.lista("cboClientes")->currentIndex(), 0);
    QCOMPARE(b.lista("cboTipoDocto")->currentIndex(), 0);
}

void TstFrmConsulta::tamanhoLimitado_data()
{
    QTest::addColumn<QSize>("guardado");
    QTest::addColumn<QSize>("arrastado");   // empty: not resized after the load
    QTest::addColumn<QSize>("esperado");

    QTest::newRow("dentro dos limites") << QSize(12000, 7000) << QSize() << QSize(12000, 7000);
    QTest::newRow("largo e alto demais") << QSize(20000, 9500) << QSize() << QSize(15000, 9000);
    QTest::newRow("estreito e baixo demais") << QSize(5000, 3000) << QSize() << QSize(9350, 5000);
    QTest::newRow("arrastada a 20000 de largura") << QSize(12000, 7000) << QSize(20000, 7000) << QSize(15000, 7000);
    QTest::newRow("arrastada a 4000 de altura") << QSize(12000, 7000) << QSize(12000, 4000) << QSize(12000, 5000);
}

void TstFrmConsulta::tamanhoLimitado()
{
    QFETCH(QSize, guardado);
    QFETCH(QSize, arrastado);
    QFETCH(QSize, esperado);

    FrmConsultaBancada b;
    b.grava(QStringLiteral("WI"), QString::number(guardado.width()));
    b.grava(QStringLiteral("HE"), QString::number(guardado.height()));
    b.abre();
    if (arrastado.isValid())
        b.arrasta(arrastado);
    QCOMPARE(b.janela->TamanhoTwips(), esperado);
    QCOMPARE(b.janela->size(), QSize(tw(esperado.width()), tw(esperado.height())));

    // the grid follows the window; the note stays under it
    const QTableView *grade = b.grade();
    QCOMPARE(grade->width(), tw(b.janela->width() * 15 + 100));
    QCOMPARE(grade->y() + grade->height(), tw(b.janela->height() * 15 - 850));
    QCOMPARE(b.controle(QStringLiteral("iblInform"))->y(), tw(b.janela->height() * 15 - 800));
}

void TstFrmConsulta::pedidoDoFiltro_data()
{
    QTest::addColumn<int>("cliente");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("data");
    QTest::addColumn<int>("inicio");   // day of March 2011, kSemDia: none
    QTest::addColumn<int>("fim");
    QTest::addColumn<int>("usuario");
    QTest::addColumn<int>("ordem");
    QTest::addColumn<int>("mostrar");
    QTest::addColumn<QString>("pedido");

    QTest::newRow("tudo na primeira entrada") << 0 << 0 << 0 << 5 << 9 << 0 << 0 << 0 << QStringLiteral("s=77&l=5&t=0&o=0");
    QTest::newRow("cliente e quem enviou") << 2 << 0 << 0 << 5 << 9 << 2 << 0 << 0
                                           << QStringLiteral("s=77&l=5&e=31&t=0&u=8&o=0");
    QTest::newRow("datas sem tipo de data nao vao") << 0 << 2 << 0 << 1 << 9 << 0 << 0 << 0
                                                    << QStringLiteral("s=77&l=5&t=2&o=0");
    QTest::newRow("publicacao desde um dia") << 0 << 3 << 1 << 5 << kSemDia << 0 << 0 << 0
                                             << QStringLiteral("s=77&l=5&t=3&d=t&i=20110305&o=0");
    QTest::newRow("publicacao entre dois dias") << 0 << 0 << 1 << 1 << 9 << 0 << 4 << 0
                                                << QStringLiteral("s=77&l=5&t=0&d=t&i=20110301&f=20110309&o=4");
    QTest::newRow("pagamentos vencendo ate um dia") << 0 << 1 << 2 << kSemDia << 20 << 0 << 3 << 0
                                                    << QStringLiteral("s=77&l=5&t=1&d=v&f=20110320&o=3");
    QTest::newRow("tipo de data sem nenhum dia") << 0 << 1 << 1 << kSemDia << kSemDia << 0 << 0 << 0
                                                 << QStringLiteral("s=77&l=5&t=1&o=0");
    QTest::newRow("apagados por usuario") << 3 << 4 << 0 << 5 << 9 << 1 << 5 << 4
                                          << QStringLiteral("s=77&l=5&e=32&t=4&u=7&o=5&m=4");
}

void TstFrmConsulta::pedidoDoFiltro()
{
    QFETCH(int, cliente);
    QFETCH(int, tipo);
    QFETCH(int, data);
    QFETCH(int, inicio);
    QFETCH(int, fim);
    QFETCH(int, usuario);
    QFETCH(int, ordem);
    QFETCH(int, mostrar);
    QFETCH(QString, pedido);

    FrmConsultaBancada b;
    b.abre();
    b.lista("cboClientes")->setCurrentIndex(cliente);
    b.lista("cboTipoDocto")->setCurrentIndex(tipo);
    b.lista("cboTipoData")->setCurrentIndex(data);
    const auto dia = [](int d) { return d == kSemDia ? std::optional<QDate>() : QDate(2011, 3, d); };
    b.controle<SeletorData>(QStringLiteral("dtpDtInicio"))->defineValor(dia(inicio));
    b.controle<SeletorData>(QStringLiteral("dtpDtFim"))->defineValor(dia(fim));
    b.lista("cboUsuarios")->setCurrentIndex(usuario);
    b.lista("cboOrdem")->setCurrentIndex(ordem);
    b.lista("cboMostrar")->setCurrentIndex(mostrar);
    b.home.ui.aceitaAvisos(true);   // the empty reply's message

    QTest::mouseClick(b.controle<QToolButton>(QStringLiteral("cmdFiltrar")), Qt::LeftButton);
    QCOMPARE(b.consultas(), QStringList{pedido});
    QVERIFY(!b.home.ui.ocupado());
}

void TstFrmConsulta::vencimentoSoComPagamentos()
{
    FrmConsultaBancada b;
    b.abre();
    b.lista("cboTipoDocto")->setCurrentIndex(3);
    b.lista("cboTipoData")->setCurrentIndex(2);
    b.home.ui.aceitaAvisos(true);
    b.controle<QToolButton>(QStringLiteral("cmdFiltrar"))->click();

    QCOMPARE(b.home.ui.caixas.size(), 1);
    const plataforma::Caixa &caixa = b.home.ui.caixas.first().caixa;
    QCOMPARE(caixa.texto, QStringLiteral("O Filtro por Vencimento só pode ser escolhido \r\nquando o Tipo de arquivo for Pagamento!"));
    QCOMPARE(caixa.icone, Icone::Exclamacao);
    QCOMPARE(caixa.titulo, QStringLiteral("Vorlin Printer"));
    QVERIFY(b.consultas().isEmpty());
    QVERIFY(!b.home.ui.ocupado());
}

void TstFrmConsulta::colunasDePagamentos_data()
{
    QTest::addColumn<QString>("c6");   // stored values; "-": never stored
    QTest::addColumn<QString>("c7");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("largura6");
    QTest::addColumn<int>("largura7");

    QTest::newRow("relatorios escondem as duas") << QStringLiteral("2600") << QStringLiteral("1500") << 2 << 0 << 0;
    QTest::newRow("todos escondem as duas") << QStringLiteral("-") << QStringLiteral("-") << 0 << 0 << 0;
    QTest::newRow("pagamentos sem larguras guardadas") << QStringLiteral("-") << QStringLiteral("-") << 1 << 1300 << 2000;
    QTest::newRow("pagamentos com larguras vazias") << QString() << QString() << 1 << 1300 << 2000;
    QTest::newRow("pagamentos com zero guardado") << QStringLiteral("0") << QStringLiteral("0") << 1 << 1300 << 0;
    QTest::newRow("pagamentos com larguras guardadas") << QStringLiteral("2600") << QStringLiteral("1500") << 1 << 2600
                                                       << 1500;
}

void TstFrmConsulta::colunasDePagamentos()
{
    QFETCH(QString, c6);
    QFETCH(QString, c7);
    QFETCH(int, tipo);
    QFETCH(int, largura6);
    QFETCH(int, largura7);

    FrmConsultaBancada b;
    if (c6 != QLatin1String("-"))
        b.grava(QStringLiteral("c_6"), c6);
    if (c7 != QLatin1String("-"))
        b.grava(QStringLiteral("c_7"), c7);
    b.abre();
    b.home.ui.aceitaAvisos(true);
    auto *filtrar = b.controle<QToolButton>(QStringLiteral("cmdFiltrar"));
    // first another type, so that payments have to bring the columns back
    b.lista("cboTipoDocto")->setCurrentIndex(tipo == 2 ? 1 : 2);
    filtrar->click();
    b.lista("cboTipoDocto")->setCurrentIndex(tipo);
    filtrar->click();
    QCOMPARE(b.janela->LarguraColuna(6), largura6);
    QCOMPARE(b.janela->LarguraColuna(7), largura7);
    QVERIFY(!b.relatado(QStringLiteral("tbFiltrar_ButtonClick")));
}

void TstFrmConsulta::celulas_data()
{
    QTest::addColumn<int>("linha");
    QTest::addColumn<int>("coluna");
    QTest::addColumn<QString>("texto");

    QTest::newRow("cliente") << 0 << 0 << QStringLiteral("Açougue Boi Gordo Ltda");
    QTest::newRow("todos os clientes") << 1 << 0 << QStringLiteral("Todos");
    QTest::newRow("tipo") << 1 << 1 << QStringLiteral("R");
    QTest::newRow("descricao") << 0 << 2 << QStringLiteral("DAS - Simples Nacional");
    QTest::newRow("publicacao") << 0 << 3 << QStringLiteral("05/03/2011 10:15:00");
    QTest::newRow("publicacao a meia-noite") << 1 << 3 << QStringLiteral("07/03/2011");
    QTest::newRow("sem ativacao mostra a publicacao") << 0 << 4 << QStringLiteral("05/03/2011 10:15:00");
    QTest::newRow("ativacao") << 1 << 4 << QStringLiteral("10/03/2011");
    QTest::newRow("sem expiracao") << 0 << 5 << QStringLiteral("-*-");
    QTest::newRow("expiracao") << 1 << 5 << QStringLiteral("10/04/2011 18:00:00");
    QTest::newRow("vencimento") << 0 << 6 << QStringLiteral("20/03/2011");
    QTest::newRow("sem vencimento") << 1 << 6 << QStringLiteral("-*-");
    QTest::newRow("valor") << 0 << 7 << QStringLiteral("R$\u00a01.234,56");
    QTest::newRow("valor que nao e numero") << 1 << 7 << QStringLiteral("R$\u00a00,00");
    QTest::newRow("usuario") << 0 << 8 << QStringLiteral("Maria Aparecida Souza");
    QTest::newRow("arquivo") << 0 << 9 << QStringLiteral("das.pdf");
    QTest::newRow("2560 bytes") << 0 << 10 << QStringLiteral("2,5Kbs");
    QTest::newRow("2048 bytes") << 1 << 10 << QStringLiteral("2Kbs");
    QTest::newRow("extensao") << 0 << 11 << QStringLiteral("PDF");
    QTest::newRow("status") << 1 << 12 << QStringLiteral("Apagado");
    QTest::newRow("nao lida") << 0 << 13 << QStringLiteral("-*-");
    QTest::newRow("lida") << 1 << 13 << QStringLiteral("08/03/2011 09:00:00");
    QTest::newRow("nao apagado") << 0 << 14 << QStringLiteral("-*-");
    QTest::newRow("apagado") << 1 << 14 << QStringLiteral("09/03/2011 08:00:00");
    QTest::newRow("sem backup") << 0 << 15 << QStringLiteral("-*-");
    QTest::newRow("id") << 1 << 16 << QStringLiteral("42");
    QTest::newRow("sem copia local") << 0 << 17 << QStringLiteral("Não");
    QTest::newRow("copia local") << 1 << 17 << QStringLiteral("Sim");
}

void TstFrmConsulta::celulas()
{
    QFETCH(int, linha);
    QFETCH(int, coluna);
    QFETCH(QString, texto);

    FrmConsultaBancada b;
    RegistroPortal pagamento;
    pagamento.vencimento = QStringLiteral("20/03/2011");
    pagamento.valor = QStringLiteral("1234,56");
    RegistroPortal relatorio;
    relatorio.cliente = QString();
    relatorio.tipo = QStringLiteral("R");
    relatorio.id = QStringLiteral("42");
    relatorio.tamanho = QStringLiteral("2048");
    relatorio.status = QStringLiteral("Apagado");
    relatorio.publicacao = QStringLiteral("07/03/2011 00:00:00");
    relatorio.ativacao = QStringLiteral("10/03/2011");
    relatorio.expiracao = QStringLiteral("10/04/2011 18:00:00");
    relatorio.lida = QStringLiteral("08/03/2011 09:00:00");
    relatorio.apagado = QStringLiteral("09/03/2011 08:00:00");
    relatorio.valor = QStringLiteral("mil");
    b.historico = respostaHistorico({pagamento, relatorio});
    b.criaCopia(QStringLiteral("42"), "copia");
    b.abre();
    b.controle<QToolButton>(QStringLiteral("cmdFiltrar"))->click();
    QVERIFY(b.home.ui.caixas.isEmpty());
    QCOMPARE(b.linhas(), 2);
    QCOMPARE(b.controle<QLabel>(QStringLiteral("iblRetorno"))->text(), QStringLiteral("2"));
    // 4608 bytes
    QCOMPARE(b.controle<QLabel>(QStringLiteral("iblSumSize"))->text(), QStringLiteral("4,5"));

    QCOMPARE(b.celula(linha, coluna), texto);
    // the record keeps what the grid shows, where the retrieval reads it
    QCOMPARE(b.janela->Registros().at(linha).at(consulta::Colunas().at(coluna).campo), texto);
}

// The grid of a fixed reply, cell for cell, with the alignments of the cells and the headers: the
// texts the grid showed before it moved to a model behind it.
void TstFrmConsulta::gradeComoAntes()
{
    const QList<QStringList> esperadas{
        {QStringLiteral("Açougue Boi Gordo Ltda"), QStringLiteral("P"), QStringLiteral("DAS - Simples Nacional"),
         QStringLiteral("05/03/2011 10:15:00"), QStringLiteral("05/03/2011 10:15:00"), QStringLiteral("-*-"),
         QStringLiteral("20/03/2011"), QStringLiteral("R$\u00a01.234,56"), QStringLiteral("Maria Aparecida Souza"),
         QStringLiteral("das.pdf"), QStringLiteral("2,5Kbs"), QStringLiteral("PDF"), QStringLiteral("Ativo"),
         QStringLiteral("-*-"), QStringLiteral("-*-"), QStringLiteral("-*-"), QStringLiteral("41"),
         QStringLiteral("Não")},
        {QStringLiteral("Todos"), QStringLiteral("R"), QStringLiteral("DAS - Simples Nacional"),
         QStringLiteral("07/03/2011"), QStringLiteral("10/03/2011"), QStringLiteral("10/04/2011 18:00:00"),
         QStringLiteral("-*-"), QStringLiteral("R$\u00a00,00"), QStringLiteral("Maria Aparecida Souza"),
         QStringLiteral("das.pdf"), QStringLiteral("2Kbs"), QStringLiteral("PDF"), QStringLiteral("Apagado"),
         QStringLiteral("08/03/2011 09:00:00"), QStringLiteral("09/03/2011 08:00:00"),
         QStringLiteral("09/03/2011 07:05:00"), QStringLiteral("42"), QStringLiteral("Não")},
        {QStringLiteral("Construtora Alicerce S/A"), QStringLiteral("D"),
         QStringLiteral("Relatório anual — ação nº 7"), QStringLiteral("31/12/2010 23:59:59"),
         QStringLiteral("29/02/2012 12:00:00"), QStringLiteral("-*-"), QStringLiteral("01/01/2012"),
         QStringLiteral("R$\u00a0-15,50"), QStringLiteral("João Pedro Lima"), QStringLiteral("relatório final.xls"),
         QStringLiteral("1073741824Kbs"), QStringLiteral("XLS"), QStringLiteral("Ativo"), QStringLiteral("-*-"),
         QStringLiteral("-*-"), QStringLiteral("-*-"), QStringLiteral("43"), QStringLiteral("Sim")},
        {QStringLiteral("Açougue Boi Gordo Ltda"), QStringLiteral("P"), QStringLiteral("DAS - Simples Nacional"),
         QStringLiteral("01/02/2011 08:05:09"), QStringLiteral("01/02/2011 08:05:09"), QStringLiteral("-*-"),
         QStringLiteral("-*-"), QStringLiteral("R$\u00a01.000.000,00"), QStringLiteral("Maria Aparecida Souza"),
         QStringLiteral("das.pdf"), QStringLiteral("0Kbs"), QStringLiteral("PDF"), QStringLiteral("Ativo"),
         QStringLiteral("-*-"), QStringLiteral("-*-"), QStringLiteral("-*-"), QStringLiteral("44"),
         QStringLiteral("Não")},
        {QStringLiteral("Padaria Pão Quente"), QStringLiteral("P"), QStringLiteral("DAS - Simples Nacional"),
         QStringLiteral("05/03/2011 10:15:00"), QStringLiteral("05/03/2011 10:15:00"), QStringLiteral("-*-"),
         QStringLiteral("-*-"), QStringLiteral("R$\u00a00,01"), QStringLiteral("Maria Aparecida Souza"),
         QStringLiteral("das.pdf"), QStringLiteral("1Kbs"), QStringLiteral("PDF"), QStringLiteral("Ativo"),
         QStringLiteral("-*-"), QStringLiteral("-*-"), QStringLiteral("-*-"), QStringLiteral("45"),
         QStringLiteral("Não")},
        {QStringLiteral("Açougue Boi Gordo Ltda"), QStringLiteral("P"), QStringLiteral(""),
         QStringLiteral("05/03/2011 10:15:00"), QStringLiteral("05/03/2011 10:15:00"), QStringLiteral("-*-"),
         QStringLiteral("-*-"), QStringLiteral("R$\u00a00,00"), QStringLiteral("Maria Aparecida Souza"),
         QStringLiteral("das.pdf"), QStringLiteral("0Kbs"), QStringLiteral("PDF"), QStringLiteral("Ativo"),
         QStringLiteral("-*-"), QStringLiteral("-*-"), QStringLiteral("-*-"), QStringLiteral("46"),
         QStringLiteral("Não")},
    };
    constexpr int E = Qt::AlignLeft | Qt::AlignVCenter;
    constexpr int C = Qt::AlignCenter;
    constexpr int D = Qt::AlignRight | Qt::AlignVCenter;
    const QList<int> alinhamentos{E, C, E, C, C, C, C, D, E, E, D, C, E, C, C, C, E, E};
    const QList<int> alinhamentosCabecalho{C, C, C, C, C, C, C, E, E, C, E, C, E, C, C, C, E, E};

    FrmConsultaBancada b;
    b.historico = respostaHistorico(registrosVariados());
    b.criaCopia(QStringLiteral("43"), "copia");
    b.abre();
    b.controle<QToolButton>(QStringLiteral("cmdFiltrar"))->click();
    QVERIFY(b.home.ui.caixas.isEmpty());

    const QAbstractItemModel *modelo = b.grade()->model();
    QCOMPARE(modelo->rowCount(), esperadas.size());
    QCOMPARE(modelo->columnCount(), 18);
    for (int coluna = 0; coluna < 18; ++coluna) {
        QCOMPARE(modelo->headerData(coluna, Qt::Horizontal).toString(), consulta::Colunas().at(coluna).titulo);
        QCOMPARE(modelo->headerData(coluna, Qt::Horizontal, Qt::TextAlignmentRole).toInt(), alinhamentosCabecalho.at(coluna));
    }
    for (int linha = 0; linha < esperadas.size(); ++linha) {
        QStringList textos;
        for (int coluna = 0; coluna < 18; ++coluna) {
            const QModelIndex celula = modelo->index(linha, coluna);
            textos << celula.data().toString();
            QCOMPARE(celula.data(Qt::TextAlignmentRole).toInt(), alinhamentos.at(coluna));
        }
        QCOMPARE(textos, esperadas.at(linha));
    }
}

// A date that is no date: its cells stay empty, the rest of the row is shown, and the fault is
// reported once the grid has shown the row (never from inside its painting).
void TstFrmConsulta::celulaInvalida()
{
    FrmConsultaBancada b;
    RegistroPortal estranho;
    estranho.publicacao = QStringLiteral("ontem");
    b.historico = respostaHistorico({estranho, RegistroPortal()});
    b.home.ui.aceitaAvisos(true);
    b.abre();
    b.controle<QToolButton>(QStringLiteral("cmdFiltrar"))->click();

    QCOMPARE(b.celula(0, 3), QString());
    QCOMPARE(b.celula(0, 4), QString());
    QCOMPARE(b.celula(0, 2), QStringLiteral("DAS - Simples Nacional"));
    QCOMPARE(b.celula(1, 3), QStringLiteral("05/03/2011 10:15:00"));
    QTRY_VERIFY(b.relatado(QStringLiteral("CarregaConsulta")));
    // one report per cell, however often the grid asks
    QCoreApplication::processEvents();
    b.celula(0, 3);
    QCoreApplication::processEvents();
    QCOMPARE(b.home.ui.caixas.size(), 2);
}

void TstFrmConsulta::mensagensDaConsulta_data()
{
    QTest::addColumn<QByteArray>("resposta");
    QTest::addColumn<QString>("mensagem");

    QTest::newRow("portal recusa") << plataforma::paraAnsi(QStringLiteral("0\r\nSessão expirada")) << QStringLiteral("Sessão expirada\r\nHouveram erros  durante a pesquisa!");
    QTest::newRow("portal fora do ar") << QByteArray() << QStringLiteral("\r\nHouveram erros  durante a pesquisa!");
    QTest::newRow("nenhum arquivo") << respostaHistorico({}) << QStringLiteral("Não existem Arquivos para esta consulta!");
    QTest::newRow("resposta truncada") << QByteArray("Vorlin Printer\r\n41>@%P") << QStringLiteral("Houveram erros indefinidos durante a pesquisa!");
}

void TstFrmConsulta::mensagensDaConsulta()
{
    QFETCH(QByteArray, resposta);
    QFETCH(QString, mensagem);

    FrmConsultaBancada b;
    b.historico = respostaHistorico({RegistroPortal()});
    b.abre();
    auto *filtrar = b.controle<QToolButton>(QStringLiteral("cmdFiltrar"));
    filtrar->click();
    QCOMPARE(b.linhas(), 1);
    QCOMPARE(b.celula(0, 16), QStringLiteral("41"));

    b.historico = resposta;
    b.home.ui.aceitaAvisos(true);
    filtrar->click();
    QCOMPARE(b.home.ui.caixas.size(), 1);
    const plataforma::Caixa &caixa = b.home.ui.caixas.first().caixa;
    QCOMPARE(caixa.texto, mensagem);
    QCOMPARE(caixa.icone, Icone::Exclamacao);
    QCOMPARE(caixa.titulo, QStringLiteral("Vorlin Printer"));
    // only the empty row is left
    QCOMPARE(b.linhas(), 1);
    QCOMPARE(b.celula(0, 16), QString());
    QCOMPARE(b.controle<QLabel>(QStringLiteral("iblRetorno"))->text(), QStringLiteral("0"));
    QVERIFY(!b.home.ui.ocupado());
}

void TstFrmConsulta::gravaAoFecharEVoltaIgual()
{
    FrmConsultaBancada b;
    b.abre();
    b.lista("cboClientes")->setCurrentIndex(3);
    b.lista("cboTipoDocto")->setCurrentIndex(2);
    b.lista("cboTipoData")->setCurrentIndex(1);
    b.lista("cboOrdem")->setCurrentIndex(5);
    b.lista("cboMostrar")->setCurrentIndex(4);
    b.arrasta(QSize(11000, 8000));
    // the user widens "Descrição"
    b.grade()->horizontalHeader()->resizeSection(2, 250);
    b.fecha();

    QCOMPARE(b.consulta(QStringLiteral("c_0")), QStringLiteral("2500"));
    QCOMPARE(b.consulta(QStringLiteral("c_2")), QStringLiteral("3750"));
    QCOMPARE(b.consulta(QStringLiteral("c_6")), QStringLiteral("2300"));
    for (const char *oculta : {"c_12", "c_16", "c_17"}) {
        QVERIFY(b.home.config->existe(QStringLiteral("Consulta"), QString::fromLatin1(oculta)));
        QCOMPARE(b.consulta(QString::fromLatin1(oculta)), QString());
    }
    // a size the user dragged is a number of pixels
    QCOMPARE(b.consulta(QStringLiteral("WI")), QString::number(tw(11000) * 15));
    QCOMPARE(b.consulta(QStringLiteral("HE")), QString::number(tw(8000) * 15));
    QCOMPARE(b.consulta(QStringLiteral("Em")), QStringLiteral("3"));
    QCOMPARE(b.consulta(QStringLiteral("Tp")), QStringLiteral("2"));
    QCOMPARE(b.consulta(QStringLiteral("Dt")), QStringLiteral("1"));
    QCOMPARE(b.consulta(QStringLiteral("Or")), QStringLiteral("5"));
    QCOMPARE(b.consulta(QStringLiteral("Sh")), QStringLiteral("4"));

    b.abre();
    QVERIFY(b.home.ui.caixas.isEmpty());
    QCOMPARE(b.janela->LarguraColuna(2), 3750);
    QCOMPARE(b.janela->LarguraColuna(0), 2500);
    QCOMPARE(b.janela->TamanhoTwips(), QSize(tw(11000) * 15, tw(8000) * 15));
    QCOMPARE(b.lista("cboClientes")->currentIndex(), 3);
    QCOMPARE(b.lista("cboMostrar")->currentIndex(), 4);
    // closed unchanged, stored unchanged
    b.fecha();
    QCOMPARE(b.consulta(QStringLiteral("c_2")), QStringLiteral("3750"));
    QCOMPARE(b.consulta(QStringLiteral("c_0")), QStringLiteral("2500"));
}

void TstFrmConsulta::reiniciaCampos()
{
    FrmConsultaBancada b;
    b.grava(QStringLiteral("c_0"), QStringLiteral("1000"));
    b.grava(QStringLiteral("c_2"), QStringLiteral("4500"));
    b.grava(QStringLiteral("c_16"), QStringLiteral("700"));
    b.abre();
    b.lista("cboTipoDocto")->setCurrentIndex(1);
    b.lista("cboTipoData")->setCurrentIndex(2);
    b.arrasta(QSize(12000, 7500));
    b.home.ui.aceitaAvisos(true);
    b.controle<QToolButton>(QStringLiteral("cmdFiltrar"))->click();

    auto *reinicia = b.controle<QPushButton>(QStringLiteral("cmdResetarCampos"));
    QCOMPARE(reinicia->text(), QStringLiteral("Reinicia &Campos"));
    reinicia->click();
    for (int coluna = 0; coluna < 18; ++coluna) {
        const QString chave = QStringLiteral("c_%1").arg(coluna);
        QVERIFY2(b.home.config->existe(QStringLiteral("Consulta"), chave), qPrintable(chave));
        QVERIFY2(b.consulta(chave).isEmpty(), qPrintable(chave));
    }
    QCOMPARE(larguras(*b.janela), kLargurasPadrao);
    // size and filters stay
    QCOMPARE(b.janela->TamanhoTwips(), QSize(tw(12000) * 15, tw(7500) * 15));
    QCOMPARE(b.lista("cboTipoDocto")->currentIndex(), 1);
    QCOMPARE(b.lista("cboTipoData")->currentIndex(), 2);
    QCOMPARE(b.consulta(QStringLiteral("Tp")), QStringLiteral("1"));
    QVERIFY(!b.relatado(QStringLiteral("cmdResetarCampos_Click")));
}

void TstFrmConsulta::ultimaPublicacao_data()
{
    QTest::addColumn<bool>("publicou");
    QTest::addColumn<QByteArray>("resposta");
    QTest::addColumn<QStringList>("pedidos");
    QTest::addColumn<QStringList>("ids");
    QTest::addColumn<QString>("mensagem");

    RegistroPortal padaria;
    padaria.id = QStringLiteral("51");
    padaria.cliente = QStringLiteral("Padaria Pão Quente");
    RegistroPortal construtora;
    construtora.id = QStringLiteral("52");
    construtora.cliente = QStringLiteral("Construtora Alicerce S/A");
    const QByteArray dois = respostaHistorico({padaria, construtora});

    QTest::newRow("logo depois de publicar") << true << dois << QStringList{QStringLiteral("s=77&l=5&li=51*52")}
                                             << QStringList{QStringLiteral("51"), QStringLiteral("52")} << QString();
    QTest::newRow("sem publicacao nada e pedido") << false << dois << QStringList{} << QStringList{QString()} << QString();
    QTest::newRow("portal recusa")
        << true << plataforma::paraAnsi(QStringLiteral("0\r\nSessão expirada")) << QStringList{QStringLiteral("s=77&l=5&li=51*52")}
        << QStringList{QString()} << QStringLiteral("Sessão expirada\r\nHouveram erros  durante a pesquisa!");
}

void TstFrmConsulta::ultimaPublicacao()
{
    QFETCH(bool, publicou);
    QFETCH(QByteArray, resposta);
    QFETCH(QStringList, pedidos);
    QFETCH(QStringList, ids);
    QFETCH(QString, mensagem);

    FrmConsultaBancada b;
    if (publicou)
        b.amb.publicou(QStringLiteral("51*52"));
    b.historico = resposta;
    // filters stored from an earlier visit play no part
    b.grava(QStringLiteral("Tp"), QStringLiteral("2"));
    b.home.ui.aceitaAvisos(true);
    b.abre();

    QCOMPARE(b.consultas(), pedidos);
    QStringList mostrados;
    for (int linha = 0; linha < b.linhas(); ++linha)
        mostrados << b.celula(linha, 16);
    QCOMPARE(mostrados, ids);
    QCOMPARE(b.home.ui.textos(), mensagem.isEmpty() ? QStringList() : QStringList{mensagem});
    if (ids.size() == 2) {
        QCOMPARE(b.celula(0, 0), QStringLiteral("Padaria Pão Quente"));
        QCOMPARE(b.controle<QLabel>(QStringLiteral("iblRetorno"))->text(), QStringLiteral("2"));
        QCOMPARE(b.controle<QLabel>(QStringLiteral("iblSumSize"))->text(), QStringLiteral("5"));
    }
}

QTEST_MAIN(TstFrmConsulta)
#include "tst_frmconsulta.moc"
