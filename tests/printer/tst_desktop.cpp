// What the package puts on the desktop: entries that desktop-file-validate accepts, "Abrir com"
// for PDFs that never hands over the user's own file, the two menu entries, and icons that show
// the program's picture at every size.
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTest>

namespace {

QString entrada(const QString &nome)
{
    return QStringLiteral(VORLIN_DESKTOP_DIR "/") + nome;
}

QMap<QString, QString> chaves(const QString &caminho)
{
    QMap<QString, QString> mapa;
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly))
        return mapa;
    for (const QString &linha : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        const int igual = linha.indexOf(QLatin1Char('='));
        if (igual > 0)
            mapa.insert(linha.left(igual), linha.mid(igual + 1));
    }
    return mapa;
}

// Share of pixels that are not transparent: a blank or clipped picture has almost none.
double cobertura(const QImage &imagem)
{
    qint64 pintados = 0;
    for (int y = 0; y < imagem.height(); ++y)
        for (int x = 0; x < imagem.width(); ++x)
            pintados += qAlpha(imagem.pixel(x, y)) > 0;
    return double(pintados) / (imagem.width() * imagem.height());
}

} // namespace

class TstDesktop : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entradasValidas_data();
    void entradasValidas();
    void abrirComUsaUmaCopia();
    void entradasDoMenu_data();
    void entradasDoMenu();
    void icones_data();
    void icones();
};

void TstDesktop::entradasValidas_data()
{
    QTest::addColumn<QString>("nome");
    for (const char *nome : {"vorlin-printer.desktop", "vorlin-printer-historico.desktop", "vorlin-printer-fila.desktop",
                             "vorlin-printer-agent.desktop"})
        QTest::newRow(nome) << QString::fromLatin1(nome);
}

void TstDesktop::entradasValidas()
{
    QFETCH(QString, nome);
    const QString validador = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (validador.isEmpty()) {
        if (qgetenv("CI") == "true")
            QFAIL("desktop-file-validate is missing (scripts/install-deps installs desktop-file-utils)");
        QSKIP("desktop-file-validate is missing");
    }
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(validador, {entrada(nome)});
    QVERIFY(p.waitForFinished());
    const QByteArray saida = p.readAll();
    QVERIFY2(p.exitCode() == 0 && saida.isEmpty(), saida.constData());
}

void TstDesktop::abrirComUsaUmaCopia()
{
    // The program deletes the document it was given when no capture took place: "Abrir com"
    // goes through the agent, which hands it a copy.
    const auto e = chaves(entrada(QStringLiteral("vorlin-printer.desktop")));
    QCOMPARE(e.value(QStringLiteral("Name")), QStringLiteral("Vorlin Printer"));
    QVERIFY(e.value(QStringLiteral("MimeType")).split(QLatin1Char(';')).contains(QStringLiteral("application/pdf")));
    QVERIFY(e.value(QStringLiteral("Exec")).endsWith(QStringLiteral("/vorlin-printer-agent --abrir %f")));
    QCOMPARE(e.value(QStringLiteral("NoDisplay")), QStringLiteral("true"));
    QCOMPARE(e.value(QStringLiteral("Icon")), QStringLiteral("vorlin-printer"));
}

void TstDesktop::entradasDoMenu_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("comando");
    QTest::newRow("history") << QStringLiteral("vorlin-printer-historico.desktop")
                             << QStringLiteral("Arquivos publicados — Vorlin Printer")
                             << QStringLiteral("vorlin-printer --historico");
    QTest::newRow("queue") << QStringLiteral("vorlin-printer-fila.desktop")
                           << QStringLiteral("Múltiplos envios — Vorlin Printer") << QStringLiteral("vorlin-printer --fila");
}

void TstDesktop::entradasDoMenu()
{
    QFETCH(QString, nome);
    QFETCH(QString, titulo);
    QFETCH(QString, comando);
    const auto e = chaves(entrada(nome));
    QCOMPARE(e.value(QStringLiteral("Name")), titulo);
    QCOMPARE(e.value(QStringLiteral("Exec")), comando);
    QVERIFY(!e.contains(QStringLiteral("NoDisplay")));
    QCOMPARE(e.value(QStringLiteral("Icon")), QStringLiteral("vorlin-printer"));
}

void TstDesktop::icones_data()
{
    QTest::addColumn<QString>("arquivo");
    QTest::addColumn<int>("lado");
    QTest::newRow("48") << QStringLiteral("vorlin-printer-48.png") << 48;
    QTest::newRow("256") << QStringLiteral("vorlin-printer-256.png") << 256;
    QTest::newRow("svg") << QStringLiteral("vorlin-printer.svg") << 256;
}

void TstDesktop::icones()
{
    QFETCH(QString, arquivo);
    QFETCH(int, lado);
    const QString caminho = QStringLiteral(VORLIN_DESKTOP_DIR "/icons/") + arquivo;
    QImage imagem;
    if (arquivo.endsWith(QStringLiteral(".svg"))) {
        QSvgRenderer svg(caminho);
        QVERIFY(svg.isValid());
        imagem = QImage(lado, lado, QImage::Format_ARGB32);
        imagem.fill(Qt::transparent);
        QPainter p(&imagem);
        svg.render(&p);
    } else {
        QVERIFY(imagem.load(caminho));
    }
    QCOMPARE(imagem.size(), QSize(lado, lado));
    const double parte = cobertura(imagem);
    QVERIFY2(parte > 0.4 && parte < 0.95, qPrintable(QString::number(parte)));
}

QTEST_MAIN(TstDesktop)
#include "tst_desktop.moc"
