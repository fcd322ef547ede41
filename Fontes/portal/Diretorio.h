#pragma once
// The office directory: wallets, clients and users fetched from the portal, a cache file of the
// reply, and the tables the publication dialog and the history window read.
#include "portal/ContextoPortal.h"
#include "portal/TabelasDiretorio.h"

namespace portal {

class Diretorio {
public:
    explicit Diretorio(ContextoPortal &contexto) : m_ctx(contexto) {}

    // pCarteiras: the wallet form ("&c=1", cache "sinc.rtx"), else the user form ("&u=1",
    // "sincu.rpx"). pAtualiza is set to true; pUsuario is not used.
    bool Sincroniza(bool &pAtualiza, bool pCarteiras, const QString &pUsuario = QString());

    const QList<LinhaTabela> &Carteiras() const { return m_ctx.estado.Tabelas.carteiras; }
    const QList<LinhaTabela> &Usuarios() const { return m_ctx.estado.Tabelas.usuarios; }
    // The clients of one wallet when vCarteira > 0, else all of them; (id, name), in reply order.
    QList<LinhaTabela> Clientes(qint64 vCarteira) const { return clientesDe(m_ctx.estado.Tabelas, vCarteira); }
    static QList<LinhaTabela> clientesDe(const TabelasDiretorio &tabelas, qint64 vCarteira);

    QString arquivoCache(bool pCarteiras) const;

    // Builds the tables from a reply whose marker was already checked; throws ErroPrograma on a
    // malformed one. Public for the benchmark.
    static TabelasDiretorio leResposta(const QString &resposta, bool &temCarteira, QString &erro);

private:
    ContextoPortal &m_ctx;
};

} // namespace portal
