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
#include <array>
#include <functional>
#include <optional>

namespace transferencia {

// What the index line leaves out, kept beside it in "queqe/dados/<copy>.json" for whoever sends the
// queue: the folder, the users given access, the notice box and the parameters, and the two texts
// as typed (the line turns their line breaks and separators into something else). The sender
// keeps its own notes there too.
struct DadosEnvio {
    QString pasta;          // folder path value: five ids, each followed by "|"
    QString usuariosId;     // "client|user" entries joined by "*"
    QString email;          // "S" or "N"
    std::array<QString, 5> parametros;
    QString descricao;
    QString observacao;
    QString enfileiradoEm;  // the day it was queued: its dates were checked against that day
    bool enviando = false;  // a send began and never came back: it may have reached the portal
    QString falha;          // why the last send failed

    QByteArray json() const;
    static std::optional<DadosEnvio> deJson(const QByteArray &bytes);
};

// One line of the index as it stands.
struct EntradaFila {
    QStringList campos;     // fields 0 to 10, missing ones empty
    QString copia() const { return campos.value(1); }
};

// The owner's values the queue reads and writes.
struct AmbienteFila {
    const plataforma::FileService &fso;
    QString pathUser;       // program folder, ending with the separator
    QString &erro;
    QString &arquivo;       // the current document: each queued entry in turn
    bool &enfileirado;
    DadosEnvio dados = {};  // what Enfileirar keeps beside each line
};

class FilaEnvio {
public:
    explicit FilaEnvio(AmbienteFila ambiente) : m_amb(ambiente) {}

    QString pasta() const;           // <program folder>queqe/
    QString pastaArquivos() const;   // <program folder>queqe/files/
    QString indice() const;          // <program folder>queqe/vrmf.rlx
    QString pastaDados() const;      // <program folder>queqe/dados/
    QString arquivoDados(const QString &copia) const;

    // Copies each non-empty entry of `lista` into "files" and appends its index line, describing
    // it with the validated record. False leaves the message in erro; what was queued before the
    // fault stays queued.
    bool Enfileirar(const classEnviar &enviar, const QString &titulo, const QString &tipo, const QStringList &lista);

    // The index as a table: one row of eleven fields per line plus an empty last row, field 0
    // replaced by the client's name. `sincroniza` refreshes `tabelas` before a non-empty queue is
    // labelled. A queue that cannot be read sets pErro and erro and gives an empty table.
    QList<QStringList> CarregaFila(bool &pErro, const std::function<bool()> &sincroniza,
                                   const portal::TabelasDiretorio &tabelas);

    // The index's lines, in order, lines without a copy name left out; no index is an empty queue.
    // False when the index is there but cannot be read.
    bool Entradas(QList<EntradaFila> &entradas) const;
    // What was kept beside a line; nothing when it is missing or unreadable.
    std::optional<DadosEnvio> LeDados(const QString &copia) const;
    bool GravaDados(const QString &copia, const DadosEnvio &dados) const;
    // Takes a line out of the queue: the index is written anew without it (a new file renamed over
    // the old, so a crash leaves either index whole) and every other line keeps its bytes; only then
    // do its copy and its data go. The last line out removes the index: the queue is empty.
    bool Retira(const QString &copia) const;

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
    // deletes every copy and every data file
    bool esvazia() const;
    bool retiraTravado(const QString &copia) const;

    AmbienteFila m_amb;
};

} // namespace transferencia
