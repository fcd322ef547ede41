// The login window against the real local portal: a wrong password is refused with the portal's
// own message, then the right one opens the session and closes the window.
#include "PortalLocal.h"
#include "TestHome.h"
#include "platform/CurlHttp.h"
#include "portal/frmLogin.h"
#include "shell/ModFuncs.h"
#include "shell/classAmbiente.h"

#include <QLineEdit>
#include <QTest>

class TstFrmLoginPortal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void erraEDepoisEntra();
};

void TstFrmLoginPortal::erraEDepoisEntra()
{
    PortalLocal portal;
    QVERIFY2(portal.ativo(), qPrintable(portal.falha()));
    TestHome home;
    QVERIFY(home.criaPastaPrograma());
    portal.configura(*home.config);
    // Noon today, and the portal's clock on the same moment: the two dates must agree.
    home.relogio.define(QDateTime(QDate::currentDate(), QTime(12, 0, 0)));
    portal.deslocaRelogio(QDateTime::currentDateTime().secsTo(home.relogio.agora()));
    home.ui.aceitaAvisos(true);

    plataforma::CurlHttp http;
    plataforma::Servicos servicos{*home.config, home.fso, home.ui, home.relogio, http, home.ftp};
    ModFuncs funcs(servicos);
    classAmbiente ambiente(servicos);
    QVERIFY(ambiente.Inicia(false, home.criaArquivo(QStringLiteral("spool/Nota #1.pdf"))));
    bool modoDebug = true;
    frmLogin janela(ambiente, funcs, modoDebug);
    janela.show();
    auto *dominio = janela.findChild<QLineEdit *>(QStringLiteral("txtDominio"));
    auto *login = janela.findChild<QLineEdit *>(QStringLiteral("txtLogin"));
    auto *senha = janela.findChild<QLineEdit *>(QStringLiteral("txtSenha"));

    QTest::keyClicks(dominio, QStringLiteral("demo"));
    QTest::keyClicks(login, QStringLiteral("maria"));
    QTest::keyClicks(senha, QStringLiteral("errada"));
    QTest::keyClick(senha, Qt::Key_Return);

    QCOMPARE(home.ui.textos(), QStringList{QStringLiteral("Domínio, login ou senha inválidos!")});
    QVERIFY(janela.isVisible());
    QCOMPARE(senha->text(), QString());

    QTest::keyClicks(senha, QStringLiteral("vorlin123"));
    QTest::keyClick(senha, Qt::Key_Return);

    // nothing more was shown
    QCOMPARE(home.ui.textos(), QStringList{QStringLiteral("Domínio, login ou senha inválidos!")});
    QVERIFY(!janela.isVisible());
    QCOMPARE(janela.result(), int(QDialog::Accepted));
    QVERIFY(ambiente.Logado());
    QCOMPARE(ambiente.Login, QStringLiteral("MARIA"));
    QCOMPARE(modoDebug, ambiente.bDebug);
    // the login captured the document
    QVERIFY(ambiente.arquivo().startsWith(ambiente.PathUser() + QStringLiteral("PROC")));
    QVERIFY(home.ui.inesperadas.isEmpty());
}

QTEST_MAIN(TstFrmLoginPortal)
#include "tst_frmlogin_portal.moc"
