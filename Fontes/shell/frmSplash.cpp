#include "shell/frmSplash.h"

#include "shell/Figuras.h"
#include "shell/Tela.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTimer>

namespace {
using tela::tw;
constexpr int kLargura = 6000;
constexpr int kAltura = 3600;
} // namespace

frmSplash::frmSplash(QWidget *parent)
    : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("frmSplash"));
    setModal(true);
    setFixedSize(tw(kLargura), tw(kAltura));

    m_figura = new QLabel(this);
    m_figura->setObjectName(QStringLiteral("imgSplash"));
    m_figura->setGeometry(0, 0, width(), height());
    m_figura->setPixmap(figuras::splash(size()));

    m_iblVersao = new QLabel(this);
    m_iblVersao->setObjectName(QStringLiteral("iblVersao"));
    m_iblVersao->setGeometry(tw(4080), tw(3060), tw(1800), tw(360));
    m_iblVersao->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_iblVersao->setStyleSheet(QStringLiteral("color: white;"));
    m_iblVersao->setText(Versao());

    m_tmrSplash = new QTimer(this);
    m_tmrSplash->setObjectName(QStringLiteral("tmrSplash"));
    m_tmrSplash->setInterval(2000);
    m_tmrSplash->setSingleShot(true);
    connect(m_tmrSplash, &QTimer::timeout, this, &frmSplash::tmrSplash_Timer);
}

QString frmSplash::Versao()
{
    return QStringLiteral("1.0.") + QString::number(VORLIN_VERSAO_REVISAO);
}

void frmSplash::tmrSplash_Timer()
{
    m_tmrSplash->stop();
    accept();
}

void frmSplash::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    tela::centraNaTela(*this);
    m_tmrSplash->start();
}

void frmSplash::mousePressEvent(QMouseEvent *evento)
{
    evento->accept();
    tmrSplash_Timer();
}

void frmSplash::keyPressEvent(QKeyEvent *evento)
{
    evento->accept();
    tmrSplash_Timer();
}
