#pragma once
// A history window on a throw-away home, with a scripted portal: the directory of a small office,
// the history reply the test sets, and published files by record id.
#include "TestHome.h"
#include "history/frmConsulta.h"
#include "history/frmConsulta_celulas.h"
#include "platform/Ansi.h"
#include "publication/SeletorData.h"
#include "shell/ModFuncs.h"
#include "shell/Tela.h"
#include "shell/classAmbiente.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QTableView>
#include <QToolButton>
#include <memory>

// The environment right after a publication: only the pipeline sets Enviado in the program.
class AmbientePublicado : public classAmbiente {
public:
    using classAmbiente::classAmbiente;
    void publicou(const QString &ids)
    {
        marcaEnviado();
        LastIds = ids;
    }
};

// One history record as the portal sends it (17 fields); the defaults are a payment still active.
struct RegistroPortal {
    QString cliente = QStringLiteral("Açougue Boi Gordo Ltda");
    QString tipo = QStringLiteral("P");
    QString id = QStringLiteral("41");
    QString descricao = QStringLiteral("DAS - Simples Nacional");
    QString arquivo = QStringLiteral("das.pdf");
    QString tamanho = QStringLiteral("2560");
    QString extensao = QStringLiteral("PDF");
    QString status = QStringLiteral("Ativo");
    QString publicacao = QStringLiteral("05/03/2011 10:15:00");
    QString lida;
    QString apagado;
    QString usuario = QStringLiteral("Maria Aparecida Souza");
    QString ativacao;
    QString expiracao;
    QString vencimento;
    QString valor;
    QString backup;

    QString texto() const
    {
        return QStringList{cliente, tipo, id, descricao, arquivo, tamanho, extensao, status, publicacao, lida,
                           apagado, usuario, ativacao, expiracao, vencimento, valor, backup}
            .join(QStringLiteral(">@%"));
    }
};

inline QByteArray respostaHistorico(const QList<RegistroPortal> &registros)
{
    QStringList textos;
    for (const RegistroPortal &r : registros)
        textos << r.texto();
    return plataforma::paraAnsi(QStringLiteral("Vorlin Printer\r\n") + textos.join(QStringLiteral("<!#"))
                                + QStringLiteral("\r\n") + QString::number(registros.size()));
}

inline QByteArray conteudoDe(const QString &caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<ausente>");
}

struct FrmConsultaBancada {
    TestHome home;
    plataforma::Servicos servicos;
    ModFuncs funcs;
    AmbientePublicado amb;
    // what the scripted portal answers
    QByteArray historico = respostaHistorico({});
    QHash<QString, QByteArray> arquivos;   // published files by record id
    std::unique_ptr<frmConsulta> janela;

    FrmConsultaBancada() : servicos(home.servicos()), funcs(servicos), amb(servicos)
    {
        home.criaPastaPrograma();
        home.config->grava(QStringLiteral("Config"), QStringLiteral("URLBase"), QStringLiteral("http://portal.test/"));
        amb.lngSessao = 77;
        amb.lngLogin_ID = 5;
        amb.lngID_Contador = 12;
        amb.Usuario = QStringLiteral("Maria Aparecida Souza");
        home.http.resposta = [this](const QByteArray &url) { return responde(url); };
    }

    QByteArray responde(const QByteArray &url) const
    {
        if (url.contains("printer/sincroniza.asp"))
            return plataforma::paraAnsi(QStringLiteral(
                "Vorlin Printer|*+1>@%Carteira Comércio|*+"
                "30>@%1>@%Açougue Boi Gordo Ltda<!#31>@%1>@%Construtora Alicerce S/A<!#32>@%0>@%Padaria Pão Quente|*+"
                "7>@%Maria Aparecida Souza<!#8>@%João Pedro Lima"));
        if (url.contains("consulta_b.asp") && url.contains("ia=")) {
            const QByteArray id = url.mid(url.indexOf("ia=") + 3).split('&').first();
            return arquivos.value(QString::fromLatin1(id));
        }
        if (url.contains("consulta_b.asp"))
            return historico;
        return {};
    }

    // The query object, then the window, shown: the load runs.
    void abre()
    {
        if (!amb.Consultar)
            amb.Consulta_Iniciar();
        janela = std::make_unique<frmConsulta>(amb, funcs);
        janela->show();
    }
    // Closes the window (saving its layout) and drops it.
    void fecha()
    {
        janela->close();
        janela.reset();
    }

    // The user drags the window's border to this size in twips.
    void arrasta(QSize twips) const
    {
        janela->resize(tela::tw(twips.width()), tela::tw(twips.height()));
        QCoreApplication::processEvents();
    }

    template <typename T = QWidget>
    T *controle(const QString &nome) const
    {
        return janela->findChild<T *>(nome);
    }
    QComboBox *lista(const char *nome) const { return controle<QComboBox>(QString::fromLatin1(nome)); }
    QTableView *grade() const { return controle<QTableView>(QStringLiteral("grdConsulta")); }
    int linhas() const { return grade()->model()->rowCount(); }
    // the text the grid shows in a cell
    QString celula(int linha, int coluna) const { return grade()->model()->index(linha, coluna).data().toString(); }

    // the history requests sent so far, from "s=" on
    QStringList consultas() const
    {
        QStringList saida;
        for (const QByteArray &url : home.http.urls) {
            if (url.contains("consulta_b.asp") && !url.contains("ia="))
                saida << QString::fromLatin1(url.mid(url.indexOf('?') + 1));
        }
        return saida;
    }

    QString consulta(const QString &chave) const { return home.config->le(QStringLiteral("Consulta"), chave); }
    void grava(const QString &chave, const QString &valor) const
    {
        home.config->grava(QStringLiteral("Consulta"), chave, valor);
    }

    QString copia(const QString &id) const { return amb.PathUser() + QStringLiteral("Back/") + id; }
    void criaCopia(const QString &id, const QByteArray &bytes) const
    {
        QDir().mkpath(amb.PathUser() + QStringLiteral("Back"));
        QFile f(copia(id));
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    QString visualizacao(const QString &nome) const { return amb.PathUser() + QStringLiteral("temp/") + nome; }

    // true when the error reporter showed a failure of this procedure of the window
    bool relatado(const QString &procedimento) const
    {
        for (const auto &r : home.ui.caixas) {
            if (r.caixa.titulo == QStringLiteral("Mensagem de ERRO do sistema!")
                && r.caixa.texto.contains(QStringLiteral("frmConsulta - ") + procedimento + QStringLiteral("\r\n")))
                return true;
        }
        return false;
    }
};
