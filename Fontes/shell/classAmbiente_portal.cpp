// The environment object's portal operations: session, directory and status services, each
// forwarded to its class under portal/ working on this object's session values.
#include "shell/classAmbiente.h"

#include "platform/ErrorCodes.h"
#include "portal/Diretorio.h"
#include "portal/Sessao.h"
#include "portal/StatusPortal.h"

class ServicosPortal {
public:
    ServicosPortal(classAmbiente &ambiente, QString &erro)
        : url(ambiente.servicos().http),
          contexto{ambiente, erro, ambiente.servicos(), url, ambiente.Sistema(), ambiente.PathUser(),
                   [&ambiente] { return ambiente.Captura(QString()); }},
          sessao(contexto), diretorio(contexto), status(contexto)
    {
    }

    classURL url;
    portal::ContextoPortal contexto;
    portal::Sessao sessao;
    portal::Diretorio diretorio;
    portal::StatusPortal status;
};

namespace {

// Created on first use: the program folder and the services are fixed by then.
ServicosPortal &portalDe(std::shared_ptr<ServicosPortal> &portal, classAmbiente &ambiente, QString &erro)
{
    if (!portal)
        portal = std::make_shared<ServicosPortal>(ambiente, erro);
    return *portal;
}

} // namespace

bool classAmbiente::Autentica(const QString &pDominio, const QString &pLogin, const QString &pSenha, int vTLogin)
{
    return portalDe(m_portal, *this, m_erro).sessao.Autentica(pDominio, pLogin, pSenha, vTLogin);
}

bool classAmbiente::Logado()
{
    return portalDe(m_portal, *this, m_erro).sessao.Logado();
}

void classAmbiente::LogOff()
{
    portalDe(m_portal, *this, m_erro).sessao.LogOff();
}

bool classAmbiente::RestauraSessao()
{
    try {
        return portalDe(m_portal, *this, m_erro).sessao.RestauraSessao();
    } catch (const plataforma::ErroPrograma &) {
        // nothing stored yet, or a value that does not convert: no session
        Autenticado = false;
        return false;
    }
}

bool classAmbiente::Sincroniza(bool &pAtualiza, bool pCarteiras, const QString &pUsuario)
{
    return portalDe(m_portal, *this, m_erro).diretorio.Sincroniza(pAtualiza, pCarteiras, pUsuario);
}

QList<portal::LinhaTabela> classAmbiente::Carteiras() const
{
    return Tabelas.carteiras;
}

QList<portal::LinhaTabela> classAmbiente::Clientes(qint64 vCarteira) const
{
    return portal::Diretorio::clientesDe(Tabelas, vCarteira);
}

QList<portal::LinhaTabela> classAmbiente::Usuarios() const
{
    return Tabelas.usuarios;
}

bool classAmbiente::Internet()
{
    return portalDe(m_portal, *this, m_erro).status.Internet();
}

bool classAmbiente::AtualizaEspaco()
{
    return portalDe(m_portal, *this, m_erro).status.AtualizaEspaco();
}

bool classAmbiente::Dica()
{
    return portalDe(m_portal, *this, m_erro).status.Dica();
}

QString classAmbiente::LogoEscritorio(const QString &pCaminho, bool pAtualiza)
{
    return portalDe(m_portal, *this, m_erro).status.LogoEscritorio(pCaminho, pAtualiza);
}

QString classAmbiente::URLBase() const
{
    return portal::URLBase(m_servicos.config);
}

QString classAmbiente::URLBaseSite() const
{
    return portal::URLBaseSite(m_servicos.config);
}
