#pragma once
// The main window: start-up window of the program and home of the captured document's commands.
// It owns the environment object from its load to its unload. Split by concern:
//   frmMain_controles.cpp  the controls and their layout
//   frmMain_ciclo.cpp      load, exit check, closing sequence, size guard, keyboard
//   frmMain_comandos.cpp   the command routines
//   frmMain_ajuda.cpp      the hint table and the hovers
//   frmMain_painel.cpp     the side panel: storage space, connectivity, tips
#include "platform/Servicos.h"

#include <QSize>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class classAmbiente;
class ModFuncs;
class frmConsulta;
class frmInform;
class frmLogin;
class QCheckBox;
class QFrame;
class QLabel;
class QTimer;
class QToolBar;
class QToolButton;

class frmMain : public QWidget {
    Q_OBJECT
public:
    // The windows the main window opens modally. Each defaults to the real window; tests replace
    // them so that nothing waits for a user.
    struct Janelas {
        std::function<void(QWidget *pai)> splash;
        // Shows the login window, already loaded, and returns once it has closed (default: exec).
        std::function<void(frmLogin &janela)> login;
        // Shows the publication dialog, created by suEnviar with its LogOff set, and returns once
        // it has closed (default: exec).
        std::function<void(frmInform &dialogo)> publicacao;
        // Shows the history window, created by suRelatorio while the query object exists, and
        // returns once it has closed (default: exec).
        std::function<void(frmConsulta &janela)> consulta;
    };

    struct Dica {
        QString titulo;
        QString texto;
    };

    // outer size kept by the size guard: 7615 x 7335 twips
    static QSize TamanhoExterno();

    frmMain(plataforma::Servicos &servicos, ModFuncs &funcs, QWidget *parent = nullptr);
    frmMain(plataforma::Servicos &servicos, ModFuncs &funcs, Janelas janelas, QWidget *parent = nullptr);
    ~frmMain() override;

    // Start-up: the load sequence, then the window is shown unless it was marked for closing.
    void Carrega(const QString &linhaComando);

    // window state
    bool Ativo = false;        // commands and most hints act only while set
    bool FecharAgora = false;  // close at the next exit check
    bool ModoDebug = false;    // set by the login window after a login

    // null before the load and after the unload
    classAmbiente *ambiente() const { return m_ambiente.get(); }
    const QString &pastaPrograma() const { return m_pastaPrograma; }

    // caption, office label and log-off check box from the session values
    void MostraSessao();

    // command routines
    void suSalvarLocal();
    void suVizualisar();
    void suFechar();
    void suEnviar();            // storage check, then the publication dialog
    void suRelatorio();         // the history window with its query object
    void cmdEnviar_Click();     // directory synchronisation, then suEnviar
    void cmdSalvaEnvia_Click();
    void cmdConsulta_Click();   // the portal's report page in the browser
    void tbBotoes_ButtonClick(const QString &chave);

    // login check of start-up: the login window when no session is valid
    void Logado();

    // exit check, run by tmrSair every 3000 ms
    void Sair();

    // hint area and side panel
    std::array<Dica, 12> Ajuda;
    int AjudaAtual = 0;
    void CarregaAjuda();
    void MostraAjuda(int indice);
    void suInternet(bool semTestar);
    void tbEspaco_ButtonClick();   // storage refresh
    void tbDica_Click();           // next tip
    // The storage text of the hint area; `disponivel` tells whether space is left.
    QString fuTextoEspaco(bool &disponivel);
    // Bytes as kilobytes: one decimal, a tie to the even digit, decimal comma, no trailing zero.
    static QString Kbytes(double bytes);

Q_SIGNALS:
    // The closing sequence has finished: the environment object is released, the program ends.
    void encerrado();

protected:
    void closeEvent(QCloseEvent *evento) override;
    void resizeEvent(QResizeEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    struct Controles {
        QLabel *IblEmpresa = nullptr;
        QLabel *imgPDF = nullptr;
        QLabel *iblDicaTitulo = nullptr;
        QLabel *iblDicaTexto = nullptr;
        QFrame *fraBotoes = nullptr;
        QToolButton *cmdGerar = nullptr;
        QToolButton *cmdEnviar = nullptr;
        QToolButton *cmdSalvaEnvia = nullptr;
        QToolButton *cmdVisualiza = nullptr;
        QToolButton *cmdConsulta = nullptr;
        QToolButton *cmdCancela = nullptr;
        QFrame *fraLatNor = nullptr;
        QLabel *picEspaco = nullptr;
        QLabel *picInternet = nullptr;
        QLabel *picDica = nullptr;
        QCheckBox *chkLogOff = nullptr;
        QTimer *tmrSair = nullptr;
        QToolBar *tbBotoes = nullptr;
        QFrame *fraLatEsp = nullptr;
        QToolBar *tbEspaco = nullptr;
        QToolBar *tbInternet = nullptr;
        QToolBar *tbDica = nullptr;
    };

    // frmMain_controles.cpp
    void MontaControles();
    void MontaBotoes(QWidget *area);
    void MontaPainelLateral(QWidget *area);
    void MostraVariante(bool barraDeFerramentas);
    void centraNaTela();

    // frmMain_ciclo.cpp
    void Form_Load(const QString &linhaComando);
    bool Form_QueryUnload();
    void Form_Unload();
    void Form_Resize();
    void Form_KeyPress(int tecla);
    void FechaOutrasJanelas();
    void LiberaAmbiente();

    // frmMain_ajuda.cpp
    void DicaDoControle(QObject *controle);
    bool CliqueNoPainel(QObject *controle);

    // frmMain_painel.cpp
    bool TestaInternet();
    void suDica(const char *procedimento);
    void MostraVerificandoEspaco();

    // frmMain_comandos.cpp
    void avisa(const QString &texto, plataforma::Icone icone);

    // the environment object; a routine that needs it while it is missing fails like any step
    classAmbiente &amb() const;
    bool passo(const char *procedimento, const std::function<void()> &acao);

    plataforma::Servicos &m_servicos;
    ModFuncs &m_funcs;
    Janelas m_janelas;
    Controles c;
    std::unique_ptr<classAmbiente> m_ambiente;
    QString m_pastaPrograma;
    bool m_fechando = false;      // the closing question is open
    bool m_descarregada = false;  // the closing sequence has finished
    bool m_guardandoTamanho = false;
};
