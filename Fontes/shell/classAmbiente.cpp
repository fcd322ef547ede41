// The environment object: construction, start-up check, the captured document and its end.
#include "shell/classAmbiente.h"

#include "platform/ErrorCodes.h"
#include "platform/Folders.h"
#include "shell/ModFuncs.h"
#include "shell/TipoDocumento.h"

namespace {

const QString kCapturaFalhou = QStringLiteral("Não foi possível capturar a impressão!");
const QString kBackupFalhou = QStringLiteral("Não foi possível armazenar o backup!");

// Record identifiers come from the portal and become file names in "Back": nothing that could
// leave the folder or make an odd name.
bool identificadorSeguro(const QString &id)
{
    if (id.contains(QLatin1Char('/')) || id.contains(QLatin1Char('\\')) || id.contains(QStringLiteral("..")))
        return false;
    for (const QChar c : id) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

} // namespace

classAmbiente::classAmbiente(plataforma::Servicos &servicos)
    : Enviar(pasta, ControleValidacao, servicos.relogio.hoje()),
      m_servicos(servicos), m_sistema(QStringLiteral("Vorlin Printer"))
{
    // Without the special folder this becomes "/VorlinPrinter/" at the root of the current drive.
    const QString sep = plataforma::separador();
    m_pathUser = ModFuncs::PastaEspecial() + sep + QStringLiteral("VorlinPrinter") + sep;
    Enviar.Inicia(servicos.relogio.hoje());
}

classAmbiente::~classAmbiente()
{
    // Only the file this run received or captured goes; a failed delete never stops the program.
    try {
        if (m_arquivo.isEmpty())
            return;
        const bool capturado = !m_arquivoCapturado.isEmpty();
        const bool nosso = capturado ? m_arquivo == m_arquivoCapturado : m_arquivo == m_arquivoRecebido;
        if (nosso)
            m_servicos.fso.apagaArquivo(m_arquivo);
    } catch (...) {
    }
}

bool classAmbiente::Inicia(bool pMonitor, const QString &pArquivo, const std::optional<QString> &vTipo)
{
    setTipo(vTipo ? *vTipo : pArquivo);
    m_monitor = pMonitor;
    bool resultado = false;
    try {
        RegistraVersao();
        QString caminho = pArquivo;
        if (!ValidaArquivo(caminho)) {
            Autenticado = false;
            return false;
        }
        m_arquivoRecebido = m_arquivo;
        resultado = true;
        if (!RestauraSessao())
            Autenticado = false;
    } catch (...) {
        // A stored session that cannot be read just means there is none.
        Autenticado = false;
    }
    return resultado;
}

void classAmbiente::IniciaSemDocumento()
{
    m_semDocumento = true;
    try {
        RegistraVersao();
        if (!RestauraSessao())
            Autenticado = false;
    } catch (...) {
        Autenticado = false;
    }
}

void classAmbiente::RegistraVersao()
{
    auto &config = m_servicos.config;
    config.grava(QStringLiteral("Config"), QStringLiteral("PubAj"), QString::number(VORLIN_VERSAO_MAJOR));
    config.grava(QStringLiteral("Config"), QStringLiteral("PubIn"), QString::number(VORLIN_VERSAO_MINOR));
    config.grava(QStringLiteral("Config"), QStringLiteral("PubEv"), QString::number(VORLIN_VERSAO_REVISAO));
}

bool classAmbiente::ValidaArquivo(QString &caminho)
{
    caminho = caminho.trimmed();
    if (caminho.isEmpty()) {
        m_erro = QStringLiteral("Erro na transferência da Impressão!");
        return false;
    }
    if (!m_servicos.fso.arquivoExiste(caminho)) {
        m_erro = QStringLiteral("Erro no acesso da Impressão!");
        return false;
    }
    m_arquivo = caminho;
    return true;
}

bool classAmbiente::Captura(const QString &identificador)
{
    const bool backup = !identificador.isEmpty();
    // no document in this run: a login has nothing to capture
    if (!backup && m_semDocumento)
        return true;
    const QString sep = plataforma::separador();
    const QString destino = m_pathUser + (backup ? QStringLiteral("Back") : QStringLiteral("PROC")) + sep;
    try {
        if (m_arquivo.contains(destino, Qt::CaseSensitive)) {
            if (!backup && m_arquivoCapturado.isEmpty())
                m_arquivoCapturado = m_arquivo;
            return true;
        }
        if (backup && !identificadorSeguro(identificador)) {
            m_erro = kBackupFalhou;
            return false;
        }
        auto &fso = m_servicos.fso;
        // The program folder itself must already exist; only the subfolder is created here.
        if (!fso.pastaExiste(destino) && !fso.criaPasta(destino)) {
            m_erro = backup ? kBackupFalhou : kCapturaFalhou;
            return false;
        }
        if (backup) {
            if (!fso.copiaArquivo(m_arquivo, destino + identificador, true)) {
                m_erro = kBackupFalhou;
                return false;
            }
            return true;
        }
        QString nome = plataforma::nomeArquivo(m_arquivo);
        for (const QChar c : {QLatin1Char('\''), QLatin1Char('"'), QLatin1Char('#'), QLatin1Char('&'), QLatin1Char('%')})
            nome.replace(c, QLatin1Char('_'));
        const QString copia = destino + nome;
        if (nome.isEmpty() || !fso.copiaArquivo(m_arquivo, copia, true)) {
            m_erro = kCapturaFalhou;
            return false;
        }
        m_arquivo = copia;
        m_arquivoCapturado = copia;
        return true;
    } catch (...) {
        m_erro = backup ? kBackupFalhou : kCapturaFalhou;
        return false;
    }
}

bool classAmbiente::SalvarPDF(const QString &pDestino, bool pSusbistituir)
{
    if (!m_servicos.fso.copiaArquivo(m_arquivo, pDestino, pSusbistituir))
        return false;
    m_salvo = true;
    return true;
}

QString classAmbiente::ArquivoTamanho() const
{
    const qint64 tamanho = m_servicos.fso.tamanho(m_arquivo);
    if (tamanho < 0)
        throw plataforma::ErroPrograma(plataforma::CodigoErro::ArquivoNaoEncontrado);
    return QString::number(tamanho);
}

void classAmbiente::setTipo(const QString &nomeOuCaminho)
{
    m_tipo = TipoDocumento::codigo(nomeOuCaminho);
}

QString classAmbiente::TipoDesc() const
{
    return TipoDocumento::descricao(m_tipo);
}

QString classAmbiente::setTitulo(const QString &texto)
{
    m_titulo = TipoDocumento::titulo(texto);
    return m_titulo;
}

void classAmbiente::LimpaListaArquivos()
{
    m_listaArquivos = QStringList{QString()};
}

void classAmbiente::AddListaArquivos(const QString &caminho)
{
    m_listaArquivos << caminho;
}
