#pragma once
// The one HTTP primitive of the portal client and the query-value encoders.
#include "platform/HttpClient.h"
#include "platform/SettingsStore.h"

#include <QByteArray>
#include <QString>

class classURL {
public:
    explicit classURL(plataforma::HttpClient &http) : m_http(http) {}

    // The whole reply body, one character per Windows-1252 byte; empty when the portal cannot be
    // reached. The HTTP status is not looked at: an error page comes back like any other body.
    QString AbreURL(const QString &url) const;
    // The same request, keeping the body's bytes exactly (file bodies, cache files).
    QByteArray AbreURLBytes(const QString &url) const;

    // The description/observation encoder: a fixed set of characters (which includes "&", "=",
    // "?" and "/") passes as it is, a blank becomes "+", anything else %XX of its Windows-1252 code.
    static QString CodificaURL(const QString &texto);
    // Every byte but letters, digits and "-._~" as %XX of its Windows-1252 code, so "&", "#", "+"
    // and "%" arrive as typed. Used for the login values.
    static QString CodificaValor(const QString &texto);

private:
    plataforma::HttpClient &m_http;
};

namespace portal {

// The portal's base addresses, from the settings store ("Config"), defaulting to the local portal.
inline constexpr char16_t kURLBasePadrao[] = u"http://127.0.0.1:8765/";
inline constexpr char16_t kURLBaseSitePadrao[] = u"http://127.0.0.1:8765/site/";
QString URLBase(const plataforma::SettingsStore &config);
QString URLBaseSite(const plataforma::SettingsStore &config);

} // namespace portal
