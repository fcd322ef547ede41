#pragma once
// Conversions of portal and settings text under Brazilian conventions. A text that is not a
// number or date throws ErroPrograma (type mismatch; overflow for a number out of range), the
// way the callers' error handling expects.
#include <QDate>
#include <QDateTime>
#include <QString>

namespace portal {

qint64 inteiro64(const QString &texto);
qint32 inteiro32(const QString &texto);
qint16 inteiro16(const QString &texto);
// A decimal number with comma and optional thousands dots ("1.234,5").
double numero(const QString &texto);
// "dd/MM/yyyy", optionally followed by a blank and "HH:mm" or "HH:mm:ss".
QDateTime dataHora(const QString &texto);
inline QDate data(const QString &texto) { return dataHora(texto).date(); }
// How a date-time is stored: "dd/MM/yyyy HH:mm:ss".
QString textoDataHora(const QDateTime &momento);
// The stored form has whole seconds: compare and keep times at that precision.
QDateTime aoSegundo(const QDateTime &momento);

} // namespace portal
