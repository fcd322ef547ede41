// The transfer window against scripted portal replies and a scripted FTP session: its controls,
// the details part and its stored choice, the timer that runs the publication once, the bar, the
// lines per display code, a publication with notices, the failures, and what may close it when.
#include "FtpRoteirizado.h"
#include "TestHome.h"
#include "TextoTeste.h"
#include "platform/Ansi.h"
#include "shell/ModFuncs.h"
#include "shell/Tela.h"
#include "shell/classAmbiente.h"
#include "transfer/frmTransferencia.h"
#include "tst_envia_apoio.h"

#include <QCloseEvent>
#include <QHash>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using tela::tw;

namespace {

const QString kSistema = QStringLiteral("Vorlin Printer");
const QString kTituloInicial = QStringLiteral("O Arquivo esta sendo enviado:");
const QString kVermelha = QStringLiteral("Houveram erros durante a publicação!");
// three pieces: 100, 100 and the last 50 bytes
const QByteArray kConteudo = QByteArray("%PDF-1.4\n") + QByteArray(232, 'x') + QByteArray("\n%%EOF\n");

QStringList itens(const QListWidget *l)
{
    QStringList r;
    for (int i = 0; i < l->count(); ++i)
        r << l->item(i)->text();
    return r;
}

bool vermelho(const QLabel *l)
{
    return l->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
}

// Counts the paint events a widget gets.
class Pinturas : public QObject {
public:
    int vezes = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            ++vezes;
        return false;
    }
};

} // namespace

// A logged-in environment with a delivered document and a record the dialog validated; the
// portal answers from the fields below and the FTP session is scripted.
struct Bancada {
    TestHome home;
    Registro registro;
    FtpRoteirizado ftp{registro};
    plataforma::Servicos servicos = home.servicos(home.http, ftp);
    ModFuncs funcs{servicos};
    classAmbiente ambiente{servicos};
    QString documento;

    QString respostaRegistro = linhas({kSistema, QStringLiteral("101")});
    QHash<QString, QString> listas;   // notice list by record id; empty by default

    Bancada()
    {
        registro.ui = &home.ui;
        home.criaPastaPrograma();
        documento = home.criaArquivo(QStringLiteral("spool/Balancete Março.pdf"), kConteudo);
        ambiente.setArquivo(documento);
        ambiente.setTipo(documento);
        ambiente.lngLogin_ID = 77;
        ambiente.lngSessao = 4711;
        ambiente.lngAdmin = 1;
        ambiente.FtpServidor = QStringLiteral("ftp.escritorio.com.br");
        ambiente.FtpUsuario = QStringLiteral("demo");
        ambiente.FtpSenha = QStringLiteral("segredo");
        preencheRegistro(ambiente, {12}, QStringLiteral("3|8|0|0|0|"));
        home.http.resposta = [this](const QByteArray &bytes) {
            const QString url = plataforma::deAnsi(bytes);
            QString resposta;
            if (url.contains(QLatin1String("/printer/publica_b_novo.asp?")))
                resposta = respostaRegistro;
            else if (url.contains(QLatin1String("printer/avisos_b.asp?")))
                resposta = listas.value(valorDe(url, QStringLiteral("&u=")));
            else if (url.contains(QLatin1String("/printer/avisos.asp?")))
                resposta = linhas({kSistema, QStringLiteral("1")});
            return plataforma::paraAnsi(resposta);
        };
    }

    std::unique_ptr<frmTransferencia> abre()
    {
        auto j = std::make_unique<frmTransferencia>(ambiente, funcs);
        j->show();
        return j;
    }
    int registros() const
    {
        int n = 0;
        for (const QByteArray &u : home.http.urls)
            n += u.contains("publica_b_novo.asp") ? 1 : 0;
        return n;
    }
    QString transDetail() const { return home.config->le(QStringLiteral("Config"), QStringLiteral("TransDetail")); }
};

template <typename T = QWidget>
T *controle(const QWidget &janela, const char *nome)
{
    return janela.findChild<T *>(QString::fromLatin1(nome));
}

class TstFrmTransferencia : public QObject {
    Q_OBJECT

private slots:
    void init() { m_b = std::make_unique<Bancada>(); }
    void cleanup();

    void controles_data();
    void controles();
    void janelaAoAbrir();
    void detalhes_data();
    void detalhes();
    void timerPublicaUmaVez();
    void progresso_data();
    void progresso();
    void mensagens_data();
    void mensagens();
    void publicacaoComAvisos();
    void falhas_data();
    void falhas();
    void registroNaoValidado();
    void fechamento_data();
    void fechamento();

private:
    std::unique_ptr<Bancada> m_b;
};

void TstFrmTransferencia::cleanup()
{
    QVERIFY2(m_b->home.ui.inesperadas.isEmpty(), qPrintable(m_b->home.ui.inesperadas.join(QLatin1Char('\n'))));
    m_b.reset();
}

void TstFrmTransferencia::controles_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QRect>("lugar");   // twips; width 0: the label sizes itself to its text
    QTest::addColumn<bool>("visivel");

    QTest::newRow("iblTituloArquivo") << "iblTituloArquivo" << kTituloInicial << QRect(240, 360, 0, 0) << true;
    QTest::newRow("pbTransferencia") << "pbTransferencia" << QString() << QRect(180, 720, 5895, 615) << true;
    QTest::newRow("cmdDetalhes") << "cmdDetalhes" << "Mostrar Detalhes" << QRect(240, 1560, 2175, 495) << true;
    QTest::newRow("cmdOk") << "cmdOk" << "Ok" << QRect(4860, 1620, 1275, 495) << false;
    QTest::newRow("iblAvisos") << "iblAvisos" << "Avisos" << QRect(300, 2340, 1200, 240) << true;
    QTest::newRow("iblEmpresa") << "iblEmpresa" << "Empresa" << QRect(600, 2640, 5430, 240) << true;
    QTest::newRow("iblUsuario") << "iblUsuario" << "Nome; Email" << QRect(960, 3000, 0, 0) << true;
    QTest::newRow("lstEmails") << "lstEmails" << QString() << QRect(120, 3360, 6015, 2220) << true;
}

void TstFrmTransferencia::controles()
{
    QFETCH(QString, nome);
    QFETCH(QString, texto);
    QFETCH(QRect, lugar);
    QFETCH(bool, visivel);

    m_b->home.config->grava(QStringLiteral("Config"), QStringLiteral("TransDetail"), QStringLiteral("1"));
    const auto janela = m_b->abre();
    QWidget *w = janela->findChild<QWidget *>(nome);
    QVERIFY(w);
    QCOMPARE(w->isVisible(), visivel);
    QCOMPARE(w->pos(), QPoint(tw(lugar.left()), tw(lugar.top())));
    if (lugar.width() > 0)
        QCOMPARE(w->size(), QSize(tw(lugar.width()), tw(lugar.height())));
    else
        QCOMPARE(w->size(), w->sizeHint());
    // the whole control lies inside the unfolded window
    QVERIFY(janela->rect().contains(w->geometry()));
    if (auto *l = qobject_cast<QLabel *>(w))
        QCOMPARE(l->text(), texto);
    else if (auto *b = qobject_cast<QPushButton *>(w))
        QCOMPARE(b->text(), texto);
}

void TstFrmTransferencia::janelaAoAbrir()
{
    frmTransferencia janela(m_b->ambiente, m_b->funcs);
    QCOMPARE(janela.windowTitle(), QStringLiteral("Transferencia de Arquivo"));
    QCOMPARE(janela.font().family(), QStringLiteral("Verdana"));
    QCOMPARE(janela.font().pointSizeF(), 9.75);
    // no close box, no minimise or maximise button
    const Qt::WindowFlags f = janela.windowFlags();
    QVERIFY(!(f & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint)));
    auto *barra = controle<QProgressBar>(janela, "pbTransferencia");
    QCOMPARE(barra->minimum(), 0);
    QCOMPARE(barra->maximum(), 100);
    QCOMPARE(barra->value(), 0);
    auto *lista = controle<QListWidget>(janela, "lstEmails");
    QCOMPARE(lista->count(), 0);
    QCOMPARE(lista->palette().color(QPalette::Base), QColor(Qt::white));
    auto *timer = controle<QTimer>(janela, "Timer");
    QCOMPARE(timer->interval(), 2000);
    QVERIFY(timer->isSingleShot());
    QVERIFY(!timer->isActive());

    // activation: bar back to 0, the working caption, the timer armed
    janela.Progress(40, 100);
    janela.show();
    QCOMPARE(janela.windowTitle(), QStringLiteral("Transmitindo arquivo para o Vorlin"));
    QCOMPARE(barra->value(), 0);
    QVERIFY(timer->isActive());
    QVERIFY(m_b->home.http.urls.isEmpty());
}

void TstFrmTransferencia::detalhes_data()
{
    QTest::addColumn<bool>("guardado");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<bool>("aberto");
    QTest::addColumn<bool>("erro");   // the value cannot be read as a truth value

    QTest::newRow("primeira vez, sem valor") << false << QString() << false << false;
    QTest::newRow("0") << true << QStringLiteral("0") << false << false;
    QTest::newRow("1") << true << QStringLiteral("1") << true << false;
    QTest::newRow("-1") << true << QStringLiteral("-1") << true << false;
    QTest::newRow("vazio") << true << QString() << false << true;
    QTest::newRow("texto") << true << QStringLiteral("sim") << false << true;
}

void TstFrmTransferencia::detalhes()
{
    QFETCH(bool, guardado);
    QFETCH(QString, valor);
    QFETCH(bool, aberto);
    QFETCH(bool, erro);

    Bancada &b = *m_b;
    if (guardado)
        b.home.config->grava(QStringLiteral("Config"), QStringLiteral("TransDetail"), valor);
    if (erro)
        b.home.ui.responde(plataforma::Resposta::Ok);

    // Opened as last time, with the design caption on the button either way; unfolded down to the
    // list, folded just below the buttons.
    const auto dobrada = [](const frmTransferencia &j) {
        return j.height() >= controle(j, "cmdOk")->geometry().bottom() && j.height() <= controle(j, "Line1")->y();
    };
    const auto desdobrada = [](const frmTransferencia &j) {
        return j.height() >= controle(j, "lstEmails")->geometry().bottom();
    };
    auto janela = b.abre();
    QCOMPARE(janela->blnShowDetail, aberto);
    QVERIFY(aberto ? desdobrada(*janela) : dobrada(*janela));
    QCOMPARE(controle<QPushButton>(*janela, "cmdDetalhes")->text(), QStringLiteral("Mostrar Detalhes"));
    QCOMPARE(b.home.ui.caixas.size(), erro ? 1 : 0);
    if (erro)
        QVERIFY(b.home.ui.caixas.first().caixa.texto.contains(QStringLiteral("frmTransferencia - Form_Load")));

    // each click turns the part over and names what the next click does
    auto *detalhes = controle<QPushButton>(*janela, "cmdDetalhes");
    detalhes->click();
    QCOMPARE(janela->blnShowDetail, !aberto);
    QVERIFY(aberto ? dobrada(*janela) : desdobrada(*janela));
    QCOMPARE(detalhes->text(), aberto ? QStringLiteral("Mostrar Detalhes") : QStringLiteral("Ocultar Detalhes"));

    // closing stores the choice, and the next window opens with it
    janela->Timer_Timer();
    controle<QPushButton>(*janela, "cmdOk")->click();
    QVERIFY(!janela->isVisible());
    QCOMPARE(b.transDetail(), aberto ? QStringLiteral("0") : QStringLiteral("1"));
    janela = b.abre();
    QCOMPARE(janela->blnShowDetail, !aberto);
    QVERIFY(aberto ? dobrada(*janela) : desdobrada(*janela));
}

void TstFrmTransferencia::timerPublicaUmaVez()
{
    Bancada &b = *m_b;
    const auto janela = b.abre();
    auto *timer = controle<QTimer>(*janela, "Timer");
    QVERIFY(timer->isActive());
    janela->Timer_Timer();
    QVERIFY(!timer->isActive());
    QVERIFY2(b.ambiente.Enviado(), qPrintable(b.ambiente.Erro()));
    QCOMPARE(b.registros(), 1);
    QCOMPARE(b.ftp.recebidos, kConteudo);
    QVERIFY(controle(*janela, "cmdOk")->isVisible());
    // the events of the upload reached this window
    QCOMPARE(controle<QProgressBar>(*janela, "pbTransferencia")->value(), 100);
    QCOMPARE(controle<QLabel>(*janela, "iblTituloArquivo")->text(), QStringLiteral("Arquivo Transmitido"));

    // nothing runs it again until the window is shown anew
    QCoreApplication::processEvents();
    QCOMPARE(b.registros(), 1);
    janela->hide();
    janela->show();
    QVERIFY(timer->isActive());
}

void TstFrmTransferencia::progresso_data()
{
    QTest::addColumn<qint64>("enviados");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<int>("barra");

    const qint64 giga = qint64(1) << 30;
    QTest::newRow("arquivo vazio") << qint64(0) << qint64(0) << 100;
    QTest::newRow("inicio") << qint64(0) << qint64(250) << 0;
    QTest::newRow("parte inteira so") << qint64(200) << qint64(300) << 66;
    QTest::newRow("quase") << qint64(999) << qint64(1000) << 99;
    QTest::newRow("completo") << qint64(250) << qint64(250) << 100;
    QTest::newRow("acima de 2 GiB") << 3 * giga << 4 * giga << 75;
    QTest::newRow("5 GiB, um pedaco") << qint64(100) << 5 * giga << 0;
    QTest::newRow("5 GiB completo") << 5 * giga << 5 * giga << 100;
    QTest::newRow("mais que o total") << qint64(300) << qint64(250) << 100;
}

void TstFrmTransferencia::progresso()
{
    QFETCH(qint64, enviados);
    QFETCH(qint64, total);
    QFETCH(int, barra);

    frmTransferencia janela(m_b->ambiente, m_b->funcs);
    janela.Progress(37, 100);
    janela.Progress(enviados, total);
    QCOMPARE(controle<QProgressBar>(janela, "pbTransferencia")->value(), barra);
}

void TstFrmTransferencia::mensagens_data()
{
    QTest::addColumn<int>("codigo");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<bool>("emVermelho");
    QTest::addColumn<QString>("empresa");
    QTest::addColumn<QString>("usuario");
    QTest::addColumn<QStringList>("lista");
    QTest::addColumn<bool>("caixa");

    const QString texto = QStringLiteral("Construtora Alicerce S/A");
    const QStringList antes{QStringLiteral("Iniciando Transmissão do Arquivo")};
    QTest::newRow("0 empresa") << 0 << kTituloInicial << false << texto << "Nome; Email" << antes << false;
    QTest::newRow("1 pessoa") << 1 << kTituloInicial << false << "Empresa" << texto << antes << false;
    QTest::newRow("2 linha no fim") << 2 << kTituloInicial << false << "Empresa" << "Nome; Email" << antes + QStringList{texto}
                                    << false;
    QTest::newRow("3 caixa") << 3 << kTituloInicial << false << "Empresa" << "Nome; Email" << antes << true;
    QTest::newRow("4 titulo") << 4 << texto << false << "Empresa" << "Nome; Email" << antes << false;
    QTest::newRow("5 titulo vermelho") << 5 << texto << true << "Empresa" << "Nome; Email" << antes << false;
    for (int outro : {-1, 6, 32767})
        QTest::addRow("%d nada", outro) << outro << kTituloInicial << false << "Empresa" << "Nome; Email" << antes
                                        << false;
}

void TstFrmTransferencia::mensagens()
{
    QFETCH(int, codigo);
    QFETCH(QString, titulo);
    QFETCH(bool, emVermelho);
    QFETCH(QString, empresa);
    QFETCH(QString, usuario);
    QFETCH(QStringList, lista);
    QFETCH(bool, caixa);

    Bancada &b = *m_b;
    if (caixa)
        b.home.ui.responde(plataforma::Resposta::Ok);
    const auto janela = b.abre();
    QCoreApplication::processEvents();   // the first paint
    classFtp vFtp(b.servicos.ftp, b.servicos.ui, janela.get());
    vFtp.Mensagem(2, QStringLiteral("Iniciando Transmissão do Arquivo"));
    Pinturas pinturas;
    janela->installEventFilter(&pinturas);

    vFtp.Mensagem(static_cast<qint16>(codigo), QStringLiteral("Construtora Alicerce S/A"));

    auto *iblTitulo = controle<QLabel>(*janela, "iblTituloArquivo");
    QCOMPARE(iblTitulo->text(), titulo);
    QCOMPARE(vermelho(iblTitulo), emVermelho);
    QCOMPARE(iblTitulo->size(), iblTitulo->sizeHint());
    QCOMPARE(controle<QLabel>(*janela, "iblEmpresa")->text(), empresa);
    QCOMPARE(controle<QLabel>(*janela, "iblUsuario")->text(), usuario);
    QCOMPARE(itens(controle<QListWidget>(*janela, "lstEmails")), lista);
    QCOMPARE(b.home.ui.caixas.size(), caixa ? 1 : 0);
    if (caixa) {
        const plataforma::Caixa &c = b.home.ui.caixas.first().caixa;
        QCOMPARE(c.texto, QStringLiteral("Construtora Alicerce S/A"));
        QCOMPARE(c.titulo, kSistema);
        QCOMPARE(c.icone, plataforma::Icone::Informacao);
    }
    // painted before the pipeline goes on, without waiting for the event loop
    if (codigo >= 0 && codigo <= 5)
        QVERIFY(pinturas.vezes > 0);
}

void TstFrmTransferencia::publicacaoComAvisos()
{
    Bancada &b = *m_b;
    b.respostaRegistro = linhas({kSistema, QStringLiteral("101*102")});
    b.listas[QStringLiteral("101")] = linhas({kSistema, QStringLiteral("Construtora Alicerce S/A"),
                                              QStringLiteral("Paulo Mendes;paulo@alicerce.com.br"),
                                              QStringLiteral("Sônia Prado;sonia@alicerce.com.br")});
    b.listas[QStringLiteral("102")] = linhas({kSistema, QStringLiteral("Clínica Sorriso"),
                                              QStringLiteral("Helena Castro;helena@sorriso.com.br")});
    const auto janela = b.abre();
    janela->Timer_Timer();

    QVERIFY2(b.ambiente.Enviado(), qPrintable(b.ambiente.Erro()));
    QCOMPARE(itens(controle<QListWidget>(*janela, "lstEmails")),
             (QStringList{"Iniciando Transmissão do Arquivo", "Arquivo Transmitido", "Iniciando processo de Avisos",
                          "Cliente: Construtora Alicerce S/A", "  Paulo Mendes <paulo@alicerce.com.br> - Enviado",
                          "  Sônia Prado <sonia@alicerce.com.br> - Enviado", "Cliente: Clínica Sorriso",
                          "  Helena Castro <helena@sorriso.com.br> - Enviado"}));
    QCOMPARE(controle<QLabel>(*janela, "iblEmpresa")->text(), QStringLiteral("Clínica Sorriso"));
    QCOMPARE(controle<QLabel>(*janela, "iblUsuario")->text(), QStringLiteral("Helena Castro <helena@sorriso.com.br>"));
    auto *titulo = controle<QLabel>(*janela, "iblTituloArquivo");
    QCOMPARE(titulo->text(), QStringLiteral("Arquivo Transmitido"));
    QVERIFY(!vermelho(titulo));
    QVERIFY(b.home.ui.caixas.isEmpty());

    controle<QPushButton>(*janela, "cmdOk")->click();
    QVERIFY(!janela->isVisible());
    QCOMPARE(janela->result(), int(QDialog::Accepted));
}

void TstFrmTransferencia::falhas_data()
{
    QTest::addColumn<QString>("passoFtp");     // the FTP step that fails; empty: none
    QTest::addColumn<int>("escritaFalha");      // the n-th write fails; 0: none
    QTest::addColumn<QString>("resposta");     // the registration reply
    QTest::addColumn<QString>("erro");

    const QString ftp = QStringLiteral("Erro\r\nNão foi possível transmitir o arquivo!");
    const QString aceito = linhas({kSistema, QStringLiteral("101")});
    QTest::newRow("login ftp recusado") << QStringLiteral("conecta") << 0 << aceito << ftp;
    QTest::newRow("escrita no meio") << QString() << 2 << aceito << ftp;
    QTest::newRow("registro recusado") << QString() << 0 << linhas({QStringLiteral("2"), QStringLiteral("Sessão expirada")})
                                       << QStringLiteral("Erro\r\nProblemas na criação do Registro de Transferência!\r\n"
                                                         "Sessão expirada");
}

void TstFrmTransferencia::falhas()
{
    QFETCH(QString, passoFtp);
    QFETCH(int, escritaFalha);
    QFETCH(QString, resposta);
    QFETCH(QString, erro);

    Bancada &b = *m_b;
    if (!passoFtp.isEmpty())
        b.ftp.falhas.insert(passoFtp, plataforma::FalhaFtp{12014, QStringLiteral("530 Login incorrect.")});
    b.ftp.falhaNaEscrita = escritaFalha;
    b.respostaRegistro = resposta;
    b.home.ui.responde(plataforma::Resposta::Ok);
    const auto janela = b.abre();
    janela->Timer_Timer();

    QVERIFY(!b.ambiente.Enviado());
    auto *titulo = controle<QLabel>(*janela, "iblTituloArquivo");
    QCOMPARE(titulo->text(), kVermelha);
    QVERIFY(vermelho(titulo));
    QCOMPARE(b.home.ui.caixas.size(), 1);
    const plataforma::Caixa &c = b.home.ui.caixas.first().caixa;
    QCOMPARE(c.texto, erro);
    QCOMPARE(c.titulo, kSistema);
    QCOMPARE(c.icone, plataforma::Icone::Informacao);
    // then "Ok", and the window waits for it
    QVERIFY(controle(*janela, "cmdOk")->isVisible());
    QVERIFY(janela->isVisible());
}

void TstFrmTransferencia::registroNaoValidado()
{
    Bancada &b = *m_b;
    b.ambiente.Enviar.setDescricao(QString());   // a description is required
    b.ambiente.Enviar.Validar(QStringLiteral("Balancete Março.pdf"));
    QVERIFY(!b.ambiente.Enviar.Validado());
    const auto janela = b.abre();
    janela->Timer_Timer();
    QVERIFY(b.registro.linhas.isEmpty());
    QVERIFY(b.home.http.urls.isEmpty());
    QVERIFY(b.home.ui.caixas.isEmpty());
    QVERIFY(!controle(*janela, "cmdOk")->isVisible());
    QVERIFY(!controle<QTimer>(*janela, "Timer")->isActive());
}

void TstFrmTransferencia::fechamento_data()
{
    QTest::addColumn<QString>("modo");   // "esc", "moldura" (the window system), "programa" (close())
    QTest::addColumn<bool>("durante");   // while the upload runs, else once it is over
    QTest::addColumn<bool>("fecha");

    for (const char *modo : {"esc", "moldura", "programa"})
        QTest::addRow("%s durante o envio", modo) << QString::fromLatin1(modo) << true << false;
    QTest::newRow("esc depois") << QStringLiteral("esc") << false << false;
    QTest::newRow("moldura depois") << QStringLiteral("moldura") << false << false;
    QTest::newRow("programa depois") << QStringLiteral("programa") << false << true;
}

void TstFrmTransferencia::fechamento()
{
    QFETCH(QString, modo);
    QFETCH(bool, durante);
    QFETCH(bool, fecha);

    Bancada &b = *m_b;
    const auto janela = b.abre();
    const auto tenta = [&] {
        if (modo == QLatin1String("esc")) {
            QTest::keyClick(janela.get(), Qt::Key_Escape);
        } else if (modo == QLatin1String("moldura")) {
            // what the window system's close reaches the widget as
            QCloseEvent e;
            QCoreApplication::sendEvent(janela->windowHandle(), &e);
        } else {
            janela->close();
        }
    };
    bool abertaDurante = true;
    bool okDurante = true;
    bool detalhesDurante = false;
    b.ftp.aoEscrever = [&](int n) {
        if (n != 1 || !durante)
            return;
        tenta();
        abertaDurante = janela->isVisible();
        okDurante = controle(*janela, "cmdOk")->isVisible();
        // folding and unfolding is all the user can do meanwhile
        controle<QPushButton>(*janela, "cmdDetalhes")->click();
        detalhesDurante = janela->blnShowDetail;
    };
    janela->Timer_Timer();
    QVERIFY2(b.ambiente.Enviado(), qPrintable(b.ambiente.Erro()));

    if (durante) {
        QVERIFY(abertaDurante);
        QVERIFY(!okDurante);
        QVERIFY(detalhesDurante);
        QVERIFY(janela->isVisible());
        return;
    }
    tenta();
    QCOMPARE(!janela->isVisible(), fecha);
    if (fecha)
        QCOMPARE(b.transDetail(), QStringLiteral("0"));
}

QTEST_MAIN(TstFrmTransferencia)
#include "tst_frmtransferencia.moc"
