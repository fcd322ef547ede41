// The login window's life and commands: load, activate, the focus and key events, suEntrar,
// "GERAR PDF", the hidden toolbar and the close check.
#include "portal/frmLogin.h"

#include "platform/UiServices.h"
#include "portal/frmLogin_CampoSenha.h"
#include "shell/ModFuncs.h"
#include "shell/classAmbiente.h"

#include <QAction>
#include <QEvent>
#include <QToolBar>
#include <QToolButton>
#include <QLineEdit>
#include <QShowEvent>

using plataforma::Botoes;
using plataforma::Caixa;
using plataforma::Icone;
using plataforma::Resposta;

namespace {

const QString kModulo = QStringLiteral("frmLogin");

// session-length code of a login made here: seven days
constexpr int kTLoginJanela = 5;

} // namespace

frmLogin::frmLogin(classAmbiente &ambiente, ModFuncs &funcs, bool &modoDebug, QWidget *parent)
    : QDialog(parent), m_ambiente(ambiente), m_funcs(funcs), m_modoDebug(modoDebug)
{
    MontaControles();
    Form_Load();
}

frmLogin::~frmLogin() = default;

bool frmLogin::passo(const char *procedimento, const std::function<void()> &acao)
{
    return m_funcs.Passo(kModulo, QString::fromLatin1(procedimento), acao);
}

void frmLogin::avisa(const QString &texto, bool critico)
{
    Caixa caixa;
    caixa.texto = texto;
    caixa.titulo = m_ambiente.Sistema();
    caixa.icone = critico ? Icone::Erro : Icone::Exclamacao;
    caixa.botoes = Botoes::Ok;
    caixa.padrao = Resposta::Ok;
    m_ambiente.servicos().ui.mensagem(caixa);
}

void frmLogin::Form_Load()
{
    const char *const proc = "Form_Load";
    passo(proc, [&] { MostraVariante(m_funcs.AcertaCor()); });
    passo(proc, [&] { setWindowTitle(m_ambiente.Sistema() + QStringLiteral(" - Autenticação de Usuário")); });
    // the domain and login of the last successful login
    passo(proc, [&] { c.txtDominio->setText(m_ambiente.Dominio); });
    passo(proc, [&] { c.txtLogin->setText(m_ambiente.Login); });
    // opened without a document (the history or the queue from the desktop): nothing to save
    passo(proc, [&] {
        const bool temDocumento = !m_ambiente.arquivo().isEmpty();
        c.cmdSalvar->setVisible(temDocumento);
        if (QAction *salvar = c.tbLogin->findChild<QAction *>(QStringLiteral("keySalvar")))
            salvar->setVisible(temDocumento);
    });
}

void frmLogin::Form_Activate()
{
    passo("Form_Activate", [&] {
        if (!c.txtLogin->text().isEmpty())
            c.txtSenha->setFocus();
    });
}

void frmLogin::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (evento->spontaneous())
        return;
    centraNaTela();
    // Runs before the dialog hands the focus to its focus widget, so the password box gets it.
    Form_Activate();
}

bool frmLogin::eventFilter(QObject *objeto, QEvent *evento)
{
    if (evento->type() == QEvent::FocusIn && (objeto == c.txtDominio || objeto == c.txtLogin))
        static_cast<QLineEdit *>(objeto)->selectAll();
    return QDialog::eventFilter(objeto, evento);
}

void frmLogin::txtSenha_KeyPress()
{
    // Enter logs in only once something was typed; blanks are refused by suEntrar itself.
    if (!c.txtSenha->text().isEmpty())
        suEntrar();
}

void frmLogin::suEntrar()
{
    const char *const proc = "suEntrar";
    // Autentica gets the texts as typed; only the emptiness checks look at them trimmed.
    QString dominio;
    QString login;
    QString senha;
    passo(proc, [&] {
        dominio = c.txtDominio->text();
        login = c.txtLogin->text();
        senha = c.txtSenha->text();
    });

    struct Exigido {
        const QString &texto;
        QLineEdit *campo;
        QString mensagem;
    };
    const Exigido exigidos[] = {
        {dominio, c.txtDominio, QStringLiteral("O Domínio deve ser preenchido!")},
        {login, c.txtLogin, QStringLiteral("O Login deve ser preenchido!")},
        {senha, c.txtSenha, QStringLiteral("O Senha deve ser preenchido!")},
    };
    for (const Exigido &e : exigidos) {
        bool vazio = false;
        passo(proc, [&] {
            if (!e.texto.trimmed().isEmpty())
                return;
            vazio = true;
            avisa(e.mensagem, false);
            e.campo->setFocus();
        });
        if (vazio)
            return;
    }

    plataforma::UiServices &ui = m_ambiente.servicos().ui;
    passo(proc, [&] { ui.cursorOcupado(true); });
    // A reply the session cannot read raises out of Autentica: it is reported, and then the
    // current Erro is shown like any refusal.
    bool autenticado = false;
    passo(proc, [&] { autenticado = m_ambiente.Autentica(dominio, login, senha, kTLoginJanela); });
    if (!autenticado)
        passo(proc, [&] { avisa(m_ambiente.Erro(), true); });
    passo(proc, [&] { ui.cursorOcupado(false); });

    // A login the portal accepted may still fail its confirmation: then nothing is shown.
    bool logado = false;
    passo(proc, [&] { logado = m_ambiente.Logado(); });
    if (logado) {
        passo(proc, [&] { m_modoDebug = m_ambiente.bDebug; });
        passo(proc, [&] { accept(); });
    } else {
        passo(proc, [&] { c.txtSenha->clear(); });
    }
}

void frmLogin::cmdSalvar_Click()
{
    if (m_ambiente.arquivo().isEmpty())
        return;
    passo("cmdSalvar_Click", [&] { m_funcs.SalvarComo(m_ambiente, QString()); });
}

void frmLogin::cmdSair_Click()
{
    reject();
}

void frmLogin::tbLogin_ButtonClick(const QString &chave)
{
    passo("tbLogin_ButtonClick", [&] {
        if (chave == QLatin1String("keySalvar")) {
            if (!m_ambiente.arquivo().isEmpty())
                m_funcs.SalvarComo(m_ambiente, QString());
        }
        else if (chave == QLatin1String("keyEntrar"))
            suEntrar();
        else if (chave == QLatin1String("keyCancelar"))
            reject();
    });
}

void frmLogin::done(int resultado)
{
    // One close check at a time: a second request while the question is open is ignored.
    if (m_fechando)
        return;
    m_fechando = true;
    const bool fecha = Form_Unload();
    m_fechando = false;
    if (fecha)
        QDialog::done(resultado);
}

bool frmLogin::Form_Unload()
{
    const char *const proc = "Form_Unload";
    bool logado = false;
    passo(proc, [&] { logado = m_ambiente.Logado(); });
    if (logado)
        return true;
    bool sai = true;
    passo(proc, [&] {
        Caixa caixa;
        caixa.texto = QStringLiteral("Você não esta Logado.\r\nDeseja realmente sair?");
        caixa.icone = Icone::Pergunta;
        caixa.botoes = Botoes::SimNao;
        caixa.padrao = Resposta::Nao;
        sai = m_ambiente.servicos().ui.mensagem(caixa) == Resposta::Sim;
    });
    return sai;
}
