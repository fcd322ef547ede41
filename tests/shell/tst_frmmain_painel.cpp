// The main window's portal commands against scripted portal replies: the storage text and its
// rounding, the tips, "Enviar" up to the storage check, and "Consultar".
#include "tst_frmmain_bancada.h"
#include "platform/Ansi.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <utility>

using plataforma::Botoes;
using plataforma::Icone;
using plataforma::Resposta;

namespace {

using Rotas = QList<std::pair<QByteArray, QByteArray>>;   // part of the address -> reply

const QByteArray kSincronizaVazio = "Vorlin Printer|*+4|*+5|*+6";
const QString kExcedido = QStringLiteral(
    "O espaço para envio de arquivos foi excedido!\r\nOpções possíveis:\r\n\tContrate mais espaço;\r\n"
    "\tFazer Backup e Limpar arquivos do site;\r\n\tSimplesmente apagar os arquivos do site.");

void rotas(FrmMainBancada &b, const Rotas &r)
{
    b.home.http.resposta = [r](const QByteArray &url) {
        for (const auto &[parte, resposta] : r) {
            if (url.contains(parte))
                return resposta;
        }
        return QByteArray();
    };
}

QByteArray espaco(qint64 total, qint64 usado)
{
    return "Vorlin Printer;" + QByteArray::number(total) + ';' + QByteArray::number(usado);
}

bool pediu(const FrmMainBancada &b, const char *parte)
{
    for (const QByteArray &u : b.home.http.urls) {
        if (u.contains(parte))
            return true;
    }
    return false;
}

QString esperadoEspaco(const QString &total, const QString &usado, const QString &disponivel, const QString &arquivo)
{
    return QStringLiteral("\r\nTotal: %1 Kbytes \r\nUtilizado: %2 Kbytes \r\nDisponível: %3 Kbytes \r\n"
                          "Arquivo Atual: %4 Kbytes ")
        .arg(total, usado, disponivel, arquivo);
}

QString textoDica(const FrmMainBancada &b)
{
    return b.controle<QLabel>(QStringLiteral("iblDicaTexto"))->text();
}

void aciona(FrmMainBancada &b, const QString &gatilho)
{
    if (gatilho.startsWith(QLatin1String("key"))) {
        for (QAction *a : b.controle<QToolBar>(QStringLiteral("tbBotoes"))->actions()) {
            if (a->data().toString() == gatilho)
                a->trigger();
        }
        return;
    }
    b.controle<QToolButton>(gatilho)->click();
}

} // namespace

class TstFrmMainPainel : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void textoEspaco_data();
    void textoEspaco();
    void espacoSemDocumento();
    void enviar_data();
    void enviar();
    void sincronizaSoNoEnviar_data();
    void sincronizaSoNoEnviar();
    void dica_data();
    void dica();
    void painelSoAtivo_data();
    void painelSoAtivo();
    void consultar_data();
    void consultar();
};

void TstFrmMainPainel::textoEspaco_data()
{
    QTest::addColumn<QByteArray>("resposta");
    QTest::addColumn<qint64>("tamanho");   // of the document
    QTest::addColumn<QString>("esperado");
    QTest::addColumn<bool>("disponivel");
    QTest::newRow("1 MiB, metade usada") << espaco(1048576, 524288) << qint64(2048)
                                         << esperadoEspaco("1024", "512", "512", "2") << true;
    QTest::newRow("empates vao ao par") << espaco(256, 0) << qint64(768)
                                        << esperadoEspaco("0,2", "0", "0,2", "0,8") << true;
    QTest::newRow("uma casa, sem zero") << espaco(12288, 1536) << qint64(1127)
                                        << esperadoEspaco("12", "1,5", "10,5", "1,1") << true;
    QTest::newRow("cheio") << espaco(2048, 2048) << qint64(0) << esperadoEspaco("2", "2", "0", "0") << false;
    QTest::newRow("usado passa do total") << espaco(1024, 2048) << qint64(100)
                                          << esperadoEspaco("1", "2", "-1", "0,1") << false;
    QTest::newRow("acima de 32 bits") << espaco(5497558138880, 2147483648) << qint64(3221225984)
                                      << esperadoEspaco("5368709120", "2097152", "5366611968", "3145728,5") << true;
    QTest::newRow("resposta sem marcador") << QByteArray("1\r\nSessão expirada") << qint64(1024)
                                           << esperadoEspaco("0", "0", "0", "1") << false;
}

void TstFrmMainPainel::textoEspaco()
{
    QFETCH(QByteArray, resposta);
    QFETCH(qint64, tamanho);
    QFETCH(QString, esperado);
    QFETCH(bool, disponivel);
    FrmMainBancada b;
    b.carrega();
    frmMain &w = *b.janela;
    {
        QFile documento(b.documento);   // sparse: the size is what counts
        QVERIFY(documento.resize(tamanho));
    }
    b.amb().InternetOk = true;
    rotas(b, {{"printer/espaco_b.asp", resposta}});

    FrmMainBancada::clica(b.controle(QStringLiteral("picEspaco")));
    QVERIFY(pediu(b, "printer/espaco_b.asp?s=77&l=5"));
    QCOMPARE(w.AjudaAtual, 10);
    QCOMPARE(b.controle<QLabel>(QStringLiteral("iblDicaTitulo"))->text(), QStringLiteral("Espaços no Vorlin"));
    QCOMPARE(textoDica(b), esperado);
    QCOMPARE(w.Ajuda[10].texto, esperado);

    bool flag = !disponivel;
    QCOMPARE(w.fuTextoEspaco(flag), esperado);
    QCOMPARE(flag, disponivel);
    QVERIFY(b.home.ui.caixas.isEmpty());
}

void TstFrmMainPainel::espacoSemDocumento()
{
    // The document is gone: the failure is reported and the storage text comes out empty.
    FrmMainBancada b;
    b.carrega();
    b.amb().InternetOk = true;
    rotas(b, {{"printer/espaco_b.asp", espaco(2048, 0)}});
    QVERIFY(QFile::remove(b.documento));
    b.home.ui.responde(Resposta::Ok);

    FrmMainBancada::clica(b.controle(QStringLiteral("picEspaco")));
    QVERIFY(b.relatado(QStringLiteral("fuTextoEspaco")));
    QCOMPARE(b.janela->Ajuda[10].texto, QString());
    QCOMPARE(textoDica(b), QString());
    QCOMPARE(b.controle<QLabel>(QStringLiteral("iblDicaTitulo"))->text(), QStringLiteral("Espaços no Vorlin"));
    QVERIFY(b.home.ui.inesperadas.isEmpty());
}

void TstFrmMainPainel::enviar_data()
{
    QTest::addColumn<QByteArray>("sincroniza");
    QTest::addColumn<bool>("internet");
    QTest::addColumn<QByteArray>("espaco");
    QTest::addColumn<bool>("modoDebug");
    QTest::addColumn<QString>("aviso");    // the one box shown, if any ({erro}: the environment's Erro)
    QTest::addColumn<bool>("verificou");   // the storage check ran
    QTest::addColumn<bool>("publica");     // the publication dialog was reached
    QTest::newRow("com espaco") << kSincronizaVazio << true << espaco(2048, 1024) << false << QString() << true << true;
    QTest::newRow("sem espaco") << kSincronizaVazio << true << espaco(2048, 2048) << false << kExcedido << true << false;
    QTest::newRow("sem espaco, depuracao") << kSincronizaVazio << true << espaco(2048, 2048) << true << kExcedido
                                           << true << true;
    QTest::newRow("sem internet") << kSincronizaVazio << false << espaco(2048, 0) << false << kExcedido << true
                                  << false;
    QTest::newRow("sincronizacao sem resposta") << QByteArray() << true << espaco(2048, 0) << false
                                                << QStringLiteral("{erro}") << false << false;
    QTest::newRow("sincronizacao recusada") << QByteArray("0\r\nSessão inválida!") << true << espaco(2048, 0)
                                            << false << QStringLiteral("{erro}") << false << false;
}

void TstFrmMainPainel::enviar()
{
    QFETCH(QByteArray, sincroniza);
    QFETCH(bool, internet);
    QFETCH(QByteArray, espaco);
    QFETCH(bool, modoDebug);
    QFETCH(QString, aviso);
    QFETCH(bool, verificou);
    QFETCH(bool, publica);
    FrmMainBancada b;
    b.carrega();
    frmMain &w = *b.janela;
    b.amb().InternetOk = internet;
    w.ModoDebug = modoDebug;
    rotas(b, {{"printer/sincroniza.asp?s=77&l=5&c=1", sincroniza}, {"printer/espaco_b.asp", espaco}});
    if (!aviso.isEmpty())
        b.home.ui.responde(Resposta::Ok);
    w.MostraAjuda(6);

    b.controle<QToolButton>(QStringLiteral("cmdEnviar"))->click();
    QVERIFY(pediu(b, "printer/sincroniza.asp"));
    QCOMPARE(pediu(b, "printer/espaco_b.asp"), verificou && internet);
    QCOMPARE(b.publicacoesAbertas, publica ? 1 : 0);
    QVERIFY(b.home.ui.inesperadas.isEmpty());
    QVERIFY(!b.home.ui.respostasPendentes());
    if (aviso.isEmpty()) {
        QVERIFY(b.home.ui.caixas.isEmpty());
    } else {
        const plataforma::Caixa &caixa = b.home.ui.caixas.last().caixa;
        if (aviso == QLatin1String("{erro}")) {
            QVERIFY(caixa.texto.endsWith(QStringLiteral("\r\nErro durante sincronização!")));
            QCOMPARE(caixa.texto, b.amb().Erro());
        } else {
            QCOMPARE(caixa.texto, aviso);
        }
        QCOMPARE(caixa.icone, Icone::Informacao);
        QCOMPARE(caixa.botoes, Botoes::Ok);
        QCOMPARE(caixa.titulo, QStringLiteral("Vorlin Printer"));
    }
    if (!verificou) {
        // a failed synchronisation does nothing else
        QVERIFY(b.home.ui.esperas.isEmpty());
        QCOMPARE(w.AjudaAtual, 6);
        return;
    }
    // the hint area waited, then kept the storage figures
    QCOMPARE(b.home.ui.esperas, (QList<int>{700, 800}));
    QCOMPARE(w.AjudaAtual, 10);
    QCOMPARE(b.controle<QLabel>(QStringLiteral("iblDicaTitulo"))->text(), QStringLiteral("Espaços no Vorlin"));
    QVERIFY(textoDica(b).startsWith(QStringLiteral("\r\nTotal: ")));
    QCOMPARE(textoDica(b), w.Ajuda[10].texto);
}

void TstFrmMainPainel::sincronizaSoNoEnviar_data()
{
    QTest::addColumn<QString>("gatilho");
    QTest::addColumn<bool>("sincroniza");
    QTest::newRow("Enviar") << QStringLiteral("cmdEnviar") << true;
    QTest::newRow("Salva Envia") << QStringLiteral("cmdSalvaEnvia") << false;
    QTest::newRow("keyEnviar") << QStringLiteral("keyEnviar") << false;
    QTest::newRow("keySalvaEnvia") << QStringLiteral("keySalvaEnvia") << false;
}

void TstFrmMainPainel::sincronizaSoNoEnviar()
{
    QFETCH(QString, gatilho);
    QFETCH(bool, sincroniza);
    FrmMainBancada b;
    b.carrega();
    b.amb().InternetOk = true;
    rotas(b, {{"printer/sincroniza.asp", kSincronizaVazio}, {"printer/espaco_b.asp", espaco(4096, 0)}});
    const bool salva = gatilho.contains(QLatin1String("Salva"));
    if (salva)
        b.home.ui.salvarComo(b.home.raiz() + QStringLiteral("/copia.pdf"));
    b.home.ui.aceitaAvisos(true);

    aciona(b, gatilho);
    QCOMPARE(pediu(b, "printer/sincroniza.asp"), sincroniza);
    QVERIFY(pediu(b, "printer/espaco_b.asp"));
    QCOMPARE(b.amb().Salvo(), salva);
    QCOMPARE(b.publicacoesAbertas, 1);
    QVERIFY(b.home.ui.inesperadas.isEmpty());
}

void TstFrmMainPainel::dica_data()
{
    QTest::addColumn<bool>("clique");   // else the mouse passes over it
    QTest::addColumn<QByteArray>("resposta");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("texto");
    QTest::newRow("clique") << true << QByteArray("3-*=Backup-*=Faça backup.") << QStringLiteral("Backup")
                            << QStringLiteral("\r\nFaça backup.");
    QTest::newRow("passagem") << false << QByteArray("3-*=Backup-*=Faça backup.") << QStringLiteral("Backup")
                              << QStringLiteral("\r\nFaça backup.");
    QTest::newRow("portal sem dica") << true << QByteArray() << QStringLiteral("Dica em manutenção")
                                     << QStringLiteral("Neste momento não é possível recuperar uma dica.");
}

void TstFrmMainPainel::dica()
{
    QFETCH(bool, clique);
    QFETCH(QByteArray, resposta);
    QFETCH(QString, titulo);
    QFETCH(QString, texto);
    FrmMainBancada b;
    b.carrega();
    frmMain &w = *b.janela;
    b.amb().InternetOk = true;
    rotas(b, {{"printer/dicas_b.asp", plataforma::paraAnsi(QString::fromUtf8(resposta))}});
    QWidget *pic = b.controle(QStringLiteral("picDica"));

    if (clique)
        FrmMainBancada::clica(pic);
    else
        FrmMainBancada::passaMouse(pic);
    QVERIFY(pediu(b, "printer/dicas_b.asp?s=77&l=5&ordem="));
    QCOMPARE(w.AjudaAtual, 9);
    QCOMPARE(w.Ajuda[9].titulo, titulo);
    QCOMPARE(w.Ajuda[9].texto, texto);
    QCOMPARE(b.controle<QLabel>(QStringLiteral("iblDicaTitulo"))->text(), titulo);
    QCOMPARE(textoDica(b), texto);
    QVERIFY(b.home.ui.caixas.isEmpty());
}

void TstFrmMainPainel::painelSoAtivo_data()
{
    QTest::addColumn<QString>("controle");
    QTest::addColumn<bool>("clique");
    QTest::newRow("clique no espaco") << QStringLiteral("picEspaco") << true;
    QTest::newRow("clique na dica") << QStringLiteral("picDica") << true;
    QTest::newRow("passagem na dica") << QStringLiteral("picDica") << false;
}

void TstFrmMainPainel::painelSoAtivo()
{
    // After "Cancelar" the side panel asks the portal nothing.
    QFETCH(QString, controle);
    QFETCH(bool, clique);
    FrmMainBancada b;
    b.carrega();
    frmMain &w = *b.janela;
    b.amb().InternetOk = true;
    b.controle<QToolButton>(QStringLiteral("cmdCancela"))->click();
    w.MostraAjuda(6);
    b.home.http.urls.clear();

    if (clique)
        FrmMainBancada::clica(b.controle(controle));
    else
        FrmMainBancada::passaMouse(b.controle(controle));
    QVERIFY(b.home.http.urls.isEmpty());
    QCOMPARE(w.AjudaAtual, 6);
    QCOMPARE(textoDica(b), w.Ajuda[6].texto);
}

void TstFrmMainPainel::consultar_data()
{
    QTest::addColumn<QString>("urlBase");
    QTest::addColumn<int>("escritorio");
    QTest::addColumn<int>("admin");
    QTest::addColumn<bool>("abre");   // the browser starts
    QTest::addColumn<QString>("endereco");
    QTest::newRow("padrao") << QString() << 12 << 0 << true
                            << QStringLiteral("http://127.0.0.1:8765/printer/relatorio.asp?asp_contador=12&asp_id_admin=0");
    QTest::newRow("outro portal, administrador")
        << QStringLiteral("https://portal.exemplo.com.br/vorlin/") << 7 << 1 << true
        << QStringLiteral("https://portal.exemplo.com.br/vorlin/printer/relatorio.asp?asp_contador=7&asp_id_admin=1");
    QTest::newRow("navegador nao abre") << QString() << 12 << 0 << false
                                        << QStringLiteral("http://127.0.0.1:8765/printer/relatorio.asp?asp_contador=12&asp_id_admin=0");
}

void TstFrmMainPainel::consultar()
{
    QFETCH(QString, urlBase);
    QFETCH(int, escritorio);
    QFETCH(int, admin);
    QFETCH(bool, abre);
    QFETCH(QString, endereco);
    FrmMainBancada b;
    if (!urlBase.isEmpty())
        b.home.config->grava(QStringLiteral("Config"), QStringLiteral("URLBase"), urlBase);
    b.carrega();
    b.amb().lngID_Contador = escritorio;
    b.amb().lngAdmin = admin;
    b.home.ui.abrirFunciona = abre;
    if (!abre)
        b.home.ui.responde(Resposta::Ok);
    QSignalSpy fim(b.janela.get(), &frmMain::encerrado);

    b.controle<QToolButton>(QStringLiteral("cmdConsulta"))->click();
    QCOMPARE(b.home.ui.enderecosAbertos, QStringList{endereco});
    QVERIFY(b.home.ui.processos.isEmpty());
    QVERIFY(b.home.http.urls.isEmpty());
    QCOMPARE(b.relatado(QStringLiteral("cmdConsulta_Click")), !abre);
    QVERIFY(b.home.ui.inesperadas.isEmpty());
    // a browser that does not start leaves the program as it was
    b.janela->Sair();
    QVERIFY(fim.isEmpty());
    QVERIFY(b.janela->isVisible());
    QVERIFY(b.janela->Ativo);
}

QTEST_MAIN(TstFrmMainPainel)
#include "tst_frmmain_painel.moc"
