#pragma once
// Dates travel between the dialog, the record and the portal as text in the Brazilian short date
// form (dd/MM/yyyy); empty text means no date.
#include <QDate>
#include <QString>
#include <optional>

namespace publicacao {

// The date a text names: day/month/four-digit year, blanks around allowed; nothing otherwise.
std::optional<QDate> leData(const QString &texto);
// dd/MM/yyyy
QString textoData(QDate data);

} // namespace publicacao
