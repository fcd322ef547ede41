#pragma once
// The portal session: login, confirmation, the check shared with other running copies, log-off
// and the restore at start-up. Kept in the settings section "Autenticacao".
#include "portal/ContextoPortal.h"

namespace portal {

class Sessao {
public:
    explicit Sessao(ContextoPortal &contexto) : m_ctx(contexto) {}

    // A malformed accepted reply (missing lines, a field that does not convert) throws
    // ErroPrograma before anything is stored; the caller logs it.
    bool Autentica(const QString &pDominio, const QString &pLogin, const QString &pSenha, int vTLogin);
    bool ConfirmaLogin();
    bool Logado();
    void LogOff();
    // The stored session, when still within its lifetime, confirmed with the portal. A stored value
    // that is missing or does not convert throws ErroPrograma.
    bool RestauraSessao();

    static qint32 SegundosLogin(int codigo);

private:
    QString le(const QString &chave, const QString &padrao = QString()) const;
    void grava(const QString &chave, const QString &valor);
    void limpaSessao(const QString &valorGravado);

    ContextoPortal &m_ctx;
};

} // namespace portal
