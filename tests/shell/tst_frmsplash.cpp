// The splash window: its version label and the three ways it closes.
#include "shell/frmSplash.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

class TstFrmSplash : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void versao();
    void fecha_data();
    void fecha();
};

void TstFrmSplash::versao()
{
    frmSplash splash;
    auto *iblVersao = splash.findChild<QLabel *>(QStringLiteral("iblVersao"));
    QVERIFY(iblVersao);
    QCOMPARE(iblVersao->text(), QStringLiteral("1.0.4"));
}

void TstFrmSplash::fecha_data()
{
    QTest::addColumn<QString>("como");
    QTest::newRow("timer") << QStringLiteral("timer");
    QTest::newRow("clique na janela") << QStringLiteral("clique");
    QTest::newRow("clique no rotulo") << QStringLiteral("rotulo");
    QTest::newRow("tecla qualquer") << QStringLiteral("tecla");
    QTest::newRow("esc") << QStringLiteral("esc");
}

void TstFrmSplash::fecha()
{
    QFETCH(QString, como);
    frmSplash splash;
    splash.show();
    QVERIFY(splash.isVisible());
    auto *timer = splash.findChild<QTimer *>(QStringLiteral("tmrSplash"));
    QVERIFY(timer);
    QVERIFY(timer->isActive());
    QCOMPARE(timer->interval(), 2000);

    const auto clica = [](QWidget *alvo) {
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(5, 5), alvo->mapToGlobal(QPointF(5, 5)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(alvo, &e);
    };
    if (como == QLatin1String("timer"))
        splash.tmrSplash_Timer();
    else if (como == QLatin1String("clique"))
        clica(&splash);
    else if (como == QLatin1String("rotulo"))
        clica(splash.findChild<QLabel *>(QStringLiteral("iblVersao")));
    else if (como == QLatin1String("tecla"))
        QTest::keyClick(&splash, Qt::Key_A);
    else
        QTest::keyClick(&splash, Qt::Key_Escape);

    QVERIFY(!splash.isVisible());
    QCOMPARE(splash.result(), int(QDialog::Accepted));
    QVERIFY(!timer->isActive());
}

QTEST_MAIN(TstFrmSplash)
#include "tst_frmsplash.moc"
