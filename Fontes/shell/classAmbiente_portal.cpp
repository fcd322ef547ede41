// The environment object's portal session operations.
#include "shell/classAmbiente.h"

// Placeholder until the portal client lands: there is never a session.
class ServicosPortal {};

bool classAmbiente::Autentica(const QString &, const QString &, const QString &, int)
{
    Autenticado = false;
    return false;
}

bool classAmbiente::Logado()
{
    return Autenticado;
}

void classAmbiente::LogOff()
{
    lngSessao = 0;
    lngLogin_ID = 0;
    Autenticado = false;
}

bool classAmbiente::RestauraSessao()
{
    return false;
}
