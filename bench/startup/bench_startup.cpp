// Start-up time of vorlin-printer: from the process start to the first paint of the main window,
// against the local portal with a session stored by an earlier login (so start-up confirms it with
// the portal and captures the document). The splash's 2000 ms are left out (VORLIN_MEDE_INICIO=1).
// Its anchor, run in turn with it: a hello-world Qt Widgets window to its first paint. Both run
// under /usr/bin/time, which also gives the peak memory (maximum resident set) of each.
//   bench_startup [runs] [offscreen|xcb]      (xcb: under a display, e.g. xvfb-run)
// Prints every run, then min, median and max in ms, and for scripts/bench:
//   RESULT startup_<platform> program_ms=<median> anchor_ms=<median>
//   RESULT memory_<platform> program_kib=<median> anchor_kib=<median>
#include "PortalLocal.h"
#include "ScriptedUi.h"
#include "platform/Clock.h"
#include "platform/CurlFtp.h"
#include "platform/CurlHttp.h"
#include "platform/FileService.h"
#include "platform/Servicos.h"
#include "platform/SettingsStore.h"
#include "shell/classAmbiente.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kEsperaMs = 60000;

QString copiaAmostra(const QString &pasta)
{
    QDir().mkpath(pasta);
    const QString destino = pasta + QStringLiteral("/Balancete Demo.pdf");
    QFile::remove(destino);
    QFile::copy(QStringLiteral(VORLIN_AMOSTRA), destino);
    return destino;
}

// Logs in once, as the login window would, so that every run finds a stored session.
bool guardaSessao(PortalLocal &portal, const QString &raiz)
{
    auto config = plataforma::SettingsStore::emArquivo(raiz + QStringLiteral("/config/VorlinPrinter/Vorlin Printer.ini"));
    portal.configura(*config);
    plataforma::FileService fso;
    ScriptedUi ui;
    plataforma::SystemClock relogio;
    plataforma::CurlHttp http;
    plataforma::CurlFtp ftp;
    plataforma::Servicos servicos{*config, fso, ui, relogio, http, ftp};
    classAmbiente ambiente(servicos);
    if (!ambiente.Inicia(false, copiaAmostra(raiz + QStringLiteral("/spool"))))
        return false;
    const bool ok = ambiente.Autentica(QStringLiteral("DEMO"), QStringLiteral("MARIA"), QStringLiteral("vorlin123"), 5);
    if (!ok)
        std::fprintf(stderr, "login failed: %s\n", qPrintable(ambiente.Erro()));
    return ok;
}

double mediana(QList<double> v)
{
    std::sort(v.begin(), v.end());
    const qsizetype n = v.size();
    return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

struct Execucao {
    double ms = 0;
    double kib = 0;
    bool ok = false;
};

// Runs `programa` under /usr/bin/time until it says `sinal` on stdout and ends.
Execucao executa(const QProcessEnvironment &ambiente, const QString &programa, const QStringList &argumentos,
                 const QByteArray &sinal)
{
    Execucao e;
    QTemporaryFile medida;
    if (!medida.open())
        return e;
    QProcess processo;
    processo.setProcessEnvironment(ambiente);
    processo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer relogio;
    relogio.start();
    // VORLIN_BENCH_ENVOLVE: a command to run the program under (strace, perf record), for profiling
    QStringList envolve = qEnvironmentVariable("VORLIN_BENCH_ENVOLVE").split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (!envolve.isEmpty() && programa != QStringLiteral(VORLIN_PROGRAMA))
        envolve.clear();
    processo.start(QStringLiteral("/usr/bin/time"),
                   QStringList{QStringLiteral("-f"), QStringLiteral("%M"), QStringLiteral("-o"), medida.fileName()} + envolve
                       + QStringList{programa} + argumentos);
    QByteArray saida;
    while (!saida.contains('\n') && processo.waitForReadyRead(kEsperaMs))
        saida += processo.readAllStandardOutput();
    e.ms = relogio.nsecsElapsed() / 1e6;
    processo.waitForFinished(kEsperaMs);
    e.kib = QByteArray(medida.readAll()).trimmed().split('\n').last().toDouble();
    e.ok = saida.contains(sinal);
    if (!e.ok)
        std::fprintf(stderr, "%s: no first paint (%s)\n", qPrintable(programa), saida.constData());
    return e;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int execucoes = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 15;

    QTemporaryDir raiz;
    const QString casa = raiz.path();
    QDir().mkpath(casa + QStringLiteral("/data/VorlinPrinter"));
    qputenv("HOME", casa.toLocal8Bit());
    qputenv("XDG_DATA_HOME", (casa + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (casa + QStringLiteral("/config")).toLocal8Bit());

    PortalLocal portal;
    if (!portal.ativo()) {
        std::fprintf(stderr, "local portal did not start: %s\n", qPrintable(portal.falha()));
        return 1;
    }
    if (!guardaSessao(portal, casa))
        return 1;

    const QString plataforma = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("offscreen");
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), plataforma);
    ambiente.insert(QStringLiteral("VORLIN_MEDE_INICIO"), QStringLiteral("1"));
    ambiente.insert(QStringLiteral("HOME"), casa);
    ambiente.insert(QStringLiteral("XDG_DATA_HOME"), casa + QStringLiteral("/data"));
    ambiente.insert(QStringLiteral("XDG_CONFIG_HOME"), casa + QStringLiteral("/config"));

    QList<double> tempos;
    QList<double> temposAncora;
    QList<double> memoria;
    QList<double> memoriaAncora;
    for (int i = 0; i < execucoes; ++i) {
        const QString documento = copiaAmostra(casa + QStringLiteral("/spool"));
        const Execucao p = executa(ambiente, QStringLiteral(VORLIN_PROGRAMA), {documento}, "janela principal visivel");
        const Execucao a = executa(ambiente, QStringLiteral(VORLIN_OLA), {}, "janela visivel");
        if (!p.ok || !a.ok)
            return 1;
        tempos << p.ms;
        temposAncora << a.ms;
        memoria << p.kib;
        memoriaAncora << a.kib;
        std::printf("run %2d: %8.1f ms %8.0f KiB   hello world %8.1f ms %8.0f KiB\n", i + 1, p.ms, p.kib, a.ms, a.kib);
    }
    std::sort(tempos.begin(), tempos.end());
    std::printf("start-up to main window (%d runs, %s): min %.1f ms, median %.1f ms, max %.1f ms\n",
                static_cast<int>(tempos.size()), qPrintable(plataforma), tempos.first(), mediana(tempos), tempos.last());
    std::printf("RESULT startup_%s program_ms=%.1f anchor_ms=%.1f\n", qPrintable(plataforma), mediana(tempos),
                mediana(temposAncora));
    std::printf("RESULT memory_%s program_kib=%.0f anchor_kib=%.0f\n", qPrintable(plataforma), mediana(memoria),
                mediana(memoriaAncora));
    return 0;
}
