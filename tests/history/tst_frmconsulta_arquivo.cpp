// A published file from the history grid, against scripted replies: each way a double-click
// goes (deleted, local copy, download and view, refusals, a failed download), and the copy handed
// to the shell under the published name, which must stay inside "temp".
#include "tst_frmconsulta_bancada.h"

#include <QTest>

using plataforma::Icone;
using plataforma::Resposta;

namespace {

const QString kId = QStringLiteral("41");
const QString kArquivo = QStringLiteral("das.pdf");
const QString kApagadoSemCopia = QStringLiteral(
    "Não é possível visualizar um arquivo já apagado que não tenha \r\nsido criado ou baixado para este computador!");
const QString kVerApagado = QStringLiteral("Deseja visualizar o arquivo das.pdf\r\n já apagado?");
const QString kVer = QStringLiteral("Deseja visualizar o arquivo das.pdf?");
const QString kBaixar = QStringLiteral("Deseja Baixar uma cópia do arquivo?");
const QString kNaoEncontrado = QStringLiteral("Arquivo não encontrador!");

// every byte value and line ends of both kinds: the copy must come out identical
QByteArray corpoBinario()
{
    QByteArray bytes("%PDF-1.4\r\n");
    for (int i = 0; i < 512; ++i)
        bytes += static_cast<char>(i & 0xFF);
    return bytes + QByteArrayLiteral("\n\r\x00\x81\x8d\x8f\x90\x9d%%EOF\r\n");
}

// Double-clicks the first record's cell in the "Descrição" column, as the user does.
void duploClique(FrmConsultaBancada &b, int linha = 0)
{
    QTableView *grade = b.grade();
    const QRect celula = grade->visualRect(grade->model()->index(linha, 2));
    QTest::mouseClick(grade->viewport(), Qt::LeftButton, {}, celula.center());
    QTest::mouseDClick(grade->viewport(), Qt::LeftButton, {}, celula.center());
}

} // namespace

class TstFrmConsultaArquivo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void duploClique_data();
    void duploClique();
    void linhaVaziaNaoFazNada();
    void segundaVisualizacaoSobrescreve();
    void visualizacaoQueFalha_data();
    void visualizacaoQueFalha();
};

void TstFrmConsultaArquivo::duploClique_data()
{
    QTest::addColumn<bool>("apagado");
    QTest::addColumn<bool>("copiaLocal");
    QTest::addColumn<QByteArray>("noPortal");   // empty: the portal has nothing for the id
    QTest::addColumn<QList<Resposta>>("respostas");
    QTest::addColumn<QStringList>("textos");
    QTest::addColumn<bool>("baixado");
    QTest::addColumn<bool>("aberto");

    const QByteArray corpo = corpoBinario();
    using R = QList<Resposta>;
    QTest::newRow("apagado com copia, visualiza") << true << true << corpo << R{Resposta::Sim}
                                                  << QStringList{kVerApagado} << false << true;
    QTest::newRow("apagado com copia, nao") << true << true << corpo << R{Resposta::Nao} << QStringList{kVerApagado}
                                            << false << false;
    QTest::newRow("apagado sem copia") << true << false << corpo << R{} << QStringList{kApagadoSemCopia} << false
                                       << false;
    QTest::newRow("copia local, visualiza") << false << true << corpo << R{Resposta::Sim} << QStringList{kVer} << false
                                            << true;
    QTest::newRow("baixa e visualiza") << false << false << corpo << R{Resposta::Sim, Resposta::Sim}
                                       << QStringList{kBaixar, kVer} << true << true;
    QTest::newRow("baixa e nao visualiza") << false << false << corpo << R{Resposta::Sim, Resposta::Nao}
                                           << QStringList{kBaixar, kVer} << true << false;
    QTest::newRow("nao baixa") << false << false << corpo << R{Resposta::Nao} << QStringList{kBaixar} << false << false;
    QTest::newRow("portal sem o arquivo") << false << false << QByteArray() << R{Resposta::Sim}
                                          << QStringList{kBaixar, kNaoEncontrado} << false << false;
    // only an empty reply is a failure: an error page is kept as the copy
    QTest::newRow("pagina de erro vira a copia") << false << false << QByteArray("<html>erro</html>")
                                                 << R{Resposta::Sim, Resposta::Sim} << QStringList{kBaixar, kVer} << true
                                                 << true;
}

void TstFrmConsultaArquivo::duploClique()
{
    QFETCH(bool, apagado);
    QFETCH(bool, copiaLocal);
    QFETCH(QByteArray, noPortal);
    QFETCH(QList<Resposta>, respostas);
    QFETCH(QStringList, textos);
    QFETCH(bool, baixado);
    QFETCH(bool, aberto);

    FrmConsultaBancada b;
    RegistroPortal registro;
    if (apagado) {
        registro.apagado = QStringLiteral("08/03/2011 17:00:00");
        registro.status = QStringLiteral("Apagado");
    }
    b.historico = respostaHistorico({registro});
    const QByteArray local("%PDF-1.4 copia guardada ao publicar\n");
    if (copiaLocal)
        b.criaCopia(kId, local);
    if (!noPortal.isEmpty())
        b.arquivos.insert(kId, noPortal);
    b.abre();
    b.controle<QToolButton>(QStringLiteral("cmdFiltrar"))->click();
    QCOMPARE(b.celula(0, 17), copiaLocal ? QStringLiteral("Sim") : QStringLiteral("Não"));

    for (Resposta r : respostas)
        b.home.ui.responde(r);
    b.home.ui.aceitaAvisos(true);
    ::duploClique(b);

    QCOMPARE(b.home.ui.textos(), textos);
    QVERIFY(!b.home.ui.respostasPendentes());
    for (const auto &caixa : b.home.ui.caixas) {
        QCOMPARE(caixa.caixa.titulo, QStringLiteral("Vorlin Printer"));
        const QString &t = caixa.caixa.texto;
        const Icone icone = t == kApagadoSemCopia ? Icone::Informacao
            : t == kNaoEncontrado                 ? Icone::Exclamacao
                                                  : Icone::Pergunta;
        QCOMPARE(caixa.caixa.icone, icone);
        if (icone == Icone::Pergunta)
            QCOMPARE(caixa.caixa.botoes, plataforma::Botoes::SimNao);
    }

    // the download asks for the record's id and keeps the bytes exactly
    const bool pediu = std::any_of(b.home.http.urls.cbegin(), b.home.http.urls.cend(), [](const QByteArray &url) {
        return url.endsWith("printer/consulta_b.asp?l=5&s=77&ia=41&");
    });
    QCOMPARE(pediu, textos.first() == kBaixar && respostas.first() == Resposta::Sim);
    const QByteArray esperado = baixado ? noPortal : copiaLocal ? local : QByteArray("<ausente>");
    QCOMPARE(conteudoDe(b.copia(kId)), esperado);
    QCOMPARE(b.celula(0, 17), baixado || copiaLocal ? QStringLiteral("Sim") : QStringLiteral("Não"));
    QCOMPARE(b.janela->Registros().at(0).at(classConsultar::kCampoLocal), b.celula(0, 17));

    // the viewer gets a copy in "temp" under the published name
    QCOMPARE(b.home.ui.documentosAbertos, aberto ? QStringList{b.visualizacao(kArquivo)} : QStringList{});
    if (aberto)
        QCOMPARE(conteudoDe(b.visualizacao(kArquivo)), esperado);
    QVERIFY(!b.home.ui.ocupado());
}

void TstFrmConsultaArquivo::linhaVaziaNaoFazNada()
{
    FrmConsultaBancada b;
    b.abre();
    b.home.ui.aceitaAvisos(true);
    b.controle<QToolButton>(QStringLiteral("cmdFiltrar"))->click();   // no files: the empty row stays
    const qsizetype caixas = b.home.ui.caixas.size();
    const qsizetype pedidos = b.home.http.urls.size();
    ::duploClique(b);
    QCOMPARE(b.home.ui.caixas.size(), caixas);
    QCOMPARE(b.home.http.urls.size(), pedidos);
    QVERIFY(!b.home.ui.ocupado());
}

void TstFrmConsultaArquivo::segundaVisualizacaoSobrescreve()
{
    FrmConsultaBancada b;
    b.criaCopia(kId, "primeira");
    b.abre();
    b.janela->suVizualisar(kId, kArquivo);
    QCOMPARE(conteudoDe(b.visualizacao(kArquivo)), QByteArray("primeira"));
    b.criaCopia(kId, "segunda, mais longa");
    b.janela->suVizualisar(kId, kArquivo);
    QCOMPARE(conteudoDe(b.visualizacao(kArquivo)), QByteArray("segunda, mais longa"));
    QCOMPARE(b.home.ui.documentosAbertos, QStringList(2, b.visualizacao(kArquivo)));
    QVERIFY(b.home.ui.caixas.isEmpty());
}

void TstFrmConsultaArquivo::visualizacaoQueFalha_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<bool>("shellAbre");
    QTest::addColumn<QStringList>("abertos");   // relative to the program folder

    QTest::newRow("nome que sobe de pasta") << QStringLiteral("../fora.pdf") << true << QStringList{};
    QTest::newRow("nome com barra") << QStringLiteral("sub/fora.pdf") << true << QStringList{};
    QTest::newRow("nome com quebra de linha") << QStringLiteral("a\r\nb.pdf") << true << QStringList{};
    QTest::newRow("shell nao abre") << QStringLiteral("das.pdf") << false << QStringList{QStringLiteral("temp/das.pdf")};
}

void TstFrmConsultaArquivo::visualizacaoQueFalha()
{
    QFETCH(QString, nome);
    QFETCH(bool, shellAbre);
    QFETCH(QStringList, abertos);

    FrmConsultaBancada b;
    b.criaCopia(kId, "copia");
    b.home.ui.abrirFunciona = shellAbre;
    b.home.ui.aceitaAvisos(true);
    b.abre();
    const QStringList antes = QDir(b.amb.PathUser()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    b.janela->suVizualisar(kId, nome);

    // reported through the error reporter, like every failing step of the window
    QVERIFY(b.relatado(QStringLiteral("suVizualisar")));
    QStringList esperados;
    for (const QString &a : abertos)
        esperados << b.amb.PathUser() + a;
    QCOMPARE(b.home.ui.documentosAbertos, esperados);
    // nothing lands beside "temp" or "Back"
    QStringList depois = QDir(b.amb.PathUser()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    depois.removeAll(QStringLiteral("temp"));
    depois.removeAll(QStringLiteral("report"));
    QStringList base = antes;
    base.removeAll(QStringLiteral("temp"));
    QCOMPARE(depois, base);
    QVERIFY(!QFile::exists(b.amb.PathUser() + QStringLiteral("fora.pdf")));
    QVERIFY(!QFile::exists(b.amb.PathUser() + QStringLiteral("temp/sub/fora.pdf")));
}

QTEST_MAIN(TstFrmConsultaArquivo)
#include "tst_frmconsulta_arquivo.moc"
