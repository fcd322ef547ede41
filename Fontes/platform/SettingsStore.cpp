#include "SettingsStore.h"

#include <QSettings>

namespace plataforma {

namespace {
QString chaveCompleta(const QString &secao, const QString &chave)
{
    return secao + QLatin1Char('/') + chave;
}
}

SettingsStore::SettingsStore(const QString &aplicacao)
    : m_settings(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                             QStringLiteral("VorlinPrinter"), aplicacao))
{
}

std::unique_ptr<SettingsStore> SettingsStore::emArquivo(const QString &caminhoIni)
{
    std::unique_ptr<SettingsStore> store(new SettingsStore());
    store->m_settings = std::make_unique<QSettings>(caminhoIni, QSettings::IniFormat);
    return store;
}

SettingsStore::~SettingsStore() = default;

QString SettingsStore::le(const QString &secao, const QString &chave, const QString &padrao) const
{
    m_settings->sync();
    const QVariant valor = m_settings->value(chaveCompleta(secao, chave));
    if (!valor.isValid())
        return padrao;
    // A hand-edited list ("a, b") reads back as a list: keep its text.
    if (valor.typeId() == QMetaType::QStringList)
        return valor.toStringList().join(QStringLiteral(", "));
    return valor.toString();
}

void SettingsStore::grava(const QString &secao, const QString &chave, const QString &valor)
{
    const QString completa = chaveCompleta(secao, chave);
    // The same text again leaves the file alone: a write locks and flushes it to the disk, and
    // start-up writes keys that rarely change.
    m_settings->sync();
    const QVariant atual = m_settings->value(completa);
    if (atual.isValid() && atual.typeId() == QMetaType::QString && atual.toString() == valor)
        return;
    m_settings->setValue(completa, valor);
    m_settings->sync();
}

bool SettingsStore::existe(const QString &secao, const QString &chave) const
{
    m_settings->sync();
    return m_settings->contains(chaveCompleta(secao, chave));
}

QString SettingsStore::caminhoArquivo() const
{
    return m_settings->fileName();
}

} // namespace plataforma
