// The history query against scripted replies: the filter rules as the request shows them, the
// last-publication mode, the reply read into the table, the count and the size sum, and every
// message of a failed query.
#include "TestHome.h"
#include "history/classConsultar.h"
#include "platform/ErrorCodes.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <cmath>
#include <limits>

namespace {

const QString kBase = QStringLiteral("http://portal.test/");
const QString kPrefixo = QStringLiteral("http://portal.test//printer/consulta_b.asp?s=77&l=5");
const QString kHouveramErros = QStringLiteral("Houveram erros  durante a pesquisa!");
const QString kIndefinidos = QStringLiteral("Houveram erros indefinidos durante a pesquisa!");
const QString kSemArquivos = QStringLiteral("Não existem Arquivos para esta consulta!");

// One record of 17 fields as the portal sends them; the size goes in field 5.
QByteArray registro(const QByteArray &id, const QByteArray &tamanho, int campos = 17)
{
    QList<QByteArray> f{"Padaria P\xE3o Quente", "R", id, "Balancete", "balancete.pdf", tamanho, "PDF", "Ativo",
                        "09/03/2011 10:00:00", "", "", "Maria", "", "", "", "0,00", ""};
    while (f.size() < campos)
        f << "extra";
    f = f.mid(0, campos);
    return f.join(">@%");
}

QByteArray corpoResposta(const QList<QByteArray> &registros, const QByteArray &contagem)
{
    return "Vorlin Printer\r\n" + registros.join("<!#") + "\r\n" + contagem;
}

struct Bancada {
    Bancada() : servicos(home.servicos()), consultar(servicos)
    {
        consultar.GetPar(kBase, 77, 5, QStringLiteral("Vorlin Printer"), QStringLiteral("41*42"), home.pastaPrograma());
    }
    void responde(const QByteArray &corpo)
    {
        home.http.resposta = [corpo](const QByteArray &) { return corpo; };
    }
    TestHome home;
    plataforma::Servicos servicos;
    classConsultar consultar;
};

} // namespace

class TstConsultar : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void endereco_data();
    void endereco();
    void ultimaPublicacaoIgnoraFiltros();
    void usuario_data();
    void usuario();
    void resposta_data();
    void resposta();
    void tabelaDosRegistros();
    void consultaQueFalhaNaoDeixaTabelaAntiga();
    void janelaPintaDuranteAConsulta();
    void validar_data();
    void validar();
};

void TstConsultar::endereco_data()
{
    QTest::addColumn<int>("empresa");
    QTest::addColumn<int>("tipoDoc");
    QTest::addColumn<QList<int>>("tiposData");   // set in this order, after the type
    QTest::addColumn<QDate>("inicio");           // invalid: not set
    QTest::addColumn<QDate>("fim");
    QTest::addColumn<int>("tipoDocDepois");      // -1: not set again
    QTest::addColumn<double>("usuario");
    QTest::addColumn<QList<int>>("ordens");
    QTest::addColumn<int>("mostrar");
    QTest::addColumn<QString>("consulta");       // what follows "s=77&l=5"

    const QDate d5mar(2024, 3, 5);
    const QDate d20abr(2024, 4, 20);
    const QList<int> nada;
    QTest::newRow("tudo na primeira opcao") << 0 << 0 << nada << QDate() << QDate() << -1 << 0.0 << nada << 0
                                            << QStringLiteral("&t=0&o=0");
    QTest::newRow("cliente e usuario") << 12 << 0 << nada << QDate() << QDate() << -1 << 3.0 << nada << 0
                                       << QStringLiteral("&e=12&t=0&u=3&o=0");
    QTest::newRow("identificadores negativos") << -4 << 0 << nada << QDate() << QDate() << -1 << -2.0 << nada << 0
                                               << QStringLiteral("&t=0&o=0");
    QTest::newRow("publicacao so com inicio") << 0 << 0 << QList<int>{1} << d5mar << QDate() << -1 << 0.0 << nada << 0
                                              << QStringLiteral("&t=0&d=t&i=20240305&o=0");
    QTest::newRow("publicacao so com fim") << 0 << 3 << QList<int>{1} << QDate() << d20abr << -1 << 0.0 << nada << 0
                                           << QStringLiteral("&t=3&d=t&f=20240420&o=0");
    QTest::newRow("vencimento em pagamentos") << 0 << 1 << QList<int>{2} << d5mar << d20abr << -1 << 0.0 << nada << 0
                                              << QStringLiteral("&t=1&d=v&i=20240305&f=20240420&o=0");
    QTest::newRow("vencimento fora de pagamentos") << 0 << 2 << QList<int>{2} << d5mar << d20abr << -1 << 0.0 << nada
                                                   << 0 << QStringLiteral("&t=2&o=0");
    QTest::newRow("vencimento recusado mantem publicacao")
        << 0 << 2 << QList<int>{1, 2} << d5mar << QDate() << -1 << 0.0 << nada << 0
        << QStringLiteral("&t=2&d=t&i=20240305&o=0");
    QTest::newRow("datas sem tipo de data") << 0 << 0 << nada << d5mar << d20abr << -1 << 0.0 << nada << 0
                                            << QStringLiteral("&t=0&o=0");
    QTest::newRow("tipo de documento volta tipo de data a zero")
        << 0 << 1 << QList<int>{2} << d5mar << d20abr << 1 << 0.0 << nada << 0 << QStringLiteral("&t=1&o=0");
    QTest::newRow("ordem e mostrar validos") << 0 << 4 << nada << QDate() << QDate() << -1 << 0.0 << QList<int>{5}
                                             << 4 << QStringLiteral("&t=4&o=5&m=4");
    QTest::newRow("ordem fora da faixa fica a anterior")
        << 0 << 0 << nada << QDate() << QDate() << -1 << 0.0 << QList<int>{3, 9} << 0 << QStringLiteral("&t=0&o=3");
    QTest::newRow("ordem negativa fica a anterior")
        << 0 << 0 << nada << QDate() << QDate() << -1 << 0.0 << QList<int>{2, -1} << 0 << QStringLiteral("&t=0&o=2");
    QTest::newRow("mostrar fora da faixa vira zero") << 0 << 0 << nada << QDate() << QDate() << -1 << 0.0 << nada << 7
                                                     << QStringLiteral("&t=0&o=0");
    QTest::newRow("todos os filtros") << 7 << 1 << QList<int>{1} << d5mar << d20abr << -1 << 9.0 << QList<int>{1} << 2
                                      << QStringLiteral("&e=7&t=1&d=t&i=20240305&f=20240420&u=9&o=1&m=2");
}

void TstConsultar::endereco()
{
    QFETCH(int, empresa);
    QFETCH(int, tipoDoc);
    QFETCH(QList<int>, tiposData);
    QFETCH(QDate, inicio);
    QFETCH(QDate, fim);
    QFETCH(int, tipoDocDepois);
    QFETCH(double, usuario);
    QFETCH(QList<int>, ordens);
    QFETCH(int, mostrar);
    QFETCH(QString, consulta);

    Bancada b;
    b.responde(corpoResposta({registro("1", "10")}, "1"));
    classConsultar &c = b.consultar;
    c.setEmpresa(empresa);
    c.setTipoDoc(static_cast<qint16>(tipoDoc));
    for (const int t : tiposData)
        c.setTipoData(static_cast<qint16>(t));
    if (inicio.isValid())
        c.setDataInicial(inicio);
    if (fim.isValid())
        c.setDataFinal(fim);
    if (tipoDocDepois >= 0)
        c.setTipoDoc(static_cast<qint16>(tipoDocDepois));
    c.setUsuario(usuario);
    for (const int o : ordens)
        c.setOrdenar(static_cast<qint16>(o));
    c.setMostrar(static_cast<qint16>(mostrar));

    qint16 retorno = -1;
    qint64 soma = -1;
    QVERIFY(c.Filtrar(retorno, soma, false));
    QCOMPARE(b.home.http.urls, QList<QByteArray>{(kPrefixo + consulta).toLatin1()});
}

void TstConsultar::ultimaPublicacaoIgnoraFiltros()
{
    Bancada b;
    b.responde(corpoResposta({registro("41", "1000"), registro("42", "1000")}, "2"));
    b.consultar.setEmpresa(12);
    b.consultar.setTipoDoc(1);
    b.consultar.setMostrar(3);
    qint16 retorno = 0;
    qint64 soma = 0;
    QVERIFY(b.consultar.Filtrar(retorno, soma, true));
    QCOMPARE(b.home.http.urls, QList<QByteArray>{(kPrefixo + QStringLiteral("&li=41*42")).toLatin1()});
    QCOMPARE(retorno, qint16(2));
}

void TstConsultar::usuario_data()
{
    QTest::addColumn<double>("valor");
    QTest::addColumn<bool>("aceito");
    QTest::addColumn<int>("esperado");   // the value kept (8 before: a refused value keeps it)
    QTest::newRow("inteiro") << 12.0 << true << 12;
    QTest::newRow("metade para o par abaixo") << 2.5 << true << 2;
    QTest::newRow("metade para o par acima") << 3.5 << true << 4;
    QTest::newRow("fracao") << 6.7 << true << 7;
    QTest::newRow("maior inteiro de 32 bits") << 2147483647.0 << true << 2147483647;
    QTest::newRow("acima de 32 bits") << 2147483648.0 << false << 8;
    QTest::newRow("nao numero") << std::nan("") << false << 8;
}

void TstConsultar::usuario()
{
    QFETCH(double, valor);
    QFETCH(bool, aceito);
    QFETCH(int, esperado);
    Bancada b;
    b.consultar.setUsuario(8);
    if (aceito)
        b.consultar.setUsuario(valor);
    else
        QVERIFY_THROWS_EXCEPTION(plataforma::ErroPrograma, b.consultar.setUsuario(valor));
    QCOMPARE(b.consultar.Usuario(), esperado);
}

void TstConsultar::resposta_data()
{
    QTest::addColumn<QByteArray>("corpo");
    QTest::addColumn<QString>("erro");
    QTest::addColumn<int>("retorno");
    QTest::addColumn<qint64>("soma");

    const QByteArray r1 = registro("101", "1000");
    const QByteArray r2 = registro("102", "2048");
    QTest::newRow("dois registros") << corpoResposta({r1, r2}, "2") << QString() << 2 << qint64(3048);
    QTest::newRow("campos a mais") << corpoResposta({registro("101", "1000", 19)}, "1") << QString() << 1 << qint64(1000);
    QTest::newRow("soma acima de 32 bits") << corpoResposta({registro("1", "3000000000"), registro("2", "3000000000")}, "2")
                                           << QString() << 2 << qint64(6000000000);
    QTest::newRow("nenhum registro") << QByteArray("Vorlin Printer\r\n\r\n0") << kSemArquivos << 0 << qint64(0);
    QTest::newRow("recusa do portal") << QByteArray("1\r\nSess\xE3o expirada!") << QStringLiteral("Sessão expirada!\r\n") + kHouveramErros
                                      << 0 << qint64(0);
    QTest::newRow("portal fora do ar") << QByteArray() << QStringLiteral("\r\n") + kHouveramErros << 0 << qint64(0);
    QTest::newRow("pagina de erro") << QByteArray("<html><body>500</body></html>") << QStringLiteral("\r\n") + kHouveramErros
                                    << 0 << qint64(0);
    QTest::newRow("marcador em outra caixa") << QByteArray("VORLIN PRINTER\r\nlinha um\r\n1")
                                             << QStringLiteral("linha um\r\n") + kHouveramErros << 0 << qint64(0);
    QTest::newRow("sem linha de contagem") << QByteArray("Vorlin Printer\r\n") + r1 << kIndefinidos << 0 << qint64(0);
    QTest::newRow("contagem nao numerica") << corpoResposta({r1}, "um") << kIndefinidos << 0 << qint64(0);
    QTest::newRow("contagem acima de 16 bits") << corpoResposta({r1}, "40000") << kIndefinidos << 0 << qint64(0);
    QTest::newRow("contagem negativa") << corpoResposta({r1}, "-1") << kIndefinidos << 0 << qint64(0);
    QTest::newRow("registro truncado") << corpoResposta({r1, registro("102", "2048", 9)}, "2") << kIndefinidos << 2
                                       << qint64(1000);
    QTest::newRow("tamanho nao numerico") << corpoResposta({r1, registro("102", "2 KB")}, "2") << kIndefinidos << 2
                                          << qint64(1000);
    QTest::newRow("tamanho vazio") << corpoResposta({registro("101", "")}, "1") << kIndefinidos << 1 << qint64(0);
    QTest::newRow("mais registros que a contagem") << corpoResposta({r1, r2, registro("103", "5")}, "2") << kIndefinidos
                                                   << 2 << qint64(3048);
    QTest::newRow("menos registros que a contagem") << corpoResposta({r1, r2}, "3") << kIndefinidos << 3 << qint64(3048);
    QTest::newRow("contagem sem registros") << corpoResposta({}, "2") << kIndefinidos << 2 << qint64(0);
    QTest::newRow("soma estoura 64 bits")
        << corpoResposta({registro("1", "9223372036854775807"), registro("2", "1")}, "2") << kIndefinidos << 2
        << std::numeric_limits<qint64>::max();
}

void TstConsultar::resposta()
{
    QFETCH(QByteArray, corpo);
    QFETCH(QString, erro);
    QFETCH(int, retorno);
    QFETCH(qint64, soma);

    Bancada b;
    b.responde(corpo);
    qint16 vRetorno = -1;
    qint64 vSumSize = -1;
    QCOMPARE(b.consultar.Filtrar(vRetorno, vSumSize, false), erro.isEmpty());
    QCOMPARE(b.consultar.Erro(), erro);
    QCOMPARE(vRetorno, qint16(retorno));
    QCOMPARE(vSumSize, soma);
    if (erro.isEmpty()) {
        QCOMPARE(b.consultar.Consulta().size(), retorno + 1);
        for (const QStringList &linha : b.consultar.Consulta())
            QCOMPARE(linha.size(), classConsultar::kCampos);
    } else {
        QVERIFY(b.consultar.Consulta().isEmpty());
    }
    QString e;
    QCOMPARE(b.consultar.Catch(e), !erro.isEmpty());
    QCOMPARE(e, erro);
}

void TstConsultar::tabelaDosRegistros()
{
    Bancada b;
    const QString pasta = b.home.pastaPrograma();
    QVERIFY(QDir().mkpath(pasta + QStringLiteral("Back")));
    QVERIFY(QFile(pasta + QStringLiteral("Back/101")).open(QIODevice::WriteOnly));
    // a file that an identifier leaving "Back" would find
    QVERIFY(QFile(pasta + QStringLiteral("103")).open(QIODevice::WriteOnly));
    b.responde(corpoResposta({registro("101", "1000"), registro("102", "2048"), registro("../103", "1")}, "3"));

    qint16 retorno = 0;
    qint64 soma = 0;
    QVERIFY(b.consultar.Filtrar(retorno, soma, false));
    const TabelaConsulta &t = b.consultar.Consulta();
    QCOMPARE(t.size(), 4);
    const QStringList esperado{QStringLiteral("Padaria Pão Quente"), QStringLiteral("R"), QStringLiteral("101"),
                               QStringLiteral("Balancete"), QStringLiteral("balancete.pdf"), QStringLiteral("1000"),
                               QStringLiteral("PDF"), QStringLiteral("Ativo"), QStringLiteral("09/03/2011 10:00:00"),
                               QString(), QString(), QStringLiteral("Maria"), QString(), QString(), QString(),
                               QStringLiteral("0,00"), QString(), QStringLiteral("Sim")};
    QCOMPARE(t.at(0), esperado);
    QCOMPARE(t.at(1).at(classConsultar::kCampoId), QStringLiteral("102"));
    QCOMPARE(t.at(1).at(classConsultar::kCampoLocal), QStringLiteral("Não"));
    QCOMPARE(t.at(2).at(classConsultar::kCampoLocal), QStringLiteral("Não"));
    QCOMPARE(t.at(3), QStringList(classConsultar::kCampos, QString()));
}

void TstConsultar::consultaQueFalhaNaoDeixaTabelaAntiga()
{
    Bancada b;
    qint16 retorno = 0;
    qint64 soma = 0;
    b.responde(corpoResposta({registro("101", "1000")}, "1"));
    QVERIFY(b.consultar.Filtrar(retorno, soma, false));
    QCOMPARE(b.consultar.Consulta().size(), 2);
    b.responde("Vorlin Printer\r\n\r\n0");
    QVERIFY(!b.consultar.Filtrar(retorno, soma, false));
    QVERIFY(b.consultar.Consulta().isEmpty());
    // and a good query clears the message of the failed one
    b.responde(corpoResposta({registro("101", "1000")}, "1"));
    QVERIFY(b.consultar.Filtrar(retorno, soma, false));
    QVERIFY(b.consultar.Erro().isEmpty());
}

// While the portal answers and while the records are read the window gets its turns, painting and
// timers only: no click can start another command in the middle of the query.
void TstConsultar::janelaPintaDuranteAConsulta()
{
    Bancada b;
    b.responde(corpoResposta({registro("101", "1000"), registro("102", "2048"), registro("103", "5")}, "3"));
    qint16 retorno = 0;
    qint64 soma = 0;
    QVERIFY(b.consultar.Filtrar(retorno, soma, false));
    QVERIFY(b.home.ui.vezesSemEntrada >= 1 + 3);
    QCOMPARE(b.home.ui.vezesPedidas, b.home.ui.vezesSemEntrada);

    // the HTTP client is left without turns for the next caller
    const qint64 antes = b.home.ui.vezesPedidas;
    b.home.http.get("http://portal.test/outro");
    QCOMPARE(b.home.ui.vezesPedidas, antes);
}

void TstConsultar::validar_data()
{
    QTest::addColumn<int>("empresa");
    QTest::addColumn<int>("tipoDoc");
    QTest::addColumn<bool>("validado");
    QTest::addColumn<QString>("erro");
    QTest::newRow("sem cliente") << 0 << 1 << false << QStringLiteral("É necessário escolher um cliente!");
    QTest::newRow("tipo diversos") << 4 << 3 << false << QStringLiteral("O Campo de Tipo deve ser preenchido!");
    QTest::newRow("cliente e tipo") << 4 << 1 << true << QString();
}

void TstConsultar::validar()
{
    QFETCH(int, empresa);
    QFETCH(int, tipoDoc);
    QFETCH(bool, validado);
    QFETCH(QString, erro);
    Bancada b;
    b.consultar.setEmpresa(empresa);
    b.consultar.setTipoDoc(static_cast<qint16>(tipoDoc));
    b.consultar.Validar();
    QCOMPARE(b.consultar.Validado(), validado);
    QCOMPARE(b.consultar.Erro(), erro);
}

QTEST_GUILESS_MAIN(TstConsultar)
#include "tst_consultar.moc"
