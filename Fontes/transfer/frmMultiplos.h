#pragma once
// The window "Múltiplos envios": what waits in the send queue, with its client, description,
// dates, folder and file, and whatever went wrong the last time; the user sends the selected
// entries or all of them, or takes entries out. The sending is MultiplosEnvios's: each document
// goes through the transfer window, one after the other. Opened with "vorlin-printer --fila".
#include "platform/UiServices.h"
#include "transfer/MultiplosEnvios.h"

#include <QDialog>
#include <functional>
#include <memory>

class classAmbiente;
class ModFuncs;
class QFrame;
class QLabel;
class QTableWidget;
class QToolButton;

class frmMultiplos : public QDialog {
    Q_OBJECT
public:
    struct Janelas {
        // Shows the transfer window for the environment's current document and returns once it
        // has closed (default: the transfer window, modal over this one).
        std::function<void(frmMultiplos &janela)> transferencia;
    };

    frmMultiplos(classAmbiente &ambiente, ModFuncs &funcs, QWidget *parent = nullptr);
    frmMultiplos(classAmbiente &ambiente, ModFuncs &funcs, Janelas janelas, QWidget *parent = nullptr);
    ~frmMultiplos() override;

    // the load: caption, then the queue into the list; runs once, when the window is first shown
    void Form_Load();
    // reads the queue again and fills the list
    void CarregaLista();
    // fills the list with the queue as last read
    void PreencheLista();

    // commands
    void cmdEnviar_Click();        // the selected entries
    void cmdEnviarTodos_Click();   // every entry, but those whose send was cut off
    void cmdRemover_Click();       // the selected entries leave the queue unsent
    void cmdFechar_Click();

    // the queue's copy names of the selected rows, in list order
    QStringList Selecionados() const;
    const transferencia::MultiplosEnvios &Envios() const { return *m_envios; }

protected:
    void showEvent(QShowEvent *evento) override;

private:
    struct Controles {
        QLabel *Label1 = nullptr;
        QTableWidget *grdFila = nullptr;
        QLabel *iblTotal = nullptr;
        QFrame *fraBotoes = nullptr;
        QToolButton *cmdEnviar = nullptr;
        QToolButton *cmdEnviarTodos = nullptr;
        QToolButton *cmdRemover = nullptr;
        QToolButton *cmdFechar = nullptr;
    };

    void MontaControles();
    void MontaBotoes();
    void EnviaFila(const QStringList &copias, bool interrompidos);
    void avisa(const QString &texto, plataforma::Icone icone);
    bool passo(const char *procedimento, const std::function<void()> &acao);

    classAmbiente &m_ambiente;
    ModFuncs &m_funcs;
    Janelas m_janelas;
    std::unique_ptr<transferencia::MultiplosEnvios> m_envios;
    Controles c;
    bool m_carregado = false;
};
