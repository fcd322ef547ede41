#pragma once
// The splash window: the program's picture and version while start-up runs. It closes on its
// timer, on a click or on any key.
#include <QDialog>

class QLabel;
class QTimer;

class frmSplash : public QDialog {
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);

    static QString Versao();   // "1.0." followed by the revision

    // the timer's handler; tests call it instead of waiting for the timer
    void tmrSplash_Timer();

protected:
    void showEvent(QShowEvent *evento) override;
    void mousePressEvent(QMouseEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;

private:
    QLabel *m_figura = nullptr;
    QLabel *m_iblVersao = nullptr;
    QTimer *m_tmrSplash = nullptr;
};
