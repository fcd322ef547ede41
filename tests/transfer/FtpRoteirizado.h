#pragma once
// Doubles for classFtp: a scripted FTP session that fails the steps it is told to, and a listener;
// both write into one log, where the interface yields show up as "yield" in their place.
#include "ScriptedUi.h"
#include "platform/FtpClient.h"
#include "transfer/classFtp.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QStringList>
#include <functional>

struct Registro {
    const ScriptedUi *ui = nullptr;
    qint64 yieldsVistos = 0;
    QStringList linhas;

    void operator()(const QString &linha)
    {
        for (; ui && yieldsVistos < ui->eventosProcessados; ++yieldsVistos)
            linhas << QStringLiteral("yield");
        linhas << linha;
    }
    // only the listener's lines
    QStringList eventos() const
    {
        QStringList saida;
        for (const QString &l : linhas)
            if (l.startsWith(QLatin1String("Geral ")) || l.startsWith(QLatin1String("Progress ")))
                saida << l;
        return saida;
    }
};

class FtpRoteirizado final : public plataforma::FtpClient {
public:
    explicit FtpRoteirizado(Registro &registro) : m_registro(registro) {}

    // step name ("abreSessao", "conecta", "mudaDiretorio", "leDiretorio", "abreEnvio", "concluiEnvio",
    // "baixa", "apaga") -> the failure it answers with
    QHash<QString, plataforma::FalhaFtp> falhas;
    int falhaNaEscrita = 0;   // the n-th write fails (from 1); 0: none
    plataforma::FalhaFtp falhaEscrita{55, QStringLiteral("Falha ao enviar dados ao servidor")};
    std::function<void(int)> aoEscrever;   // after the n-th write was taken
    bool registraEscritas = true;
    bool guardaBytes = true;   // false: only their count (files of gigabytes)

    // what arrived
    plataforma::AcessoFtp acesso = plataforma::AcessoFtp::Direto;
    QString host;
    quint16 porta = 0;
    QString usuario;
    QString senha;
    QString nomeRemoto;
    QByteArray recebidos;
    qint64 totalRecebido = 0;
    qint64 recebidoAoConcluir = -1;   // bytes taken when the server was asked to confirm
    QList<qint64> escritas;
    bool sessaoAberta = false;

    bool abreSessao(plataforma::AcessoFtp a) override
    {
        acesso = a;
        sessaoAberta = true;
        return passo(QStringLiteral("abreSessao"));
    }
    bool conecta(const QString &h, quint16 p, const QString &u, const QString &s) override
    {
        host = h;
        porta = p;
        usuario = u;
        senha = s;
        return passo(QStringLiteral("conecta"), QStringLiteral("%1:%2").arg(h).arg(p));
    }
    bool mudaDiretorio(const QString &d) override { return passo(QStringLiteral("mudaDiretorio"), d); }
    bool leDiretorio(QString *d) override
    {
        if (d)
            *d = QStringLiteral("/");
        return passo(QStringLiteral("leDiretorio"));
    }
    bool abreEnvio(const QString &nome) override
    {
        nomeRemoto = nome;
        return passo(QStringLiteral("abreEnvio"), nome);
    }
    bool escreve(QByteArrayView bytes) override
    {
        const int n = escritas.size() + 1;
        escritas << bytes.size();
        if (registraEscritas)
            m_registro(QStringLiteral("escreve %1").arg(bytes.size()));
        if (n == falhaNaEscrita) {
            m_falha = falhaEscrita;
            return false;
        }
        if (guardaBytes)
            recebidos += bytes;
        totalRecebido += bytes.size();
        if (aoEscrever)
            aoEscrever(n);
        return true;
    }
    bool concluiEnvio() override
    {
        recebidoAoConcluir = totalRecebido;
        return passo(QStringLiteral("concluiEnvio"));
    }
    void fechaArquivo() override { m_registro(QStringLiteral("fechaArquivo")); }
    bool baixa(const QString &remoto, const QString &local) override
    {
        nomeRemoto = remoto;
        return passo(QStringLiteral("baixa"), remoto + QStringLiteral(" -> ") + local);
    }
    bool apaga(const QString &remoto) override
    {
        nomeRemoto = remoto;
        return passo(QStringLiteral("apaga"), remoto);
    }
    void fecha() override
    {
        if (sessaoAberta)
            m_registro(QStringLiteral("fecha"));
        sessaoAberta = false;
    }
    plataforma::FalhaFtp ultimaFalha() const override { return m_falha; }

private:
    bool passo(const QString &nome, const QString &argumento = QString())
    {
        m_registro(argumento.isEmpty() ? nome : nome + QLatin1Char(' ') + argumento);
        const auto f = falhas.constFind(nome);
        if (f == falhas.cend())
            return true;
        m_falha = *f;
        return false;
    }

    Registro &m_registro;
    plataforma::FalhaFtp m_falha;
};

class OuvinteRegistrado final : public classFtp::Ouvinte {
public:
    explicit OuvinteRegistrado(Registro &registro) : m_registro(registro) {}

    QList<QPair<qint64, qint64>> progressos;
    std::function<void()> aoProgredir;   // may throw, as a listener's fault does

    void Progress(qint64 vPercentual, qint64 vTotal) override
    {
        progressos << qMakePair(vPercentual, vTotal);
        if (m_registraProgresso)
            m_registro(QStringLiteral("Progress %1 %2").arg(vPercentual).arg(vTotal));
        if (aoProgredir)
            aoProgredir();
    }
    void Geral(quint8 vCodigo, const QString &vMensagem) override
    {
        m_registro(QStringLiteral("Geral %1 %2").arg(vCodigo).arg(vMensagem));
    }
    void Mensagem(qint16 vCodigo, const QString &vMensagem) override
    {
        m_registro(QStringLiteral("Mensagem %1 %2").arg(vCodigo).arg(vMensagem));
    }
    void registraProgresso(bool sim) { m_registraProgresso = sim; }

private:
    Registro &m_registro;
    bool m_registraProgresso = true;
};
