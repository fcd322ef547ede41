#include "publication/ConfirmacaoInform.h"

#include "shell/classAmbiente.h"

namespace publicacao {

namespace {

// Characters that would cut the portal's query apart.
QString limpa(QString texto)
{
    for (const QChar c : {QLatin1Char('\''), QLatin1Char('"'), QLatin1Char('#'), QLatin1Char('&')})
        texto.replace(c, QLatin1Char('_'));
    return texto;
}

// Puts the environment's current file back when the confirmation ends, however it ends.
class RestauraArquivo {
public:
    RestauraArquivo(classAmbiente &ambiente, QString arquivo) : m_ambiente(ambiente), m_arquivo(std::move(arquivo)) {}
    ~RestauraArquivo() { m_ambiente.setArquivo(m_arquivo); }
    RestauraArquivo(const RestauraArquivo &) = delete;
    RestauraArquivo &operator=(const RestauraArquivo &) = delete;

private:
    classAmbiente &m_ambiente;
    QString m_arquivo;
};

} // namespace

ConfirmacaoInform::ConfirmacaoInform(classAmbiente &ambiente, Acoes acoes)
    : m_ambiente(ambiente), m_acoes(std::move(acoes))
{
}

void ConfirmacaoInform::mostra(const QString &texto, bool aviso, const QString &titulo)
{
    plataforma::Caixa caixa;
    caixa.texto = texto;
    caixa.titulo = titulo;
    caixa.icone = aviso ? plataforma::Icone::Exclamacao : plataforma::Icone::Informacao;
    m_ambiente.servicos().ui.mensagem(caixa);
}

void ConfirmacaoInform::preenche(const DadosArquivo &dados)
{
    classAmbiente &a = m_ambiente;
    classEnviar &e = a.Enviar;
    a.setArquivo(dados.Arquivo);
    a.UsuariosId.clear();
    e.Try();
    for (const qint32 cliente : dados.ClientesMarcados) {
        if (cliente > 0)
            e.AddCliente(cliente);
    }
    a.pasta = CaminhoPasta(dados, a.ControleValidacao);
    e.setDescricao(limpa(dados.Descricao));
    e.setAtivacao(dados.Ativacao);
    e.setExpiracao(dados.Expiracao);
    e.setObservacao(limpa(dados.Observacao));
    e.setParametro1(dados.Parametro[0]);
    e.setParametro2(dados.Parametro[1]);
    e.setParametro3(dados.Parametro[2]);
    e.setParametro4(dados.Parametro[3]);
    e.setParametro5(dados.Parametro[4]);
    e.setTipoArquivo(2);
}

bool ConfirmacaoInform::valida(const DadosArquivo &dados)
{
    classEnviar &e = m_ambiente.Enviar;
    e.Validar(NomeNaLista(dados.Arquivo));
    QString mensagem;
    if (!e.Validado() && e.Catch(mensagem)) {
        mostra(mensagem, true, m_ambiente.Sistema());
        return false;
    }
    return true;
}

void ConfirmacaoInform::gravaFechar(qint16 shutDown)
{
    m_ambiente.servicos().config.grava(QStringLiteral("Config"), QStringLiteral("CloseOnEnd"),
                                       QString::number(shutDown));
}

ConfirmacaoInform::Resultado ConfirmacaoInform::suConfirmar(const Pedido &pedido)
{
    classAmbiente &a = m_ambiente;
    const RestauraArquivo restaura(a, pedido.arquivoCapturado);
    Resultado r;

    // Nothing is sent unless every checked file passes.
    for (const DadosArquivo *dados : pedido.marcados) {
        preenche(*dados);
        if (!valida(*dados))
            return r;
        gravaFechar(pedido.shutDown);
    }

    bool ultimoEnviado = false;
    for (const DadosArquivo *dados : pedido.marcados) {
        ultimoEnviado = false;
        preenche(*dados);
        a.UsuariosId = UsuariosId(*dados);
        a.Email = pedido.emailTodos ? QStringLiteral("S") : QStringLiteral("N");
        if (pedido.emailTodos)
            a.Enviar.Avisar(true);
        if (!valida(*dados))
            break;
        if (pedido.modo == Modo::EnviarAgora) {
            if (m_acoes.transferencia)
                m_acoes.transferencia();
            ultimoEnviado = a.Enviado();
        } else {
            plataforma::UiServices &ui = a.servicos().ui;
            ui.cursorOcupado(true);
            ui.espera(2500);
            ui.cursorOcupado(false);
            // The queue works on the environment's file list: it holds this one file.
            a.LimpaListaArquivos();
            a.AddListaArquivos(dados->Arquivo);
            if (m_acoes.enfileirar && m_acoes.enfileirar()) {
                r.enfileirou = true;
                mostra(QStringLiteral("A Impressão foi adicionada a fila de Multiplos envios com sucesso!"), false,
                       a.Sistema());
            }
        }
        gravaFechar(pedido.shutDown);
    }

    if (ultimoEnviado && pedido.fecharAoEnviar) {
        if (pedido.fazerLogoff)
            a.LogOff();
        // Ends at once: no window closes one by one and the environment object is not released.
        if (m_acoes.encerrar)
            m_acoes.encerrar();
        return r;
    }
    if (pedido.marcados.isEmpty())
        mostra(QStringLiteral("Você deve selecionar algum arquivo para o envio!"), false,
               QStringLiteral("Vorlin Printer"));
    return r;
}

} // namespace publicacao
