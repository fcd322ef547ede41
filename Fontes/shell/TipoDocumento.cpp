#include "TipoDocumento.h"

#include <QStringList>

namespace TipoDocumento {

QString codigo(const QString &nomeOuCaminho)
{
    // The dot is searched in the whole value: a dotted folder counts when the name has none.
    const qsizetype ponto = nomeOuCaminho.lastIndexOf(QLatin1Char('.'));
    const QString extensao = ponto < 0 ? nomeOuCaminho : nomeOuCaminho.mid(ponto + 1);
    return extensao.toLower();
}

QString descricao(const QString &codigo)
{
    struct Categoria {
        QStringList extensoes;
        QString texto;
    };
    static const Categoria categorias[] = {
        {{QStringLiteral("pdf")}, QStringLiteral("Documento Portátil")},
        {{QStringLiteral("tif"), QStringLiteral("jpg"), QStringLiteral("gif"), QStringLiteral("bmp")},
         QStringLiteral("Imagens")},
        {{QStringLiteral("ppt"), QStringLiteral("odp"), QStringLiteral("sxi"), QStringLiteral("pps")},
         QStringLiteral("Apresentações")},
        {{QStringLiteral("doc"), QStringLiteral("odt"), QStringLiteral("sxw"), QStringLiteral("rtf"),
          QStringLiteral("sdw"), QStringLiteral("txt"), QStringLiteral("pdb"), QStringLiteral("psw")},
         QStringLiteral("Documentos")},
        {{QStringLiteral("xls"), QStringLiteral("ods"), QStringLiteral("scx"), QStringLiteral("csv"),
          QStringLiteral("pxl"), QStringLiteral("xml")},
         QStringLiteral("Planilhas")},
        {{QStringLiteral("html"), QStringLiteral("htm")}, QStringLiteral("Pagina de internet")},
        {{QStringLiteral("prn")}, QStringLiteral("Arquivo de Impressão")},
        {{QStringLiteral("exe"), QStringLiteral("com"), QStringLiteral("vbs"), QStringLiteral("asp"),
          QStringLiteral("jsp")},
         QStringLiteral("Proibido")},
        {{QStringLiteral("arj"), QStringLiteral("tar"), QStringLiteral("zip"), QStringLiteral("rar")},
         QStringLiteral("Compactado")},
    };
    for (const Categoria &c : categorias) {
        if (c.extensoes.contains(codigo, Qt::CaseSensitive))
            return c.texto;
    }
    return QStringLiteral("Outros");
}

QString titulo(const QString &texto)
{
    const QString limpo = texto.trimmed();
    return limpo == QStringLiteral("Digite um Título") ? QString() : limpo;
}

} // namespace TipoDocumento
