// The environment object: start-up check, version keys, document types, capture and backup,
// and which file the end of a run deletes.
#include "TestHome.h"
#include "platform/ErrorCodes.h"
#include "shell/classAmbiente.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace plataforma;

namespace {
const QString kCapturaFalhou = QStringLiteral("Não foi possível capturar a impressão!");
const QString kBackupFalhou = QStringLiteral("Não foi possível armazenar o backup!");

QByteArray conteudo(const QString &caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ausente>");
}
} // namespace

class TstAmbiente : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pastaPrograma();
    void pastaProgramaSemPastaEspecial();
    void inicia_data();
    void inicia();
    void iniciaGravaVersaoMesmoSemDocumento();
    void iniciaTipoInformado();
    void tipoDesc_data();
    void tipoDesc();
    void titulo_data();
    void titulo();
    void captura_data();
    void captura();
    void capturaDuasVezes();
    void capturaSemPastaPrograma();
    void backupComIdentificador();
    void backupRecusaIdentificador_data();
    void backupRecusaIdentificador();
    void fimDaExecucao_data();
    void fimDaExecucao();
    void fimSemDocumentoNaoFalha();
    void tamanhoEm64Bits();
    void tamanhoDeArquivoAusenteFalha();
    void listaArquivos();
};

void TstAmbiente::pastaPrograma()
{
    TestHome home;
    auto s = home.servicos();
    classAmbiente amb(s);
    QCOMPARE(amb.Sistema(), QStringLiteral("Vorlin Printer"));
    QCOMPARE(amb.PathUser(), home.pastaPrograma());
}

void TstAmbiente::pastaProgramaSemPastaEspecial()
{
    TestHome home;
    qputenv("XDG_DATA_HOME", QByteArray());
    qputenv("HOME", QByteArray());
    auto s = home.servicos();
    classAmbiente amb(s);
    QCOMPARE(amb.PathUser(), QDir::toNativeSeparators(QStringLiteral("/VorlinPrinter/")));
}

void TstAmbiente::inicia_data()
{
    QTest::addColumn<QString>("linha");      // {d} is the delivered file
    QTest::addColumn<bool>("aceito");
    QTest::addColumn<QString>("erro");
    QTest::newRow("vazio") << QString() << false << QStringLiteral("Erro na transferência da Impressão!");
    QTest::newRow("so espacos") << QStringLiteral("   ") << false << QStringLiteral("Erro na transferência da Impressão!");
    QTest::newRow("inexistente") << QStringLiteral("{d}.nao") << false << QStringLiteral("Erro no acesso da Impressão!");
    QTest::newRow("pasta") << QStringLiteral("{r}") << false << QStringLiteral("Erro no acesso da Impressão!");
    QTest::newRow("ok") << QStringLiteral("{d}") << true << QString();
    QTest::newRow("espacos em volta") << QStringLiteral("  {d}  ") << true << QString();
}

void TstAmbiente::inicia()
{
    QFETCH(QString, linha);
    QFETCH(bool, aceito);
    QFETCH(QString, erro);
    TestHome home;
    const QString entregue = home.criaArquivo(QStringLiteral("spool/Relatório de Março 2011.pdf"));
    linha.replace(QStringLiteral("{d}"), entregue).replace(QStringLiteral("{r}"), home.raiz());
    auto s = home.servicos();
    classAmbiente amb(s);
    amb.Autenticado = true;

    QCOMPARE(amb.Inicia(false, linha), aceito);
    QCOMPARE(amb.Erro(), erro);
    QCOMPARE(amb.arquivo(), aceito ? entregue : QString());
    QVERIFY(!amb.Autenticado);   // no stored session in a fresh home
    QVERIFY(!amb.Monitor());
    QVERIFY(home.ui.caixas.isEmpty());
}

void TstAmbiente::iniciaGravaVersaoMesmoSemDocumento()
{
    TestHome home;
    auto s = home.servicos();
    classAmbiente amb(s);
    QVERIFY(!amb.Inicia(false, QString()));
    QCOMPARE(home.config->le(QStringLiteral("Config"), QStringLiteral("PubAj")), QStringLiteral("1"));
    QCOMPARE(home.config->le(QStringLiteral("Config"), QStringLiteral("PubIn")), QStringLiteral("0"));
    QCOMPARE(home.config->le(QStringLiteral("Config"), QStringLiteral("PubEv")), QStringLiteral("4"));
}

void TstAmbiente::iniciaTipoInformado()
{
    TestHome home;
    const QString entregue = home.criaArquivo(QStringLiteral("job.pdf"));
    auto s = home.servicos();
    classAmbiente amb(s);
    QVERIFY(amb.Inicia(false, entregue, QStringLiteral("Planilha.XLS")));
    QCOMPARE(amb.Tipo(), QStringLiteral("xls"));
    QCOMPARE(amb.TipoDesc(), QStringLiteral("Planilhas"));
}

void TstAmbiente::tipoDesc_data()
{
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("descricao");
    const QString p = QStringLiteral("C:/Docs/");
    QTest::newRow("pdf maiusculo") << p + "Balanco.PDF" << "pdf" << QStringLiteral("Documento Portátil");
    QTest::newRow("tar.gz") << p + "arquivo.tar.gz" << "gz" << "Outros";
    QTest::newRow("xls") << p + "planilha.XLS" << "xls" << "Planilhas";
    QTest::newRow("exe") << p + "setup.exe" << "exe" << "Proibido";
    QTest::newRow("sem ponto") << QStringLiteral("/Home/Maria/LEIAME") << "/home/maria/leiame" << "Outros";
    QTest::newRow("ponto na pasta") << QStringLiteral("/srv/Rel.2011/Balanco") << "2011/balanco" << "Outros";
    QTest::newRow("termina em ponto") << QStringLiteral("nota.") << "" << "Outros";
    QTest::newRow("vazio") << QString() << "" << "Outros";
    QTest::newRow("jpg") << "foto.JPG" << "jpg" << "Imagens";
    QTest::newRow("pps") << "aula.pps" << "pps" << QStringLiteral("Apresentações");
    QTest::newRow("psw") << "nota.psw" << "psw" << "Documentos";
    QTest::newRow("xml") << "nfe.xml" << "xml" << "Planilhas";
    QTest::newRow("htm") << "site.htm" << "htm" << "Pagina de internet";
    QTest::newRow("prn") << "fila.prn" << "prn" << QStringLiteral("Arquivo de Impressão");
    QTest::newRow("jsp") << "x.jsp" << "jsp" << "Proibido";
    QTest::newRow("rar") << "pacote.rar" << "rar" << "Compactado";
    QTest::newRow("parecido") << "x.pdfx" << "pdfx" << "Outros";
}

void TstAmbiente::tipoDesc()
{
    QFETCH(QString, valor);
    QFETCH(QString, tipo);
    QFETCH(QString, descricao);
    TestHome home;
    auto s = home.servicos();
    classAmbiente amb(s);
    amb.setTipo(valor);
    QCOMPARE(amb.Tipo(), tipo);
    QCOMPARE(amb.TipoDesc(), descricao);
    QCOMPARE(amb.Tipo(), tipo);
}

void TstAmbiente::titulo_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("guardado");
    QTest::newRow("aviso do campo") << QStringLiteral("  Digite um Título  ") << QString();
    QTest::newRow("aviso em outra caixa") << QStringLiteral("digite um título") << QStringLiteral("digite um título");
    QTest::newRow("texto aparado") << QStringLiteral(" Balanço 2010 ") << QStringLiteral("Balanço 2010");
    QTest::newRow("vazio") << QStringLiteral("   ") << QString();
}

void TstAmbiente::titulo()
{
    QFETCH(QString, texto);
    QFETCH(QString, guardado);
    TestHome home;
    auto s = home.servicos();
    classAmbiente amb(s);
    QCOMPARE(amb.setTitulo(texto), guardado);
    QCOMPARE(amb.Titulo(), guardado);
}

void TstAmbiente::captura_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("capturado");
    QTest::newRow("acentos e espacos") << QStringLiteral("Balanço Março çãé.pdf") << QStringLiteral("Balanço Março çãé.pdf");
    QTest::newRow("cerquilha e") << QStringLiteral("NF #12 & 13.pdf") << QStringLiteral("NF _12 _ 13.pdf");
    QTest::newRow("porcento") << QStringLiteral("100%.pdf") << QStringLiteral("100_.pdf");
    QTest::newRow("aspas") << QStringLiteral("D'Ávila \"rel\".pdf") << QStringLiteral("D_Ávila _rel_.pdf");
    QTest::newRow("outros simbolos") << QStringLiteral("a+b=(c)[d]{e}@!~.pdf") << QStringLiteral("a+b=(c)[d]{e}@!~.pdf");
}

void TstAmbiente::captura()
{
    QFETCH(QString, nome);
    QFETCH(QString, capturado);
    TestHome home;
    QVERIFY(home.criaPastaPrograma());
    const QString entregue = home.criaArquivo(QStringLiteral("spool/") + nome, "%PDF conteudo");
    auto s = home.servicos();
    classAmbiente amb(s);
    QVERIFY(amb.Inicia(false, entregue));

    QVERIFY(amb.Captura(QString()));
    const QString copia = home.pastaPrograma() + QStringLiteral("PROC") + QDir::separator() + capturado;
    QCOMPARE(amb.arquivo(), copia);
    QCOMPARE(conteudo(copia), QByteArray("%PDF conteudo"));
    QVERIFY(QFileInfo::exists(entregue));
}

void TstAmbiente::capturaDuasVezes()
{
    TestHome home;
    QVERIFY(home.criaPastaPrograma());
    const QString entregue = home.criaArquivo(QStringLiteral("job.pdf"));
    auto s = home.servicos();
    classAmbiente amb(s);
    QVERIFY(amb.Inicia(false, entregue));
    QVERIFY(amb.Captura(QString()));
    const QString copia = amb.arquivo();

    // With the copy gone, a second copy attempt would fail: true here proves nothing was copied.
    QVERIFY(QFile::remove(copia));
    QVERIFY(amb.Captura(QString()));
    QCOMPARE(amb.arquivo(), copia);
    QVERIFY(!QFileInfo::exists(copia));
}

void TstAmbiente::capturaSemPastaPrograma()
{
    TestHome home;
    const QString entregue = home.criaArquivo(QStringLiteral("job.pdf"));
    auto s = home.servicos();
    classAmbiente amb(s);
    QVERIFY(amb.Inicia(false, entregue));
    QVERIFY(!amb.Captura(QString()));
    QCOMPARE(amb.Erro(), kCapturaFalhou);
    QCOMPARE(amb.arquivo(), entregue);
    QVERIFY(!QFileInfo::exists(home.pastaPrograma()));
}

void TstAmbiente::backupComIdentificador()
{
    TestHome home;
    QVERIFY(home.criaPastaPrograma());
    const QString entregue = home.criaArquivo(QStringLiteral("job.pdf"), "corpo do pdf");
    auto s = home.servicos();
    classAmbiente amb(s);
    QVERIFY(amb.Inicia(false, entregue));
    QVERIFY(amb.Captura(QString()));
    const QString copia = amb.arquivo();

    QVERIFY(amb.Captura(QStringLiteral("48213")));
    const QString pastaBack = home.pastaPrograma() + QStringLiteral("Back");
    QCOMPARE(QDir(pastaBack).entryList(QDir::Files), QStringList{QStringLiteral("48213")});
    QCOMPARE(conteudo(pastaBack + QDir::separator() + QStringLiteral("48213")), QByteArray("corpo do pdf"));
    QCOMPARE(amb.arquivo(), copia);

    // a second record of the same publication
    QVERIFY(amb.Captura(QStringLiteral("48214")));
    QCOMPARE(QDir(pastaBack).entryList(QDir::Files).size(), 2);
}

void TstAmbiente::backupRecusaIdentificador_data()
{
    QTest::addColumn<QString>("identificador");
    QTest::newRow("sobe pasta") << QStringLiteral("../../fora");
    QTest::newRow("so pontos") << QStringLiteral("..");
    QTest::newRow("barra") << QStringLiteral("PROC/job.pdf");
    QTest::newRow("barra invertida") << QStringLiteral("..\\fora");
    QTest::newRow("absoluto") << QStringLiteral("/tmp/fora");
    QTest::newRow("quebra de linha") << QStringLiteral("123\r\n");
    QTest::newRow("controle") << QStringLiteral("12\x01" "3");
}

void TstAmbiente::backupRecusaIdentificador()
{
    QFETCH(QString, identificador);
    TestHome home;
    QVERIFY(home.criaPastaPrograma());
    const QString entregue = home.criaArquivo(QStringLiteral("job.pdf"));
    auto s = home.servicos();
    classAmbiente amb(s);
    QVERIFY(amb.Inicia(false, entregue));
    QVERIFY(amb.Captura(QString()));
    const QString copia = amb.arquivo();

    QVERIFY(!amb.Captura(identificador));
    QCOMPARE(amb.Erro(), kBackupFalhou);
    QCOMPARE(amb.arquivo(), copia);
    QVERIFY(!QFileInfo::exists(home.raiz() + QStringLiteral("/data/fora")));
    QVERIFY(!QFileInfo::exists(home.raiz() + QStringLiteral("/fora")));
    QVERIFY(QDir(home.pastaPrograma() + QStringLiteral("Back")).entryList(QDir::Files).isEmpty());
}

void TstAmbiente::fimDaExecucao_data()
{
    QTest::addColumn<bool>("captura");
    QTest::addColumn<bool>("outroArquivo");   // the dialog left a dragged file in arquivo
    QTest::addColumn<bool>("ficaEntregue");
    QTest::addColumn<bool>("ficaCopia");
    QTest::newRow("capturado") << true << false << true << false;
    QTest::newRow("sem captura") << false << false << false << false;
    QTest::newRow("capturado, arrastado no fim") << true << true << true << true;
    QTest::newRow("sem captura, arrastado no fim") << false << true << true << false;
}

void TstAmbiente::fimDaExecucao()
{
    QFETCH(bool, captura);
    QFETCH(bool, outroArquivo);
    QFETCH(bool, ficaEntregue);
    QFETCH(bool, ficaCopia);
    TestHome home;
    QVERIFY(home.criaPastaPrograma());
    const QString entregue = home.criaArquivo(QStringLiteral("spool/job.pdf"));
    const QString arrastado = home.criaArquivo(QStringLiteral("Documentos/contrato.pdf"));
    const QString copia = home.pastaPrograma() + QStringLiteral("PROC") + QDir::separator() + QStringLiteral("job.pdf");
    {
        auto s = home.servicos();
        classAmbiente amb(s);
        QVERIFY(amb.Inicia(false, entregue));
        if (captura)
            QVERIFY(amb.Captura(QString()));
        if (outroArquivo)
            amb.setArquivo(arrastado);
    }
    QCOMPARE(QFileInfo::exists(entregue), ficaEntregue);
    QCOMPARE(QFileInfo::exists(copia), ficaCopia);
    QVERIFY(QFileInfo::exists(arrastado));
}

void TstAmbiente::fimSemDocumentoNaoFalha()
{
    TestHome home;
    const QString alheio = home.criaArquivo(QStringLiteral("alheio.pdf"));
    {
        auto s = home.servicos();
        classAmbiente amb(s);
        QVERIFY(!amb.Inicia(false, home.raiz() + QStringLiteral("/sumiu.pdf")));
        amb.setArquivo(alheio);
    }
    QVERIFY(QFileInfo::exists(alheio));
    {
        // the delivered file already gone at the end
        const QString entregue = home.criaArquivo(QStringLiteral("job.pdf"));
        auto s = home.servicos();
        classAmbiente amb(s);
        QVERIFY(amb.Inicia(false, entregue));
        QVERIFY(QFile::remove(entregue));
    }
}

void TstAmbiente::tamanhoEm64Bits()
{
    TestHome home;
    const QString grande = home.criaArquivo(QStringLiteral("grande.pdf"));
    QFile f(grande);
    QVERIFY(f.open(QIODevice::ReadWrite));
    const qint64 tamanho = Q_INT64_C(3) * 1024 * 1024 * 1024 + 7;   // sparse: costs no disk
    if (!f.resize(tamanho))
        QSKIP("this file system cannot hold a sparse 3 GiB file");
    f.close();
    auto s = home.servicos();
    classAmbiente amb(s);
    QVERIFY(amb.Inicia(false, grande));
    QCOMPARE(amb.ArquivoTamanho(), QStringLiteral("3221225479"));
}

void TstAmbiente::tamanhoDeArquivoAusenteFalha()
{
    TestHome home;
    auto s = home.servicos();
    classAmbiente amb(s);
    amb.setArquivo(home.raiz() + QStringLiteral("/sumiu.pdf"));
    QVERIFY_THROWS_EXCEPTION(ErroPrograma, amb.ArquivoTamanho());
}

void TstAmbiente::listaArquivos()
{
    TestHome home;
    auto s = home.servicos();
    classAmbiente amb(s);
    QVERIFY(amb.ListaArquivos().isEmpty());
    amb.AddListaArquivos(QStringLiteral("a.pdf"));
    amb.LimpaListaArquivos();
    QCOMPARE(amb.ListaArquivos(), QStringList{QString()});
    amb.AddListaArquivos(QStringLiteral("b.pdf"));
    amb.AddListaArquivos(QStringLiteral("c.pdf"));
    QCOMPARE(amb.ListaArquivos(), (QStringList{QString(), QStringLiteral("b.pdf"), QStringLiteral("c.pdf")}));
}

QTEST_GUILESS_MAIN(TstAmbiente)
#include "tst_ambiente.moc"
