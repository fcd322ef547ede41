#include "portal/Diretorio.h"

#include "platform/ErrorCodes.h"
#include "portal/Resposta.h"

#include <string_view>

namespace portal {

namespace {

const QString kErroSincronizacao = QStringLiteral("Erro durante sincronização!");

// Cuts `texto` at every `separador`, handing each piece to `usa` until it returns false.
// (std::u16string_view::find is several times faster here than QStringView::tokenize.)
template <typename Funcao>
void corta(QStringView texto, QStringView separador, Funcao usa)
{
    const std::u16string_view t(texto.utf16(), static_cast<size_t>(texto.size()));
    const std::u16string_view sep(separador.utf16(), static_cast<size_t>(separador.size()));
    size_t inicio = 0;
    for (;;) {
        const size_t fim = t.find(sep, inicio);
        const size_t tamanho = (fim == std::u16string_view::npos ? t.size() : fim) - inicio;
        if (!usa(texto.mid(static_cast<qsizetype>(inicio), static_cast<qsizetype>(tamanho))) || fim == std::u16string_view::npos)
            return;
        inicio = fim + sep.size();
    }
}

// Splits one section into records and each record into fields, handing the first `minimo`
// fields of every record to `usa`. An empty section holds no records.
template <typename Funcao>
void paraCadaRegistro(QStringView secao, qsizetype minimo, Funcao usa)
{
    if (secao.isEmpty())
        return;
    corta(secao, kRegistro, [&](QStringView registro) {
        QStringView campos[3];
        qsizetype n = 0;
        corta(registro, kCampo, [&](QStringView campo) {
            campos[n++] = campo;
            return n < minimo;
        });
        if (n < minimo)
            throw plataforma::ErroPrograma(plataforma::CodigoErro::IndiceForaDoIntervalo);
        usa(registro, campos);
        return true;
    });
}

} // namespace

QString Diretorio::arquivoCache(bool pCarteiras) const
{
    return m_ctx.pathUser + QStringLiteral("c") + QString::number(m_ctx.estado.lngID_Contador)
        + (pCarteiras ? QStringLiteral("sinc.rtx") : QStringLiteral("sincu.rpx"));
}

TabelasDiretorio Diretorio::leResposta(const QString &resposta, bool &temCarteira, QString &erro)
{
    TabelasDiretorio t;
    const QStringView corpo(resposta);
    QStringView secoes[4];
    qsizetype n = 0;
    corta(corpo, kSecao, [&](QStringView secao) {
        secoes[n++] = secao;
        return n < 4;
    });

    // wallets
    if (n < 2)
        throw plataforma::ErroPrograma(plataforma::CodigoErro::IndiceForaDoIntervalo);
    if (secoes[1] == u"4") {
        erro = QStringLiteral("Não existem carteiras cadastradas!");
        temCarteira = false;
    } else {
        temCarteira = true;
        paraCadaRegistro(secoes[1], 2, [&](QStringView, const QStringView *c) {
            t.carteiras.append({c[0].toString(), c[1].toString()});
        });
    }

    // clients
    if (n < 3)
        throw plataforma::ErroPrograma(plataforma::CodigoErro::IndiceForaDoIntervalo);
    if (secoes[2] == u"5") {
        erro = QStringLiteral("Não existem clientes cadastrados!");
    } else {
        paraCadaRegistro(secoes[2], 3, [&](QStringView registro, const QStringView *c) {
            LinhaCliente linha;
            linha.id = c[0].toString();
            linha.carteira = c[1].toString();
            linha.nome = c[2].toString();
            linha.carteiraNumero = c[1].trimmed().toLongLong(&linha.carteiraValida);
            t.clientes.append(std::move(linha));
            t.RegistrosClientes.append(registro.toString());
        });
    }

    // users
    if (n < 4)
        throw plataforma::ErroPrograma(plataforma::CodigoErro::IndiceForaDoIntervalo);
    if (secoes[3] == u"6") {
        erro = QStringLiteral("Não existem usuarios cadastrados!");
    } else {
        paraCadaRegistro(secoes[3], 2, [&](QStringView, const QStringView *c) {
            t.usuarios.append({c[0].toString(), c[1].toString()});
        });
    }
    return t;
}

bool Diretorio::Sincroniza(bool &pAtualiza, bool pCarteiras, const QString &)
{
    pAtualiza = true;
    EstadoSessao &e = m_ctx.estado;
    try {
        const QString cache = arquivoCache(pCarteiras);
        const QByteArray bytes = m_ctx.pedeBytes(QStringLiteral("printer/sincroniza.asp?")
                                                 + QStringLiteral("s=") + QString::number(e.lngSessao)
                                                 + QStringLiteral("&l=") + QString::number(e.lngLogin_ID)
                                                 + (pCarteiras ? QStringLiteral("&c=1") : QStringLiteral("&u=1")));
        const QString &resposta = e.UltimaResposta;
        if (!comecaComMarcador(resposta, m_ctx.sistema)) {
            if (resposta.contains(kQuebraLinha))
                m_ctx.erro = Partes::linhas(resposta).valor(1);
            m_ctx.erro += kQuebraLinha.toString() + kErroSincronizacao;
            return false;
        }
        if (!m_ctx.servicos.fso.gravaBytes(cache, bytes))
            throw plataforma::ErroPrograma(plataforma::CodigoErro::PermissaoNegada);

        const qsizetype fimSecao0 = resposta.indexOf(kSecao);
        if (QStringView(resposta).left(fimSecao0 < 0 ? resposta.size() : fimSecao0) != m_ctx.sistema)
            return false;

        // Tables are replaced only when the whole reply could be read.
        bool temCarteira = e.TemCarteira;
        TabelasDiretorio tabelas = leResposta(resposta, temCarteira, m_ctx.erro);
        e.Tabelas = std::move(tabelas);
        e.TemCarteira = temCarteira;
        return true;
    } catch (const plataforma::ErroPrograma &) {
        m_ctx.erro += kQuebraLinha.toString() + kErroSincronizacao;
        return false;
    }
}

QList<LinhaTabela> Diretorio::clientesDe(const TabelasDiretorio &tabelas, qint64 vCarteira)
{
    const QList<LinhaCliente> &clientes = tabelas.clientes;
    QList<LinhaTabela> saida;
    if (vCarteira > 0) {
        for (const LinhaCliente &c : clientes)
            if (c.carteiraValida && c.carteiraNumero == vCarteira)
                saida.append({c.id, c.nome});
        return saida;
    }
    saida.reserve(clientes.size());
    for (const LinhaCliente &c : clientes)
        saida.append({c.id, c.nome});
    return saida;
}

} // namespace portal
