#include "publication/PortalInform.h"

#include "portal/Resposta.h"

namespace publicacao {

using portal::Partes;

namespace {

// A record without a numeric id names nothing the dialog could store: it is left out.
std::optional<qint32> numero(const QString &texto)
{
    bool ok = false;
    const qint32 v = texto.trimmed().toInt(&ok);
    return ok ? std::optional<qint32>(v) : std::nullopt;
}

QList<UsuarioPortal> usuarios(const QStringList &registros, const std::optional<QString> &cliente)
{
    QList<UsuarioPortal> lista;
    for (const QString &registro : registros) {
        const Partes campos = Partes::campos(registro);
        UsuarioPortal u;
        u.id = campos.valor(0).trimmed();
        u.nome = campos.valor(1);
        u.perfil = campos.valor(2);
        u.descricao = campos.valor(3);
        u.cliente = cliente ? *cliente : campos.valor(4).trimmed();
        if (!numero(u.id) || !numero(u.cliente))
            continue;
        lista << u;
    }
    return lista;
}

} // namespace

QString UsuarioPortal::texto() const
{
    return nome.left(15) + QStringLiteral(" (") + perfil + QStringLiteral(") - ") + descricao
        + QString(100, QLatin1Char(' ')) + QLatin1Char('|') + cliente + QLatin1Char('|') + id;
}

IdsItemUsuario IdsDoItem(const QString &texto)
{
    const QStringList partes = texto.split(QLatin1Char('|'));
    return {partes.value(1), partes.value(2)};
}

QString PrimeiraMaiuscula(const QString &texto)
{
    return texto.left(1).toUpper() + texto.mid(1).toLower();
}

PortalInform::PortalInform(classURL &url, const EstadoSessao &sessao, const plataforma::SettingsStore &config,
                           const QString &sistema)
    : m_url(url), m_sessao(sessao), m_config(config), m_sistema(sistema)
{
}

QString PortalInform::pede(const QString &caminho)
{
    m_ultimaUrl = portal::URLBase(m_config) + caminho;
    return m_url.AbreURL(m_ultimaUrl);
}

std::optional<QStringList> PortalInform::registros(const QString &resposta) const
{
    if (!portal::comecaComMarcador(resposta, m_sistema))
        return std::nullopt;
    const Partes secoes = Partes::secoes(resposta);
    if (secoes.valor(0) != m_sistema)
        return std::nullopt;
    return Partes::registros(secoes.valor(1)).lista();
}

QString PortalInform::sessao() const
{
    return QStringLiteral("&s=") + QString::number(m_sessao.lngSessao) + QStringLiteral("&l=")
        + QString::number(m_sessao.lngLogin_ID);
}

QList<UsuarioPortal> PortalInform::UsuariosDoCliente(qint32 cliente)
{
    const QString resposta = pede(QStringLiteral("printer/retornausuariosclientestodos.asp?s=")
                                  + QString::number(m_sessao.lngSessao) + QStringLiteral("&l=")
                                  + QString::number(m_sessao.lngLogin_ID) + QStringLiteral("&e=")
                                  + QString::number(cliente));
    const auto lista = registros(resposta);
    return lista ? usuarios(*lista, QString::number(cliente)) : QList<UsuarioPortal>();
}

QList<UsuarioPortal> PortalInform::UsuariosDeTodos(int posicaoCarteira)
{
    const QString resposta = pede(QStringLiteral("printer/retornausuariosclientestodosnovo.asp?s=")
                                  + QString::number(m_sessao.lngSessao) + QStringLiteral("&l=")
                                  + QString::number(m_sessao.lngLogin_ID) + QStringLiteral("&id_contador=")
                                  + QString::number(m_sessao.lngID_Contador) + QStringLiteral("&id_carteira=")
                                  + QString::number(posicaoCarteira));
    const auto lista = registros(resposta);
    return lista ? usuarios(*lista, std::nullopt) : QList<UsuarioPortal>();
}

RespostaPastas PortalInform::Pastas(int nivel, qint32 pastaPai)
{
    QString caminho = QStringLiteral("printer/carregapastas.asp?e=") + QString::number(m_sessao.lngID_Contador);
    if (nivel <= 1)
        caminho += QStringLiteral("&Pasta=0&Nivel=1");
    else
        caminho += QStringLiteral("&Nivel=") + QString::number(nivel) + QStringLiteral("&Pasta=")
            + QString::number(pastaPai);
    caminho += QStringLiteral("&Admin=") + QString::number(m_sessao.lngAdmin) + sessao();

    const QString resposta = pede(caminho);
    RespostaPastas r;
    r.marcador = portal::comecaComMarcador(resposta, m_sistema);
    if (const auto lista = registros(resposta)) {
        for (const QString &registro : *lista) {
            const Partes campos = Partes::campos(registro);
            const auto id = numero(campos.valor(0));
            if (!id)
                continue;
            r.pastas << PastaPortal{*id, PrimeiraMaiuscula(campos.valor(1))};
        }
    }
    return r;
}

std::optional<std::array<QString, 5>> PortalInform::Parametros(int nivel, qint32 pasta)
{
    const QString resposta = pede(QStringLiteral("printer/carregaparametros.asp?e=")
                                  + QString::number(m_sessao.lngID_Contador) + QStringLiteral("&pix=")
                                  + QString::number(nivel) + QStringLiteral("&pid=") + QString::number(pasta)
                                  + sessao());
    const auto lista = registros(resposta);
    if (!lista || lista->isEmpty())
        return std::nullopt;
    // Several records are applied one after the other: the last one decides.
    const Partes campos = Partes::campos(lista->last());
    std::array<QString, 5> nomes;
    for (int k = 0; k < 5; ++k)
        nomes[k] = campos.valor(k);
    return nomes;
}

} // namespace publicacao
