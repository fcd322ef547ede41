// Start-up time of vorlin-printer: from the process start to the first paint of the main window,
// under QT_QPA_PLATFORM=offscreen, against the local portal with a session stored by an earlier
// login (so start-up confirms it with the portal and captures the document). The splash's 2000 ms
// are left out (VORLIN_MEDE_INICIO=1). Prints every run, then min, median and max in ms.
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

    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    ambiente.insert(QStringLiteral("VORLIN_MEDE_INICIO"), QStringLiteral("1"));
    ambiente.insert(QStringLiteral("HOME"), casa);
    ambiente.insert(QStringLiteral("XDG_DATA_HOME"), casa + QStringLiteral("/data"));
    ambiente.insert(QStringLiteral("XDG_CONFIG_HOME"), casa + QStringLiteral("/config"));

    QList<double> tempos;
    for (int i = 0; i < execucoes; ++i) {
        const QString documento = copiaAmostra(casa + QStringLiteral("/spool"));
        QProcess programa;
        programa.setProcessEnvironment(ambiente);
        programa.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer relogio;
        relogio.start();
        programa.start(QStringLiteral(VORLIN_PROGRAMA), {documento});
        QByteArray saida;
        while (!saida.contains('\n') && programa.waitForReadyRead(kEsperaMs))
            saida += programa.readAllStandardOutput();
        const double ms = relogio.nsecsElapsed() / 1e6;
        programa.waitForFinished(kEsperaMs);
        if (!saida.contains("janela principal visivel")) {
            std::fprintf(stderr, "run %d: the main window was not shown (%s)\n", i + 1, saida.constData());
            return 1;
        }
        tempos << ms;
        std::printf("run %2d: %8.1f ms\n", i + 1, ms);
    }
    std::sort(tempos.begin(), tempos.end());
    const int n = tempos.size();
    const double mediana = n % 2 ? tempos[n / 2] : (tempos[n / 2 - 1] + tempos[n / 2]) / 2;
    std::printf("start-up to main window (%d runs): min %.1f ms, median %.1f ms, max %.1f ms\n", n, tempos.first(),
                mediana, tempos.last());
    return 0;
}
