// The environment object's side of the history against scripted replies: the query object handed
// the session values while it exists, and BArquivo: the request, the copy written byte for byte
// into "Back", and every way it fails.
#include "TestHome.h"
#include "history/CopiaLocal.h"
#include "shell/classAmbiente.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QString kNaoEncontrado = QStringLiteral("Arquivo não encontrador!");

QByteArray todosOsBytes()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    return bytes + QByteArrayLiteral("\r\n\n\r\x00\x80\x81\x8d\x8f\x90\x9d") + QByteArray(3000, char(0xE7));
}

QByteArray conteudo(const QString &caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ausente>");
}

struct Bancada {
    Bancada() : servicos(home.servicos()), amb(servicos)
    {
        home.config->grava(QStringLiteral("Config"), QStringLiteral("URLBase"), QStringLiteral("http://portal.test/"));
        amb.lngSessao = 77;
        amb.lngLogin_ID = 5;
    }
    QString copia(const QString &id) const { return amb.PathUser() + QStringLiteral("Back/") + id; }

    TestHome home;
    plataforma::Servicos servicos;
    classAmbiente amb;
};

} // namespace

class TstRecuperacao : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void consultaSoEntreIniciarEFinalizar();
    void baixaByteAByte();
    void baixaSobrescreveCopiaAntiga();
    void respostaQueNaoEArquivoFicaComoCopia();
    void falhas_data();
    void falhas();
    void identificadorInseguroNemEPedido_data();
    void identificadorInseguroNemEPedido();
};

void TstRecuperacao::consultaSoEntreIniciarEFinalizar()
{
    Bancada b;
    QVERIFY(!b.amb.Consultar);
    b.amb.LastIds = QStringLiteral("41*42");
    b.amb.Consulta_Iniciar();
    QVERIFY(b.amb.Consultar);
    b.amb.Consultar->setMostrar(3);
    // a later publication does not change the instance already created
    b.amb.LastIds = QStringLiteral("99");
    QCOMPARE(b.amb.Consultar->Endereco(true),
             QStringLiteral("http://portal.test//printer/consulta_b.asp?s=77&l=5&li=41*42"));
    QCOMPARE(b.amb.Consultar->Endereco(false),
             QStringLiteral("http://portal.test//printer/consulta_b.asp?s=77&l=5&t=0&o=0&m=3"));

    // a local copy is looked for in the program folder the environment uses
    QVERIFY(QDir().mkpath(b.amb.PathUser() + QStringLiteral("Back")));
    QVERIFY(QFile(b.copia(QStringLiteral("41"))).open(QIODevice::WriteOnly));
    b.home.http.resposta = [](const QByteArray &) {
        QList<QByteArray> f(17, QByteArray("x"));
        f[2] = "41";
        f[5] = "10";
        return "Vorlin Printer\r\n" + f.join(">@%") + "\r\n1";
    };
    qint16 retorno = 0;
    qint64 soma = 0;
    QVERIFY(b.amb.Consultar->Filtrar(retorno, soma, true));
    QCOMPARE(b.amb.Consultar->Consulta().at(0).at(classConsultar::kCampoLocal), QStringLiteral("Sim"));

    b.amb.Consulta_Finalizar();
    QVERIFY(!b.amb.Consultar);
    // every opening starts from fresh filters and the ids of its moment
    b.amb.Consulta_Iniciar();
    QCOMPARE(b.amb.Consultar->Mostrar(), qint16(0));
    QVERIFY(b.amb.Consultar->Endereco(true).endsWith(QStringLiteral("&li=99")));
}

void TstRecuperacao::baixaByteAByte()
{
    Bancada b;
    QVERIFY(b.home.criaPastaPrograma());
    const QByteArray bytes = todosOsBytes();
    b.home.http.resposta = [bytes](const QByteArray &) { return bytes; };
    // no "Back" yet on a machine that never published
    QVERIFY(b.amb.BArquivo(QStringLiteral("123"), QStringLiteral("3,2 Kbs")));
    QCOMPARE(b.home.http.urls, QList<QByteArray>{"http://portal.test/printer/consulta_b.asp?l=5&s=77&ia=123&"});
    QCOMPARE(conteudo(b.copia(QStringLiteral("123"))), bytes);
    QVERIFY(historico::copiaExiste(b.home.fso, b.amb.PathUser(), QStringLiteral("123")));
}

void TstRecuperacao::baixaSobrescreveCopiaAntiga()
{
    Bancada b;
    QVERIFY(QDir().mkpath(b.amb.PathUser() + QStringLiteral("Back")));
    QFile antiga(b.copia(QStringLiteral("7")));
    QVERIFY(antiga.open(QIODevice::WriteOnly));
    antiga.write(QByteArray(5000, 'a'));
    antiga.close();
    b.home.http.resposta = [](const QByteArray &) { return QByteArray("novo"); };
    QVERIFY(b.amb.BArquivo(QStringLiteral("7"), QString()));
    QCOMPARE(conteudo(b.copia(QStringLiteral("7"))), QByteArray("novo"));
}

void TstRecuperacao::respostaQueNaoEArquivoFicaComoCopia()
{
    Bancada b;
    QVERIFY(b.home.criaPastaPrograma());
    const QByteArray pagina("<html><body>Erro 500</body></html>");
    b.home.http.resposta = [pagina](const QByteArray &) { return pagina; };
    QVERIFY(b.amb.BArquivo(QStringLiteral("8"), QString()));
    QCOMPARE(conteudo(b.copia(QStringLiteral("8"))), pagina);
}

void TstRecuperacao::falhas_data()
{
    QTest::addColumn<QByteArray>("corpo");
    QTest::addColumn<QString>("preparo");   // "pasta": program folder only; "sem": none; "dir": Back/9 is a folder
    QTest::addColumn<QString>("erro");
    QTest::newRow("portal nao tem o arquivo") << QByteArray() << QStringLiteral("pasta") << kNaoEncontrado;
    QTest::newRow("sem pasta do programa") << QByteArray("x") << QStringLiteral("sem")
                                           << QStringLiteral("Erro\r\nCaminho não encontrado");
    QTest::newRow("copia nao pode ser gravada") << QByteArray("x") << QStringLiteral("dir")
                                                << QStringLiteral("Erro\r\nPermissão negada");
}

void TstRecuperacao::falhas()
{
    QFETCH(QByteArray, corpo);
    QFETCH(QString, preparo);
    QFETCH(QString, erro);
    Bancada b;
    if (preparo != QStringLiteral("sem"))
        QVERIFY(b.home.criaPastaPrograma());
    if (preparo == QStringLiteral("dir"))
        QVERIFY(QDir().mkpath(b.copia(QStringLiteral("9"))));
    b.home.http.resposta = [corpo](const QByteArray &) { return corpo; };
    QVERIFY(!b.amb.BArquivo(QStringLiteral("9"), QString()));
    QCOMPARE(b.amb.Erro(), erro);
    QVERIFY(!b.home.fso.arquivoExiste(b.copia(QStringLiteral("9"))));
}

void TstRecuperacao::identificadorInseguroNemEPedido_data()
{
    QTest::addColumn<QString>("id");
    QTest::newRow("vazio") << QString();
    QTest::newRow("ponto") << QStringLiteral(".");
    QTest::newRow("pasta acima") << QStringLiteral("..");
    QTest::newRow("sai da pasta") << QStringLiteral("../ERRO.LOG");
    QTest::newRow("barra") << QStringLiteral("a/b");
    QTest::newRow("barra invertida") << QStringLiteral("a\\b");
    QTest::newRow("tabulacao") << QStringLiteral("12\t3");
    QTest::newRow("quebra de linha") << QStringLiteral("12\r\n");
}

void TstRecuperacao::identificadorInseguroNemEPedido()
{
    QFETCH(QString, id);
    Bancada b;
    QVERIFY(b.home.criaPastaPrograma());
    b.home.http.resposta = [](const QByteArray &) { return QByteArray("corpo"); };
    QVERIFY(!b.amb.BArquivo(id, QString()));
    QCOMPARE(b.amb.Erro(), kNaoEncontrado);
    QVERIFY(b.home.http.urls.isEmpty());
    QCOMPARE(QDir(b.amb.PathUser()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

QTEST_GUILESS_MAIN(TstRecuperacao)
#include "tst_recuperacao.moc"
