// The publication dialog's commands: confirmation (send now or queue), "Gerar PDF", the toolbar.
#include "publication/frmInform.h"

#include "publication/frmInform_destinatarios.h"
#include "shell/ModFuncs.h"
#include "shell/classAmbiente.h"

#include <QCheckBox>
#include <QListWidget>

using publicacao::ConfirmacaoInform;

void frmInform::suConfirmar(ConfirmacaoInform::Modo modo)
{
    passo("suConfirmar", [&] {
        ConfirmacaoInform::Pedido pedido;
        pedido.modo = modo;
        for (int i = 0; i < c.lstArquivos->count() && i < m_dados.size(); ++i) {
            if (c.lstArquivos->item(i)->checkState() == Qt::Checked)
                pedido.marcados << &m_dados[i];
        }
        pedido.arquivoCapturado = m_dados.isEmpty() ? m_ambiente.arquivo() : m_dados.first().Arquivo;
        pedido.emailTodos = m_destinatarios->controles().chkEmailTodos->isChecked();
        pedido.shutDown = ShutDown;
        pedido.fecharAoEnviar = c.chkCloseOnEnd->isChecked();
        pedido.fazerLogoff = c.chkEfeuarLogoff->isChecked();

        ConfirmacaoInform::Acoes acoes;
        acoes.transferencia = [this] { m_janelas.transferencia(*this); };
        acoes.enfileirar = m_janelas.enfileirar;
        acoes.encerrar = m_janelas.encerrar;
        const ConfirmacaoInform::Resultado r = ConfirmacaoInform(m_ambiente, acoes).suConfirmar(pedido);
        if (r.enfileirou)
            accept();
    });
}

void frmInform::cmdEnviar_Click()
{
    m_ambiente.ControleValidacao.clear();
    suConfirmar(ConfirmacaoInform::Modo::EnviarAgora);
    if (m_ambiente.ControleValidacao.isEmpty())
        return;
    // the control the failed check names gets the focus; a failure to focus is ignored
    try {
        if (QWidget *alvo = findChild<QWidget *>(m_ambiente.ControleValidacao))
            alvo->setFocus();
    } catch (...) {
    }
}

void frmInform::cmdGerar_Click()
{
    passo("cmdGerar_Click", [&] { m_funcs.SalvarComo(m_ambiente, QString()); });
}

void frmInform::tbEnviar_ButtonClick(const QString &chave)
{
    if (chave == QLatin1String("keyEnviar"))
        suConfirmar(ConfirmacaoInform::Modo::EnviarAgora);
    else if (chave == QLatin1String("keyMultiplo"))
        suConfirmar(ConfirmacaoInform::Modo::Fila);
    else if (chave == QLatin1String("keySalvar"))
        cmdGerar_Click();
    else if (chave == QLatin1String("keyCancelar"))
        suCancelar();
}
