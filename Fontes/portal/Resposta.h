#pragma once
// Reply framing shared by every portal request: lines at CR LF, sections at "|*+", records at
// "<!#", fields at ">@%". Indexed access never reads past the end of a short reply.
#include <QString>
#include <QStringList>
#include <utility>
#include <QStringView>

namespace portal {

inline constexpr QStringView kQuebraLinha = u"\r\n";
inline constexpr QStringView kSecao = u"|*+";
inline constexpr QStringView kRegistro = u"<!#";
inline constexpr QStringView kCampo = u">@%";

class Partes {
public:
    Partes() = default;
    explicit Partes(QStringList partes) : m_partes(std::move(partes)) {}

    // Empty text has no parts at all; text without the separator is one part.
    static Partes corta(const QString &texto, QStringView separador);
    static Partes linhas(const QString &texto) { return corta(texto, kQuebraLinha); }
    static Partes secoes(const QString &texto) { return corta(texto, kSecao); }
    static Partes registros(const QString &texto) { return corta(texto, kRegistro); }
    static Partes campos(const QString &texto) { return corta(texto, kCampo); }

    qsizetype tamanho() const { return m_partes.size(); }
    bool vazio() const { return m_partes.isEmpty(); }
    bool tem(qsizetype i) const { return i >= 0 && i < m_partes.size(); }
    // The part, or empty text when the reply is too short.
    QString valor(qsizetype i) const { return tem(i) ? m_partes.at(i) : QString(); }
    // The part; a missing one is a malformed reply (ErroPrograma, subscript out of range).
    const QString &exige(qsizetype i) const;
    const QStringList &lista() const & { return m_partes; }
    // A temporary hands its parts over, so `for (x : Partes::registros(t).lista())` is safe.
    QStringList lista() && { return std::move(m_partes); }

private:
    QStringList m_partes;
};

// The prefix test: the reply's first characters are the application name.
inline bool comecaComMarcador(const QString &resposta, const QString &sistema)
{
    return resposta.startsWith(sistema);
}

// Text after the first CR LF, where refusals carry their message; empty without one.
QString aposPrimeiraLinha(const QString &resposta);

} // namespace portal
