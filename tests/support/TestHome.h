#pragma once
// A throw-away home for one test: HOME, XDG_DATA_HOME and XDG_CONFIG_HOME point into a temporary
// folder, and a Servicos bundle is built from doubles (scripted UI, fake clock, scripted HTTP and FTP).
#include "FakeClock.h"
#include "ScriptedUi.h"
#include "platform/Servicos.h"

#include <QByteArray>
#include <QList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

// HTTP double: answers each GET from a function of the URL (empty body by default) and records the URLs.
class ScriptedHttp final : public plataforma::HttpClient {
public:
    std::function<QByteArray(const QByteArray &url)> resposta;
    QList<QByteArray> urls;
    QByteArray get(const QByteArray &url) override
    {
        urls << url;
        cedeVez();   // the wait on the network, where the caller's turns come
        return resposta ? resposta(url) : QByteArray();
    }
};

// FTP double: every step succeeds unless named in `falha`; keeps what an upload sent.
class ScriptedFtp final : public plataforma::FtpClient {
public:
    QString falha;   // "conecta", "abreEnvio", ...: that step answers false
    plataforma::FalhaFtp motivo{67, QStringLiteral("530 Login incorrect.")};
    QString host, usuario, senha, nomeRemoto;
    QByteArray recebidos;

    bool abreSessao(plataforma::AcessoFtp) override { return passo(QStringLiteral("abreSessao")); }
    bool conecta(const QString &h, quint16, const QString &u, const QString &s) override
    {
        host = h;
        usuario = u;
        senha = s;
        return passo(QStringLiteral("conecta"));
    }
    bool mudaDiretorio(const QString &) override { return passo(QStringLiteral("mudaDiretorio")); }
    bool leDiretorio(QString *d) override
    {
        if (d)
            *d = QStringLiteral("/");
        return passo(QStringLiteral("leDiretorio"));
    }
    bool abreEnvio(const QString &nome) override
    {
        nomeRemoto = nome;
        recebidos.clear();
        return passo(QStringLiteral("abreEnvio"));
    }
    bool escreve(QByteArrayView bytes) override
    {
        recebidos += bytes;
        return passo(QStringLiteral("escreve"));
    }
    bool concluiEnvio() override { return passo(QStringLiteral("concluiEnvio")); }
    void fechaArquivo() override {}
    bool baixa(const QString &, const QString &) override { return passo(QStringLiteral("baixa")); }
    bool apaga(const QString &) override { return passo(QStringLiteral("apaga")); }
    void fecha() override {}
    plataforma::FalhaFtp ultimaFalha() const override { return motivo; }

private:
    bool passo(const QString &nome) const { return nome != falha; }
};

class TestHome {
public:
    TestHome();
    ~TestHome();

    bool valido() const { return m_dir.isValid(); }
    QString raiz() const { return m_dir.path(); }
    // <XDG_DATA_HOME>/VorlinPrinter/ with the platform separator at the end
    QString pastaPrograma() const;
    // creates the program folder (the printer's installer does that on a real machine)
    bool criaPastaPrograma() const;
    // writes a small file and returns its path
    QString criaArquivo(const QString &nomeRelativo, const QByteArray &conteudo = QByteArrayLiteral("%PDF-1.4\n%%EOF\n")) const;

    ScriptedUi ui;
    FakeClock relogio;
    ScriptedHttp http;
    ScriptedFtp ftp;
    plataforma::FileService fso;
    std::unique_ptr<plataforma::SettingsStore> config;
    plataforma::Servicos servicos();
    // the same doubles around real (or other) network clients
    plataforma::Servicos servicos(plataforma::HttpClient &rede, plataforma::FtpClient &ftpRede);

private:
    QTemporaryDir m_dir;
    QByteArray m_antigos[3];
};
