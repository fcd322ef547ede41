#pragma once
// The login window: domain, login and password for a portal session, and "GERAR PDF" so that a
// user without portal access can still keep the document. The main window shows it modally with
// exec() and checks the session again once it has closed. Split by concern:
//   frmLogin_controles.cpp  the controls, their pictures and layout
//   frmLogin.cpp            load, activate, the commands and the close check
#include <QDialog>
#include <QString>
#include <functional>

class classAmbiente;
class ModFuncs;
class CampoSenha;
class QFrame;
class QLabel;
class QLineEdit;
class QToolBar;
class QToolButton;

class frmLogin : public QDialog {
    Q_OBJECT
public:
    // modoDebug: the program-wide debug flag; a successful login copies the session's bDebug there.
    frmLogin(classAmbiente &ambiente, ModFuncs &funcs, bool &modoDebug, QWidget *parent = nullptr);
    ~frmLogin() override;

    // command routines
    void suEntrar();
    void cmdSalvar_Click();   // "GERAR PDF": the save flow, no session needed
    void cmdSair_Click();     // "CANCELAR": closing, through the close check
    void tbLogin_ButtonClick(const QString &chave);

    // Every way of closing (a successful login, "CANCELAR", Esc, the close box, another window
    // closing this one) ends here and passes the close check first.
    void done(int resultado) override;

protected:
    void showEvent(QShowEvent *evento) override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    struct Controles {
        QLabel *imgLogin = nullptr;
        QLabel *lblAviso = nullptr;
        QLabel *lblInstrucao = nullptr;
        QLabel *lblDominio = nullptr;
        QLabel *lblLogin = nullptr;
        QLabel *lblSenha = nullptr;
        QLineEdit *txtDominio = nullptr;
        QLineEdit *txtLogin = nullptr;
        CampoSenha *txtSenha = nullptr;
        QFrame *fraBotoes = nullptr;
        QToolButton *cmdSalvar = nullptr;
        QToolButton *cmdMultiplos = nullptr;
        QToolButton *cmdSair = nullptr;
        QToolBar *tbLogin = nullptr;
    };

    // frmLogin_controles.cpp
    void MontaControles();
    void MontaBotoes();
    void MostraVariante(bool barraDeFerramentas);
    void centraNaTela();

    // frmLogin.cpp
    void Form_Load();
    void Form_Activate();
    bool Form_Unload();   // the close check: false keeps the window open
    void txtSenha_KeyPress();
    void avisa(const QString &texto, bool critico);
    bool passo(const char *procedimento, const std::function<void()> &acao);

    classAmbiente &m_ambiente;
    ModFuncs &m_funcs;
    bool &m_modoDebug;
    Controles c;
    bool m_fechando = false;   // the close check is running
};
