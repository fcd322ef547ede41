#pragma once
// The FTP client on libcurl. One session per operation: abreSessao() starts it, fecha() ends it
// together with its connection, which every step in between reuses. Passive mode (EPSV, then PASV
// when the server does not know it), binary transfers, a time-out on every step. Each step runs
// on a thread of its own while the caller's thread gives its window turns (defineVez); a step
// asked for during such a turn is refused.
#include "FtpClient.h"

#include <functional>
#include <memory>

namespace plataforma {

class CurlFtp final : public FtpClient {
public:
    // Holds one reference to libcurl's global state, as CurlHttp does.
    explicit CurlFtp(TemposFtp tempos = {});
    ~CurlFtp() override;

    CurlFtp(const CurlFtp &) = delete;
    CurlFtp &operator=(const CurlFtp &) = delete;

    bool abreSessao(AcessoFtp acesso) override;
    bool conecta(const QString &host, quint16 porta, const QString &usuario, const QString &senha) override;
    bool mudaDiretorio(const QString &diretorio) override;
    bool leDiretorio(QString *diretorio) override;
    bool abreEnvio(const QString &nomeRemoto) override;
    bool escreve(QByteArrayView bytes) override;
    bool concluiEnvio() override;
    void fechaArquivo() override;
    bool baixa(const QString &nomeRemoto, const QString &caminhoLocal) override;
    bool apaga(const QString &nomeRemoto) override;
    void fecha() override;
    FalhaFtp ultimaFalha() const override { return m_falha; }

    const TemposFtp &tempos() const { return m_tempos; }
    void defineTempos(TemposFtp tempos) { m_tempos = tempos; }

    // Portuguese text of a libcurl error number.
    static QString descricao(int codigo);

    struct Sessao;

private:
    bool falha(int codigo, const QString &mensagem = QString());
    bool falhaDoPasso(int codigo);
    bool comando(const QByteArray &linha);
    bool ocupado();
    void emSegundoPlano(const std::function<void()> &trabalho);
    void conduz(const std::function<bool()> &basta = {});

    TemposFtp m_tempos;
    bool m_iniciado = false;
    bool m_conduzindo = false;
    std::unique_ptr<Sessao> m_sessao;
    FalhaFtp m_falha;
};

} // namespace plataforma
