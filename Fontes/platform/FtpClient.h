#pragma once
// One FTP session, step by step: the caller opens it, connects and logs in, works in the account
// and closes it within one operation. Passive mode, binary transfers. Never throws: a step that
// fails answers false and leaves its reason in ultimaFalha().
#include <QByteArrayView>
#include <QString>

#include <functional>

namespace plataforma {

struct TemposFtp {
    int conexaoMs = 15000;   // connect
    int paradoMs = 60000;    // a stalled reply or transfer
};

// The library's error number and a Portuguese text; when the server refused the step, the text
// is the server's own reply.
struct FalhaFtp {
    int codigo = 0;
    QString mensagem;
};

enum class AcessoFtp {
    Direto,           // no proxy at all
    Preconfigurado,   // whatever the machine is set up to use
};

class FtpClient {
public:
    virtual ~FtpClient() = default;

    virtual bool abreSessao(AcessoFtp acesso) = 0;
    virtual bool conecta(const QString &host, quint16 porta, const QString &usuario, const QString &senha) = 0;
    virtual bool mudaDiretorio(const QString &diretorio) = 0;
    virtual bool leDiretorio(QString *diretorio) = 0;

    // Upload into the root folder: open, hand the bytes over in pieces, then have the server
    // confirm the whole file.
    virtual bool abreEnvio(const QString &nomeRemoto) = 0;
    virtual bool escreve(QByteArrayView bytes) = 0;
    virtual bool concluiEnvio() = 0;
    // Drops an upload that was not concluded; nothing when there is none.
    virtual void fechaArquivo() = 0;

    // Replaces the local file only when the whole download arrived.
    virtual bool baixa(const QString &nomeRemoto, const QString &caminhoLocal) = 0;
    virtual bool apaga(const QString &nomeRemoto) = 0;

    // Ends the session and its connection; safe to call at any point, more than once.
    virtual void fecha() = 0;

    virtual FalhaFtp ultimaFalha() const = 0;

    // Called again and again while a step waits on the network or moves bytes, so the caller can
    // keep its window live; nothing when empty.
    void defineVez(std::function<void()> vez) { m_vez = std::move(vez); }

protected:
    void cedeVez() const
    {
        if (m_vez)
            m_vez();
    }

private:
    std::function<void()> m_vez;
};

} // namespace plataforma
