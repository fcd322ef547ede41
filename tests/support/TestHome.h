#pragma once
// A throw-away home for one test: HOME, XDG_DATA_HOME and XDG_CONFIG_HOME point into a temporary
// folder, and a Servicos bundle is built from doubles (scripted UI, fake clock, scripted HTTP).
#include "FakeClock.h"
#include "ScriptedUi.h"
#include "platform/Servicos.h"

#include <QByteArray>
#include <QList>
#include <QTemporaryDir>
#include <functional>
#include <memory>

// HTTP double: answers each GET from a function of the URL (empty body by default) and records the URLs.
class ScriptedHttp final : public plataforma::HttpClient {
public:
    std::function<QByteArray(const QByteArray &url)> resposta;
    QList<QByteArray> urls;
    QByteArray get(const QByteArray &url) override
    {
        urls << url;
        return resposta ? resposta(url) : QByteArray();
    }
};

class TestHome {
public:
    TestHome();
    ~TestHome();

    bool valido() const { return m_dir.isValid(); }
    QString raiz() const { return m_dir.path(); }
    // <XDG_DATA_HOME>/VorlinPrinter/ with the platform separator at the end
    QString pastaPrograma() const;
    // creates the program folder (the printer's installer does that on a real machine)
    bool criaPastaPrograma() const;
    // writes a small file and returns its path
    QString criaArquivo(const QString &nomeRelativo, const QByteArray &conteudo = QByteArrayLiteral("%PDF-1.4\n%%EOF\n")) const;

    ScriptedUi ui;
    FakeClock relogio;
    ScriptedHttp http;
    plataforma::FileService fso;
    std::unique_ptr<plataforma::SettingsStore> config;
    plataforma::Servicos servicos();

private:
    QTemporaryDir m_dir;
    QByteArray m_antigos[3];
};
