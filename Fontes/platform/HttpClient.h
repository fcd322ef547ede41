#pragma once
// One HTTP GET. Never throws; an unreachable or hung portal gives an empty body.
#include <QByteArray>

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
};

} // namespace plataforma
