// The send queue on a throw-away program folder: the index line byte for byte, the copies in
// "files" and their numbering, two documents in a row, the failures and what they leave behind,
// and the index read back into a table with the clients' names from a scripted directory.
#include "TestHome.h"
#include "platform/Ansi.h"
#include "shell/classAmbiente.h"
#include "transfer/FilaEnvio.h"

#include <QDir>
#include <QFile>
#include <QtTest>

// The record as the dialog would fill it; valid against the fake clock's 09/03/2011.
struct Registro {
    QList<qint32> clientes{12, 7};
    qint16 tipo = 2;
    QString descricao = QStringLiteral("Balancete de março");
    QString ativacao = QStringLiteral("09/03/2011");
    QString expiracao = QStringLiteral("10/04/2011");
    QString observacao;
    double valor = 0;
    QString vencimento;
    bool avisoTodos = true;
};
Q_DECLARE_METATYPE(Registro)

namespace {

const QByteArray kConteudo = QByteArrayLiteral("%PDF-1.4 balancete de março\n%%EOF\n");
const QByteArray kOutroConteudo = QByteArrayLiteral("%PDF-1.4 folha de pagamento\n%%EOF\n");
const QString kIndefinido = QStringLiteral("Erro indefinido durante o enfileiramento!");
const QString kProblemas = QStringLiteral("Problemas ao carregar a fila!");

void preenche(classAmbiente &a, const Registro &r)
{
    a.pasta = QStringLiteral("11|0|0|0|0|");
    classEnviar &e = a.Enviar;
    e.Try();
    for (const qint32 c : r.clientes)
        e.AddCliente(c);
    e.setTipoArquivo(r.tipo);
    e.setDescricao(r.descricao);
    e.setAtivacao(r.ativacao);
    e.setExpiracao(r.expiracao);
    e.setObservacao(r.observacao);
    e.setValor(r.valor);
    e.setVencimento(r.vencimento);
    e.Avisar(false, std::nullopt, true);
    if (r.avisoTodos)
        e.Avisar(true);
    e.Validar(QStringLiteral("Balancete.pdf"));
}

// a table row: the fields given, the rest empty
QStringList linha(QStringList campos)
{
    campos.resize(11);
    return campos;
}

QByteArray le(const QString &caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void grava(const QString &caminho, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(caminho).absolutePath());
    QFile f(caminho);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

struct FilaBancada {
    TestHome home;
    plataforma::Servicos servicos = home.servicos();
    classAmbiente amb{servicos};
    QString doc;
    QString outro;

    explicit FilaBancada(bool criaPrograma = true, const QString &nomeDoc = QStringLiteral("Balancete Março.pdf"))
    {
        if (criaPrograma)
            home.criaPastaPrograma();
        doc = home.criaArquivo(QStringLiteral("spool/") + nomeDoc, kConteudo);
        outro = home.criaArquivo(QStringLiteral("outros/Folha.pdf"), kOutroConteudo);
        amb.setArquivo(doc);
        amb.setTipo(doc);
        preenche(amb, Registro{});
    }

    QString fila() const { return home.pastaPrograma() + QStringLiteral("queqe/"); }
    QString arquivos() const { return fila() + QStringLiteral("files/"); }
    QString indice() const { return fila() + QStringLiteral("vrmf.rlx"); }
    QByteArray bytesIndice() const { return le(indice()); }
    QStringList copias() const { return QDir(arquivos()).entryList(QDir::Files, QDir::Name); }

    bool enfileira(const QStringList &lista)
    {
        amb.LimpaListaArquivos();
        for (const QString &c : lista)
            amb.AddListaArquivos(c);
        return amb.Enfileirar();
    }

    // the directory in its user form: clients 3 and 7, no wallets, no users
    void diretorio(bool disponivel)
    {
        home.http.resposta = [disponivel](const QByteArray &) {
            return disponivel ? plataforma::paraAnsi(QStringLiteral(
                                    "Vorlin Printer|*+4|*+3>@%1>@%Auto Peças Rodovia<!#7>@%1>@%Bazar Três Irmãos|*+6"))
                              : QByteArray();
        };
    }
};

class TstFila : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void linhaDoIndice_data();
    void linhaDoIndice();
    void doisDocumentos_data();
    void doisDocumentos();
    void pastaDeCopias_data();
    void pastaDeCopias();
    void indiceCortado();
    void falhas_data();
    void falhas();
    void carregaFila_data();
    void carregaFila();
    void carregaOQueFoiEnfileirado();
    void dadosAoLado();
    void retira_data();
    void retira();
};

void TstFila::linhaDoIndice_data()
{
    QTest::addColumn<Registro>("registro");
    QTest::addColumn<QString>("nomeDoc");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QByteArray>("esperada");

    Registro tipico;
    tipico.observacao = QStringLiteral("Conferir\r\nassinar");
    QTest::newRow("típico") << tipico << QStringLiteral("Balancete Março.pdf") << QString()
                            << QByteArray("12*7>@%file001>@%Balancete Mar\xe7o.pdf>@%2>@%Balancete de mar\xe7o>@%"
                                          "09/03/2011>@%10/04/2011>@%Conferir@|-assinar>@%2>@%0>@%>@%\r\n");

    Registro pagamento;
    pagamento.clientes = {3};
    pagamento.tipo = 0;
    pagamento.descricao = QStringLiteral("DARF");
    pagamento.ativacao.clear();
    pagamento.expiracao.clear();
    pagamento.valor = 1234.5;
    pagamento.vencimento = QStringLiteral("20/03/2011");
    pagamento.avisoTodos = false;
    QTest::newRow("pagamento com valor e vencimento")
        << pagamento << QStringLiteral("Guia DARF.pdf") << QString()
        << QByteArray("3>@%file001>@%Guia DARF.pdf>@%0>@%DARF>@%>@%>@%>@%0>@%1234,5>@%20/03/2011>@%\r\n");

    // the text box gives bare line feeds
    Registro digitada;
    digitada.observacao = QStringLiteral("linha 1\nlinha 2\n");
    QTest::newRow("observação digitada") << digitada << QStringLiteral("Balancete Março.pdf") << QString()
                                         << QByteArray("12*7>@%file001>@%Balancete Mar\xe7o.pdf>@%2>@%Balancete de mar\xe7o>@%"
                                                       "09/03/2011>@%10/04/2011>@%linha 1@|-linha 2@|->@%2>@%0>@%>@%\r\n");

    Registro separadores;
    separadores.descricao = QStringLiteral("Nota >@% 1");
    separadores.observacao = QStringLiteral("a>@%b\r\nc");
    QTest::newRow("separador e quebra de linha nos textos")
        << separadores << QStringLiteral("Nota\n1.pdf") << QString()
        << QByteArray("12*7>@%file001>@%Nota 1.pdf>@%2>@%Nota >_% 1>@%09/03/2011>@%10/04/2011>@%a>_%b@|-c>@%2>@%0>@%>@%\r\n");

    QTest::newRow("com título") << Registro{} << QStringLiteral("Balancete Março.pdf") << QStringLiteral("Balanço Anual")
                                << QByteArray("12*7>@%file001>@%Balan\xe7o Anual.pdf>@%2>@%Balancete de mar\xe7o>@%"
                                              "09/03/2011>@%10/04/2011>@%>@%2>@%0>@%>@%\r\n");
}

void TstFila::linhaDoIndice()
{
    QFETCH(Registro, registro);
    QFETCH(QString, nomeDoc);
    QFETCH(QString, titulo);
    QFETCH(QByteArray, esperada);
    FilaBancada b(true, nomeDoc);
    preenche(b.amb, registro);
    QVERIFY(b.amb.Enviar.Validado());
    b.amb.setTitulo(titulo);

    QVERIFY(b.enfileira({b.doc}));
    QCOMPARE(b.bytesIndice(), esperada);
    QVERIFY(b.amb.Enfileirado());
    QCOMPARE(b.amb.Erro(), QString());
}

void TstFila::doisDocumentos_data()
{
    QTest::addColumn<bool>("umaLista");
    QTest::newRow("uma lista com os dois") << true;
    QTest::newRow("um depois do outro") << false;
}

void TstFila::doisDocumentos()
{
    QFETCH(bool, umaLista);
    FilaBancada b;
    if (umaLista) {
        QVERIFY(b.enfileira({b.doc, QString(), b.outro}));
    } else {
        QVERIFY(b.enfileira({b.doc}));
        QVERIFY(b.enfileira({b.outro}));
    }

    QCOMPARE(b.copias(), QStringList({QStringLiteral("file001"), QStringLiteral("file002")}));
    QCOMPARE(le(b.arquivos() + QStringLiteral("file001")), kConteudo);
    QCOMPARE(le(b.arquivos() + QStringLiteral("file002")), kOutroConteudo);
    const QByteArray resto = "2>@%Balancete de mar\xe7o>@%09/03/2011>@%10/04/2011>@%>@%2>@%0>@%>@%\r\n";
    QCOMPARE(b.bytesIndice(), "12*7>@%file001>@%Balancete Mar\xe7o.pdf>@%" + resto + "12*7>@%file002>@%Folha.pdf>@%" + resto);
    // the environment's document is the last one queued
    QCOMPARE(b.amb.arquivo(), b.outro);
    QVERIFY(b.amb.Enfileirado());
}

void TstFila::pastaDeCopias_data()
{
    QTest::addColumn<bool>("criaPrograma");
    QTest::addColumn<QStringList>("existentes");
    QTest::addColumn<bool>("comIndice");
    QTest::addColumn<QStringList>("depois");
    QTest::addColumn<QString>("nova");

    QTest::newRow("primeiro uso, sem a pasta do programa")
        << false << QStringList() << false << QStringList{QStringLiteral("file001")} << QStringLiteral("file001");
    QTest::newRow("intruso apagado, a numeração segue")
        << true << QStringList{QStringLiteral("file007"), QStringLiteral("x.tmp"), QStringLiteral("file003")} << true
        << QStringList{QStringLiteral("file003"), QStringLiteral("file007"), QStringLiteral("file008")} << QStringLiteral("file008");
    QTest::newRow("cópias sem índice são de uma fila já enviada")
        << true << QStringList{QStringLiteral("file007"), QStringLiteral("file003")} << false
        << QStringList{QStringLiteral("file001")} << QStringLiteral("file001");
    QTest::newRow("depois de file999 vem file1000")
        << true << QStringList{QStringLiteral("file998"), QStringLiteral("file999")} << true
        << QStringList{QStringLiteral("file1000"), QStringLiteral("file998"), QStringLiteral("file999")} << QStringLiteral("file1000");
    QTest::newRow("file1000 não é sobrescrito")
        << true << QStringList{QStringLiteral("file999"), QStringLiteral("file1000")} << true
        << QStringList{QStringLiteral("file1000"), QStringLiteral("file1001"), QStringLiteral("file999")} << QStringLiteral("file1001");
}

void TstFila::pastaDeCopias()
{
    QFETCH(bool, criaPrograma);
    QFETCH(QStringList, existentes);
    QFETCH(bool, comIndice);
    QFETCH(QStringList, depois);
    QFETCH(QString, nova);
    FilaBancada b(criaPrograma);
    const QByteArray antigo = "3>@%file003>@%antigo.pdf>@%2>@%a>@%>@%>@%>@%0>@%0>@%>@%\r\n";
    for (const QString &nome : existentes)
        grava(b.arquivos() + nome, nome.toLatin1());
    if (comIndice)
        grava(b.indice(), antigo);

    QVERIFY(b.enfileira({b.doc}));
    QCOMPARE(b.copias(), depois);
    QCOMPARE(le(b.arquivos() + nova), kConteudo);
    for (const QString &nome : depois) {
        if (nome != nova)
            QCOMPARE(le(b.arquivos() + nome), nome.toLatin1());
    }
    const QByteArray indice = b.bytesIndice();
    QCOMPARE(indice.startsWith(antigo), comIndice);
    QVERIFY(indice.endsWith(">@%\r\n"));
    QCOMPARE(plataforma::deAnsi(indice).split(QStringLiteral("\r\n")).value(comIndice ? 1 : 0).section(QStringLiteral(">@%"), 1, 1),
             nova);
}

// A write cut short left a line without its break: the next record still gets a line of its own.
void TstFila::indiceCortado()
{
    FilaBancada b;
    grava(b.arquivos() + QStringLiteral("file001"), kOutroConteudo);
    grava(b.indice(), "3>@%file001>@%cortad");

    QVERIFY(b.enfileira({b.doc}));
    QCOMPARE(b.bytesIndice(), "3>@%file001>@%cortad\r\n12*7>@%file002>@%Balancete Mar\xe7o.pdf>@%2>@%Balancete de mar\xe7o>@%"
                              "09/03/2011>@%10/04/2011>@%>@%2>@%0>@%>@%\r\n");
}

void TstFila::falhas_data()
{
    QTest::addColumn<bool>("valido");
    QTest::addColumn<bool>("limpa");
    QTest::addColumn<QStringList>("lista");   // "doc", "outro", "falta" or empty
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QStringList>("novasCopias");

    const QString falta = QStringLiteral("falta");
    const QString doc = QStringLiteral("doc");
    QTest::newRow("registro não validado") << false << true << QStringList{QString(), doc}
                                           << QStringLiteral("Não foi possível validar o arquivo!") << QStringList();
    QTest::newRow("lista nunca preenchida") << true << false << QStringList() << kIndefinido << QStringList();
    QTest::newRow("lista só com a entrada vazia") << true << true << QStringList{QString()} << kIndefinido << QStringList();
    QTest::newRow("arquivo inexistente") << true << true << QStringList{QString(), falta} << kIndefinido << QStringList();
    QTest::newRow("o segundo arquivo falta") << true << true << QStringList{QString(), doc, falta} << kIndefinido
                                             << QStringList{QStringLiteral("file002")};
}

void TstFila::falhas()
{
    QFETCH(bool, valido);
    QFETCH(bool, limpa);
    QFETCH(QStringList, lista);
    QFETCH(QString, mensagem);
    QFETCH(QStringList, novasCopias);
    FilaBancada b;
    // a first document queued fine: the failure must leave it alone and clear Enfileirado
    QVERIFY(b.enfileira({b.outro}));
    QVERIFY(b.amb.Enfileirado());
    const QByteArray antes = b.bytesIndice();
    // a list never filled needs an environment that has not queued yet
    classAmbiente novo{b.servicos};
    preenche(novo, Registro{});
    classAmbiente &a = limpa ? b.amb : novo;
    if (!valido) {
        a.Enviar.Try();
        a.Enviar.Validar(QStringLiteral("Balancete.pdf"));
    }

    if (limpa)
        a.LimpaListaArquivos();
    for (const QString &e : lista)
        a.AddListaArquivos(e == QLatin1String("doc") ? b.doc
                               : e == QLatin1String("falta") ? b.home.raiz() + QStringLiteral("/spool/sumiu.pdf")
                                                             : e);
    QVERIFY(!a.Enfileirar());
    QCOMPARE(a.Erro(), mensagem);
    QVERIFY(!a.Enfileirado());
    QCOMPARE(b.copias(), QStringList{QStringLiteral("file001")} + novasCopias);
    // records appended before the fault stay; nothing else is written
    const QByteArray depois = b.bytesIndice();
    QVERIFY(depois.startsWith(antes));
    QCOMPARE(depois.count("\r\n"), 1 + novasCopias.size());
}

void TstFila::carregaFila_data()
{
    QTest::addColumn<QByteArray>("indice");   // null: no index
    QTest::addColumn<bool>("diretorio");
    QTest::addColumn<QList<QStringList>>("esperado");
    QTest::addColumn<bool>("erro");

    const QByteArray linha3 = "3>@%file001>@%a.pdf>@%2>@%d>@%>@%>@%>@%0>@%0>@%>@%\r\n";
    QTest::newRow("sem índice") << QByteArray() << true << QList<QStringList>() << true;
    QTest::newRow("índice vazio, sem consultar o diretório") << QByteArray("") << false << QList<QStringList>{linha({})} << false;
    QTest::newRow("diretório indisponível") << linha3 << false << QList<QStringList>() << true;
    QTest::newRow("rótulos das empresas")
        << linha3 + "3*7>@%file002>@%b.pdf>@%2>@%e>@%>@%>@%>@%0>@%0>@%>@%\r\n"
                    "5@|-9@|->@%file003>@%c.pdf>@%2>@%f>@%>@%>@%>@%0>@%0>@%>@%\r\n"
                    "99>@%file004>@%d.pdf>@%2>@%g>@%>@%>@%>@%0>@%0>@%>@%\r\n"
        << true
        << QList<QStringList>{
               linha({QStringLiteral("Auto Peças Rodovia"), QStringLiteral("file001"), QStringLiteral("a.pdf"), QStringLiteral("2"),
                      QStringLiteral("d"), {}, {}, {}, QStringLiteral("0"), QStringLiteral("0")}),
               linha({QStringLiteral("(2)Empresas"), QStringLiteral("file002"), QStringLiteral("b.pdf"), QStringLiteral("2"),
                      QStringLiteral("e"), {}, {}, {}, QStringLiteral("0"), QStringLiteral("0")}),
               linha({QStringLiteral("(2)Empresas"), QStringLiteral("file003"), QStringLiteral("c.pdf"), QStringLiteral("2"),
                      QStringLiteral("f"), {}, {}, {}, QStringLiteral("0"), QStringLiteral("0")}),
               linha({QStringLiteral("99"), QStringLiteral("file004"), QStringLiteral("d.pdf"), QStringLiteral("2"),
                      QStringLiteral("g"), {}, {}, {}, QStringLiteral("0"), QStringLiteral("0")}),
               linha({})}
        << false;
    QTest::newRow("índice danificado")
        << QByteArray("7>@%file001>@%curto\r\n\xff lixo") + QByteArray(1, '\0') + "\r\n\r\n3>@%file002>@%sem fim>@%2" << true
        << QList<QStringList>{linha({QStringLiteral("Bazar Três Irmãos"), QStringLiteral("file001"), QStringLiteral("curto")}),
                              linha({QStringLiteral("ÿ lixo") + QChar(0)}), linha({}),
                              linha({QStringLiteral("Auto Peças Rodovia"), QStringLiteral("file002"), QStringLiteral("sem fim"),
                                     QStringLiteral("2")}),
                              linha({})}
        << false;
}

void TstFila::carregaFila()
{
    QFETCH(QByteArray, indice);
    QFETCH(bool, diretorio);
    QFETCH(QList<QStringList>, esperado);
    QFETCH(bool, erro);
    FilaBancada b(false);
    b.diretorio(diretorio);
    if (!indice.isNull())
        grava(b.indice(), indice);

    bool pErro = false;
    QCOMPARE(b.amb.CarregaFila(pErro), esperado);
    QCOMPARE(pErro, erro);
    if (erro)
        QCOMPARE(b.amb.Erro(), kProblemas);
    // the program folder and the queue folder are there now
    QVERIFY(QDir(b.fila()).exists());
    // the directory is fetched in its user form, only for a queue with lines
    for (const QByteArray &url : b.home.http.urls)
        QVERIFY(url.contains("printer/sincroniza.asp?") && url.contains("&u=1"));
    QCOMPARE(b.home.http.urls.isEmpty(), indice.isEmpty());
}

void TstFila::carregaOQueFoiEnfileirado()
{
    FilaBancada b;
    Registro primeiro;
    primeiro.clientes = {7};
    primeiro.observacao = QStringLiteral("Conferir\r\nassinar");
    preenche(b.amb, primeiro);
    QVERIFY(b.enfileira({b.doc}));
    Registro segundo;
    segundo.clientes = {3, 7};
    segundo.descricao = QStringLiteral("Folha de março");
    preenche(b.amb, segundo);
    QVERIFY(b.enfileira({b.outro}));
    b.diretorio(true);

    bool pErro = false;
    const QList<QStringList> tabela = b.amb.CarregaFila(pErro);
    QVERIFY(!pErro);
    const QList<QStringList> esperado{
        linha({QStringLiteral("Bazar Três Irmãos"), QStringLiteral("file001"), QStringLiteral("Balancete Março.pdf"), QStringLiteral("2"),
               QStringLiteral("Balancete de março"), QStringLiteral("09/03/2011"), QStringLiteral("10/04/2011"),
               QStringLiteral("Conferir@|-assinar"), QStringLiteral("2"), QStringLiteral("0"), QString()}),
        linha({QStringLiteral("(2)Empresas"), QStringLiteral("file002"), QStringLiteral("Folha.pdf"), QStringLiteral("2"),
               QStringLiteral("Folha de março"), QStringLiteral("09/03/2011"), QStringLiteral("10/04/2011"), QString(),
               QStringLiteral("2"), QStringLiteral("0"), QString()}),
        linha({})};
    QCOMPARE(tabela, esperado);
}

// What the line has no room for, and the two texts as typed, wait beside it for the sender.
void TstFila::dadosAoLado()
{
    FilaBancada b;
    Registro r;
    r.descricao = QStringLiteral("Nota >@% 1");
    r.observacao = QStringLiteral("linha 1\nlinha @|- 2");
    preenche(b.amb, r);
    b.amb.Enviar.setParametro2(QStringLiteral("03/2011"));
    b.amb.pasta = QStringLiteral("11|31|0|0|0|");
    b.amb.UsuariosId = QStringLiteral("12|30*7|41");
    b.amb.Email = QStringLiteral("S");
    QVERIFY(b.enfileira({b.doc, b.outro}));

    const transferencia::FilaEnvio fila = b.amb.Fila();
    for (const QString &copia : {QStringLiteral("file001"), QStringLiteral("file002")}) {
        const auto dados = fila.LeDados(copia);
        QVERIFY2(dados, qPrintable(copia));
        QCOMPARE(dados->pasta, QStringLiteral("11|31|0|0|0|"));
        QCOMPARE(dados->usuariosId, QStringLiteral("12|30*7|41"));
        QCOMPARE(dados->email, QStringLiteral("S"));
        QCOMPARE(dados->parametros, (std::array<QString, 5>{QString(), QStringLiteral("03/2011"), {}, {}, {}}));
        QCOMPARE(dados->descricao, r.descricao);
        QCOMPARE(dados->observacao, r.observacao);
        QCOMPARE(dados->enfileiradoEm, QStringLiteral("09/03/2011"));
        QVERIFY(!dados->enviando);
        QCOMPARE(dados->falha, QString());
    }
    QList<transferencia::EntradaFila> entradas;
    QVERIFY(fila.Entradas(entradas));
    QCOMPARE(entradas.size(), 2);
    QCOMPARE(entradas.at(1).copia(), QStringLiteral("file002"));
    QCOMPARE(entradas.at(1).campos.value(4), QStringLiteral("Nota >_% 1"));
}

void TstFila::retira_data()
{
    QTest::addColumn<QByteArray>("indice");
    QTest::addColumn<QString>("copia");
    QTest::addColumn<QByteArray>("depois");   // null: no index any more
    QTest::addColumn<QStringList>("ficam");   // copies (and their data) left

    const QByteArray l1 = "3>@%file001>@%a.pdf>@%2>@%Guia>@%>@%>@%>@%0>@%0>@%>@%";
    const QByteArray l2 = "7>@%file002>@%b\xe7.pdf>@%2>@%Folha>@%>@%>@%x@|-y>@%2>@%0>@%>@%";
    const QByteArray l3 = "3*7>@%file003>@%c.pdf>@%2>@%Nota>@%>@%>@%>@%0>@%0>@%>@%";
    const QStringList todas{QStringLiteral("file001"), QStringLiteral("file002"), QStringLiteral("file003")};
    QTest::newRow("a do meio") << l1 + "\r\n" + l2 + "\r\n" + l3 + "\r\n" << QStringLiteral("file002")
                               << l1 + "\r\n" + l3 + "\r\n" << QStringList{todas.at(0), todas.at(2)};
    // every other line keeps its bytes: a bare line feed, a line without copy, one without its break
    QTest::newRow("a primeira, as outras como estão")
        << l1 + "\n" + l2 + "\r\nlixo\r\n" + l3 << QStringLiteral("file001") << l2 + "\r\nlixo\r\n" + l3
        << QStringList{todas.at(1), todas.at(2)};
    QTest::newRow("fora do índice: só a cópia sai") << l1 + "\r\n" + l3 + "\r\n" << QStringLiteral("file002")
                                                    << l1 + "\r\n" + l3 + "\r\n" << QStringList{todas.at(0), todas.at(2)};
    // an empty queue has no index; copies no line names are the next queueing's to clear
    QTest::newRow("a última") << l2 + "\r\nlixo\r\n" << QStringLiteral("file002") << QByteArray()
                              << QStringList{todas.at(0), todas.at(2)};
}

void TstFila::retira()
{
    QFETCH(QByteArray, indice);
    QFETCH(QString, copia);
    QFETCH(QByteArray, depois);
    QFETCH(QStringList, ficam);
    FilaBancada b;
    grava(b.indice(), indice);
    const QString dados = b.fila() + QStringLiteral("dados/");
    for (const QString &c : {QStringLiteral("file001"), QStringLiteral("file002"), QStringLiteral("file003")}) {
        grava(b.arquivos() + c, c.toLatin1());
        grava(dados + c + QStringLiteral(".json"), "{}");
    }

    QVERIFY(b.amb.Fila().Retira(copia));
    QCOMPARE(QFile::exists(b.indice()), !depois.isNull());
    QCOMPARE(b.bytesIndice(), depois);
    QCOMPARE(b.copias(), ficam);
    QStringList jsons;
    for (const QString &c : ficam)
        jsons << c + QStringLiteral(".json");
    QCOMPARE(QDir(dados).entryList(QDir::Files, QDir::Name), jsons);
    // the rewrite leaves nothing of its own behind
    QCOMPARE(QDir(b.fila()).entryList(QDir::Files), depois.isNull() ? QStringList() : QStringList{QStringLiteral("vrmf.rlx")});
}

QTEST_GUILESS_MAIN(TstFila)
#include "tst_fila.moc"
