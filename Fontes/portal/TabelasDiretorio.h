#pragma once
// The office directory as the last synchronisation left it.
#include <QList>
#include <QString>
#include <QStringList>

namespace portal {

// A row handed to the windows: wallets, users, and clients of a wallet.
struct LinhaTabela {
    QString id;
    QString nome;
    bool operator==(const LinhaTabela &) const = default;
};

struct LinhaCliente {
    QString id;
    QString carteira;       // wallet id as received
    QString nome;
    qint64 carteiraNumero = 0;
    bool carteiraValida = false;   // the wallet id is a number
};

struct TabelasDiretorio {
    QList<LinhaTabela> carteiras;
    QStringList RegistrosClientes;   // client records as received, fields still joined
    QList<LinhaCliente> clientes;
    QList<LinhaTabela> usuarios;
};

} // namespace portal
