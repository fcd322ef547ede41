#pragma once
// A logged-in copy of the program on one local portal: the test's home with the real transport
// behind the recording double, the computer's clock and the portal's at noon of the same day, and
// the demo office logged in. `Ambiente` lets a test use its own subclass of the environment.
//
//     EscritorioLogado<> escritorio(portal);   // QVERIFY(escritorio.logado);
#include "PortalLocal.h"
#include "TestHome.h"
#include "platform/CurlHttp.h"
#include "portal/classURL.h"
#include "shell/classAmbiente.h"

#include <QDateTime>

template <class Ambiente = classAmbiente>
struct EscritorioLogado {
    explicit EscritorioLogado(PortalLocal &portal) : servicos(home.servicos()), amb(servicos)
    {
        home.http.resposta = [this](const QByteArray &url) { return rede.get(url); };
        portal.configura(*home.config);
        home.relogio.define(QDateTime(QDate::currentDate(), QTime(12, 0, 0)));
        portal.deslocaRelogio(QDateTime::currentDateTime().secsTo(home.relogio.agora()));
        logado = home.criaPastaPrograma() && amb.Inicia(false, home.criaArquivo(QStringLiteral("doc.pdf")))
            && amb.Autentica(QStringLiteral("demo"), QStringLiteral("maria"), QStringLiteral("vorlin123"), 5)
            && amb.Logado();
    }
    EscritorioLogado(const EscritorioLogado &) = delete;
    EscritorioLogado &operator=(const EscritorioLogado &) = delete;

    // A portal page under URLBase, as text.
    QString pede(const QString &caminho) const { return classURL(rede).AbreURL(amb.URLBase() + caminho); }

    TestHome home;
    mutable plataforma::CurlHttp rede;
    plataforma::Servicos servicos;
    Ambiente amb;
    bool logado = false;
};
