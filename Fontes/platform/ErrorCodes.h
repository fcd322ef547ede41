#pragma once
// The program's error codes, each with a Portuguese description for the error reporter.
#include <QString>
#include <exception>

namespace plataforma {

enum class CodigoErro : int {
    Desconhecido = 1,
    ArgumentoInvalido = 5,       // invalid procedure call or argument
    Estouro = 6,                 // overflow
    IndiceForaDoIntervalo = 9,   // subscript out of range (a reply with too few parts)
    TiposIncompativeis = 13,     // type mismatch (a text that is not a number)
    ArquivoNaoEncontrado = 53,
    ArquivoJaAberto = 55,
    ArquivoJaExiste = 58,
    DiscoCheio = 61,
    PermissaoNegada = 70,
    CaminhoNaoEncontrado = 76,
    ObjetoNaoDefinido = 91,
    DialogoCancelado = 32755,    // the user cancelled a common dialog
};

QString descricaoErro(int codigo);

// A failure of a guarded step, carrying its code.
class ErroPrograma : public std::exception {
public:
    explicit ErroPrograma(CodigoErro codigo) : m_codigo(static_cast<int>(codigo)) {}
    explicit ErroPrograma(int codigo) : m_codigo(codigo) {}
    int codigo() const { return m_codigo; }
    const char *what() const noexcept override { return "ErroPrograma"; }

private:
    int m_codigo;
};

} // namespace plataforma
