#pragma once
// Per-user persistent text values addressed by (section, key). All running copies share one INI
// file; every read syncs first so a value written by another copy is seen at once.
#include <QString>
#include <memory>

class QSettings;

namespace plataforma {

class SettingsStore {
public:
    // The per-user store of the application `aplicacao` (XDG_CONFIG_HOME/VorlinPrinter/<aplicacao>.ini).
    explicit SettingsStore(const QString &aplicacao);
    // A store kept in the given INI file (tests, tools).
    static std::unique_ptr<SettingsStore> emArquivo(const QString &caminhoIni);
    ~SettingsStore();

    // The stored text, or `padrao` when the key was never written.
    QString le(const QString &secao, const QString &chave, const QString &padrao = QString()) const;
    // Empty text is stored as an empty value: the key then exists and reads as "".
    void grava(const QString &secao, const QString &chave, const QString &valor);
    bool existe(const QString &secao, const QString &chave) const;

    QString caminhoArquivo() const;

private:
    SettingsStore() = default;
    std::unique_ptr<QSettings> m_settings;
};

} // namespace plataforma
