// The main window against the real local portal: the login check of start-up with the real login
// window, the tips counted at the portal, the storage text, the connectivity check, "Enviar" with
// no space left, and the report address of "Consultar".
#include "PortalLocal.h"
#include "tst_frmmain_bancada.h"
#include "platform/CurlHttp.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using plataforma::Icone;
using plataforma::Resposta;

namespace {

const QString kSemServico = QStringLiteral("Não foi possível iniciar o serviço de impressão de PDF!\r\n"
                                           "O programa esta sendo encerrado!");

// One run of the program against the portal: the real HTTP client, the computer's clock on the
// portal's day, and the real login window typed into by `digita`.
struct Execucao {
    explicit Execucao(PortalLocal &p) : portal(p)
    {
        portal.configura(*b.home.config);
        b.home.relogio.define(QDateTime(QDate::currentDate(), QTime(12, 0, 0)));
        portal.deslocaRelogio(QDateTime::currentDateTime().secsTo(b.home.relogio.agora()));
        b.login = [this](frmLogin &janela) {
            janela.show();
            campos = {campo(janela, "txtDominio")->text(), campo(janela, "txtLogin")->text()};
            focoNaSenha = janela.focusWidget() == campo(janela, "txtSenha");
            if (digita)
                digita(janela);
        };
    }

    static QLineEdit *campo(frmLogin &janela, const char *nome)
    {
        return janela.findChild<QLineEdit *>(QString::fromLatin1(nome));
    }

    // Types what is missing and presses Enter in the password field.
    void entraCom(const QString &login, const QString &senha)
    {
        digita = [login, senha](frmLogin &janela) {
            if (campo(janela, "txtDominio")->text().isEmpty())
                QTest::keyClicks(campo(janela, "txtDominio"), QStringLiteral("demo"));
            if (campo(janela, "txtLogin")->text().isEmpty())
                QTest::keyClicks(campo(janela, "txtLogin"), login);
            QTest::keyClicks(campo(janela, "txtSenha"), senha);
            QTest::keyClick(campo(janela, "txtSenha"), Qt::Key_Return);
        };
    }

    void entra(const QString &login = QStringLiteral("maria"), const QString &senha = QStringLiteral("vorlin123"))
    {
        entraCom(login, senha);
        b.carrega();
    }

    int pedidos(const char *caminho) { return portal.contagens().value(QLatin1String(caminho)).toInt(); }
    QString textoDica() const { return b.controle<QLabel>(QStringLiteral("iblDicaTexto"))->text(); }

    PortalLocal &portal;
    plataforma::CurlHttp http;
    FrmMainBancada b{true, &http};
    std::function<void(frmLogin &)> digita;
    QStringList campos;   // domain and login as the window opened
    bool focoNaSenha = false;
};

} // namespace

class TstFrmMainPortal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanupTestCase();
    void loginNaPartida_data();
    void loginNaPartida();
    void semSessaoEncerra();
    void dicaUmPedidoPorPassagem();
    void textoEspaco();
    void conexao_data();
    void conexao();
    void enviar_data();
    void enviar();
    void consultar_data();
    void consultar();

private:
    std::unique_ptr<PortalLocal> m_portal;
};

void TstFrmMainPortal::initTestCase()
{
    m_portal = std::make_unique<PortalLocal>();
    QVERIFY2(m_portal->ativo(), qPrintable(m_portal->falha()));
}

void TstFrmMainPortal::init()
{
    m_portal->desligaFalhas();
    m_portal->contagens(true);
}

void TstFrmMainPortal::cleanupTestCase()
{
    m_portal.reset();
}

void TstFrmMainPortal::loginNaPartida_data()
{
    QTest::addColumn<QString>("dominio");   // stored by an earlier login
    QTest::addColumn<QString>("login");
    QTest::newRow("primeira execucao") << QString() << QString();
    QTest::newRow("login guardado") << QStringLiteral("DEMO") << QStringLiteral("MARIA");
}

void TstFrmMainPortal::loginNaPartida()
{
    QFETCH(QString, dominio);
    QFETCH(QString, login);
    Execucao x(*m_portal);
    FrmMainBancada &b = x.b;
    if (!dominio.isEmpty()) {
        b.home.config->grava(QStringLiteral("Autenticacao"), QStringLiteral("Dominio"), dominio);
        b.home.config->grava(QStringLiteral("Autenticacao"), QStringLiteral("Login"), login);
    }
    x.entra();

    // the window opened with what the store had, the password focused only with a login to go on
    QCOMPARE(b.loginsAbertos, 1);
    QCOMPARE(x.campos, (QStringList{dominio, login}));
    QCOMPARE(x.focoNaSenha, !login.isEmpty());

    frmMain &w = *b.janela;
    QVERIFY(w.isVisible());
    QVERIFY(!w.FecharAgora);
    QVERIFY(w.Ativo);
    QCOMPARE(w.windowTitle(), QStringLiteral("Vorlin Printer [Maria Aparecida Souza]"));
    QCOMPARE(b.controle<QLabel>(QStringLiteral("IblEmpresa"))->text(), QStringLiteral("Escritório Modelo Contabilidade"));
    QVERIFY(!b.controle<QCheckBox>(QStringLiteral("chkLogOff"))->isHidden());
    // the login captured the document
    const QString copia = b.amb().arquivo();
    QCOMPARE(copia, b.home.pastaPrograma() + QStringLiteral("PROC/Balancete Demo.pdf"));
    QVERIFY(QFile::exists(copia));
    QVERIFY(b.home.ui.caixas.isEmpty());
}

void TstFrmMainPortal::semSessaoEncerra()
{
    Execucao x(*m_portal);
    FrmMainBancada &b = x.b;
    QSignalSpy fim(b.janela.get(), &frmMain::encerrado);
    // a wrong password, then "CANCELAR" and yes to leaving without a login
    x.digita = [&b](frmLogin &janela) {
        QTest::keyClicks(Execucao::campo(janela, "txtDominio"), QStringLiteral("demo"));
        QTest::keyClicks(Execucao::campo(janela, "txtLogin"), QStringLiteral("maria"));
        QTest::keyClicks(Execucao::campo(janela, "txtSenha"), QStringLiteral("errada"));
        QTest::keyClick(Execucao::campo(janela, "txtSenha"), Qt::Key_Return);
        b.home.ui.responde(Resposta::Sim);   // leave without a login
        b.home.ui.responde(Resposta::Ok);    // no session
        janela.findChild<QToolButton *>(QStringLiteral("cmdSair"))->click();
    };
    b.home.ui.responde(Resposta::Ok);   // the portal's refusal
    b.carrega();

    QVERIFY(b.home.ui.inesperadas.isEmpty());
    QVERIFY(!b.home.ui.respostasPendentes());
    const plataforma::Caixa &ultima = b.home.ui.caixas.last().caixa;
    QCOMPARE(ultima.texto, kSemServico);
    QCOMPARE(ultima.icone, Icone::Exclamacao);
    QCOMPARE(ultima.titulo, QStringLiteral("Vorlin Printer"));
    QVERIFY(b.janela->FecharAgora);
    QVERIFY(!b.janela->isVisible());
    QVERIFY(fim.isEmpty());

    // one exit check ends the program, without the closing question
    const int caixas = b.home.ui.caixas.size();
    b.janela->Sair();
    QVERIFY(!fim.isEmpty());
    QVERIFY(!b.janela->ambiente());
    QCOMPARE(b.home.ui.caixas.size(), caixas);
}

void TstFrmMainPortal::dicaUmPedidoPorPassagem()
{
    Execucao x(*m_portal);
    FrmMainBancada &b = x.b;
    x.entra();
    frmMain &w = *b.janela;
    QWidget *pic = b.controle(QStringLiteral("picDica"));
    QCOMPARE(x.pedidos("/printer/dicas_b.asp"), 0);

    FrmMainBancada::passaMouse(pic);
    FrmMainBancada::passaMouse(pic);
    QCOMPARE(x.pedidos("/printer/dicas_b.asp"), 1);
    const QString primeira = w.Ajuda[9].titulo;
    QVERIFY(!primeira.isEmpty());
    QVERIFY(primeira != QStringLiteral("Dica em manutenção"));
    QCOMPARE(b.controle<QLabel>(QStringLiteral("iblDicaTitulo"))->text(), primeira);
    QCOMPARE(x.textoDica(), w.Ajuda[9].texto);

    // away and back: the next tip
    FrmMainBancada::passaMouse(b.controle(QStringLiteral("cmdGerar")));
    FrmMainBancada::passaMouse(pic);
    QCOMPARE(x.pedidos("/printer/dicas_b.asp"), 2);
    QVERIFY(w.Ajuda[9].titulo != primeira);
    QVERIFY(b.home.ui.caixas.isEmpty());
}

void TstFrmMainPortal::textoEspaco()
{
    // An office of 1 MiB with 512 KiB in use.
    PortalLocal::Opcoes opcoes;
    opcoes.semente = QStringLiteral(
        "with banco.transacao() as c:\n"
        "    c.execute('UPDATE escritorios SET espaco_total = 1048576 WHERE id = 1')\n"
        "    c.execute('UPDATE arquivos SET tamanho = 0 WHERE escritorio_id = 1')\n"
        "    c.execute('UPDATE arquivos SET tamanho = 524288 WHERE id = (SELECT MIN(id) FROM arquivos"
        " WHERE escritorio_id = 1 AND removido_em IS NULL)')\n");
    PortalLocal portal(opcoes);
    QVERIFY2(portal.ativo(), qPrintable(portal.falha()));
    Execucao x(portal);
    FrmMainBancada &b = x.b;
    {
        QFile documento(b.documento);
        QVERIFY(documento.resize(3584));
    }
    x.entra();

    FrmMainBancada::clica(b.controle(QStringLiteral("picEspaco")));
    QCOMPARE(x.textoDica(), QStringLiteral("\r\nTotal: 1024 Kbytes \r\nUtilizado: 512 Kbytes \r\nDisponível: 512 Kbytes "
                                           "\r\nArquivo Atual: 3,5 Kbytes "));
    QCOMPARE(b.controle<QLabel>(QStringLiteral("iblDicaTitulo"))->text(), QStringLiteral("Espaços no Vorlin"));
    QVERIFY(b.home.ui.caixas.isEmpty());
}

void TstFrmMainPortal::conexao_data()
{
    QTest::addColumn<QString>("falha");   // fault of the portal's connectivity test
    QTest::addColumn<QString>("mensagem");
    QTest::newRow("portal responde") << QString() << QStringLiteral("Sua conexão de internet está estável no momento");
    QTest::newRow("conexao cai") << QStringLiteral("drop")
                                 << QStringLiteral("Não possível estabelecer uma conexão com a internet!");
    QTest::newRow("erro do servidor") << QStringLiteral("http500")
                                      << QStringLiteral("Não possível estabelecer uma conexão com a internet!");
}

void TstFrmMainPortal::conexao()
{
    QFETCH(QString, falha);
    QFETCH(QString, mensagem);
    Execucao x(*m_portal);
    FrmMainBancada &b = x.b;
    x.entra();
    frmMain &w = *b.janela;
    QWidget *pic = b.controle(QStringLiteral("picInternet"));
    // before any check (start-up left entry 7 current: point elsewhere first)
    FrmMainBancada::passaMouse(b.controle(QStringLiteral("cmdGerar")));
    FrmMainBancada::passaMouse(pic);
    QVERIFY(x.textoDica().endsWith(QStringLiteral("\r\nDê um cliques para verificar novamente.")));
    if (!falha.isEmpty())
        x.portal.ligaFalha(falha, QStringLiteral("printer_login.asp"));

    FrmMainBancada::clica(pic);
    QCOMPARE(x.pedidos("/printer/printer_login.asp"), 1);
    QCOMPARE(w.AjudaAtual, 7);
    QCOMPARE(x.textoDica(), QStringLiteral("\r\n\r\n") + mensagem);
    // after it
    FrmMainBancada::passaMouse(b.controle(QStringLiteral("cmdGerar")));
    FrmMainBancada::passaMouse(pic);
    QVERIFY(x.textoDica().endsWith(QStringLiteral("\r\nDê dois cliques para verificar novamente.")));
    QVERIFY(b.home.ui.caixas.isEmpty());
}

void TstFrmMainPortal::enviar_data()
{
    QTest::addColumn<bool>("discoCheio");
    QTest::newRow("com espaco") << false;
    QTest::newRow("sem espaco") << true;
}

void TstFrmMainPortal::enviar()
{
    QFETCH(bool, discoCheio);
    Execucao x(*m_portal);
    FrmMainBancada &b = x.b;
    x.entra();
    if (discoCheio) {
        x.portal.ligaFalha(QStringLiteral("disk_full"));
        b.home.ui.responde(Resposta::Ok);
    }

    b.controle<QToolButton>(QStringLiteral("cmdEnviar"))->click();
    QCOMPARE(x.pedidos("/printer/sincroniza.asp"), 1);
    QCOMPARE(x.pedidos("/printer/espaco_b.asp"), 1);
    QVERIFY(QFile::exists(b.home.pastaPrograma() + QStringLiteral("c1sinc.rtx")));
    QVERIFY(b.home.ui.inesperadas.isEmpty());
    QCOMPARE(b.publicacoesAbertas, discoCheio ? 0 : 1);
    QCOMPARE(x.textoDica().contains(QStringLiteral("\r\nDisponível: 0 Kbytes ")), discoCheio);
    if (!discoCheio) {
        QVERIFY(b.home.ui.caixas.isEmpty());
        return;
    }
    const plataforma::Caixa &caixa = b.home.ui.caixas.last().caixa;
    QVERIFY(caixa.texto.startsWith(QStringLiteral("O espaço para envio de arquivos foi excedido!\r\n")));
    QCOMPARE(caixa.icone, Icone::Informacao);
}

void TstFrmMainPortal::consultar_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<QString>("admin");
    QTest::newRow("administradora") << QStringLiteral("maria") << QStringLiteral("vorlin123") << QStringLiteral("1");
    QTest::newRow("sem administracao") << QStringLiteral("joao") << QStringLiteral("joao123") << QStringLiteral("0");
}

void TstFrmMainPortal::consultar()
{
    QFETCH(QString, login);
    QFETCH(QString, senha);
    QFETCH(QString, admin);
    Execucao x(*m_portal);
    FrmMainBancada &b = x.b;
    x.entra(login, senha);
    QVERIFY(b.janela->isVisible());

    b.controle<QToolButton>(QStringLiteral("cmdConsulta"))->click();
    const QString endereco = x.portal.urlBase() + QStringLiteral("printer/relatorio.asp?asp_contador=1&asp_id_admin=") + admin;
    QCOMPARE(b.home.ui.enderecosAbertos, QStringList{endereco});
    // and the portal has that page
    const QByteArray pagina = x.http.get(endereco.toUtf8());
    QVERIFY(pagina.contains("<html") || pagina.contains("<!DOCTYPE"));
    QVERIFY(b.home.ui.caixas.isEmpty());
}

QTEST_MAIN(TstFrmMainPortal)
#include "tst_frmmain_portal.moc"
