#include "Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace plataforma {

QString pastaDadosUsuario()
{
#ifdef Q_OS_WIN
    const QString base = qEnvironmentVariable("APPDATA");
#else
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty()) {
        const QString home = qEnvironmentVariable("HOME");
        if (home.isEmpty())
            return QString();
        base = home + QStringLiteral("/.local/share");
    }
#endif
    if (base.isEmpty())
        return QString();
    QString caminho = QDir::toNativeSeparators(QDir::cleanPath(base));
    while (caminho.size() > 1 && caminho.endsWith(separador()))
        caminho.chop(1);
    return caminho;
}

QString separador()
{
    return QString(QDir::separator());
}

QString nomeArquivo(const QString &caminho)
{
    const int ultimo = caminho.lastIndexOf(QDir::separator());
    return ultimo < 0 ? caminho : caminho.mid(ultimo + 1);
}

QString nomeExecutavel()
{
    const QString exe = QCoreApplication::instance()
        ? QCoreApplication::applicationFilePath() : QString();
    const QString nome = exe.isEmpty() ? QStringLiteral("vorlin-printer") : QFileInfo(exe).fileName();
    const int ponto = nome.lastIndexOf(QLatin1Char('.'));
    return ponto > 0 ? nome.left(ponto) : nome;
}

} // namespace plataforma
