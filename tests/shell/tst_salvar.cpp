// The save flow: every question and answer box, and what ends up on disk.
#include "TestHome.h"
#include "shell/ModFuncs.h"
#include "shell/classAmbiente.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace plataforma;

namespace {

const QString kVazio = QStringLiteral("Não foi informado um nome para o arquivo!\r\nDeseja realmente cancelar?");
const QString kExiste = QStringLiteral("O Arquivo indicado já existe.\r\nDeseja substituí-lo?");
const QString kOutroNome = QStringLiteral("Deseja salvar o arquivo com outro nome?");
const QString kSalvo = QStringLiteral("Arquivo Salvo com Sucesso!");
const QString kPermissao = QStringLiteral("Erro de permissão ao arquivo!");
const QString kCancelado = QStringLiteral("Operação cancelada pelo usuário");
const QString kCancela = QStringLiteral("<cancela>");

const QByteArray kDocumento = "%PDF-1.4 documento capturado";
const QByteArray kAntigo = "conteudo antigo";

QByteArray le(const QString &caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ausente>");
}

} // namespace

Q_DECLARE_METATYPE(QList<plataforma::Resposta>)

class TstSalvar : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fluxo_data();
    void fluxo();
    void dialogoDoSalvar();
    void salvarSemSubstituir();
};

void TstSalvar::fluxo_data()
{
    // {d} is a fresh folder, {e} an existing file, {f} a regular file (never a folder).
    QTest::addColumn<QStringList>("escolhas");        // what the dialog returns, in order
    QTest::addColumn<QList<Resposta>>("respostas");   // answers to the questions, in order
    QTest::addColumn<QStringList>("caixas");          // every box shown, in order
    QTest::addColumn<QString>("salvoEm");             // file that must hold the document, or empty
    QTest::addColumn<bool>("salvo");

    QTest::newRow("novo") << QStringList{"{d}/Balanço.pdf"} << QList<Resposta>{}
                          << QStringList{kSalvo} << "{d}/Balanço.pdf" << true;
    QTest::newRow("sem extensao") << QStringList{"{d}/balanco"} << QList<Resposta>{}
                                  << QStringList{kSalvo} << "{d}/balanco" << true;
    QTest::newRow("substitui") << QStringList{"{e}"} << QList<Resposta>{Resposta::Sim}
                               << QStringList{kExiste, kSalvo} << "{e}" << true;
    QTest::newRow("nao substitui, nao salva") << QStringList{"{e}"} << QList<Resposta>{Resposta::Nao, Resposta::Nao}
                                              << QStringList{kExiste, kOutroNome} << QString() << false;
    QTest::newRow("nao substitui, outro nome")
        << QStringList{"{e}", "{d}/outro.pdf"} << QList<Resposta>{Resposta::Nao, Resposta::Sim}
        << QStringList{kExiste, kOutroNome, kSalvo} << "{d}/outro.pdf" << true;
    QTest::newRow("cancelado") << QStringList{kCancela} << QList<Resposta>{}
                               << QStringList{kCancelado} << QString() << false;
    QTest::newRow("outro nome e cancela")
        << QStringList{"{e}", kCancela} << QList<Resposta>{Resposta::Nao, Resposta::Sim}
        << QStringList{kExiste, kOutroNome, kCancelado} << QString() << false;
    QTest::newRow("nome vazio, desiste") << QStringList{QString()} << QList<Resposta>{Resposta::Sim}
                                         << QStringList{kVazio} << QString() << false;
    QTest::newRow("nome vazio, tenta de novo")
        << QStringList{QString(), "{d}/novo.pdf"} << QList<Resposta>{Resposta::Nao}
        << QStringList{kVazio, kSalvo} << "{d}/novo.pdf" << true;
    QTest::newRow("pasta sob arquivo") << QStringList{"{f}/x.pdf"} << QList<Resposta>{}
                                       << QStringList{kPermissao} << QString() << false;
    QTest::newRow("pasta como destino") << QStringList{"{d}"} << QList<Resposta>{}
                                        << QStringList{kPermissao} << QString() << false;
}

void TstSalvar::fluxo()
{
    QFETCH(QStringList, escolhas);
    QFETCH(QList<Resposta>, respostas);
    QFETCH(QStringList, caixas);
    QFETCH(QString, salvoEm);
    QFETCH(bool, salvo);

    TestHome home;
    const QString pasta = home.raiz() + QStringLiteral("/destino");
    QVERIFY(QDir().mkpath(pasta));
    const QString existente = home.criaArquivo(QStringLiteral("destino/existente.pdf"), kAntigo);
    const QString arquivoComum = home.criaArquivo(QStringLiteral("comum.txt"), "texto");
    const auto expande = [&](QString t) {
        return t.replace(QStringLiteral("{d}"), pasta).replace(QStringLiteral("{e}"), existente)
                .replace(QStringLiteral("{f}"), arquivoComum);
    };
    for (const QString &e : escolhas) {
        if (e == kCancela)
            home.ui.cancelaSalvar();
        else
            home.ui.salvarComo(expande(e));
    }
    for (Resposta r : respostas)
        home.ui.responde(r);
    home.ui.aceitaAvisos(true);

    auto s = home.servicos();
    classAmbiente amb(s);
    QVERIFY(amb.Inicia(false, home.criaArquivo(QStringLiteral("spool/job.pdf"), kDocumento)));
    ModFuncs(s).SalvarComo(amb, QString());

    QCOMPARE(home.ui.textos(), caixas);
    QVERIFY(home.ui.inesperadas.isEmpty());
    QVERIFY(!home.ui.respostasPendentes());
    QCOMPARE(home.ui.dialogosSalvar.size(), escolhas.size());
    QCOMPARE(amb.Salvo(), salvo);
    if (!salvoEm.isEmpty())
        QCOMPARE(le(expande(salvoEm)), kDocumento);
    if (salvoEm != QStringLiteral("{e}"))
        QCOMPARE(le(existente), kAntigo);

    for (const auto &r : home.ui.caixas) {
        const Caixa &c = r.caixa;
        QCOMPARE(c.titulo, QStringLiteral("Vorlin Printer"));
        QVERIFY(!c.direitaParaEsquerda);
        if (c.texto == kVazio || c.texto == kExiste || c.texto == kOutroNome) {
            QCOMPARE(c.icone, Icone::Pergunta);
            QCOMPARE(c.botoes, Botoes::SimNao);
        } else {
            QCOMPARE(c.botoes, Botoes::Ok);
            QCOMPARE(c.icone, c.texto == kPermissao ? Icone::Exclamacao : Icone::Informacao);
        }
    }
}

void TstSalvar::dialogoDoSalvar()
{
    TestHome home;
    home.ui.cancelaSalvar();
    home.ui.aceitaAvisos(true);
    auto s = home.servicos();
    classAmbiente amb(s);
    QVERIFY(amb.Inicia(false, home.criaArquivo(QStringLiteral("job.pdf"))));
    ModFuncs(s).SalvarComo(amb, QStringLiteral("Proposto"));
    QCOMPARE(home.ui.dialogosSalvar.size(), 1);
    const DialogoSalvar &d = home.ui.dialogosSalvar.first();
    QCOMPARE(d.titulo, QStringLiteral("Vorlin Printer - Salvar PDF gerado como"));
    QCOMPARE(d.filtro, QStringLiteral("Arquivos Adobe PDF|*.pdf"));
    QCOMPARE(d.nomeProposto, QStringLiteral("Proposto"));
}

void TstSalvar::salvarSemSubstituir()
{
    TestHome home;
    const QString existente = home.criaArquivo(QStringLiteral("existente.pdf"), kAntigo);
    auto s = home.servicos();
    classAmbiente amb(s);
    QVERIFY(amb.Inicia(false, home.criaArquivo(QStringLiteral("job.pdf"), kDocumento)));
    QVERIFY(!amb.SalvarPDF(existente, false));
    QVERIFY(!amb.Salvo());
    QCOMPARE(le(existente), kAntigo);
    QVERIFY(amb.SalvarPDF(existente, true));
    QVERIFY(amb.Salvo());
    QCOMPARE(le(existente), kDocumento);
}

QTEST_GUILESS_MAIN(TstSalvar)
#include "tst_salvar.moc"
