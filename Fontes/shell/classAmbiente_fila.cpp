// The environment object's send queue, forwarded to the queue under transfer/ working on this
// object's program folder, document, publication record and file list.
#include "shell/classAmbiente.h"

#include "transfer/FilaEnvio.h"

bool classAmbiente::Enfileirar()
{
    // the publication values the index line has no room for go beside it
    transferencia::DadosEnvio dados;
    dados.pasta = pasta;
    dados.usuariosId = UsuariosId;
    dados.email = Email;
    transferencia::FilaEnvio fila({m_servicos.fso, m_pathUser, m_erro, m_arquivo, m_enfileirado, dados});
    return fila.Enfileirar(Enviar, m_titulo, m_tipo, m_listaArquivos);
}

QList<QStringList> classAmbiente::CarregaFila(bool &pErro)
{
    transferencia::FilaEnvio fila({m_servicos.fso, m_pathUser, m_erro, m_arquivo, m_enfileirado});
    // the labels come from the client directory, fetched again in its user form
    const auto sincroniza = [this] {
        bool atualiza = false;
        return Sincroniza(atualiza, false);
    };
    return fila.CarregaFila(pErro, sincroniza, Tabelas);
}

transferencia::FilaEnvio classAmbiente::Fila()
{
    return transferencia::FilaEnvio({m_servicos.fso, m_pathUser, m_erro, m_arquivo, m_enfileirado});
}
