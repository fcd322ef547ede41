#pragma once
// The side panel's portal services: connectivity, storage figures, tips and the office logo.
#include "portal/ContextoPortal.h"

namespace portal {

class StatusPortal {
public:
    explicit StatusPortal(ContextoPortal &contexto) : m_ctx(contexto) {}

    bool Internet();
    bool AtualizaEspaco();
    bool Dica();
    // The local path of the office logo (pCaminho + Logo), downloaded when missing or when
    // pAtualiza asks for it; empty text after a failed download.
    QString LogoEscritorio(const QString &pCaminho, bool pAtualiza);

    // A logo name from the portal is used as a file name in the program folder: nothing that
    // could leave it (separators, "..") and no control characters.
    static bool nomeArquivoSeguro(const QString &nome);

private:
    ContextoPortal &m_ctx;
};

} // namespace portal
