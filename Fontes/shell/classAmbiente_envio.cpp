// The environment object's publish operation, forwarded to the pipeline under transfer/ working on
// this object's document, session values and publication values.
#include "shell/classAmbiente.h"

#include "portal/ContextoPortal.h"
#include "transfer/PublicaArquivo.h"

void classAmbiente::Envia(classFtp &vFtp)
{
    classURL url(m_servicos.http);
    portal::ContextoPortal contexto{*this, m_erro, m_servicos, url, m_sistema, m_pathUser, {}};
    transferencia::PublicaArquivo publicacao(contexto, Enviar,
                                             {m_arquivo, m_titulo, m_tipo, Email, pasta, UsuariosId},
                                             [this](const QString &id) { return Captura(id); },
                                             {m_enviado, LastIds});
    publicacao.Envia(vFtp);
}
