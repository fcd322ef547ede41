// The office's portal address, set once for every user of the machine by vorlin-printer-setup
// in the system-wide settings file, read through the program's own settings store; a user's own
// file still wins.
#include "platform/SettingsStore.h"
#include "portal/classURL.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TstPortalSistema : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void padraoSemArquivos();
    void sistemaValeParaTodos();
    void usuarioSobrepoe();
    void regravaGuardandoOResto();
    void enderecoInvalidoRecusado_data();
    void enderecoInvalidoRecusado();

private:
    QString arquivoSistema() const { return m_dir.path() + QStringLiteral("/etc/VorlinPrinter/Vorlin Printer.ini"); }
    QString arquivoUsuario() const { return m_dir.path() + QStringLiteral("/home/VorlinPrinter/Vorlin Printer.ini"); }
    int setup(const QStringList &argumentos, QByteArray *saida = nullptr);
    static void grava(const QString &caminho, const QByteArray &conteudo);

    QTemporaryDir m_dir;
};

void TstPortalSistema::initTestCase()
{
    // QSettings resolves its folders once per process: set them before the first store exists.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path() + QStringLiteral("/home")));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(m_dir.path() + QStringLiteral("/etc:/etc/xdg")));
}

void TstPortalSistema::init()
{
    QFile::remove(arquivoSistema());
    QFile::remove(arquivoUsuario());
}

int TstPortalSistema::setup(const QStringList &argumentos, QByteArray *saida)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(QStringLiteral("/bin/sh"), QStringList{QStringLiteral(VORLIN_SETUP)} + argumentos);
    if (!p.waitForFinished(10000))
        return -1;
    if (saida)
        *saida = p.readAll();
    return p.exitCode();
}

void TstPortalSistema::grava(const QString &caminho, const QByteArray &conteudo)
{
    QDir().mkpath(QFileInfo(caminho).absolutePath());
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(conteudo);
}

void TstPortalSistema::padraoSemArquivos()
{
    const plataforma::SettingsStore config(QStringLiteral("Vorlin Printer"));
    QCOMPARE(config.caminhoArquivo(), arquivoUsuario());
    QCOMPARE(portal::URLBase(config), QStringLiteral("http://127.0.0.1:8765/"));
}

void TstPortalSistema::sistemaValeParaTodos()
{
    QByteArray saida;
    QCOMPARE(setup({QStringLiteral("--portal"), QStringLiteral("https://portal.escritorio.example/vorlin")}, &saida), 0);
    QVERIFY2(saida.contains(arquivoSistema().toUtf8()), saida.constData());
    const plataforma::SettingsStore config(QStringLiteral("Vorlin Printer"));
    QCOMPARE(portal::URLBase(config), QStringLiteral("https://portal.escritorio.example/vorlin/"));
    QCOMPARE(portal::URLBaseSite(config), QStringLiteral("https://portal.escritorio.example/vorlin/site/"));
    QVERIFY(!QFile::exists(arquivoUsuario()));
}

void TstPortalSistema::usuarioSobrepoe()
{
    QCOMPARE(setup({QStringLiteral("--portal"), QStringLiteral("https://portal.escritorio.example/"),
                    QStringLiteral("--site"), QStringLiteral("https://www.escritorio.example")}), 0);
    grava(arquivoUsuario(), "[Config]\nURLBase=http://127.0.0.1:9999/\n");
    plataforma::SettingsStore config(QStringLiteral("Vorlin Printer"));
    QCOMPARE(portal::URLBase(config), QStringLiteral("http://127.0.0.1:9999/"));
    QCOMPARE(portal::URLBaseSite(config), QStringLiteral("https://www.escritorio.example/"));
    // what the program writes goes to the user's own file, never to the system's
    config.grava(QStringLiteral("Config"), QStringLiteral("PubAj"), QStringLiteral("1"));
    QFile sistema(arquivoSistema());
    QVERIFY(sistema.open(QIODevice::ReadOnly));
    QVERIFY(!sistema.readAll().contains("PubAj"));
}

void TstPortalSistema::regravaGuardandoOResto()
{
    grava(arquivoSistema(), "[Config]\nURLBase=https://antigo.example/\nCAFile=/etc/ssl/escritorio.pem\n\n[Outra]\nChave=valor\n");
    QCOMPARE(setup({QStringLiteral("--portal"), QStringLiteral("https://novo.example/")}), 0);
    QFile f(arquivoSistema());
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray texto = f.readAll();
    QCOMPARE(texto.count("URLBase="), 1);
    QVERIFY(!texto.contains("antigo"));
    QVERIFY(texto.contains("CAFile=/etc/ssl/escritorio.pem"));
    QVERIFY(texto.contains("[Outra]\nChave=valor"));
    const plataforma::SettingsStore config(QStringLiteral("Vorlin Printer"));
    QCOMPARE(portal::URLBase(config), QStringLiteral("https://novo.example/"));
    QCOMPARE(config.le(QStringLiteral("Outra"), QStringLiteral("Chave")), QStringLiteral("valor"));
}

void TstPortalSistema::enderecoInvalidoRecusado_data()
{
    QTest::addColumn<QStringList>("argumentos");
    QTest::newRow("no scheme") << QStringList{QStringLiteral("--portal"), QStringLiteral("portal.example")};
    QTest::newRow("ftp") << QStringList{QStringLiteral("--portal"), QStringLiteral("ftp://portal.example/")};
    QTest::newRow("no host") << QStringList{QStringLiteral("--portal"), QStringLiteral("https://")};
    QTest::newRow("space") << QStringList{QStringLiteral("--portal"), QStringLiteral("https://a b/")};
    QTest::newRow("comma read as a list") << QStringList{QStringLiteral("--portal"), QStringLiteral("https://a/x,y")};
    QTest::newRow("semicolon") << QStringList{QStringLiteral("--portal"), QStringLiteral("https://a/;x")};
    QTest::newRow("bad site") << QStringList{QStringLiteral("--portal"), QStringLiteral("https://a/"),
                                             QStringLiteral("--site"), QStringLiteral("www.a")};
    QTest::newRow("missing address") << QStringList{QStringLiteral("--portal")};
}

void TstPortalSistema::enderecoInvalidoRecusado()
{
    QFETCH(QStringList, argumentos);
    grava(arquivoSistema(), "[Config]\nURLBase=https://atual.example/\n");
    QByteArray saida;
    QCOMPARE(setup(argumentos, &saida), 1);
    QVERIFY2(saida.contains("vorlin-printer-setup:"), saida.constData());
    const plataforma::SettingsStore config(QStringLiteral("Vorlin Printer"));
    QCOMPARE(portal::URLBase(config), QStringLiteral("https://atual.example/"));
}

QTEST_GUILESS_MAIN(TstPortalSistema)
#include "tst_portal_sistema.moc"
