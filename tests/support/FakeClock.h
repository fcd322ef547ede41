#pragma once
#include "platform/Clock.h"

class FakeClock final : public plataforma::Clock {
public:
    explicit FakeClock(QDateTime agora = QDateTime(QDate(2011, 3, 9), QTime(14, 30, 5))) : m_agora(agora) {}
    QDateTime agora() const override { return m_agora; }
    void define(const QDateTime &agora) { m_agora = agora; }
    void avanca(qint64 segundos) { m_agora = m_agora.addSecs(segundos); }

private:
    QDateTime m_agora;
};
