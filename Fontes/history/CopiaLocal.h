#pragma once
// Local copies of published files: the folder "Back" of the program folder holds one file per
// record identifier (the publish pipeline's backups and the downloaded copies), and "temp"
// holds the copies handed to the viewer under the published file name.
#include "platform/Servicos.h"
#include "portal/classURL.h"

#include <QString>

namespace historico {

// Names from the portal become local file names: no separators, no "..", no control
// characters, and not empty or ".".
bool nomeLocalSeguro(const QString &nome);

// pathUser ends with the separator. One spelling of the folder for the backups and the
// downloads, so the copies are found on case-sensitive file systems too.
QString pastaCopias(const QString &pathUser);
QString caminhoCopia(const QString &pathUser, const QString &id);
QString pastaVisualizacao(const QString &pathUser);
QString caminhoVisualizacao(const QString &pathUser, const QString &nomeArquivo);

// Whether the copy of a record exists; an unsafe identifier never has one.
bool copiaExiste(const plataforma::FileService &fso, const QString &pathUser, const QString &id);

struct PedidoArquivo {
    QString urlBase;    // ends with "/"
    qint32 sessao = 0;
    qint32 loginId = 0;
    QString pathUser;   // ends with the separator
};

// Fetches the published file of record pId_Arq and writes its bytes, exactly, as the local copy.
// False with the message in erro: "Arquivo não encontrador!" for an empty reply or an unsafe
// identifier (nothing is asked then), "Erro" CR LF and the fault's description when the copy
// cannot be written.
bool BaixaArquivo(plataforma::Servicos &servicos, const classURL &url, const PedidoArquivo &pedido,
                  const QString &pId_Arq, QString &erro);

} // namespace historico
