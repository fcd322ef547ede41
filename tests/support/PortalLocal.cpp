#include "PortalLocal.h"

#include "platform/CurlHttp.h"
#include "platform/SettingsStore.h"

#include <QDir>
#include <QJsonDocument>
#include <QRegularExpression>

namespace {

// Debian's interpreter sees python3-pyftpdlib; the CTest helper passes it in VORLIN_PYTHON.
QString python()
{
    const QString dado = qEnvironmentVariable("VORLIN_PYTHON");
    return dado.isEmpty() ? QStringLiteral("/usr/bin/python3") : dado;
}

QString raizProjeto()
{
    const QString dado = qEnvironmentVariable("VORLIN_SOURCE_DIR");
    return dado.isEmpty() ? QStringLiteral(VORLIN_SOURCE_DIR_PADRAO) : dado;
}

QString literalPython(const QString &texto)
{
    QString s = texto;
    s.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + s + QLatin1Char('\'');
}

QJsonObject comoObjeto(const QByteArray &json)
{
    return QJsonDocument::fromJson(json).object();
}

constexpr int kEsperaInicioMs = 30000;   // a loaded CI machine; normally well under a second

} // namespace

PortalLocal::PortalLocal() : PortalLocal(Opcoes{}) {}

PortalLocal::PortalLocal(const Opcoes &opcoes)
{
    if (!m_raiz.isValid()) {
        m_falha = QStringLiteral("no temporary folder");
        return;
    }
    if (!opcoes.semente.isEmpty()) {
        QString saida;
        if (!roda(opcoes.demo ? QStringLiteral("portal.semeia_demo()\n") + opcoes.semente : opcoes.semente, &saida)) {
            m_falha = QStringLiteral("seeding failed: ") + saida;
            return;
        }
    }
    QStringList argumentos{raizProjeto() + QStringLiteral("/scripts/portal-local"), QStringLiteral("--free-ports"),
                           QStringLiteral("--root"), m_raiz.path(), QStringLiteral("--watch-stdin")};
    if (opcoes.demo)
        argumentos << QStringLiteral("--demo");
    m_processo.setProcessChannelMode(QProcess::SeparateChannels);
    m_processo.start(python(), argumentos);
    if (!m_processo.waitForStarted(kEsperaInicioMs)) {
        m_falha = QStringLiteral("could not start ") + python();
        return;
    }
    static const QRegularExpression kPortas(QStringLiteral("PORTS http=(\\d+) ftp=(\\d+)"));
    QByteArray lido;
    while (!lido.contains('\n')) {
        if (!m_processo.waitForReadyRead(kEsperaInicioMs)) {
            m_falha = QString::fromUtf8(lido + m_processo.readAllStandardError());
            return;
        }
        lido += m_processo.readAllStandardOutput();
    }
    const auto m = kPortas.match(QString::fromUtf8(lido));
    if (!m.hasMatch()) {
        m_falha = QString::fromUtf8(lido + m_processo.readAllStandardError());
        return;
    }
    m_portaHttp = m.captured(1).toUShort();
    m_portaFtp = m.captured(2).toUShort();
    m_http = std::make_unique<plataforma::CurlHttp>();
}

PortalLocal::~PortalLocal()
{
    if (m_processo.state() != QProcess::NotRunning) {
        // --watch-stdin: closing its input ends it cleanly
        m_processo.closeWriteChannel();
        if (!m_processo.waitForFinished(5000)) {
            m_processo.kill();
            m_processo.waitForFinished(5000);
        }
    }
}

QString PortalLocal::urlBase() const
{
    return QStringLiteral("http://127.0.0.1:%1/").arg(m_portaHttp);
}

QString PortalLocal::urlBaseSite() const
{
    return urlBase() + QStringLiteral("site/");
}

void PortalLocal::configura(plataforma::SettingsStore &config) const
{
    config.grava(QStringLiteral("Config"), QStringLiteral("URLBase"), urlBase());
    config.grava(QStringLiteral("Config"), QStringLiteral("URLBaseSite"), urlBaseSite());
}

QByteArray PortalLocal::controle(const QString &pedido)
{
    if (!m_http)
        return {};
    return m_http->get((urlBase() + QStringLiteral("__control/") + pedido).toUtf8());
}

QJsonObject PortalLocal::ligaFalha(const QString &modo, const QString &caminho, int vezes, int ms)
{
    QString pedido = QStringLiteral("state?fault=") + modo;
    if (!caminho.isEmpty())
        pedido += QStringLiteral("&path=") + caminho;
    if (vezes > 0)
        pedido += QStringLiteral("&count=") + QString::number(vezes);
    if (ms > 0)
        pedido += QStringLiteral("&ms=") + QString::number(ms);
    return comoObjeto(controle(pedido));
}

QJsonObject PortalLocal::desligaFalhas()
{
    return comoObjeto(controle(QStringLiteral("state?fault=none")));
}

QJsonObject PortalLocal::deslocaRelogio(qint64 segundos)
{
    return comoObjeto(controle(QStringLiteral("state?clock_offset=") + QString::number(segundos)));
}

QJsonObject PortalLocal::contagens(bool zera)
{
    return comoObjeto(controle(zera ? QStringLiteral("counts?reset=1") : QStringLiteral("counts")));
}

QString PortalLocal::prologoPython() const
{
    return QStringLiteral("import sys\n"
                          "sys.path.insert(0, %1)\n"
                          "from vorlin_portal.server import Portal\n"
                          "portal = Portal(%2, porta_http=0, porta_ftp=0)\n"
                          "banco = portal.abre_banco()\n")
        .arg(literalPython(raizProjeto() + QStringLiteral("/portal-local")), literalPython(m_raiz.path()));
}

bool PortalLocal::roda(const QString &codigo, QString *saida)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(python(), {QStringLiteral("-c"), prologoPython() + codigo});
    const bool ok = p.waitForFinished(kEsperaInicioMs) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (saida)
        *saida = QString::fromUtf8(p.readAll());
    return ok;
}

bool PortalLocal::executa(const QString &codigo, QString *saida)
{
    return roda(codigo, saida);
}
