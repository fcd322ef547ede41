#include "portal/StatusPortal.h"

#include "platform/ErrorCodes.h"
#include "portal/Conversoes.h"
#include "portal/Resposta.h"

namespace portal {

namespace {

const QString kSemInternetEspaco = QStringLiteral("Não é possível atualizar espaço total e disponível sem internet!");

QString sessaoNaUrl(const EstadoSessao &e)
{
    return QStringLiteral("?s=") + QString::number(e.lngSessao) + QStringLiteral("&l=") + QString::number(e.lngLogin_ID);
}

// The office id as at least four digits: 7 gives 0007, 12345 stays 12345.
QString quatroDigitos(qint32 numero)
{
    const QString digitos = QStringLiteral("%1").arg(qAbs(static_cast<qint64>(numero)), 4, 10, QLatin1Char('0'));
    return numero < 0 ? QStringLiteral("-") + digitos : digitos;
}

} // namespace

bool StatusPortal::Internet()
{
    const QString resposta = m_ctx.pede(QStringLiteral("printer/printer_login.asp"));
    m_ctx.estado.InternetOk = resposta.startsWith(QLatin1Char('0'));
    return m_ctx.estado.InternetOk;
}

bool StatusPortal::AtualizaEspaco()
{
    EstadoSessao &e = m_ctx.estado;
    if (!e.InternetOk) {
        m_ctx.erro = kSemInternetEspaco;
        return false;
    }
    const QString resposta = m_ctx.pede(QStringLiteral("printer/espaco_b.asp") + sessaoNaUrl(e));
    const Partes campos = Partes::corta(resposta, u";");
    if (comecaComMarcador(resposta, m_ctx.sistema)) {
        try {
            const double total = numero(campos.exige(1));
            const double utilizado = numero(campos.exige(2));
            e.EspacoTotal = total;
            e.EspacoUtilizado = utilizado;
            e.EspacoDisponivel = total - utilizado;
            return true;
        } catch (const plataforma::ErroPrograma &) {
        }
    }
    e.EspacoTotal = 0;
    e.EspacoUtilizado = 0;
    e.EspacoDisponivel = 0;
    return false;
}

bool StatusPortal::Dica()
{
    EstadoSessao &e = m_ctx.estado;
    if (!e.InternetOk) {
        m_ctx.erro = QStringLiteral("Não é possivel recuperar dicas sem internet");
        return false;
    }
    const QString resposta = m_ctx.pede(QStringLiteral("printer/dicas_b.asp") + sessaoNaUrl(e)
                                        + QStringLiteral("&ordem=") + e.OrdemDica);
    const Partes campos = Partes::corta(resposta, u"-*=");
    if (campos.tem(0))
        e.OrdemDica = campos.valor(0);
    if (!campos.tem(2)) {
        e.DicaTitulo = QStringLiteral("Dica em manutenção");
        e.DicaTexto = QStringLiteral("Neste momento não é possível recuperar uma dica.");
        return false;
    }
    e.DicaTitulo = campos.valor(1);
    e.DicaTexto = kQuebraLinha.toString() + campos.valor(2);
    return true;
}

bool StatusPortal::nomeArquivoSeguro(const QString &nome)
{
    if (nome.contains(QLatin1Char('/')) || nome.contains(QLatin1Char('\\')) || nome.contains(QStringLiteral("..")))
        return false;
    for (const QChar c : nome)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control)
            return false;
    return true;
}

QString StatusPortal::LogoEscritorio(const QString &pCaminho, bool pAtualiza)
{
    const EstadoSessao &e = m_ctx.estado;
    const QString falhou = QStringLiteral("Não foi possivel baixar o logo do escritório!");
    if (!nomeArquivoSeguro(e.Logo)) {
        m_ctx.erro = falhou;
        return QString();
    }
    const QString local = pCaminho + e.Logo;
    if (!e.InternetOk) {
        m_ctx.erro = kSemInternetEspaco;
        return local;
    }
    auto &fso = m_ctx.servicos.fso;
    if (!pAtualiza && fso.arquivoExiste(local))
        return local;
    const QString endereco = m_ctx.urlBaseSite() + QStringLiteral("vorlin/escritorio_arq/")
        + quatroDigitos(e.lngID_Contador) + QStringLiteral("/") + e.Logo;
    m_ctx.estado.UltimaUrl = endereco;
    const QByteArray bytes = m_ctx.url.AbreURLBytes(endereco);
    // No body at all means the portal was not reached: keep the logo we have.
    if (bytes.isEmpty() || !fso.gravaBytes(local, bytes)) {
        m_ctx.erro = falhou;
        return QString();
    }
    return local;
}

} // namespace portal
