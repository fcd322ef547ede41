#pragma once
// Document type code, its category description and the document title rule.
#include <QString>

namespace TipoDocumento {

// The lower-case text after the last "." of a file name or path; the whole value when it has none.
QString codigo(const QString &nomeOuCaminho);

// The category description of a type code (exact, case-sensitive match); "Outros" otherwise.
QString descricao(const QString &codigo);

// The trimmed title; the input field's prompt "Digite um Título" counts as no title.
QString titulo(const QString &texto);

} // namespace TipoDocumento
