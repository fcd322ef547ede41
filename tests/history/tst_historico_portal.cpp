// The history query and the file download against the real local portal: the demo office's nine
// publications under every kind of filter, the records of a fresh registration listed by their
// ids, its file downloaded byte for byte, and what the portal cannot or must not be asked for.
#include "EscritorioLogado.h"
#include "history/CopiaLocal.h"
#include "platform/CurlHttp.h"
#include "portal/Resposta.h"
#include "shell/classAmbiente.h"

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <QTest>

namespace {

// Dates of the demo office are days before or after the portal's start.
constexpr int kSemData = 9999;

// The demo office logged in, with the portal's directory synchronised.
struct Escritorio : EscritorioLogado<> {
    explicit Escritorio(PortalLocal &portal) : EscritorioLogado(portal)
    {
        bool atualiza = false;
        logado = logado && amb.Sincroniza(atualiza, true);
    }

    qint32 idDe(const QList<portal::LinhaTabela> &tabela, const QString &nome) const
    {
        for (const auto &linha : tabela)
            if (linha.nome == nome)
                return linha.id.toInt();
        return -1;
    }
    qint32 cliente(const QString &nome) const { return idDe(amb.Clientes(0), nome); }
    qint32 usuario(const QString &nome) const { return idDe(amb.Usuarios(), nome); }
    QString sessao() const
    {
        return QStringLiteral("s=%1&l=%2").arg(amb.lngSessao).arg(amb.lngLogin_ID);
    }
};

QStringList descricoes(const TabelaConsulta &tabela)
{
    QStringList saida;
    for (qsizetype r = 0; r + 1 < tabela.size(); ++r)
        saida << tabela.at(r).at(3);
    return saida;
}

QByteArray conteudo(const QString &caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ausente>");
}

} // namespace

class TstHistoricoPortal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void filtros_data();
    void filtros();
    void camposDeUmRegistro();
    void recusaDoPortal();
    void arquivoApagadoNaoVem();
    void registroRecenteListadoEBaixado();

private:
    std::unique_ptr<PortalLocal> m_portal;
    std::unique_ptr<Escritorio> m_escritorio;
};

void TstHistoricoPortal::initTestCase()
{
    m_portal = std::make_unique<PortalLocal>();
    QVERIFY2(m_portal->ativo(), qPrintable(m_portal->falha()));
    m_escritorio = std::make_unique<Escritorio>(*m_portal);
    QVERIFY(m_escritorio->logado);
    m_escritorio->amb.Consulta_Iniciar();
}

void TstHistoricoPortal::cleanupTestCase()
{
    if (m_escritorio)
        QVERIFY2(m_escritorio->home.ui.inesperadas.isEmpty(), qPrintable(m_escritorio->home.ui.inesperadas.join(u'\n')));
    m_escritorio.reset();
    m_portal.reset();
}

void TstHistoricoPortal::filtros_data()
{
    QTest::addColumn<QString>("cliente");   // empty: all
    QTest::addColumn<int>("tipoDoc");
    QTest::addColumn<int>("tipoData");
    QTest::addColumn<int>("inicio");        // days from today, kSemData: none
    QTest::addColumn<int>("fim");
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<int>("ordem");
    QTest::addColumn<int>("mostrar");
    QTest::addColumn<QStringList>("esperado");

    const QString das = QStringLiteral("DAS - Simples Nacional");
    const QString balancete = QStringLiteral("Balancete mensal");
    const QString holerites = QStringLiteral("Holerites da competência");
    const QString iss = QStringLiteral("ISS do mês");
    const QString contrato = QStringLiteral("Contrato social consolidado");
    const QString ferias = QStringLiteral("Relatório de férias");
    const QString balanco = QStringLiteral("Balanço patrimonial");
    const QString livro = QStringLiteral("Livro caixa 2008");
    const QString declaracao = QStringLiteral("Declaração anual 2007");

    QTest::newRow("todos, mais recente primeiro")
        << QString() << 0 << 0 << kSemData << kSemData << QString() << 0 << 0
        << QStringList{ferias, das, balancete, holerites, iss, contrato, balanco, livro, declaracao};
    QTest::newRow("um cliente") << QStringLiteral("Construtora Alicerce S/A") << 0 << 0 << kSemData << kSemData
                                << QString() << 0 << 0 << QStringList{balancete, holerites};
    QTest::newRow("pagamentos") << QString() << 1 << 0 << kSemData << kSemData << QString() << 0 << 0
                                << QStringList{das, iss};
    QTest::newRow("relatorios") << QString() << 2 << 0 << kSemData << kSemData << QString() << 0 << 0
                                << QStringList{balancete, balanco};
    QTest::newRow("indefinidos") << QString() << 4 << 0 << kSemData << kSemData << QString() << 0 << 0
                                 << QStringList{livro, declaracao};
    QTest::newRow("publicados entre 8 e 4 dias atras") << QString() << 0 << 1 << -8 << -4 << QString() << 0 << 0
                                                       << QStringList{balancete, holerites};
    QTest::newRow("publicados desde 10 dias atras") << QString() << 3 << 1 << -10 << kSemData << QString() << 0 << 0
                                                    << QStringList{ferias, holerites};
    QTest::newRow("vencendo em ate 10 dias") << QString() << 1 << 2 << kSemData << 10 << QString() << 0 << 0
                                             << QStringList{iss};
    QTest::newRow("quem enviou") << QString() << 0 << 0 << kSemData << kSemData << QStringLiteral("João Pedro Lima")
                                 << 0 << 0 << QStringList{balancete, holerites, contrato, balanco};
    QTest::newRow("por vencimento") << QString() << 1 << 0 << kSemData << kSemData << QString() << 3 << 0
                                    << QStringList{iss, das};
    QTest::newRow("por descricao") << QString() << 0 << 0 << kSemData << kSemData << QString() << 4 << 0
                                   << QStringList{balancete, balanco, contrato, das, declaracao, holerites, iss, livro,
                                                  ferias};
    QTest::newRow("visualizados") << QString() << 0 << 0 << kSemData << kSemData << QString() << 0 << 1
                                  << QStringList{das, balancete, contrato, balanco};
    QTest::newRow("apagados") << QString() << 0 << 0 << kSemData << kSemData << QString() << 0 << 4
                              << QStringList{contrato};
    QTest::newRow("ativos de um cliente sem nenhum")
        << QStringLiteral("Transportadora Veloz") << 0 << 0 << kSemData << kSemData << QString() << 0 << 3
        << QStringList{};
}

void TstHistoricoPortal::filtros()
{
    QFETCH(QString, cliente);
    QFETCH(int, tipoDoc);
    QFETCH(int, tipoData);
    QFETCH(int, inicio);
    QFETCH(int, fim);
    QFETCH(QString, usuario);
    QFETCH(int, ordem);
    QFETCH(int, mostrar);
    QFETCH(QStringList, esperado);

    Escritorio &e = *m_escritorio;
    classConsultar &c = *e.amb.Consultar;
    const QDate hoje = QDate::currentDate();
    c.setEmpresa(cliente.isEmpty() ? 0 : e.cliente(cliente));
    c.setTipoDoc(static_cast<qint16>(tipoDoc));
    c.setTipoData(static_cast<qint16>(tipoData));
    if (inicio != kSemData)
        c.setDataInicial(hoje.addDays(inicio));
    if (fim != kSemData)
        c.setDataFinal(hoje.addDays(fim));
    c.setUsuario(usuario.isEmpty() ? 0 : e.usuario(usuario));
    c.setOrdenar(static_cast<qint16>(ordem));
    c.setMostrar(static_cast<qint16>(mostrar));
    QVERIFY(c.Empresa() >= 0 && c.Usuario() >= 0);

    qint16 retorno = -1;
    qint64 soma = -1;
    QCOMPARE(c.Filtrar(retorno, soma, false), !esperado.isEmpty());
    QCOMPARE(descricoes(c.Consulta()), esperado);
    QCOMPARE(retorno, qint16(esperado.size()));
    qint64 tamanhos = 0;
    for (const QStringList &linha : c.Consulta())
        tamanhos += linha.at(classConsultar::kCampoTamanho).toLongLong();
    QCOMPARE(soma, tamanhos);
    if (esperado.isEmpty())
        QCOMPARE(c.Erro(), QStringLiteral("Não existem Arquivos para esta consulta!"));
}

void TstHistoricoPortal::camposDeUmRegistro()
{
    Escritorio &e = *m_escritorio;
    classConsultar &c = *e.amb.Consultar;
    c.setEmpresa(e.cliente(QStringLiteral("Açougue Boi Gordo Ltda")));
    c.setTipoDoc(1);
    c.setUsuario(0);
    c.setOrdenar(0);
    c.setMostrar(0);
    qint16 retorno = 0;
    qint64 soma = 0;
    QVERIFY2(c.Filtrar(retorno, soma, false), qPrintable(c.Erro()));
    QCOMPARE(retorno, qint16(1));
    const QStringList r = c.Consulta().at(0);
    QCOMPARE(r.at(0), QStringLiteral("Açougue Boi Gordo Ltda"));
    QCOMPARE(r.at(1), QStringLiteral("P"));
    QCOMPARE(r.at(4), QStringLiteral("das_competencia.pdf"));
    QCOMPARE(r.at(5).toLongLong(), soma);
    QCOMPARE(r.at(6), QStringLiteral("PDF"));
    QCOMPARE(r.at(7), QStringLiteral("Ativo"));
    QCOMPARE(r.at(11), QStringLiteral("Maria Aparecida Souza"));
    QCOMPARE(r.at(14), QDate::currentDate().addDays(18).toString(QStringLiteral("dd/MM/yyyy")));
    QCOMPARE(r.at(15), QStringLiteral("1234,56"));
    QCOMPARE(r.at(classConsultar::kCampoLocal), QStringLiteral("Não"));
}

void TstHistoricoPortal::recusaDoPortal()
{
    // a query object handed a session the portal does not know
    Escritorio &e = *m_escritorio;
    classConsultar c(e.servicos);
    c.GetPar(e.amb.URLBase(), e.amb.lngSessao + 1000, e.amb.lngLogin_ID, e.amb.Sistema(), QString(), e.amb.PathUser());
    qint16 retorno = -1;
    qint64 soma = -1;
    QVERIFY(!c.Filtrar(retorno, soma, false));
    QVERIFY2(c.Erro().endsWith(QStringLiteral("\r\nHouveram erros  durante a pesquisa!")), qPrintable(c.Erro()));
    QVERIFY(c.Erro().size() > QStringLiteral("\r\nHouveram erros  durante a pesquisa!").size());
    QCOMPARE(retorno, qint16(0));
    QCOMPARE(soma, qint64(0));
}

void TstHistoricoPortal::arquivoApagadoNaoVem()
{
    Escritorio &e = *m_escritorio;
    classConsultar &c = *e.amb.Consultar;
    c.setEmpresa(0);
    c.setTipoDoc(0);
    c.setUsuario(0);
    c.setMostrar(4);
    qint16 retorno = 0;
    qint64 soma = 0;
    QVERIFY(c.Filtrar(retorno, soma, false));
    const QString id = c.Consulta().at(0).at(classConsultar::kCampoId);
    QVERIFY(!e.amb.BArquivo(id, QString()));
    QCOMPARE(e.amb.Erro(), QStringLiteral("Arquivo não encontrador!"));
    QVERIFY(!historico::copiaExiste(e.home.fso, e.amb.PathUser(), id));
}

void TstHistoricoPortal::registroRecenteListadoEBaixado()
{
    // a portal of its own, so the demo's nine publications stay nine for the filters above
    PortalLocal portal;
    QVERIFY2(portal.ativo(), qPrintable(portal.falha()));
    Escritorio e(portal);
    QVERIFY(e.logado);

    // every byte value, line breaks and the codes Windows-1252 leaves undefined
    QByteArray corpo;
    for (int i = 0; i < 4096; ++i)
        corpo += static_cast<char>((i * 7 + i / 256) & 0xFF);
    corpo += QByteArrayLiteral("\r\n\x00\x81\x8d\x8f\x90\x9d\r");
    const QString ftp = portal.raiz() + QStringLiteral("/ftp/") + QStringLiteral("%1").arg(e.amb.lngID_Contador, 4, 10, QLatin1Char('0'));
    QVERIFY(QDir().mkpath(ftp));
    QFile enviado(ftp + QStringLiteral("/binario.pdf"));
    QVERIFY(enviado.open(QIODevice::WriteOnly));
    enviado.write(corpo);
    enviado.close();

    const portal::Partes pastas = portal::Partes::secoes(e.pede(
        QStringLiteral("printer/carregapastas.asp?e=%1&Pasta=0&Nivel=1&Admin=1&").arg(e.amb.lngID_Contador) + e.sessao()));
    QString diversos;
    for (const QString &registro : portal::Partes::registros(pastas.valor(1)).lista()) {
        const portal::Partes campos = portal::Partes::campos(registro);
        if (campos.valor(1) == QStringLiteral("DIVERSOS"))
            diversos = campos.valor(0);
    }
    QVERIFY(!diversos.isEmpty());
    const qint32 padaria = e.cliente(QStringLiteral("Padaria Pão Quente"));
    const qint32 bazar = e.cliente(QStringLiteral("Bazar Três Irmãos"));
    const QString registro = e.pede(QStringLiteral("/printer/publica_b_novo.asp?l=%1&s=%2&e=%3*%4&t=D&d=Envio do teste&f=binario.pdf&idPasta=%5|0|0|0|0|&Email=N")
                                        .arg(e.amb.lngLogin_ID).arg(e.amb.lngSessao).arg(padaria).arg(bazar).arg(diversos));
    QVERIFY2(registro.startsWith(QStringLiteral("Vorlin Printer\r\n")), qPrintable(registro));
    e.amb.LastIds = portal::Partes::linhas(registro).valor(1);
    const QStringList ids = e.amb.LastIds.split(u'*');
    QCOMPARE(ids.size(), 2);

    // the history window opened right after the publication
    e.amb.Consulta_Iniciar();
    classConsultar &c = *e.amb.Consultar;
    c.setTipoDoc(1);   // filters play no part in this mode
    qint16 retorno = 0;
    qint64 soma = 0;
    QVERIFY2(c.Filtrar(retorno, soma, true), qPrintable(c.Erro()));
    QCOMPARE(retorno, qint16(2));
    QCOMPARE(soma, qint64(2 * corpo.size()));
    QCOMPARE(c.Consulta().at(0).at(classConsultar::kCampoId), ids.at(0));
    QCOMPARE(c.Consulta().at(1).at(classConsultar::kCampoId), ids.at(1));
    QCOMPARE(c.Consulta().at(0).at(0), QStringLiteral("Padaria Pão Quente"));
    QCOMPARE(c.Consulta().at(1).at(0), QStringLiteral("Bazar Três Irmãos"));
    QCOMPARE(c.Consulta().at(0).at(classConsultar::kCampoLocal), QStringLiteral("Não"));

    QVERIFY2(e.amb.BArquivo(ids.at(1), c.Consulta().at(1).at(classConsultar::kCampoTamanho)), qPrintable(e.amb.Erro()));
    QCOMPARE(conteudo(historico::caminhoCopia(e.amb.PathUser(), ids.at(1))), corpo);
    QVERIFY(c.Filtrar(retorno, soma, true));
    QCOMPARE(c.Consulta().at(0).at(classConsultar::kCampoLocal), QStringLiteral("Não"));
    QCOMPARE(c.Consulta().at(1).at(classConsultar::kCampoLocal), QStringLiteral("Sim"));

    // an identifier that would leave "Back" is never sent to the portal
    const qsizetype pedidos = e.home.http.urls.size();
    QVERIFY(!e.amb.BArquivo(QStringLiteral("../") + ids.at(0), QString()));
    QCOMPARE(e.amb.Erro(), QStringLiteral("Arquivo não encontrador!"));
    QCOMPARE(e.home.http.urls.size(), pedidos);
    e.amb.Consulta_Finalizar();
    QVERIFY(!e.amb.Consultar);
}

QTEST_GUILESS_MAIN(TstHistoricoPortal)
#include "tst_historico_portal.moc"
