#pragma once
// Windows-1252, one character per byte: portal replies, URL values, ERRO.LOG, caches, queue index.
#include <QByteArray>
#include <QString>

namespace plataforma {

QString deAnsi(const QByteArray &bytes);
// Characters without a Windows-1252 code become '?'.
QByteArray paraAnsi(const QString &texto);
// The Windows-1252 code of one character, or -1 when it has none.
int codigoAnsi(QChar c);

} // namespace plataforma
