#pragma once
#include <QString>

namespace plataforma {

// The user's roaming application-data folder (XDG_DATA_HOME, default ~/.local/share on Linux),
// without a trailing separator; empty when it cannot be determined.
QString pastaDadosUsuario();

// The platform's path separator as text ("/" or "\").
QString separador();

// The file name part of a path: the text after its last separator.
QString nomeArquivo(const QString &caminho);

// The running executable's file name without its extension.
QString nomeExecutavel();

} // namespace plataforma
