// The session, the directory and the status services against a scripted loopback portal:
// accepted, refused, malformed, truncated and missing replies.
#include "BancadaPortal.h"
#include "platform/ErrorCodes.h"
#include "portal/Conversoes.h"
#include "portal/Diretorio.h"
#include "portal/Sessao.h"
#include "portal/StatusPortal.h"

#include <QtTest>

using Modo = ServidorRoteirizado::Modo;
using portal::LinhaTabela;

namespace {

const QString kAusente = QStringLiteral("<ausente>");

// An accepted login reply for the default fake date (09/03/2011), line by line.
QList<QByteArray> linhasLogin()
{
    return {"Vorlin Printer", "4711", "livre", "Maria Souza", "127.0.0.1:2121", "ftpvorlin", "s3nha",
            "Escrit\xf3rio Modelo", "33", "12", "logo.png", "09/03/2011", "0", "P", "1"};
}

QByteArray junta(const QList<QByteArray> &linhas)
{
    return linhas.join("\r\n");
}

QByteArray loginCom(int linha, const QByteArray &valor)
{
    QList<QByteArray> l = linhasLogin();
    l[linha] = valor;
    return junta(l);
}

QByteArray confirmacao(const QByteArray &data = "09/03/2011")
{
    return junta({"Vorlin Printer", data, "ftp.portal:21", "ftpnovo", "novasenha"});
}

QStringList emTexto(const QList<LinhaTabela> &tabela)
{
    QStringList saida;
    for (const LinhaTabela &l : tabela)
        saida << l.id + QLatin1Char('|') + l.nome;
    return saida;
}

// A session as a successful login leaves it in the store and in memory.
void gravaSessaoValida(BancadaPortal &b)
{
    b.gravaSessao(QStringLiteral("Sessao"), QStringLiteral("4711"));
    b.gravaSessao(QStringLiteral("Login_ID"), QStringLiteral("33"));
    b.gravaSessao(QStringLiteral("Dominio"), QStringLiteral("DEMO"));
    b.gravaSessao(QStringLiteral("Login"), QStringLiteral("MARIA"));
    b.gravaSessao(QStringLiteral("Admin"), QStringLiteral("1"));
    b.gravaSessao(QStringLiteral("Escritorio_ID"), QStringLiteral("12"));
    b.gravaSessao(QStringLiteral("Escritorio"), QStringLiteral("Escritório Modelo"));
    b.gravaSessao(QStringLiteral("TLogin"), QStringLiteral("5"));
    b.gravaSessao(QStringLiteral("LastLog"), QStringLiteral("09/03/2011 14:30:05"));
    b.gravaSessao(QStringLiteral("Usuario"), QStringLiteral("Maria Souza"));
    b.gravaSessao(QStringLiteral("Logo"), QStringLiteral("logo.png"));
    b.gravaSessao(QStringLiteral("TpLogo"), QStringLiteral("P"));
}

const QByteArray kDiretorio = "Vorlin Printer|*+1>@%Norte<!#2>@%Sul|*+10>@%1>@%Alfa<!#11>@%2>@%Beta<!#12>@%1>@%Gama"
                              "|*+7>@%Ana<!#8>@%Jos\xe9";

} // namespace

class TstPortalCliente : public QObject {
    Q_OBJECT

private slots:
    void autentica_data();
    void autentica();
    void autenticaAceitaGuardaTudo();
    void autenticaDepuracao_data();
    void autenticaDepuracao();
    void confirma_data();
    void confirma();
    void logadoAdotaOutraCopia();
    void logadoSemSessao_data();
    void logadoSemSessao();
    void restaura_data();
    void restaura();
    void restauraSemValores();

    void sincroniza_data();
    void sincroniza();
    void sincronizaCache();
    void clientesPorCarteira_data();
    void clientesPorCarteira();

    void internet_data();
    void internet();
    void espaco_data();
    void espaco();
    void dica_data();
    void dica();
    void dicasEmSequencia();
    void semInternet();
    void logo_data();
    void logo();
    void logoReusadoEAtualizado();
};

// ---------------------------------------------------------------------------------- session

void TstPortalCliente::autentica_data()
{
    QTest::addColumn<QByteArray>("resposta");
    QTest::addColumn<int>("modo");
    QTest::addColumn<bool>("capturaFunciona");
    QTest::addColumn<bool>("esperado");
    QTest::addColumn<int>("falha");          // ErroPrograma code raised, 0 for none
    QTest::addColumn<QString>("erro");
    QTest::addColumn<QString>("sessaoGravada");

    const int normal = int(Modo::Normal);
    QTest::newRow("aceito") << junta(linhasLogin()) << normal << true << true << 0 << QString() << QStringLiteral("4711");
    QTest::newRow("linhas a mais") << junta(linhasLogin() << "extra" << "mais") << normal << true << true << 0 << QString() << QStringLiteral("4711");
    QTest::newRow("recusa com codigo") << QByteArray("1\r\nDom\xednio, login ou senha inv\xe1lidos!") << normal << true << false << 0
                                       << QStringLiteral("Domínio, login ou senha inválidos!") << QString();
    QTest::newRow("recusa com codigo e varias linhas") << QByteArray("2\r\nBloqueado\r\nProcure o administrador") << normal << true << false << 0
                                                       << QStringLiteral("Bloqueado\r\nProcure o administrador") << QString();
    QTest::newRow("codigo sem CR LF") << QByteArray("3Requisicao invalida") << normal << true << false << 0
                                      << QStringLiteral("Requisicao invalida") << QString();
    QTest::newRow("recusa sem digito") << QByteArray("Acesso negado") << normal << true << false << 0
                                       << QStringLiteral("Login Incorreto!") << QString();
    QTest::newRow("pagina de erro 500") << QByteArray("<html>500</html>") << normal << true << false << 0
                                        << QStringLiteral("Login Incorreto!") << QString();
    QTest::newRow("vazio") << QByteArray() << normal << true << false << 0 << QStringLiteral("Login Incorreto!") << QString();
    QTest::newRow("lixo") << QByteArray("\x01\x02") << int(Modo::Lixo) << true << false << 0 << QStringLiteral("Login Incorreto!") << QString();
    QTest::newRow("data divergente") << loginCom(11, "10/03/2011") << normal << true << false << 0
                                     << QStringLiteral("Data do computador divergente!") << QString();
    QTest::newRow("captura falha") << junta(linhasLogin()) << normal << false << false << 0
                                   << QStringLiteral("Não foi possível capturar a impressão!") << QString();
    // Accepted but malformed: nothing is stored and the fault goes to the caller.
    QTest::newRow("cortado antes da linha 14") << junta(linhasLogin().mid(0, 14)) << normal << true << false
                                               << int(plataforma::CodigoErro::IndiceForaDoIntervalo) << QString() << kAusente;
    QTest::newRow("corpo truncado") << junta(linhasLogin().mid(0, 6)) << int(Modo::Truncado) << true << false
                                    << int(plataforma::CodigoErro::IndiceForaDoIntervalo) << QString() << kAusente;
    QTest::newRow("sessao nao numerica") << loginCom(1, "abc") << normal << true << false
                                         << int(plataforma::CodigoErro::TiposIncompativeis) << QString() << kAusente;
    QTest::newRow("sessao fora de 32 bits") << loginCom(1, "99999999999") << normal << true << false
                                            << int(plataforma::CodigoErro::Estouro) << QString() << kAusente;
    QTest::newRow("data que nao converte") << loginCom(11, "2011-03-09") << normal << true << false
                                           << int(plataforma::CodigoErro::TiposIncompativeis) << QString() << kAusente;
}

void TstPortalCliente::autentica()
{
    QFETCH(QByteArray, resposta);
    QFETCH(int, modo);
    QFETCH(bool, capturaFunciona);
    QFETCH(bool, esperado);
    QFETCH(int, falha);
    QFETCH(QString, erro);
    QFETCH(QString, sessaoGravada);

    BancadaPortal b(plataforma::TemposHttp{2000, 300});
    b.servidor.responde(resposta, 200, Modo(modo));
    b.capturaFunciona = capturaFunciona;
    b.estado.lngSessao = 99;
    portal::Sessao sessao(b.ctx);

    int codigo = 0;
    bool resultado = false;
    try {
        resultado = sessao.Autentica(QStringLiteral(" demo "), QStringLiteral("maria"), QStringLiteral(" segredo "), 5);
    } catch (const plataforma::ErroPrograma &e) {
        codigo = e.codigo();
    }
    QCOMPARE(codigo, falha);
    QCOMPARE(resultado, esperado);
    QCOMPARE(b.estado.Autenticado, esperado);
    QCOMPARE(b.erro, erro);
    QCOMPARE(b.sessao(QStringLiteral("Sessao")), sessaoGravada);
    QCOMPARE(b.sessao(QStringLiteral("Login_ID")), sessaoGravada == QLatin1String("4711") ? QStringLiteral("33") : sessaoGravada);
    if (!esperado && !falha)
        QCOMPARE(b.estado.lngSessao, 0);
    QCOMPARE(b.servidor.alvos(), QList<QByteArray>{"/printer/printer_login_b.asp?log=MARIA&psw=segredo&dom=DEMO"});
}

void TstPortalCliente::autenticaAceitaGuardaTudo()
{
    BancadaPortal b;
    b.servidor.responde(junta(linhasLogin()));
    portal::Sessao sessao(b.ctx);
    // The password goes encoded: every one of these reaches the portal as typed.
    QVERIFY(sessao.Autentica(QStringLiteral("demo"), QStringLiteral(" Maria "), QStringLiteral("a&b#c+d%e f"), 5));
    QCOMPARE(b.servidor.alvos().value(0), QByteArray("/printer/printer_login_b.asp?log=MARIA&psw=a%26b%23c%2Bd%25e%20f&dom=DEMO"));
    QCOMPARE(b.capturas, 1);

    const EstadoSessao &e = b.estado;
    QCOMPARE(e.Dominio, QStringLiteral("DEMO"));
    QCOMPARE(e.Login, QStringLiteral("MARIA"));
    QCOMPARE(e.lngSessao, 4711);
    QCOMPARE(e.Usuario, QStringLiteral("Maria Souza"));
    QCOMPARE(e.FtpServidor, QStringLiteral("127.0.0.1:2121"));
    QCOMPARE(e.FtpUsuario, QStringLiteral("ftpvorlin"));
    QCOMPARE(e.FtpSenha, QStringLiteral("s3nha"));
    QCOMPARE(e.Escritorio, QStringLiteral("Escritório Modelo"));
    QCOMPARE(e.lngLogin_ID, 33);
    QCOMPARE(e.lngID_Contador, 12);
    QCOMPARE(e.Logo, QStringLiteral("logo.png"));
    QCOMPARE(e.TpLogo, QStringLiteral("P"));
    QCOMPARE(e.lngAdmin, 1);
    QCOMPARE(e.DataPortal, QDate(2011, 3, 9));
    QCOMPARE(e.TLoginSegundos, 604800);
    QVERIFY(e.InternetOk);
    QVERIFY(!e.bDebug);
    // The in-memory confirmation time stays unset, so the next check confirms once more.
    QVERIFY(e.LastLog.isNull());

    const QList<std::pair<QString, QString>> gravados = {
        {QStringLiteral("Sessao"), QStringLiteral("4711")}, {QStringLiteral("Dominio"), QStringLiteral("DEMO")},
        {QStringLiteral("Login"), QStringLiteral("MARIA")}, {QStringLiteral("Login_ID"), QStringLiteral("33")},
        {QStringLiteral("Admin"), QStringLiteral("1")}, {QStringLiteral("Escritorio_ID"), QStringLiteral("12")},
        {QStringLiteral("Escritorio"), QStringLiteral("Escritório Modelo")}, {QStringLiteral("TLogin"), QStringLiteral("5")},
        {QStringLiteral("LastLog"), QStringLiteral("09/03/2011 14:30:05")}, {QStringLiteral("Usuario"), QStringLiteral("Maria Souza")},
        {QStringLiteral("Logo"), QStringLiteral("logo.png")}, {QStringLiteral("TpLogo"), QStringLiteral("P")}};
    for (const auto &[chave, valor] : gravados)
        QCOMPARE(b.sessao(chave), valor);

    // The login window's next check confirms (a second request) and is then logged in.
    b.servidor.responde(confirmacao());
    QVERIFY(sessao.Logado());
    QCOMPARE(b.servidor.alvos().value(1), QByteArray("/printer/printer_login_conf_b.asp?s=4711&l=33"));
    QCOMPARE(e.TLogin, 5);
    QVERIFY(sessao.Logado());
    QCOMPARE(b.servidor.alvos().size(), 2);
}

void TstPortalCliente::autenticaDepuracao_data()
{
    QTest::addColumn<QByteArray>("linha12");
    QTest::addColumn<bool>("bDebug");
    QTest::newRow("0 desliga") << QByteArray("0") << false;
    QTest::newRow("1 liga") << QByteArray("1") << true;
    QTest::newRow("vazio liga") << QByteArray() << true;
    QTest::newRow("00 liga") << QByteArray("00") << true;
}

void TstPortalCliente::autenticaDepuracao()
{
    QFETCH(QByteArray, linha12);
    QFETCH(bool, bDebug);
    BancadaPortal b;
    b.servidor.responde(loginCom(12, linha12));
    portal::Sessao sessao(b.ctx);
    QVERIFY(sessao.Autentica(QStringLiteral("demo"), QStringLiteral("maria"), QStringLiteral("x"), 5));
    QCOMPARE(b.estado.bDebug, bDebug);
}

void TstPortalCliente::confirma_data()
{
    QTest::addColumn<QByteArray>("resposta");
    QTest::addColumn<bool>("bDebug");
    QTest::addColumn<bool>("esperado");
    QTest::addColumn<QString>("erro");
    QTest::addColumn<QString>("sessaoGravada");
    QTest::addColumn<bool>("caixa");

    const QString s = QStringLiteral("4711");
    QTest::newRow("confirmada") << confirmacao() << false << true << QString() << s << false;
    QTest::newRow("linhas a mais") << confirmacao() + "\r\nextra" << false << true << QString() << s << false;
    QTest::newRow("codigo do portal") << QByteArray("1\r\nSess\xe3o expirada!") << false << false << QStringLiteral("Sessão expirada!") << s << false;
    QTest::newRow("codigo sem mensagem") << QByteArray("0") << false << false << QString() << s << false;
    QTest::newRow("data divergente") << confirmacao("08/03/2011") << false << false << QStringLiteral("Data do computador divergente!") << QString() << false;
    QTest::newRow("marcador com texto a mais") << QByteArray("Vorlin Printer!\r\n09/03/2011\r\na\r\nb\r\nc") << false << false << QString() << s << false;
    QTest::newRow("vazia") << QByteArray() << false << false << QString() << s << false;
    QTest::newRow("sem as linhas do FTP") << QByteArray("Vorlin Printer\r\n09/03/2011") << false << false << QString() << s << false;
    QTest::newRow("data que nao converte") << confirmacao("ontem") << false << false << QString() << s << false;
    QTest::newRow("lixo em depuracao mostra a resposta") << QByteArray("<html>oops</html>") << true << false << QString() << s << true;
}

void TstPortalCliente::confirma()
{
    QFETCH(QByteArray, resposta);
    QFETCH(bool, bDebug);
    QFETCH(bool, esperado);
    QFETCH(QString, erro);
    QFETCH(QString, sessaoGravada);
    QFETCH(bool, caixa);

    BancadaPortal b;
    gravaSessaoValida(b);
    b.gravaSessao(QStringLiteral("LastLog"), QStringLiteral("01/03/2011 08:00:00"));
    b.servidor.responde(resposta);
    b.home.ui.responde(plataforma::Resposta::Ok);
    b.estado.lngSessao = 4711;
    b.estado.lngLogin_ID = 33;
    b.estado.bDebug = bDebug;
    b.estado.Autenticado = true;
    portal::Sessao sessao(b.ctx);

    QCOMPARE(sessao.ConfirmaLogin(), esperado);
    QCOMPARE(b.estado.Autenticado, esperado);
    QCOMPARE(b.erro, erro);
    QCOMPARE(b.sessao(QStringLiteral("Sessao")), sessaoGravada);
    QCOMPARE(b.home.ui.caixas.size(), caixa ? 1 : 0);
    if (caixa) {
        QCOMPARE(b.home.ui.caixas[0].caixa.texto, QStringLiteral("Erro:\r\n<html>oops</html>"));
        QCOMPARE(b.home.ui.caixas[0].caixa.icone, plataforma::Icone::Nenhum);
        QCOMPARE(b.home.ui.caixas[0].caixa.botoes, plataforma::Botoes::Ok);
    }
    if (esperado) {
        QCOMPARE(b.estado.FtpServidor, QStringLiteral("ftp.portal:21"));
        QCOMPARE(b.estado.FtpUsuario, QStringLiteral("ftpnovo"));
        QCOMPARE(b.estado.FtpSenha, QStringLiteral("novasenha"));
        QCOMPARE(b.estado.LastLog, b.home.relogio.agora());
        QCOMPARE(b.sessao(QStringLiteral("LastLog")), QStringLiteral("09/03/2011 14:30:05"));
        QCOMPARE(b.estado.lngID_Contador, 12);
        QCOMPARE(b.estado.Escritorio, QStringLiteral("Escritório Modelo"));
        QCOMPARE(b.capturas, 1);
    } else {
        QCOMPARE(b.capturas, 0);
    }
}

void TstPortalCliente::logadoAdotaOutraCopia()
{
    BancadaPortal b;
    b.servidor.responde(confirmacao());
    portal::Sessao sessao(b.ctx);
    QVERIFY(!sessao.Logado());
    QVERIFY(b.servidor.alvos().isEmpty());

    // Another copy logs in: the first check adopts its session and confirms, the next says yes.
    gravaSessaoValida(b);
    QVERIFY(!sessao.Logado());
    QCOMPARE(b.servidor.alvos(), QList<QByteArray>{"/printer/printer_login_conf_b.asp?s=4711&l=33"});
    QVERIFY(sessao.Logado());
    QCOMPARE(b.servidor.alvos().size(), 1);

    // It confirms again when another copy renews "LastLog".
    b.home.relogio.avanca(60);
    b.gravaSessao(QStringLiteral("LastLog"), QStringLiteral("09/03/2011 14:30:30"));
    QVERIFY(sessao.Logado());
    QCOMPARE(b.servidor.alvos().size(), 2);
    QCOMPARE(b.sessao(QStringLiteral("LastLog")), QStringLiteral("09/03/2011 14:31:05"));

    // Another copy logs off: adopted as no session.
    b.gravaSessao(QStringLiteral("Sessao"), QStringLiteral("0"));
    b.gravaSessao(QStringLiteral("Login_ID"), QStringLiteral("0"));
    QVERIFY(!sessao.Logado());
    QVERIFY(!sessao.Logado());
    QCOMPARE(b.servidor.alvos().size(), 2);
}

void TstPortalCliente::logadoSemSessao_data()
{
    QTest::addColumn<QString>("sessaoGravada");
    QTest::newRow("log-off grava 0") << QStringLiteral("0");
    QTest::newRow("login falho grava vazio") << QString();
    QTest::newRow("texto") << QStringLiteral("abc");
}

void TstPortalCliente::logadoSemSessao()
{
    QFETCH(QString, sessaoGravada);
    BancadaPortal b;
    b.servidor.responde(confirmacao());
    portal::Sessao sessao(b.ctx);
    b.gravaSessao(QStringLiteral("Sessao"), sessaoGravada);
    b.gravaSessao(QStringLiteral("Login_ID"), sessaoGravada);
    QVERIFY(!sessao.Logado());
    QVERIFY(b.servidor.alvos().isEmpty());
}

void TstPortalCliente::restaura_data()
{
    QTest::addColumn<QString>("tlogin");
    QTest::addColumn<qint64>("idade");   // seconds since the stored last confirmation
    QTest::addColumn<bool>("restaura");
    QTest::newRow("7 dias exatos") << QStringLiteral("5") << qint64(604800) << true;
    QTest::newRow("7 dias e 1 segundo") << QStringLiteral("5") << qint64(604801) << false;
    QTest::newRow("30 minutos exatos") << QStringLiteral("1") << qint64(1800) << true;
    QTest::newRow("30 minutos e 1 segundo") << QStringLiteral("1") << qint64(1801) << false;
    QTest::newRow("codigo sem tempo de vida, agora") << QStringLiteral("0") << qint64(0) << true;
    QTest::newRow("codigo sem tempo de vida, depois") << QStringLiteral("9") << qint64(1) << false;
}

void TstPortalCliente::restaura()
{
    QFETCH(QString, tlogin);
    QFETCH(qint64, idade);
    QFETCH(bool, restaura);
    BancadaPortal b;
    gravaSessaoValida(b);
    b.gravaSessao(QStringLiteral("TLogin"), tlogin);
    b.home.relogio.define(QDateTime(QDate(2011, 3, 9), QTime(14, 30, 5)).addSecs(idade));
    b.gravaSessao(QStringLiteral("LastLog"), QStringLiteral("09/03/2011 14:30:05"));
    b.servidor.responde(confirmacao(b.home.relogio.hoje().toString(QStringLiteral("dd/MM/yyyy")).toLatin1()));
    portal::Sessao sessao(b.ctx);

    QCOMPARE(sessao.RestauraSessao(), restaura);
    QCOMPARE(b.estado.Autenticado, restaura);
    QCOMPARE(b.servidor.alvos().size(), restaura ? 1 : 0);
    // Domain and login pre-fill the login window either way.
    QCOMPARE(b.estado.Dominio, QStringLiteral("DEMO"));
    QCOMPARE(b.estado.Login, QStringLiteral("MARIA"));
    QCOMPARE(b.estado.lngSessao, restaura ? 4711 : 0);
    if (restaura) {
        QCOMPARE(b.estado.Usuario, QStringLiteral("Maria Souza"));
        QCOMPARE(b.estado.lngAdmin, 1);
        QCOMPARE(b.estado.Logo, QStringLiteral("logo.png"));
        QCOMPARE(b.estado.TpLogo, QStringLiteral("P"));
        QCOMPARE(b.sessao(QStringLiteral("LastLog")), portal::textoDataHora(b.home.relogio.agora()));
    }
}

void TstPortalCliente::restauraSemValores()
{
    BancadaPortal b;
    portal::Sessao sessao(b.ctx);
    // First run: nothing stored, the restore stops at the first number.
    QVERIFY_THROWS_EXCEPTION(plataforma::ErroPrograma, sessao.RestauraSessao());
    QVERIFY(!b.estado.Autenticado);
    QVERIFY(b.servidor.alvos().isEmpty());

    // A failed login left "Sessao" empty: the restore stops there.
    gravaSessaoValida(b);
    b.gravaSessao(QStringLiteral("Sessao"), QString());
    QVERIFY_THROWS_EXCEPTION(plataforma::ErroPrograma, sessao.RestauraSessao());
    QCOMPARE(b.estado.Dominio, QStringLiteral("DEMO"));
    QVERIFY(b.servidor.alvos().isEmpty());

    // Log-off then restore: "0" converts, the confirmation refuses without a request.
    b.gravaSessao(QStringLiteral("Sessao"), QStringLiteral("4711"));
    sessao.LogOff();
    QCOMPARE(b.sessao(QStringLiteral("Sessao")), QStringLiteral("0"));
    QCOMPARE(b.sessao(QStringLiteral("Login_ID")), QStringLiteral("0"));
    QVERIFY(!sessao.RestauraSessao());
    QVERIFY(b.servidor.alvos().isEmpty());
}

// -------------------------------------------------------------------------------- directory

void TstPortalCliente::sincroniza_data()
{
    QTest::addColumn<QByteArray>("resposta");
    QTest::addColumn<int>("modo");
    QTest::addColumn<bool>("esperado");
    QTest::addColumn<QString>("erro");
    QTest::addColumn<bool>("temCarteira");
    QTest::addColumn<QStringList>("carteiras");
    QTest::addColumn<QStringList>("clientes");
    QTest::addColumn<QStringList>("usuarios");
    QTest::addColumn<bool>("cacheGravado");

    const int normal = int(Modo::Normal);
    const QString falhou = QStringLiteral("antes\r\nErro durante sincronização!");
    // What an earlier synchronisation left: kept by every failure.
    const QStringList velhasC{QStringLiteral("1|Velha")}, velhosCl{QStringLiteral("9|Antigo")}, velhosU{QStringLiteral("5|Zé")};

    QTest::newRow("completo") << kDiretorio << normal << true << QStringLiteral("antes") << true
                              << QStringList{QStringLiteral("1|Norte"), QStringLiteral("2|Sul")}
                              << QStringList{QStringLiteral("10|Alfa"), QStringLiteral("11|Beta"), QStringLiteral("12|Gama")}
                              << QStringList{QStringLiteral("7|Ana"), QStringLiteral("8|José")} << true;
    QTest::newRow("uma carteira sem separadores") << QByteArray("Vorlin Printer|*+3>@%\xdanica|*+10>@%3>@%Alfa|*+7>@%Ana") << normal << true
                                                  << QStringLiteral("antes") << true << QStringList{QStringLiteral("3|Única")}
                                                  << QStringList{QStringLiteral("10|Alfa")} << QStringList{QStringLiteral("7|Ana")} << true;
    QTest::newRow("campos e secoes a mais") << QByteArray("Vorlin Printer|*+3>@%A>@%x|*+10>@%3>@%B>@%y>@%z|*+7>@%C>@%w|*+sobra") << normal << true
                                            << QStringLiteral("antes") << true << QStringList{QStringLiteral("3|A")}
                                            << QStringList{QStringLiteral("10|B")} << QStringList{QStringLiteral("7|C")} << true;
    QTest::newRow("sem carteiras") << QByteArray("Vorlin Printer|*+4|*+10>@%0>@%Alfa|*+7>@%Ana") << normal << true
                                   << QStringLiteral("Não existem carteiras cadastradas!") << false << QStringList{}
                                   << QStringList{QStringLiteral("10|Alfa")} << QStringList{QStringLiteral("7|Ana")} << true;
    QTest::newRow("nada cadastrado") << QByteArray("Vorlin Printer|*+4|*+5|*+6") << normal << true
                                     << QStringLiteral("Não existem usuarios cadastrados!") << false
                                     << QStringList{} << QStringList{} << QStringList{} << true;
    QTest::newRow("sem clientes") << QByteArray("Vorlin Printer|*+1>@%N|*+5|*+7>@%Ana") << normal << true
                                  << QStringLiteral("Não existem clientes cadastrados!") << true << QStringList{QStringLiteral("1|N")}
                                  << QStringList{} << QStringList{QStringLiteral("7|Ana")} << true;
    QTest::newRow("recusa do portal") << QByteArray("0\r\nSess\xe3o n\xe3o encontrada!") << normal << false
                                      << QStringLiteral("Sessão não encontrada!\r\nErro durante sincronização!") << true
                                      << velhasC << velhosCl << velhosU << false;
    QTest::newRow("vazio") << QByteArray() << normal << false << falhou << true << velhasC << velhosCl << velhosU << false;
    QTest::newRow("erro 500") << QByteArray("<html>erro</html>") << normal << false << falhou << true << velhasC << velhosCl << velhosU << false;
    QTest::newRow("secao 0 com texto a mais") << QByteArray("Vorlin Printer2|*+4|*+5|*+6") << normal << false << QStringLiteral("antes")
                                              << true << velhasC << velhosCl << velhosU << true;
    QTest::newRow("so o marcador") << QByteArray("Vorlin Printer") << normal << false << falhou << true << velhasC << velhosCl << velhosU << true;
    QTest::newRow("falta a secao de usuarios") << QByteArray("Vorlin Printer|*+4|*+5") << normal << false
                                               << QStringLiteral("Não existem clientes cadastrados!\r\nErro durante sincronização!")
                                               << true << velhasC << velhosCl << velhosU << true;
    QTest::newRow("registro sem campos") << QByteArray("Vorlin Printer|*+1|*+5|*+6") << normal << false << falhou << true
                                         << velhasC << velhosCl << velhosU << true;
    QTest::newRow("cliente com dois campos") << QByteArray("Vorlin Printer|*+4|*+10>@%1|*+6") << normal << false
                                             << QStringLiteral("Não existem carteiras cadastradas!\r\nErro durante sincronização!")
                                             << true << velhasC << velhosCl << velhosU << true;
    QTest::newRow("corpo truncado") << kDiretorio.left(60) << int(Modo::Truncado) << false << falhou << true
                                    << velhasC << velhosCl << velhosU << true;
}

void TstPortalCliente::sincroniza()
{
    QFETCH(QByteArray, resposta);
    QFETCH(int, modo);
    QFETCH(bool, esperado);
    QFETCH(QString, erro);
    QFETCH(bool, temCarteira);
    QFETCH(QStringList, carteiras);
    QFETCH(QStringList, clientes);
    QFETCH(QStringList, usuarios);
    QFETCH(bool, cacheGravado);

    BancadaPortal b(plataforma::TemposHttp{2000, 300});
    b.estado.lngSessao = 4711;
    b.estado.lngLogin_ID = 33;
    b.estado.lngID_Contador = 12;
    portal::Diretorio diretorio(b.ctx);
    b.servidor.responde("Vorlin Printer|*+1>@%Velha|*+9>@%1>@%Antigo|*+5>@%Z\xe9");
    bool atualiza = false;
    QVERIFY(diretorio.Sincroniza(atualiza, true));
    const QString cache = b.home.pastaPrograma() + QStringLiteral("c12sinc.rtx");
    QVERIFY(b.home.fso.gravaBytes(cache, "velho"));

    b.erro = QStringLiteral("antes");
    b.servidor.responde(resposta, 200, Modo(modo));
    atualiza = false;
    QCOMPARE(diretorio.Sincroniza(atualiza, true), esperado);
    QVERIFY(atualiza);
    QCOMPARE(b.erro, erro);
    QCOMPARE(b.estado.TemCarteira, temCarteira);
    QCOMPARE(emTexto(diretorio.Carteiras()), carteiras);
    QCOMPARE(emTexto(diretorio.Clientes(0)), clientes);
    QCOMPARE(emTexto(diretorio.Usuarios()), usuarios);
    QCOMPARE(b.home.fso.leBytes(cache), cacheGravado ? resposta : QByteArray("velho"));
}

void TstPortalCliente::sincronizaCache()
{
    BancadaPortal b;
    b.estado.lngSessao = 4711;
    b.estado.lngLogin_ID = 33;
    b.estado.lngID_Contador = 12;
    portal::Diretorio diretorio(b.ctx);
    const QByteArray usuariosForm = "Vorlin Printer|*+4|*+5|*+7>@%Jo\xe3o";
    b.servidor.define([&](const QByteArray &alvo) {
        return ServidorRoteirizado::Roteiro{alvo.endsWith("&c=1") ? kDiretorio : usuariosForm};
    });
    bool atualiza = false;
    QVERIFY(diretorio.Sincroniza(atualiza, true));
    QVERIFY(diretorio.Sincroniza(atualiza, false, QStringLiteral("ignorado")));
    QCOMPARE(b.servidor.alvos(), (QList<QByteArray>{"/printer/sincroniza.asp?s=4711&l=33&c=1", "/printer/sincroniza.asp?s=4711&l=33&u=1"}));
    QCOMPARE(b.home.fso.leBytes(b.home.pastaPrograma() + QStringLiteral("c12sinc.rtx")), kDiretorio);
    QCOMPARE(b.home.fso.leBytes(b.home.pastaPrograma() + QStringLiteral("c12sincu.rpx")), usuariosForm);
    QCOMPARE(emTexto(diretorio.Usuarios()), QStringList{QStringLiteral("7|João")});

    // A cache file that cannot be written fails the call and keeps the tables.
    QDir(b.home.pastaPrograma()).removeRecursively();
    QVERIFY(!diretorio.Sincroniza(atualiza, true));
    QVERIFY(b.erro.endsWith(QStringLiteral("\r\nErro durante sincronização!")));
    QCOMPARE(emTexto(diretorio.Usuarios()), QStringList{QStringLiteral("7|João")});
}

void TstPortalCliente::clientesPorCarteira_data()
{
    QTest::addColumn<qint64>("carteira");
    QTest::addColumn<QStringList>("esperado");
    const QStringList todos{QStringLiteral("10|Alfa"), QStringLiteral("11|Beta"), QStringLiteral("12|Gama"), QStringLiteral("13|Delta")};
    QTest::newRow("carteira 1") << qint64(1) << QStringList{QStringLiteral("10|Alfa"), QStringLiteral("12|Gama"), QStringLiteral("13|Delta")};
    QTest::newRow("carteira 2") << qint64(2) << QStringList{QStringLiteral("11|Beta")};
    QTest::newRow("carteira sem clientes") << qint64(99) << QStringList{};
    QTest::newRow("0 e todas") << qint64(0) << todos;
    QTest::newRow("Todas Carteiras") << qint64(-1) << todos;
}

void TstPortalCliente::clientesPorCarteira()
{
    QFETCH(qint64, carteira);
    QFETCH(QStringList, esperado);
    BancadaPortal b;
    portal::Diretorio diretorio(b.ctx);
    // Wallet ids compare as numbers: "01" is wallet 1.
    b.servidor.responde("Vorlin Printer|*+1>@%N<!#2>@%S|*+10>@%1>@%Alfa<!#11>@%2>@%Beta<!#12>@%1>@%Gama<!#13>@%01>@%Delta|*+6");
    bool atualiza = false;
    QVERIFY(diretorio.Sincroniza(atualiza, true));
    QCOMPARE(emTexto(diretorio.Clientes(carteira)), esperado);

    // A directory without clients answers empty for every wallet, not the previous one.
    b.servidor.responde("Vorlin Printer|*+1>@%N|*+5|*+6");
    QVERIFY(diretorio.Sincroniza(atualiza, true));
    QVERIFY(diretorio.Clientes(carteira).isEmpty());
    QVERIFY(b.estado.Tabelas.RegistrosClientes.isEmpty());
}

// ---------------------------------------------------------------------------------- status

void TstPortalCliente::internet_data()
{
    QTest::addColumn<QByteArray>("resposta");
    QTest::addColumn<int>("modo");
    QTest::addColumn<bool>("esperado");
    QTest::newRow("0") << QByteArray("0") << int(Modo::Normal) << true;
    QTest::newRow("0 e mais texto") << QByteArray("0\r\nok") << int(Modo::Normal) << true;
    QTest::newRow("1") << QByteArray("1") << int(Modo::Normal) << false;
    QTest::newRow("vazio") << QByteArray() << int(Modo::Normal) << false;
    QTest::newRow("pagina de erro") << QByteArray("<html>0</html>") << int(Modo::Normal) << false;
    QTest::newRow("sem resposta") << QByteArray() << int(Modo::Mudo) << false;
}

void TstPortalCliente::internet()
{
    QFETCH(QByteArray, resposta);
    QFETCH(int, modo);
    QFETCH(bool, esperado);
    BancadaPortal b(plataforma::TemposHttp{2000, 300});
    b.estado.InternetOk = !esperado;
    b.servidor.responde(resposta, 200, Modo(modo));
    portal::StatusPortal status(b.ctx);
    QCOMPARE(status.Internet(), esperado);
    QCOMPARE(b.estado.InternetOk, esperado);
    QCOMPARE(b.servidor.alvos(), QList<QByteArray>{"/printer/printer_login.asp"});
}

void TstPortalCliente::espaco_data()
{
    QTest::addColumn<QByteArray>("resposta");
    QTest::addColumn<bool>("esperado");
    QTest::addColumn<double>("total");
    QTest::addColumn<double>("utilizado");
    QTest::newRow("inteiros") << QByteArray("Vorlin Printer;1000;250") << true << 1000.0 << 250.0;
    QTest::newRow("milhar e decimal brasileiros") << QByteArray("Vorlin Printer;1.073.741.824;2,5") << true << 1073741824.0 << 2.5;
    QTest::newRow("campo a mais") << QByteArray("Vorlin Printer;10;4;x") << true << 10.0 << 4.0;
    QTest::newRow("sem o usado") << QByteArray("Vorlin Printer;1000") << false << 0.0 << 0.0;
    QTest::newRow("nao numerico") << QByteArray("Vorlin Printer;muito;1") << false << 0.0 << 0.0;
    QTest::newRow("vazio") << QByteArray() << false << 0.0 << 0.0;
    QTest::newRow("recusa") << QByteArray("0\r\nSess\xe3o n\xe3o encontrada!") << false << 0.0 << 0.0;
    QTest::newRow("sem marcador") << QByteArray("Vorlin;1000;250") << false << 0.0 << 0.0;
}

void TstPortalCliente::espaco()
{
    QFETCH(QByteArray, resposta);
    QFETCH(bool, esperado);
    QFETCH(double, total);
    QFETCH(double, utilizado);
    BancadaPortal b;
    b.estado.InternetOk = true;
    b.estado.lngSessao = 4711;
    b.estado.lngLogin_ID = 33;
    b.estado.EspacoTotal = 5;
    b.estado.EspacoUtilizado = 3;
    b.estado.EspacoDisponivel = 2;
    b.servidor.responde(resposta);
    portal::StatusPortal status(b.ctx);
    QCOMPARE(status.AtualizaEspaco(), esperado);
    QCOMPARE(b.estado.EspacoTotal, total);
    QCOMPARE(b.estado.EspacoUtilizado, utilizado);
    QCOMPARE(b.estado.EspacoDisponivel, total - utilizado);
    QCOMPARE(b.servidor.alvos(), QList<QByteArray>{"/printer/espaco_b.asp?s=4711&l=33"});
}

void TstPortalCliente::dica_data()
{
    QTest::addColumn<QByteArray>("resposta");
    QTest::addColumn<bool>("esperado");
    QTest::addColumn<QString>("ordem");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("texto");
    const QString manutencao = QStringLiteral("Dica em manutenção");
    const QString semDica = QStringLiteral("Neste momento não é possível recuperar uma dica.");
    QTest::newRow("dica") << QByteArray("7-*=Atalho-*=Use o bot\xe3o Enviar.") << true << QStringLiteral("7")
                          << QStringLiteral("Atalho") << QStringLiteral("\r\nUse o botão Enviar.");
    QTest::newRow("campos a mais") << QByteArray("7-*=T-*=X-*=Y") << true << QStringLiteral("7") << QStringLiteral("T") << QStringLiteral("\r\nX");
    QTest::newRow("vazio mantem a ordem") << QByteArray() << false << QStringLiteral("anterior") << manutencao << semDica;
    QTest::newRow("sem separador vira a ordem") << QByteArray("<html>x</html>") << false << QStringLiteral("<html>x</html>") << manutencao << semDica;
    QTest::newRow("sem o texto") << QByteArray("8-*=Titulo") << false << QStringLiteral("8") << manutencao << semDica;
}

void TstPortalCliente::dica()
{
    QFETCH(QByteArray, resposta);
    QFETCH(bool, esperado);
    QFETCH(QString, ordem);
    QFETCH(QString, titulo);
    QFETCH(QString, texto);
    BancadaPortal b;
    b.estado.InternetOk = true;
    b.estado.OrdemDica = QStringLiteral("anterior");
    b.servidor.responde(resposta);
    portal::StatusPortal status(b.ctx);
    QCOMPARE(status.Dica(), esperado);
    QCOMPARE(b.estado.OrdemDica, ordem);
    QCOMPARE(b.estado.DicaTitulo, titulo);
    QCOMPARE(b.estado.DicaTexto, texto);
}

void TstPortalCliente::dicasEmSequencia()
{
    BancadaPortal b;
    b.estado.InternetOk = true;
    b.estado.lngSessao = 4711;
    b.estado.lngLogin_ID = 33;
    b.servidor.define([](const QByteArray &alvo) {
        return ServidorRoteirizado::Roteiro{alvo.endsWith("ordem=") ? QByteArray("3-*=Um-*=Primeira") : QByteArray("4-*=Dois-*=Segunda")};
    });
    portal::StatusPortal status(b.ctx);
    QVERIFY(status.Dica());
    QVERIFY(status.Dica());
    QCOMPARE(b.servidor.alvos(), (QList<QByteArray>{"/printer/dicas_b.asp?s=4711&l=33&ordem=", "/printer/dicas_b.asp?s=4711&l=33&ordem=3"}));
    QCOMPARE(b.estado.DicaTitulo, QStringLiteral("Dois"));
}

void TstPortalCliente::semInternet()
{
    // After a failed connectivity check the other services answer at once, without a request.
    BancadaPortal b;
    b.home.fso.gravaBytes(b.home.pastaPrograma() + QStringLiteral("logo.png"), "png");
    b.servidor.responde("1");
    b.estado.Logo = QStringLiteral("logo.png");
    b.estado.EspacoTotal = 10;
    b.estado.DicaTitulo = QStringLiteral("atual");
    portal::StatusPortal status(b.ctx);
    QVERIFY(!status.Internet());
    QVERIFY(!status.AtualizaEspaco());
    QCOMPARE(b.erro, QStringLiteral("Não é possível atualizar espaço total e disponível sem internet!"));
    QCOMPARE(b.estado.EspacoTotal, 10.0);
    QVERIFY(!status.Dica());
    QCOMPARE(b.erro, QStringLiteral("Não é possivel recuperar dicas sem internet"));
    QCOMPARE(b.estado.DicaTitulo, QStringLiteral("atual"));
    b.erro.clear();
    QCOMPARE(status.LogoEscritorio(b.home.pastaPrograma(), true), b.home.pastaPrograma() + QStringLiteral("logo.png"));
    QCOMPARE(b.erro, QStringLiteral("Não é possível atualizar espaço total e disponível sem internet!"));
    QCOMPARE(b.servidor.alvos().size(), 1);
}

void TstPortalCliente::logo_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<qint32>("escritorio");
    QTest::addColumn<QByteArray>("alvo");   // empty: refused without a request
    QTest::newRow("escritorio 7") << QStringLiteral("logo.png") << 7 << QByteArray("/site/vorlin/escritorio_arq/0007/logo.png");
    QTest::newRow("escritorio 12345") << QStringLiteral("marca 1.jpg") << 12345 << QByteArray("/site/vorlin/escritorio_arq/12345/marca%201.jpg");
    QTest::newRow("sobe de pasta") << QStringLiteral("../logo.png") << 7 << QByteArray();
    QTest::newRow("so ponto ponto") << QStringLiteral("..") << 7 << QByteArray();
    QTest::newRow("barra") << QStringLiteral("a/logo.png") << 7 << QByteArray();
    QTest::newRow("barra invertida") << QStringLiteral("a\\logo.png") << 7 << QByteArray();
    QTest::newRow("caminho absoluto") << QStringLiteral("/etc/passwd") << 7 << QByteArray();
    QTest::newRow("controle") << QStringLiteral("lo\ngo.png") << 7 << QByteArray();
}

void TstPortalCliente::logo()
{
    QFETCH(QString, nome);
    QFETCH(qint32, escritorio);
    QFETCH(QByteArray, alvo);
    BancadaPortal b;
    b.estado.InternetOk = true;
    b.estado.Logo = nome;
    b.estado.lngID_Contador = escritorio;
    const QByteArray imagem("\x89PNG\r\n\x1a\n\0\0\xff", 11);
    b.servidor.responde(imagem);
    portal::StatusPortal status(b.ctx);
    const QString pasta = b.home.pastaPrograma();
    const QString caminho = status.LogoEscritorio(pasta, false);
    if (alvo.isEmpty()) {
        QCOMPARE(caminho, QString());
        QCOMPARE(b.erro, QStringLiteral("Não foi possivel baixar o logo do escritório!"));
        QVERIFY(b.servidor.alvos().isEmpty());
        return;
    }
    QCOMPARE(caminho, pasta + nome);
    QCOMPARE(b.servidor.alvos(), QList<QByteArray>{alvo});
    QCOMPARE(b.home.fso.leBytes(caminho), imagem);
}

void TstPortalCliente::logoReusadoEAtualizado()
{
    BancadaPortal b;
    b.estado.InternetOk = true;
    b.estado.Logo = QStringLiteral("logo.png");
    b.estado.lngID_Contador = 12;
    b.servidor.responde("imagem 1");
    portal::StatusPortal status(b.ctx);
    const QString pasta = b.home.pastaPrograma();
    const QString caminho = pasta + QStringLiteral("logo.png");
    QCOMPARE(status.LogoEscritorio(pasta, false), caminho);
    QCOMPARE(status.LogoEscritorio(pasta, false), caminho);
    QCOMPARE(b.servidor.alvos().size(), 1);

    // A forced refresh downloads again; an error page is stored like any body.
    b.servidor.responde("<html>nao achei</html>", 404);
    QCOMPARE(status.LogoEscritorio(pasta, true), caminho);
    QCOMPARE(b.home.fso.leBytes(caminho), QByteArray("<html>nao achei</html>"));

    // No body at all (portal gone) keeps the logo there is.
    b.servidor.responde(QByteArray());
    QCOMPARE(status.LogoEscritorio(pasta, true), QString());
    QCOMPARE(b.erro, QStringLiteral("Não foi possivel baixar o logo do escritório!"));
    QCOMPARE(b.home.fso.leBytes(caminho), QByteArray("<html>nao achei</html>"));
}

QTEST_GUILESS_MAIN(TstPortalCliente)
#include "tst_portal_cliente.moc"
