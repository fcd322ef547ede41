#include "history/CopiaLocal.h"

#include "platform/ErrorCodes.h"
#include "platform/Folders.h"

namespace historico {

namespace {

const QString kNaoEncontrado = QStringLiteral("Arquivo não encontrador!");

QString mensagemFalha(plataforma::CodigoErro codigo)
{
    return QStringLiteral("Erro") + QStringLiteral("\r\n") + plataforma::descricaoErro(static_cast<int>(codigo));
}

} // namespace

bool nomeLocalSeguro(const QString &nome)
{
    if (nome.isEmpty() || nome == QStringLiteral("."))
        return false;
    if (nome.contains(QLatin1Char('/')) || nome.contains(QLatin1Char('\\')) || nome.contains(QStringLiteral("..")))
        return false;
    for (const QChar c : nome) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

QString pastaCopias(const QString &pathUser)
{
    return pathUser + QStringLiteral("Back") + plataforma::separador();
}

QString caminhoCopia(const QString &pathUser, const QString &id)
{
    return pastaCopias(pathUser) + id;
}

QString pastaVisualizacao(const QString &pathUser)
{
    return pathUser + QStringLiteral("temp") + plataforma::separador();
}

QString caminhoVisualizacao(const QString &pathUser, const QString &nomeArquivo)
{
    return pastaVisualizacao(pathUser) + nomeArquivo;
}

bool copiaExiste(const plataforma::FileService &fso, const QString &pathUser, const QString &id)
{
    return nomeLocalSeguro(id) && fso.arquivoExiste(caminhoCopia(pathUser, id));
}

bool BaixaArquivo(plataforma::Servicos &servicos, const classURL &url, const PedidoArquivo &pedido,
                  const QString &pId_Arq, QString &erro)
{
    // The identifier names the local copy: one that could leave "Back" is not even asked for.
    if (!nomeLocalSeguro(pId_Arq)) {
        erro = kNaoEncontrado;
        return false;
    }
    try {
        const QString endereco = pedido.urlBase + QStringLiteral("printer/consulta_b.asp?") + QStringLiteral("l=")
            + QString::number(pedido.loginId) + QStringLiteral("&") + QStringLiteral("s=")
            + QString::number(pedido.sessao) + QStringLiteral("&") + QStringLiteral("ia=") + pId_Arq
            + QStringLiteral("&");
        // The body is the file itself: its bytes go to disk untouched.
        const QByteArray corpo = url.AbreURLBytes(endereco);
        if (corpo.isEmpty()) {
            erro = kNaoEncontrado;
            return false;
        }
        const plataforma::FileService &fso = servicos.fso;
        const QString pasta = pastaCopias(pedido.pathUser);
        // A machine that never published has no "Back" yet.
        if (!fso.pastaExiste(pasta) && !fso.criaPasta(pasta)) {
            erro = mensagemFalha(plataforma::CodigoErro::CaminhoNaoEncontrado);
            return false;
        }
        if (!fso.gravaBytes(caminhoCopia(pedido.pathUser, pId_Arq), corpo)) {
            erro = mensagemFalha(plataforma::CodigoErro::PermissaoNegada);
            return false;
        }
        return true;
    } catch (const plataforma::ErroPrograma &e) {
        erro = QStringLiteral("Erro") + QStringLiteral("\r\n") + plataforma::descricaoErro(e.codigo());
    } catch (...) {
        erro = mensagemFalha(plataforma::CodigoErro::Desconhecido);
    }
    return false;
}

} // namespace historico
