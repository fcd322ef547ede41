// The desktop entries against the local portal: "--historico" opens the history window and
// "--fila" the window "Múltiplos envios", without a document; a stored session is used as at
// start-up, without one the login window asks first (with nothing to save, so no "GERAR PDF"),
// and giving up the login opens nothing. Nothing is captured.
#include "PortalLocal.h"
#include "TestHome.h"
#include "history/frmConsulta.h"
#include "platform/CurlFtp.h"
#include "platform/CurlHttp.h"
#include "portal/frmLogin.h"
#include "shell/ModFuncs.h"
#include "shell/Partida.h"
#include "shell/classAmbiente.h"
#include "transfer/frmMultiplos.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

Q_DECLARE_METATYPE(Partida::Modo)

class TstPartidaPortal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void modo_data();
    void modo();
    void desktop_data();
    void desktop();

private:
    std::unique_ptr<PortalLocal> m_portal;
};

void TstPartidaPortal::initTestCase()
{
    m_portal = std::make_unique<PortalLocal>();
    QVERIFY2(m_portal->ativo(), qPrintable(m_portal->falha()));
}

void TstPartidaPortal::modo_data()
{
    QTest::addColumn<QString>("linha");
    QTest::addColumn<Partida::Modo>("modo");
    QTest::newRow("histórico") << QStringLiteral("--historico") << Partida::Modo::Historico;
    QTest::newRow("fila, com espaços") << QStringLiteral("  --fila ") << Partida::Modo::Fila;
    // the printer's three-character option before a path is still a document
    QTest::newRow("opção da impressora") << QStringLiteral("-x /spool/--fila") << Partida::Modo::Documento;
    QTest::newRow("documento com o nome da opção") << QStringLiteral("/spool/--historico") << Partida::Modo::Documento;
    QTest::newRow("maiúsculas") << QStringLiteral("--Fila") << Partida::Modo::Documento;
    QTest::newRow("vazia") << QString() << Partida::Modo::Documento;
}

void TstPartidaPortal::modo()
{
    QFETCH(QString, linha);
    QFETCH(Partida::Modo, modo);
    QCOMPARE(Partida::modo(linha), modo);
}

void TstPartidaPortal::desktop_data()
{
    QTest::addColumn<Partida::Modo>("modo");
    QTest::addColumn<bool>("sessao");    // a session stored by an earlier run
    QTest::addColumn<bool>("entra");     // in the login window: logs in, or gives up
    QTest::newRow("histórico com sessão guardada") << Partida::Modo::Historico << true << true;
    QTest::newRow("histórico sem sessão: login primeiro") << Partida::Modo::Historico << false << true;
    QTest::newRow("histórico sem sessão, login desistido") << Partida::Modo::Historico << false << false;
    QTest::newRow("fila com sessão guardada") << Partida::Modo::Fila << true << true;
    QTest::newRow("fila sem sessão, login desistido") << Partida::Modo::Fila << false << false;
}

void TstPartidaPortal::desktop()
{
    QFETCH(Partida::Modo, modo);
    QFETCH(bool, sessao);
    QFETCH(bool, entra);

    TestHome home;
    QVERIFY(home.criaPastaPrograma());
    m_portal->configura(*home.config);
    home.relogio.define(QDateTime(QDate::currentDate(), QTime(12, 0, 0)));
    m_portal->deslocaRelogio(QDateTime::currentDateTime().secsTo(home.relogio.agora()));
    plataforma::CurlHttp http;
    plataforma::CurlFtp ftp;
    plataforma::Servicos servicos = home.servicos(http, ftp);
    ModFuncs funcs(servicos);
    if (sessao) {
        classAmbiente antes(servicos);
        QVERIFY(antes.Inicia(false, home.criaArquivo(QStringLiteral("spool/antes.pdf")))
                && antes.Autentica(QStringLiteral("DEMO"), QStringLiteral("MARIA"), QStringLiteral("vorlin123"), 5));
    }

    bool loginAberto = false;
    bool gerarVisivel = true;
    QStringList descricoes;    // what the history listed after a filter run
    int linhasFila = -1;
    QString titulo;
    Partida::Janelas janelas;
    janelas.login = [&](frmLogin &janela) {
        loginAberto = true;
        janela.show();
        gerarVisivel = janela.findChild<QToolButton *>(QStringLiteral("cmdSalvar"))->isVisible()
            || janela.findChild<QAction *>(QStringLiteral("keySalvar"))->isVisible();
        if (entra) {
            QTest::keyClicks(janela.findChild<QLineEdit *>(QStringLiteral("txtDominio")), QStringLiteral("demo"));
            QTest::keyClicks(janela.findChild<QLineEdit *>(QStringLiteral("txtLogin")), QStringLiteral("maria"));
            auto *senha = janela.findChild<QLineEdit *>(QStringLiteral("txtSenha"));
            QTest::keyClicks(senha, QStringLiteral("vorlin123"));
            QTest::keyClick(senha, Qt::Key_Return);
        } else {
            home.ui.responde(plataforma::Resposta::Sim);   // "Você não esta Logado." "Deseja realmente sair?"
            janela.findChild<QToolButton *>(QStringLiteral("cmdSair"))->click();
        }
    };
    janelas.consulta = [&](frmConsulta &janela) {
        janela.show();
        titulo = janela.windowTitle();
        janela.findChild<QToolButton *>(QStringLiteral("cmdFiltrar"))->click();
        const QAbstractItemModel *grade = janela.findChild<QTableView *>(QStringLiteral("grdConsulta"))->model();
        for (int linha = 0; linha < grade->rowCount(); ++linha)
            descricoes << grade->index(linha, 2).data().toString();
    };
    janelas.fila = [&](frmMultiplos &janela) {
        janela.show();
        titulo = janela.windowTitle();
        linhasFila = janela.findChild<QTableWidget *>(QStringLiteral("grdFila"))->rowCount();
    };

    Partida partida(servicos, funcs, janelas);
    const bool abriu = partida.Executa(modo);

    QCOMPARE(abriu, entra);
    QCOMPARE(loginAberto, !sessao);
    if (loginAberto)
        QVERIFY(!gerarVisivel);
    QVERIFY2(home.ui.inesperadas.isEmpty(), qPrintable(home.ui.inesperadas.join(QLatin1Char('\n'))));
    const bool historico = modo == Partida::Modo::Historico;
    if (entra && historico) {
        QCOMPARE(titulo, QStringLiteral("Consulta Vorlin Printer [Maria Aparecida Souza]"));
        // the demo office's publications
        for (const QString &d : {QStringLiteral("Balancete mensal"), QStringLiteral("DAS - Simples Nacional"),
                                 QStringLiteral("Holerites da competência")})
            QVERIFY2(descricoes.contains(d), qPrintable(descricoes.join(QLatin1Char('\n'))));
        QVERIFY2(home.ui.caixas.isEmpty(), qPrintable(home.ui.textos().join(QLatin1Char('\n'))));
    } else {
        QVERIFY(descricoes.isEmpty());
    }
    if (entra && !historico) {
        QCOMPARE(titulo, QStringLiteral("Vorlin Printer [Maria Aparecida Souza] - Múltiplos envios"));
        QCOMPARE(linhasFila, 0);
    } else {
        QCOMPARE(linhasFila, -1);
    }
    // nothing captured, no document of its own
    QVERIFY(partida.ambiente() && partida.ambiente()->arquivo().isEmpty());
    const QDir proc(home.pastaPrograma() + QStringLiteral("PROC"));
    QCOMPARE(proc.exists(), sessao);   // only the earlier run's capture made it
    QCOMPARE(proc.entryList(QDir::Files), QStringList());
}

QTEST_MAIN(TstPartidaPortal)
#include "tst_partida_portal.moc"
