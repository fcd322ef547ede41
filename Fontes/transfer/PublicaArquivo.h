#pragma once
// The publish pipeline: uploads the current document into the office's FTP account, registers it
// on the portal (one record per client company), keeps a backup per record and has the portal
// send the e-mail notices. Each step is written to the transfer window through classFtp's
// Mensagem. Like every class here it shows nothing of its own but the debug boxes: the outcome is
// left in the owner's Enviado, Erro and LastIds.
#include "portal/ContextoPortal.h"
#include "publication/classEnviar.h"

#include <QString>
#include <functional>

class classFtp;

namespace transferencia {

// The document and the publication dialog's values for it.
struct DocumentoEnvio {
    QString arquivo;      // full local path
    QString titulo;       // empty in practice: the remote name is then the local file name
    QString tipo;         // lower-case extension, without the dot
    QString email;        // "S" or "N"
    QString pasta;        // folder path value: five ids, each followed by "|"
    QString usuariosId;   // "client|user" entries joined by "*"; may be empty
};

// The owner's values the outcome goes into.
struct ResultadoEnvio {
    bool &enviado;
    QString &lastIds;
};

class PublicaArquivo {
public:
    // Keeps a backup copy of the document under a record identifier; false leaves its message in
    // the context's erro.
    using Backup = std::function<bool(const QString &identificador)>;

    PublicaArquivo(portal::ContextoPortal &contexto, const classEnviar &enviar, DocumentoEnvio documento,
                   Backup backup, ResultadoEnvio resultado);

    PublicaArquivo(const PublicaArquivo &) = delete;
    PublicaArquivo &operator=(const PublicaArquivo &) = delete;

    // Never throws: a malformed reply or a listener's fault ends like any other failure.
    void Envia(classFtp &vFtp);

    // The title with its type, or else the file name of the local path.
    static QString nomeRemoto(const DocumentoEnvio &documento);
    // Path and query of the registration, as appended to URLBase.
    QString pedidoRegistro(const QString &remoto) const;

private:
    bool publica(classFtp &vFtp);
    void falha(classFtp &vFtp);
    void guardaBackups(const QStringList &ids);

    portal::ContextoPortal &m_ctx;
    const classEnviar &m_enviar;
    DocumentoEnvio m_doc;
    Backup m_backup;
    ResultadoEnvio m_resultado;
};

// Valor as the registration carries it: plain decimal text with a point, no thousands separator.
QString textoValor(double valor);

} // namespace transferencia
