#pragma once
// The FTP host text of the login and confirmation replies: "host", "host:port", "[v6]" or
// "[v6]:port". Without a port the account is on 21.
#include <QString>

namespace portal {

struct EnderecoFtp {
    QString host;
    quint16 porta = 21;
    bool operator==(const EnderecoFtp &) const = default;
};

// Only a decimal port from 1 to 65535 is split off; any other text stays the host as it is.
EnderecoFtp enderecoFtp(const QString &servidor);

} // namespace portal
