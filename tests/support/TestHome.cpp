#include "TestHome.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const char *const kVariaveis[3] = {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME"};
}

TestHome::TestHome()
{
    for (int i = 0; i < 3; ++i)
        m_antigos[i] = qgetenv(kVariaveis[i]);
    const QString raizDir = m_dir.path();
    QDir(raizDir).mkpath(QStringLiteral("data"));
    QDir(raizDir).mkpath(QStringLiteral("config"));
    qputenv("HOME", raizDir.toLocal8Bit());
    qputenv("XDG_DATA_HOME", (raizDir + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (raizDir + QStringLiteral("/config")).toLocal8Bit());
    config = plataforma::SettingsStore::emArquivo(raizDir + QStringLiteral("/config/VorlinPrinter/Vorlin Printer.ini"));
}

TestHome::~TestHome()
{
    config.reset();
    for (int i = 0; i < 3; ++i) {
        if (m_antigos[i].isNull())
            qunsetenv(kVariaveis[i]);
        else
            qputenv(kVariaveis[i], m_antigos[i]);
    }
}

QString TestHome::pastaPrograma() const
{
    return QDir::toNativeSeparators(m_dir.path() + QStringLiteral("/data/VorlinPrinter/"));
}

bool TestHome::criaPastaPrograma() const
{
    return QDir().mkpath(pastaPrograma());
}

QString TestHome::criaArquivo(const QString &nomeRelativo, const QByteArray &conteudo) const
{
    const QString caminho = m_dir.path() + QLatin1Char('/') + nomeRelativo;
    QDir().mkpath(QFileInfo(caminho).absolutePath());
    QFile f(caminho);
    if (f.open(QIODevice::WriteOnly))
        f.write(conteudo);
    return QDir::toNativeSeparators(caminho);
}

plataforma::Servicos TestHome::servicos()
{
    return plataforma::Servicos{*config, fso, ui, relogio, http, ftp};
}

plataforma::Servicos TestHome::servicos(plataforma::HttpClient &rede, plataforma::FtpClient &ftpRede)
{
    return plataforma::Servicos{*config, fso, ui, relogio, rede, ftpRede};
}
