// Vorlin Printer: the virtual PDF printer starts this program with the captured document's path.
#include "platform/Clock.h"
#include "platform/CurlFtp.h"
#include "platform/CurlHttp.h"
#include "platform/FileService.h"
#include "platform/Servicos.h"
#include "platform/SettingsStore.h"
#include "platform/WidgetUi.h"
#include "shell/ModFuncs.h"
#include "shell/Partida.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QEvent>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <memory>

namespace {

// Without a display Qt would abort; say how to get one instead.
bool temTela()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY")
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return true;
#endif
}

// Start-up measurement (bench/startup), asked for by VORLIN_MEDE_INICIO=1: no splash, and once
// the main window has painted for the first time the program says so on stdout and ends.
class MedeInicio : public QObject {
public:
    explicit MedeInicio(QWidget &janela) : m_janela(janela) { janela.installEventFilter(this); }

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override
    {
        if (objeto == &m_janela && evento->type() == QEvent::Paint && !m_avisou) {
            m_avisou = true;
            std::fputs("vorlin-printer: janela principal visivel\n", stdout);
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return false;
    }

private:
    QWidget &m_janela;
    bool m_avisou = false;
};

} // namespace

int main(int argc, char *argv[])
{
    if (!temTela()) {
        std::fputs("vorlin-printer: no display (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are unset).\n"
                    "Run it inside a desktop session, or under a virtual display:\n"
                    "    xvfb-run -a -s '-screen 0 1280x1024x24' vorlin-printer <document.pdf>\n",
                    stderr);
        return 2;
    }

    // The whole command line is the printer's: the arguments joined by single spaces. Qt gets
    // none of them, so an option that looks like one of Qt's is not taken away.
    QStringList argumentos;
    for (int i = 1; i < argc; ++i)
        argumentos << QString::fromLocal8Bit(argv[i]);
    const QString linhaComando = argumentos.join(QLatin1Char(' '));
    int argcQt = 1;
    QApplication app(argcQt, argv);
    // The main window decides when the program ends (it may stay hidden until its first exit check).
    QApplication::setQuitOnLastWindowClosed(false);

    plataforma::SettingsStore config(QStringLiteral("Vorlin Printer"));
    plataforma::FileService fso;
    plataforma::WidgetUi ui;
    plataforma::SystemClock relogio;
    plataforma::CurlHttp http;
    plataforma::CurlFtp ftp;
    plataforma::Servicos servicos{config, fso, ui, relogio, http, ftp};
    ModFuncs funcs(servicos);

    // "--historico" and "--fila" (the desktop menu) open one window without a document
    if (const Partida::Modo modo = Partida::modo(linhaComando); modo != Partida::Modo::Documento) {
        Partida(servicos, funcs).Executa(modo);
        return 0;
    }

    const bool medeInicio = qEnvironmentVariableIntValue("VORLIN_MEDE_INICIO") == 1;
    frmMain::Janelas janelas;
    if (medeInicio)
        janelas.splash = [](QWidget *) {};
    frmMain principal(servicos, funcs, janelas);
    QObject::connect(&principal, &frmMain::encerrado, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    std::unique_ptr<MedeInicio> medida;
    if (medeInicio)
        medida = std::make_unique<MedeInicio>(principal);
    principal.Carrega(linhaComando);
    if (medeInicio && !principal.isVisible()) {
        std::fputs("vorlin-printer: janela principal escondida\n", stdout);
        return 1;
    }
    return app.exec();
}
