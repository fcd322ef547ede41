// The login window, headless: what it shows, the emptiness checks, logging in against scripted
// portal replies, the close check, "GERAR PDF", the "#" mask and the field limits.
#include "TestHome.h"
#include "platform/Ansi.h"
#include "portal/frmLogin.h"
#include "shell/ModFuncs.h"
#include "shell/classAmbiente.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFocusEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <memory>

using namespace plataforma;

namespace {

const QString kSistema = QStringLiteral("Vorlin Printer");
const QString kDominioVazio = QStringLiteral("O Domínio deve ser preenchido!");
const QString kLoginVazio = QStringLiteral("O Login deve ser preenchido!");
const QString kSenhaVazia = QStringLiteral("O Senha deve ser preenchido!");
const QString kNaoLogado = QStringLiteral("Você não esta Logado.\r\nDeseja realmente sair?");
const QString kSalvo = QStringLiteral("Arquivo Salvo com Sucesso!");
const QString kCancelado = QStringLiteral("Operação cancelada pelo usuário");

const QByteArray kDocumento = "%PDF-1.4 documento capturado\n%%EOF\n";

// A login reply as the portal sends it; the date must be the computer's (the fake clock's) day.
QByteArray respostaLogin(const QString &data = QStringLiteral("09/03/2011"), const QString &depuracao = QStringLiteral("0"))
{
    const QStringList linhas{kSistema, QStringLiteral("4711"), QString(), QStringLiteral("Maria Souza"),
                             QStringLiteral("127.0.0.1"), QStringLiteral("escritorio"), QStringLiteral("ftp-senha"),
                             QStringLiteral("Escritório Modelo"), QStringLiteral("15"), QStringLiteral("3"),
                             QStringLiteral("logo.png"), data, depuracao, QStringLiteral("H"), QStringLiteral("0")};
    return paraAnsi(linhas.join(QStringLiteral("\r\n")));
}

QByteArray respostaConfirmacao()
{
    return paraAnsi(QStringList{kSistema, QStringLiteral("09/03/2011"), QStringLiteral("127.0.0.1"),
                                QStringLiteral("escritorio"), QStringLiteral("ftp-senha")}
                        .join(QStringLiteral("\r\n")));
}

bool pediu(const QList<QByteArray> &urls, const char *caminho)
{
    for (const QByteArray &u : urls)
        if (u.contains(caminho))
            return true;
    return false;
}

// One run of the program up to the login window: a temporary home with a delivered document, the
// environment object started on it, and the window once opened.
struct Bancada {
    Bancada()
    {
        home.criaPastaPrograma();
        home.ui.aceitaAvisos(true);
        documento = home.criaArquivo(QStringLiteral("spool/Balancete.pdf"), kDocumento);
        respostas(respostaLogin(), respostaConfirmacao());
    }

    void respostas(const QByteArray &login, const QByteArray &confirmacao)
    {
        home.http.resposta = [login, confirmacao](const QByteArray &url) {
            if (url.contains("printer/printer_login_conf_b.asp"))
                return confirmacao;
            if (url.contains("printer/printer_login_b.asp"))
                return login;
            return QByteArray();
        };
    }

    void guardaSessao(const QString &chave, const QString &valor)
    {
        home.config->grava(QStringLiteral("Autenticacao"), chave, valor);
    }

    frmLogin &abre()
    {
        ambiente = std::make_unique<classAmbiente>(servicos);
        ambiente->Inicia(false, documento);
        home.http.urls.clear();
        janela = std::make_unique<frmLogin>(*ambiente, funcs, modoDebug);
        janela->show();
        return *janela;
    }

    template <class T>
    T *controle(const char *nome) const
    {
        return janela->findChild<T *>(QString::fromLatin1(nome));
    }
    QLineEdit *campo(const char *nome) const { return controle<QLineEdit>(nome); }
    void preenche(const QString &dominio, const QString &login, const QString &senha) const
    {
        campo("txtDominio")->setText(dominio);
        campo("txtLogin")->setText(login);
        campo("txtSenha")->setText(senha);
    }

    TestHome home;
    Servicos servicos = home.servicos();
    ModFuncs funcs{servicos};
    QString documento;
    std::unique_ptr<classAmbiente> ambiente;
    bool modoDebug = false;
    std::unique_ptr<frmLogin> janela;
};

} // namespace

Q_DECLARE_METATYPE(plataforma::Resposta)

class TstFrmLogin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void primeiraExecucao();
    void textos_data();
    void textos();
    void loginGuardado();
    void focoSelecionaTudo_data();
    void focoSelecionaTudo();
    void camposEmBranco_data();
    void camposEmBranco();
    void teclaEnter_data();
    void teclaEnter();
    void loginAceito_data();
    void loginAceito();
    void loginRecusado_data();
    void loginRecusado();
    void confirmacaoFalha();
    void respostaIlegivel();
    void fechar_data();
    void fechar();
    void gerarPdf();
    void barraDeFerramentas_data();
    void barraDeFerramentas();
    void mascara_data();
    void mascara();
    void limites_data();
    void limites();
};

void TstFrmLogin::init()
{
    QApplication::clipboard()->setText(QStringLiteral("<nada>"));
}

void TstFrmLogin::primeiraExecucao()
{
    Bancada b;
    frmLogin &janela = b.abre();

    QCOMPARE(janela.windowTitle(), QStringLiteral("Vorlin Printer - Autenticação de Usuário"));
    QCOMPARE(b.campo("txtDominio")->text(), QString());
    QCOMPARE(b.campo("txtLogin")->text(), QString());
    QVERIFY(janela.focusWidget() != b.campo("txtSenha"));
    // the button frame, never the toolbar
    QVERIFY(b.controle<QFrame>("fraBotoes")->isVisible());
    QVERIFY(!b.controle<QToolBar>("tbLogin")->isVisible());
    const int xSalvar = b.controle<QToolButton>("cmdSalvar")->x();
    const int xEntrar = b.controle<QToolButton>("cmdMultiplos")->x();
    const int xSair = b.controle<QToolButton>("cmdSair")->x();
    QVERIFY(xSalvar < xEntrar && xEntrar < xSair);
    // fixed dialog without minimise or maximise box
    QCOMPARE(janela.minimumSize(), janela.maximumSize());
    QVERIFY(!(janela.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(b.home.http.urls.isEmpty());
    QVERIFY(b.home.ui.caixas.isEmpty());
}

void TstFrmLogin::textos_data()
{
    QTest::addColumn<QString>("controle");
    QTest::addColumn<QString>("texto");
    QTest::newRow("aviso") << "lblAviso" << "Você acaba de entrar em uma área restrita.";
    QTest::newRow("instrucao") << "lblInstrucao" << "Favor digitar seu Domínio, Login e Senha nos campos abaixo.";
    QTest::newRow("dominio") << "lblDominio" << "Domínio:";
    QTest::newRow("login") << "lblLogin" << "Login:";
    QTest::newRow("senha") << "lblSenha" << "Senha:";
    QTest::newRow("gerar") << "cmdSalvar" << "GERAR PDF";
    QTest::newRow("entrar") << "cmdMultiplos" << "ENTRAR";
    QTest::newRow("cancelar") << "cmdSair" << "CANCELAR";
}

void TstFrmLogin::textos()
{
    QFETCH(QString, controle);
    QFETCH(QString, texto);
    Bancada b;
    b.abre();
    QWidget *w = b.janela->findChild<QWidget *>(controle);
    QVERIFY2(w, qPrintable(controle));
    if (auto *l = qobject_cast<QLabel *>(w))
        QCOMPARE(l->text(), texto);
    else
        QCOMPARE(qobject_cast<QToolButton *>(w)->text(), texto);
}

void TstFrmLogin::loginGuardado()
{
    Bancada b;
    b.guardaSessao(QStringLiteral("Dominio"), QStringLiteral("ESCRITORIO1"));
    b.guardaSessao(QStringLiteral("Login"), QStringLiteral("MARIA"));
    frmLogin &janela = b.abre();

    QCOMPARE(b.campo("txtDominio")->text(), QStringLiteral("ESCRITORIO1"));
    QCOMPARE(b.campo("txtLogin")->text(), QStringLiteral("MARIA"));
    QCOMPARE(b.campo("txtSenha")->text(), QString());
    QCOMPARE(janela.focusWidget(), b.campo("txtSenha"));
    QVERIFY(b.home.ui.caixas.isEmpty());
}

void TstFrmLogin::focoSelecionaTudo_data()
{
    QTest::addColumn<QString>("controle");
    QTest::newRow("dominio") << "txtDominio";
    QTest::newRow("login") << "txtLogin";
}

void TstFrmLogin::focoSelecionaTudo()
{
    QFETCH(QString, controle);
    Bancada b;
    b.abre();
    auto *campo = b.janela->findChild<QLineEdit *>(controle);
    campo->setText(QStringLiteral("ESCRITORIO1"));
    campo->deselect();
    // A reason for which the line edit itself would not select anything.
    QFocusEvent foco(QEvent::FocusIn, Qt::OtherFocusReason);
    QApplication::sendEvent(campo, &foco);
    QCOMPARE(campo->selectedText(), QStringLiteral("ESCRITORIO1"));
}

void TstFrmLogin::camposEmBranco_data()
{
    QTest::addColumn<QString>("dominio");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("foco");
    // The domain is checked first, then the login, then the password.
    QTest::newRow("tudo vazio") << "" << "" << "" << kDominioVazio << "txtDominio";
    QTest::newRow("dominio em branco") << "   " << "MARIA" << "segredo" << kDominioVazio << "txtDominio";
    QTest::newRow("login vazio, senha vazia") << "DEMO" << "" << "" << kLoginVazio << "txtLogin";
    QTest::newRow("login em branco") << "DEMO" << "  " << "segredo" << kLoginVazio << "txtLogin";
    QTest::newRow("senha em branco") << "DEMO" << "MARIA" << "    " << kSenhaVazia << "txtSenha";
}

void TstFrmLogin::camposEmBranco()
{
    QFETCH(QString, dominio);
    QFETCH(QString, login);
    QFETCH(QString, senha);
    QFETCH(QString, mensagem);
    QFETCH(QString, foco);
    Bancada b;
    frmLogin &janela = b.abre();
    b.preenche(dominio, login, senha);

    QTest::mouseClick(b.controle<QToolButton>("cmdMultiplos"), Qt::LeftButton);

    QCOMPARE(b.home.ui.textos(), QStringList{mensagem});
    QCOMPARE(b.home.ui.caixas[0].caixa.icone, Icone::Exclamacao);
    QCOMPARE(b.home.ui.caixas[0].caixa.titulo, kSistema);
    QCOMPARE(janela.focusWidget(), b.campo(qPrintable(foco)));
    QVERIFY(b.home.http.urls.isEmpty());
    QVERIFY(janela.isVisible());
}

void TstFrmLogin::teclaEnter_data()
{
    QTest::addColumn<QString>("senha");
    QTest::addColumn<int>("tecla");
    QTest::addColumn<bool>("entra");
    QTest::newRow("senha vazia") << "" << int(Qt::Key_Return) << false;
    QTest::newRow("senha vazia, teclado numerico") << "" << int(Qt::Key_Enter) << false;
    QTest::newRow("com senha") << "segredo" << int(Qt::Key_Return) << true;
    QTest::newRow("com senha, teclado numerico") << "segredo" << int(Qt::Key_Enter) << true;
}

void TstFrmLogin::teclaEnter()
{
    QFETCH(QString, senha);
    QFETCH(int, tecla);
    QFETCH(bool, entra);
    Bancada b;
    frmLogin &janela = b.abre();
    b.preenche(QStringLiteral("DEMO"), QStringLiteral("MARIA"), senha);

    QTest::keyClick(b.campo("txtSenha"), Qt::Key(tecla));

    QVERIFY(b.home.ui.caixas.isEmpty());
    QCOMPARE(pediu(b.home.http.urls, "printer/printer_login_b.asp"), entra);
    QCOMPARE(janela.isVisible(), !entra);
}

void TstFrmLogin::loginAceito_data()
{
    QTest::addColumn<QString>("depuracao");   // line 12 of the login reply
    QTest::addColumn<bool>("modoDebug");
    QTest::newRow("sem depuracao") << "0" << false;
    QTest::newRow("com depuracao") << "1" << true;
    QTest::newRow("linha vazia liga") << "" << true;
}

void TstFrmLogin::loginAceito()
{
    QFETCH(QString, depuracao);
    QFETCH(bool, modoDebug);
    Bancada b;
    b.respostas(respostaLogin(QStringLiteral("09/03/2011"), depuracao), respostaConfirmacao());
    frmLogin &janela = b.abre();
    b.preenche(QStringLiteral("demo"), QStringLiteral("maria"), QStringLiteral("segredo"));

    QTest::mouseClick(b.controle<QToolButton>("cmdMultiplos"), Qt::LeftButton);

    QVERIFY2(b.home.ui.caixas.isEmpty(), qPrintable(b.home.ui.textos().join(QLatin1Char('|'))));
    QVERIFY(!janela.isVisible());
    QCOMPARE(janela.result(), int(QDialog::Accepted));
    QCOMPARE(b.modoDebug, modoDebug);
    QVERIFY(b.ambiente->Logado());
    QVERIFY(b.home.ui.cursorOcupadoVezes > 0);
    QVERIFY(!b.home.ui.ocupado());
}

void TstFrmLogin::loginRecusado_data()
{
    QTest::addColumn<QByteArray>("resposta");
    QTest::addColumn<QString>("mensagem");
    QTest::newRow("mensagem do portal") << paraAnsi(QStringLiteral("1\r\nUsuário ou senha inválidos!"))
                                        << "Usuário ou senha inválidos!";
    QTest::newRow("recusa sem codigo") << QByteArray("Acesso negado") << "Login Incorreto!";
    QTest::newRow("portal fora do ar") << QByteArray() << "Login Incorreto!";
    QTest::newRow("data divergente") << respostaLogin(QStringLiteral("10/03/2011"))
                                     << "Data do computador divergente!";
}

void TstFrmLogin::loginRecusado()
{
    QFETCH(QByteArray, resposta);
    QFETCH(QString, mensagem);
    Bancada b;
    b.respostas(resposta, respostaConfirmacao());
    frmLogin &janela = b.abre();
    b.preenche(QStringLiteral("DEMO"), QStringLiteral("MARIA"), QStringLiteral("segredo"));

    QTest::mouseClick(b.controle<QToolButton>("cmdMultiplos"), Qt::LeftButton);

    QCOMPARE(b.home.ui.textos(), QStringList{mensagem});
    QCOMPARE(b.home.ui.caixas[0].caixa.icone, Icone::Erro);
    QCOMPARE(b.home.ui.caixas[0].caixa.titulo, kSistema);
    QVERIFY(janela.isVisible());
    QCOMPARE(b.campo("txtSenha")->text(), QString());
    QCOMPARE(b.campo("txtDominio")->text(), QStringLiteral("DEMO"));
    QCOMPARE(b.campo("txtLogin")->text(), QStringLiteral("MARIA"));
    QVERIFY(!b.home.ui.ocupado());
    QVERIFY(!b.modoDebug);
}

void TstFrmLogin::confirmacaoFalha()
{
    Bancada b;
    b.respostas(respostaLogin(), paraAnsi(QStringLiteral("2\r\nSessão encerrada pelo portal")));
    frmLogin &janela = b.abre();
    b.preenche(QStringLiteral("DEMO"), QStringLiteral("MARIA"), QStringLiteral("segredo"));

    QTest::mouseClick(b.controle<QToolButton>("cmdMultiplos"), Qt::LeftButton);

    QVERIFY(pediu(b.home.http.urls, "printer/printer_login_conf_b.asp"));
    QVERIFY2(b.home.ui.caixas.isEmpty(), qPrintable(b.home.ui.textos().join(QLatin1Char('|'))));
    QVERIFY(janela.isVisible());
    QCOMPARE(b.campo("txtSenha")->text(), QString());
    QVERIFY(!b.home.ui.ocupado());
}

void TstFrmLogin::respostaIlegivel()
{
    // The success marker but lines missing: the session raises, the window reports it and goes on.
    Bancada b;
    b.respostas(paraAnsi(kSistema + QStringLiteral("\r\n4711\r\n\r\nMaria")), respostaConfirmacao());
    frmLogin &janela = b.abre();
    b.preenche(QStringLiteral("DEMO"), QStringLiteral("MARIA"), QStringLiteral("segredo"));

    QTest::mouseClick(b.controle<QToolButton>("cmdMultiplos"), Qt::LeftButton);

    const auto &caixas = b.home.ui.caixas;
    QCOMPARE(caixas.size(), 2);
    QCOMPARE(caixas[0].caixa.titulo, QStringLiteral("Mensagem de ERRO do sistema!"));
    QVERIFY(caixas[0].caixa.texto.contains(QStringLiteral("frmLogin - suEntrar")));
    QCOMPARE(caixas[1].caixa.texto, b.ambiente->Erro());
    QCOMPARE(caixas[1].caixa.icone, Icone::Erro);
    QCOMPARE(caixas[1].caixa.titulo, kSistema);
    QFile log(b.home.pastaPrograma() + QStringLiteral("report/ERRO.LOG"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QByteArray registro = log.readAll();
    QVERIFY(registro.contains("*       Modulo|frmLogin\r\n"));
    QVERIFY(registro.contains("*    Procedure|suEntrar\r\n"));
    QVERIFY(janela.isVisible());
    QCOMPARE(b.campo("txtSenha")->text(), QString());
    QVERIFY(!b.home.ui.ocupado());
}

void TstFrmLogin::fechar_data()
{
    QTest::addColumn<QString>("como");
    QTest::addColumn<bool>("logado");
    QTest::addColumn<Resposta>("resposta");   // to "Você não esta Logado."
    QTest::addColumn<bool>("fecha");
    for (const char *como : {"CANCELAR", "caixa de fechar", "Esc"}) {
        QTest::addRow("%s, fica", como) << como << false << Resposta::Nao << false;
        QTest::addRow("%s, sai", como) << como << false << Resposta::Sim << true;
        QTest::addRow("%s, logado", como) << como << true << Resposta::Ok << true;
    }
}

void TstFrmLogin::fechar()
{
    QFETCH(QString, como);
    QFETCH(bool, logado);
    QFETCH(Resposta, resposta);
    QFETCH(bool, fecha);
    Bancada b;
    frmLogin &janela = b.abre();
    if (logado)
        QVERIFY(b.ambiente->Autentica(QStringLiteral("DEMO"), QStringLiteral("MARIA"), QStringLiteral("x"), 5)
                && b.ambiente->Logado());
    else
        b.home.ui.responde(resposta);

    if (como == QLatin1String("CANCELAR"))
        QTest::mouseClick(b.controle<QToolButton>("cmdSair"), Qt::LeftButton);
    else if (como == QLatin1String("Esc"))
        QTest::keyClick(b.campo("txtDominio"), Qt::Key_Escape);
    else
        janela.close();

    QCOMPARE(janela.isVisible(), !fecha);
    QVERIFY(b.home.ui.inesperadas.isEmpty());
    if (logado) {
        QVERIFY(b.home.ui.caixas.isEmpty());
        return;
    }
    QCOMPARE(b.home.ui.textos(), QStringList{kNaoLogado});
    const Caixa &pergunta = b.home.ui.caixas[0].caixa;
    QCOMPARE(pergunta.icone, Icone::Pergunta);
    QCOMPARE(pergunta.botoes, Botoes::SimNao);
    QCOMPARE(pergunta.padrao, Resposta::Nao);
    QCOMPARE(pergunta.titulo, QString());   // the program's default title
    if (fecha)
        QCOMPARE(janela.result(), int(QDialog::Rejected));
}

void TstFrmLogin::gerarPdf()
{
    Bancada b;
    frmLogin &janela = b.abre();
    const QString destino = b.home.raiz() + QStringLiteral("/Meus PDFs/balancete.pdf");
    QDir().mkpath(b.home.raiz() + QStringLiteral("/Meus PDFs"));
    b.home.ui.salvarComo(destino);

    QTest::mouseClick(b.controle<QToolButton>("cmdSalvar"), Qt::LeftButton);

    QCOMPARE(b.home.ui.textos(), QStringList{kSalvo});
    QCOMPARE(b.home.ui.dialogosSalvar.value(0).nomeProposto, QString());
    QFile salvo(destino);
    QVERIFY(salvo.open(QIODevice::ReadOnly));
    QCOMPARE(salvo.readAll(), kDocumento);
    QVERIFY(b.ambiente->Salvo());
    QVERIFY(janela.isVisible());
    QVERIFY(b.home.http.urls.isEmpty());
}

void TstFrmLogin::barraDeFerramentas_data()
{
    QTest::addColumn<QString>("chave");
    QTest::addColumn<QString>("legenda");
    QTest::addColumn<QString>("dica");
    QTest::addColumn<QStringList>("caixas");   // what running it shows on an empty window
    QTest::newRow("gerar") << "keySalvar" << "GERAR PDF" << "Gera e salva o arquivo PDF no local desejado."
                           << QStringList{kCancelado};
    QTest::newRow("entrar") << "keyEntrar" << "ENTRAR" << "Faz autenticação junto ao Vorlin."
                            << QStringList{kDominioVazio};
    QTest::newRow("cancelar") << "keyCancelar" << "CANCELAR" << "Cancela a autenticação e sai."
                              << QStringList{kNaoLogado};
    QTest::newRow("outra chave") << "keyOutra" << QString() << QString() << QStringList{};
}

void TstFrmLogin::barraDeFerramentas()
{
    QFETCH(QString, chave);
    QFETCH(QString, legenda);
    QFETCH(QString, dica);
    QFETCH(QStringList, caixas);
    Bancada b;
    frmLogin &janela = b.abre();
    b.home.ui.cancelaSalvar();
    b.home.ui.responde(Resposta::Nao);   // stays open if asked

    if (QAction *a = b.controle<QToolBar>("tbLogin")->findChild<QAction *>(chave)) {
        QCOMPARE(a->text(), legenda);
        QCOMPARE(a->toolTip(), dica);
        a->trigger();
    } else {
        QVERIFY(legenda.isEmpty());
        janela.tbLogin_ButtonClick(chave);
    }

    QCOMPARE(b.home.ui.textos(), caixas);
    QVERIFY(janela.isVisible());
}

void TstFrmLogin::mascara_data()
{
    QTest::addColumn<QString>("digitado");
    QTest::addColumn<QString>("depois");      // what follows: a key, or "colar:" and the clipboard text
    QTest::addColumn<QString>("texto");       // the real text kept
    QTest::newRow("digitado") << "ab#1 %&" << "" << "ab#1 %&";
    QTest::newRow("backspace") << "segredo" << "backspace" << "segred";
    QTest::newRow("selecao substituida") << "segredo" << "seleciona e digita" << "x";
    QTest::newRow("colado") << "" << "colar:Senha#2011" << "Senha#2011";
    QTest::newRow("colado no meio") << "ab" << "colar:XY" << "aXYb";
    QTest::newRow("copiar nao leva a senha") << "segredo" << "copiar" << "segredo";
}

void TstFrmLogin::mascara()
{
    QFETCH(QString, digitado);
    QFETCH(QString, depois);
    QFETCH(QString, texto);
    Bancada b;
    b.abre();
    QLineEdit *senha = b.campo("txtSenha");
    QClipboard *area = QApplication::clipboard();

    QTest::keyClicks(senha, digitado);
    if (depois == QLatin1String("backspace")) {
        QTest::keyClick(senha, Qt::Key_Backspace);
    } else if (depois == QLatin1String("seleciona e digita")) {
        QTest::keySequence(senha, QKeySequence::SelectAll);
        QTest::keyClicks(senha, QStringLiteral("x"));
    } else if (depois.startsWith(QLatin1String("colar:"))) {
        area->setText(depois.mid(6));
        if (digitado == QLatin1String("ab"))
            QTest::keyClick(senha, Qt::Key_Left);
        QTest::keySequence(senha, QKeySequence::Paste);
    } else if (depois == QLatin1String("copiar")) {
        QTest::keySequence(senha, QKeySequence::SelectAll);
        QTest::keySequence(senha, QKeySequence::Copy);
        QTest::keySequence(senha, QKeySequence::Cut);
        QCOMPARE(area->text(), QStringLiteral("<nada>"));
    }

    QCOMPARE(senha->text(), texto);
    QCOMPARE(senha->displayText(), QString(texto.size(), QLatin1Char('#')));
}

void TstFrmLogin::limites_data()
{
    QTest::addColumn<QString>("controle");
    QTest::addColumn<bool>("colando");
    for (const char *campo : {"txtDominio", "txtLogin", "txtSenha"}) {
        QTest::addRow("%s digitado", campo) << campo << false;
        QTest::addRow("%s colado", campo) << campo << true;
    }
}

void TstFrmLogin::limites()
{
    QFETCH(QString, controle);
    QFETCH(bool, colando);
    Bancada b;
    b.abre();
    auto *campo = b.janela->findChild<QLineEdit *>(controle);
    const QString longo = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123");

    if (colando) {
        QApplication::clipboard()->setText(longo);
        QTest::keySequence(campo, QKeySequence::Paste);
    } else {
        QTest::keyClicks(campo, longo);
    }

    QCOMPARE(campo->text(), longo.left(20));
}

QTEST_MAIN(TstFrmLogin)
#include "tst_frmlogin.moc"
