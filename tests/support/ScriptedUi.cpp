#include "ScriptedUi.h"

using namespace plataforma;

Resposta ScriptedUi::mensagem(const Caixa &caixa)
{
    Resposta r = caixa.padrao;
    if (!m_respostas.isEmpty())
        r = m_respostas.dequeue();
    else if (!(m_aceitaAvisos && caixa.botoes == Botoes::Ok))
        inesperadas << caixa.texto;
    caixas.append({caixa, r});
    return r;
}

ResultadoSalvar ScriptedUi::salvarArquivo(const DialogoSalvar &dialogo)
{
    dialogosSalvar << dialogo;
    if (m_salvar.isEmpty()) {
        inesperadas << QStringLiteral("save dialog: ") + dialogo.titulo;
        return {true, QString()};
    }
    return m_salvar.dequeue();
}

bool ScriptedUi::iniciaProcesso(const QString &programa, const QStringList &argumentos)
{
    processos << (QStringList{programa} + argumentos);
    return iniciarFunciona;
}

QStringList ScriptedUi::textos() const
{
    QStringList t;
    for (const auto &r : caixas)
        t << r.caixa.texto;
    return t;
}
