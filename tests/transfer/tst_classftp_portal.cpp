// classFtp on the libcurl client against the local portal's real FTP account: the bytes arrive
// exactly and come back with Recebe, the login and the upload refused, the delete, a connection
// that dies mid-file; the window's turns during every step; and a server that is not there or
// never answers.
#include "FtpRoteirizado.h"
#include "PortalLocal.h"
#include "ScriptedUi.h"
#include "platform/CurlFtp.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const QString kUsuario = QStringLiteral("demo");
const QString kSenha = QStringLiteral("ftp-demo-123");

QByteArray conteudo(qint64 tamanho)
{
    QByteArray bytes(tamanho, Qt::Uninitialized);
    for (qint64 i = 0; i < tamanho; ++i)
        bytes[i] = static_cast<char>((i * 31 + i / 256) & 0xFF);
    return bytes;
}

QStringList geral(const Registro &registro)
{
    QStringList saida;
    for (const QString &l : registro.linhas)
        if (l.startsWith(QLatin1String("Geral ")))
            saida << l;
    return saida;
}

const QStringList kSucesso{QStringLiteral("Geral 1 Conectado"), QStringLiteral("Geral 1 Transmitindo"),
                           QStringLiteral("Geral 1 Arquivo Fechado"), QStringLiteral("Geral 1 Internet Fechada"),
                           QStringLiteral("Geral 2 ")};
const QStringList kFechamento{QStringLiteral("Geral 1 Arquivo Fechado"), QStringLiteral("Geral 1 Internet Fechada"),
                              QStringLiteral("Geral 2 ")};

// A loopback port of our own. Bound only, a connection there is refused at once; listening but
// never accepting, the connection is made and no server ever says a word.
class PortaLocal {
public:
    explicit PortaLocal(bool escuta)
    {
        m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in endereco{};
        endereco.sin_family = AF_INET;
        endereco.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t tamanho = sizeof endereco;
        if (m_socket >= 0 && ::bind(m_socket, reinterpret_cast<sockaddr *>(&endereco), sizeof endereco) == 0
            && (!escuta || ::listen(m_socket, 4) == 0)
            && ::getsockname(m_socket, reinterpret_cast<sockaddr *>(&endereco), &tamanho) == 0)
            porta = ntohs(endereco.sin_port);
    }
    ~PortaLocal()
    {
        if (m_socket >= 0)
            ::close(m_socket);
    }
    PortaLocal(const PortaLocal &) = delete;
    PortaLocal &operator=(const PortaLocal &) = delete;

    QString servidor() const { return QStringLiteral("127.0.0.1:%1").arg(porta); }
    quint16 porta = 0;

private:
    int m_socket = -1;
};

} // namespace

class TstClassFtpPortal : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void envioChegaIntacto_data();
    void envioChegaIntacto();
    void loginRecusado_data();
    void loginRecusado();
    void envioRecusado_data();
    void envioRecusado();
    void deletaApagaSoUmaVez();
    void recebeArquivoAusenteMantemOLocal();
    void nomeNaoViraComando_data();
    void nomeNaoViraComando();
    void cadaPassoCedeAVez_data();
    void cadaPassoCedeAVez();
    void conexaoCaiNoMeioDoEnvio();
    void servidorForaDoAr_data();
    void servidorForaDoAr();
    void envioIgnoraProxyDoAmbiente();

private:
    QString servidor() const { return QStringLiteral("127.0.0.1:%1").arg(m_portal->portaFtp()); }
    QString naConta(const QString &nome) const { return m_portal->raiz() + QStringLiteral("/ftp/0001/") + nome; }
    QString local(const QString &nome, const QByteArray &bytes) const;

    std::unique_ptr<PortalLocal> m_portal;
    QTemporaryDir m_pasta;
    ScriptedUi m_ui;
    Registro m_registro;
    OuvinteRegistrado m_ouvinte{m_registro};
    plataforma::CurlFtp m_curl;
    classFtp m_ftp{m_curl, m_ui, &m_ouvinte};
};

void TstClassFtpPortal::initTestCase()
{
    m_portal = std::make_unique<PortalLocal>();
    QVERIFY2(m_portal->ativo(), qPrintable(m_portal->falha()));
    QVERIFY(m_pasta.isValid());
}

void TstClassFtpPortal::init()
{
    m_portal->desligaFalhas();
    m_registro.linhas.clear();
    m_ouvinte.progressos.clear();
    m_ui.cedeSempre = false;
    m_registro.ui = &m_ui;
    m_registro.yieldsVistos = m_ui.eventosProcessados;
}

QString TstClassFtpPortal::local(const QString &nome, const QByteArray &bytes) const
{
    const QString caminho = m_pasta.filePath(nome);
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        return {};
    return caminho;
}

void TstClassFtpPortal::envioChegaIntacto_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<qint64>("tamanho");

    QTest::newRow("vazio") << QStringLiteral("vazio.pdf") << QString() << qint64(0);
    QTest::newRow("100 bytes") << QStringLiteral("cem.pdf") << QString() << qint64(100);
    QTest::newRow("nome acentuado com titulo") << QStringLiteral("local.pdf")
                                               << QStringLiteral("relatório março 2011.pdf") << qint64(4321);
    QTest::newRow("1 MB e 3 bytes") << QStringLiteral("grande.pdf") << QString() << qint64(1000003);
}

void TstClassFtpPortal::envioChegaIntacto()
{
    QFETCH(QString, nome);
    QFETCH(QString, titulo);
    QFETCH(qint64, tamanho);

    const QByteArray bytes = conteudo(tamanho);
    const QString caminho = local(nome, bytes);
    const QString remoto = titulo.isEmpty() ? nome : titulo;
    QVERIFY(m_ftp.Transmite(servidor(), kUsuario, kSenha, caminho, titulo));
    QCOMPARE(geral(m_registro), kSucesso);
    QCOMPARE(m_ouvinte.progressos.last(), qMakePair(tamanho, tamanho));

    QFile naConta(this->naConta(remoto));
    QVERIFY2(naConta.open(QIODevice::ReadOnly), qPrintable(naConta.fileName()));
    QVERIFY(naConta.readAll() == bytes);

    m_registro.linhas.clear();
    const QString devolvido = m_pasta.filePath(QStringLiteral("devolvido-") + nome);
    QVERIFY(m_ftp.Recebe(servidor(), kUsuario, kSenha, devolvido, remoto));
    QCOMPARE(geral(m_registro), kSucesso);
    QFile volta(devolvido);
    QVERIFY(volta.open(QIODevice::ReadOnly));
    QVERIFY(volta.readAll() == bytes);
}

void TstClassFtpPortal::loginRecusado_data()
{
    QTest::addColumn<QString>("falha");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<QString>("resposta");

    QTest::newRow("senha errada") << QString() << QStringLiteral("errada")
                                  << QStringLiteral("530 Usuário ou senha incorretos.");
    QTest::newRow("portal recusa") << QStringLiteral("ftp_refuse_login") << kSenha
                                   << QStringLiteral("530 Login recusado pelo portal.");
}

void TstClassFtpPortal::loginRecusado()
{
    QFETCH(QString, falha);
    QFETCH(QString, senha);
    QFETCH(QString, resposta);

    if (!falha.isEmpty())
        m_portal->ligaFalha(falha, QString(), 1);
    const QString caminho = local(QStringLiteral("login.pdf"), conteudo(10));
    QVERIFY(!m_ftp.Transmite(servidor(), kUsuario, senha, caminho, QString()));
    QCOMPARE(geral(m_registro),
             QStringList{QStringLiteral("Geral 3 InternetConnectCódigo do Erro: 67 Mensagem: ") + resposta} + kFechamento);
    QVERIFY(m_ouvinte.progressos.isEmpty());
}

void TstClassFtpPortal::envioRecusado_data()
{
    QTest::addColumn<QString>("falha");
    QTest::addColumn<QString>("resposta");

    QTest::newRow("envio recusado") << QStringLiteral("ftp_refuse_upload")
                                    << QStringLiteral("553 Envio recusado pelo portal.");
    QTest::newRow("disco cheio") << QStringLiteral("disk_full") << QStringLiteral("452 Espaço em disco insuficiente.");
}

void TstClassFtpPortal::envioRecusado()
{
    QFETCH(QString, falha);
    QFETCH(QString, resposta);

    m_portal->ligaFalha(falha);
    const QString caminho = local(QStringLiteral("recusado.pdf"), conteudo(1234));
    QVERIFY(!m_ftp.Transmite(servidor(), kUsuario, kSenha, caminho, QString()));
    QCOMPARE(geral(m_registro), (QStringList{QStringLiteral("Geral 1 Conectado"), QStringLiteral("Geral 1 Transmitindo"),
                                             QStringLiteral("Geral 3 FtpOpenFileCódigo do Erro: 25 Mensagem: ") + resposta}
                                 + kFechamento));
    QVERIFY(m_ouvinte.progressos.isEmpty());
    QVERIFY(!QFile::exists(naConta(QStringLiteral("recusado.pdf"))));
}

// The second delete finds nothing: the closing events are left out then.
void TstClassFtpPortal::deletaApagaSoUmaVez()
{
    const QString caminho = local(QStringLiteral("apagar.pdf"), conteudo(300));
    QVERIFY(m_ftp.Transmite(servidor(), kUsuario, kSenha, caminho, QString()));
    QVERIFY(QFile::exists(naConta(QStringLiteral("apagar.pdf"))));

    m_registro.linhas.clear();
    m_ftp.Deleta(servidor(), kUsuario, kSenha, QStringLiteral("apagar.pdf"));
    QVERIFY(!QFile::exists(naConta(QStringLiteral("apagar.pdf"))));
    QCOMPARE(geral(m_registro), kSucesso);

    m_registro.linhas.clear();
    m_ftp.Deleta(servidor(), kUsuario, kSenha, QStringLiteral("apagar.pdf"));
    QCOMPARE(geral(m_registro), (QStringList{QStringLiteral("Geral 1 Conectado"), QStringLiteral("Geral 1 Transmitindo")}));
}

// A failed download leaves the local file as it was.
void TstClassFtpPortal::recebeArquivoAusenteMantemOLocal()
{
    const QString caminho = local(QStringLiteral("existente.pdf"), QByteArrayLiteral("antigo"));
    QVERIFY(!m_ftp.Recebe(servidor(), kUsuario, kSenha, caminho, QStringLiteral("nao-existe.pdf")));
    QCOMPARE(geral(m_registro), kSucesso);
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArrayLiteral("antigo"));
    QCOMPARE(QDir(m_pasta.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("existente")),
             QStringList{QStringLiteral("existente.pdf")});
}

void TstClassFtpPortal::nomeNaoViraComando_data()
{
    QTest::addColumn<QString>("operacao");
    QTest::addColumn<QStringList>("eventos");

    const QStringList inicio{QStringLiteral("Geral 1 Conectado"), QStringLiteral("Geral 1 Transmitindo")};
    QTest::newRow("titulo do envio")
        << QStringLiteral("Transmite")
        << inicio
            + QStringList{QStringLiteral(
                "Geral 3 FtpOpenFileCódigo do Erro: 3 Mensagem: Endereço ou nome de arquivo inválido")}
            + kFechamento;
    QTest::newRow("arquivo a apagar") << QStringLiteral("Deleta") << inicio;
}

// A name with a line break is refused, never sent as a second command.
void TstClassFtpPortal::nomeNaoViraComando()
{
    QFETCH(QString, operacao);
    QFETCH(QStringList, eventos);

    const QString alvo = QStringLiteral("alvo.pdf");
    QVERIFY(m_ftp.Transmite(servidor(), kUsuario, kSenha, local(alvo, conteudo(20)), QString()));
    const QString nome = QStringLiteral("outro.pdf\r\nDELE ") + alvo;

    m_registro.linhas.clear();
    if (operacao == QLatin1String("Transmite"))
        QVERIFY(!m_ftp.Transmite(servidor(), kUsuario, kSenha, local(QStringLiteral("outro.pdf"), conteudo(20)), nome));
    else
        m_ftp.Deleta(servidor(), kUsuario, kSenha, nome);
    QVERIFY(QFile::exists(naConta(alvo)));
    QCOMPARE(geral(m_registro), eventos);
}

void TstClassFtpPortal::cadaPassoCedeAVez_data()
{
    QTest::addColumn<QString>("operacao");
    // the events with at least one turn of the window before each
    QTest::addColumn<QStringList>("depoisDeVez");

    QTest::newRow("Transmite") << QStringLiteral("Transmite")
                               << QStringList{QStringLiteral("Geral 1 Conectado"), QStringLiteral("Geral 1 Transmitindo"),
                                              QStringLiteral("Progress 100 150000"),
                                              QStringLiteral("Geral 1 Arquivo Fechado")};
    QTest::newRow("Recebe") << QStringLiteral("Recebe")
                            << QStringList{QStringLiteral("Geral 1 Conectado"), QStringLiteral("Geral 1 Transmitindo"),
                                           QStringLiteral("Geral 1 Arquivo Fechado")};
    QTest::newRow("Deleta") << QStringLiteral("Deleta")
                            << QStringList{QStringLiteral("Geral 1 Conectado"), QStringLiteral("Geral 1 Transmitindo"),
                                           QStringLiteral("Geral 1 Arquivo Fechado")};
}

// Login, folder, opening the remote file, the data and the server's final reply each wait on
// the network; the window gets its turns during every one of them.
void TstClassFtpPortal::cadaPassoCedeAVez()
{
    QFETCH(QString, operacao);
    QFETCH(QStringList, depoisDeVez);

    const QString caminho = local(QStringLiteral("vez.pdf"), conteudo(150000));
    if (operacao != QLatin1String("Transmite"))
        QVERIFY(m_ftp.Transmite(servidor(), kUsuario, kSenha, caminho, QString()));
    m_registro.linhas.clear();
    m_registro.yieldsVistos = m_ui.eventosProcessados;
    m_ui.cedeSempre = true;

    if (operacao == QLatin1String("Transmite"))
        QVERIFY(m_ftp.Transmite(servidor(), kUsuario, kSenha, caminho, QString()));
    else if (operacao == QLatin1String("Recebe"))
        QVERIFY(m_ftp.Recebe(servidor(), kUsuario, kSenha, m_pasta.filePath(QStringLiteral("volta.pdf")),
                             QStringLiteral("vez.pdf")));
    else
        m_ftp.Deleta(servidor(), kUsuario, kSenha, QStringLiteral("vez.pdf"));

    for (const QString &evento : depoisDeVez) {
        const qsizetype i = m_registro.linhas.indexOf(evento);
        QVERIFY2(i > 0, qPrintable(evento));
        QVERIFY2(m_registro.linhas.at(i - 1) == QLatin1String("yield"), qPrintable(m_registro.linhas.mid(i - 5, 6).join(QLatin1Char('|'))));
    }
}

// The line goes dead after the first block: a failure, never a success.
void TstClassFtpPortal::conexaoCaiNoMeioDoEnvio()
{
    m_portal->ligaFalha(QStringLiteral("ftp_drop_upload"), QString(), 1);
    const QByteArray bytes = conteudo(3 * 1024 * 1024);
    const QString caminho = local(QStringLiteral("cortado.pdf"), bytes);

    QVERIFY(!m_ftp.Transmite(servidor(), kUsuario, kSenha, caminho, QString()));
    QCOMPARE(geral(m_registro).mid(0, 2),
             (QStringList{QStringLiteral("Geral 1 Conectado"), QStringLiteral("Geral 1 Transmitindo")}));
    QCOMPARE(geral(m_registro).mid(geral(m_registro).size() - 3), kFechamento);

    // the next upload finds the server well again
    m_registro.linhas.clear();
    QVERIFY(m_ftp.Transmite(servidor(), kUsuario, kSenha, caminho, QString()));
    QFile naConta(this->naConta(QStringLiteral("cortado.pdf")));
    QVERIFY(naConta.open(QIODevice::ReadOnly));
    QVERIFY(naConta.readAll() == bytes);
}

void TstClassFtpPortal::servidorForaDoAr_data()
{
    QTest::addColumn<bool>("escuta");
    QTest::addColumn<QString>("erro");

    QTest::newRow("porta fechada") << false
                                   << QStringLiteral("InternetConnectCódigo do Erro: 7 Mensagem: Não foi possível conectar ao servidor");
    QTest::newRow("servidor mudo") << true
                                   << QStringLiteral("InternetConnectCódigo do Erro: 28 Mensagem: Tempo de espera esgotado");
}

// Both come back with the usual failure: a refused connection at once, a silent server after the
// (here short) stall time-out.
void TstClassFtpPortal::servidorForaDoAr()
{
    QFETCH(bool, escuta);
    QFETCH(QString, erro);

    PortaLocal porta(escuta);
    QVERIFY(porta.porta != 0);
    plataforma::CurlFtp curl(plataforma::TemposFtp{2000, 300});
    classFtp ftp(curl, m_ui, &m_ouvinte);
    const QString caminho = local(QStringLiteral("porta.pdf"), conteudo(10));
    const qint64 vezesAntes = m_ui.vezesPedidas;
    QVERIFY(!ftp.Transmite(porta.servidor(), kUsuario, kSenha, caminho, QString()));
    QCOMPARE(geral(m_registro), QStringList{QStringLiteral("Geral 3 ") + erro} + kFechamento);
    // the window had its turns while the silent server was waited for
    if (escuta)
        QVERIFY(m_ui.vezesPedidas - vezesAntes >= 3);
}

// The upload goes straight to the server, whatever proxy the environment names.
void TstClassFtpPortal::envioIgnoraProxyDoAmbiente()
{
    PortaLocal fechada(false);
    const QByteArray proxy = "http://" + fechada.servidor().toLatin1();
    const char *variaveis[] = {"ftp_proxy", "FTP_PROXY", "all_proxy", "ALL_PROXY"};
    for (const char *v : variaveis)
        qputenv(v, proxy);
    const QString caminho = local(QStringLiteral("direto.pdf"), conteudo(150));
    const bool enviado = m_ftp.Transmite(servidor(), kUsuario, kSenha, caminho, QString());
    for (const char *v : variaveis)
        qunsetenv(v);
    QVERIFY(enviado);
    QVERIFY(QFile::exists(naConta(QStringLiteral("direto.pdf"))));
}

QTEST_GUILESS_MAIN(TstClassFtpPortal)
#include "tst_classftp_portal.moc"
