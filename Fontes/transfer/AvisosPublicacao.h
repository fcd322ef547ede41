#pragma once
// The e-mail notices of one published record: the portal lists the people to notify and then
// sends (or schedules) one notice per person. Each person's outcome goes to the transfer window.
#include "portal/ContextoPortal.h"

#include <QString>

class classFtp;

namespace transferencia {

class AvisosPublicacao {
public:
    explicit AvisosPublicacao(portal::ContextoPortal &contexto) : m_ctx(contexto) {}

    // pModo is the notice mode (1 or 2). A list without a company line, or a person line without
    // ";", throws ErroPrograma; a refused notice is only shown.
    void Avisa(classFtp &vFtp, const QString &pId, int pModo);

private:
    QString enviaAviso(const QString &pId, const QString &email);

    portal::ContextoPortal &m_ctx;
};

} // namespace transferencia
