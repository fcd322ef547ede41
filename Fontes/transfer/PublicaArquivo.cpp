#include "transfer/PublicaArquivo.h"

#include "platform/ErrorCodes.h"
#include "platform/Folders.h"
#include "portal/Resposta.h"
#include "publication/DataTexto.h"
#include "transfer/AvisosPublicacao.h"
#include "transfer/classFtp.h"

#include <QLocale>

namespace transferencia {

namespace {

// display codes of the transfer window
constexpr qint16 kEmpresa = 0;
constexpr qint16 kPessoa = 1;
constexpr qint16 kLista = 2;
constexpr qint16 kTitulo = 4;
constexpr qint16 kTituloVermelho = 5;

const QString kSemAvisos = QStringLiteral("Sem Avisos");

bool eData(const QString &texto)
{
    return publicacao::leData(texto).has_value();
}

} // namespace

QString textoValor(double valor)
{
    // the amount as the Brazilian system writes it, then with the point the portal reads
    QLocale local(QLocale::Portuguese, QLocale::Brazil);
    local.setNumberOptions(QLocale::OmitGroupSeparator);
    return local.toString(valor, 'g', 15).replace(QLatin1Char(','), QLatin1Char('.'));
}

PublicaArquivo::PublicaArquivo(portal::ContextoPortal &contexto, const classEnviar &enviar, DocumentoEnvio documento,
                               Backup backup, ResultadoEnvio resultado)
    : m_ctx(contexto), m_enviar(enviar), m_doc(std::move(documento)), m_backup(std::move(backup)),
      m_resultado(resultado)
{
}

QString PublicaArquivo::nomeRemoto(const DocumentoEnvio &documento)
{
    if (documento.titulo.isEmpty())
        return plataforma::nomeArquivo(documento.arquivo);
    return documento.tipo.isEmpty() ? documento.titulo : documento.titulo + QLatin1Char('.') + documento.tipo;
}

QString PublicaArquivo::pedidoRegistro(const QString &remoto) const
{
    const EstadoSessao &e = m_ctx.estado;
    const classEnviar &r = m_enviar;
    const QString tipo = r.Cod_TpDoc();
    const QString amp = QStringLiteral("&");

    QString pedido = QStringLiteral("/printer/publica_b_novo.asp?");
    pedido += QStringLiteral("l=") + QString::number(e.lngLogin_ID) + amp;
    pedido += QStringLiteral("s=") + QString::number(e.lngSessao) + amp;
    pedido += QStringLiteral("e=") + r.Empresas() + amp;
    pedido += QStringLiteral("t=") + tipo + amp;
    if (eData(r.Ativacao()))
        pedido += QStringLiteral("a=") + r.Ativacao() + amp;
    if (eData(r.Expiracao()))
        pedido += QStringLiteral("x=") + r.Expiracao() + amp;
    pedido += QStringLiteral("email=") + m_doc.email + amp;
    if (tipo == QLatin1String("P")) {
        pedido += QStringLiteral("v=") + r.Vencimento() + amp;
        pedido += QStringLiteral("r=") + textoValor(r.Valor()) + amp;
    }
    // only these two are encoded; the rest goes as typed
    pedido += QStringLiteral("d=") + classURL::CodificaURL(r.Descricao()) + amp;
    pedido += QStringLiteral("o=") + classURL::CodificaURL(r.Observacao()) + amp;
    if (!remoto.isEmpty())
        pedido += QStringLiteral("f=") + remoto + amp;
    pedido += QStringLiteral("Parametro1=") + r.Parametro1();
    pedido += QStringLiteral("&Parametro2=") + r.Parametro2();
    pedido += QStringLiteral("&Parametro3=") + r.Parametro3();
    pedido += QStringLiteral("&Parametro4=") + r.Parametro4();
    pedido += QStringLiteral("&Parametro5=") + r.Parametro5();
    if (e.bDebug)
        pedido += amp + QStringLiteral("w=y");
    pedido += QStringLiteral("&idPasta=") + m_doc.pasta;
    if (!m_doc.usuariosId.isEmpty())
        pedido += QStringLiteral("&UsuarioID=") + m_doc.usuariosId;
    pedido += QStringLiteral("&Admin=") + QString::number(e.lngAdmin);
    pedido += QStringLiteral("&Email=") + m_doc.email;
    return pedido;
}

void PublicaArquivo::Envia(classFtp &vFtp)
{
    m_ctx.erro.clear();
    try {
        if (publica(vFtp))
            return;
    } catch (...) {
        // A reply with too few lines, a person line without ";", a notice mode that is no digit,
        // a listener's fault: Erro keeps whatever it held.
    }
    falha(vFtp);
}

bool PublicaArquivo::publica(classFtp &vFtp)
{
    const EstadoSessao &e = m_ctx.estado;
    if (!m_enviar.Validado()) {
        m_ctx.erro = QStringLiteral("Não é possível transmitir arquivo não validado!");
        return false;
    }
    vFtp.Mensagem(kLista, QStringLiteral("Iniciando Transmissão do Arquivo"));

    const QString remoto = nomeRemoto(m_doc);
    // A missing local file is told by classFtp in its own box; here it is one more failed upload.
    if (!vFtp.Transmite(e.FtpServidor, e.FtpUsuario, e.FtpSenha, m_doc.arquivo, remoto)) {
        m_ctx.erro = QStringLiteral("Não foi possível transmitir o arquivo!");
        return false;
    }
    vFtp.Mensagem(kLista, QStringLiteral("Arquivo Transmitido"));
    vFtp.Mensagem(kTitulo, QStringLiteral("Arquivo Transmitido"));

    const portal::Partes registro = portal::Partes::linhas(m_ctx.pede(pedidoRegistro(remoto)));
    if (registro.exige(0) != m_ctx.sistema) {
        m_ctx.erro = QStringLiteral("Problemas na criação do Registro de Transferência!") + portal::kQuebraLinha.toString()
            + registro.exige(1);
        return false;
    }
    // From here on the file is on the portal; a later fault still ends as a failure.
    m_resultado.enviado = true;
    m_resultado.lastIds = registro.exige(1);

    if (e.bDebug) {
        plataforma::Caixa caixa;
        caixa.texto = QStringLiteral("Debug:") + portal::kQuebraLinha.toString() + registro.exige(2);
        caixa.titulo = m_ctx.sistema;
        caixa.icone = plataforma::Icone::Informacao;
        m_ctx.servicos.ui.mensagem(caixa);
        vFtp.Mensagem(kLista, QStringLiteral("Modo Debug Ativado"));
    }

    const QString emails = m_enviar.Emails();
    if (emails.isEmpty() || emails.at(0) < QLatin1Char('0') || emails.at(0) > QLatin1Char('9'))
        throw plataforma::ErroPrograma(plataforma::CodigoErro::TiposIncompativeis);
    const int modo = emails.at(0).digitValue();
    vFtp.Mensagem(kLista, QStringLiteral("Iniciando processo de Avisos"));

    // no identifiers at all when the portal sent an empty line
    const QStringList ids = m_resultado.lastIds.isEmpty() ? QStringList() : m_resultado.lastIds.split(QLatin1Char('*'));
    guardaBackups(ids);

    // Mode 3 (an explicit address list) is never produced by the dialog; it gets no notices.
    if (modo <= 0 || modo >= 3) {
        vFtp.Mensagem(kEmpresa, kSemAvisos);
        vFtp.Mensagem(kLista, kSemAvisos);
        vFtp.Mensagem(kPessoa, QString());
        return true;
    }
    AvisosPublicacao avisos(m_ctx);
    for (const QString &id : ids)
        avisos.Avisa(vFtp, id, modo);
    return true;
}

void PublicaArquivo::guardaBackups(const QStringList &ids)
{
    for (const QString &id : ids) {
        // An empty piece ("12*") names no record, and an empty identifier would ask for a capture
        // into "PROC" instead of a backup. A failed backup leaves its message and goes on.
        if (!id.isEmpty() && m_backup)
            m_backup(id);
    }
}

void PublicaArquivo::falha(classFtp &vFtp)
{
    // A listener that faults again must not keep the failure from being recorded.
    try {
        vFtp.Mensagem(kTituloVermelho, QStringLiteral("Houveram erros durante a publicação!"));
    } catch (...) {
    }
    m_ctx.erro = QStringLiteral("Erro") + portal::kQuebraLinha.toString() + m_ctx.erro;
    m_resultado.enviado = false;
}

} // namespace transferencia
