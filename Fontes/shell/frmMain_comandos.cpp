// The main window's commands for the captured document.
#include "shell/frmMain.h"

#include "platform/ErrorCodes.h"
#include "platform/Folders.h"
#include "shell/ModFuncs.h"
#include "shell/classAmbiente.h"

using plataforma::CodigoErro;
using plataforma::ErroPrograma;

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
    // The publication dialog comes with the publication subsystem.
}

void frmMain::suRelatorio()
{
    // The history window comes with the history subsystem.
}

void frmMain::cmdEnviar_Click()
{
    // The directory synchronisation and then suEnviar come with the portal client.
}

void frmMain::cmdSalvaEnvia_Click()
{
    suSalvarLocal();
    suEnviar();
}

void frmMain::cmdConsulta_Click()
{
    // The report page in the browser comes with the portal client.
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
