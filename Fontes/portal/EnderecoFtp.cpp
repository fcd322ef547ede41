#include "portal/EnderecoFtp.h"

namespace portal {

namespace {

bool portaValida(QStringView texto, quint16 &porta)
{
    if (texto.isEmpty() || texto.size() > 5)
        return false;
    for (const QChar c : texto)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    const int valor = texto.toInt();
    if (valor < 1 || valor > 65535)
        return false;
    porta = static_cast<quint16>(valor);
    return true;
}

} // namespace

EnderecoFtp enderecoFtp(const QString &servidor)
{
    const QString texto = servidor.trimmed();
    EnderecoFtp e{texto, 21};
    if (texto.startsWith(QLatin1Char('['))) {
        const qsizetype fecha = texto.indexOf(QLatin1Char(']'));
        if (fecha < 0)
            return e;
        const QStringView resto = QStringView(texto).mid(fecha + 1);
        quint16 porta = 21;
        if (resto.isEmpty() || (resto.startsWith(QLatin1Char(':')) && portaValida(resto.mid(1), porta)))
            return {texto.mid(1, fecha - 1), porta};
        return e;
    }
    const qsizetype doisPontos = texto.indexOf(QLatin1Char(':'));
    // more than one colon: a bare IPv6 address, no port
    if (doisPontos < 0 || texto.indexOf(QLatin1Char(':'), doisPontos + 1) >= 0)
        return e;
    quint16 porta = 21;
    if (portaValida(QStringView(texto).mid(doisPontos + 1), porta))
        return {texto.left(doisPontos), porta};
    return e;
}

} // namespace portal
