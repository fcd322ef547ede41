// The publication dialog as the main window's "Enviar" opens it: the log-off state goes in and
// comes back, and a ShutDown reported by the dialog makes the main window close.
#include "../shell/tst_frmmain_bancada.h"
#include "platform/Ansi.h"

#include <QCheckBox>
#include <QTest>

using plataforma::Resposta;

namespace {

// Logged in with space left, so "Enviar" reaches the dialog.
void prontoParaEnviar(FrmMainBancada &b)
{
    b.carrega();
    b.amb().InternetOk = true;
    b.home.http.resposta = [](const QByteArray &url) -> QByteArray {
        if (url.contains("printer/espaco_b.asp"))
            return "Vorlin Printer;4096;0";
        if (url.contains("printer/sincroniza.asp"))
            return "Vorlin Printer|*+4|*+5|*+6";
        return "Vorlin Printer|*+";
    };
}

QCheckBox *caixa(const FrmMainBancada &b, const char *nome)
{
    return b.controle<QCheckBox>(QString::fromLatin1(nome));
}

} // namespace

class TstFrmInformMain : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void logOffIdaEVolta_data();
    void logOffIdaEVolta();
    void shutDownFechaAJanela_data();
    void shutDownFechaAJanela();
};

void TstFrmInformMain::logOffIdaEVolta_data()
{
    QTest::addColumn<bool>("antes");
    QTest::addColumn<QString>("fecharGravado");
    QTest::addColumn<bool>("depois");

    QTest::newRow("desmarcado") << false << QString() << false;
    QTest::newRow("marcado, desfeito pelo ajuste vazio") << true << QString() << false;
    QTest::newRow("marcado, com o ajuste marcado") << true << QStringLiteral("1") << true;
}

void TstFrmInformMain::logOffIdaEVolta()
{
    QFETCH(bool, antes);
    QFETCH(QString, fecharGravado);
    QFETCH(bool, depois);
    FrmMainBancada b;
    prontoParaEnviar(b);
    if (!fecharGravado.isEmpty())
        b.home.config->grava(QStringLiteral("Config"), QStringLiteral("ClosoOnEnd"), fecharGravado);
    caixa(b, "chkLogOff")->setChecked(antes);
    qint16 recebido = -1;
    b.publicacao = [&](frmInform &d) {
        recebido = d.LogOff;
        d.show();
        b.home.ui.responde(Resposta::Sim);   // not validated: cancel anyway
        d.close();
    };
    b.home.ui.aceitaAvisos(true);

    b.janela->suEnviar();
    QCOMPARE(b.publicacoesAbertas, 1);
    QCOMPARE(recebido, qint16(antes ? 1 : 0));
    QCOMPARE(caixa(b, "chkLogOff")->isChecked(), depois);
    QVERIFY(!b.janela->FecharAgora);
    QVERIFY(b.home.ui.inesperadas.isEmpty());
}

void TstFrmInformMain::shutDownFechaAJanela_data()
{
    QTest::addColumn<int>("shutDown");
    QTest::newRow("fechar ao enviar") << 1;
    QTest::newRow("continua") << 0;
}

void TstFrmInformMain::shutDownFechaAJanela()
{
    QFETCH(int, shutDown);
    FrmMainBancada b;
    prontoParaEnviar(b);
    const QString dica = b.janela->Ajuda[1].texto;
    b.publicacao = [&](frmInform &d) { d.ShutDown = qint16(shutDown); };
    b.home.ui.aceitaAvisos(true);

    b.janela->suEnviar();
    QCOMPARE(b.janela->FecharAgora, shutDown != 0);
    // nothing was sent or queued: the hint stays
    QCOMPARE(b.janela->Ajuda[1].texto, dica);
}

QTEST_MAIN(TstFrmInformMain)
#include "tst_frminform_main.moc"
