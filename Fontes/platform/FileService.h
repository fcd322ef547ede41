#pragma once
// The file-system service (FSO): every file and folder operation of the program's classes.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

namespace plataforma {

class FileService {
public:
    bool arquivoExiste(const QString &caminho) const;   // an ordinary file
    bool pastaExiste(const QString &caminho) const;
    bool criaPasta(const QString &caminho) const;       // one level; the parent must exist
    // Copies a file; an existing target is replaced only when `sobrescrever` is true.
    bool copiaArquivo(const QString &origem, const QString &destino, bool sobrescrever) const;
    // Deletes a file; a read-only file is not forced.
    bool apagaArquivo(const QString &caminho) const;
    QStringList listaArquivos(const QString &pasta) const;
    // Size in bytes, or -1 when the file cannot be read.
    qint64 tamanho(const QString &caminho) const;
    QByteArray leBytes(const QString &caminho, bool *ok = nullptr) const;
    // Replaces the file's content with exactly these bytes.
    bool gravaBytes(const QString &caminho, const QByteArray &bytes) const;
    bool acrescentaBytes(const QString &caminho, const QByteArray &bytes) const;
    // Runs `acao` holding a lock file beside `caminho`, so that running copies of the program take
    // turns on that file; false without running it when the lock is not had within a few seconds.
    bool comTrava(const QString &caminho, const std::function<bool()> &acao) const;
};

} // namespace plataforma
