#include "ErrorCodes.h"

namespace plataforma {

QString descricaoErro(int codigo)
{
    switch (static_cast<CodigoErro>(codigo)) {
    case CodigoErro::Desconhecido: return QStringLiteral("Erro desconhecido");
    case CodigoErro::ArgumentoInvalido: return QStringLiteral("Chamada de procedimento ou argumento inválido");
    case CodigoErro::Estouro: return QStringLiteral("Estouro de capacidade");
    case CodigoErro::IndiceForaDoIntervalo: return QStringLiteral("Subscrito fora do intervalo");
    case CodigoErro::TiposIncompativeis: return QStringLiteral("Tipos incompatíveis");
    case CodigoErro::ArquivoNaoEncontrado: return QStringLiteral("Arquivo não encontrado");
    case CodigoErro::ArquivoJaAberto: return QStringLiteral("Arquivo já aberto");
    case CodigoErro::ArquivoJaExiste: return QStringLiteral("Arquivo já existe");
    case CodigoErro::DiscoCheio: return QStringLiteral("Disco cheio");
    case CodigoErro::PermissaoNegada: return QStringLiteral("Permissão negada");
    case CodigoErro::CaminhoNaoEncontrado: return QStringLiteral("Caminho não encontrado");
    case CodigoErro::ObjetoNaoDefinido: return QStringLiteral("Variável de objeto não definida");
    case CodigoErro::DialogoCancelado: return QStringLiteral("Operação cancelada na caixa de diálogo");
    }
    return QStringLiteral("Erro definido pelo aplicativo ou pelo objeto");
}

} // namespace plataforma
