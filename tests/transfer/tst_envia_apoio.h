#pragma once
// What the publish tests share: a transfer window stand-in that keeps the Mensagem lines as
// "code text" and may fault on a given line, and a record the dialog would have validated.
#include "shell/classAmbiente.h"
#include "transfer/classFtp.h"

#include <QStringList>
#include <stdexcept>

class JanelaRegistrada final : public classFtp::Ouvinte {
public:
    QStringList linhas;
    // the listener faults on this text ("*": on every line), as a window's handler could
    QString falhaEm;

    void Mensagem(qint16 vCodigo, const QString &vMensagem) override
    {
        linhas << QStringLiteral("%1 %2").arg(vCodigo).arg(vMensagem);
        if (falhaEm == QLatin1String("*") || (!falhaEm.isEmpty() && vMensagem == falhaEm))
            throw std::runtime_error("falha no ouvinte");
    }
};

// Two client companies, a description and observation that need encoding, folder and notice mode
// as the dialog sets them; validated against the environment's reference date.
inline void preencheRegistro(classAmbiente &ambiente, const QList<qint32> &clientes, const QString &pasta)
{
    ambiente.pasta = pasta;
    ambiente.Email = QStringLiteral("S");
    classEnviar &r = ambiente.Enviar;
    r.Try();
    for (const qint32 c : clientes)
        r.AddCliente(c);
    r.setTipoArquivo(2);
    r.setDescricao(QStringLiteral("Balancete 10% março"));
    r.setObservacao(QStringLiteral("Conferir & assinar"));
    r.Avisar(true);
    r.Validar(QStringLiteral("Balancete.pdf"));
}
