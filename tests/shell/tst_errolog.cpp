// The error reporter: its box, and ERRO.LOG byte for byte with its size limits.
#include "TestHome.h"
#include "platform/ErrorCodes.h"
#include "shell/ModFuncs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace plataforma;

namespace {

// What the log receives for a report of code 53 in frmMain/Form_Load at the fake clock's time.
const QByteArray kRegistro =
    "\r\n\r\n"
    "*Begin Error\r\n"
    "*    Descricao|Arquivo n\xe3o encontrado\r\n"
    "*        ErroN|53\r\n"
    "*   AppEXENome|tst_errolog\r\n"
    "*       Modulo|frmMain\r\n"
    "*    Procedure|Form_Load\r\n"
    "*         Data|09/03/2011\r\n"
    "*         Hora|14:30:05\r\n"
    "*End Error\r\n";

QString pastaReport(const TestHome &home)
{
    return home.pastaPrograma() + QStringLiteral("report") + QDir::separator();
}

QByteArray le(const QString &caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ausente>");
}

void grava(const QString &caminho, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(caminho).absolutePath());
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), qint64(bytes.size()));
}

} // namespace

class TstErroLog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void caixaDoRelato();
    void primeiroRelatoCriaPastas();
    void limites_data();
    void limites();
    void procedimentoLongo();
    void nomeEmOutraCaixa();
    void falhaDoLogESilenciosa();
    void passoRelataESegue();
    void acertaCor();
};

void TstErroLog::caixaDoRelato()
{
    TestHome home;
    home.ui.aceitaAvisos(true);
    auto s = home.servicos();
    ModFuncs(s).TrataErro(13, QStringLiteral("frmLogin"), QStringLiteral("cmdOk_Click"));

    QCOMPARE(home.ui.caixas.size(), 1);
    const Caixa &c = home.ui.caixas.first().caixa;
    QCOMPARE(c.texto, QStringLiteral("ERRO\r\n"
                                     "Se este erro persistir informe o Administrador do sistema!\r\n"
                                     "NoMessage: Falso\r\n"
                                     "IsExe: Verdadeiro\r\n"
                                     "frmLogin - cmdOk_Click\r\n"
                                     "13 - Tipos incompatíveis"));
    QCOMPARE(c.titulo, QStringLiteral("Mensagem de ERRO do sistema!"));
    QCOMPARE(c.icone, Icone::Erro);
    QCOMPARE(c.botoes, Botoes::Ok);
    QVERIFY(c.direitaParaEsquerda);
}

void TstErroLog::primeiroRelatoCriaPastas()
{
    TestHome home;
    home.ui.aceitaAvisos(true);
    QVERIFY(!QFileInfo::exists(home.pastaPrograma()));
    auto s = home.servicos();
    ModFuncs(s).TrataErro(53, QStringLiteral("frmMain"), QStringLiteral("Form_Load"));

    QCOMPARE(QDir(pastaReport(home)).entryList(QDir::Files), QStringList{QStringLiteral("ERRO.LOG")});
    QCOMPARE(le(pastaReport(home) + QStringLiteral("ERRO.LOG")), kRegistro);

    // a second report appends
    ModFuncs(s).TrataErro(53, QStringLiteral("frmMain"), QStringLiteral("Form_Load"));
    QCOMPARE(le(pastaReport(home) + QStringLiteral("ERRO.LOG")), kRegistro + kRegistro);
    QVERIFY(home.ui.inesperadas.isEmpty());
}

void TstErroLog::limites_data()
{
    QTest::addColumn<qint64>("tamanho");
    QTest::addColumn<QByteArray>("acrescimo");
    QTest::newRow("vazio") << qint64(0) << kRegistro;
    QTest::newRow("409600") << qint64(409600) << kRegistro;
    QTest::newRow("409601") << qint64(409601) << QByteArray("090311143005 frmMain\r\n");
    QTest::newRow("809600") << qint64(809600) << QByteArray("090311143005 frmMain\r\n");
    QTest::newRow("809601") << qint64(809601) << QByteArray();
    QTest::newRow("muito maior") << qint64(2000000) << QByteArray();
}

void TstErroLog::limites()
{
    QFETCH(qint64, tamanho);
    QFETCH(QByteArray, acrescimo);
    TestHome home;
    home.ui.aceitaAvisos(true);
    const QString log = pastaReport(home) + QStringLiteral("ERRO.LOG");
    const QByteArray antes(tamanho, 'x');
    grava(log, antes);

    auto s = home.servicos();
    ModFuncs(s).TrataErro(53, QStringLiteral("frmMain"), QStringLiteral("Form_Load"));
    QCOMPARE(le(log), antes + acrescimo);
    QCOMPARE(home.ui.caixas.size(), 1);   // the box is shown whatever the log does
}

void TstErroLog::procedimentoLongo()
{
    TestHome home;
    home.ui.aceitaAvisos(true);
    const QString procedimento = QString(200, QLatin1Char('p')) + QStringLiteral("CORTADO");
    auto s = home.servicos();
    ModFuncs(s).TrataErro(5, QStringLiteral("frmMain"), procedimento);

    const QByteArray log = le(pastaReport(home) + QStringLiteral("ERRO.LOG"));
    QVERIFY(log.contains("*    Procedure|" + QByteArray(200, 'p') + "\r\n"));
    QVERIFY(!log.contains("CORTADO"));
    QVERIFY(home.ui.caixas.first().caixa.texto.contains(QStringLiteral("frmMain - ") + procedimento + QStringLiteral("\r\n")));
}

void TstErroLog::nomeEmOutraCaixa()
{
    // A log written as erro.log is the same file: its size counts and it receives the line.
    TestHome home;
    home.ui.aceitaAvisos(true);
    const QString log = pastaReport(home) + QStringLiteral("erro.log");
    grava(log, QByteArray(409601, 'x'));
    auto s = home.servicos();
    ModFuncs(s).TrataErro(53, QStringLiteral("frmMain"), QStringLiteral("Form_Load"));
    QCOMPARE(le(log).mid(409601), QByteArray("090311143005 frmMain\r\n"));
    QCOMPARE(QDir(pastaReport(home)).entryList(QDir::Files), QStringList{QStringLiteral("erro.log")});
}

void TstErroLog::falhaDoLogESilenciosa()
{
    TestHome home;
    home.ui.aceitaAvisos(true);
    // "report" is a file, so the log folder cannot exist
    grava(home.pastaPrograma() + QStringLiteral("report"), "nada");
    auto s = home.servicos();
    ModFuncs(s).TrataErro(61, QStringLiteral("frmMain"), QStringLiteral("suVizualisar"));
    QCOMPARE(home.ui.caixas.size(), 1);
    QCOMPARE(le(home.pastaPrograma() + QStringLiteral("report")), QByteArray("nada"));
}

void TstErroLog::passoRelataESegue()
{
    TestHome home;
    home.ui.aceitaAvisos(true);
    auto s = home.servicos();
    ModFuncs f(s);
    QVERIFY(f.Passo(QStringLiteral("frmMain"), QStringLiteral("CarregaAjuda"), [] {}));
    QVERIFY(!f.Passo(QStringLiteral("frmMain"), QStringLiteral("suInternet"),
                     [] { throw ErroPrograma(CodigoErro::PermissaoNegada); }));
    QVERIFY(!f.Passo(QStringLiteral("frmMain"), QStringLiteral("Sair"), [] { throw std::runtime_error("x"); }));
    QCOMPARE(home.ui.caixas.size(), 2);
    QVERIFY(home.ui.caixas[0].caixa.texto.endsWith(QStringLiteral("frmMain - suInternet\r\n70 - Permissão negada")));
    QVERIFY(home.ui.caixas[1].caixa.texto.contains(QStringLiteral("frmMain - Sair\r\n1 - ")));
    const QByteArray log = le(pastaReport(home) + QStringLiteral("ERRO.LOG"));
    QCOMPARE(log.count("*Begin Error"), 2);
    QVERIFY(log.contains("*    Descricao|Permiss\xe3o negada\r\n*        ErroN|70\r\n"));
}

void TstErroLog::acertaCor()
{
    TestHome home;
    auto s = home.servicos();
    QCOMPARE(ModFuncs(s).AcertaCor(), false);
    QVERIFY(home.ui.caixas.isEmpty());
    QVERIFY(!QFileInfo::exists(home.pastaPrograma()));
    QVERIFY(!QFileInfo::exists(home.config->caminhoArquivo()));
}

QTEST_GUILESS_MAIN(TstErroLog)
#include "tst_errolog.moc"
