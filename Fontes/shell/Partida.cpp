#include "shell/Partida.h"

#include "history/frmConsulta.h"
#include "platform/ErrorCodes.h"
#include "portal/frmLogin.h"
#include "shell/ModFuncs.h"
#include "shell/classAmbiente.h"
#include "transfer/frmMultiplos.h"

namespace {

const QString kModulo = QStringLiteral("Partida");

} // namespace

Partida::Modo Partida::modo(const QString &linhaComando)
{
    const QString opcao = linhaComando.trimmed();
    if (opcao == QLatin1String("--historico"))
        return Modo::Historico;
    if (opcao == QLatin1String("--fila"))
        return Modo::Fila;
    return Modo::Documento;
}

Partida::Partida(plataforma::Servicos &servicos, ModFuncs &funcs, Janelas janelas)
    : m_servicos(servicos), m_funcs(funcs), m_janelas(std::move(janelas))
{
    if (!m_janelas.login)
        m_janelas.login = [](frmLogin &janela) { janela.exec(); };
    if (!m_janelas.consulta)
        m_janelas.consulta = [](frmConsulta &janela) { janela.exec(); };
    if (!m_janelas.fila)
        m_janelas.fila = [](frmMultiplos &janela) { janela.exec(); };
}

Partida::~Partida() = default;

bool Partida::passo(const char *procedimento, const std::function<void()> &acao)
{
    return m_funcs.Passo(kModulo, QString::fromLatin1(procedimento), acao);
}

bool Partida::Logado()
{
    const char *const proc = "Logado";
    bool logado = false;
    passo(proc, [&] { logado = m_ambiente->Logado(); });
    if (logado)
        return true;
    passo(proc, [&] {
        frmLogin janela(*m_ambiente, m_funcs, m_modoDebug);
        m_janelas.login(janela);
    });
    passo(proc, [&] { logado = m_ambiente->Logado(); });
    return logado;
}

bool Partida::Executa(Modo modo)
{
    if (modo == Modo::Documento)
        return false;
    const char *const proc = "Executa";
    if (!passo(proc, [&] {
            m_ambiente = std::make_unique<classAmbiente>(m_servicos);
            m_ambiente->IniciaSemDocumento();
        }))
        return false;
    // The user who cancels the login has already answered "Deseja realmente sair?".
    if (!Logado())
        return false;

    if (modo == Modo::Historico) {
        std::unique_ptr<frmConsulta> janela;
        passo(proc, [&] { janela = std::make_unique<frmConsulta>(*m_ambiente, m_funcs); });
        passo(proc, [&] { m_ambiente->Consulta_Iniciar(); });
        passo(proc, [&] {
            if (!janela)
                throw plataforma::ErroPrograma(plataforma::CodigoErro::ObjetoNaoDefinido);
            m_janelas.consulta(*janela);
        });
        passo(proc, [&] { m_ambiente->Consulta_Finalizar(); });
    } else {
        passo(proc, [&] {
            frmMultiplos janela(*m_ambiente, m_funcs);
            m_janelas.fila(janela);
        });
    }
    return true;
}
