#pragma once
// The transfer window: publishes the environment's current file and shows how it goes. The
// publication dialog shows it modally and reads the environment's Enviado once it has closed.
// 2000 ms after it is shown its timer runs the publish pipeline with a classFtp of its own, whose
// Progress moves the bar and whose Mensagem writes the labels and the notice list. Split by concern:
//   frmTransferencia_controles.cpp  the controls and their places
//   frmTransferencia.cpp            load, activate, the timer, the commands, closing, the events
#include "transfer/classFtp.h"

#include <QDialog>
#include <functional>
#include <memory>

class classAmbiente;
class ModFuncs;
class QFrame;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTimer;

class frmTransferencia : public QDialog, public classFtp::Ouvinte {
    Q_OBJECT
public:
    frmTransferencia(classAmbiente &ambiente, ModFuncs &funcs, QWidget *parent = nullptr);
    ~frmTransferencia() override;

    // Height for the details shown (down to the notice list) or folded (just below the buttons).
    void Dimensiona();
    bool blnShowDetail = false;

    // the timer's handler; tests call it instead of waiting for the timer
    void Timer_Timer();
    void cmdDetalhes_Click();
    void cmdOk_Click();

    // classFtp's events; Geral is not listened to
    void Progress(qint64 vPercentual, qint64 vTotal) override;
    void Mensagem(qint16 vCodigo, const QString &vMensagem) override;

    // Only "Ok" closes the window, and nothing does while the pipeline runs; a close the program
    // itself asks for afterwards goes through. Every close stores the details choice.
    void done(int resultado) override;

protected:
    void showEvent(QShowEvent *evento) override;
    void closeEvent(QCloseEvent *evento) override;
    void keyPressEvent(QKeyEvent *evento) override;

private:
    struct Controles {
        QLabel *iblTituloArquivo = nullptr;
        QProgressBar *pbTransferencia = nullptr;
        QPushButton *cmdDetalhes = nullptr;
        QPushButton *cmdOk = nullptr;
        QFrame *Line1 = nullptr;
        QLabel *iblAvisos = nullptr;
        QLabel *iblEmpresa = nullptr;
        QLabel *iblUsuario = nullptr;
        QListWidget *lstEmails = nullptr;
        QTimer *Timer = nullptr;
    };

    // frmTransferencia_controles.cpp
    void MontaControles();
    void TituloEmVermelho();

    // frmTransferencia.cpp
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    bool passo(const char *procedimento, const std::function<void()> &acao);

    classAmbiente &m_ambiente;
    ModFuncs &m_funcs;
    Controles c;
    std::unique_ptr<classFtp> vFtp;
    bool m_publicando = false;   // Envia is on the stack: nothing may close the window
};
