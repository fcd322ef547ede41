#include "history/classConsultar.h"

#include "history/CopiaLocal.h"
#include "platform/ErrorCodes.h"
#include "portal/Conversoes.h"
#include "portal/Resposta.h"

#include <QSet>
#include <cmath>
#include <limits>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kHouveramErros = QStringLiteral("Houveram erros  durante a pesquisa!");
const QString kErrosIndefinidos = QStringLiteral("Houveram erros indefinidos durante a pesquisa!");
const QString kSemArquivos = QStringLiteral("Não existem Arquivos para esta consulta!");
constexpr int kCamposPortal = 17;

[[noreturn]] void falha(plataforma::CodigoErro codigo)
{
    throw plataforma::ErroPrograma(codigo);
}

// A size in bytes: a whole decimal number, 64-bit so files over 2 GiB add up correctly.
qint64 tamanho(const QString &texto)
{
    return portal::inteiro64(texto);
}

// While the portal answers and the reply is read, the window keeps painting (clicks wait).
class VezDaConsulta {
public:
    explicit VezDaConsulta(plataforma::Servicos &servicos) : m_http(servicos.http)
    {
        m_http.defineVez([&ui = servicos.ui] { ui.cedeVez(plataforma::Vez::SemEntrada); });
    }
    ~VezDaConsulta() { m_http.defineVez({}); }
    VezDaConsulta(const VezDaConsulta &) = delete;
    VezDaConsulta &operator=(const VezDaConsulta &) = delete;

private:
    plataforma::HttpClient &m_http;
};

} // namespace

classConsultar::classConsultar(plataforma::Servicos &servicos) : m_servicos(servicos), m_url(servicos.http) {}

void classConsultar::GetPar(const QString &pUrl, qint32 pSession, qint32 pLoginID, const QString &pSistema,
                            const QString &pLastIds, const QString &pPathUser)
{
    m_urlBase = pUrl;
    m_sessao = pSession;
    m_loginId = pLoginID;
    m_sistema = pSistema;
    m_lastIds = pLastIds;
    m_pathUser = pPathUser;
}

void classConsultar::setTipoDoc(qint16 valor)
{
    m_tipoData = 0;
    m_tipoDoc = valor;
}

void classConsultar::setTipoData(qint16 valor)
{
    m_temInicial = false;
    m_temFinal = false;
    // the due date belongs to payments only
    if (valor == 2 && m_tipoDoc != 1)
        return;
    m_tipoData = valor;
}

void classConsultar::setDataInicial(const QDate &data)
{
    if (m_tipoData == 0 || !data.isValid())
        return;
    m_dataInicial = data;
    m_temInicial = true;
}

void classConsultar::setDataFinal(const QDate &data)
{
    if (m_tipoData == 0 || !data.isValid())
        return;
    m_dataFinal = data;
    m_temFinal = true;
}

void classConsultar::setUsuario(double valor)
{
    // rounds half to even, like the list's item data conversion always did
    const double arredondado = std::nearbyint(valor);
    if (!std::isfinite(arredondado) || arredondado < std::numeric_limits<qint32>::min()
        || arredondado > std::numeric_limits<qint32>::max())
        falha(plataforma::CodigoErro::Estouro);
    m_usuario = static_cast<qint32>(arredondado);
}

void classConsultar::setOrdenar(qint16 valor)
{
    if (valor >= 0 && valor <= 5)
        m_ordenar = valor;
}

void classConsultar::setMostrar(qint16 valor)
{
    m_mostrar = (valor >= 0 && valor <= 4) ? valor : 0;
}

QString classConsultar::Endereco(bool pEnviados) const
{
    QString url = m_urlBase + QStringLiteral("/printer/consulta_b.asp?") + QStringLiteral("s=")
        + QString::number(m_sessao) + QStringLiteral("&l=") + QString::number(m_loginId);
    if (pEnviados)
        return url + QStringLiteral("&li=") + m_lastIds;

    if (m_empresa > 0)
        url += QStringLiteral("&e=") + QString::number(m_empresa);
    url += QStringLiteral("&t=") + QString::number(m_tipoDoc);
    if (m_tipoData != 0 && (m_temInicial || m_temFinal)) {
        if (m_tipoData == 1)
            url += QStringLiteral("&d=t");
        else if (m_tipoData == 2)
            url += QStringLiteral("&d=v");
        const QString formato = QStringLiteral("yyyyMMdd");
        if (m_temInicial)
            url += QStringLiteral("&i=") + m_dataInicial.toString(formato);
        if (m_temFinal)
            url += QStringLiteral("&f=") + m_dataFinal.toString(formato);
    }
    if (m_usuario > 0)
        url += QStringLiteral("&u=") + QString::number(m_usuario);
    url += QStringLiteral("&o=") + QString::number(m_ordenar);
    if (m_mostrar != 0)
        url += QStringLiteral("&m=") + QString::number(m_mostrar);
    return url;
}

bool classConsultar::Filtrar(qint16 &vRetorno, qint64 &vSumSize, bool pEnviados)
{
    vRetorno = 0;
    vSumSize = 0;
    m_erro.clear();
    // no table of an earlier query may pass for this one's
    m_tabela.clear();
    try {
        const VezDaConsulta vez(m_servicos);
        const QString resposta = m_url.AbreURL(Endereco(pEnviados));
        if (!portal::comecaComMarcador(resposta, m_sistema)) {
            m_erro = portal::Partes::linhas(resposta).valor(1) + kCrLf + kHouveramErros;
            return false;
        }
        leResposta(resposta, vRetorno, vSumSize);
    } catch (...) {
        m_tabela.clear();
        if (!m_erro.isEmpty())
            m_erro += kHouveramErros;
        else
            m_erro = kErrosIndefinidos;
    }
    return m_erro.isEmpty();
}

void classConsultar::leResposta(const QString &resposta, qint16 &vRetorno, qint64 &vSumSize)
{
    const portal::Partes linhas = portal::Partes::linhas(resposta);
    // 16 bits, as the portal counts them; a count past that is a malformed reply
    const qint16 quantidade = portal::inteiro16(linhas.exige(2));
    if (quantidade < 0)
        falha(plataforma::CodigoErro::IndiceForaDoIntervalo);
    vRetorno = quantidade;
    if (quantidade == 0) {
        m_erro = kSemArquivos;
        return;
    }

    // the local copies, listed once rather than looked up record by record
    QSet<QString> copias;
    for (const QString &nome : m_servicos.fso.listaArquivos(historico::pastaCopias(m_pathUser)))
        copias.insert(nome);
    const QString sim = QStringLiteral("Sim");
    const QString nao = QStringLiteral("Não");

    // records at "<!#", fields at ">@%", cut on views of the line: only the fields are copied
    const QStringView registros(linhas.exige(1));
    TabelaConsulta tabela;
    tabela.reserve(quantidade + 1);
    qsizetype inicio = 0;
    for (qsizetype r = 0; inicio <= registros.size(); ++r) {
        // more records than the count: the reply does not agree with itself
        if (r >= quantidade)
            falha(plataforma::CodigoErro::IndiceForaDoIntervalo);
        qsizetype fim = registros.indexOf(portal::kRegistro, inicio);
        if (fim < 0)
            fim = registros.size();
        const QList<QStringView> campos = registros.sliced(inicio, fim - inicio).split(portal::kCampo);
        if (campos.size() < kCamposPortal)
            falha(plataforma::CodigoErro::IndiceForaDoIntervalo);
        QStringList linha;
        linha.reserve(kCampos);
        for (qsizetype c = 0; c < kCamposPortal; ++c)
            linha << campos.at(c).toString();
        qint64 soma = 0;
        if (__builtin_add_overflow(vSumSize, tamanho(linha.at(kCampoTamanho)), &soma))
            falha(plataforma::CodigoErro::Estouro);
        vSumSize = soma;
        const QString &id = linha.at(kCampoId);
        linha << (historico::nomeLocalSeguro(id) && copias.contains(id) ? sim : nao);
        tabela << std::move(linha);
        inicio = fim + portal::kRegistro.size();
        m_servicos.ui.cedeVez(plataforma::Vez::SemEntrada);
    }
    if (tabela.size() != quantidade)
        falha(plataforma::CodigoErro::IndiceForaDoIntervalo);
    tabela << QStringList(kCampos, QString());
    m_tabela = std::move(tabela);
}

bool classConsultar::Catch(QString &e) const
{
    if (m_erro.isEmpty())
        return false;
    e = m_erro;
    return true;
}

void classConsultar::Validar()
{
    try {
        m_validado = false;
        if (m_empresa == 0)
            m_erro = QStringLiteral("É necessário escolher um cliente!");
        else if (m_tipoDoc == 3)
            m_erro = QStringLiteral("O Campo de Tipo deve ser preenchido!");
        else
            m_validado = true;
    } catch (...) {
        m_validado = false;
        m_erro = QStringLiteral("Erro Indefinido!");
    }
}
