#pragma once
// What a command line starts. The printer passes a document: that is the main window's run.
// "--historico" and "--fila", from the desktop menu, open the history window or the window
// "Múltiplos envios" on their own, with no document: the stored session is checked first, as at
// start-up, the login window opens when there is none (without "GERAR PDF": nothing to save), and
// the program ends when the window closes. Nothing is captured and no document is deleted.
#include "platform/Servicos.h"

#include <QString>
#include <functional>
#include <memory>

class classAmbiente;
class ModFuncs;
class frmConsulta;
class frmLogin;
class frmMultiplos;

class Partida {
public:
    enum class Modo { Documento, Historico, Fila };
    static Modo modo(const QString &linhaComando);

    // The windows it opens modally; tests replace them so that nothing waits for a user.
    struct Janelas {
        std::function<void(frmLogin &janela)> login;
        std::function<void(frmConsulta &janela)> consulta;
        std::function<void(frmMultiplos &janela)> fila;
    };

    Partida(plataforma::Servicos &servicos, ModFuncs &funcs, Janelas janelas = {});
    ~Partida();
    Partida(const Partida &) = delete;
    Partida &operator=(const Partida &) = delete;

    // Opens the window of a desktop mode and returns once it has closed; false when no session
    // could be had (the user gave up the login), and then no window opened.
    bool Executa(Modo modo);

    // the environment object of the run; null before Executa
    classAmbiente *ambiente() const { return m_ambiente.get(); }

private:
    bool Logado();
    bool passo(const char *procedimento, const std::function<void()> &acao);

    plataforma::Servicos &m_servicos;
    ModFuncs &m_funcs;
    Janelas m_janelas;
    std::unique_ptr<classAmbiente> m_ambiente;
    bool m_modoDebug = false;
};
