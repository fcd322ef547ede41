#pragma once
// The per-user hand-off agent: runs in the desktop session, watches the user's spool folder and
// opens each printed PDF in Vorlin Printer, deleting it once the program has ended.
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>
#include <memory>

class QLockFile;
class QProcess;

namespace agente {

// Exit codes, also used by --abrir.
enum Saida : int {
    Ok = 0,
    Uso = 1,
    OutroAgente = 2,
    SemPrograma = 3,
    PastaInvalida = 4,
};

struct Config {
    QString raizSpool;   // /var/spool/vorlin-printer
    QString usuario;     // the session's user name
    QString programa;    // vorlin-printer, a path or a name found on PATH
    QString trava;       // the lock file: one agent per user
};

// Writes a line to stderr (the session's log) and to syslog.
void registra(const QString &texto);

// The program as an executable path, or empty when it cannot be run.
QString localizaPrograma(const QString &programa);

class Agente : public QObject {
    Q_OBJECT
public:
    explicit Agente(Config config);
    ~Agente() override;

    // Takes the lock, checks the program and the folder, hands on what is waiting and starts
    // watching. Returns Ok, or the exit code after saying why.
    int inicia();

    QString pastaUsuario() const;
    QString pastaAbertos() const;

Q_SIGNALS:
    // Something the agent cannot go on without; the process should end with this code.
    void falhaGrave(int codigo);

private:
    void varre();
    void entrega(const QString &nome);
    void abre(const QString &caminho);
    void terminou(const QString &caminho, bool normal, int codigo);
    void recolheOrfaos();
    bool preparaPastas(int &codigo);
    void vigia();

    Config m_config;
    QString m_programa;
    std::unique_ptr<QLockFile> m_trava;
    QFileSystemWatcher m_vigia;
    QTimer m_varredura;
    QHash<QString, QProcess *> m_abertos;   // opened file -> the program showing it
    QSet<QString> m_adotados;                // opened files held by a program the agent did not start
    QSet<QString> m_guardados;               // kept after a failed run, handed on at the next start
    bool m_encerrando = false;
};

// "Abrir com": hands the program a copy of `arquivo`, since the program deletes the document it
// was given when no capture took place; waits for it and returns its exit code.
int abreCopia(const QString &programa, const QString &arquivo);

} // namespace agente
