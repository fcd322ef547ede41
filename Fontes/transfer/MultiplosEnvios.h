#pragma once
// "Múltiplos envios": sends what the send queue holds, one document at a time, along the path of
// "Enviar": the publication record as it was queued, the environment's Envia run by the transfer
// window, and the environment's outcome. A document the portal accepted leaves the index, and its
// copy and data leave the queue; one that failed stays, its failure noted beside it. Before each
// send the entry is marked: a send cut off half-way (the program killed) is never repeated by
// "send all", since the portal may already have it. Shows nothing itself; its window does.
#include "publication/PortalInform.h"
#include "portal/classURL.h"
#include "transfer/FilaEnvio.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

class classAmbiente;

namespace transferencia {

class MultiplosEnvios {
public:
    // Where a send can be cut off; the test seam is called at each of them.
    enum class Etapa { AntesDoEnvio, DepoisDoEnvio, Retirado };

    struct Acoes {
        // Shows the transfer window, which publishes the environment's current document.
        std::function<void()> transferencia;
        // Called at every point of every send; a test throws from it to kill the sender there.
        std::function<void(Etapa, const QString &copia)> etapa;
    };

    enum class Situacao { Aguardando, Falhou, Interrompido, SemCopia };

    struct Item {
        QString copia;       // name of the copy in "files": the entry's key
        QString cliente;     // the client's name, or "(n)Empresas"
        QString descricao;
        QString ativacao;
        QString expiracao;
        QString pasta;       // the folder's names, level by level
        QString arquivo;     // the name the portal receives
        Situacao situacao = Situacao::Aguardando;
        QString falha;       // the last failure, for Falhou
    };

    struct Resultado {
        int enviados = 0;
        int falhas = 0;
    };

    MultiplosEnvios(classAmbiente &ambiente, Acoes acoes);

    // Reads the queue, in its order. False when it cannot be read; Erro() says why.
    bool Carrega();
    const QList<Item> &Itens() const { return m_itens; }
    const QString &Erro() const { return m_erro; }

    // Sends the named entries in queue order and reads the queue again. An entry whose send was
    // cut off goes only when `interrompidos` is true (the user picked it).
    Resultado Envia(const QStringList &copias, bool interrompidos);
    // Takes the named entries out of the queue without sending them.
    bool Remove(const QStringList &copias);

    // What the list shows for an entry.
    static QString TextoSituacao(const Item &item);

private:
    enum class Desfecho { Enviado, Falhou, Ausente };
    // interrompido: the entry was read as cut off, and the user sends it all the same
    Desfecho EnviaUm(const QString &copia, bool interrompido);
    QString NomePasta(const QString &valor);

    classAmbiente &m_ambiente;
    Acoes m_acoes;
    classURL m_url;
    publicacao::PortalInform m_portal;
    QHash<QString, QList<publicacao::PastaPortal>> m_pastas;   // by level and parent
    QList<Item> m_itens;
    QString m_erro;
};

} // namespace transferencia
