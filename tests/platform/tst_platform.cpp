// Platform adapters: the Windows-1252 codec, the settings store shared by running copies, the
// file service's copy rules.
#include "TestHome.h"
#include "platform/Ansi.h"
#include "platform/SettingsStore.h"
#include "platform/WidgetUi.h"

#include <QFile>
#include <sys/stat.h>
#include <QTest>

using namespace plataforma;

class TstPlatform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ansiIdaEVolta_data();
    void ansiIdaEVolta();
    void ansiTodosOsBytes();
    void configCompartilhadaEntreCopias();
    void configValorVazioNaoEPadrao();
    void configArquivoComLixo();
    void copiaRespeitaSobrescrever();
    void cedeVezPorTempo();
    void mesmoValorNaoReescreve();
};

void TstPlatform::ansiIdaEVolta_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("ascii") << QStringLiteral("Vorlin Printer") << QByteArrayLiteral("Vorlin Printer");
    QTest::newRow("acentos") << QStringLiteral("Não ção é") << QByteArrayLiteral("N\xe3o \xe7\xe3o \xe9");
    QTest::newRow("euro e aspas") << QStringLiteral("€ “x” –") << QByteArrayLiteral("\x80 \x93x\x94 \x96");
}

void TstPlatform::ansiIdaEVolta()
{
    QFETCH(QString, texto);
    QFETCH(QByteArray, bytes);
    QCOMPARE(paraAnsi(texto), bytes);
    QCOMPARE(deAnsi(bytes), texto);
}

void TstPlatform::ansiTodosOsBytes()
{
    QByteArray todos;
    for (int i = 0; i < 256; ++i)
        todos.append(static_cast<char>(i));
    const QString texto = deAnsi(todos);
    QCOMPARE(texto.size(), 256);
    QCOMPARE(paraAnsi(texto), todos);
    QCOMPARE(paraAnsi(QStringLiteral("日")), QByteArrayLiteral("?"));
}

void TstPlatform::configCompartilhadaEntreCopias()
{
    TestHome home;
    const QString ini = home.raiz() + QStringLiteral("/shared.ini");
    auto a = SettingsStore::emArquivo(ini);
    auto b = SettingsStore::emArquivo(ini);
    QCOMPARE(b->le(QStringLiteral("Autenticacao"), QStringLiteral("Sessao"), QStringLiteral("0")), QStringLiteral("0"));
    a->grava(QStringLiteral("Autenticacao"), QStringLiteral("Sessao"), QStringLiteral("123"));
    QCOMPARE(b->le(QStringLiteral("Autenticacao"), QStringLiteral("Sessao"), QStringLiteral("0")), QStringLiteral("123"));
}

void TstPlatform::configValorVazioNaoEPadrao()
{
    TestHome home;
    home.config->grava(QStringLiteral("Autenticacao"), QStringLiteral("Sessao"), QString());
    QVERIFY(home.config->existe(QStringLiteral("Autenticacao"), QStringLiteral("Sessao")));
    QCOMPARE(home.config->le(QStringLiteral("Autenticacao"), QStringLiteral("Sessao"), QStringLiteral("0")), QString());
}

void TstPlatform::configArquivoComLixo()
{
    TestHome home;
    const QString ini = home.criaArquivo(QStringLiteral("lixo.ini"), QByteArrayLiteral("\x00\xff[[[=\n\x01garbage\n[Config\nCloseNow"));
    auto store = SettingsStore::emArquivo(ini);
    QCOMPARE(store->le(QStringLiteral("Config"), QStringLiteral("CloseNow"), QStringLiteral("0")), QStringLiteral("0"));
    store->grava(QStringLiteral("Config"), QStringLiteral("PubAj"), QStringLiteral("1"));
    QCOMPARE(store->le(QStringLiteral("Config"), QStringLiteral("PubAj")), QStringLiteral("1"));
}

void TstPlatform::copiaRespeitaSobrescrever()
{
    TestHome home;
    FileService fso;
    const QString origem = home.criaArquivo(QStringLiteral("a.pdf"), "novo");
    const QString destino = home.criaArquivo(QStringLiteral("b.pdf"), "antigo");
    QVERIFY(!fso.copiaArquivo(origem, destino, false));
    QCOMPARE(fso.leBytes(destino), QByteArrayLiteral("antigo"));
    QVERIFY(fso.copiaArquivo(origem, destino, true));
    QCOMPARE(fso.leBytes(destino), QByteArrayLiteral("novo"));
    QVERIFY(!fso.copiaArquivo(home.raiz() + QStringLiteral("/nada.pdf"), destino, true));
    QVERIFY(!fso.copiaArquivo(origem, home.raiz() + QStringLiteral("/sem/pasta/x.pdf"), true));
}

// The event loop turns when a frame (16 ms) has passed since its last turn, however often it is
// asked; an explicit yield or a wait counts as a turn.
void TstPlatform::cedeVezPorTempo()
{
    qint64 agora = 1000;
    plataforma::WidgetUi ui([&agora] { return agora; });
    int rodou = 0;
    const auto posta = [&] { QMetaObject::invokeMethod(qApp, [&rodou] { ++rodou; }, Qt::QueuedConnection); };

    posta();
    ui.cedeVez();
    agora += 15;
    ui.cedeVez();
    QCOMPARE(rodou, 0);
    agora += 1;
    ui.cedeVez();
    QCOMPARE(rodou, 1);

    posta();
    agora += 10;
    ui.processaEventos();
    QCOMPARE(rodou, 2);
    posta();
    agora += 10;
    ui.cedeVez();
    QCOMPARE(rodou, 2);
    agora += 6;
    ui.cedeVez();
    QCOMPARE(rodou, 3);
}

// Writing the text a key already holds leaves the file as it is (a write locks and flushes it);
// another text replaces it.
void TstPlatform::mesmoValorNaoReescreve()
{
    TestHome home;
    const QString arquivo = home.config->caminhoArquivo();
    home.config->grava(QStringLiteral("Config"), QStringLiteral("Versao"), QStringLiteral("1.0.4"));
    const auto inode = [&arquivo] {
        struct stat s {};
        return ::stat(QFile::encodeName(arquivo).constData(), &s) == 0 ? qint64(s.st_ino) : qint64(-1);
    };
    const qint64 antes = inode();
    QVERIFY(antes >= 0);
    home.config->grava(QStringLiteral("Config"), QStringLiteral("Versao"), QStringLiteral("1.0.4"));
    QCOMPARE(inode(), antes);
    home.config->grava(QStringLiteral("Config"), QStringLiteral("Versao"), QStringLiteral("1.0.5"));
    QVERIFY(inode() != antes);
    QCOMPARE(home.config->le(QStringLiteral("Config"), QStringLiteral("Versao")), QStringLiteral("1.0.5"));
    // an empty text is still written where the key was missing
    home.config->grava(QStringLiteral("Config"), QStringLiteral("Vazia"), QString());
    QVERIFY(home.config->existe(QStringLiteral("Config"), QStringLiteral("Vazia")));
}

QTEST_GUILESS_MAIN(TstPlatform)
#include "tst_platform.moc"
