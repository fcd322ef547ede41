#pragma once
// The publication dialog's confirmation: every checked file is loaded into the publication record
// and validated first; only when all pass is each one loaded again and sent through the transfer
// window or queued. Messages go through the UI services with the application name as title.
#include "publication/DadosArquivo.h"

#include <QList>
#include <QString>
#include <functional>

class classAmbiente;

namespace publicacao {

class ConfirmacaoInform {
public:
    enum class Modo { EnviarAgora, Fila };

    struct Pedido {
        Modo modo = Modo::EnviarAgora;
        QList<const DadosArquivo *> marcados;   // checked entries, in list order
        QString arquivoCapturado;               // the list's first file: `arquivo` goes back to it
        bool emailTodos = false;                // "Enviar aviso por email"
        qint16 shutDown = 0;                    // written to "CloseOnEnd"
        bool fecharAoEnviar = false;
        bool fazerLogoff = false;
    };

    // What lies outside the dialog: the transfer window (publishes the environment's current
    // file), the queue, and the end of the program.
    struct Acoes {
        std::function<void()> transferencia;
        std::function<bool()> enfileirar;
        std::function<void()> encerrar;
    };

    struct Resultado {
        bool enfileirou = false;   // at least one file went to the queue: the dialog closes
    };

    ConfirmacaoInform(classAmbiente &ambiente, Acoes acoes);

    // suConfirmar. Whatever way it ends, even by an exception, the environment's `arquivo` is the
    // captured copy again, so a dragged-in file is never taken for the document of the run.
    Resultado suConfirmar(const Pedido &pedido);

private:
    void preenche(const DadosArquivo &dados);
    // Validar with the file's name; false after showing the record's message.
    bool valida(const DadosArquivo &dados);
    void gravaFechar(qint16 shutDown);
    void mostra(const QString &texto, bool aviso, const QString &titulo);

    classAmbiente &m_ambiente;
    Acoes m_acoes;
};

} // namespace publicacao
