#pragma once
// Program-wide helpers of the windows: the error reporter, the save flow, the button-style check
// and the special-folder lookup.
#include "platform/Servicos.h"

#include <QString>
#include <functional>

class classAmbiente;

class ModFuncs {
public:
    explicit ModFuncs(plataforma::Servicos &servicos);

    // The user's roaming application-data folder; empty when it cannot be determined.
    static QString PastaEspecial();

    // Always false: every window shows its frame of picture buttons, never the toolbar.
    bool AcertaCor();

    // Shows the failure and appends it to report/ERRO.LOG; never fails towards the caller.
    void TrataErro(int codigo, const QString &modulo, const QString &procedimento);

    // The save dialog flow for the current document, with every question and answer box.
    void SalvarComo(classAmbiente &ambiente, const QString &nomeProposto);

    // Runs one guarded step: a failure is reported with the module and procedure and swallowed.
    // Returns false when the step failed.
    bool Passo(const QString &modulo, const QString &procedimento, const std::function<void()> &passo);

    plataforma::Servicos &servicos() const { return m_servicos; }

private:
    plataforma::Servicos &m_servicos;
};
