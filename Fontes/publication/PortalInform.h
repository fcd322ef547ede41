#pragma once
// The publication dialog's portal requests: the users of one client or of all clients, the folders
// of each level and the parameter names of a folder. Each answer is used only when it begins with
// the application name and its first section is exactly that name; anything else gives nothing.
#include "portal/EstadoSessao.h"
#include "portal/classURL.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace publicacao {

struct UsuarioPortal {
    QString id;
    QString cliente;
    QString nome;
    QString perfil;
    QString descricao;

    bool master() const { return perfil.contains(QStringLiteral("Master")); }
    // The list text: the ids ride after 100 blanks, out of the list's visible width.
    QString texto() const;
};

// The client id and user id a user item's text carries (parts 1 and 2 at "|").
struct IdsItemUsuario {
    QString cliente;
    QString usuario;
};
IdsItemUsuario IdsDoItem(const QString &texto);

struct PastaPortal {
    qint32 id = 0;
    QString nome;   // as the combo shows it
};

struct RespostaPastas {
    bool marcador = false;   // the reply began with the application name
    QList<PastaPortal> pastas;
};

// "FOLHA DE PAGAMENTO" -> "Folha de pagamento"
QString PrimeiraMaiuscula(const QString &texto);

class PortalInform {
public:
    PortalInform(classURL &url, const EstadoSessao &sessao, const plataforma::SettingsStore &config,
                 const QString &sistema);

    QList<UsuarioPortal> UsuariosDoCliente(qint32 cliente);
    // posicaoCarteira: the selected position of the wallet combo (0 every wallet, -1 none)
    QList<UsuarioPortal> UsuariosDeTodos(int posicaoCarteira);
    // nivel 1 ignores pastaPai
    RespostaPastas Pastas(int nivel, qint32 pastaPai);
    // The five parameter names (empty: not used), or nothing when the reply is not usable.
    std::optional<std::array<QString, 5>> Parametros(int nivel, qint32 pasta);

    // the address of the last request (for the error log and the tests)
    const QString &UltimaUrl() const { return m_ultimaUrl; }

private:
    QString pede(const QString &caminho);
    // The records of a usable reply; nothing when the reply is not usable.
    std::optional<QStringList> registros(const QString &resposta) const;
    QString sessao() const;

    classURL &m_url;
    const EstadoSessao &m_sessao;
    const plataforma::SettingsStore &m_config;
    QString m_sistema;
    QString m_ultimaUrl;
};

} // namespace publicacao
