// Vorlin Printer: the virtual PDF printer starts this program with the captured document's path.
#include "platform/Clock.h"
#include "platform/CurlHttp.h"
#include "platform/FileService.h"
#include "platform/Servicos.h"
#include "platform/SettingsStore.h"
#include "platform/WidgetUi.h"
#include "shell/ModFuncs.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QStringList>
#include <cstdio>

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
    plataforma::Servicos servicos{config, fso, ui, relogio, http};
    ModFuncs funcs(servicos);

    frmMain principal(servicos, funcs);
    QObject::connect(&principal, &frmMain::encerrado, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    principal.Carrega(linhaComando);
    return app.exec();
}
