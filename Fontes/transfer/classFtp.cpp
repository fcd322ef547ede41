#include "transfer/classFtp.h"

#include "platform/Folders.h"
#include "portal/EnderecoFtp.h"

#include <QFile>
#include <QFileInfo>

namespace {

constexpr qint64 kPedaco = 100;
// Pieces gathered into one network write (256 KiB and a little): the server and the socket see a
// few large writes instead of one per piece.
constexpr qint64 kPedacosPorBloco = 2622;

// Closes the session on every way out of an operation, a listener's fault included. While it is
// open, every wait of the client on the network gives the window its turn.
class Sessao {
public:
    Sessao(plataforma::FtpClient &cliente, plataforma::UiServices &ui) : m_cliente(cliente)
    {
        m_cliente.defineVez([&ui] { ui.cedeVez(); });
    }
    ~Sessao()
    {
        m_cliente.fecha();
        m_cliente.defineVez({});
    }
    Sessao(const Sessao &) = delete;
    Sessao &operator=(const Sessao &) = delete;

private:
    plataforma::FtpClient &m_cliente;
};

class Ocupado {
public:
    explicit Ocupado(bool &flag) : m_flag(flag) { m_flag = true; }
    ~Ocupado() { m_flag = false; }
    Ocupado(const Ocupado &) = delete;
    Ocupado &operator=(const Ocupado &) = delete;

private:
    bool &m_flag;
};

// Exactly `tamanho` bytes: a file that shrank under us must not send stale buffer bytes.
bool leExato(QFile &arquivo, char *destino, qint64 tamanho)
{
    qint64 lidos = 0;
    while (lidos < tamanho) {
        const qint64 n = arquivo.read(destino + lidos, tamanho - lidos);
        if (n <= 0)
            return false;
        lidos += n;
    }
    return true;
}

} // namespace

classFtp::classFtp(plataforma::FtpClient &cliente, plataforma::UiServices &ui, Ouvinte *ouvinte)
    : m_cliente(cliente), m_ui(ui), m_ouvinte(ouvinte)
{
}

void classFtp::geral(quint8 codigo, const QString &mensagem)
{
    if (m_ouvinte)
        m_ouvinte->Geral(codigo, mensagem);
}

void classFtp::progress(qint64 enviados, qint64 total)
{
    if (m_ouvinte)
        m_ouvinte->Progress(enviados, total);
}

void classFtp::Mensagem(qint16 vCod, const QString &vDescricao)
{
    if (m_ouvinte)
        m_ouvinte->Mensagem(vCod, vDescricao);
}

void classFtp::reporta(const QString &operacao, int codigo, const QString &mensagem)
{
    geral(3, operacao + QStringLiteral("Código do Erro: ") + QString::number(codigo) + QStringLiteral(" Mensagem: ")
                 + mensagem);
}

void classFtp::reporta(const QString &operacao)
{
    const plataforma::FalhaFtp f = m_cliente.ultimaFalha();
    reporta(operacao, f.codigo, f.mensagem);
}

// The local file could not be opened or gave fewer bytes than its length promised.
void classFtp::falhaLocal(const QFile &arquivo)
{
    const QFileDevice::FileError erro = arquivo.error() == QFileDevice::NoError ? QFileDevice::ReadError : arquivo.error();
    reporta(QStringLiteral("ReadFile"), static_cast<int>(erro), QStringLiteral("Não foi possível ler o arquivo local"));
}

// Session and login; on failure the error is reported and false returned.
bool classFtp::conecta(plataforma::AcessoFtp acesso, const QString &vServer, const QString &vUser,
                       const QString &vPws)
{
    if (!m_cliente.abreSessao(acesso)) {
        reporta(QStringLiteral("InternetOpen"));
        return false;
    }
    const portal::EnderecoFtp endereco = portal::enderecoFtp(vServer);
    if (!m_cliente.conecta(endereco.host, endereco.porta, vUser, vPws)) {
        reporta(QStringLiteral("InternetConnect"));
        return false;
    }
    geral(1, QStringLiteral("Conectado"));
    return true;
}

// Uploads and downloads work in the account's root; on failure the error is reported.
bool classFtp::entraNaRaiz()
{
    if (!m_cliente.mudaDiretorio(QStringLiteral("/"))) {
        reporta(QStringLiteral("FtpSetCurrentDirectory"));
        return false;
    }
    QString diretorio;
    if (!m_cliente.leDiretorio(&diretorio)) {
        reporta(QStringLiteral("FtpGetCurrentDirectory"));
        return false;
    }
    geral(1, QStringLiteral("Transmitindo"));
    return true;
}

void classFtp::fechamento()
{
    m_cliente.fechaArquivo();
    geral(1, QStringLiteral("Arquivo Fechado"));
    m_cliente.fecha();
    geral(1, QStringLiteral("Internet Fechada"));
    geral(2, QString());
}

bool classFtp::Transmite(const QString &vServer, const QString &vUser, const QString &vPws, const QString &vFile,
                         const QString &vTitulo)
{
    if (m_ocupado)
        return false;
    if (!QFileInfo(vFile).isFile()) {
        plataforma::Caixa caixa;
        caixa.texto = QStringLiteral("Arquivo não existe");
        caixa.titulo = QStringLiteral("Vorlin Printer");
        caixa.icone = plataforma::Icone::Erro;
        m_ui.mensagem(caixa);
        return false;
    }
    const Ocupado ocupado(m_ocupado);
    const Sessao sessao(m_cliente, m_ui);

    // Every way out of the steps goes through the closing events below.
    const auto envia = [&]() -> bool {
        if (!conecta(plataforma::AcessoFtp::Direto, vServer, vUser, vPws))
            return false;
        if (!entraNaRaiz())
            return false;
        const QString nome = vTitulo.isEmpty() ? plataforma::nomeArquivo(vFile) : vTitulo;

        // opened before the remote file, so an unreadable file leaves nothing on the server
        QFile local(vFile);
        if (!local.open(QIODevice::ReadOnly)) {
            falhaLocal(local);
            return false;
        }
        if (!m_cliente.abreEnvio(nome)) {
            reporta(QStringLiteral("FtpOpenFile"));
            return false;
        }
        const qint64 total = local.size();
        // Pieces are read one by one and gathered; a block goes out when full and once more after
        // the last whole piece. Each piece's Progress follows the write that carried it.
        QByteArray bloco;
        bloco.reserve(kPedacosPorBloco * kPedaco);
        qint64 enviados = 0;
        const auto despacha = [&]() -> bool {
            if (bloco.isEmpty())
                return true;
            if (!m_cliente.escreve(bloco)) {
                reporta(QStringLiteral("InternetWriteFile!"));
                return false;
            }
            for (qint64 n = bloco.size() / kPedaco; n > 0; --n) {
                enviados += kPedaco;
                progress(enviados, total);
            }
            bloco.resize(0);
            m_ui.cedeVez();
            return true;
        };
        for (qint64 i = 1; i <= total / kPedaco; ++i) {
            const qsizetype inicio = bloco.size();
            bloco.resize(inicio + kPedaco);
            if (!leExato(local, bloco.data() + inicio, kPedaco)) {
                falhaLocal(local);
                return false;
            }
            if (bloco.size() == kPedacosPorBloco * kPedaco && !despacha())
                return false;
        }
        if (!despacha())
            return false;
        progress(total, total);
        const qint64 resto = total % kPedaco;
        char pedaco[kPedaco];
        if (!leExato(local, pedaco, resto)) {
            falhaLocal(local);
            return false;
        }
        // the last piece, then the server's word that the whole file arrived; neither is reported
        return m_cliente.escreve(QByteArrayView(pedaco, resto)) && m_cliente.concluiEnvio();
    };
    const bool resultado = envia();
    fechamento();
    return resultado;
}

bool classFtp::Recebe(const QString &vServer, const QString &vUser, const QString &vPws, const QString &vLocalFile,
                      const QString &vRemoteFile)
{
    if (m_ocupado)
        return false;
    const Ocupado ocupado(m_ocupado);
    const Sessao sessao(m_cliente, m_ui);
    if (!conecta(plataforma::AcessoFtp::Preconfigurado, vServer, vUser, vPws))
        return false;
    if (!entraNaRaiz())
        return false;
    const bool baixou = m_cliente.baixa(vRemoteFile, vLocalFile);
    fechamento();
    return baixou;
}

void classFtp::Deleta(const QString &vServer, const QString &vUser, const QString &vPws, const QString &vFile)
{
    if (m_ocupado)
        return;
    const Ocupado ocupado(m_ocupado);
    const Sessao sessao(m_cliente, m_ui);
    if (!conecta(plataforma::AcessoFtp::Preconfigurado, vServer, vUser, vPws))
        return;
    QString diretorio;
    if (!m_cliente.leDiretorio(&diretorio)) {
        reporta(QStringLiteral("FtpGetCurrentDirectory"));
        return;
    }
    geral(1, QStringLiteral("Transmitindo"));
    if (m_cliente.apaga(vFile))
        fechamento();
}
