#include "publication/DadosArquivo.h"

#include "platform/Folders.h"

namespace publicacao {

DadosArquivo DadosArquivo::capturado(const QString &caminho)
{
    DadosArquivo d;
    d.Arquivo = caminho;
    return d;
}

DadosArquivo DadosArquivo::arrastado(const QString &caminho)
{
    DadosArquivo d;
    d.Arquivo = caminho;
    d.Pasta.fill(kNivelPendente);
    return d;
}

QString CaminhoPasta(const DadosArquivo &dados, QString &controleValidacao)
{
    QString valor = QStringLiteral("0|0|0|0|0|");
    // Every level is applied in order: a deeper chosen folder wins over a pending one above it.
    for (int nivel = 0; nivel < kNiveis; ++nivel) {
        const qint32 escolha = dados.Pasta[nivel];
        if (escolha > 0) {
            valor.clear();
            for (int i = 0; i <= nivel; ++i)
                valor += QString::number(dados.Pasta[i]) + QLatin1Char('|');
            for (int i = nivel + 1; i < kNiveis; ++i)
                valor += QStringLiteral("0|");
        } else if (escolha == kNivelPendente) {
            valor.clear();
            controleValidacao = QStringLiteral("cboPastas") + QString::number(nivel + 1);
        }
    }
    return valor;
}

QString UsuariosId(const DadosArquivo &dados)
{
    QStringList entradas;
    for (const QString &e : dados.UsuariosMarcados) {
        if (!e.isEmpty())
            entradas << e;
    }
    return entradas.join(QLatin1Char('*'));
}

QString NomeNaLista(const QString &caminho)
{
    return plataforma::nomeArquivo(caminho);
}

} // namespace publicacao
