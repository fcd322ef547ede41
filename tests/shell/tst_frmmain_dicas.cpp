// The main window's hint area: what start-up leaves there, which hovers show which entry and when,
// and the connectivity check's two texts.
#include "tst_frmmain_bancada.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>

namespace {
const QString kEstavel = QStringLiteral("Sua conexão de internet está estável no momento");
const QString kSemConexao = QStringLiteral("Não possível estabelecer uma conexão com a internet!");
} // namespace

class TstFrmMainDicas : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void depoisDoInicio();
    void passarOMouse_data();
    void passarOMouse();
    void mesmaEntradaNaoRepete();
    void verificaConexao_data();
    void verificaConexao();
    void cliqueNaConexaoSoAtiva();
};

void TstFrmMainDicas::depoisDoInicio()
{
    // The connectivity text is shown before the table is filled: an empty title above it.
    FrmMainBancada b;
    b.carrega();
    QCOMPARE(b.controle<QLabel>(QStringLiteral("iblDicaTitulo"))->text(), QString());
    QCOMPARE(b.controle<QLabel>(QStringLiteral("iblDicaTexto"))->text(), QStringLiteral("\r\n\r\n") + kEstavel);
    QCOMPARE(b.janela->AjudaAtual, 7);
    QCOMPARE(b.janela->Ajuda[7].titulo, QStringLiteral("Status da Internet"));
    QVERIFY(b.janela->Ajuda[7].texto.endsWith(QStringLiteral("Dê um cliques para verificar novamente.")));
    QVERIFY(b.home.ui.caixas.isEmpty());
    // the window is not shown yet when start-up checks: nobody to say "Aguarde" to, no wait
    QVERIFY(b.home.ui.esperas.isEmpty());
    QCOMPARE(b.home.ui.eventosProcessados, qint64(0));
}

void TstFrmMainDicas::passarOMouse_data()
{
    QTest::addColumn<QString>("controle");
    QTest::addColumn<int>("entrada");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<bool>("soAtiva");   // shown only while the window is active
    QTest::newRow("cmdGerar") << QStringLiteral("cmdGerar") << 0 << QStringLiteral("GERAR PDF") << true;
    QTest::newRow("cmdEnviar") << QStringLiteral("cmdEnviar") << 1 << QStringLiteral("ENVIAR ARQUIVO") << true;
    QTest::newRow("cmdSalvaEnvia") << QStringLiteral("cmdSalvaEnvia") << 2 << QStringLiteral("SALVAR / ENVIAR") << false;
    QTest::newRow("cmdVisualiza") << QStringLiteral("cmdVisualiza") << 3 << QStringLiteral("VISUALIZAR") << false;
    QTest::newRow("cmdConsulta") << QStringLiteral("cmdConsulta") << 4 << QStringLiteral("CONSULTAR") << false;
    QTest::newRow("cmdCancela") << QStringLiteral("cmdCancela") << 5 << QStringLiteral("CANCELAR") << false;
    QTest::newRow("picInternet") << QStringLiteral("picInternet") << 7 << QStringLiteral("Status da Internet") << true;
    QTest::newRow("imgPDF") << QStringLiteral("imgPDF") << 8 << QStringLiteral("PDF") << true;
    QTest::newRow("picEspaco") << QStringLiteral("picEspaco") << 10 << QStringLiteral("Espaços no Vorlin") << true;
    QTest::newRow("chkLogOff") << QStringLiteral("chkLogOff") << 11 << QStringLiteral("Log Off da Sessão") << true;
}

void TstFrmMainDicas::passarOMouse()
{
    QFETCH(QString, controle);
    QFETCH(int, entrada);
    QFETCH(QString, titulo);
    QFETCH(bool, soAtiva);
    FrmMainBancada b;
    b.carrega();
    frmMain &w = *b.janela;
    auto *iblTitulo = b.controle<QLabel>(QStringLiteral("iblDicaTitulo"));
    auto *iblTexto = b.controle<QLabel>(QStringLiteral("iblDicaTexto"));
    QWidget *alvo = b.controle(controle);
    QVERIFY(alvo);

    w.MostraAjuda(6);
    FrmMainBancada::passaMouse(alvo);
    QCOMPARE(w.AjudaAtual, entrada);
    QCOMPARE(iblTitulo->text(), titulo);
    QCOMPARE(iblTexto->text(), w.Ajuda[entrada].texto);

    // after "Cancelar" only some buttons still explain themselves
    b.controle<QAbstractButton>(QStringLiteral("cmdCancela"))->click();
    QVERIFY(!w.Ativo);
    w.MostraAjuda(6);
    FrmMainBancada::passaMouse(alvo);
    QCOMPARE(w.AjudaAtual, soAtiva ? 6 : entrada);
    QCOMPARE(iblTitulo->text(), soAtiva ? w.Ajuda[6].titulo : titulo);
    QVERIFY(b.home.ui.caixas.isEmpty());
}

void TstFrmMainDicas::mesmaEntradaNaoRepete()
{
    // The hint area keeps what was written there while the mouse stays on the same control.
    FrmMainBancada b;
    b.carrega();
    auto *iblTexto = b.controle<QLabel>(QStringLiteral("iblDicaTexto"));
    QWidget *gerar = b.controle(QStringLiteral("cmdGerar"));
    FrmMainBancada::passaMouse(gerar);
    iblTexto->setText(QStringLiteral("outro"));
    FrmMainBancada::passaMouse(gerar);
    QCOMPARE(iblTexto->text(), QStringLiteral("outro"));
}

void TstFrmMainDicas::verificaConexao_data()
{
    QTest::addColumn<QByteArray>("resposta");   // the portal's answer to the connectivity test
    QTest::addColumn<QString>("mensagem");
    QTest::newRow("conectado") << QByteArray("0") << kEstavel;
    QTest::newRow("outra resposta") << QByteArray("1") << kSemConexao;
    QTest::newRow("sem resposta") << QByteArray() << kSemConexao;
}

void TstFrmMainDicas::verificaConexao()
{
    QFETCH(QByteArray, resposta);
    QFETCH(QString, mensagem);
    FrmMainBancada b;
    b.carrega();
    frmMain &w = *b.janela;
    b.home.http.resposta = [resposta](const QByteArray &url) {
        return url.endsWith("printer/printer_login.asp") ? resposta : QByteArray("?");
    };
    QWidget *pic = b.controle(QStringLiteral("picInternet"));
    QVERIFY(w.isVisible());
    QStringList duranteAEspera;
    b.home.ui.aoEsperar = [&](int) {
        duranteAEspera << b.controle<QLabel>(QStringLiteral("iblDicaTitulo"))->text()
                       << b.controle<QLabel>(QStringLiteral("iblDicaTexto"))->text();
    };

    FrmMainBancada::clica(pic);
    // "Aguarde" stays up for one short wait in time, after the check itself
    QCOMPARE(b.home.ui.esperas.size(), 1);
    QVERIFY(b.home.ui.esperas.first() > 0 && b.home.ui.esperas.first() <= 1000);
    QCOMPARE(duranteAEspera, (QStringList{QStringLiteral("Verificando Conexão com a Internet"),
                                          QStringLiteral("\r\n\r\nAguarde")}));
    QVERIFY(!b.home.http.urls.isEmpty() && b.home.http.urls.last().endsWith("printer/printer_login.asp"));
    QCOMPARE(b.amb().InternetOk, mensagem == kEstavel);
    QCOMPARE(w.AjudaAtual, 7);
    QCOMPARE(b.controle<QLabel>(QStringLiteral("iblDicaTitulo"))->text(), QStringLiteral("Status da Internet"));
    QCOMPARE(b.controle<QLabel>(QStringLiteral("iblDicaTexto"))->text(), QStringLiteral("\r\n\r\n") + mensagem);

    // pointing at it again, after another entry, shows the text of a checked connection
    FrmMainBancada::passaMouse(b.controle(QStringLiteral("cmdGerar")));
    FrmMainBancada::passaMouse(pic);
    const QString texto = b.controle<QLabel>(QStringLiteral("iblDicaTexto"))->text();
    QCOMPARE(texto, QStringLiteral("\r\n\r\n\r\n\r\nInforma o estado de sua conexão com a internet\r\n"
                                   "Dê dois cliques para verificar novamente."));
}

void TstFrmMainDicas::cliqueNaConexaoSoAtiva()
{
    FrmMainBancada b;
    b.carrega();
    frmMain &w = *b.janela;
    b.controle<QAbstractButton>(QStringLiteral("cmdCancela"))->click();
    w.MostraAjuda(6);
    FrmMainBancada::clica(b.controle(QStringLiteral("picInternet")));
    QCOMPARE(w.AjudaAtual, 6);
    QVERIFY(w.Ajuda[7].texto.endsWith(QStringLiteral("Dê um cliques para verificar novamente.")));
}

QTEST_MAIN(TstFrmMainDicas)
#include "tst_frmmain_dicas.moc"
