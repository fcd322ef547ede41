#include "portal/Conversoes.h"

#include "platform/ErrorCodes.h"

#include <QLocale>

#include <limits>

namespace portal {

namespace {

[[noreturn]] void tiposIncompativeis()
{
    throw plataforma::ErroPrograma(plataforma::CodigoErro::TiposIncompativeis);
}

// What the portal's blanks are: the ASCII ones (space, tab, line feed, vertical tab, form feed,
// carriage return), as a regular expression's \s; a no-break space is not one.
bool brancoAscii(QChar c)
{
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

bool digito(QChar c)
{
    return c >= u'0' && c <= u'9';
}

QStringView aparado(QStringView texto)
{
    qsizetype inicio = 0;
    qsizetype fim = texto.size();
    while (inicio < fim && brancoAscii(texto.at(inicio)))
        ++inicio;
    while (fim > inicio && brancoAscii(texto.at(fim - 1)))
        --fim;
    return texto.sliced(inicio, fim - inicio);
}

// A whole decimal number between blanks: an optional sign, then ASCII digits. Read by hand: these
// run for every field of large replies, and a regular expression costs its compiler at start-up.
qint64 inteiroAte(const QString &texto, qint64 minimo, qint64 maximo)
{
    const QStringView numero = aparado(texto);
    const qsizetype primeiro = (numero.startsWith(u'+') || numero.startsWith(u'-')) ? 1 : 0;
    if (primeiro == numero.size())
        tiposIncompativeis();
    for (qsizetype i = primeiro; i < numero.size(); ++i)
        if (!digito(numero.at(i)))
            tiposIncompativeis();
    bool ok = false;
    const qint64 valor = numero.toLongLong(&ok);
    if (!ok || valor < minimo || valor > maximo)
        throw plataforma::ErroPrograma(plataforma::CodigoErro::Estouro);
    return valor;
}

// 1 to `maximo` digits at `i`, or exactly `maximo` when `exatos`; -1 when they are not there.
int digitos(QStringView t, qsizetype &i, int maximo, bool exatos)
{
    int valor = 0;
    int lidos = 0;
    while (lidos < maximo && i < t.size() && digito(t.at(i))) {
        valor = valor * 10 + (t.at(i).unicode() - u'0');
        ++i;
        ++lidos;
    }
    return (lidos == 0 || (exatos && lidos < maximo)) ? -1 : valor;
}

} // namespace

qint64 inteiro64(const QString &texto)
{
    return inteiroAte(texto, std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max());
}

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

// "d/m/yyyy", optionally followed by blanks and "h:mm" or "h:mm:ss"; day, month and hour of one or
// two digits, between blanks.
QDateTime dataHora(const QString &texto)
{
    const QStringView t = aparado(texto);
    qsizetype i = 0;
    const auto separador = [&t, &i](QChar c) {
        if (i >= t.size() || t.at(i) != c)
            tiposIncompativeis();
        ++i;
    };
    const int dia = digitos(t, i, 2, false);
    separador(u'/');
    const int mes = digitos(t, i, 2, false);
    separador(u'/');
    const int ano = digitos(t, i, 4, true);
    if (dia < 0 || mes < 0 || ano < 0)
        tiposIncompativeis();
    int hora = 0;
    int minuto = 0;
    int segundo = 0;
    if (i < t.size()) {
        if (!brancoAscii(t.at(i)))
            tiposIncompativeis();
        while (i < t.size() && brancoAscii(t.at(i)))
            ++i;
        hora = digitos(t, i, 2, false);
        separador(u':');
        minuto = digitos(t, i, 2, true);
        if (hora < 0 || minuto < 0)
            tiposIncompativeis();
        if (i < t.size()) {
            separador(u':');
            segundo = digitos(t, i, 2, true);
            if (segundo < 0)
                tiposIncompativeis();
        }
        if (i != t.size())
            tiposIncompativeis();
    }
    const QDate d(ano, mes, dia);
    const QTime h(hora, minuto, segundo);
    if (!d.isValid() || !h.isValid())
        tiposIncompativeis();
    return QDateTime(d, h);
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
