#include "Ansi.h"

namespace plataforma {

namespace {
// 0x80..0x9F; 0 marks the five unassigned codes, which map to the C1 control of the same value.
constexpr char16_t kAlto[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};
}

QString deAnsi(const QByteArray &bytes)
{
    QString texto(bytes.size(), Qt::Uninitialized);
    QChar *saida = texto.data();
    for (const char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u >= 0x80 && u < 0xA0 && kAlto[u - 0x80] != 0)
            *saida++ = QChar(kAlto[u - 0x80]);
        else
            *saida++ = QChar(static_cast<char16_t>(u));
    }
    return texto;
}

int codigoAnsi(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return u;
    if (u >= 0x80 && u < 0xA0)
        return kAlto[u - 0x80] == 0 ? u : -1;
    for (int i = 0; i < 32; ++i)
        if (kAlto[i] == u)
            return 0x80 + i;
    return -1;
}

QByteArray paraAnsi(const QString &texto)
{
    QByteArray bytes;
    bytes.reserve(texto.size());
    for (const QChar c : texto) {
        const int codigo = codigoAnsi(c);
        bytes.append(codigo < 0 ? '?' : static_cast<char>(codigo));
    }
    return bytes;
}

} // namespace plataforma
