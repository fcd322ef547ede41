#pragma once
// What the publication dialog and its recipients and folders classes share: the environment
// object, the error reporter, the dialog's portal requests, the current file's record and the
// dialog's restoring flag.
#include "platform/UiServices.h"
#include "publication/DadosArquivo.h"
#include "publication/PortalInform.h"
#include "shell/Tela.h"

#include <QString>
#include <QWidget>
#include <functional>

class classAmbiente;
class ModFuncs;

struct ContextoInform {
    classAmbiente &ambiente;
    ModFuncs &funcs;
    publicacao::PortalInform &portal;
    // the record of the list's current entry; null while the list has none
    std::function<publicacao::DadosArquivo *()> atual;
    // true while a file's settings are put back into the controls: edits are then not stored
    const bool &Restaurando;

    // One guarded step of a dialog routine: a failure is reported as "frmInform" and the routine.
    bool passo(const QString &procedimento, const std::function<void()> &acao) const;
    // A message box titled with the application name.
    void mostra(const QString &texto, plataforma::Icone icone) const;
    // Stores into the current record unless restoring.
    void guarda(const std::function<void(publicacao::DadosArquivo &)> &acao) const
    {
        if (Restaurando)
            return;
        if (publicacao::DadosArquivo *d = atual())
            acao(*d);
    }
};

// Places a control at a position and size given in twips.
inline void coloca(QWidget *controle, int esquerda, int topo, int largura, int altura)
{
    controle->setGeometry(tela::tw(esquerda), tela::tw(topo), tela::tw(largura), tela::tw(altura));
}
