#pragma once
// A main window on a throw-away home: a delivered document in a spool folder, the program folder,
// a splash that only records that it was shown, a login window that is never shown (by default the
// user logs in, as long as the document was accepted), and helpers to point, click and report.
#include "TestHome.h"
#include "history/frmConsulta.h"
#include "portal/frmLogin.h"
#include "publication/frmInform.h"
#include "shell/ModFuncs.h"
#include "shell/classAmbiente.h"
#include "shell/frmMain.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <memory>

struct FrmMainBancada {
    TestHome home;
    plataforma::Servicos servicos;
    ModFuncs funcs;
    QString documento;
    bool splashMostrado = false;
    bool timerLigado = false;
    int loginsAbertos = 0;
    int publicacoesAbertas = 0;
    int consultasAbertas = 0;
    // What happens while the login window is open; set it before the load.
    std::function<void(frmLogin &)> login;
    // What happens while the publication dialog is open (by default it is never shown).
    std::function<void(frmInform &)> publicacao;
    // What happens while the history window is open (by default it is never shown).
    std::function<void(frmConsulta &)> consulta;
    std::unique_ptr<frmMain> janela;

    // `rede`: the HTTP client to use instead of the scripted one (the real one, for the local portal).
    explicit FrmMainBancada(bool comPastaPrograma = true, plataforma::HttpClient *rede = nullptr)
        : servicos{*home.config, home.fso, home.ui, home.relogio, rede ? *rede : home.http, home.ftp}, funcs(servicos)
    {
        if (comPastaPrograma)
            home.criaPastaPrograma();
        documento = home.criaArquivo(QStringLiteral("spool/Balancete Demo.pdf"),
                                     QByteArrayLiteral("%PDF-1.4 balancete\n%%EOF\n"));
        frmMain::Janelas janelas;
        janelas.splash = [this](QWidget *) { splashMostrado = true; };
        janelas.login = [this](frmLogin &j) {
            ++loginsAbertos;
            if (login)
                login(j);
        };
        janelas.publicacao = [this](frmInform &dialogo) {
            ++publicacoesAbertas;
            if (publicacao)
                publicacao(dialogo);
        };
        janelas.consulta = [this](frmConsulta &j) {
            ++consultasAbertas;
            if (consulta)
                consulta(j);
        };
        // A real login captures the document, so it cannot succeed without one.
        login = [this](frmLogin &) {
            if (!amb().arquivo().isEmpty())
                sessaoValida();
        };
        janela = std::make_unique<frmMain>(servicos, funcs, janelas);
    }

    // Runs the load; the exit-check timer is stopped afterwards; tests call Sair() themselves.
    void carrega(const QString &linha)
    {
        janela->Carrega(linha);
        QTimer *t = tmrSair();
        timerLigado = t->isActive();
        t->stop();
    }
    void carrega() { carrega(documento); }

    QTimer *tmrSair() const { return janela->findChild<QTimer *>(QStringLiteral("tmrSair")); }

    template <typename T = QWidget>
    T *controle(const QString &nome) const
    {
        return janela->findChild<T *>(nome);
    }

    classAmbiente &amb() const { return *janela->ambiente(); }

    // The login window closes without a session.
    void semLogin()
    {
        login = [](frmLogin &) {};
    }

    // A session the session check accepts without asking the portal.
    void sessaoValida()
    {
        home.config->grava(QStringLiteral("Autenticacao"), QStringLiteral("Sessao"), QStringLiteral("77"));
        home.config->grava(QStringLiteral("Autenticacao"), QStringLiteral("Login_ID"), QStringLiteral("5"));
        home.config->grava(QStringLiteral("Autenticacao"), QStringLiteral("LastLog"), QStringLiteral("09/03/2011 14:00:00"));
        classAmbiente &a = amb();
        a.lngSessao = 77;
        a.lngLogin_ID = 5;
        a.LastLog = QDateTime(QDate(2011, 3, 9), QTime(14, 0));
        a.Autenticado = true;
    }

    // true when the error reporter showed a failure of this procedure of the main window
    bool relatado(const QString &procedimento) const
    {
        for (const auto &r : home.ui.caixas) {
            if (r.caixa.titulo == QStringLiteral("Mensagem de ERRO do sistema!")
                && r.caixa.texto.contains(QStringLiteral("frmMain - ") + procedimento + QStringLiteral("\r\n")))
                return true;
        }
        return false;
    }

    bool perguntouSeSai() const
    {
        return home.ui.textos().contains(QStringLiteral("Deseja realmente sair?"));
    }

    static void passaMouse(QWidget *alvo)
    {
        QMouseEvent e(QEvent::MouseMove, QPointF(3, 3), alvo->mapToGlobal(QPointF(3, 3)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(alvo, &e);
    }

    static void clica(QWidget *alvo)
    {
        QMouseEvent e(QEvent::MouseButtonPress, QPointF(3, 3), alvo->mapToGlobal(QPointF(3, 3)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(alvo, &e);
    }
};
