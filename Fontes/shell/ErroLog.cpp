#include "ErroLog.h"

#include "platform/Ansi.h"
#include "platform/Folders.h"

namespace {

const QString kNomeLog = QStringLiteral("ERRO.LOG");

// Every label is 15 characters wide: "*", the name right-aligned in 13, "|".
QString campo(const QString &rotulo, const QString &valor)
{
    return rotulo + valor + QStringLiteral("\r\n");
}

} // namespace

QByteArray ErroLog::registroCompleto(const Relato &relato)
{
    QString texto = QStringLiteral("\r\n\r\n");
    texto += QStringLiteral("*Begin Error\r\n");
    texto += campo(QStringLiteral("*    Descricao|"), relato.descricao);
    texto += campo(QStringLiteral("*        ErroN|"), QString::number(relato.codigo));
    texto += campo(QStringLiteral("*   AppEXENome|"), relato.executavel);
    texto += campo(QStringLiteral("*       Modulo|"), relato.modulo);
    texto += campo(QStringLiteral("*    Procedure|"), relato.procedimento.left(200));
    texto += campo(QStringLiteral("*         Data|"), relato.quando.date().toString(QStringLiteral("dd/MM/yyyy")));
    texto += campo(QStringLiteral("*         Hora|"), relato.quando.time().toString(QStringLiteral("HH:mm:ss")));
    texto += QStringLiteral("*End Error\r\n");
    return plataforma::paraAnsi(texto);
}

QByteArray ErroLog::linhaCurta(const Relato &relato)
{
    return plataforma::paraAnsi(relato.quando.toString(QStringLiteral("ddMMyyHHmmss")) + QLatin1Char(' ')
                                + relato.modulo + QStringLiteral("\r\n"));
}

QString ErroLog::localizaLog(const QString &pastaReport) const
{
    const QStringList nomes = m_fso.listaArquivos(pastaReport);
    if (nomes.contains(kNomeLog, Qt::CaseSensitive))
        return pastaReport + kNomeLog;
    for (const QString &nome : nomes) {
        if (nome.compare(kNomeLog, Qt::CaseInsensitive) == 0)
            return pastaReport + nome;
    }
    return pastaReport + kNomeLog;
}

bool ErroLog::grava(const QString &pastaBase, const Relato &relato) const
{
    const QString sep = plataforma::separador();
    const QString pastaPrograma = pastaBase + sep + QStringLiteral("VorlinPrinter");
    if (!m_fso.pastaExiste(pastaPrograma) && !m_fso.criaPasta(pastaPrograma))
        return false;
    const QString pastaReport = pastaPrograma + sep + QStringLiteral("report");
    if (!m_fso.pastaExiste(pastaReport) && !m_fso.criaPasta(pastaReport))
        return false;

    const QString log = localizaLog(pastaReport + sep);
    // Opening for append creates the file; a new log counts as empty.
    if (!m_fso.acrescentaBytes(log, QByteArray()))
        return false;
    const qint64 tamanho = m_fso.tamanho(log);
    if (tamanho < 0)
        return false;
    if (tamanho <= LimiteRegistro)
        return m_fso.acrescentaBytes(log, registroCompleto(relato));
    if (tamanho <= LimiteLinha)
        return m_fso.acrescentaBytes(log, linhaCurta(relato));
    return true;
}
