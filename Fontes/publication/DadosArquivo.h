#pragma once
// The settings of one file of the publication dialog's list: what the controls show while the file
// is the current one, and what the confirmation publishes it with.
#include <QList>
#include <QString>
#include <QStringList>
#include <array>

namespace publicacao {

// Folder level values: nothing to choose at this level, or a list offered and nothing chosen yet;
// anything greater is the chosen folder's id.
inline constexpr qint32 kSemNivel = 0;
inline constexpr qint32 kNivelPendente = -1;
inline constexpr int kNiveis = 5;

struct DadosArquivo {
    QString Descricao;
    QString Ativacao;     // date text or empty
    QString Expiracao;    // date text or empty
    QString Arquivo;      // full path
    QString Observacao;
    std::array<qint32, kNiveis> Pasta{};        // Pasta1 ... Pasta5
    std::array<QString, kNiveis> Parametro;     // Parametro1 ... Parametro5
    QList<qint32> ClientesMarcados{0};          // 0 placeholder first
    QStringList UsuariosMarcados{QString()};    // empty placeholder first; "client|user"

    // The captured document: level 1 becomes pending once its list is loaded.
    static DadosArquivo capturado(const QString &caminho);
    // A file dragged in: every level pending.
    static DadosArquivo arrastado(const QString &caminho);
};

// The folder path value: five ids each followed by "|", zeros for the unused levels; empty text
// when a level still waits for a choice, and then controleValidacao names the deepest such combo.
QString CaminhoPasta(const DadosArquivo &dados, QString &controleValidacao);

// The checked users as "client|user" entries joined by "*".
QString UsuariosId(const DadosArquivo &dados);

// The name the list shows for a path: the text after its last separator.
QString NomeNaLista(const QString &caminho);

} // namespace publicacao
