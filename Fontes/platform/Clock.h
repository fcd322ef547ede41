#pragma once
#include <QDateTime>

namespace plataforma {

// Today and now come from here so tests can fix the date (session expiry, log stamps, records).
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime agora() const = 0;
    QDate hoje() const { return agora().date(); }
};

class SystemClock final : public Clock {
public:
    QDateTime agora() const override { return QDateTime::currentDateTime(); }
};

} // namespace plataforma
