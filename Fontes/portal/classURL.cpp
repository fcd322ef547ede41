#include "portal/classURL.h"

#include "platform/Ansi.h"

namespace {

constexpr char kHex[] = "0123456789ABCDEF";

void acrescentaCodigo(QString &saida, int codigo)
{
    saida.append(QLatin1Char('%'));
    saida.append(QLatin1Char(kHex[(codigo >> 4) & 0x0F]));
    saida.append(QLatin1Char(kHex[codigo & 0x0F]));
}

} // namespace

QByteArray classURL::AbreURLBytes(const QString &url) const
{
    try {
        return m_http.get(plataforma::paraAnsi(url));
    } catch (...) {
        return {};
    }
}

QString classURL::AbreURL(const QString &url) const
{
    return plataforma::deAnsi(AbreURLBytes(url));
}

QString classURL::CodificaURL(const QString &texto)
{
    static const QString kPassam = QStringLiteral(
        "1234567890ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz:/.?=_-$(){}~&");
    QString saida;
    saida.reserve(texto.size() * 3);
    const QByteArray bytes = plataforma::paraAnsi(texto);
    for (qsizetype i = 0; i < texto.size(); ++i) {
        const QChar c = texto.at(i);
        if (kPassam.contains(c)) {
            saida.append(c);
            continue;
        }
        const int codigo = static_cast<unsigned char>(bytes.at(i));
        if (codigo == 0x20)
            saida.append(QLatin1Char('+'));
        else if (codigo < 0x10)
            saida.append(QStringLiteral("%0")).append(QLatin1Char(kHex[codigo]));
        else
            acrescentaCodigo(saida, codigo);
    }
    return saida;
}

QString classURL::CodificaValor(const QString &texto)
{
    QString saida;
    saida.reserve(texto.size() * 3);
    for (const char b : plataforma::paraAnsi(texto)) {
        const auto u = static_cast<unsigned char>(b);
        const bool passa = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9')
            || u == '-' || u == '.' || u == '_' || u == '~';
        if (passa)
            saida.append(QLatin1Char(b));
        else
            acrescentaCodigo(saida, u);
    }
    return saida;
}

namespace portal {

QString URLBase(const plataforma::SettingsStore &config)
{
    return config.le(QStringLiteral("Config"), QStringLiteral("URLBase"), QString::fromUtf16(kURLBasePadrao));
}

QString URLBaseSite(const plataforma::SettingsStore &config)
{
    return config.le(QStringLiteral("Config"), QStringLiteral("URLBaseSite"), QString::fromUtf16(kURLBaseSitePadrao));
}

} // namespace portal
