#include "publication/classEnviar.h"

#include "platform/ErrorCodes.h"
#include "publication/DataTexto.h"

#include <QStringList>
#include <limits>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kErroIndefinido = QStringLiteral("Erro Indefinido!");
constexpr qsizetype kMaxDescricao = 100;

// A date check that failed: message and control are set, and it then ends like any other fault.
struct FalhaData {};

// Comparing with a due date that is not there is a type mismatch, as in any other conversion.
QDate dataOuFalha(const QString &texto)
{
    const auto data = publicacao::leData(texto);
    if (!data)
        throw plataforma::ErroPrograma(plataforma::CodigoErro::TiposIncompativeis);
    return *data;
}

QString textoDataOuVazio(const QString &texto)
{
    const auto data = publicacao::leData(texto);
    return data ? publicacao::textoData(*data) : QString();
}

// Only blanks count as padding here, as in the description box.
bool soEspacos(const QString &texto)
{
    for (const QChar c : texto) {
        if (c != QLatin1Char(' '))
            return false;
    }
    return true;
}

} // namespace

classEnviar::classEnviar(const QString &pasta, QString &controleValidacao, QDate hoje)
    : m_pasta(pasta), m_controleValidacao(controleValidacao),
      m_vencimento(publicacao::textoData(hoje.addMonths(1)))
{
}

void classEnviar::Try()
{
    m_mensagemErro.clear();
    m_clientes.clear();
}

void classEnviar::AddCliente(qint32 cliente)
{
    if (m_clientes.size() >= std::numeric_limits<qint16>::max())
        throw plataforma::ErroPrograma(plataforma::CodigoErro::Estouro);
    m_clientes.append(cliente);
}

QString classEnviar::Empresas() const
{
    QStringList ids;
    ids.reserve(m_clientes.size());
    for (const qint32 id : m_clientes)
        ids << QString::number(id);
    return ids.join(QLatin1Char('*'));
}

void classEnviar::setTipoArquivo(qint16 valor)
{
    m_tipoArquivo = valor;
    if (valor < 0)
        m_mensagemErro = QStringLiteral("Tipo de Arquivo Inválido!");
}

QString classEnviar::Cod_TpDoc() const
{
    switch (m_tipoArquivo) {
    case 0:
        return QStringLiteral("P");
    case 1:
        return QStringLiteral("R");
    default:
        return QStringLiteral("D");
    }
}

QString classEnviar::TpArquivoChar(qint16 pTpArquivo) const
{
    switch (pTpArquivo == 0 ? m_tipoArquivo : pTpArquivo) {
    case 0:
        return QStringLiteral("P");
    case 1:
        return QStringLiteral("R");
    case 2:
        return QStringLiteral("D");
    default:
        return QString();
    }
}

void classEnviar::setDescricao(const QString &texto)
{
    m_descricao = texto.left(kMaxDescricao);
}

void classEnviar::setAtivacao(const QString &texto)
{
    m_ativacao = textoDataOuVazio(texto);
}

void classEnviar::setExpiracao(const QString &texto)
{
    m_expiracao = textoDataOuVazio(texto);
}

void classEnviar::setVencimento(const QString &texto)
{
    m_vencimento = textoDataOuVazio(texto);
}

void classEnviar::Avisar(bool pTodos, const std::optional<QString> &pEmails, bool pReseta)
{
    if (pReseta) {
        m_modoAviso = 0;
        m_listaEmails.clear();
    } else if (pTodos) {
        m_modoAviso = 2;
    } else if (!pEmails) {
        m_modoAviso = 1;
    } else {
        m_modoAviso = 3;
        m_listaEmails = *pEmails;
    }
}

QString classEnviar::Emails() const
{
    const QString modo = QString::number(m_modoAviso);
    return m_modoAviso == 3 ? modo + m_listaEmails : modo;
}

void classEnviar::Validar(const QString &sNm_Arq)
{
    m_validado = false;
    const auto falhaData = [&](const QString &texto, const QString &controle) {
        m_mensagemErro = texto + sNm_Arq + QLatin1Char('!') + kCrLf;
        m_controleValidacao = controle;
        throw FalhaData{};
    };
    try {
        if (m_clientes.isEmpty()) {
            m_mensagemErro = QStringLiteral("É necessário selecionar um ou mais clientes para o arquivo ") + sNm_Arq + QLatin1Char('!');
            m_controleValidacao = QStringLiteral("cboCarteira");
            return;
        }
        if (soEspacos(m_descricao)) {
            m_mensagemErro = QStringLiteral("Descrição deve ser preenchido para o arquivo ") + sNm_Arq + QLatin1Char('!');
            m_controleValidacao = QStringLiteral("txtDescricao");
            return;
        }
        // Due date and amount belong to payments only.
        if (m_tipoArquivo != 0) {
            m_vencimento.clear();
            m_valor = 0;
        }

        if (const auto ativacao = publicacao::leData(m_ativacao)) {
            if (*ativacao < m_dataReferencia)
                falhaData(QStringLiteral("A data de ativação não pode ser menor que a data de hoje para o arquivo "),
                          QStringLiteral("dtpAtivacao"));
            else if (m_tipoArquivo == 0 && dataOuFalha(m_vencimento) <= *ativacao)
                falhaData(QStringLiteral("A data de ativação não pode ser maior ou igual a data vencimento para o arquivo "),
                          QStringLiteral("dtpAtivacao"));
        } else {
            m_ativacao.clear();
        }

        if (const auto expiracao = publicacao::leData(m_expiracao)) {
            const auto ativacao = publicacao::leData(m_ativacao);
            if (*expiracao <= m_dataReferencia)
                falhaData(QStringLiteral("A data de expiração não pode ser menor ou igual a data de hoje para o arquivo "),
                          QStringLiteral("dtpExpiracao"));
            else if (ativacao && *ativacao >= *expiracao)
                falhaData(QStringLiteral("A data de expiração não pode ser menor ou igual a data de ativação para o arquivo "),
                          QStringLiteral("dtpExpiracao"));
            else if (m_tipoArquivo == 0 && dataOuFalha(m_vencimento) >= *expiracao)
                falhaData(QStringLiteral("A data de expiração não pode ser menor ou igual a data de vencimento para o arquivo "),
                          QStringLiteral("dtpExpiracao"));
        } else {
            m_expiracao.clear();
        }

        if (m_pasta.isEmpty()) {
            m_mensagemErro = QStringLiteral("Selecione uma pasta para o arquivo ") + sNm_Arq + QLatin1Char('!') + kCrLf;
            return;
        }
        m_validado = true;
    } catch (...) {
        // Date failures end here too, which is why their messages carry the suffix.
        m_validado = false;
        m_mensagemErro += kErroIndefinido;
    }
}

bool classEnviar::Catch(QString &e) const
{
    if (m_mensagemErro.isEmpty())
        return false;
    e = m_mensagemErro;
    return true;
}
