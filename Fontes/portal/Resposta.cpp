#include "portal/Resposta.h"

#include "platform/ErrorCodes.h"

namespace portal {

Partes Partes::corta(const QString &texto, QStringView separador)
{
    if (texto.isEmpty())
        return {};
    return Partes(texto.split(separador.toString()));
}

const QString &Partes::exige(qsizetype i) const
{
    if (!tem(i))
        throw plataforma::ErroPrograma(plataforma::CodigoErro::IndiceForaDoIntervalo);
    return m_partes.at(i);
}

QString aposPrimeiraLinha(const QString &resposta)
{
    const qsizetype pos = resposta.indexOf(kQuebraLinha);
    return pos < 0 ? QString() : resposta.mid(pos + kQuebraLinha.size());
}

} // namespace portal
