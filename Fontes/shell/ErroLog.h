#pragma once
// The error log: report/ERRO.LOG below the program folder, Windows-1252 text with CR LF lines.
// A full record while the file is small, a one-line stamp while it is large, then nothing:
// the file is never truncated or rotated.
#include "platform/FileService.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

class ErroLog {
public:
    static constexpr qint64 LimiteRegistro = 409600;   // full record up to this length
    static constexpr qint64 LimiteLinha = 809600;      // short line up to this length

    struct Relato {
        int codigo = 0;
        QString descricao;
        QString executavel;   // without extension
        QString modulo;
        QString procedimento;
        QDateTime quando;
    };

    explicit ErroLog(const plataforma::FileService &fso) : m_fso(fso) {}

    // Appends the report under <pastaBase>/VorlinPrinter/report/, creating the folders.
    // False on any failure; the reporter stays silent about it.
    bool grava(const QString &pastaBase, const Relato &relato) const;

    static QByteArray registroCompleto(const Relato &relato);
    static QByteArray linhaCurta(const Relato &relato);

private:
    // The log file in `pastaReport`: an existing file named ERRO.LOG in any case, else ERRO.LOG.
    QString localizaLog(const QString &pastaReport) const;

    const plataforma::FileService &m_fso;
};
