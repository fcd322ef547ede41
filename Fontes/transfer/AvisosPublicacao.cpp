#include "transfer/AvisosPublicacao.h"

#include "portal/Resposta.h"
#include "transfer/classFtp.h"

namespace transferencia {

namespace {

// display codes of the transfer window
constexpr qint16 kEmpresa = 0;
constexpr qint16 kPessoa = 1;
constexpr qint16 kLista = 2;

} // namespace

void AvisosPublicacao::Avisa(classFtp &vFtp, const QString &pId, int pModo)
{
    const EstadoSessao &e = m_ctx.estado;
    const QString lista = m_ctx.pede(QStringLiteral("printer/avisos_b.asp?") + QStringLiteral("l=")
                                     + QString::number(e.lngLogin_ID) + QStringLiteral("&") + QStringLiteral("s=")
                                     + QString::number(e.lngSessao) + QStringLiteral("&") + QStringLiteral("a=l&")
                                     + QStringLiteral("t=") + QString::number(pModo) + QStringLiteral("&")
                                     + QStringLiteral("u=") + pId + QStringLiteral("&"));
    if (lista.isEmpty()) {
        vFtp.Mensagem(kLista, QStringLiteral(" Sem E-mail Cadastrado "));
        return;
    }
    // Line 0 should be the marker; the portal's word for it is not checked here.
    const portal::Partes linhas = portal::Partes::linhas(lista);
    const QString empresa = linhas.exige(1);
    vFtp.Mensagem(kEmpresa, empresa);
    vFtp.Mensagem(kLista, QStringLiteral("Cliente: ") + empresa);

    for (qsizetype i = 2; i < linhas.tamanho(); ++i) {
        const portal::Partes pessoa = portal::Partes::corta(linhas.exige(i), u";");
        const QString nome = pessoa.exige(0);
        const QString email = pessoa.exige(1);
        const QString destino = nome + QStringLiteral(" <") + email + QStringLiteral(">");
        vFtp.Mensagem(kPessoa, destino);
        const QString situacao = enviaAviso(pId, email);
        vFtp.Mensagem(kLista, QStringLiteral("  ") + destino + QStringLiteral(" - ") + situacao);
    }
}

QString AvisosPublicacao::enviaAviso(const QString &pId, const QString &email)
{
    const EstadoSessao &e = m_ctx.estado;
    // the address goes as it is
    const QString resposta = m_ctx.pede(QStringLiteral("/printer/avisos.asp?") + QStringLiteral("l=")
                                        + QString::number(e.lngLogin_ID) + QStringLiteral("&") + QStringLiteral("s=")
                                        + QString::number(e.lngSessao) + QStringLiteral("&") + QStringLiteral("a=e&")
                                        + QStringLiteral("u=") + pId + QStringLiteral("&") + QStringLiteral("i=")
                                        + email);
    const portal::Partes linhas = portal::Partes::linhas(resposta);
    if (linhas.exige(0) == m_ctx.sistema) {
        const QString codigo = linhas.exige(1);
        if (codigo == QLatin1String("1"))
            return QStringLiteral("Enviado");
        if (codigo == QLatin1String("2"))
            return QStringLiteral("Agendado");
        return QStringLiteral("Falha");
    }
    if (e.bDebug) {
        plataforma::Caixa caixa;
        caixa.texto = portal::kQuebraLinha.toString() + resposta;
        caixa.titulo = m_ctx.sistema;
        caixa.icone = plataforma::Icone::Informacao;
        m_ctx.servicos.ui.mensagem(caixa);
    }
    return QStringLiteral("Falha!");
}

} // namespace transferencia
