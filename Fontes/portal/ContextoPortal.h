#pragma once
// What the portal operations work on: the environment object's session values and failure
// text, the platform services, the HTTP primitive and the document capture.
#include "platform/Ansi.h"
#include "platform/Servicos.h"
#include "portal/EstadoSessao.h"
#include "portal/classURL.h"

#include <QString>
#include <functional>

namespace portal {

struct ContextoPortal {
    EstadoSessao &estado;
    QString &erro;
    plataforma::Servicos &servicos;
    classURL &url;
    QString sistema;                  // application name, the success marker of the replies
    QString pathUser;                 // program folder, ending with the separator
    std::function<bool()> captura;    // copies the document into "PROC" after a login or confirmation

    QString urlBase() const { return URLBase(servicos.config); }
    QString urlBaseSite() const { return URLBaseSite(servicos.config); }
    // Fetches URLBase + caminho, keeping the address and reply for inspection.
    QString pede(const QString &caminho)
    {
        estado.UltimaUrl = urlBase() + caminho;
        estado.UltimaResposta = url.AbreURL(estado.UltimaUrl);
        return estado.UltimaResposta;
    }
    // The same, also handing back the reply's exact bytes.
    QByteArray pedeBytes(const QString &caminho)
    {
        estado.UltimaUrl = urlBase() + caminho;
        const QByteArray bytes = url.AbreURLBytes(estado.UltimaUrl);
        estado.UltimaResposta = plataforma::deAnsi(bytes);
        return bytes;
    }
};

} // namespace portal
