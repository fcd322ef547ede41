// A published file from the history grid: the local copy in "Back" is viewed through a copy in
// "temp" under the published name; a file still on the portal is downloaded first.
#include "history/frmConsulta.h"

#include "history/CopiaLocal.h"
#include "history/ModeloConsulta.h"
#include "history/frmConsulta_celulas.h"
#include "platform/ErrorCodes.h"
#include "shell/classAmbiente.h"

#include <QTableView>

using plataforma::Botoes;
using plataforma::Caixa;
using plataforma::CodigoErro;
using plataforma::ErroPrograma;
using plataforma::Icone;
using plataforma::Resposta;

namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString textoCelula(const QTableView &grade, int linha, int coluna)
{
    return grade.model()->index(linha, coluna).data().toString();
}

} // namespace

void frmConsulta::grdConsulta_DblClick()
{
    plataforma::UiServices &ui = m_ambiente.servicos().ui;
    const auto pergunta = [&](const QString &texto) {
        Caixa caixa;
        caixa.texto = texto;
        caixa.titulo = m_ambiente.Sistema();
        caixa.icone = Icone::Pergunta;
        caixa.botoes = Botoes::SimNao;
        caixa.padrao = Resposta::Sim;
        return ui.mensagem(caixa) == Resposta::Sim;
    };

    // Nothing here is reported: a fault just ends the handler.
    try {
        const int linha = c.grdConsulta->currentIndex().row();
        if (linha < 0)
            return;
        // after a download the same row is asked again, now with its local copy
        for (;;) {
            const QString id = textoCelula(*c.grdConsulta, linha, consulta::kColunaId);
            const QString nome = textoCelula(*c.grdConsulta, linha, consulta::kColunaArquivo);
            if (id.isEmpty())
                break;
            if (linha >= m_tabela.size() || m_tabela.at(linha).size() < kColunas)
                break;
            QStringList &registro = m_tabela[linha];

            if (registro.at(classConsultar::kCampoApagado) != consulta::kSemData) {
                // gone from the portal: only a copy on this computer can be shown
                if (historico::copiaExiste(m_ambiente.FSO(), m_ambiente.PathUser(), id)) {
                    if (pergunta(QStringLiteral("Deseja visualizar o arquivo ") + nome + kCrLf + QStringLiteral(" já apagado?")))
                        suVizualisar(id, nome);
                } else {
                    aviso(QStringLiteral("Não é possível visualizar um arquivo já apagado que não tenha ") + kCrLf
                              + QStringLiteral("sido criado ou baixado para este computador!"),
                          Icone::Informacao);
                }
                break;
            }
            if (registro.at(classConsultar::kCampoLocal) == QStringLiteral("Sim")) {
                if (pergunta(QStringLiteral("Deseja visualizar o arquivo ") + nome + QStringLiteral("?")))
                    suVizualisar(id, nome);
                break;
            }
            if (!pergunta(QStringLiteral("Deseja Baixar uma cópia do arquivo?")))
                break;
            ui.cursorOcupado(true);
            if (!m_ambiente.BArquivo(id, textoCelula(*c.grdConsulta, linha, consulta::kColunaTamanho))) {
                aviso(m_ambiente.Erro(), Icone::Exclamacao);
                break;
            }
            registro[classConsultar::kCampoLocal] = QStringLiteral("Sim");
            m_modelo->registroMudou(linha);
        }
    } catch (...) {
    }
    try {
        ui.cursorOcupado(false);
    } catch (...) {
    }
}

void frmConsulta::suVizualisar(const QString &id, const QString &nome)
{
    const char *const proc = "suVizualisar";
    plataforma::FileService &fso = m_ambiente.FSO();
    const QString pathUser = m_ambiente.PathUser();

    passo(proc, [&] {
        const QString pasta = historico::pastaVisualizacao(pathUser);
        if (!fso.pastaExiste(pasta) && !fso.criaPasta(pasta))
            throw ErroPrograma(CodigoErro::CaminhoNaoEncontrado);
    });

    // The published name becomes a local file name: one that could leave "temp" is refused.
    QString alvo;
    passo(proc, [&] {
        if (!historico::nomeLocalSeguro(nome) || !historico::nomeLocalSeguro(id))
            throw ErroPrograma(CodigoErro::ArgumentoInvalido);
        alvo = historico::caminhoVisualizacao(pathUser, nome);
        const QString origem = historico::caminhoCopia(pathUser, id);
        if (!fso.arquivoExiste(origem))
            throw ErroPrograma(CodigoErro::ArquivoNaoEncontrado);
        if (!fso.copiaArquivo(origem, alvo, true))
            throw ErroPrograma(CodigoErro::PermissaoNegada);
    });

    passo(proc, [&] {
        if (alvo.isEmpty() || !m_ambiente.servicos().ui.abreDocumento(alvo))
            throw ErroPrograma(CodigoErro::ArquivoNaoEncontrado);
    });
}
