#pragma once
// UI services double: records every message box and answers from a queue. A box with no scripted
// answer is a test failure (recorded in `inesperadas`, answered with the box's default).
#include "platform/UiServices.h"

#include <QList>
#include <QQueue>
#include <QStringList>
#include <functional>

class ScriptedUi final : public plataforma::UiServices {
public:
    struct Registro {
        plataforma::Caixa caixa;
        plataforma::Resposta resposta;
    };

    // queue the answer to the next message box
    ScriptedUi &responde(plataforma::Resposta r) { m_respostas.enqueue(r); return *this; }
    // answer every further Ok-only box without scripting it
    void aceitaAvisos(bool sim) { m_aceitaAvisos = sim; }
    // queue the result of the next save dialog
    ScriptedUi &salvarComo(const QString &caminho) { m_salvar.enqueue({false, caminho}); return *this; }
    ScriptedUi &cancelaSalvar() { m_salvar.enqueue({true, QString()}); return *this; }

    plataforma::Resposta mensagem(const plataforma::Caixa &caixa) override;
    plataforma::ResultadoSalvar salvarArquivo(const plataforma::DialogoSalvar &dialogo) override;
    void cursorOcupado(bool ocupado) override
    {
        if (ocupado)
            ++cursorOcupadoVezes;
        m_ocupado = ocupado;
    }
    void processaEventos() override
    {
        ++eventosProcessados;
        m_ultimaVezMs = relogioMs;
    }
    // Yields as the real one does, by the test's clock `relogioMs`, which only the test moves.
    void cedeVez(plataforma::Vez vez = plataforma::Vez::Tudo) override
    {
        ++vezesPedidas;
        if (vez == plataforma::Vez::SemEntrada)
            ++vezesSemEntrada;
        if (cedeSempre || relogioMs - m_ultimaVezMs >= 16)
            processaEventos();
    }
    void espera(int milissegundos) override
    {
        esperas << milissegundos;
        if (aoEsperar)
            aoEsperar(milissegundos);
    }
    bool abreDocumento(const QString &caminho) override { documentosAbertos << caminho; return abrirFunciona; }
    bool abreEndereco(const QString &url) override { enderecosAbertos << url; return abrirFunciona; }
    bool iniciaProcesso(const QString &programa, const QStringList &argumentos) override;

    // what happened
    QList<Registro> caixas;
    QStringList inesperadas;          // boxes that had no scripted answer
    QList<plataforma::DialogoSalvar> dialogosSalvar;
    QStringList documentosAbertos;
    QStringList enderecosAbertos;
    QList<QStringList> processos;     // program followed by its arguments
    QList<int> esperas;
    std::function<void(int)> aoEsperar;   // runs inside each wait, to see the window meanwhile
    qint64 eventosProcessados = 0;
    qint64 vezesPedidas = 0;   // cedeVez calls, whether they yielded or not
    qint64 vezesSemEntrada = 0;   // of which painting and timers only
    qint64 relogioMs = 0;
    bool cedeSempre = false;   // every cedeVez yields, so the turns show where they were asked
    int cursorOcupadoVezes = 0;
    bool abrirFunciona = true;
    bool iniciarFunciona = true;

    bool respostasPendentes() const { return !m_respostas.isEmpty(); }
    bool ocupado() const { return m_ocupado; }   // the busy cursor is on now
    QStringList textos() const;

private:
    QQueue<plataforma::Resposta> m_respostas;
    QQueue<plataforma::ResultadoSalvar> m_salvar;
    bool m_aceitaAvisos = false;
    bool m_ocupado = false;
    qint64 m_ultimaVezMs = 0;
};
