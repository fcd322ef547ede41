// The hand-off agent, run as its own process on a spool folder of the test, with a stand-in for
// the program that records the path it was given and waits until the test lets it end.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <pwd.h>
#include <unistd.h>

namespace {

const char kPrograma[] = R"SH(#!/bin/sh
printf '%s\n' "$1" >> "$VORLIN_TESTE/registro"
n=0
while [ -d "$VORLIN_TESTE/liberar" ] && [ ! -e "$VORLIN_TESTE/liberar/$(basename "$1")" ] && [ ! -e "$VORLIN_TESTE/liberar/TODOS" ] && [ $n -lt 1200 ]; do
    sleep 0.05
    n=$((n + 1))
done
# like the program when no capture took place: it deletes the document it was given
[ -e "$VORLIN_TESTE/apagar" ] && rm -f "$1"
exit "$(cat "$VORLIN_TESTE/codigo" 2>/dev/null || echo 0)"
)SH";

const QByteArray kPdf = QByteArrayLiteral("%PDF-1.4\n%%EOF\n");

class Bancada {
public:
    Bancada()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("spool"));
        QDir(m_dir.path()).mkpath(QStringLiteral("liberar"));
        QDir(m_dir.path()).mkpath(QStringLiteral("run"));
        QFile::setPermissions(m_dir.filePath(QStringLiteral("run")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile programa(m_dir.filePath(QStringLiteral("programa")));
        programa.open(QIODevice::WriteOnly);
        programa.write(kPrograma);
        programa.close();
        programa.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        usuario = QString::fromLocal8Bit(getpwuid(getuid())->pw_name);
    }
    ~Bancada()
    {
        libera(QStringLiteral("TODOS"));
        for (QProcess *a : {&agente, &segundo}) {
            if (a->state() != QProcess::NotRunning) {
                a->kill();
                a->waitForFinished();
            }
        }
    }

    QString raiz() const { return m_dir.path(); }
    QString spool() const { return m_dir.filePath(QStringLiteral("spool")); }
    QString pasta() const { return spool() + QLatin1Char('/') + usuario; }
    QString abertos() const { return pasta() + QStringLiteral("/opened"); }
    QString programa() const { return m_dir.filePath(QStringLiteral("programa")); }

    void criaPasta() const
    {
        QDir().mkpath(pasta());
        QFile::setPermissions(pasta(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString imprime(const QString &nome) const
    {
        QFile f(pasta() + QLatin1Char('/') + nome);
        f.open(QIODevice::WriteOnly);
        f.write(kPdf);
        return f.fileName();
    }
    void libera(const QString &nome) const
    {
        QFile f(m_dir.filePath(QStringLiteral("liberar/") + QFileInfo(nome).fileName()));
        f.open(QIODevice::WriteOnly);
    }
    void marca(const QString &nome, const QByteArray &conteudo = {}) const
    {
        QFile f(m_dir.filePath(nome));
        f.open(QIODevice::WriteOnly);
        f.write(conteudo);
    }

    void inicia(QProcess &p, const QStringList &argumentos) const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.filePath(QStringLiteral("run")));
        env.insert(QStringLiteral("VORLIN_TESTE"), m_dir.path());
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VORLIN_AGENTE), argumentos);
        QVERIFY(p.waitForStarted());
    }
    void iniciaAgente(const QString &programa = QString())
    {
        inicia(agente, {QStringLiteral("--spool"), spool(), QStringLiteral("--programa"),
                        programa.isEmpty() ? this->programa() : programa});
    }

    QStringList entregues() const
    {
        QFile f(m_dir.filePath(QStringLiteral("registro")));
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }
    bool esperaEntregas(int n) const
    {
        return QTest::qWaitFor([&] { return entregues().size() >= n; }, 10000);
    }

    QString usuario;
    QProcess agente;
    QProcess segundo;

private:
    QTemporaryDir m_dir;
};

} // namespace

class TstAgente : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void entregaOsPdfsEApagaAoFim();
    void pastaCriadaDepoisDoInicio();
    void umAgentePorUsuario();
    void semProgramaFalhaENaoPerdeNada();
    void falhaDoProgramaGuardaEReabreNoProximoInicio();
    void abertoPorProgramaAnteriorNaoReabre();
    void abrirComEntregaUmaCopia();
};

void TstAgente::entregaOsPdfsEApagaAoFim()
{
    Bancada b;
    b.criaPasta();
    b.imprime(QStringLiteral("Antes da sessão.pdf"));
    // what the agent must leave alone: the backend's part file, other files, a link
    b.imprime(QStringLiteral(".job-7.part"));
    b.imprime(QStringLiteral("notas.txt"));
    QFile::link(b.raiz() + QStringLiteral("/programa"), b.pasta() + QStringLiteral("/link.pdf"));
    b.iniciaAgente();
    QVERIFY(b.esperaEntregas(1));
    b.imprime(QStringLiteral("Durante a sessão.pdf"));
    QVERIFY(b.esperaEntregas(2));

    const QStringList entregues = b.entregues();
    QCOMPARE(entregues, QStringList({b.abertos() + QStringLiteral("/Antes da sessão.pdf"),
                                     b.abertos() + QStringLiteral("/Durante a sessão.pdf")}));
    for (const QString &caminho : entregues)
        QVERIFY(QFileInfo::exists(caminho));   // open while the program runs
    QCOMPARE(QDir(b.pasta()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList({QStringLiteral(".job-7.part"), QStringLiteral("link.pdf"), QStringLiteral("notas.txt")}));

    for (const QString &caminho : entregues) {
        b.libera(caminho);
        QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(caminho), 10000);
    }
    QCOMPARE(b.agente.state(), QProcess::Running);
    QCOMPARE(b.entregues().size(), 2);
}

void TstAgente::pastaCriadaDepoisDoInicio()
{
    // the printer makes the user's folder at the first job; the agent may be running already
    Bancada b;
    b.iniciaAgente();
    QTest::qWait(200);
    QCOMPARE(b.agente.state(), QProcess::Running);
    b.criaPasta();
    b.imprime(QStringLiteral("Primeiro.pdf"));
    QVERIFY(b.esperaEntregas(1));
    QCOMPARE(b.entregues().first(), b.abertos() + QStringLiteral("/Primeiro.pdf"));
}

void TstAgente::umAgentePorUsuario()
{
    Bancada b;
    b.criaPasta();
    b.iniciaAgente();
    QTest::qWait(200);
    b.inicia(b.segundo, {QStringLiteral("--spool"), b.spool(), QStringLiteral("--programa"), b.programa()});
    QVERIFY(b.segundo.waitForFinished(10000));
    QCOMPARE(b.segundo.exitCode(), 2);
    QVERIFY2(b.segundo.readAllStandardError().contains("outro agente"), "no message about the running agent");
    QCOMPARE(b.agente.state(), QProcess::Running);
}

void TstAgente::semProgramaFalhaENaoPerdeNada()
{
    Bancada b;
    b.criaPasta();
    const QString pdf = b.imprime(QStringLiteral("Guardado.pdf"));
    b.iniciaAgente(b.raiz() + QStringLiteral("/nao-instalado"));
    QVERIFY(b.agente.waitForFinished(10000));
    QCOMPARE(b.agente.exitCode(), 3);
    const QByteArray erro = b.agente.readAllStandardError();
    QVERIFY2(erro.contains("nao-instalado") && erro.contains("não foi encontrado"), erro.constData());
    QVERIFY(QFileInfo::exists(pdf));
}

void TstAgente::falhaDoProgramaGuardaEReabreNoProximoInicio()
{
    Bancada b;
    b.criaPasta();
    b.marca(QStringLiteral("codigo"), "1");
    b.imprime(QStringLiteral("Quebrou.pdf"));
    b.iniciaAgente();
    QVERIFY(b.esperaEntregas(1));
    const QString aberto = b.entregues().first();
    b.libera(aberto);
    QByteArray erro;
    QTRY_VERIFY_WITH_TIMEOUT((erro += b.agente.readAllStandardError()).contains("terminou com o código 1"), 10000);
    QVERIFY(QFileInfo::exists(aberto));

    // the next session opens it again
    b.agente.kill();
    b.agente.waitForFinished();
    QFile::remove(b.raiz() + QStringLiteral("/codigo"));
    QFile::remove(b.raiz() + QStringLiteral("/liberar/Quebrou.pdf"));
    b.iniciaAgente();
    QVERIFY(b.esperaEntregas(2));
    QCOMPARE(b.entregues().at(1), aberto);
    b.libera(aberto);
    QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(aberto), 10000);
}

void TstAgente::abertoPorProgramaAnteriorNaoReabre()
{
    // An agent that stopped while its program ran: the next one must not open the document twice,
    // and removes it once that program has ended.
    Bancada b;
    b.criaPasta();
    QDir().mkpath(b.abertos());
    const QString aberto = b.abertos() + QStringLiteral("/Em uso.pdf");
    QFile f(aberto);
    f.open(QIODevice::WriteOnly);
    f.write(kPdf);
    f.close();
    QProcess anterior;
    anterior.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QStringLiteral("sleep 30; :"), QStringLiteral("programa"), aberto});
    QVERIFY(anterior.waitForStarted());

    b.iniciaAgente();
    b.imprime(QStringLiteral("Novo.pdf"));
    QVERIFY(b.esperaEntregas(1));
    QCOMPARE(b.entregues(), QStringList{b.abertos() + QStringLiteral("/Novo.pdf")});
    anterior.kill();
    anterior.waitForFinished();
    QTRY_VERIFY_WITH_TIMEOUT(!QFileInfo::exists(aberto), 10000);
    QCOMPARE(b.entregues().size(), 1);
}

void TstAgente::abrirComEntregaUmaCopia()
{
    // "Abrir com": the program deletes a document it did not capture; the user's own file stays.
    Bancada b;
    b.marca(QStringLiteral("apagar"));
    b.marca(QStringLiteral("codigo"), "0");
    b.marca(QStringLiteral("Meu contrato.pdf"), kPdf);
    b.libera(QStringLiteral("TODOS"));
    const QString original = b.raiz() + QStringLiteral("/Meu contrato.pdf");
    b.inicia(b.agente, {QStringLiteral("--abrir"), original, QStringLiteral("--programa"), b.programa()});
    QVERIFY(b.agente.waitForFinished(10000));
    QCOMPARE(b.agente.exitCode(), 0);
    QCOMPARE(b.entregues().size(), 1);
    const QFileInfo copia(b.entregues().first());
    QCOMPARE(copia.fileName(), QStringLiteral("Meu contrato.pdf"));
    QVERIFY(copia.absolutePath() != b.raiz());
    QVERIFY(!copia.exists());
    QVERIFY(!QFileInfo::exists(copia.absolutePath()));
    QFile guardado(original);
    QVERIFY(guardado.open(QIODevice::ReadOnly));
    QCOMPARE(guardado.readAll(), kPdf);
}

QTEST_GUILESS_MAIN(TstAgente)
#include "tst_agente.moc"
