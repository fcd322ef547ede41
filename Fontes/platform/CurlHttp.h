#pragma once
// The HTTP client on libcurl: one GET per call, a fresh connection each time, no proxy, no cache.
#include "HttpClient.h"

namespace plataforma {

class CurlHttp final : public HttpClient {
public:
    // Each instance holds one reference to libcurl's global state (counted by libcurl itself),
    // so nothing has to be set up before main() and tests can create as many as they like.
    explicit CurlHttp(TemposHttp tempos = {});
    ~CurlHttp() override;

    CurlHttp(const CurlHttp &) = delete;
    CurlHttp &operator=(const CurlHttp &) = delete;

    // The whole body, whatever the HTTP status; empty when the server cannot be reached.
    QByteArray get(const QByteArray &url) override;

    const TemposHttp &tempos() const { return m_tempos; }
    void defineTempos(TemposHttp tempos) { m_tempos = tempos; }

    // Escapes space, control and non-ASCII bytes and "#" as %XX; every other byte goes as it is.
    static QByteArray escapaUrl(const QByteArray &url);

private:
    TemposHttp m_tempos;
    bool m_iniciado = false;
};

} // namespace plataforma
