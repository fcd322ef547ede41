// The environment object's side of the history: the query object that lives while the history
// window is open, and the download of one published file.
#include "shell/classAmbiente.h"

#include "history/CopiaLocal.h"

void classAmbiente::Consulta_Iniciar()
{
    Consultar = std::make_unique<classConsultar>(m_servicos);
    Consultar->GetPar(URLBase(), lngSessao, lngLogin_ID, Sistema(), LastIds, PathUser());
}

void classAmbiente::Consulta_Finalizar()
{
    Consultar.reset();
}

bool classAmbiente::BArquivo(const QString &pId_Arq, const QString &pTam_arq)
{
    Q_UNUSED(pTam_arq);   // the size as the grid shows it; the portal sends the whole file anyway
    const classURL url(m_servicos.http);
    const historico::PedidoArquivo pedido{URLBase(), lngSessao, lngLogin_ID, PathUser()};
    return historico::BaixaArquivo(m_servicos, url, pedido, pId_Arq, m_erro);
}
