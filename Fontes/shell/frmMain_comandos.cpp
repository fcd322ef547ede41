// The main window's commands for the captured document.
#include "shell/frmMain.h"

#include "platform/ErrorCodes.h"
#include "platform/Folders.h"
#include "history/frmConsulta.h"
#include "publication/frmInform.h"
#include "shell/ModFuncs.h"
#include "shell/classAmbiente.h"
#include "shell/frmMain_textos.h"

#include <QCheckBox>
#include <QLabel>
#include <memory>

using plataforma::CodigoErro;
using plataforma::ErroPrograma;

using namespace frmMainTextos;

void frmMain::suSalvarLocal()
{
    if (!Ativo)
        return;
    passo("suSalvarLocal", [&] { m_funcs.SalvarComo(amb(), amb().Titulo()); });
}

void frmMain::suVizualisar()
{
    if (!Ativo)
        return;
    const char *const proc = "suVizualisar";
    plataforma::FileService &fso = m_servicos.fso;
    const QString pasta = m_pastaPrograma + QStringLiteral("temp") + plataforma::separador();

    passo(proc, [&] {
        if (!fso.pastaExiste(pasta) && !fso.criaPasta(pasta))
            throw ErroPrograma(CodigoErro::CaminhoNaoEncontrado);
    });

    QString alvo;
    passo(proc, [&] {
        const QString titulo = amb().Titulo();
        if (!titulo.isEmpty()) {
            alvo = pasta + titulo;
            if (!amb().Tipo().isEmpty())
                alvo += QLatin1Char('.') + amb().Tipo();
            return;
        }
        // every view leaves its copy behind: the first free number wins
        for (qint64 n = 0;; ++n) {
            alvo = pasta + QStringLiteral("fileVRP") + QString::number(n) + QStringLiteral(".pdf");
            if (!fso.arquivoExiste(alvo))
                break;
        }
    });

    passo(proc, [&] {
        const QString origem = amb().arquivo();
        if (!fso.arquivoExiste(origem))
            throw ErroPrograma(CodigoErro::ArquivoNaoEncontrado);
        if (!fso.copiaArquivo(origem, alvo, true))
            throw ErroPrograma(CodigoErro::PermissaoNegada);
    });

    passo(proc, [&] {
        if (!m_servicos.ui.abreDocumento(alvo))
            throw ErroPrograma(CodigoErro::ArquivoNaoEncontrado);
    });
}

void frmMain::suFechar()
{
    if (!Ativo)
        return;
    FecharAgora = true;
    Ativo = false;
}

void frmMain::suEnviar()
{
    if (!Ativo)
        return;
    const char *const proc = "suEnviar";

    bool segue = true;
    passo(proc, [&] {
        const classAmbiente &a = amb();
        if (!a.Enviado() && !a.Enfileirado())
            return;
        QString estado;
        if (a.Enviado())
            estado = QStringLiteral("enviado");
        if (a.Enfileirado())
            estado = a.Enviado() ? estado + QStringLiteral(" e enfileirado") : QStringLiteral("enfileirado");
        plataforma::Caixa caixa;
        caixa.texto = QStringLiteral("Este arquivo já foi ") + estado + QStringLiteral(".") + kNovaLinha
            + QStringLiteral("Deseja entrar na tela de envio novamente?");
        caixa.titulo = a.Sistema();
        caixa.icone = plataforma::Icone::Pergunta;
        caixa.botoes = plataforma::Botoes::SimNao;
        caixa.padrao = plataforma::Resposta::Sim;
        segue = m_servicos.ui.mensagem(caixa) != plataforma::Resposta::Nao;
    });
    if (!segue)
        return;

    // The storage check: the hint area says what is going on while the portal answers.
    bool disponivel = false;
    passo(proc, [&] {
        MostraVerificandoEspaco();
        repaint();
    });
    passo(proc, [&] { m_servicos.ui.espera(700); });
    passo(proc, [&] { Ajuda[10].texto = fuTextoEspaco(disponivel); });
    passo(proc, [&] {
        MostraAjuda(10);
        repaint();
    });
    passo(proc, [&] { m_servicos.ui.espera(800); });

    bool encerra = false;
    passo(proc, [&] {
        if (disponivel)
            return;
        avisa(QStringLiteral("O espaço para envio de arquivos foi excedido!") + kNovaLinha
                  + QStringLiteral("Opções possíveis:") + kNovaLinha
                  + QStringLiteral("\tContrate mais espaço;") + kNovaLinha
                  + QStringLiteral("\tFazer Backup e Limpar arquivos do site;") + kNovaLinha
                  + QStringLiteral("\tSimplesmente apagar os arquivos do site."),
              plataforma::Icone::Informacao);
        // In debug mode the dialog opens all the same.
        encerra = !ModoDebug;
    });
    if (encerra)
        return;

    std::unique_ptr<frmInform> dialogo;
    passo(proc, [&] {
        dialogo = std::make_unique<frmInform>(amb(), m_funcs, this);
        dialogo->LogOff = c.chkLogOff->isChecked() ? 1 : 0;
        m_janelas.publicacao(*dialogo);
        c.chkLogOff->setChecked(dialogo->LogOff == 1);
    });
    passo(proc, [&] {
        if (!dialogo)
            return;
        if (dialogo->ShutDown != 0) {
            // the exit check closes the window within 3 seconds
            FecharAgora = true;
            return;
        }
        const classAmbiente &a = amb();
        if (a.Enviado())
            Ajuda[1].texto = QStringLiteral("Este arquivo já foi enviado!");
        else if (a.Enfileirado())
            Ajuda[1].texto = QStringLiteral("Este arquivo já foi enviado para fila!");
    });
    passo(proc, [&] { dialogo.reset(); });
}

void frmMain::suRelatorio()
{
    if (!Ativo)
        return;
    const char *const proc = "suRelatorio";
    std::unique_ptr<frmConsulta> janela;
    passo(proc, [&] { janela = std::make_unique<frmConsulta>(amb(), m_funcs, this); });
    passo(proc, [&] { amb().Consulta_Iniciar(); });
    passo(proc, [&] {
        if (!janela)
            throw ErroPrograma(CodigoErro::ObjetoNaoDefinido);
        m_janelas.consulta(*janela);
    });
    passo(proc, [&] { amb().Consulta_Finalizar(); });
    passo(proc, [&] { janela.reset(); });
}

void frmMain::avisa(const QString &texto, plataforma::Icone icone)
{
    m_servicos.ui.mensagem({texto, amb().Sistema(), icone});
}

void frmMain::cmdEnviar_Click()
{
    // A failure here must not end the program: it is reported like any other step.
    passo("cmdEnviar_Click", [&] {
        bool atualiza = false;
        if (!amb().Sincroniza(atualiza, true)) {
            avisa(amb().Erro(), plataforma::Icone::Informacao);
            return;
        }
        suEnviar();
    });
}

void frmMain::cmdSalvaEnvia_Click()
{
    suSalvarLocal();
    suEnviar();
}

void frmMain::cmdConsulta_Click()
{
    // The program does not wait for the browser. One that cannot start is reported like any
    // failure (box and log) and the window goes on.
    passo("cmdConsulta_Click", [&] {
        const classAmbiente &a = amb();
        const QString endereco = a.URLBase() + QStringLiteral("printer/relatorio.asp?asp_contador=")
            + QString::number(a.lngID_Contador) + QStringLiteral("&asp_id_admin=") + QString::number(a.lngAdmin);
        if (!m_servicos.ui.abreEndereco(endereco))
            throw ErroPrograma(CodigoErro::ArquivoNaoEncontrado);
    });
}

void frmMain::tbBotoes_ButtonClick(const QString &chave)
{
    if (chave == QLatin1String("keySalvar")) {
        suSalvarLocal();
    } else if (chave == QLatin1String("keyEnviar")) {
        suEnviar();
    } else if (chave == QLatin1String("keySalvaEnvia")) {
        suSalvarLocal();
        suEnviar();
    } else if (chave == QLatin1String("keyVizualizar")) {
        suVizualisar();
    } else if (chave == QLatin1String("keyRelatorio")) {
        suRelatorio();
    } else if (chave == QLatin1String("keyCancelar")) {
        suFechar();
    }
}
