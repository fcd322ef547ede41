// The transfer window end to end against the local portal, opened the way the program opens it:
// the publication dialog confirms and shows it modally, its timer handler publishes through the
// real HTTP and FTP clients, "Ok" closes it, and the dialog reads the outcome.
#include "PortalLocal.h"
#include "TestHome.h"
#include "platform/CurlFtp.h"
#include "platform/CurlHttp.h"
#include "publication/frmInform.h"
#include "shell/ModFuncs.h"
#include "shell/classAmbiente.h"
#include "transfer/frmTransferencia.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

const QString kNome = QStringLiteral("Balancete Março.pdf");
const QString kCliente = QStringLiteral("Clínica Sorriso Odontologia");

QByteArray conteudo()
{
    QByteArray bytes("%PDF-1.4\n");
    for (int i = 0; i < 1234; ++i)
        bytes.append(static_cast<char>((i * 31) & 0xFF));
    return bytes + "\n%%EOF\n";
}

// What the transfer window showed when its publication was over, before "Ok" closed it.
struct Visto {
    bool aberta = false;
    QStringList linhas;
    QString titulo;
    bool vermelho = false;
    int barra = -1;
    bool ok = false;
    bool fechouNoOk = false;
};

} // namespace

// One copy of the program logged in to the portal with the real network clients.
struct Programa {
    TestHome home;
    plataforma::CurlHttp http;
    plataforma::CurlFtp ftp;
    plataforma::Servicos servicos = home.servicos(http, ftp);
    ModFuncs funcs{servicos};
    classAmbiente ambiente{servicos};
};

class TstFrmTransferenciaPortal : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void publicacao_data();
    void publicacao();

private:
    // Waits inside the dialog's modal loop for the transfer window, then runs its timer handler
    // and presses "Ok" as the user would.
    void conduzTransferencia(frmInform &dialogo, Visto &visto);

    std::unique_ptr<PortalLocal> m_portal;
    std::unique_ptr<Programa> m_p;
    std::function<void()> m_procura;
};

void TstFrmTransferenciaPortal::initTestCase()
{
    m_portal = std::make_unique<PortalLocal>();
    QVERIFY2(m_portal->ativo(), qPrintable(m_portal->falha()));
}

void TstFrmTransferenciaPortal::init()
{
    m_p = std::make_unique<Programa>();
    Programa &p = *m_p;
    QVERIFY(p.home.criaPastaPrograma());
    m_portal->configura(*p.home.config);
    m_portal->desligaFalhas();
    // the portal's day is the test's day
    p.home.relogio.define(QDateTime(QDate::currentDate(), QTime(12, 0, 0)));
    m_portal->deslocaRelogio(QDateTime::currentDateTime().secsTo(p.home.relogio.agora()));
    QVERIFY(p.ambiente.Inicia(false, p.home.criaArquivo(QStringLiteral("spool/") + kNome, conteudo())));
    QVERIFY(p.ambiente.Autentica(QStringLiteral("DEMO"), QStringLiteral("MARIA"), QStringLiteral("vorlin123"), 5));
    p.ambiente.Enviar.Inicia(p.home.relogio.hoje());
}

void TstFrmTransferenciaPortal::cleanup()
{
    m_portal->desligaFalhas();
    if (m_p)
        QVERIFY2(m_p->home.ui.inesperadas.isEmpty(), qPrintable(m_p->home.ui.inesperadas.join(QLatin1Char('\n'))));
    m_procura = [] {};
    m_p.reset();
}

void TstFrmTransferenciaPortal::conduzTransferencia(frmInform &dialogo, Visto &visto)
{
    QPointer<frmInform> alvo(&dialogo);
    int tentativas = 0;
    m_procura = [this, alvo, &visto, tentativas]() mutable {
        auto *janela = alvo ? alvo->findChild<frmTransferencia *>() : nullptr;
        if (!janela || !janela->isVisible()) {
            if (alvo && ++tentativas < 1000)
                QTimer::singleShot(0, this, [this] { m_procura(); });
            return;
        }
        visto.aberta = janela->isModal();
        janela->Timer_Timer();
        auto *lista = janela->findChild<QListWidget *>(QStringLiteral("lstEmails"));
        for (int i = 0; i < lista->count(); ++i)
            visto.linhas << lista->item(i)->text();
        auto *titulo = janela->findChild<QLabel *>(QStringLiteral("iblTituloArquivo"));
        visto.titulo = titulo->text();
        visto.vermelho = titulo->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
        visto.barra = janela->findChild<QProgressBar *>(QStringLiteral("pbTransferencia"))->value();
        auto *ok = janela->findChild<QPushButton *>(QStringLiteral("cmdOk"));
        visto.ok = ok->isVisible();
        ok->click();
        visto.fechouNoOk = !janela->isVisible();
    };
    QTimer::singleShot(0, this, [this] { m_procura(); });
}

void TstFrmTransferenciaPortal::publicacao_data()
{
    QTest::addColumn<QString>("falha");   // portal fault mode; empty: none
    QTest::addColumn<bool>("enviado");
    QTest::addColumn<QStringList>("linhas");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("caixa");

    QTest::newRow("publicado com aviso")
        << QString() << true
        << QStringList{"Iniciando Transmissão do Arquivo", "Arquivo Transmitido", "Iniciando processo de Avisos",
                       "Cliente: " + kCliente, "  Dra. Helena Castro <helena@clinicasorriso.com.br> - Enviado"}
        << QStringLiteral("Arquivo Transmitido") << QString();
    QTest::newRow("login ftp recusado")
        << QStringLiteral("ftp_refuse_login") << false << QStringList{"Iniciando Transmissão do Arquivo"}
        << QStringLiteral("Houveram erros durante a publicação!")
        << QStringLiteral("Erro\r\nNão foi possível transmitir o arquivo!");
}

void TstFrmTransferenciaPortal::publicacao()
{
    QFETCH(QString, falha);
    QFETCH(bool, enviado);
    QFETCH(QStringList, linhas);
    QFETCH(QString, titulo);
    QFETCH(QString, caixa);

    Programa &p = *m_p;
    if (!falha.isEmpty()) {
        m_portal->ligaFalha(falha);
        p.home.ui.responde(plataforma::Resposta::Ok);
    }
    // the transfer window is the dialog's own: no seam given
    frmInform::Janelas janelas;
    int encerramentos = 0;
    janelas.encerrar = [&] { ++encerramentos; };
    frmInform dialogo(p.ambiente, p.funcs, janelas);
    dialogo.show();
    QVERIFY(p.home.ui.inesperadas.isEmpty());

    auto *clientes = dialogo.findChild<QListWidget *>(QStringLiteral("lstClientes"));
    const auto achados = clientes->findItems(kCliente, Qt::MatchStartsWith);
    QCOMPARE(achados.size(), 1);
    achados.first()->setCheckState(Qt::Checked);
    auto *nivel1 = dialogo.findChild<QComboBox *>(QStringLiteral("cboPastas1"));
    nivel1->setCurrentIndex(nivel1->findText(QStringLiteral("Diversos")));
    dialogo.findChild<QLineEdit *>(QStringLiteral("txtDescricao"))->setText(QStringLiteral("Balancete de março"));
    dialogo.findChild<QCheckBox *>(QStringLiteral("chkEmailTodos"))->setChecked(true);

    Visto visto;
    conduzTransferencia(dialogo, visto);
    dialogo.findChild<QToolButton *>(QStringLiteral("cmdEnviar"))->click();

    QVERIFY2(visto.aberta, "the transfer window did not open modally");
    QCOMPARE(visto.linhas, linhas);
    QCOMPARE(visto.titulo, titulo);
    QCOMPARE(visto.vermelho, !enviado);
    QVERIFY(visto.ok);
    QVERIFY(visto.fechouNoOk);
    QCOMPARE(p.ambiente.Enviado(), enviado);
    QCOMPARE(encerramentos, 0);
    // after the transfer the dialog stays open for the user
    QVERIFY(dialogo.isVisible());

    QStringList caixas;
    for (const auto &r : p.home.ui.caixas)
        caixas << r.caixa.texto;
    QCOMPARE(caixas, caixa.isEmpty() ? QStringList() : QStringList{caixa});

    // a registered upload leaves the FTP root for the office's published files, one per record
    const QString escritorio = m_portal->raiz() + QStringLiteral("/%1/0001/");
    if (enviado) {
        QCOMPARE(visto.barra, 100);
        QVERIFY(!p.ambiente.LastIds.isEmpty());
        QFile publicado(escritorio.arg(QStringLiteral("arquivos")) + p.ambiente.LastIds);
        QVERIFY(publicado.open(QIODevice::ReadOnly));
        QCOMPARE(publicado.readAll(), conteudo());
    }
    QVERIFY(!QFile::exists(escritorio.arg(QStringLiteral("ftp")) + kNome));
    dialogo.hide();
}

QTEST_MAIN(TstFrmTransferenciaPortal)
#include "tst_frmtransferencia_portal.moc"
