// Placeholder: replaced by the real helpers.
#include "shell/ModFuncs.h"

#include "platform/ErrorCodes.h"
#include "platform/Folders.h"

ModFuncs::ModFuncs(plataforma::Servicos &servicos) : m_servicos(servicos) {}
QString ModFuncs::PastaEspecial() { return plataforma::pastaDadosUsuario(); }
bool ModFuncs::AcertaCor() { return false; }
void ModFuncs::TrataErro(int, const QString &, const QString &) {}
void ModFuncs::SalvarComo(classAmbiente &, const QString &) {}

bool ModFuncs::Passo(const QString &modulo, const QString &procedimento, const std::function<void()> &passo)
{
    try {
        passo();
        return true;
    } catch (const plataforma::ErroPrograma &e) {
        TrataErro(e.codigo(), modulo, procedimento);
    } catch (...) {
        TrataErro(static_cast<int>(plataforma::CodigoErro::Desconhecido), modulo, procedimento);
    }
    return false;
}
