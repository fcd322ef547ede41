#pragma once
// Texts the main window's files share, written once.
#include <QString>

namespace frmMainTextos {

inline const QString kNovaLinha = QStringLiteral("\r\n");
inline const QString kAguarde = QStringLiteral("Aguarde");
inline const QString kInformaEstado = QStringLiteral("Informa o estado de sua conexão com a internet");

inline QString linhas(int quantas)
{
    return kNovaLinha.repeated(quantas);
}

} // namespace frmMainTextos
