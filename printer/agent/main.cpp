// vorlin-printer-agent: started by the desktop session (XDG autostart). Opens every document
// printed to "Vorlin Printer" by this user in the program, in this session.
#include "Agente.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStandardPaths>

#include <pwd.h>
#include <syslog.h>
#include <unistd.h>

#ifndef VORLIN_SPOOL_PADRAO
#define VORLIN_SPOOL_PADRAO "/var/spool/vorlin-printer"
#endif
#ifndef VORLIN_PROGRAMA_PADRAO
#define VORLIN_PROGRAMA_PADRAO "vorlin-printer"
#endif

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vorlin-printer-agent"));
    openlog("vorlin-printer-agent", LOG_PID, LOG_USER);

    QCommandLineParser opcoes;
    opcoes.setApplicationDescription(QStringLiteral(
        "Abre no Vorlin Printer, nesta sessão, os documentos impressos na impressora \"Vorlin Printer\"."));
    opcoes.addHelpOption();
    const QCommandLineOption spool(QStringLiteral("spool"), QStringLiteral("Pasta do spool da impressora."),
                                   QStringLiteral("pasta"), QStringLiteral(VORLIN_SPOOL_PADRAO));
    const QCommandLineOption programa(QStringLiteral("programa"), QStringLiteral("O programa que abre os documentos."),
                                      QStringLiteral("caminho"), QStringLiteral(VORLIN_PROGRAMA_PADRAO));
    const QCommandLineOption abrir(QStringLiteral("abrir"),
                                   QStringLiteral("Abre uma cópia do arquivo no programa e termina (\"Abrir com\")."),
                                   QStringLiteral("arquivo"));
    opcoes.addOptions({spool, programa, abrir});
    opcoes.process(app);

    if (opcoes.isSet(abrir))
        return agente::abreCopia(opcoes.value(programa), opcoes.value(abrir));
    if (!opcoes.positionalArguments().isEmpty()) {
        agente::registra(QStringLiteral("argumento desconhecido: %1").arg(opcoes.positionalArguments().first()));
        return agente::Uso;
    }

    const passwd *conta = getpwuid(getuid());
    if (!conta) {
        agente::registra(QStringLiteral("o usuário %1 não tem nome neste computador.").arg(getuid()));
        return agente::Uso;
    }
    const QString pastaTrava = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    agente::Config config{opcoes.value(spool), QString::fromLocal8Bit(conta->pw_name), opcoes.value(programa),
                          pastaTrava + QStringLiteral("/vorlin-printer-agent.lock")};
    agente::Agente servico(config);
    QObject::connect(&servico, &agente::Agente::falhaGrave, &app, &QCoreApplication::exit, Qt::QueuedConnection);
    if (const int codigo = servico.inicia(); codigo != agente::Ok)
        return codigo;
    return app.exec();
}
