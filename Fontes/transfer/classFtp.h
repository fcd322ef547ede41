#pragma once
// The program's FTP client: uploads one local file into the root folder of the office's FTP
// account, read in 100-byte pieces with one Progress each but sent in large blocks, and tells its
// one listener how far it got. The window gets its turn by time (UiServices::cedeVez) all along,
// during every network step too. It keeps no configuration and no connection: server ("host" or "host:port"), user
// and password come with every call, and each call opens and closes its own session.
#include "platform/FtpClient.h"
#include "platform/UiServices.h"

#include <QString>

class QFile;

class classFtp {
public:
    // The events, in this order of declaration. A fault the listener raises inside an event passes
    // through to the caller of the operation; the session is closed on the way.
    class Ouvinte {
    public:
        virtual ~Ouvinte() = default;
        // bytes handed to the server so far, and the file's length (a total of 0 is possible)
        virtual void Progress(qint64 /*vPercentual*/, qint64 /*vTotal*/) {}
        // 1 a step was reached, 2 the operation ended, 3 an error with its text
        virtual void Geral(quint8 /*vCodigo*/, const QString & /*vMensagem*/) {}
        // raised only by the Mensagem operation: a display code for the listener
        virtual void Mensagem(qint16 /*vCodigo*/, const QString & /*vMensagem*/) {}
    };

    classFtp(plataforma::FtpClient &cliente, plataforma::UiServices &ui, Ouvinte *ouvinte = nullptr);

    classFtp(const classFtp &) = delete;
    classFtp &operator=(const classFtp &) = delete;

    void defineOuvinte(Ouvinte *ouvinte) { m_ouvinte = ouvinte; }

    // True only when the whole file was written and the server confirmed it. A missing local file
    // is told in a message box and answers false, with no event. An empty vTitulo sends the file
    // under its own name.
    bool Transmite(const QString &vServer, const QString &vUser, const QString &vPws, const QString &vFile,
                   const QString &vTitulo);
    // Downloads vRemoteFile from the root folder; an existing vLocalFile is replaced only on success.
    bool Recebe(const QString &vServer, const QString &vUser, const QString &vPws, const QString &vLocalFile,
                const QString &vRemoteFile);
    void Deleta(const QString &vServer, const QString &vUser, const QString &vPws, const QString &vFile);
    // Hands the pair straight to the listener's Mensagem.
    void Mensagem(qint16 vCod, const QString &vDescricao);

private:
    void geral(quint8 codigo, const QString &mensagem);
    void progress(qint64 enviados, qint64 total);
    void reporta(const QString &operacao);
    void reporta(const QString &operacao, int codigo, const QString &mensagem);
    void falhaLocal(const QFile &arquivo);
    bool conecta(plataforma::AcessoFtp acesso, const QString &vServer, const QString &vUser, const QString &vPws);
    bool entraNaRaiz();
    void fechamento();

    plataforma::FtpClient &m_cliente;
    plataforma::UiServices &m_ui;
    Ouvinte *m_ouvinte = nullptr;
    bool m_ocupado = false;
};
