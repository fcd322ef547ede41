#pragma once
// One HTTP GET. Never throws; an unreachable or hung portal gives an empty body.
#include <QByteArray>

#include <functional>

namespace plataforma {

struct TemposHttp {
    int conexaoMs = 15000;   // connect
    int paradoMs = 60000;    // a stalled reply
};

class HttpClient {
public:
    virtual ~HttpClient() = default;
    // `url` is the request address as Windows-1252 bytes, sent as the program built it; bytes a URL
    // cannot carry (space, non-ASCII, control) are escaped as %XX by the adapter.
    virtual QByteArray get(const QByteArray &url) = 0;

    // Called again and again while a request waits on the network, so the caller can keep its
    // window painting; nothing when empty.
    void defineVez(std::function<void()> vez) { m_vez = std::move(vez); }

protected:
    bool temVez() const { return static_cast<bool>(m_vez); }
    void cedeVez() const
    {
        if (m_vez)
            m_vez();
    }

private:
    std::function<void()> m_vez;
};

} // namespace plataforma
