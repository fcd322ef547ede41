#include "FileService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

namespace plataforma {

bool FileService::arquivoExiste(const QString &caminho) const
{
    if (caminho.isEmpty())
        return false;
    const QFileInfo info(caminho);
    return info.exists() && info.isFile();
}

bool FileService::pastaExiste(const QString &caminho) const
{
    if (caminho.isEmpty())
        return false;
    const QFileInfo info(caminho);
    return info.exists() && info.isDir();
}

bool FileService::criaPasta(const QString &caminho) const
{
    if (caminho.isEmpty())
        return false;
    QDir dir(caminho);
    if (dir.exists())
        return true;
    return QDir().mkdir(caminho);
}

bool FileService::copiaArquivo(const QString &origem, const QString &destino, bool sobrescrever) const
{
    if (!arquivoExiste(origem) || destino.isEmpty())
        return false;
    const QFileInfo alvo(destino);
    if (alvo.exists()) {
        if (!sobrescrever || alvo.isDir())
            return false;
        if (QFileInfo(origem).canonicalFilePath() == alvo.canonicalFilePath())
            return true;
    }
    // Copy to a temporary file beside the target first, so a failed copy never destroys the
    // file it was meant to replace.
    QFile entrada(origem);
    if (!entrada.open(QIODevice::ReadOnly))
        return false;
    QSaveFile saida(destino);
    saida.setDirectWriteFallback(false);
    if (!saida.open(QIODevice::WriteOnly))
        return false;
    char bloco[64 * 1024];
    for (;;) {
        const qint64 lidos = entrada.read(bloco, sizeof bloco);
        if (lidos < 0) {
            saida.cancelWriting();
            return false;
        }
        if (lidos == 0)
            break;
        if (saida.write(bloco, lidos) != lidos) {
            saida.cancelWriting();
            return false;
        }
    }
    return saida.commit();
}

bool FileService::apagaArquivo(const QString &caminho) const
{
    if (!arquivoExiste(caminho))
        return false;
    const QFileInfo info(caminho);
    if (!info.isWritable())
        return false;
    return QFile::remove(caminho);
}

QStringList FileService::listaArquivos(const QString &pasta) const
{
    return QDir(pasta).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

qint64 FileService::tamanho(const QString &caminho) const
{
    const QFileInfo info(caminho);
    if (!info.exists() || !info.isFile())
        return -1;
    return info.size();
}

QByteArray FileService::leBytes(const QString &caminho, bool *ok) const
{
    QFile arquivo(caminho);
    const bool aberto = arquivo.open(QIODevice::ReadOnly);
    if (ok)
        *ok = aberto;
    return aberto ? arquivo.readAll() : QByteArray();
}

bool FileService::gravaBytes(const QString &caminho, const QByteArray &bytes) const
{
    QSaveFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly))
        return false;
    if (arquivo.write(bytes) != bytes.size()) {
        arquivo.cancelWriting();
        return false;
    }
    return arquivo.commit();
}

bool FileService::acrescentaBytes(const QString &caminho, const QByteArray &bytes) const
{
    QFile arquivo(caminho);
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const bool ok = arquivo.write(bytes) == bytes.size();
    arquivo.close();
    return ok && arquivo.error() == QFileDevice::NoError;
}

bool FileService::comTrava(const QString &caminho, const std::function<bool()> &acao) const
{
    QLockFile trava(caminho + QStringLiteral(".lock"));
    // a lock left by a copy that died is taken over
    trava.setStaleLockTime(30000);
    if (!trava.tryLock(10000))
        return false;
    return acao();
}

} // namespace plataforma
