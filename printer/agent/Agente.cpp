#include "Agente.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <syslog.h>
#include <unistd.h>

namespace agente {

namespace {

constexpr int kVarreduraMs = 3000;   // a safety net: inotify does the real work

// Moves without ever replacing a file: the program captures by file name.
bool moveSemSubstituir(const QString &de, const QString &para)
{
    const QByteArray a = QFile::encodeName(de);
    const QByteArray b = QFile::encodeName(para);
    if (renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (link(a.constData(), b.constData()) != 0)
        return false;
    unlink(a.constData());
    return true;
}

// `nome`, or "<base> (n).pdf" when `pasta` already has it.
QString nomeLivre(const QString &pasta, const QString &nome)
{
    QString candidato = nome;
    const QString base = nome.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) ? nome.chopped(4) : nome;
    for (int n = 2; QFileInfo::exists(pasta + QLatin1Char('/') + candidato) || QFileInfo(pasta + QLatin1Char('/') + candidato).isSymLink(); ++n)
        candidato = base + QStringLiteral(" (%1).pdf").arg(n);
    return candidato;
}

// A printed document: a plain file named *.pdf, not hidden (the backend writes hidden parts).
bool ehDocumento(const QFileInfo &info)
{
    return !info.isSymLink() && info.isFile() && !info.fileName().startsWith(QLatin1Char('.'))
        && info.fileName().endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive);
}

QFileInfoList documentos(const QString &pasta)
{
    QFileInfoList lista = QDir(pasta).entryInfoList(QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    lista.erase(std::remove_if(lista.begin(), lista.end(), [](const QFileInfo &i) { return !ehDocumento(i); }),
                lista.end());
    std::sort(lista.begin(), lista.end(), [](const QFileInfo &a, const QFileInfo &b) {
        const QDateTime ta = a.lastModified(), tb = b.lastModified();
        return ta != tb ? ta < tb : a.fileName() < b.fileName();
    });
    return lista;
}

// Which of `caminhos` some process of this user has on its command line: a program that an
// earlier agent started may still be showing it.
QSet<QString> emUsoPorProcessos(const QSet<QString> &caminhos)
{
    QSet<QString> emUso;
    const QStringList processos = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &pid : processos) {
        bool numero = false;
        pid.toLongLong(&numero);
        if (!numero)
            continue;
        struct stat st {};
        const QByteArray pasta = QByteArrayLiteral("/proc/") + pid.toLatin1();
        if (stat(pasta.constData(), &st) != 0 || st.st_uid != getuid())
            continue;
        QFile linha(QString::fromLatin1(pasta) + QStringLiteral("/cmdline"));
        if (!linha.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray &argumento : linha.readAll().split('\0')) {
            const QString texto = QFile::decodeName(argumento);
            if (caminhos.contains(texto))
                emUso.insert(texto);
        }
    }
    return emUso;
}

} // namespace

void registra(const QString &texto)
{
    const QByteArray linha = texto.toUtf8();
    std::fprintf(stderr, "vorlin-printer-agent: %s\n", linha.constData());
    std::fflush(stderr);
    syslog(LOG_USER | LOG_NOTICE, "%s", linha.constData());
}

QString localizaPrograma(const QString &programa)
{
    if (!programa.contains(QLatin1Char('/')))
        return QStandardPaths::findExecutable(programa);
    const QFileInfo info(programa);
    return info.isFile() && info.isExecutable() ? info.absoluteFilePath() : QString();
}

Agente::Agente(Config config) : m_config(std::move(config))
{
    m_varredura.setInterval(kVarreduraMs);
    connect(&m_varredura, &QTimer::timeout, this, &Agente::varre);
    connect(&m_vigia, &QFileSystemWatcher::directoryChanged, this, &Agente::varre);
}

Agente::~Agente()
{
    // The programs belong to the session: they stay open when the agent goes.
    m_encerrando = true;
    for (QProcess *p : std::as_const(m_abertos)) {
        p->disconnect();
        p->setParent(nullptr);
    }
}

QString Agente::pastaUsuario() const
{
    return m_config.raizSpool + QLatin1Char('/') + m_config.usuario;
}

QString Agente::pastaAbertos() const
{
    return pastaUsuario() + QStringLiteral("/opened");
}

int Agente::inicia()
{
    m_trava = std::make_unique<QLockFile>(m_config.trava);
    m_trava->setStaleLockTime(0);
    if (!m_trava->tryLock(0)) {
        qint64 pid = 0;
        QString host, app;
        m_trava->getLockInfo(&pid, &host, &app);
        registra(QStringLiteral("outro agente já atende o usuário %1 (PID %2); este termina.").arg(m_config.usuario).arg(pid));
        return OutroAgente;
    }
    m_programa = localizaPrograma(m_config.programa);
    if (m_programa.isEmpty()) {
        registra(QStringLiteral("o programa %1 não foi encontrado ou não pode ser executado. Os documentos impressos "
                                "ficam guardados em %2 e serão abertos quando ele estiver instalado.")
                     .arg(m_config.programa, pastaUsuario()));
        return SemPrograma;
    }
    int codigo = Ok;
    if (!preparaPastas(codigo))
        return codigo;
    vigia();
    m_varredura.start();
    varre();
    return Ok;
}

// The spool folder is made by the printer on the user's first job; until then there is nothing to do.
bool Agente::preparaPastas(int &codigo)
{
    const QFileInfo pasta(pastaUsuario());
    if (!pasta.exists() && !pasta.isSymLink())
        return true;
    if (pasta.isSymLink() || !pasta.isDir() || pasta.ownerId() != getuid()) {
        registra(QStringLiteral("%1 não é uma pasta deste usuário; nada será aberto.").arg(pastaUsuario()));
        codigo = PastaInvalida;
        return false;
    }
    const QFileInfo abertos(pastaAbertos());
    if (abertos.isSymLink() || (abertos.exists() && !abertos.isDir())) {
        registra(QStringLiteral("%1 não é uma pasta; nada será aberto.").arg(pastaAbertos()));
        codigo = PastaInvalida;
        return false;
    }
    if (!abertos.exists() && mkdir(QFile::encodeName(pastaAbertos()).constData(), 0700) != 0) {
        registra(QStringLiteral("não foi possível criar %1.").arg(pastaAbertos()));
        codigo = PastaInvalida;
        return false;
    }
    return true;
}

void Agente::vigia()
{
    const QStringList vigiadas = m_vigia.directories();
    const QString alvo = QFileInfo(pastaUsuario()).isDir() ? pastaUsuario() : m_config.raizSpool;
    if (vigiadas == QStringList{alvo})
        return;
    if (!vigiadas.isEmpty())
        m_vigia.removePaths(vigiadas);
    if (QFileInfo(alvo).isDir())
        m_vigia.addPath(alvo);
}

void Agente::varre()
{
    if (m_encerrando)
        return;
    if (!QFileInfo(pastaAbertos()).isDir()) {
        int codigo = Ok;
        if (!preparaPastas(codigo)) {
            m_encerrando = true;
            Q_EMIT falhaGrave(codigo);
            return;
        }
    }
    vigia();
    if (!QFileInfo(pastaAbertos()).isDir())
        return;
    recolheOrfaos();
    for (const QFileInfo &info : documentos(pastaUsuario())) {
        if (m_encerrando)
            return;
        entrega(info.fileName());
    }
}

// Files in opened/ that no program holds: their program was killed (a session that ended while
// it was open). Open them again; nothing printed is dropped.
void Agente::recolheOrfaos()
{
    QSet<QString> orfaos;
    for (const QFileInfo &info : documentos(pastaAbertos())) {
        const QString caminho = info.absoluteFilePath();
        if (!m_abertos.contains(caminho) && !m_guardados.contains(caminho))
            orfaos.insert(caminho);
    }
    if (orfaos.isEmpty() && m_adotados.isEmpty())
        return;
    const QSet<QString> emUso = emUsoPorProcessos(orfaos + m_adotados);
    // A program of an earlier agent has ended: its file is done with, as after our own programs.
    for (const QString &caminho : QSet<QString>(m_adotados)) {
        if (!emUso.contains(caminho)) {
            m_adotados.remove(caminho);
            orfaos.remove(caminho);
            QFile::remove(caminho);
        }
    }
    for (const QString &caminho : std::as_const(orfaos)) {
        if (emUso.contains(caminho))
            m_adotados.insert(caminho);
        else if (!m_encerrando)
            abre(caminho);
    }
}

void Agente::entrega(const QString &nome)
{
    const QString de = pastaUsuario() + QLatin1Char('/') + nome;
    const QString para = pastaAbertos() + QLatin1Char('/') + nomeLivre(pastaAbertos(), nome);
    if (!moveSemSubstituir(de, para)) {
        registra(QStringLiteral("não foi possível mover %1 para %2: %3").arg(de, para, QString::fromLocal8Bit(std::strerror(errno))));
        return;
    }
    abre(para);
}

void Agente::abre(const QString &caminho)
{
    auto *processo = new QProcess(this);
    processo->setProcessChannelMode(QProcess::ForwardedChannels);
    processo->setWorkingDirectory(QDir::homePath());
    m_abertos.insert(caminho, processo);
    connect(processo, &QProcess::finished, this, [this, caminho, processo](int codigo, QProcess::ExitStatus status) {
        m_abertos.remove(caminho);
        processo->deleteLater();
        terminou(caminho, status == QProcess::NormalExit, codigo);
    });
    connect(processo, &QProcess::errorOccurred, this, [this, caminho, processo](QProcess::ProcessError erro) {
        if (erro != QProcess::FailedToStart)
            return;
        m_abertos.remove(caminho);
        processo->deleteLater();
        // Put it back where it waited and stop: fail loudly, lose nothing.
        const QString volta = pastaUsuario() + QLatin1Char('/') + nomeLivre(pastaUsuario(), QFileInfo(caminho).fileName());
        moveSemSubstituir(caminho, volta);
        registra(QStringLiteral("não foi possível iniciar %1 (%2). O documento voltou para %3.")
                     .arg(m_programa, processo->errorString(), volta));
        m_encerrando = true;
        Q_EMIT falhaGrave(SemPrograma);
    });
    processo->start(m_programa, {caminho});
}

void Agente::terminou(const QString &caminho, bool normal, int codigo)
{
    if (normal && codigo == 0) {
        // The program deletes the document itself unless it kept a captured copy.
        QFile::remove(caminho);
        return;
    }
    if (!QFileInfo::exists(caminho))
        return;
    m_guardados.insert(caminho);
    registra(normal ? QStringLiteral("%1 terminou com o código %2; o documento fica em %3 e será aberto de novo "
                                     "no próximo início da sessão.").arg(m_programa).arg(codigo).arg(caminho)
                    : QStringLiteral("%1 terminou de forma anormal; o documento fica em %2 e será aberto de novo "
                                     "no próximo início da sessão.").arg(m_programa, caminho));
}

int abreCopia(const QString &programa, const QString &arquivo)
{
    const QString executavel = localizaPrograma(programa);
    if (executavel.isEmpty()) {
        registra(QStringLiteral("o programa %1 não foi encontrado ou não pode ser executado.").arg(programa));
        return SemPrograma;
    }
    const QFileInfo origem(arquivo);
    if (!origem.isFile()) {
        registra(QStringLiteral("%1 não é um arquivo.").arg(arquivo));
        return Uso;
    }
    QTemporaryDir pasta(QDir::tempPath() + QStringLiteral("/vorlin-printer-XXXXXX"));
    const QString copia = pasta.path() + QLatin1Char('/') + origem.fileName();
    if (!pasta.isValid() || !QFile::copy(origem.absoluteFilePath(), copia)) {
        registra(QStringLiteral("não foi possível copiar %1 para uma pasta temporária.").arg(arquivo));
        return Uso;
    }
    QProcess processo;
    processo.setProcessChannelMode(QProcess::ForwardedChannels);
    processo.start(executavel, {copia});
    if (!processo.waitForStarted(-1)) {
        registra(QStringLiteral("não foi possível iniciar %1 (%2).").arg(executavel, processo.errorString()));
        return SemPrograma;
    }
    processo.waitForFinished(-1);
    return processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : 1;
}

} // namespace agente
