// The main window: its controls, the load sequence with the command-line rule, the local commands,
// the exit check, the closing sequence, the size guard and the Esc key.
#include "tst_frmmain_bancada.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QSignalSpy>
#include <QEventLoop>
#include <QTimer>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

using plataforma::Botoes;
using plataforma::Icone;
using plataforma::Resposta;

namespace {

const QString kNaTransferencia = QStringLiteral("Erro na transferência da Impressão!");
const QString kNoAcesso = QStringLiteral("Erro no acesso da Impressão!");
const QString kSemServico = QStringLiteral("Não foi possível iniciar o serviço de impressão de PDF!\r\n"
                                           "O programa esta sendo encerrado!");

QByteArray conteudo(const QString &caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ausente>");
}

// A window that writes down when it is asked to close, and may refuse.
class JanelaRegistradora : public QWidget {
public:
    JanelaRegistradora(const QString &nome, QStringList &ordem, bool recusa) : m_ordem(ordem), m_recusa(recusa)
    {
        setObjectName(nome);
    }

protected:
    void closeEvent(QCloseEvent *e) override
    {
        m_ordem << objectName();
        if (m_recusa)
            e->ignore();
        else
            e->accept();
    }

private:
    QStringList &m_ordem;
    bool m_recusa;
};

} // namespace

class TstFrmMain : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void controlesDeDesenho();
    void controlesAposCarga();
    void linhaDeComando_data();
    void linhaDeComando();
    void inicioSemDocumentoFechaNaPrimeiraVerificacao();
    void legendaESessao();
    void sair_data();
    void sair();
    void cancelarPerguntaAoFechar();
    void naoAoSairMantemAtiva_data();
    void naoAoSairMantemAtiva();
    void salvoFechaSemPergunta();
    void janelaEscondidaQueFicaAparece();
    void logOffAoSair();
    void fechaOutrasJanelas_data();
    void fechaOutrasJanelas();
    void fimDaExecucaoAposCaptura();
    void fecharDuranteJanelaModalEsperaOLaco();
    void visualizarNumeraCopias();
    void visualizarComTitulo();
    void visualizarSemDocumentoAindaAbre();
    void barraDeFerramentasPorChave();
    void tamanho_data();
    void tamanho();
};

void TstFrmMain::controlesDeDesenho()
{
    FrmMainBancada b;
    frmMain &w = *b.janela;
    QCOMPARE(w.windowTitle(), QStringLiteral("Vorlin Printer"));
    QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));

    auto *empresa = b.controle<QLabel>(QStringLiteral("IblEmpresa"));
    QVERIFY(empresa);
    QCOMPARE(empresa->text(), QStringLiteral("Empresa"));
    QVERIFY(empresa->font().bold());
    auto *titulo = b.controle<QLabel>(QStringLiteral("iblDicaTitulo"));
    QVERIFY(titulo);
    QCOMPARE(titulo->text(), QStringLiteral("Título da Dica"));
    QVERIFY(titulo->alignment() & Qt::AlignHCenter);
    auto *texto = b.controle<QLabel>(QStringLiteral("iblDicaTexto"));
    QVERIFY(texto);
    QVERIFY(texto->text().isEmpty());
    QVERIFY(b.controle(QStringLiteral("imgPDF")));

    auto *chk = b.controle<QCheckBox>(QStringLiteral("chkLogOff"));
    QVERIFY(chk);
    QCOMPARE(chk->text(), QStringLiteral("Fazer Logoff ao sair"));
    QVERIFY(chk->isHidden());

    QTimer *t = b.tmrSair();
    QVERIFY(t);
    QCOMPARE(t->interval(), 3000);
    QVERIFY(!t->isActive());
}

void TstFrmMain::controlesAposCarga()
{
    FrmMainBancada b;
    b.carrega();
    QVERIFY(b.home.ui.inesperadas.isEmpty());
    QVERIFY(b.timerLigado);
    QVERIFY(b.janela->Ativo);

    // the frame of picture buttons, left to right
    auto *fraBotoes = b.controle<QFrame>(QStringLiteral("fraBotoes"));
    QVERIFY(fraBotoes);
    QVERIFY(fraBotoes->isVisible());
    const QList<QPair<QString, QString>> botoes = {
        {QStringLiteral("cmdGerar"), QStringLiteral("Gerar PDF")},
        {QStringLiteral("cmdEnviar"), QStringLiteral("Enviar")},
        {QStringLiteral("cmdSalvaEnvia"), QStringLiteral("Salva Envia")},
        {QStringLiteral("cmdVisualiza"), QStringLiteral("Visualizar")},
        {QStringLiteral("cmdConsulta"), QStringLiteral("Consultar")},
        {QStringLiteral("cmdCancela"), QStringLiteral("Cancelar")},
    };
    int x = -1;
    for (const auto &[nome, legenda] : botoes) {
        auto *botao = b.controle<QToolButton>(nome);
        QVERIFY2(botao, qPrintable(nome));
        QCOMPARE(botao->text(), legenda);
        QCOMPARE(botao->parentWidget(), fraBotoes);
        QVERIFY(botao->isVisible());
        QVERIFY2(botao->x() > x, qPrintable(nome));
        x = botao->x();
    }

    // the picture side panel
    auto *fraLatNor = b.controle<QFrame>(QStringLiteral("fraLatNor"));
    QVERIFY(fraLatNor);
    QVERIFY(fraLatNor->isVisible());
    for (const char *nome : {"picEspaco", "picInternet", "picDica"}) {
        QWidget *p = b.controle(QString::fromLatin1(nome));
        QVERIFY2(p && p->isVisible() && p->parentWidget() == fraLatNor, nome);
    }

    // the toolbar variants exist with their keys and stay hidden
    auto *tbBotoes = b.controle<QToolBar>(QStringLiteral("tbBotoes"));
    QVERIFY(tbBotoes);
    QVERIFY(tbBotoes->isHidden());
    QList<QPair<QString, QString>> teclas;
    for (QAction *a : tbBotoes->actions())
        teclas.append({a->data().toString(), a->text()});
    const QList<QPair<QString, QString>> esperadas = {
        {QStringLiteral("keySalvar"), QStringLiteral("Gerar PDF")},
        {QStringLiteral("keyEnviar"), QStringLiteral("Enviar ")},
        {QStringLiteral("keySalvaEnvia"), QStringLiteral("Salvar e Enviar")},
        {QStringLiteral("keyVizualizar"), QStringLiteral("Visualizar")},
        {QStringLiteral("keyRelatorio"), QStringLiteral("Consultar")},
        {QStringLiteral("keyCancelar"), QStringLiteral("Cancelar")},
    };
    QCOMPARE(teclas, esperadas);
    auto *fraLatEsp = b.controle<QFrame>(QStringLiteral("fraLatEsp"));
    QVERIFY(fraLatEsp);
    QVERIFY(fraLatEsp->isHidden());
    for (const char *nome : {"tbEspaco", "tbInternet", "tbDica"}) {
        auto *tb = b.controle<QToolBar>(QString::fromLatin1(nome));
        QVERIFY2(tb && tb->parentWidget() == fraLatEsp, nome);
    }
}

void TstFrmMain::linhaDeComando_data()
{
    QTest::addColumn<QString>("linha");   // {d}: the delivered document, whose name has a space
    QTest::addColumn<bool>("aceito");
    QTest::addColumn<bool>("relatado");   // the option could not be dropped
    QTest::addColumn<QString>("erro");
    QTest::newRow("so o caminho") << QStringLiteral("{d}") << true << false << QString();
    QTest::newRow("espacos em volta") << QStringLiteral("   {d}  ") << true << false << QString();
    QTest::newRow("opcao e caminho") << QStringLiteral("-p {d}") << true << false << QString();
    QTest::newRow("opcao e caminho com espacos") << QStringLiteral("  -p {d} ") << true << false << QString();
    QTest::newRow("vazia") << QString() << false << false << kNaTransferencia;
    QTest::newRow("so espacos") << QStringLiteral("    ") << false << false << kNaTransferencia;
    QTest::newRow("tres caracteres") << QStringLiteral("---") << false << false << kNaTransferencia;
    QTest::newRow("opcao sem caminho") << QStringLiteral("-p ") << false << true << kNoAcesso;
    QTest::newRow("hifen") << QStringLiteral("-") << false << true << kNoAcesso;
    QTest::newRow("hifen e letra") << QStringLiteral("-a") << false << true << kNoAcesso;
    QTest::newRow("caminho inexistente") << QStringLiteral("{d}.nao") << false << false << kNoAcesso;
}

void TstFrmMain::linhaDeComando()
{
    QFETCH(QString, linha);
    QFETCH(bool, aceito);
    QFETCH(bool, relatado);
    QFETCH(QString, erro);
    FrmMainBancada b;
    if (relatado)
        b.home.ui.responde(Resposta::Ok);
    if (!aceito)
        b.home.ui.responde(Resposta::Ok).responde(Resposta::Ok);   // the error, then no session
    b.carrega(QString(linha).replace(QStringLiteral("{d}"), b.documento));

    QVERIFY(b.splashMostrado);
    QVERIFY(b.home.ui.inesperadas.isEmpty());
    QVERIFY(!b.home.ui.respostasPendentes());
    QCOMPARE(b.relatado(QStringLiteral("Form_Load")), relatado);
    QCOMPARE(b.janela->FecharAgora, !aceito);
    QCOMPARE(b.janela->isVisible(), aceito);
    QVERIFY(b.timerLigado);
    // the login check runs whether or not the document was accepted
    QCOMPARE(b.loginsAbertos, 1);
    if (aceito) {
        QCOMPARE(b.amb().arquivo(), b.documento);
        return;
    }
    const auto &falha = b.home.ui.caixas.at(relatado ? 1 : 0).caixa;
    QCOMPARE(falha.texto, erro);
    QCOMPARE(falha.icone, Icone::Erro);
    QCOMPARE(falha.titulo, QStringLiteral("Vorlin Printer"));
    QCOMPARE(falha.botoes, Botoes::Ok);
    // without a document no login can capture it: no session either
    QCOMPARE(b.home.ui.caixas.last().caixa.texto, kSemServico);
}

void TstFrmMain::inicioSemDocumentoFechaNaPrimeiraVerificacao()
{
    FrmMainBancada b;
    QSignalSpy fim(b.janela.get(), &frmMain::encerrado);
    b.home.ui.responde(Resposta::Ok).responde(Resposta::Ok);
    b.carrega(b.documento + QStringLiteral(".nao"));
    QVERIFY(!b.janela->isVisible());
    QVERIFY(b.janela->ambiente());
    QVERIFY(fim.isEmpty());

    b.janela->Sair();
    QVERIFY(!fim.isEmpty());
    QVERIFY(!b.janela->ambiente());
    QVERIFY(!b.perguntouSeSai());
    QVERIFY(b.home.ui.inesperadas.isEmpty());
    // the delivered file was not accepted, so nothing of it is touched
    QVERIFY(QFile::exists(b.documento));
}

void TstFrmMain::legendaESessao()
{
    FrmMainBancada b;
    b.carrega();
    auto *chk = b.controle<QCheckBox>(QStringLiteral("chkLogOff"));
    QCOMPARE(b.janela->windowTitle(), QStringLiteral("Vorlin Printer []"));
    QVERIFY(chk->isHidden());

    b.amb().Usuario = QStringLiteral("Maria");
    b.amb().Escritorio = QStringLiteral("Escritório Demonstração Ltda");
    b.amb().TLogin = 5;
    chk->setChecked(true);
    b.janela->MostraSessao();
    QCOMPARE(b.janela->windowTitle(), QStringLiteral("Vorlin Printer [Maria]"));
    QCOMPARE(b.controle<QLabel>(QStringLiteral("IblEmpresa"))->text(), QStringLiteral("Escritório Demonstração Ltda"));
    QVERIFY(!chk->isHidden());
    QVERIFY(!chk->isChecked());
}

void TstFrmMain::sair_data()
{
    QTest::addColumn<QString>("closeNow");
    QTest::addColumn<bool>("fecha");
    QTest::addColumn<bool>("relatado");
    QTest::newRow("1") << QStringLiteral("1") << true << false;
    QTest::newRow("1 com espacos") << QStringLiteral(" 1 ") << true << false;
    QTest::newRow("2") << QStringLiteral("2") << false << false;
    QTest::newRow("0") << QStringLiteral("0") << false << false;
    QTest::newRow("abc") << QStringLiteral("abc") << true << true;
    QTest::newRow("vazio") << QString() << true << true;
}

void TstFrmMain::sair()
{
    QFETCH(QString, closeNow);
    QFETCH(bool, fecha);
    QFETCH(bool, relatado);
    FrmMainBancada b;
    b.carrega();
    // the session ended meanwhile (another copy logged off)
    b.amb().LogOff();
    QSignalSpy fim(b.janela.get(), &frmMain::encerrado);
    b.janela->Sair();
    QVERIFY2(fim.isEmpty(), "no CloseNow written: the window stays");

    b.home.config->grava(QStringLiteral("Config"), QStringLiteral("CloseNow"), closeNow);
    if (relatado)
        b.home.ui.responde(Resposta::Ok);
    b.janela->Sair();
    QVERIFY(b.home.ui.inesperadas.isEmpty());
    QCOMPARE(b.relatado(QStringLiteral("Sair")), relatado);
    QCOMPARE(!fim.isEmpty(), fecha);
    QCOMPARE(b.janela->isVisible(), !fecha);
    QCOMPARE(b.janela->ambiente() == nullptr, fecha);
    // no session: closing on request asks nothing
    QVERIFY(!b.perguntouSeSai());
}

void TstFrmMain::cancelarPerguntaAoFechar()
{
    FrmMainBancada b;
    b.carrega();
    b.sessaoValida();
    QSignalSpy fim(b.janela.get(), &frmMain::encerrado);

    b.controle<QToolButton>(QStringLiteral("cmdCancela"))->click();
    QVERIFY(!b.janela->Ativo);
    QVERIFY(b.janela->FecharAgora);
    QVERIFY(b.janela->isVisible());
    QVERIFY(b.home.ui.caixas.isEmpty());

    // after "Cancelar" the commands are off
    b.controle<QToolButton>(QStringLiteral("cmdVisualiza"))->click();
    b.controle<QToolButton>(QStringLiteral("cmdGerar"))->click();
    QVERIFY(b.home.ui.documentosAbertos.isEmpty());
    QVERIFY(b.home.ui.dialogosSalvar.isEmpty());

    b.home.ui.responde(Resposta::Sim);
    b.janela->Sair();
    QVERIFY(b.home.ui.inesperadas.isEmpty());
    QCOMPARE(b.home.ui.textos(), QStringList{QStringLiteral("Deseja realmente sair?")});
    const auto &pergunta = b.home.ui.caixas.first().caixa;
    QCOMPARE(pergunta.texto, QStringLiteral("Deseja realmente sair?"));
    QCOMPARE(pergunta.icone, Icone::Pergunta);
    QCOMPARE(pergunta.botoes, Botoes::SimNao);
    QCOMPARE(pergunta.padrao, Resposta::Nao);
    QVERIFY(pergunta.titulo.isEmpty());
    QVERIFY(!fim.isEmpty());
    QVERIFY(!b.janela->isVisible());
    QVERIFY(!b.janela->ambiente());
}

void TstFrmMain::naoAoSairMantemAtiva_data()
{
    QTest::addColumn<QString>("gatilho");
    QTest::newRow("cancelar e verificacao") << QStringLiteral("cancelar");
    QTest::newRow("esc na janela") << QStringLiteral("esc");
    QTest::newRow("esc num botao") << QStringLiteral("esc botao");
    QTest::newRow("caixa de fechar") << QStringLiteral("fechar");
}

void TstFrmMain::naoAoSairMantemAtiva()
{
    QFETCH(QString, gatilho);
    FrmMainBancada b;
    b.carrega();
    b.sessaoValida();
    QSignalSpy fim(b.janela.get(), &frmMain::encerrado);
    const auto dispara = [&] {
        if (gatilho == QLatin1String("cancelar")) {
            b.controle<QToolButton>(QStringLiteral("cmdCancela"))->click();
            b.janela->Sair();
        } else if (gatilho == QLatin1String("esc")) {
            QTest::keyClick(b.janela.get(), Qt::Key_Escape);
        } else if (gatilho == QLatin1String("esc botao")) {
            QTest::keyClick(b.controle(QStringLiteral("cmdVisualiza")), Qt::Key_Escape);
        } else {
            b.janela->close();
        }
    };

    b.home.ui.responde(Resposta::Nao);
    dispara();
    QVERIFY(b.perguntouSeSai());
    QVERIFY(fim.isEmpty());
    QVERIFY(b.janela->Ativo);
    QVERIFY(!b.janela->FecharAgora);
    QVERIFY(b.janela->isVisible());
    QVERIFY(b.janela->ambiente());
    QVERIFY(QFile::exists(b.documento));

    // the commands work again, and the next exit check leaves the window alone
    b.controle<QToolButton>(QStringLiteral("cmdVisualiza"))->click();
    QCOMPARE(b.home.ui.documentosAbertos, QStringList{b.home.pastaPrograma() + QStringLiteral("temp/fileVRP0.pdf")});
    b.janela->Sair();
    QVERIFY(fim.isEmpty());

    b.home.ui.responde(Resposta::Sim);
    dispara();
    QVERIFY(!fim.isEmpty());
    QVERIFY(!b.janela->ambiente());
    QVERIFY(b.home.ui.inesperadas.isEmpty());
}

void TstFrmMain::salvoFechaSemPergunta()
{
    FrmMainBancada b;
    b.carrega();
    b.home.ui.aceitaAvisos(true);
    b.home.ui.salvarComo(b.home.raiz() + QStringLiteral("/copia.pdf"));
    b.controle<QToolButton>(QStringLiteral("cmdGerar"))->click();
    QVERIFY(b.amb().Salvo());

    QSignalSpy fim(b.janela.get(), &frmMain::encerrado);
    QTest::keyClick(b.janela.get(), Qt::Key_Escape);
    QVERIFY(!fim.isEmpty());
    QVERIFY(!b.perguntouSeSai());
    QVERIFY(b.home.ui.inesperadas.isEmpty());
}

void TstFrmMain::janelaEscondidaQueFicaAparece()
{
    // Start-up hides the window; with a valid session the closing question comes, and No must
    // not leave a program without a visible window.
    FrmMainBancada b;
    b.home.ui.responde(Resposta::Ok).responde(Resposta::Ok);
    b.carrega(b.documento + QStringLiteral(".nao"));
    QVERIFY(!b.janela->isVisible());
    b.sessaoValida();

    b.home.ui.responde(Resposta::Nao);
    b.janela->Sair();
    QVERIFY(b.perguntouSeSai());
    QVERIFY(b.janela->isVisible());
    QVERIFY(b.janela->Ativo);
    QVERIFY(!b.janela->FecharAgora);
    QVERIFY(b.home.ui.inesperadas.isEmpty());
}

void TstFrmMain::logOffAoSair()
{
    FrmMainBancada b;
    b.carrega();
    b.sessaoValida();
    b.amb().TLogin = 5;
    b.janela->MostraSessao();
    auto *chk = b.controle<QCheckBox>(QStringLiteral("chkLogOff"));
    QVERIFY(!chk->isHidden());
    chk->setChecked(true);

    b.home.ui.responde(Resposta::Sim);
    QTest::keyClick(b.janela.get(), Qt::Key_Escape);
    QVERIFY(!b.janela->ambiente());
    QCOMPARE(b.home.config->le(QStringLiteral("Autenticacao"), QStringLiteral("Sessao")), QStringLiteral("0"));
    QCOMPARE(b.home.config->le(QStringLiteral("Autenticacao"), QStringLiteral("Login_ID")), QStringLiteral("0"));
}

void TstFrmMain::fechaOutrasJanelas_data()
{
    QTest::addColumn<QString>("recusa");         // the window that refuses to close, if any
    QTest::addColumn<QStringList>("pedidos");    // close requests, in order
    QTest::addColumn<QStringList>("abertas");    // still open afterwards
    QTest::newRow("todas fecham") << QString() << QStringList{"C", "B", "A"} << QStringList{};
    QTest::newRow("a do meio recusa") << QStringLiteral("B") << QStringList{"C", "B"} << QStringList{"A", "B"};
}

void TstFrmMain::fechaOutrasJanelas()
{
    QFETCH(QString, recusa);
    QFETCH(QStringList, pedidos);
    QFETCH(QStringList, abertas);
    FrmMainBancada b;
    b.carrega();
    QStringList ordem;
    std::vector<std::unique_ptr<JanelaRegistradora>> outras;
    for (const QString &nome : {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")}) {
        outras.push_back(std::make_unique<JanelaRegistradora>(nome, ordem, nome == recusa));
        outras.back()->show();
    }

    b.home.config->grava(QStringLiteral("Config"), QStringLiteral("CloseNow"), QStringLiteral("1"));
    b.home.ui.responde(Resposta::Sim);
    b.janela->Sair();
    QVERIFY(!b.janela->ambiente());
    QCOMPARE(ordem, pedidos);
    QStringList visiveis;
    for (const auto &o : outras) {
        if (o->isVisible())
            visiveis << o->objectName();
    }
    QCOMPARE(visiveis, abertas);
}

void TstFrmMain::fimDaExecucaoAposCaptura()
{
    FrmMainBancada b;
    b.carrega();
    QVERIFY(b.amb().Captura(QString()));
    const QString copia = b.amb().arquivo();
    QVERIFY(copia.startsWith(b.home.pastaPrograma() + QStringLiteral("PROC")));
    QVERIFY(QFile::exists(copia));

    b.home.ui.responde(Resposta::Sim);
    QTest::keyClick(b.janela.get(), Qt::Key_Escape);
    QVERIFY(!b.janela->ambiente());
    QVERIFY(!QFile::exists(copia));
    QVERIFY(QFile::exists(b.documento));
    QVERIFY(b.home.ui.inesperadas.isEmpty());
}

// "CloseNow" read while a modal window runs its own loop (a transfer in the middle of a send):
// the environment object stays alive until that loop has returned to the main one.
void TstFrmMain::fecharDuranteJanelaModalEsperaOLaco()
{
    FrmMainBancada b;
    b.carrega();
    b.home.ui.responde(Resposta::Sim);
    b.home.config->grava(QStringLiteral("Config"), QStringLiteral("CloseNow"), QStringLiteral("1"));

    bool vivoNoLacoModal = false;
    bool encerrou = false;
    QObject::connect(b.janela.get(), &frmMain::encerrado, [&] { encerrou = true; });
    QEventLoop principal;
    QTimer::singleShot(0, &principal, [&] {
        QEventLoop modal;
        QTimer::singleShot(0, &modal, [&] {
            b.janela->Sair();
            vivoNoLacoModal = b.janela->ambiente() != nullptr;
            modal.quit();
        });
        modal.exec();
    });
    QTimer::singleShot(5000, &principal, &QEventLoop::quit);   // safety net only
    QObject::connect(b.janela.get(), &frmMain::encerrado, &principal, &QEventLoop::quit);
    principal.exec();

    QVERIFY(vivoNoLacoModal);
    QVERIFY(encerrou);
    QVERIFY(!b.janela->ambiente());
}

void TstFrmMain::visualizarNumeraCopias()
{
    FrmMainBancada b;
    b.carrega();
    auto *cmd = b.controle<QToolButton>(QStringLiteral("cmdVisualiza"));
    cmd->click();
    cmd->click();
    const QString temp = b.home.pastaPrograma() + QStringLiteral("temp/");
    const QStringList esperados = {temp + QStringLiteral("fileVRP0.pdf"), temp + QStringLiteral("fileVRP1.pdf")};
    QCOMPARE(b.home.ui.documentosAbertos, esperados);
    for (const QString &copia : esperados)
        QCOMPARE(conteudo(copia), conteudo(b.documento));
    QVERIFY(b.home.ui.caixas.isEmpty());
}

void TstFrmMain::visualizarComTitulo()
{
    FrmMainBancada b;
    b.carrega();
    b.amb().setTitulo(QStringLiteral("Balancete Fevereiro"));
    b.controle<QToolButton>(QStringLiteral("cmdVisualiza"))->click();
    b.controle<QToolButton>(QStringLiteral("cmdVisualiza"))->click();
    QString alvo = b.home.pastaPrograma() + QStringLiteral("temp/Balancete Fevereiro");
    if (!b.amb().Tipo().isEmpty())
        alvo += QLatin1Char('.') + b.amb().Tipo();
    // the same name both times: the second view overwrites the first copy
    QCOMPARE(b.home.ui.documentosAbertos, (QStringList{alvo, alvo}));
    QCOMPARE(conteudo(alvo), conteudo(b.documento));
    QVERIFY(b.home.ui.caixas.isEmpty());
}

void TstFrmMain::visualizarSemDocumentoAindaAbre()
{
    FrmMainBancada b;
    b.carrega();
    QVERIFY(QFile::remove(b.documento));
    b.home.ui.responde(Resposta::Ok);
    b.controle<QToolButton>(QStringLiteral("cmdVisualiza"))->click();
    QVERIFY(b.relatado(QStringLiteral("suVizualisar")));
    QCOMPARE(b.home.ui.documentosAbertos,
             QStringList{b.home.pastaPrograma() + QStringLiteral("temp/fileVRP0.pdf")});
    QVERIFY(b.home.ui.inesperadas.isEmpty());
}

void TstFrmMain::barraDeFerramentasPorChave()
{
    FrmMainBancada b;
    b.carrega();
    auto *tb = b.controle<QToolBar>(QStringLiteral("tbBotoes"));
    const auto aciona = [&](const char *chave) {
        for (QAction *a : tb->actions()) {
            if (a->data().toString() == QLatin1String(chave))
                a->trigger();
        }
    };
    aciona("keyVizualizar");
    QCOMPARE(b.home.ui.documentosAbertos, QStringList{b.home.pastaPrograma() + QStringLiteral("temp/fileVRP0.pdf")});
    b.home.ui.cancelaSalvar();
    b.home.ui.aceitaAvisos(true);
    aciona("keySalvar");
    QVERIFY(!b.home.ui.dialogosSalvar.isEmpty());
    QVERIFY(b.home.ui.textos().contains(QStringLiteral("Operação cancelada pelo usuário")));
    aciona("keyCancelar");
    QVERIFY(b.janela->FecharAgora);
    QVERIFY(!b.janela->Ativo);
    QVERIFY(b.home.ui.inesperadas.isEmpty());
}

void TstFrmMain::tamanho_data()
{
    QTest::addColumn<int>("estado");
    QTest::addColumn<bool>("restaura");
    QTest::newRow("normal") << int(Qt::WindowNoState) << true;
    QTest::newRow("maximizada") << int(Qt::WindowMaximized) << false;
}

void TstFrmMain::tamanho()
{
    QFETCH(int, estado);
    QFETCH(bool, restaura);
    FrmMainBancada b;
    b.carrega();
    frmMain &w = *b.janela;
    const QSize moldura = w.frameGeometry().size() - w.size();
    QCOMPARE(w.size() + moldura, frmMain::TamanhoExterno());
    QCOMPARE(frmMain::TamanhoExterno(), QSize(qRound(7615 / 15.0), qRound(7335 / 15.0)));

    // dragging the border in the normal state; maximising is a resize of its own
    if (estado == Qt::WindowNoState)
        w.resize(QSize(640, 360));
    else
        w.setWindowState(Qt::WindowStates(estado));
    QCoreApplication::processEvents();
    QCOMPARE(w.size() + moldura == frmMain::TamanhoExterno(), restaura);
}

QTEST_MAIN(TstFrmMain)
#include "tst_frmmain.moc"
