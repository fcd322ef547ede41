#pragma once
// One portal client wired to a scripted loopback server: settings, clock and UI doubles from a
// TestHome, the real libcurl transport, and a capture callback that counts its calls.
#include "ServidorRoteirizado.h"
#include "TestHome.h"
#include "platform/CurlHttp.h"
#include "portal/ContextoPortal.h"

#include <QDir>

struct BancadaPortal {
    explicit BancadaPortal(plataforma::TemposHttp tempos = {})
        : http(tempos),
          servicos{*home.config, home.fso, home.ui, home.relogio, http, home.ftp},
          url(http),
          ctx{estado, erro, servicos, url, QStringLiteral("Vorlin Printer"), home.pastaPrograma(),
              [this] {
                  ++capturas;
                  if (!capturaFunciona)
                      erro = QStringLiteral("Não foi possível capturar a impressão!");
                  return capturaFunciona;
              }}
    {
        home.criaPastaPrograma();
        home.config->grava(QStringLiteral("Config"), QStringLiteral("URLBase"), QString::fromLatin1(servidor.base()));
        home.config->grava(QStringLiteral("Config"), QStringLiteral("URLBaseSite"),
                           QString::fromLatin1(servidor.base() + "site/"));
    }

    // A session value as stored; "<ausente>" when the key was never written.
    QString sessao(const QString &chave) const
    {
        return home.config->le(QStringLiteral("Autenticacao"), chave, QStringLiteral("<ausente>"));
    }
    void gravaSessao(const QString &chave, const QString &valor)
    {
        home.config->grava(QStringLiteral("Autenticacao"), chave, valor);
    }

    TestHome home;
    ServidorRoteirizado servidor;
    plataforma::CurlHttp http;
    plataforma::Servicos servicos;
    EstadoSessao estado;
    QString erro;
    classURL url;
    int capturas = 0;
    bool capturaFunciona = true;
    portal::ContextoPortal ctx;
};
