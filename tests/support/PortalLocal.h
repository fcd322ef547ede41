#pragma once
// The real local portal (portal-local/, HTTP + FTP) for one test: started with Debian's Python on
// free loopback ports with a fresh database in a temporary folder (the demo office seeded unless
// asked otherwise), stopped and removed by the destructor.
//
//     PortalLocal portal;                  // QVERIFY2(portal.ativo(), qPrintable(portal.falha()));
//     portal.configura(*home.config);      // URLBase / URLBaseSite point at it
//     portal.ligaFalha("http500", "dicas_b.asp", 1);
//
// Demo office: domain "DEMO", login "MARIA", password "vorlin123".
#include <QByteArray>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>

namespace plataforma {
class CurlHttp;
class SettingsStore;
}

class PortalLocal {
public:
    struct Opcoes {
        bool demo = true;
        // Python run against the fresh database before the servers start; `portal` (the
        // portal-local Portal object) and `banco` (its store) are in scope.
        QString semente;
    };

    PortalLocal();
    explicit PortalLocal(const Opcoes &opcoes);
    ~PortalLocal();
    PortalLocal(const PortalLocal &) = delete;
    PortalLocal &operator=(const PortalLocal &) = delete;

    bool ativo() const { return m_portaHttp > 0; }
    QString falha() const { return m_falha; }   // why it did not start

    quint16 portaHttp() const { return m_portaHttp; }
    quint16 portaFtp() const { return m_portaFtp; }
    QString urlBase() const;       // "http://127.0.0.1:<http>/"
    QString urlBaseSite() const;   // urlBase() + "site/"
    QString raiz() const { return m_raiz.path(); }   // the portal's data folder

    // Writes "Config"/"URLBase" and "Config"/"URLBaseSite" into the test's settings.
    void configura(plataforma::SettingsStore &config) const;

    // Control requests (tests only). A fault mode ("delay", "drop", "garbage", "truncated",
    // "http500", "ftp_refuse_login", "ftp_refuse_upload", "disk_full") for paths containing
    // `caminho`, `vezes` times (0: until switched off); `ms` for "delay".
    QJsonObject ligaFalha(const QString &modo, const QString &caminho = QString(), int vezes = 0, int ms = 0);
    QJsonObject desligaFalhas();
    // Shifts the portal's clock (its date and the age of its sessions).
    QJsonObject deslocaRelogio(qint64 segundos);
    // Requests served so far, by path; `zera` starts counting again.
    QJsonObject contagens(bool zera = false);
    // Any control request: "state?...", "counts", "avisos"; the JSON reply's bytes.
    QByteArray controle(const QString &pedido);

    // Runs Python against the running portal's database (see Opcoes::semente); false on failure.
    // `saida` receives what it printed.
    bool executa(const QString &python, QString *saida = nullptr);

private:
    QString prologoPython() const;
    bool roda(const QString &python, QString *saida = nullptr);

    QTemporaryDir m_raiz;
    QProcess m_processo;
    std::unique_ptr<plataforma::CurlHttp> m_http;
    quint16 m_portaHttp = 0;
    quint16 m_portaFtp = 0;
    QString m_falha;
};
