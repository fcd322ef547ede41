// Program-wide helpers of the windows: special folder, button style, error reporter, save flow.
#include "shell/ModFuncs.h"

#include "platform/ErrorCodes.h"
#include "platform/Folders.h"
#include "shell/ErroLog.h"
#include "shell/classAmbiente.h"

using plataforma::Botoes;
using plataforma::Caixa;
using plataforma::Icone;
using plataforma::Resposta;

ModFuncs::ModFuncs(plataforma::Servicos &servicos) : m_servicos(servicos) {}

QString ModFuncs::PastaEspecial()
{
    return plataforma::pastaDadosUsuario();
}

bool ModFuncs::AcertaCor()
{
    // The toolbar variants stay hidden on every colour scheme; nothing is read or written.
    Passo(QStringLiteral("ModFuncs"), QStringLiteral("AcertaCor"), [] {});
    return false;
}

void ModFuncs::TrataErro(int codigo, const QString &modulo, const QString &procedimento)
{
    // Any failure in here ends the report quietly; what was done stays done.
    try {
        const QString descricao = plataforma::descricaoErro(codigo);
        Caixa caixa;
        caixa.titulo = QStringLiteral("Mensagem de ERRO do sistema!");
        caixa.icone = Icone::Erro;
        caixa.botoes = Botoes::Ok;
        caixa.padrao = Resposta::Ok;
        caixa.direitaParaEsquerda = true;
        caixa.texto = QStringList{
            QStringLiteral("ERRO"),
            QStringLiteral("Se este erro persistir informe o Administrador do sistema!"),
            QStringLiteral("NoMessage: ") + QStringLiteral("Falso"),
            QStringLiteral("IsExe: ") + QStringLiteral("Verdadeiro"),
            modulo + QStringLiteral(" - ") + procedimento,
            QString::number(codigo) + QStringLiteral(" - ") + descricao,
        }.join(QStringLiteral("\r\n"));
        m_servicos.ui.mensagem(caixa);

        ErroLog::Relato relato;
        relato.codigo = codigo;
        relato.descricao = descricao;
        relato.executavel = plataforma::nomeExecutavel();
        relato.modulo = modulo;
        relato.procedimento = procedimento;
        relato.quando = m_servicos.relogio.agora();
        ErroLog(m_servicos.fso).grava(PastaEspecial(), relato);
    } catch (...) {
    }
}

void ModFuncs::SalvarComo(classAmbiente &ambiente, const QString &nomeProposto)
{
    auto &ui = m_servicos.ui;
    const auto mostra = [&](const QString &texto, Icone icone, Botoes botoes) {
        Caixa caixa;
        caixa.texto = texto;
        caixa.titulo = ambiente.Sistema();
        caixa.icone = icone;
        caixa.botoes = botoes;
        caixa.padrao = botoes == Botoes::SimNao ? Resposta::Sim : Resposta::Ok;
        return ui.mensagem(caixa);
    };

    try {
        for (;;) {
            plataforma::DialogoSalvar dialogo;
            dialogo.titulo = ambiente.Sistema() + QStringLiteral(" - Salvar PDF gerado como");
            dialogo.filtro = QStringLiteral("Arquivos Adobe PDF|*.pdf");
            dialogo.nomeProposto = nomeProposto;
            const plataforma::ResultadoSalvar escolha = ui.salvarArquivo(dialogo);
            if (escolha.cancelado)
                throw plataforma::ErroPrograma(plataforma::CodigoErro::DialogoCancelado);

            // The path is used exactly as the dialog gives it: no extension is added.
            const QString caminho = escolha.caminho;
            if (caminho.isEmpty()) {
                if (mostra(QStringLiteral("Não foi informado um nome para o arquivo!\r\nDeseja realmente cancelar?"),
                           Icone::Pergunta, Botoes::SimNao) == Resposta::Nao)
                    continue;
                return;
            }
            if (m_servicos.fso.arquivoExiste(caminho)
                && mostra(QStringLiteral("O Arquivo indicado já existe.\r\nDeseja substituí-lo?"),
                          Icone::Pergunta, Botoes::SimNao) == Resposta::Nao) {
                if (mostra(QStringLiteral("Deseja salvar o arquivo com outro nome?"),
                           Icone::Pergunta, Botoes::SimNao) == Resposta::Sim)
                    continue;
                return;
            }
            if (ambiente.SalvarPDF(caminho, true))
                mostra(QStringLiteral("Arquivo Salvo com Sucesso!"), Icone::Informacao, Botoes::Ok);
            else
                mostra(QStringLiteral("Erro de permissão ao arquivo!"), Icone::Exclamacao, Botoes::Ok);
            return;
        }
    } catch (const plataforma::ErroPrograma &e) {
        if (e.codigo() == static_cast<int>(plataforma::CodigoErro::DialogoCancelado))
            mostra(QStringLiteral("Operação cancelada pelo usuário"), Icone::Informacao, Botoes::Ok);
        else
            mostra(QStringLiteral("Erro inexperado ao gerar arquivo!"), Icone::Exclamacao, Botoes::Ok);
    } catch (...) {
        mostra(QStringLiteral("Erro inexperado ao gerar arquivo!"), Icone::Exclamacao, Botoes::Ok);
    }
}

bool ModFuncs::Passo(const QString &modulo, const QString &procedimento, const std::function<void()> &passo)
{
    try {
        passo();
        return true;
    } catch (const plataforma::ErroPrograma &e) {
        TrataErro(e.codigo(), modulo, procedimento);
    } catch (...) {
        TrataErro(static_cast<int>(plataforma::CodigoErro::Desconhecido), modulo, procedimento);
    }
    return false;
}
