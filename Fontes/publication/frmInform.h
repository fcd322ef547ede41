#pragma once
// The publication dialog "Informações sobre arquivo": the files of this publication, each with its
// own settings (description, dates, observation, folder, parameters, clients, users), and the
// confirmation that validates every checked file and then sends or queues it. The main window
// creates one for every publication, sets LogOff, shows it modally and reads LogOff and ShutDown.
// Split by concern:
//   frmInform.cpp                  load, the values handed back, closing, keyboard
//   frmInform_controles.cpp        the frame's controls and the command bars
//   frmInform_arquivos.cpp         file list, dropped files, switching files, the edits
//   frmInform_comandos.cpp         confirmation and the commands
//   frmInform_destinatarios.*      wallets, clients, users, logo (its own class)
//   frmInform_pastas.*             folders and parameters (its own class)
#include "publication/ConfirmacaoInform.h"
#include "publication/DadosArquivo.h"
#include "publication/PortalInform.h"
#include "publication/frmInform_contexto.h"
#include "portal/classURL.h"

#include <QDialog>
#include <QList>
#include <functional>
#include <memory>

class classAmbiente;
class ModFuncs;
class InformDestinatarios;
class InformPastas;
class SeletorData;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QToolBar;
class QToolButton;

class frmInform : public QDialog {
    Q_OBJECT
public:
    // What the dialog opens or calls outside itself; tests replace them so nothing waits for a user.
    struct Janelas {
        // Shows the transfer window modally for the environment's current file (default: the
        // transfer window, which publishes it).
        std::function<void(frmInform &dialogo)> transferencia;
        // Queues the environment's current file (default: the send queue).
        std::function<bool()> enfileirar;
        // Ends the program at once after a send with "Fechar ao Enviar" (default: exit).
        std::function<void()> encerrar;
    };

    frmInform(classAmbiente &ambiente, ModFuncs &funcs, QWidget *parent = nullptr);
    frmInform(classAmbiente &ambiente, ModFuncs &funcs, Janelas janelas, QWidget *parent = nullptr);
    ~frmInform() override;

    // values handed to and back from the main window (check states 0 or 1)
    qint16 LogOff = 0;     // in: the main window's log-off-on-exit; out: "Fazer Logoff"
    qint16 ShutDown = 0;   // out: "Fechar ao Enviar", once the file was sent or queued
    void setToDoLogOff(qint16) {}
    // Item data of the combo's selected entry, or -1.
    static qint32 IdCarteira(const QComboBox &objCombo);

    // the load sequence; runs once, when the dialog is first shown
    void Form_Load();

    // commands
    void suConfirmar(publicacao::ConfirmacaoInform::Modo modo);
    void suCancelar();
    void cmdEnviar_Click();
    void cmdGerar_Click();
    void tbEnviar_ButtonClick(const QString &chave);

    // the file list
    void lstArquivos_OLEDragDrop(const QStringList &caminhos);
    void lstArquivos_Click();
    void RestauraDados();

    // one record per entry of the file list, in the same order
    const QList<publicacao::DadosArquivo> &Dados() const { return m_dados; }
    publicacao::DadosArquivo *atual();

    bool Restaurando = false;

    InformDestinatarios &destinatarios() const { return *m_destinatarios; }
    InformPastas &pastas() const { return *m_pastas; }

    // Every close (a command, Esc, the close box, a queued confirmation) passes the close check.
    void done(int resultado) override;

protected:
    void showEvent(QShowEvent *evento) override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    struct Controles {
        QLabel *lblArquivos = nullptr;
        QListWidget *lstArquivos = nullptr;
        QLabel *Label4 = nullptr;
        QLineEdit *txtDescricao = nullptr;
        QLabel *Label8 = nullptr;
        SeletorData *dtpAtivacao = nullptr;
        QLabel *Label1 = nullptr;
        SeletorData *dtpExpiracao = nullptr;
        QLabel *iblObs = nullptr;
        QPlainTextEdit *txtObs = nullptr;
        QLabel *iblObsChars = nullptr;
        QCheckBox *chkCloseOnEnd = nullptr;
        QCheckBox *chkEfeuarLogoff = nullptr;
        QToolBar *tbEnviar = nullptr;
        QFrame *fraBotoes = nullptr;
        QToolButton *cmdGerar = nullptr;
        QToolButton *cmdEnviar = nullptr;
        QToolButton *cmdCancela = nullptr;
    };

    // frmInform_controles.cpp
    void MontaControles();
    void MontaComandos();
    void MostraVariante(bool barraDeFerramentas);

    // frmInform_arquivos.cpp
    void AdicionaArquivo(const publicacao::DadosArquivo &dados, bool marcado);
    void txtDescricao_Change();
    void txtObs_Change();
    void dtpAtivacao_Change();
    void dtpExpiracao_Change();
    void chkCloseOnEnd_Click();
    // the key filter of the description, observation and parameter boxes
    static bool teclaRecusada(const QString &texto);

    // frmInform.cpp
    bool Form_QueryUnload();
    void Caption();
    bool passo(const char *procedimento, const std::function<void()> &acao);

    classAmbiente &m_ambiente;
    ModFuncs &m_funcs;
    Janelas m_janelas;
    classURL m_url;
    publicacao::PortalInform m_portal;
    ContextoInform m_ctx;
    Controles c;
    InformDestinatarios *m_destinatarios = nullptr;
    InformPastas *m_pastas = nullptr;
    QList<publicacao::DadosArquivo> m_dados;
    bool m_carregado = false;
    bool m_fechando = false;    // a close was accepted: further closes go straight through
    bool m_perguntando = false; // the close question is open
};
