#include "portal/Conversoes.h"

#include "platform/ErrorCodes.h"

#include <QLocale>
#include <QRegularExpression>

#include <limits>

namespace portal {

namespace {

[[noreturn]] void tiposIncompativeis()
{
    throw plataforma::ErroPrograma(plataforma::CodigoErro::TiposIncompativeis);
}

qint64 inteiroAte(const QString &texto, qint64 minimo, qint64 maximo)
{
    static const QRegularExpression kInteiro(QStringLiteral("^\\s*([+-]?\\d+)\\s*$"));
    const auto m = kInteiro.match(texto);
    if (!m.hasMatch())
        tiposIncompativeis();
    bool ok = false;
    const qint64 valor = m.capturedView(1).toLongLong(&ok);
    if (!ok || valor < minimo || valor > maximo)
        throw plataforma::ErroPrograma(plataforma::CodigoErro::Estouro);
    return valor;
}

} // namespace

qint32 inteiro32(const QString &texto)
{
    return static_cast<qint32>(inteiroAte(texto, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
}

qint16 inteiro16(const QString &texto)
{
    return static_cast<qint16>(inteiroAte(texto, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
}

double numero(const QString &texto)
{
    static const QLocale kBrasil(QLocale::Portuguese, QLocale::Brazil);
    bool ok = false;
    const double valor = kBrasil.toDouble(texto.trimmed(), &ok);
    if (!ok)
        tiposIncompativeis();
    return valor;
}

QDateTime dataHora(const QString &texto)
{
    static const QRegularExpression kData(QStringLiteral(
        "^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?\\s*$"));
    const auto m = kData.match(texto);
    if (!m.hasMatch())
        tiposIncompativeis();
    const QDate dia(m.capturedView(3).toInt(), m.capturedView(2).toInt(), m.capturedView(1).toInt());
    const QTime hora(m.capturedView(4).isEmpty() ? 0 : m.capturedView(4).toInt(),
                     m.capturedView(5).isEmpty() ? 0 : m.capturedView(5).toInt(),
                     m.capturedView(6).isEmpty() ? 0 : m.capturedView(6).toInt());
    if (!dia.isValid() || !hora.isValid())
        tiposIncompativeis();
    return QDateTime(dia, hora);
}

QString textoDataHora(const QDateTime &momento)
{
    return momento.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

QDateTime aoSegundo(const QDateTime &momento)
{
    const QTime t = momento.time();
    return QDateTime(momento.date(), QTime(t.hour(), t.minute(), t.second()));
}

} // namespace portal
