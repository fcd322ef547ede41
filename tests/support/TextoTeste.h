#pragma once
// Small text helpers for tests that read portal requests and replies.
#include <QString>
#include <QStringList>

// Lines joined by CR LF, as the portal writes them.
inline QString linhas(const QStringList &partes)
{
    return partes.join(QStringLiteral("\r\n"));
}

// The value of a query key: from "chave" to the next "&" or the end.
inline QString valorDe(const QString &url, const QString &chave)
{
    const qsizetype inicio = url.indexOf(chave);
    if (inicio < 0)
        return QString();
    const qsizetype de = inicio + chave.size();
    const qsizetype ate = url.indexOf(QLatin1Char('&'), de);
    return url.mid(de, ate < 0 ? -1 : ate - de);
}
