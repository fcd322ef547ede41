#pragma once
// Every message box, save dialog, busy cursor, shell "open", process start, sleep and yield of the
// program goes through this interface, so windows and classes run headless under a scripted double.
#include <QString>
#include <QStringList>

namespace plataforma {

enum class Icone { Nenhum, Erro, Pergunta, Exclamacao, Informacao };
enum class Botoes { Ok, SimNao, OkCancelar, SimNaoCancelar };
enum class Resposta { Ok, Sim, Nao, Cancelar };
// What a turn of the event loop may run: everything, or painting and timers only (clicks and keys
// wait until the work is done, so nothing can start another command meanwhile).
enum class Vez { Tudo, SemEntrada };

struct Caixa {
    QString texto;
    QString titulo;
    Icone icone = Icone::Nenhum;
    Botoes botoes = Botoes::Ok;
    Resposta padrao = Resposta::Ok;   // default button
    bool direitaParaEsquerda = false; // right-aligned, right-to-left reading
};

struct DialogoSalvar {
    QString titulo;
    QString filtro;    // "Description|*.ext" as the program writes it
    QString nomeProposto;
};

struct ResultadoSalvar {
    bool cancelado = false;
    QString caminho;
};

class UiServices {
public:
    virtual ~UiServices() = default;

    virtual Resposta mensagem(const Caixa &caixa) = 0;
    virtual ResultadoSalvar salvarArquivo(const DialogoSalvar &dialogo) = 0;

    virtual void cursorOcupado(bool ocupado) = 0;
    virtual void processaEventos() = 0;   // yield to the event loop once
    // Yields only when the event loop has not had a turn for about a frame (16 ms): long work asks
    // as often as it likes, the window stays live and the work does not pay a turn each time.
    virtual void cedeVez(Vez vez = Vez::Tudo) = 0;
    virtual void espera(int milissegundos) = 0;

    // Shell "open" on a file: the associated application shows it; we never wait for it.
    virtual bool abreDocumento(const QString &caminho) = 0;
    virtual bool abreEndereco(const QString &url) = 0;
    virtual bool iniciaProcesso(const QString &programa, const QStringList &argumentos) = 0;
};

} // namespace plataforma
