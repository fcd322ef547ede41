// The history window as the main window opens it from its toolbar key "keyRelatorio": the query
// object exists exactly while the window is shown, and the window is released afterwards.
#include "../shell/tst_frmmain_bancada.h"

#include <QPointer>
#include <QTest>

class TstFrmConsultaMain : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void historicoPelaBarra_data();
    void historicoPelaBarra();
};

void TstFrmConsultaMain::historicoPelaBarra_data()
{
    QTest::addColumn<bool>("ativo");
    QTest::newRow("janela ativa") << true;
    QTest::newRow("depois de Cancelar") << false;
}

void TstFrmConsultaMain::historicoPelaBarra()
{
    QFETCH(bool, ativo);

    FrmMainBancada b;
    b.carrega();
    b.sessaoValida();
    b.amb().Usuario = QStringLiteral("Maria Aparecida Souza");
    QPointer<frmConsulta> aberta;
    bool consultaExistia = false;
    b.consulta = [&](frmConsulta &janela) {
        aberta = &janela;
        consultaExistia = b.amb().Consultar != nullptr;
        QCOMPARE(janela.parentWidget(), b.janela.get());
        janela.show();
        QCOMPARE(janela.windowTitle(), QStringLiteral("Consulta Vorlin Printer [Maria Aparecida Souza]"));
        janela.close();
    };
    if (!ativo)
        b.janela->suFechar();

    b.janela->tbBotoes_ButtonClick(QStringLiteral("keyRelatorio"));
    QCOMPARE(b.consultasAbertas, ativo ? 1 : 0);
    QCOMPARE(consultaExistia, ativo);
    QVERIFY(!b.amb().Consultar);
    QVERIFY(aberta.isNull());
    // the window was loaded and closed: its layout is stored
    QCOMPARE(b.home.config->existe(QStringLiteral("Consulta"), QStringLiteral("WI")), ativo);
    QVERIFY2(b.home.ui.inesperadas.isEmpty(), qPrintable(b.home.ui.inesperadas.join(u'\n')));
}

QTEST_MAIN(TstFrmConsultaMain)
#include "tst_frmconsulta_main.moc"
