// The main window's life: the load sequence, the exit check, the closing sequence, the size guard
// and the keyboard.
#include "shell/frmMain.h"

#include "platform/ErrorCodes.h"
#include "platform/Folders.h"
#include "history/frmConsulta.h"
#include "portal/frmLogin.h"
#include "publication/frmInform.h"
#include "shell/ModFuncs.h"
#include "shell/classAmbiente.h"
#include "shell/frmSplash.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLocale>
#include <QThread>
#include <QTimer>
#include <QWindow>

using plataforma::CodigoErro;
using plataforma::ErroPrograma;

namespace {

const QString kModulo = QStringLiteral("frmMain");

// A setting compared with a number: text that is no number fails like a type mismatch.
double comoNumero(const QString &texto)
{
    const QString t = texto.trimmed();
    bool ok = false;
    double v = QLocale(QLocale::Portuguese, QLocale::Brazil).toDouble(t, &ok);
    if (!ok)
        v = QLocale::c().toDouble(t, &ok);
    if (!ok)
        throw ErroPrograma(CodigoErro::TiposIncompativeis);
    return v;
}

// The program's other open windows, oldest first.
QList<QWidget *> outrasJanelas(const QWidget *principal)
{
    const QList<QWindow *> ordem = QGuiApplication::topLevelWindows();
    QList<QWidget *> janelas;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w == principal || !w->isVisible())
            continue;
        const Qt::WindowType tipo = w->windowType();
        if (tipo == Qt::ToolTip || tipo == Qt::Popup || tipo == Qt::Desktop)
            continue;
        janelas << w;
    }
    std::stable_sort(janelas.begin(), janelas.end(), [&ordem](QWidget *a, QWidget *b) {
        return ordem.indexOf(a->windowHandle()) < ordem.indexOf(b->windowHandle());
    });
    return janelas;
}

void splashPadrao(QWidget *)
{
    frmSplash splash;
    splash.exec();
}

void loginPadrao(frmLogin &janela)
{
    janela.exec();
}

void publicacaoPadrao(frmInform &dialogo)
{
    dialogo.exec();
}

void consultaPadrao(frmConsulta &janela)
{
    janela.exec();
}

} // namespace

frmMain::frmMain(plataforma::Servicos &servicos, ModFuncs &funcs, QWidget *parent)
    : frmMain(servicos, funcs, Janelas{}, parent)
{
}

frmMain::frmMain(plataforma::Servicos &servicos, ModFuncs &funcs, Janelas janelas, QWidget *parent)
    : QWidget(parent), m_servicos(servicos), m_funcs(funcs), m_janelas(std::move(janelas))
{
    if (!m_janelas.splash)
        m_janelas.splash = &splashPadrao;
    if (!m_janelas.login)
        m_janelas.login = &loginPadrao;
    if (!m_janelas.publicacao)
        m_janelas.publicacao = &publicacaoPadrao;
    if (!m_janelas.consulta)
        m_janelas.consulta = &consultaPadrao;
    MontaControles();
}

frmMain::~frmMain() = default;

classAmbiente &frmMain::amb() const
{
    if (!m_ambiente)
        throw ErroPrograma(CodigoErro::ObjetoNaoDefinido);
    return *m_ambiente;
}

bool frmMain::passo(const char *procedimento, const std::function<void()> &acao)
{
    return m_funcs.Passo(kModulo, QString::fromLatin1(procedimento), acao);
}

void frmMain::Carrega(const QString &linhaComando)
{
    Form_Load(linhaComando);
    if (!FecharAgora) {
        centraNaTela();
        show();
    }
}

void frmMain::Form_Load(const QString &linhaComando)
{
    const char *const proc = "Form_Load";
    passo(proc, [&] { m_ambiente = std::make_unique<classAmbiente>(m_servicos); });

    passo(proc, [&] { MostraVariante(m_funcs.AcertaCor()); });

    passo(proc, [&] {
        m_pastaPrograma = ModFuncs::PastaEspecial() + plataforma::separador() + QStringLiteral("VorlinPrinter")
            + plataforma::separador();
        ModoDebug = false;
    });

    passo(proc, [&] { m_janelas.splash(this); });

    // The printer may put a three-character option ("-x ") before the path.
    QString caminho = linhaComando.trimmed();
    passo(proc, [&] {
        if (caminho.startsWith(QLatin1Char('-'))) {
            if (caminho.size() < 3)
                throw ErroPrograma(CodigoErro::ArgumentoInvalido);   // nothing to drop: keep it
            caminho = caminho.mid(3);
        }
    });

    passo(proc, [&] {
        if (!amb().Inicia(false, caminho)) {
            m_servicos.ui.mensagem({amb().Erro(), amb().Sistema(), plataforma::Icone::Erro});
            FecharAgora = true;
        }
    });

    passo(proc, [&] { Logado(); });

    if (FecharAgora) {
        passo(proc, [&] { hide(); });
    } else {
        passo(proc, [&] { MostraSessao(); });
        passo(proc, [&] { suInternet(true); });
        passo(proc, [&] { CarregaAjuda(); });
    }

    passo(proc, [&] {
        c.tmrSair->start();
        Ativo = true;
    });
}

void frmMain::MostraSessao()
{
    const char *const proc = "Form_Load";
    passo(proc, [&] {
        setWindowTitle(amb().Sistema() + QStringLiteral(" [") + amb().Usuario + QStringLiteral("]"));
    });
    passo(proc, [&] { c.IblEmpresa->setText(amb().Escritorio); });
    passo(proc, [&] {
        c.chkLogOff->setChecked(false);
        c.chkLogOff->setVisible(amb().TLogin != 0);
    });
}

void frmMain::Logado()
{
    const char *const proc = "Logado";
    bool logado = false;
    passo(proc, [&] { logado = amb().Logado(); });
    if (logado)
        return;

    passo(proc, [&] {
        frmLogin janela(amb(), m_funcs, ModoDebug, this);
        m_janelas.login(janela);
    });

    passo(proc, [&] { logado = amb().Logado(); });
    if (logado)
        return;

    passo(proc, [&] {
        m_servicos.ui.mensagem({QStringLiteral("Não foi possível iniciar o serviço de impressão de PDF!\r\n"
                                               "O programa esta sendo encerrado!"),
                                amb().Sistema(), plataforma::Icone::Exclamacao});
    });
    FecharAgora = true;
}

void frmMain::Sair()
{
    bool fechar = false;
    // A value that is not a number makes the comparison fail; that counts as a request to close.
    if (!passo("Sair", [&] {
            fechar = comoNumero(m_servicos.config.le(QStringLiteral("Config"), QStringLiteral("CloseNow"),
                                                     QStringLiteral("0"))) == 1;
        }))
        fechar = true;
    if (fechar)
        FecharAgora = true;
    passo("Sair", [&] {
        if (FecharAgora)
            close();
    });
}

void frmMain::closeEvent(QCloseEvent *evento)
{
    if (m_descarregada) {
        evento->accept();
        return;
    }
    // The exit check keeps firing while the closing question is open; one question is enough.
    if (m_fechando) {
        evento->ignore();
        return;
    }
    m_fechando = true;
    const bool fecha = Form_QueryUnload();
    m_fechando = false;
    if (!fecha) {
        evento->ignore();
        return;
    }
    Form_Unload();
    evento->accept();
}

bool frmMain::Form_QueryUnload()
{
    const char *const proc = "Form_Unload";
    bool perguntar = true;
    passo(proc, [&] {
        if (FecharAgora && !amb().Logado())
            perguntar = false;
    });
    if (!perguntar)
        return true;

    bool fica = false;
    passo(proc, [&] {
        const classAmbiente &a = amb();
        if (a.Enviado() || a.Salvo() || a.Enfileirado())
            return;
        plataforma::Caixa caixa;
        caixa.texto = QStringLiteral("Deseja realmente sair?");
        caixa.icone = plataforma::Icone::Pergunta;
        caixa.botoes = plataforma::Botoes::SimNao;
        caixa.padrao = plataforma::Resposta::Nao;
        fica = m_servicos.ui.mensagem(caixa) == plataforma::Resposta::Nao;
    });
    if (!fica)
        return true;

    Ativo = true;
    FecharAgora = false;
    // A window that start-up kept hidden is shown now: the user chose to stay, and a program
    // with no visible window could not be closed any more.
    if (!isVisible()) {
        centraNaTela();
        show();
    }
    return false;
}

void frmMain::Form_Unload()
{
    const char *const proc = "Form_Unload";
    passo(proc, [&] {
        if (c.chkLogOff->isChecked())
            amb().LogOff();
    });
    passo(proc, [&] { FechaOutrasJanelas(); });
    passo(proc, [&] {
        c.tmrSair->stop();
        Ativo = false;
        m_descarregada = true;
    });
    LiberaAmbiente();
}

void frmMain::LiberaAmbiente()
{
    // "CloseNow" can arrive while a modal window runs (a transfer in the middle of Envia): the
    // windows closed above still use the environment object until their loops have returned.
    if (QThread::currentThread()->loopLevel() > 1) {
        QTimer::singleShot(100, this, [this] { LiberaAmbiente(); });
        return;
    }
    passo("Form_Unload", [&] { m_ambiente.reset(); });   // deletes the current document file
    Q_EMIT encerrado();
}

void frmMain::FechaOutrasJanelas()
{
    // Newest first; stop when a window refuses to close.
    const int total = outrasJanelas(this).size();
    for (int i = total - 1; i >= 0; --i) {
        const QList<QWidget *> abertas = outrasJanelas(this);
        if (abertas.isEmpty())
            break;
        const int antes = abertas.size();
        abertas.at(qMin(i, antes - 1))->close();
        if (outrasJanelas(this).size() >= antes)
            break;
    }
}

void frmMain::resizeEvent(QResizeEvent *evento)
{
    QWidget::resizeEvent(evento);
    Form_Resize();
}

void frmMain::Form_Resize()
{
    if (m_guardandoTamanho || (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const QSize moldura = frameGeometry().size() - geometry().size();
    if (size() + moldura == TamanhoExterno())
        return;
    m_guardandoTamanho = true;
    resize(TamanhoExterno() - moldura);
    m_guardandoTamanho = false;
    // a resize from inside a resize does not reach the layout by itself
    if (QLayout *l = layout())
        l->invalidate();
}

void frmMain::keyPressEvent(QKeyEvent *evento)
{
    if (evento->key() == Qt::Key_Escape) {
        evento->accept();
        Form_KeyPress(27);
        return;
    }
    QWidget::keyPressEvent(evento);
}

void frmMain::Form_KeyPress(int tecla)
{
    // Esc closes at once; "Cancelar" would only close at the next exit check.
    if (tecla == 27)
        close();
}
