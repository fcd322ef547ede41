// The HTTP adapter against a scripted loopback server, the query encoders and the reply framing.
#include "ServidorRoteirizado.h"
#include "platform/CurlHttp.h"
#include "platform/ErrorCodes.h"
#include "portal/Conversoes.h"
#include "portal/EnderecoFtp.h"
#include "portal/Resposta.h"
#include "portal/classURL.h"

#include <QRegularExpression>
#include <QtTest>
#include <limits>

using plataforma::CurlHttp;
using Modo = ServidorRoteirizado::Modo;

class TstPortalTransporte : public QObject {
    Q_OBJECT

private slots:
    void corpoInteiro_data();
    void corpoInteiro();
    void semRespostaUtil_data();
    void semRespostaUtil();
    void pedidoComoEnviado();
    void esperaDaVezAoChamador();
    void ignoraProxyDoAmbiente();
    void abreURLDecodificaAnsi();
    void codificaURL_data();
    void codificaURL();
    void codificaValor_data();
    void codificaValor();
    void partes_data();
    void partes();
    void parteAusenteFalha();
    void conversoesComoAsExpressoes_data();
    void conversoesComoAsExpressoes();
    void enderecoFtp_data();
    void enderecoFtp();
};

void TstPortalTransporte::corpoInteiro_data()
{
    QTest::addColumn<QByteArray>("corpo");
    QTest::addColumn<int>("status");

    QByteArray grande;
    for (int i = 0; i < 10000; ++i)
        grande.append(static_cast<char>(i * 7 % 256));
    QTest::newRow("texto") << QByteArray("Vorlin Printer\r\n12") << 200;
    QTest::newRow("vazio") << QByteArray() << 200;
    QTest::newRow("binario maior que 2048 bytes, em ordem") << grande << 200;
    QTest::newRow("pagina de erro 500 volta como corpo") << QByteArray("<html>erro interno</html>") << 500;
    QTest::newRow("404 tambem") << QByteArray("nao achei") << 404;
}

void TstPortalTransporte::corpoInteiro()
{
    QFETCH(QByteArray, corpo);
    QFETCH(int, status);
    ServidorRoteirizado servidor;
    QVERIFY(servidor.ativo());
    servidor.responde(corpo, status);
    CurlHttp http;
    QCOMPARE(http.get(servidor.base() + "printer/x.asp?s=1"), corpo);
}

void TstPortalTransporte::semRespostaUtil_data()
{
    QTest::addColumn<int>("modo");
    QTest::addColumn<QByteArray>("corpo");
    QTest::addColumn<QByteArray>("esperado");

    QTest::newRow("corpo cortado devolve o que chegou") << int(Modo::Truncado) << QByteArray("Vorlin Printer|*+4") << QByteArray("Vorlin Printer|*+4");
    QTest::newRow("bytes que nao sao HTTP") << int(Modo::Lixo) << QByteArray("\x01\x02lixo\r\n\r\nmais lixo") << QByteArray();
    QTest::newRow("servidor que nunca responde") << int(Modo::Mudo) << QByteArray() << QByteArray();
}

void TstPortalTransporte::semRespostaUtil()
{
    QFETCH(int, modo);
    QFETCH(QByteArray, corpo);
    QFETCH(QByteArray, esperado);
    ServidorRoteirizado servidor;
    servidor.responde(corpo, 200, Modo(modo));
    // A short stall time-out: the call has to come back, with what had arrived.
    CurlHttp http(plataforma::TemposHttp{2000, 300});
    QCOMPARE(http.get(servidor.base() + "printer/dicas_b.asp"), esperado);
    QCOMPARE(servidor.requisicoes().size(), 1);
}

// While a reply is awaited, the caller that asked for turns gets them every few milliseconds;
// without the request, it is asked nothing.
void TstPortalTransporte::esperaDaVezAoChamador()
{
    ServidorRoteirizado servidor;
    servidor.responde(QByteArray(), 200, Modo::Mudo);
    CurlHttp http(plataforma::TemposHttp{2000, 300});
    int vezes = 0;
    http.defineVez([&vezes] { ++vezes; });
    QCOMPARE(http.get(servidor.base() + "printer/dicas_b.asp"), QByteArray());
    // 300 ms of silence, at most 8 ms between turns; generous for a busy machine
    QVERIFY2(vezes >= 5, qPrintable(QString::number(vezes)));

    http.defineVez({});
    servidor.responde("Vorlin Printer|*+4");
    QCOMPARE(http.get(servidor.base() + "printer/dicas_b.asp"), QByteArray("Vorlin Printer|*+4"));
    QCOMPARE(vezes >= 5, true);
}

void TstPortalTransporte::pedidoComoEnviado()
{
    ServidorRoteirizado servidor;
    servidor.responde("ok");
    CurlHttp http;
    // Raw values stay raw; only what a URL cannot carry is escaped.
    QCOMPARE(http.get(servidor.base() + "printer/publica.asp?d=Nota fiscal\xe9\t&x=a|b%41&e=1"), QByteArray("ok"));
    const auto pedido = servidor.requisicoes().value(0);
    QCOMPARE(pedido.alvo, QByteArray("/printer/publica.asp?d=Nota%20fiscal%E9%09&x=a|b%41&e=1"));
    QVERIFY(pedido.cabecalhos.contains("User-Agent: Vorlin Printer\r\n"));
    QVERIFY(pedido.cabecalhos.contains("Cache-Control: no-cache"));
    QVERIFY(pedido.cabecalhos.contains("Pragma: no-cache"));

    // The closed port answers at once with nothing.
    CurlHttp fechado;
    QCOMPARE(fechado.get("http://127.0.0.1:" + QByteArray::number(ServidorRoteirizado::portaFechada()) + "/printer/printer_login.asp"),
             QByteArray());
}

void TstPortalTransporte::ignoraProxyDoAmbiente()
{
    ServidorRoteirizado servidor;
    servidor.responde("direto");
    const QByteArray proxy = "http://127.0.0.1:" + QByteArray::number(ServidorRoteirizado::portaFechada());
    const char *variaveis[] = {"http_proxy", "HTTP_PROXY", "all_proxy", "ALL_PROXY"};
    QByteArray antigos[4];
    for (int i = 0; i < 4; ++i) {
        antigos[i] = qgetenv(variaveis[i]);
        qputenv(variaveis[i], proxy);
    }
    CurlHttp http;
    const QByteArray corpo = http.get(servidor.base() + "printer/printer_login.asp");
    for (int i = 0; i < 4; ++i)
        antigos[i].isNull() ? qunsetenv(variaveis[i]) : qputenv(variaveis[i], antigos[i]);
    QCOMPARE(corpo, QByteArray("direto"));
}

void TstPortalTransporte::abreURLDecodificaAnsi()
{
    ServidorRoteirizado servidor;
    servidor.responde("Jos\xe9 \x80 \x81");
    CurlHttp http;
    classURL url(http);
    const QString base = QString::fromLatin1(servidor.base());
    QCOMPARE(url.AbreURL(base + QStringLiteral("a")), QStringLiteral("José € \u0081"));
    QCOMPARE(url.AbreURLBytes(base + QStringLiteral("a")), QByteArray("Jos\xe9 \x80 \x81"));
    // The address goes out as Windows-1252 bytes.
    url.AbreURL(base + QStringLiteral("b?o=ação"));
    QCOMPARE(servidor.alvos().value(2), QByteArray("/b?o=a%E7%E3o"));
}

void TstPortalTransporte::codificaURL_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("vazio") << QString() << QString();
    QTest::newRow("blank e porcento") << QStringLiteral("Nota fiscal 10%") << QStringLiteral("Nota+fiscal+10%25");
    QTest::newRow("conjunto que passa") << QStringLiteral("a&b=c") << QStringLiteral("a&b=c");
    QTest::newRow("todo o conjunto") << QStringLiteral(":/.?=_-$(){}~&") << QStringLiteral(":/.?=_-$(){}~&");
    QTest::newRow("TAB com um digito") << QStringLiteral("\t") << QStringLiteral("%09");
    QTest::newRow("cedilha") << QStringLiteral("ç") << QStringLiteral("%E7");
    QTest::newRow("mais, cerquilha, aspas") << QStringLiteral("+#\"") << QStringLiteral("%2B%23%22");
    QTest::newRow("euro pelo codigo 1252") << QStringLiteral("€") << QStringLiteral("%80");
    QTest::newRow("sem codigo 1252") << QStringLiteral("\u4e2d") << QStringLiteral("%3F");
}

void TstPortalTransporte::codificaURL()
{
    QFETCH(QString, texto);
    QFETCH(QString, esperado);
    QCOMPARE(classURL::CodificaURL(texto), esperado);
}

void TstPortalTransporte::codificaValor_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("simples") << QStringLiteral("ADMIN") << QStringLiteral("ADMIN");
    QTest::newRow("separadores da URL") << QStringLiteral("a&b#c+d%e=f?g/h") << QStringLiteral("a%26b%23c%2Bd%25e%3Df%3Fg%2Fh");
    QTest::newRow("blank e acento") << QStringLiteral("são paulo") << QStringLiteral("s%E3o%20paulo");
    QTest::newRow("nao reservados") << QStringLiteral("-._~") << QStringLiteral("-._~");
}

void TstPortalTransporte::codificaValor()
{
    QFETCH(QString, texto);
    QFETCH(QString, esperado);
    QCOMPARE(classURL::CodificaValor(texto), esperado);
}

void TstPortalTransporte::partes_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("separador");
    QTest::addColumn<QStringList>("esperado");
    QTest::newRow("linhas") << QStringLiteral("Vorlin Printer\r\n1\r\n\r\nx") << QStringLiteral("\r\n")
                            << QStringList{QStringLiteral("Vorlin Printer"), QStringLiteral("1"), QString(), QStringLiteral("x")};
    QTest::newRow("sem CR LF e uma linha 0") << QStringLiteral("abc\ndef") << QStringLiteral("\r\n")
                                             << QStringList{QStringLiteral("abc\ndef")};
    QTest::newRow("vazio nao tem partes") << QString() << QStringLiteral("|*+") << QStringList{};
    QTest::newRow("secoes") << QStringLiteral("Vorlin Printer|*+4|*+|*+6") << QStringLiteral("|*+")
                            << QStringList{QStringLiteral("Vorlin Printer"), QStringLiteral("4"), QString(), QStringLiteral("6")};
    QTest::newRow("registros e campos") << QStringLiteral("1>@%A<!#2>@%B") << QStringLiteral("<!#")
                                        << QStringList{QStringLiteral("1>@%A"), QStringLiteral("2>@%B")};
    QTest::newRow("marcador errado nao corta") << QStringLiteral("a|*b|+c") << QStringLiteral("|*+")
                                               << QStringList{QStringLiteral("a|*b|+c")};
}

void TstPortalTransporte::partes()
{
    QFETCH(QString, texto);
    QFETCH(QString, separador);
    QFETCH(QStringList, esperado);
    const portal::Partes p = portal::Partes::corta(texto, separador);
    QCOMPARE(p.lista(), esperado);
    QCOMPARE(p.valor(esperado.size()), QString());
    QCOMPARE(p.valor(-1), QString());
}

void TstPortalTransporte::parteAusenteFalha()
{
    const portal::Partes p = portal::Partes::linhas(QStringLiteral("Vorlin Printer\r\n1"));
    QCOMPARE(p.exige(1), QStringLiteral("1"));
    try {
        p.exige(2);
        QFAIL("a missing line must fail");
    } catch (const plataforma::ErroPrograma &e) {
        QCOMPARE(e.codigo(), int(plataforma::CodigoErro::IndiceForaDoIntervalo));
    }
    QVERIFY(portal::comecaComMarcador(QStringLiteral("Vorlin Printerx"), QStringLiteral("Vorlin Printer")));
    QVERIFY(!portal::comecaComMarcador(QStringLiteral("Vorlin Print"), QStringLiteral("Vorlin Printer")));
}

namespace {

// What the conversions answered when they were regular expressions: the value, or the error.
QString comoExpressaoInteiro(const QString &texto)
{
    static const QRegularExpression kInteiro(QStringLiteral("^\\s*([+-]?\\d+)\\s*$"));
    const auto m = kInteiro.match(texto);
    if (!m.hasMatch())
        return QStringLiteral("tipos");
    bool ok = false;
    const qint64 valor = m.capturedView(1).toLongLong(&ok);
    if (!ok || valor < std::numeric_limits<qint32>::min() || valor > std::numeric_limits<qint32>::max())
        return QStringLiteral("estouro");
    return QString::number(valor);
}

QString comoExpressaoData(const QString &texto)
{
    static const QRegularExpression kData(QStringLiteral(
        "^\\s*(\\d{1,2})/(\\d{1,2})/(\\d{4})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?\\s*$"));
    const auto m = kData.match(texto);
    if (!m.hasMatch())
        return QStringLiteral("tipos");
    const QDate dia(m.capturedView(3).toInt(), m.capturedView(2).toInt(), m.capturedView(1).toInt());
    const QTime hora(m.capturedView(4).isEmpty() ? 0 : m.capturedView(4).toInt(),
                     m.capturedView(5).isEmpty() ? 0 : m.capturedView(5).toInt(),
                     m.capturedView(6).isEmpty() ? 0 : m.capturedView(6).toInt());
    if (!dia.isValid() || !hora.isValid())
        return QStringLiteral("tipos");
    return QDateTime(dia, hora).toString(Qt::ISODate);
}

template <typename F>
QString resultado(F f)
{
    try {
        return f();
    } catch (const plataforma::ErroPrograma &e) {
        return e.codigo() == int(plataforma::CodigoErro::Estouro) ? QStringLiteral("estouro") : QStringLiteral("tipos");
    }
}

} // namespace

// The number and date readers, written by hand for speed, answer every text as the regular
// expressions they replaced did.
void TstPortalTransporte::conversoesComoAsExpressoes_data()
{
    QTest::addColumn<QString>("texto");
    const char *textos[] = {"0", "42", " 42 ", "\t-7\r\n", "+5", "+", "-", "", "  ", "4 2", "42a", "0x10",
                            "2147483647", "2147483648", "-2147483648", "-2147483649", "99999999999999999999",
                            "\xc2\xa0" "42", "42\xc2\xa0", "\xd9\xa3", "\x0b" "8\x0c",
                            "05/03/2011", "5/3/2011", " 05/03/2011 10:15:00 ", "05/03/2011 10:15", "05/03/2011\t1:05:09",
                            "05/03/2011  10:15", "05/03/201110:15", "05/03/2011 10:5", "05/03/2011 10:155",
                            "05/03/2011 10:15:0", "05/03/2011 10:15:001", "05/03/20111", "005/03/2011", "05/003/2011",
                            "31/02/2011", "29/02/2012 23:59:59", "05/03/2011 24:00", "05/03/2011 10:60", "05/03/11",
                            "05-03-2011", "05/03/2011 10:15 ", "05/03/2011 ", "/03/2011", "05//2011",
                            "\xd9\xa5/03/2011", "05/03/2011\xc2\xa0" "10:15", "05/03/2011 10:15:00 x"};
    for (const char *t : textos)
        QTest::newRow(t) << QString::fromUtf8(t);
}

void TstPortalTransporte::conversoesComoAsExpressoes()
{
    QFETCH(QString, texto);
    QCOMPARE(resultado([&] { return QString::number(portal::inteiro32(texto)); }), comoExpressaoInteiro(texto));
    QCOMPARE(resultado([&] { return portal::dataHora(texto).toString(Qt::ISODate); }), comoExpressaoData(texto));
}

void TstPortalTransporte::enderecoFtp_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("porta");
    QTest::newRow("so o host") << QStringLiteral("ftp.portal.com.br") << QStringLiteral("ftp.portal.com.br") << 21;
    QTest::newRow("host e porta") << QStringLiteral("127.0.0.1:2121") << QStringLiteral("127.0.0.1") << 2121;
    QTest::newRow("espacos") << QStringLiteral(" ftp:21 ") << QStringLiteral("ftp") << 21;
    QTest::newRow("IPv6 com porta") << QStringLiteral("[::1]:2121") << QStringLiteral("::1") << 2121;
    QTest::newRow("IPv6 sem porta") << QStringLiteral("[::1]") << QStringLiteral("::1") << 21;
    QTest::newRow("IPv6 sem colchetes") << QStringLiteral("fe80::1") << QStringLiteral("fe80::1") << 21;
    QTest::newRow("porta nao numerica") << QStringLiteral("ftp:abc") << QStringLiteral("ftp:abc") << 21;
    QTest::newRow("porta fora da faixa") << QStringLiteral("ftp:70000") << QStringLiteral("ftp:70000") << 21;
    QTest::newRow("porta zero") << QStringLiteral("ftp:0") << QStringLiteral("ftp:0") << 21;
}

void TstPortalTransporte::enderecoFtp()
{
    QFETCH(QString, texto);
    QFETCH(QString, host);
    QFETCH(int, porta);
    const portal::EnderecoFtp e = portal::enderecoFtp(texto);
    QCOMPARE(e.host, host);
    QCOMPARE(int(e.porta), porta);
}

QTEST_GUILESS_MAIN(TstPortalTransporte)
#include "tst_portal_transporte.moc"
