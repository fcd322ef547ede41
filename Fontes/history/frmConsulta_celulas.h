#pragma once
// The history grid's columns and the text each cell shows for a record of the query.
#include <QString>
#include <QStringList>
#include <Qt>
#include <array>

namespace consulta {

// shown for a date the record does not have, and kept in the record: the retrieval reads it in
// the deletion date to know that a file is still on the portal
inline const QString kSemData = QStringLiteral("-*-");

struct Coluna {
    QString titulo;
    int campo;             // the record field the column shows
    int larguraPadrao;     // twips
    Qt::Alignment celula;
    Qt::Alignment cabecalho;
};

// the 18 columns in grid order
const std::array<Coluna, 18> &Colunas();

// the column that shows the record status is always hidden
constexpr int kColunaStatus = 12;
constexpr int kColunaVencimento = 6;
constexpr int kColunaValor = 7;
constexpr int kColunaArquivo = 9;
constexpr int kColunaTamanho = 10;
constexpr int kColunaId = 16;
constexpr int kColunaLocal = 17;

// The portal's date or date-time text in the general date form: date alone at midnight.
// Throws ErroPrograma (type mismatch) for a text that is no date.
QString dataGeral(const QString &texto);
// As dataGeral, or kSemData when there is no date.
QString dataOuMarca(const QString &texto);
// The amount in Brazilian currency; a text that is no number counts as 0.
QString moeda(const QString &texto);
// Bytes as kilobytes with one decimal, followed by "Kbs"; throws for a text that is no number.
QString kbs(const QString &texto);

// The text of grid column `coluna` for a record row of the query.
QString TextoColuna(int coluna, const QStringList &registro);

} // namespace consulta
