#pragma once
// The local send queue: copies of the queued documents in "queqe/files" (file001, file002, ...)
// and the index "queqe/vrmf.rlx", one Windows-1252 line per document ended by CR LF, eleven fields
// each followed by ">@%". Whatever sends the queue later reads the index and removes it when done;
// the next queueing then starts a new queue. Like every class here it shows nothing: the outcome is
// left in the owner's Erro and Enfileirado.
#include "platform/FileService.h"
#include "portal/TabelasDiretorio.h"
#include "publication/classEnviar.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace transferencia {

// The owner's values the queue reads and writes.
struct AmbienteFila {
    const plataforma::FileService &fso;
    QString pathUser;       // program folder, ending with the separator
    QString &erro;
    QString &arquivo;       // the current document: each queued entry in turn
    bool &enfileirado;
};

class FilaEnvio {
public:
    explicit FilaEnvio(AmbienteFila ambiente) : m_amb(ambiente) {}

    QString pasta() const;           // <program folder>queqe/
    QString pastaArquivos() const;   // <program folder>queqe/files/
    QString indice() const;          // <program folder>queqe/vrmf.rlx

    // Copies each non-empty entry of `lista` into "files" and appends its index line, describing
    // it with the validated record. False leaves the message in erro; what was queued before the
    // fault stays queued.
    bool Enfileirar(const classEnviar &enviar, const QString &titulo, const QString &tipo, const QStringList &lista);

    // The index as a table: one row of eleven fields per line plus an empty last row, field 0
    // replaced by the client's name. `sincroniza` refreshes `tabelas` before a non-empty queue is
    // labelled. A queue that cannot be read sets pErro and erro and gives an empty table.
    QList<QStringList> CarregaFila(bool &pErro, const std::function<bool()> &sincroniza,
                                   const portal::TabelasDiretorio &tabelas);

    // One index line, CR LF included, before the Windows-1252 conversion.
    static QString linhaIndice(const classEnviar &enviar, const QString &copia, const QString &tituloArquivo);
    // The display label of field 0.
    static QString rotulo(const QString &empresas, const QList<portal::LinhaCliente> &clientes);
    // The number a name in "files" carries, or -1 for a name that is no queued copy.
    static qint64 numeroCopia(const QString &nome);

private:
    bool enfileiraUm(const classEnviar &enviar, const QString &titulo, const QString &tipo, const QString &entrada,
                     qint64 &maior);
    bool preparaPastas();

    AmbienteFila m_amb;
};

} // namespace transferencia
