// The portal client against the real local portal (one fresh portal and database for this file):
// login, confirmation, the start-up restore, log-off, two copies sharing a session, the
// directory in both forms, storage, tips and the office logo.
#include "PortalLocal.h"
#include "TestHome.h"
#include "platform/Ansi.h"
#include "platform/CurlHttp.h"
#include "portal/Conversoes.h"
#include "shell/classAmbiente.h"

#include <QJsonObject>
#include <QtTest>

namespace {

const QString kSenhaDemo = QStringLiteral("vorlin123");
const QString kSenhaEspecial = QStringLiteral("a&b#c+d%e");

// An office with no wallets and no clients, and a demo login whose password needs encoding.
const QString kSemente = QStringLiteral(
    "eid = banco.cria_escritorio('VAZIO', 'Escritorio Vazio', 1048576, 'vazio', 'ftp-vazio')\n"
    "banco.cria_login(eid, 'ANA', 'Ana Lima', 'ana123')\n"
    "demo = banco.escritorio_por_dominio('DEMO')['id']\n"
    "banco.cria_login(demo, 'ESPECIAL', 'Login Especial', '%1')\n").arg(kSenhaEspecial);

// One running copy of the program: its own document, the test's settings file, the real transport.
struct Copia {
    Copia(TestHome &home, const QString &documento)
        : servicos{*home.config, home.fso, home.ui, home.relogio, http, home.ftp}, ambiente(servicos)
    {
        inicia = ambiente.Inicia(false, home.criaArquivo(documento));
    }
    plataforma::CurlHttp http;
    plataforma::Servicos servicos;
    classAmbiente ambiente;
    bool inicia = false;
};

} // namespace

class TstPortalLocal : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void login_data();
    void login();
    void confirmacaoELogOff();
    void restauraAoIniciar_data();
    void restauraAoIniciar();
    void duasCopiasDividemASessao();
    void diretorioNasDuasFormas();
    void diretorioVazio();
    void espacoEDicas();
    void logoBaixadoUmaVez();

private:
    // Puts the portal's clock at the test's fake time: the two dates must agree.
    void acertaRelogioDoPortal(const QDateTime &agora, qint64 atraso = 0);
    std::unique_ptr<Copia> entra(const QString &documento = QStringLiteral("doc.pdf"));
    qint64 pedidos(const QString &caminho);

    std::unique_ptr<PortalLocal> m_portal;
    std::unique_ptr<TestHome> m_home;
};

void TstPortalLocal::initTestCase()
{
    m_portal = std::make_unique<PortalLocal>(PortalLocal::Opcoes{true, kSemente});
    QVERIFY2(m_portal->ativo(), qPrintable(m_portal->falha()));
}

void TstPortalLocal::init()
{
    m_home = std::make_unique<TestHome>();
    QVERIFY(m_home->criaPastaPrograma());
    m_portal->configura(*m_home->config);
    // Noon, far from a change of date while the test runs.
    m_home->relogio.define(QDateTime(QDate::currentDate(), QTime(12, 0, 0)));
    acertaRelogioDoPortal(m_home->relogio.agora());
    m_portal->desligaFalhas();
}

void TstPortalLocal::cleanup()
{
    if (m_home)
        QVERIFY2(m_home->ui.inesperadas.isEmpty(), qPrintable(m_home->ui.inesperadas.join(QLatin1Char('\n'))));
    m_home.reset();
}

void TstPortalLocal::acertaRelogioDoPortal(const QDateTime &agora, qint64 atraso)
{
    const QJsonObject estado = m_portal->deslocaRelogio(QDateTime::currentDateTime().secsTo(agora) - atraso);
    QVERIFY(estado.contains(QStringLiteral("clock_offset")));
}

std::unique_ptr<Copia> TstPortalLocal::entra(const QString &documento)
{
    auto copia = std::make_unique<Copia>(*m_home, documento);
    if (!copia->inicia || !copia->ambiente.Autentica(QStringLiteral("demo"), QStringLiteral("maria"), kSenhaDemo, 5)
        || !copia->ambiente.Logado())
        return nullptr;
    return copia;
}

qint64 TstPortalLocal::pedidos(const QString &caminho)
{
    return m_portal->contagens().value(caminho).toInteger();
}

void TstPortalLocal::login_data()
{
    QTest::addColumn<QString>("dominio");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<QString>("falha");      // a fault mode for the login request
    QTest::addColumn<qint64>("desvio");      // seconds between the portal's clock and ours
    QTest::addColumn<bool>("esperado");
    QTest::addColumn<QString>("erro");

    QTest::newRow("aceito") << QStringLiteral(" demo ") << QStringLiteral("Maria") << kSenhaDemo << QString() << qint64(0) << true << QString();
    QTest::newRow("senha com & # + %") << QStringLiteral("DEMO") << QStringLiteral("especial") << kSenhaEspecial
                                        << QString() << qint64(0) << true << QString();
    QTest::newRow("recusa com codigo") << QStringLiteral("DEMO") << QStringLiteral("MARIA") << QStringLiteral("errada")
                                       << QString() << qint64(0) << false << QStringLiteral("Domínio, login ou senha inválidos!");
    QTest::newRow("recusa sem codigo") << QStringLiteral("DEMO") << QStringLiteral("MARIA") << kSenhaDemo
                                       << QStringLiteral("http500") << qint64(0) << false << QStringLiteral("Login Incorreto!");
    QTest::newRow("portal em outro dia") << QStringLiteral("DEMO") << QStringLiteral("MARIA") << kSenhaDemo
                                         << QString() << qint64(86400) << false << QStringLiteral("Data do computador divergente!");
}

void TstPortalLocal::login()
{
    QFETCH(QString, dominio);
    QFETCH(QString, login);
    QFETCH(QString, senha);
    QFETCH(QString, falha);
    QFETCH(qint64, desvio);
    QFETCH(bool, esperado);
    QFETCH(QString, erro);

    if (!falha.isEmpty())
        m_portal->ligaFalha(falha, QStringLiteral("printer_login_b.asp"), 1);
    acertaRelogioDoPortal(m_home->relogio.agora(), -desvio);
    Copia copia(*m_home, QStringLiteral("nota.pdf"));
    QVERIFY(copia.inicia);
    classAmbiente &a = copia.ambiente;

    QCOMPARE(a.Autentica(dominio, login, senha, 5), esperado);
    QCOMPARE(a.Erro(), erro);
    const QString sessao = m_home->config->le(QStringLiteral("Autenticacao"), QStringLiteral("Sessao"), QStringLiteral("<ausente>"));
    if (!esperado) {
        // a failed login leaves empty text, and no session
        QCOMPARE(sessao, QString());
        QCOMPARE(m_home->config->le(QStringLiteral("Autenticacao"), QStringLiteral("Login_ID")), QString());
        QVERIFY(!a.Logado());
        return;
    }
    QCOMPARE(sessao, QString::number(a.lngSessao));
    QCOMPARE(a.Dominio, QStringLiteral("DEMO"));
    QCOMPARE(a.Escritorio, QStringLiteral("Escritório Modelo Contabilidade"));
    QCOMPARE(a.FtpServidor, QStringLiteral("127.0.0.1:%1").arg(m_portal->portaFtp()));
    // the document went into "PROC"
    QVERIFY(a.arquivo().startsWith(a.PathUser() + QStringLiteral("PROC")));
    QVERIFY(m_home->fso.arquivoExiste(a.arquivo()));
}

void TstPortalLocal::confirmacaoELogOff()
{
    Copia copia(*m_home, QStringLiteral("doc.pdf"));
    classAmbiente &a = copia.ambiente;
    m_portal->contagens(true);
    QVERIFY(a.Autentica(QStringLiteral("DEMO"), QStringLiteral("MARIA"), kSenhaDemo, 5));
    // the login window's check confirms once, then the session stands
    QVERIFY(a.Logado());
    QVERIFY(a.Logado());
    QCOMPARE(pedidos(QStringLiteral("/printer/printer_login_conf_b.asp")), qint64(1));
    QCOMPARE(a.FtpUsuario, QStringLiteral("demo"));
    QCOMPARE(a.TLogin, 5);

    a.LogOff();
    QCOMPARE(m_home->config->le(QStringLiteral("Autenticacao"), QStringLiteral("Sessao")), QStringLiteral("0"));
    QCOMPARE(m_home->config->le(QStringLiteral("Autenticacao"), QStringLiteral("Login_ID")), QStringLiteral("0"));
    QVERIFY(!a.Logado());
    QCOMPARE(pedidos(QStringLiteral("/printer/printer_login_conf_b.asp")), qint64(1));
}

void TstPortalLocal::restauraAoIniciar_data()
{
    QTest::addColumn<qint64>("depois");
    QTest::addColumn<bool>("restaura");
    QTest::newRow("7 dias exatos depois da confirmacao") << qint64(7 * 86400) << true;
    QTest::newRow("7 dias e 1 segundo") << qint64(7 * 86400 + 1) << false;
}

void TstPortalLocal::restauraAoIniciar()
{
    QFETCH(qint64, depois);
    QFETCH(bool, restaura);
    {
        auto primeira = entra(QStringLiteral("primeira.pdf"));
        QVERIFY(primeira);
    }
    const QDateTime confirmado = m_home->relogio.agora();
    QCOMPARE(m_home->config->le(QStringLiteral("Autenticacao"), QStringLiteral("LastLog")), portal::textoDataHora(confirmado));

    // A later start. The portal's own clock runs an hour behind so it still holds the session.
    m_home->relogio.define(confirmado.addSecs(depois));
    acertaRelogioDoPortal(m_home->relogio.agora(), 3600);
    m_portal->contagens(true);
    Copia segunda(*m_home, QStringLiteral("segunda.pdf"));
    QVERIFY(segunda.inicia);
    QCOMPARE(segunda.ambiente.Autenticado, restaura);
    QCOMPARE(pedidos(QStringLiteral("/printer/printer_login_conf_b.asp")), qint64(restaura ? 1 : 0));
    QCOMPARE(segunda.ambiente.Dominio, QStringLiteral("DEMO"));
    QCOMPARE(segunda.ambiente.Login, QStringLiteral("MARIA"));
    QCOMPARE(segunda.ambiente.Logado(), restaura);
    if (restaura) {
        // the confirmation renews the stored time and captures the document
        QCOMPARE(m_home->config->le(QStringLiteral("Autenticacao"), QStringLiteral("LastLog")),
                 portal::textoDataHora(m_home->relogio.agora()));
        QVERIFY(segunda.ambiente.arquivo().contains(QStringLiteral("PROC")));
        QCOMPARE(segunda.ambiente.Usuario, QStringLiteral("Maria Aparecida Souza"));
    }
}

void TstPortalLocal::duasCopiasDividemASessao()
{
    // Two copies on one settings file, the second started before the first logs in.
    Copia primeira(*m_home, QStringLiteral("um.pdf"));
    auto outraConfig = plataforma::SettingsStore::emArquivo(m_home->config->caminhoArquivo());
    plataforma::CurlHttp http;
    plataforma::Servicos servicos{*outraConfig, m_home->fso, m_home->ui, m_home->relogio, http, m_home->ftp};
    classAmbiente segunda(servicos);
    QVERIFY(segunda.Inicia(false, m_home->criaArquivo(QStringLiteral("dois.pdf"))));
    QVERIFY(!segunda.Logado());

    QVERIFY(primeira.ambiente.Autentica(QStringLiteral("DEMO"), QStringLiteral("MARIA"), kSenhaDemo, 5));
    QVERIFY(primeira.ambiente.Logado());
    m_portal->contagens(true);

    QVERIFY(!segunda.Logado());
    QCOMPARE(pedidos(QStringLiteral("/printer/printer_login_conf_b.asp")), qint64(1));
    QVERIFY(segunda.Logado());
    QCOMPARE(segunda.lngSessao, primeira.ambiente.lngSessao);
    QCOMPARE(segunda.FtpSenha, QStringLiteral("ftp-demo-123"));
    QVERIFY(segunda.arquivo().contains(QStringLiteral("PROC")));

    // A log-off in one ends the session in the other.
    primeira.ambiente.LogOff();
    QVERIFY(!segunda.Logado());
    QVERIFY(!segunda.Logado());
}

void TstPortalLocal::diretorioNasDuasFormas()
{
    auto copia = entra();
    QVERIFY(copia);
    classAmbiente &a = copia->ambiente;
    const QString base = a.PathUser() + QStringLiteral("c") + QString::number(a.lngID_Contador);
    bool atualiza = false;

    QVERIFY(a.Sincroniza(atualiza, true));
    QVERIFY(atualiza);
    QVERIFY(a.TemCarteira);
    const QList<portal::LinhaTabela> carteiras = a.Carteiras();
    QCOMPARE(carteiras.size(), 2);
    QCOMPARE(carteiras[0].nome, QStringLiteral("Carteira Comércio"));
    QCOMPARE(carteiras[1].nome, QStringLiteral("Carteira Serviços"));
    const QByteArray formaCarteiras = copia->http.get(plataforma::paraAnsi(a.UltimaUrl));
    QCOMPARE(m_home->fso.leBytes(base + QStringLiteral("sinc.rtx")), formaCarteiras);

    QStringList servicos;
    for (const auto &c : a.Clientes(carteiras[1].id.toLongLong()))
        servicos << c.nome;
    // the portal lists clients by name
    QCOMPARE(servicos, (QStringList{QStringLiteral("Clínica Sorriso Odontologia"), QStringLiteral("Construtora Alicerce S/A"),
                                    QStringLiteral("Escola Pequeno Príncipe"), QStringLiteral("Oficina Mecânica Pistão"),
                                    QStringLiteral("Transportadora Veloz")}));
    // the client without a wallet is listed only under all wallets
    const auto nomes = [&](qint64 carteira) {
        QStringList saida;
        for (const auto &c : a.Clientes(carteira))
            saida << c.nome;
        return saida;
    };
    const QString semCarteira = QStringLiteral("Associação de Moradores Vila Nova");
    QVERIFY(nomes(-1).contains(semCarteira));
    QCOMPARE(nomes(0), nomes(-1));
    QVERIFY(!nomes(carteiras[0].id.toLongLong()).contains(semCarteira));
    QCOMPARE(nomes(carteiras[0].id.toLongLong()).size() + servicos.size() + 1, nomes(-1).size());

    QVERIFY(a.Sincroniza(atualiza, false));
    QVERIFY(a.UltimaUrl.endsWith(QStringLiteral("&u=1")));
    QCOMPARE(m_home->fso.leBytes(base + QStringLiteral("sincu.rpx")), copia->http.get(plataforma::paraAnsi(a.UltimaUrl)));
    QStringList usuarios;
    for (const auto &u : a.Usuarios())
        usuarios << u.nome;
    QVERIFY(usuarios.contains(QStringLiteral("Maria Aparecida Souza")));
    QVERIFY(usuarios.contains(QStringLiteral("João Pedro Lima")));

    // A failed fetch leaves the cache and the tables as they were.
    m_portal->ligaFalha(QStringLiteral("http500"), QStringLiteral("sincroniza.asp"), 1);
    QVERIFY(!a.Sincroniza(atualiza, true));
    QVERIFY(a.Erro().endsWith(QStringLiteral("\r\nErro durante sincronização!")));
    QCOMPARE(m_home->fso.leBytes(base + QStringLiteral("sinc.rtx")), formaCarteiras);
    QCOMPARE(a.Carteiras(), carteiras);
}

void TstPortalLocal::diretorioVazio()
{
    Copia copia(*m_home, QStringLiteral("vazio.pdf"));
    classAmbiente &a = copia.ambiente;
    QVERIFY(a.Autentica(QStringLiteral("vazio"), QStringLiteral("ana"), QStringLiteral("ana123"), 5));
    bool atualiza = false;
    QVERIFY(a.Sincroniza(atualiza, true));
    QVERIFY(!a.TemCarteira);
    QVERIFY(a.Carteiras().isEmpty());
    QVERIFY(a.Clientes(0).isEmpty());
    QVERIFY(a.Clientes(1).isEmpty());
    QCOMPARE(a.Usuarios(), QList<portal::LinhaTabela>{(portal::LinhaTabela{QString::number(a.lngLogin_ID), QStringLiteral("Ana Lima")})});
    QCOMPARE(a.Erro(), QStringLiteral("Não existem clientes cadastrados!"));
    QVERIFY(a.UltimaResposta.startsWith(QStringLiteral("Vorlin Printer|*+4|*+5|*+")));
}

void TstPortalLocal::espacoEDicas()
{
    auto copia = entra();
    QVERIFY(copia);
    classAmbiente &a = copia->ambiente;
    QVERIFY(a.Internet());
    QVERIFY(a.AtualizaEspaco());
    QCOMPARE(a.EspacoTotal, 50.0 * 1024 * 1024);
    QVERIFY(a.EspacoUtilizado > 0);
    QCOMPARE(a.EspacoDisponivel, a.EspacoTotal - a.EspacoUtilizado);

    QVERIFY(a.Dica());
    QVERIFY(a.UltimaUrl.endsWith(QStringLiteral("&ordem=")));
    const QString primeira = a.DicaTitulo;
    const QString ordem = a.OrdemDica;
    QVERIFY(!ordem.isEmpty());
    QVERIFY(a.DicaTexto.startsWith(QStringLiteral("\r\n")));
    QVERIFY(a.Dica());
    QVERIFY(a.UltimaUrl.endsWith(QStringLiteral("&ordem=") + ordem));
    QVERIFY(a.DicaTitulo != primeira);

    // A broken tip reply shows the maintenance texts.
    m_portal->ligaFalha(QStringLiteral("drop"), QStringLiteral("dicas_b.asp"), 1);
    QVERIFY(!a.Dica());
    QCOMPARE(a.DicaTitulo, QStringLiteral("Dica em manutenção"));
}

void TstPortalLocal::logoBaixadoUmaVez()
{
    auto copia = entra();
    QVERIFY(copia);
    classAmbiente &a = copia->ambiente;
    QVERIFY(a.Internet());
    QCOMPARE(a.Logo, QStringLiteral("logo_modelo.png"));
    const QString caminhoPortal = QStringLiteral("/site/vorlin/escritorio_arq/%1/logo_modelo.png")
                                      .arg(a.lngID_Contador, 4, 10, QLatin1Char('0'));
    m_portal->contagens(true);
    const QString local = a.LogoEscritorio(a.PathUser(), false);
    QCOMPARE(local, a.PathUser() + QStringLiteral("logo_modelo.png"));
    QFile noPortal(m_portal->raiz() + QStringLiteral("/escritorio_arq/%1/logo_modelo.png").arg(a.lngID_Contador, 4, 10, QLatin1Char('0')));
    QVERIFY(noPortal.open(QIODevice::ReadOnly));
    QCOMPARE(m_home->fso.leBytes(local), noPortal.readAll());
    QCOMPARE(a.LogoEscritorio(a.PathUser(), false), local);
    QCOMPARE(pedidos(caminhoPortal), qint64(1));
    QCOMPARE(a.LogoEscritorio(a.PathUser(), true), local);
    QCOMPARE(pedidos(caminhoPortal), qint64(2));
}

QTEST_GUILESS_MAIN(TstPortalLocal)
#include "tst_portal_local.moc"
