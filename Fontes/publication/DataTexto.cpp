#include "publication/DataTexto.h"

#include <QRegularExpression>

namespace publicacao {

std::optional<QDate> leData(const QString &texto)
{
    static const QRegularExpression kData(QStringLiteral("^\\s*([0-9]{1,2})/([0-9]{1,2})/([0-9]{4})\\s*$"));
    const auto m = kData.match(texto);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate dia(m.capturedView(3).toInt(), m.capturedView(2).toInt(), m.capturedView(1).toInt());
    if (!dia.isValid())
        return std::nullopt;
    return dia;
}

QString textoData(QDate data)
{
    return data.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace publicacao
