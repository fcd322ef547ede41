#include "history/frmConsulta_celulas.h"

#include "platform/ErrorCodes.h"
#include "portal/Conversoes.h"
#include "shell/frmMain.h"

#include <QLocale>

namespace consulta {

namespace {

constexpr Qt::Alignment kEsquerda = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment kCentro = Qt::AlignCenter;
constexpr Qt::Alignment kDireita = Qt::AlignRight | Qt::AlignVCenter;
// the grid's own: text to the left
constexpr Qt::Alignment kPadrao = kEsquerda;

} // namespace

const std::array<Coluna, 18> &Colunas()
{
    static const std::array<Coluna, 18> colunas{{
        {QStringLiteral("Cliente"), 0, 2500, kEsquerda, kCentro},
        {QStringLiteral("Tp"), 1, 400, kCentro, kCentro},
        {QStringLiteral("Descrição"), 3, 3000, kEsquerda, kCentro},
        {QStringLiteral("Publicação"), 8, 1300, kCentro, kCentro},
        {QStringLiteral("Ativação"), 12, 1300, kCentro, kCentro},
        {QStringLiteral("Expiração"), 13, 1300, kCentro, kCentro},
        {QStringLiteral("Vencimento"), 14, 2300, kCentro, kCentro},
        {QStringLiteral("Valor"), 15, 1300, kDireita, kPadrao},
        {QStringLiteral("Usuário"), 11, 1300, kPadrao, kPadrao},
        {QStringLiteral("Arquivo"), 4, 2000, kEsquerda, kCentro},
        {QStringLiteral("Tamanho"), 5, 1300, kDireita, kPadrao},
        {QStringLiteral("Tipo"), 6, 800, kCentro, kCentro},
        {QStringLiteral("Status"), 7, 300, kPadrao, kPadrao},
        {QStringLiteral("Lida"), 9, 1300, kCentro, kCentro},
        {QStringLiteral("Apagado"), 10, 1300, kCentro, kCentro},
        {QStringLiteral("Backup"), 16, 1300, kCentro, kCentro},
        {QStringLiteral("ID"), 2, 0, kPadrao, kPadrao},
        {QStringLiteral("Local"), 17, 0, kPadrao, kPadrao},
    }};
    return colunas;
}

QString dataGeral(const QString &texto)
{
    const QDateTime momento = portal::dataHora(texto);
    if (momento.time() == QTime(0, 0))
        return momento.date().toString(QStringLiteral("dd/MM/yyyy"));
    return momento.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

QString dataOuMarca(const QString &texto)
{
    return texto.trimmed().isEmpty() ? kSemData : dataGeral(texto);
}

QString moeda(const QString &texto)
{
    double valor = 0;
    try {
        valor = portal::numero(texto);
    } catch (const plataforma::ErroPrograma &) {
    }
    static const QLocale kBrasil(QLocale::Portuguese, QLocale::Brazil);
    return kBrasil.toCurrencyString(valor);
}

QString kbs(const QString &texto)
{
    // whole bytes, without a sign
    qint64 bytes = -1;
    try {
        if (!texto.contains(u'+') && !texto.contains(u'-'))
            bytes = portal::inteiro64(texto);
    } catch (const plataforma::ErroPrograma &) {
    }
    if (bytes < 0)
        throw plataforma::ErroPrograma(plataforma::CodigoErro::TiposIncompativeis);
    return frmMain::Kbytes(static_cast<double>(bytes)) + QStringLiteral("Kbs");
}

QString TextoColuna(int coluna, const QStringList &registro)
{
    const QString campo = registro.value(Colunas().at(coluna).campo);
    switch (coluna) {
    case 0:
        return campo.isEmpty() ? QStringLiteral("Todos") : campo;
    case 3:
        return dataGeral(campo);
    case 4:
        // a file active from its publication has no activation date of its own
        return dataGeral(campo.trimmed().isEmpty() ? registro.value(8) : campo);
    case 5:
    case 6:
    case 13:
    case 14:
    case 15:
        return dataOuMarca(campo);
    case kColunaValor:
        return moeda(campo);
    case kColunaTamanho:
        return kbs(campo);
    default:
        return campo;
    }
}

} // namespace consulta
