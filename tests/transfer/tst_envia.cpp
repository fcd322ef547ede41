// The publish pipeline against scripted portal replies and a scripted FTP session: the
// registration request byte for byte, every kind of registration reply, the window lines in order,
// the backups per record, the notice requests and their outcomes, and the failures before and
// after the registration.
#include "TestHome.h"
#include "TextoTeste.h"
#include "platform/Ansi.h"
#include "tst_envia_apoio.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QtTest>

namespace {

const QString kSistema = QStringLiteral("Vorlin Printer");
const QString kVermelha = QStringLiteral("5 Houveram erros durante a publicação!");
const QByteArray kConteudo = QByteArrayLiteral("%PDF-1.4 balancete de março\n%%EOF\n");

} // namespace

// One environment with a logged-in session, a delivered document and a portal that answers from
// the tables below; the window's classFtp is built on the home's FTP double, as the window does.
struct Bancada {
    TestHome home;
    plataforma::Servicos servicos = home.servicos();
    classAmbiente ambiente{servicos};
    JanelaRegistrada janela;
    classFtp vFtp{servicos.ftp, servicos.ui, &janela};
    QString documento;

    QString registro;                 // reply to the registration
    QHash<QString, QString> listas;   // notice list by record id; empty by default
    QHash<QString, QString> envios;   // send reply by e-mail; accepted by default

    explicit Bancada(const QString &nomeDocumento = QStringLiteral("Balancete Março.pdf"))
    {
        home.criaPastaPrograma();
        documento = home.criaArquivo(QStringLiteral("spool/") + nomeDocumento, kConteudo);
        ambiente.setArquivo(documento);
        ambiente.setTipo(documento);
        ambiente.lngLogin_ID = 77;
        ambiente.lngSessao = 4711;
        ambiente.lngAdmin = 1;
        ambiente.FtpServidor = QStringLiteral("ftp.escritorio.com.br");
        ambiente.FtpUsuario = QStringLiteral("demo");
        ambiente.FtpSenha = QStringLiteral("s&nha");
        preencheRegistro(ambiente, {12, 7}, QStringLiteral("3|8|0|0|0|"));
        home.http.resposta = [this](const QByteArray &bytes) {
            const QString url = plataforma::deAnsi(bytes);
            QString resposta;
            if (url.contains(QLatin1String("/printer/publica_b_novo.asp?")))
                resposta = registro;
            else if (url.contains(QLatin1String("printer/avisos_b.asp?")))
                resposta = listas.value(valorDe(url, QStringLiteral("&u=")));
            else if (url.contains(QLatin1String("/printer/avisos.asp?")))
                resposta = envios.value(valorDe(url, QStringLiteral("&i=")), linhas({kSistema, QStringLiteral("1")}));
            return plataforma::paraAnsi(resposta);
        };
    }

    QString base() const { return ambiente.URLBase(); }
    QStringList urls() const
    {
        QStringList saida;
        for (const QByteArray &u : home.http.urls)
            saida << plataforma::deAnsi(u);
        return saida;
    }
    bool pediuAvisos() const
    {
        for (const QString &u : urls())
            if (u.contains(QLatin1String("avisos")))
                return true;
        return false;
    }
    // files in "Back", each checked to hold the document
    QStringList backups() const
    {
        const QString pasta = ambiente.PathUser() + QStringLiteral("Back");
        QStringList nomes = QDir(pasta).entryList(QDir::Files, QDir::Name);
        for (const QString &n : nomes) {
            QFile f(pasta + QLatin1Char('/') + n);
            if (!f.open(QIODevice::ReadOnly) || f.readAll() != kConteudo)
                return {QStringLiteral("<conteudo errado em ") + n + QLatin1Char('>')};
        }
        return nomes;
    }
    QStringList caixas() const
    {
        QStringList saida;
        for (const auto &c : home.ui.caixas) {
            QString texto = c.caixa.texto;
            if (c.caixa.titulo != kSistema || c.caixa.icone != plataforma::Icone::Informacao)
                texto.prepend(QStringLiteral("<titulo ou icone errado> "));
            saida << texto;
        }
        return saida;
    }
};

class TstEnvia : public QObject {
    Q_OBJECT

private slots:
    void pedidoRegistro_data();
    void pedidoRegistro();
    void respostaRegistro_data();
    void respostaRegistro();
    void avisosEmOrdem();
    void situacaoDoAviso_data();
    void situacaoDoAviso();
    void semAvisos_data();
    void semAvisos();
    void falhaAntesDoRegistro_data();
    void falhaAntesDoRegistro();
    void falhaInesperada_data();
    void falhaInesperada();
    void lastIdsEntreEnvios();
};

void TstEnvia::pedidoRegistro_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("ativacao");
    QTest::addColumn<QString>("expiracao");
    QTest::addColumn<QString>("vencimento");
    QTest::addColumn<double>("valor");
    QTest::addColumn<QString>("arquivo");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<bool>("debug");
    QTest::addColumn<QString>("usuarios");
    QTest::addColumn<QString>("email");
    QTest::addColumn<QString>("parametro1");
    QTest::addColumn<QString>("consulta");   // after "/printer/publica_b_novo.asp?"

    const QString d = QStringLiteral("d=Balancete+10%25+mar%E7o&o=Conferir+&+assinar&");
    QTest::newRow("diversos: so d e o codificados")
        << 2 << QString() << QString() << QString() << 0.0 << QStringLiteral("Balancete Março.pdf") << QString()
        << false << QString() << QStringLiteral("S") << QStringLiteral("Março & Cia")
        << QStringLiteral("l=77&s=4711&e=12*7&t=D&email=S&") + d
               + QStringLiteral("f=Balancete Março.pdf&Parametro1=Março & Cia&Parametro2=&Parametro3=&Parametro4="
                                "&Parametro5=&idPasta=3|8|0|0|0|&Admin=1&Email=S");
    QTest::newRow("pagamento: datas, vencimento e valor com ponto")
        << 0 << QStringLiteral("10/03/2011") << QStringLiteral("30/04/2011") << QStringLiteral("15/04/2011")
        << 1234567.5 << QStringLiteral("guia.pdf") << QString() << false << QString() << QStringLiteral("N") << QString()
        << QStringLiteral("l=77&s=4711&e=12*7&t=P&a=10/03/2011&x=30/04/2011&email=N&v=15/04/2011&r=1234567.5&") + d
               + QStringLiteral("f=guia.pdf&Parametro1=&Parametro2=&Parametro3=&Parametro4=&Parametro5="
                                "&idPasta=3|8|0|0|0|&Admin=1&Email=N");
    QTest::newRow("debug, usuarios e titulo com tipo")
        << 2 << QString() << QStringLiteral("31/12/2011") << QString() << 0.0 << QStringLiteral("folha.pdf")
        << QStringLiteral("Folha Março") << true << QStringLiteral("12|5*7|9") << QStringLiteral("S") << QString()
        << QStringLiteral("l=77&s=4711&e=12*7&t=D&x=31/12/2011&email=S&") + d
               + QStringLiteral("f=Folha Março.pdf&Parametro1=&Parametro2=&Parametro3=&Parametro4=&Parametro5=&w=y"
                                "&idPasta=3|8|0|0|0|&UsuarioID=12|5*7|9&Admin=1&Email=S");
    // a name that ends in a dot gives an empty type
    QTest::newRow("titulo sem tipo")
        << 2 << QString() << QString() << QString() << 0.0 << QStringLiteral("folha.") << QStringLiteral("Folha")
        << false << QString() << QStringLiteral("S") << QString()
        << QStringLiteral("l=77&s=4711&e=12*7&t=D&email=S&") + d
               + QStringLiteral("f=Folha&Parametro1=&Parametro2=&Parametro3=&Parametro4=&Parametro5="
                                "&idPasta=3|8|0|0|0|&Admin=1&Email=S");
}

void TstEnvia::pedidoRegistro()
{
    QFETCH(int, tipo);
    QFETCH(QString, ativacao);
    QFETCH(QString, expiracao);
    QFETCH(QString, vencimento);
    QFETCH(double, valor);
    QFETCH(QString, arquivo);
    QFETCH(QString, titulo);
    QFETCH(bool, debug);
    QFETCH(QString, usuarios);
    QFETCH(QString, email);
    QFETCH(QString, parametro1);
    QFETCH(QString, consulta);

    Bancada b(arquivo);
    b.ambiente.setTitulo(titulo);
    b.ambiente.bDebug = debug;
    b.ambiente.UsuariosId = usuarios;
    b.ambiente.Email = email;
    classEnviar &r = b.ambiente.Enviar;
    r.setTipoArquivo(static_cast<qint16>(tipo));
    r.setAtivacao(ativacao);
    r.setExpiracao(expiracao);
    r.setVencimento(vencimento);
    r.setValor(valor);
    r.setParametro1(parametro1);
    r.Validar(arquivo);
    QVERIFY2(r.Validado(), qPrintable(r.MensagemErro()));

    b.ambiente.Envia(b.vFtp);

    QVERIFY(!b.home.http.urls.isEmpty());
    // byte for byte: the raw values leave as Windows-1252 bytes, the transport escapes them later
    const QString esperado = b.base() + QStringLiteral("/printer/publica_b_novo.asp?") + consulta;
    QCOMPARE(b.home.http.urls.first(), plataforma::paraAnsi(esperado));
    // the name registered is the name uploaded
    QVERIFY(esperado.contains(QStringLiteral("&f=") + b.home.ftp.nomeRemoto + QLatin1Char('&')));
}

void TstEnvia::respostaRegistro_data()
{
    QTest::addColumn<QString>("resposta");
    QTest::addColumn<bool>("enviado");
    QTest::addColumn<QString>("erro");
    QTest::addColumn<QString>("lastIds");
    QTest::addColumn<QStringList>("backups");
    QTest::addColumn<QString>("ultimaLinha");

    const QString recusa = QStringLiteral("Erro\r\nProblemas na criação do Registro de Transferência!\r\n");
    const QString inesperada = QStringLiteral("Erro\r\n");
    const QString backupFalhou = QStringLiteral("Não foi possível armazenar o backup!");
    const QString fim = QStringLiteral("1 ");

    QTest::newRow("aceito, dois clientes") << linhas({kSistema, QStringLiteral("101*102")}) << true << QString()
                                            << QStringLiteral("101*102") << QStringList{"101", "102"} << fim;
    QTest::newRow("recusa com codigo") << linhas({QStringLiteral("2"), QStringLiteral("Descrição não informada!")})
                                       << false << recusa + QStringLiteral("Descrição não informada!") << QString()
                                       << QStringList() << kVermelha;
    QTest::newRow("recusa sem codigo") << linhas({QStringLiteral("Sessão expirada"), QStringLiteral("Entre novamente")})
                                       << false << recusa + QStringLiteral("Entre novamente") << QString()
                                       << QStringList() << kVermelha;
    QTest::newRow("marcador so como prefixo") << linhas({kSistema + QStringLiteral(" 2"), QStringLiteral("5")})
                                              << false << recusa + QStringLiteral("5") << QString() << QStringList()
                                              << kVermelha;
    QTest::newRow("recusa de uma linha") << QStringLiteral("Falhou") << false << inesperada << QString()
                                         << QStringList() << kVermelha;
    QTest::newRow("vazia (portal fora do ar)") << QString() << false << inesperada << QString() << QStringList()
                                               << kVermelha;
    QTest::newRow("lixo") << QStringLiteral("\x01\x02<html>\xff") << false << inesperada << QString()
                          << QStringList() << kVermelha;
    QTest::newRow("aceito sem identificadores") << kSistema << false << inesperada << QString() << QStringList()
                                                << kVermelha;
    QTest::newRow("identificador inseguro") << linhas({kSistema, QStringLiteral("101*../fora")}) << true
                                            << backupFalhou << QStringLiteral("101*../fora") << QStringList{"101"} << fim;
    QTest::newRow("identificador com barra invertida") << linhas({kSistema, QStringLiteral("..\\fora*102")}) << true
                                                       << backupFalhou << QStringLiteral("..\\fora*102")
                                                       << QStringList{"102"} << fim;
    QTest::newRow("pedaco vazio nao vira captura") << linhas({kSistema, QStringLiteral("101*")}) << true << QString()
                                                   << QStringLiteral("101*") << QStringList{"101"} << fim;
}

void TstEnvia::respostaRegistro()
{
    QFETCH(QString, resposta);
    QFETCH(bool, enviado);
    QFETCH(QString, erro);
    QFETCH(QString, lastIds);
    QFETCH(QStringList, backups);
    QFETCH(QString, ultimaLinha);

    Bancada b;
    b.ambiente.Enviar.Avisar(false, std::nullopt, true);   // no notices: only the registration
    b.registro = resposta;
    b.ambiente.Envia(b.vFtp);

    QCOMPARE(b.ambiente.Enviado(), enviado);
    QCOMPARE(b.ambiente.Erro(), erro);
    QCOMPARE(b.ambiente.LastIds, lastIds);
    QCOMPARE(b.backups(), backups);
    QCOMPARE(b.janela.linhas.last(), ultimaLinha);
    QVERIFY(!b.pediuAvisos());
    // nothing left the "Back" folder and the document stayed where it was
    QVERIFY(!QFile::exists(b.ambiente.PathUser() + QStringLiteral("fora")));
    QVERIFY(!QFile::exists(b.ambiente.PathUser() + QStringLiteral("PROC")));
    QCOMPARE(b.ambiente.arquivo(), b.documento);
    QVERIFY(b.home.ui.caixas.isEmpty());
}

void TstEnvia::avisosEmOrdem()
{
    Bancada b;
    b.registro = linhas({kSistema, QStringLiteral("101*102")});
    b.listas[QStringLiteral("101")] = linhas({kSistema, QStringLiteral("Comércio Silva Ltda"),
                                              QStringLiteral("José Silva;jose@silva.com.br"),
                                              QStringLiteral("Ana Souza;ana+fiscal@silva.com.br")});
    b.envios[QStringLiteral("ana+fiscal@silva.com.br")] = linhas({kSistema, QStringLiteral("2")});
    b.ambiente.Envia(b.vFtp);

    QVERIFY2(b.ambiente.Enviado(), qPrintable(b.ambiente.Erro()));
    QCOMPARE(b.ambiente.Erro(), QString());
    QCOMPARE(b.ambiente.LastIds, QStringLiteral("101*102"));
    QCOMPARE(b.janela.linhas,
             (QStringList{"2 Iniciando Transmissão do Arquivo", "2 Arquivo Transmitido", "4 Arquivo Transmitido",
                          "2 Iniciando processo de Avisos", "0 Comércio Silva Ltda", "2 Cliente: Comércio Silva Ltda",
                          "1 José Silva <jose@silva.com.br>", "2   José Silva <jose@silva.com.br> - Enviado",
                          "1 Ana Souza <ana+fiscal@silva.com.br>",
                          "2   Ana Souza <ana+fiscal@silva.com.br> - Agendado", "2  Sem E-mail Cadastrado "}));
    const QString base = b.base();
    QCOMPARE(b.urls().mid(1),
             (QStringList{base + "printer/avisos_b.asp?l=77&s=4711&a=l&t=2&u=101&",
                          base + "/printer/avisos.asp?l=77&s=4711&a=e&u=101&i=jose@silva.com.br",
                          base + "/printer/avisos.asp?l=77&s=4711&a=e&u=101&i=ana+fiscal@silva.com.br",
                          base + "printer/avisos_b.asp?l=77&s=4711&a=l&t=2&u=102&"}));
    QCOMPARE(b.backups(), (QStringList{"101", "102"}));
    // the upload: the account of the login, the document's own name and bytes
    QCOMPARE(b.home.ftp.host, QStringLiteral("ftp.escritorio.com.br"));
    QCOMPARE(b.home.ftp.usuario, QStringLiteral("demo"));
    QCOMPARE(b.home.ftp.senha, QStringLiteral("s&nha"));
    QCOMPARE(b.home.ftp.nomeRemoto, QStringLiteral("Balancete Março.pdf"));
    QCOMPARE(b.home.ftp.recebidos, kConteudo);
    QVERIFY(b.home.ui.caixas.isEmpty());
    // the last reply is kept, as the other portal operations keep theirs
    QCOMPARE(b.ambiente.UltimaUrl, b.urls().last());
}

void TstEnvia::situacaoDoAviso_data()
{
    QTest::addColumn<QString>("envio");
    QTest::addColumn<bool>("debug");
    QTest::addColumn<QString>("situacao");
    QTest::addColumn<QStringList>("caixas");

    const QString recusa = linhas({QStringLiteral("2"), QStringLiteral("E-mail não cadastrado para este cliente!")});
    QTest::newRow("enviado") << linhas({kSistema, QStringLiteral("1")}) << false << QStringLiteral("Enviado") << QStringList();
    QTest::newRow("agendado") << linhas({kSistema, QStringLiteral("2")}) << false << QStringLiteral("Agendado") << QStringList();
    QTest::newRow("outro codigo") << linhas({kSistema, QStringLiteral("7")}) << false << QStringLiteral("Falha") << QStringList();
    QTest::newRow("recusado") << recusa << false << QStringLiteral("Falha!") << QStringList();
    QTest::newRow("recusado, debug mostra a resposta")
        << recusa << true << QStringLiteral("Falha!")
        << QStringList{QStringLiteral("Debug:\r\nregistrado para 1 cliente"), QStringLiteral("\r\n") + recusa};
}

void TstEnvia::situacaoDoAviso()
{
    QFETCH(QString, envio);
    QFETCH(bool, debug);
    QFETCH(QString, situacao);
    QFETCH(QStringList, caixas);

    Bancada b;
    b.home.ui.aceitaAvisos(true);
    b.ambiente.bDebug = debug;
    b.registro = linhas({kSistema, QStringLiteral("101"), QStringLiteral("registrado para 1 cliente")});
    b.listas[QStringLiteral("101")] = linhas({kSistema, QStringLiteral("Mercado São Jorge"),
                                              QStringLiteral("Cláudio Batista;claudio@saojorge.com.br")});
    b.envios[QStringLiteral("claudio@saojorge.com.br")] = envio;
    b.ambiente.Envia(b.vFtp);

    // a notice that fails changes nothing of the publication
    QVERIFY(b.ambiente.Enviado());
    QCOMPARE(b.ambiente.Erro(), QString());
    QCOMPARE(b.janela.linhas.last(), QStringLiteral("2   Cláudio Batista <claudio@saojorge.com.br> - ") + situacao);
    QCOMPARE(b.caixas(), caixas);
    if (debug)
        QVERIFY(b.janela.linhas.contains(QStringLiteral("2 Modo Debug Ativado")));
}

void TstEnvia::semAvisos_data()
{
    QTest::addColumn<int>("modo");
    QTest::newRow("modo 0") << 0;
    QTest::newRow("modo 3, lista de enderecos") << 3;
}

void TstEnvia::semAvisos()
{
    QFETCH(int, modo);
    Bancada b;
    if (modo == 0)
        b.ambiente.Enviar.Avisar(false, std::nullopt, true);
    else
        b.ambiente.Enviar.Avisar(false, QStringLiteral("fiscal@cliente.com.br"));
    QCOMPARE(b.ambiente.Enviar.ModoAviso(), modo);
    b.registro = linhas({kSistema, QStringLiteral("101*102")});
    b.ambiente.Envia(b.vFtp);

    QVERIFY(b.ambiente.Enviado());
    QVERIFY(!b.pediuAvisos());
    QCOMPARE(b.janela.linhas.mid(3), (QStringList{"2 Iniciando processo de Avisos", "0 Sem Avisos", "2 Sem Avisos", "1 "}));
    QCOMPARE(b.backups(), (QStringList{"101", "102"}));
}

void TstEnvia::falhaAntesDoRegistro_data()
{
    QTest::addColumn<bool>("validado");
    QTest::addColumn<QString>("passoFtp");        // the FTP step that fails
    QTest::addColumn<bool>("semDocumento");
    QTest::addColumn<QString>("erro");
    QTest::addColumn<QStringList>("linhas");
    QTest::addColumn<QStringList>("caixas");

    const QString naoTransmitiu = QStringLiteral("Erro\r\nNão foi possível transmitir o arquivo!");
    const QStringList tentou{QStringLiteral("2 Iniciando Transmissão do Arquivo"), kVermelha};
    QTest::newRow("registro nao validado") << false << QString() << false
                                           << QStringLiteral("Erro\r\nNão é possível transmitir arquivo não validado!")
                                           << QStringList{kVermelha} << QStringList();
    QTest::newRow("login ftp recusado") << true << QStringLiteral("conecta") << false << naoTransmitiu << tentou << QStringList();
    QTest::newRow("servidor recusa o arquivo") << true << QStringLiteral("concluiEnvio") << false << naoTransmitiu
                                               << tentou << QStringList();
    QTest::newRow("documento sumiu") << true << QString() << true << naoTransmitiu << tentou
                                     << QStringList{QStringLiteral("Arquivo não existe")};
}

void TstEnvia::falhaAntesDoRegistro()
{
    QFETCH(bool, validado);
    QFETCH(QString, passoFtp);
    QFETCH(bool, semDocumento);
    QFETCH(QString, erro);
    QFETCH(QStringList, linhas);
    QFETCH(QStringList, caixas);

    Bancada b;
    b.home.ui.aceitaAvisos(true);
    if (!validado)
        b.ambiente.Enviar.Try();   // no client: validation fails
    b.ambiente.Enviar.Validar(QStringLiteral("Balancete.pdf"));
    QCOMPARE(b.ambiente.Enviar.Validado(), validado);
    b.home.ftp.falha = passoFtp;
    if (semDocumento)
        QVERIFY(QFile::remove(b.documento));

    b.ambiente.Envia(b.vFtp);

    QVERIFY(!b.ambiente.Enviado());
    QCOMPARE(b.ambiente.Erro(), erro);
    QCOMPARE(b.janela.linhas, linhas);
    QVERIFY(b.home.http.urls.isEmpty());
    QCOMPARE(b.home.ftp.host.isEmpty(), !validado || semDocumento);
    QStringList textos;
    for (const auto &c : b.home.ui.caixas)
        textos << c.caixa.texto;
    QCOMPARE(textos, caixas);
    QCOMPARE(b.backups(), QStringList());
}

void TstEnvia::falhaInesperada_data()
{
    QTest::addColumn<QString>("registro");
    QTest::addColumn<QString>("lista");
    QTest::addColumn<QString>("envio");
    QTest::addColumn<bool>("debug");
    QTest::addColumn<QString>("falhaEm");
    QTest::addColumn<QString>("lastIds");
    QTest::addColumn<QStringList>("backups");

    const QString aceito = linhas({kSistema, QStringLiteral("101")});
    const QString empresa = QStringLiteral("Comércio Silva Ltda");
    const QString lista = linhas({kSistema, empresa, QStringLiteral("José Silva;jose@silva.com.br")});
    const QString ok = linhas({kSistema, QStringLiteral("1")});
    const QStringList feito{QStringLiteral("101")};

    QTest::newRow("pessoa sem ponto e virgula")
        << aceito << linhas({kSistema, empresa, QStringLiteral("José Silva jose@silva.com.br")}) << ok << false
        << QString() << QStringLiteral("101") << feito;
    QTest::newRow("lista so com o marcador") << aceito << kSistema << ok << false << QString() << QStringLiteral("101") << feito;
    QTest::newRow("envio sem resposta") << aceito << lista << QString() << false << QString() << QStringLiteral("101") << feito;
    QTest::newRow("envio so com o marcador") << aceito << lista << kSistema << false << QString() << QStringLiteral("101") << feito;
    QTest::newRow("debug sem a linha 2") << aceito << lista << ok << true << QString() << QStringLiteral("101") << QStringList();
    QTest::newRow("janela falha depois do registro") << aceito << lista << ok << false
                                                     << QStringLiteral("Iniciando processo de Avisos")
                                                     << QStringLiteral("101") << QStringList();
    QTest::newRow("janela falha em toda linha") << aceito << lista << ok << false << QStringLiteral("*") << QString()
                                                << QStringList();
}

void TstEnvia::falhaInesperada()
{
    QFETCH(QString, registro);
    QFETCH(QString, lista);
    QFETCH(QString, envio);
    QFETCH(bool, debug);
    QFETCH(QString, falhaEm);
    QFETCH(QString, lastIds);
    QFETCH(QStringList, backups);

    Bancada b;
    b.home.ui.aceitaAvisos(true);
    b.ambiente.bDebug = debug;
    b.registro = registro;
    b.listas[QStringLiteral("101")] = lista;
    b.envios[QStringLiteral("jose@silva.com.br")] = envio;
    b.janela.falhaEm = falhaEm;

    b.ambiente.Envia(b.vFtp);

    // even after the portal accepted the file, the fault ends as a failure
    QVERIFY(!b.ambiente.Enviado());
    QCOMPARE(b.ambiente.Erro(), QStringLiteral("Erro\r\n"));
    QCOMPARE(b.ambiente.LastIds, lastIds);
    QCOMPARE(b.backups(), backups);
    QCOMPARE(b.janela.linhas.last(), kVermelha);
}

void TstEnvia::lastIdsEntreEnvios()
{
    Bancada b;
    b.ambiente.Enviar.Avisar(false, std::nullopt, true);
    b.registro = linhas({kSistema, QStringLiteral("101*102")});
    b.ambiente.Envia(b.vFtp);
    QVERIFY(b.ambiente.Enviado());

    // the next file is refused: the flag drops, the identifiers of the last registration stay
    b.registro = linhas({QStringLiteral("2"), QStringLiteral("Pasta não encontrada!")});
    b.ambiente.Envia(b.vFtp);
    QVERIFY(!b.ambiente.Enviado());
    QCOMPARE(b.ambiente.LastIds, QStringLiteral("101*102"));

    // and a later success clears the old failure text
    b.registro = linhas({kSistema, QStringLiteral("103")});
    b.ambiente.Envia(b.vFtp);
    QVERIFY(b.ambiente.Enviado());
    QCOMPARE(b.ambiente.Erro(), QString());
    QCOMPARE(b.ambiente.LastIds, QStringLiteral("103"));
}

QTEST_GUILESS_MAIN(TstEnvia)
#include "tst_envia.moc"
