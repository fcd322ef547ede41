// The history window against the real local portal: the demo office's directory in the lists,
// its nine publications under the window's filters, a deleted file that cannot be viewed, and,
// right after a publication, the window opening on its records and a double-click that downloads
// the file byte for byte and hands a copy to the shell.
#include "EscritorioLogado.h"
#include "tst_frmconsulta_bancada.h"
#include "platform/CurlHttp.h"
#include "portal/Resposta.h"

#include <QDir>
#include <QHeaderView>
#include <QTest>

using plataforma::Resposta;

namespace {

// The demo office logged in, with its history window.
struct Escritorio : EscritorioLogado<AmbientePublicado> {
    using EscritorioLogado::EscritorioLogado;

    void abre()
    {
        amb.Consulta_Iniciar();
        janela = std::make_unique<frmConsulta>(amb, funcs);
        janela->show();
    }
    void filtra(int tipo, int mostrar, const QString &cliente = QString())
    {
        auto *clientes = janela->findChild<QComboBox *>(QStringLiteral("cboClientes"));
        clientes->setCurrentIndex(cliente.isEmpty() ? 0 : clientes->findText(cliente));
        janela->findChild<QComboBox *>(QStringLiteral("cboTipoDocto"))->setCurrentIndex(tipo);
        janela->findChild<QComboBox *>(QStringLiteral("cboMostrar"))->setCurrentIndex(mostrar);
        janela->findChild<QToolButton *>(QStringLiteral("cmdFiltrar"))->click();
    }
    QTableView *grade() const { return janela->findChild<QTableView *>(QStringLiteral("grdConsulta")); }
    QStringList coluna(int c) const
    {
        QStringList saida;
        for (int linha = 0; linha < grade()->model()->rowCount(); ++linha)
            saida << grade()->model()->index(linha, c).data().toString();
        return saida;
    }
    void duploClique(int linha) const
    {
        const QRect celula = grade()->visualRect(grade()->model()->index(linha, 2));
        QTest::mouseClick(grade()->viewport(), Qt::LeftButton, {}, celula.center());
        QTest::mouseDClick(grade()->viewport(), Qt::LeftButton, {}, celula.center());
    }
    ModFuncs funcs{servicos};
    std::unique_ptr<frmConsulta> janela;
};

const QString kDas = QStringLiteral("DAS - Simples Nacional");
const QString kIss = QStringLiteral("ISS do mês");
const QString kBalancete = QStringLiteral("Balancete mensal");
const QString kBalanco = QStringLiteral("Balanço patrimonial");
const QString kHolerites = QStringLiteral("Holerites da competência");
const QString kContrato = QStringLiteral("Contrato social consolidado");

} // namespace

class TstFrmConsultaPortal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void listasDoDiretorio();
    void filtros_data();
    void filtros();
    void apagadoSemCopiaNaoAbre();
    void logoAposPublicarBaixaEAbre();

private:
    std::unique_ptr<PortalLocal> m_portal;
    std::unique_ptr<Escritorio> m_escritorio;
};

void TstFrmConsultaPortal::initTestCase()
{
    m_portal = std::make_unique<PortalLocal>();
    QVERIFY2(m_portal->ativo(), qPrintable(m_portal->falha()));
    m_escritorio = std::make_unique<Escritorio>(*m_portal);
    QVERIFY(m_escritorio->logado);
    m_escritorio->abre();
}

void TstFrmConsultaPortal::cleanupTestCase()
{
    if (m_escritorio)
        QVERIFY2(m_escritorio->home.ui.inesperadas.isEmpty(), qPrintable(m_escritorio->home.ui.inesperadas.join(u'\n')));
    m_escritorio.reset();
    m_portal.reset();
}

void TstFrmConsultaPortal::listasDoDiretorio()
{
    Escritorio &e = *m_escritorio;
    QVERIFY(e.home.ui.caixas.isEmpty());
    auto *clientes = e.janela->findChild<QComboBox *>(QStringLiteral("cboClientes"));
    QCOMPARE(clientes->count(), 13);
    QCOMPARE(clientes->itemText(0), QStringLiteral("Todos"));
    QVERIFY(clientes->findText(QStringLiteral("Padaria Pão Quente")) > 0);
    QCOMPARE(e.janela->IdsClientes().size(), 13);
    auto *usuarios = e.janela->findChild<QComboBox *>(QStringLiteral("cboUsuarios"));
    QVERIFY(usuarios->findText(QStringLiteral("João Pedro Lima")) > 0);
    QCOMPARE(e.janela->IdsUsuarios().size(), usuarios->count());
    // nothing published in this run: nothing asked before a filter
    QVERIFY(e.grade()->model()->index(0, 16).data().toString().isEmpty());
}

void TstFrmConsultaPortal::filtros_data()
{
    QTest::addColumn<QString>("cliente");
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("mostrar");
    QTest::addColumn<QStringList>("descricoes");
    QTest::addColumn<bool>("colunasDePagamento");

    QTest::newRow("pagamentos") << QString() << 1 << 0 << QStringList{kDas, kIss} << true;
    QTest::newRow("relatorios") << QString() << 2 << 0 << QStringList{kBalancete, kBalanco} << false;
    QTest::newRow("um cliente") << QStringLiteral("Construtora Alicerce S/A") << 0 << 0
                                << QStringList{kBalancete, kHolerites} << false;
    QTest::newRow("apagados") << QString() << 0 << 4 << QStringList{kContrato} << false;
}

void TstFrmConsultaPortal::filtros()
{
    QFETCH(QString, cliente);
    QFETCH(int, tipo);
    QFETCH(int, mostrar);
    QFETCH(QStringList, descricoes);
    QFETCH(bool, colunasDePagamento);

    Escritorio &e = *m_escritorio;
    e.filtra(tipo, mostrar, cliente);
    QVERIFY2(e.home.ui.caixas.isEmpty(), qPrintable(e.home.ui.textos().join(u'\n')));
    QCOMPARE(e.coluna(2), descricoes);
    QCOMPARE(e.janela->findChild<QLabel *>(QStringLiteral("iblRetorno"))->text(), QString::number(descricoes.size()));
    QCOMPARE(e.janela->LarguraColuna(6) > 0, colunasDePagamento);
    QCOMPARE(e.janela->LarguraColuna(7) > 0, colunasDePagamento);
    for (const QString &apagado : e.coluna(14))
        QCOMPARE(apagado != QStringLiteral("-*-"), mostrar == 4);
}

void TstFrmConsultaPortal::apagadoSemCopiaNaoAbre()
{
    Escritorio &e = *m_escritorio;
    e.filtra(0, 4);
    QCOMPARE(e.coluna(2), QStringList{kContrato});
    e.home.ui.aceitaAvisos(true);
    const qsizetype pedidos = e.home.http.urls.size();
    e.duploClique(0);
    e.home.ui.aceitaAvisos(false);
    QCOMPARE(e.home.ui.textos(),
             QStringList{QStringLiteral("Não é possível visualizar um arquivo já apagado que não tenha \r\n"
                                        "sido criado ou baixado para este computador!")});
    QCOMPARE(e.home.http.urls.size(), pedidos);
    QVERIFY(e.home.ui.documentosAbertos.isEmpty());
    e.home.ui.caixas.clear();
}

void TstFrmConsultaPortal::logoAposPublicarBaixaEAbre()
{
    // a portal of its own, so the demo's nine publications stay nine for the filters above
    PortalLocal portal;
    QVERIFY2(portal.ativo(), qPrintable(portal.falha()));
    Escritorio e(portal);
    QVERIFY(e.logado);

    // the file the office published: every byte value, line ends of both kinds
    QByteArray corpo("%PDF-1.4\r\n");
    for (int i = 0; i < 3000; ++i)
        corpo += static_cast<char>((i * 11 + i / 256) & 0xFF);
    corpo += QByteArrayLiteral("\r\n\x00\x81\x8d\x8f\x90\x9d\r");
    const QString ftp = portal.raiz() + QStringLiteral("/ftp/")
        + QStringLiteral("%1").arg(e.amb.lngID_Contador, 4, 10, QLatin1Char('0'));
    QVERIFY(QDir().mkpath(ftp));
    QFile enviado(ftp + QStringLiteral("/guia.pdf"));
    QVERIFY(enviado.open(QIODevice::WriteOnly));
    enviado.write(corpo);
    enviado.close();

    const QString sessao = QStringLiteral("s=%1&l=%2").arg(e.amb.lngSessao).arg(e.amb.lngLogin_ID);
    const portal::Partes pastas = portal::Partes::secoes(e.pede(
        QStringLiteral("printer/carregapastas.asp?e=%1&Pasta=0&Nivel=1&Admin=1&").arg(e.amb.lngID_Contador) + sessao));
    QString diversos;
    for (const QString &registro : portal::Partes::registros(pastas.valor(1)).lista()) {
        const portal::Partes campos = portal::Partes::campos(registro);
        if (campos.valor(1) == QStringLiteral("DIVERSOS"))
            diversos = campos.valor(0);
    }
    QVERIFY(!diversos.isEmpty());
    bool atualiza = false;
    QVERIFY(e.amb.Sincroniza(atualiza, true));
    QString padaria, bazar;
    for (const auto &linha : e.amb.Clientes(0)) {
        if (linha.nome == QStringLiteral("Padaria Pão Quente"))
            padaria = linha.id;
        if (linha.nome == QStringLiteral("Bazar Três Irmãos"))
            bazar = linha.id;
    }
    const QString registro = e.pede(
        QStringLiteral("/printer/publica_b_novo.asp?l=%1&s=%2&e=%3*%4&t=D&d=Guia do teste&f=guia.pdf&idPasta=%5|0|0|0|0|&Email=N")
            .arg(e.amb.lngLogin_ID).arg(e.amb.lngSessao).arg(padaria, bazar, diversos));
    QVERIFY2(registro.startsWith(QStringLiteral("Vorlin Printer\r\n")), qPrintable(registro));
    e.amb.publicou(portal::Partes::linhas(registro).valor(1));
    const QStringList ids = e.amb.LastIds.split(u'*');
    QCOMPARE(ids.size(), 2);

    // the window opens on the two records, no filter run
    e.abre();
    QVERIFY2(e.home.ui.caixas.isEmpty(), qPrintable(e.home.ui.textos().join(u'\n')));
    QCOMPARE(e.coluna(16), ids);
    QCOMPARE(e.coluna(0), (QStringList{QStringLiteral("Padaria Pão Quente"), QStringLiteral("Bazar Três Irmãos")}));
    QCOMPARE(e.coluna(17), (QStringList{QStringLiteral("Não"), QStringLiteral("Não")}));

    e.home.ui.responde(Resposta::Sim).responde(Resposta::Sim);
    e.duploClique(1);
    QCOMPARE(e.home.ui.textos(), (QStringList{QStringLiteral("Deseja Baixar uma cópia do arquivo?"),
                                              QStringLiteral("Deseja visualizar o arquivo guia.pdf?")}));
    QCOMPARE(conteudoDe(e.amb.PathUser() + QStringLiteral("Back/") + ids.at(1)), corpo);
    const QString vista = e.amb.PathUser() + QStringLiteral("temp/guia.pdf");
    QCOMPARE(e.home.ui.documentosAbertos, QStringList{vista});
    QCOMPARE(conteudoDe(vista), corpo);
    QCOMPARE(e.coluna(17), (QStringList{QStringLiteral("Não"), QStringLiteral("Sim")}));
    QVERIFY(e.home.ui.inesperadas.isEmpty());
    e.janela.reset();
    e.amb.Consulta_Finalizar();
}

QTEST_MAIN(TstFrmConsultaPortal)
#include "tst_frmconsulta_portal.moc"
