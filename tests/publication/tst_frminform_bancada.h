#pragma once
// A publication dialog on a throw-away home: a captured document in "PROC", a session, a scripted
// portal (directory, users, folders, parameters) and the dialog's outside calls recorded: each
// transfer keeps what the environment and the publication record held at that moment.
#include "TestHome.h"
#include "platform/Ansi.h"
#include "publication/frmInform.h"
#include "publication/frmInform_destinatarios.h"
#include "publication/frmInform_pastas.h"
#include "shell/ModFuncs.h"
#include "shell/classAmbiente.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMap>
#include <QUrlQuery>
#include <array>
#include <memory>

// The flags a send or a queue leaves, set by the doubles standing in for them.
class AmbienteTeste : public classAmbiente {
public:
    using classAmbiente::classAmbiente;
    using classAmbiente::marcaEnfileirado;
    using classAmbiente::marcaEnviado;
};

// The office as the scripted portal knows it.
struct PortalFicticio {
    struct Usuario {
        QString id, nome, perfil, email;
    };
    QString carteiras = QStringLiteral("1>@%Carteira Comércio<!#2>@%Carteira Serviços");
    // id, wallet, name; 3 is listed above 7
    QList<QStringList> clientes = {{QStringLiteral("3"), QStringLiteral("1"), QStringLiteral("Auto Peças Rodovia")},
                                   {QStringLiteral("7"), QStringLiteral("1"), QStringLiteral("Bazar Três Irmãos")},
                                   {QStringLiteral("52"), QStringLiteral("2"), QStringLiteral("Construtora Alicerce")},
                                   {QStringLiteral("60"), QStringLiteral("2"), QStringLiteral("Escola Pequeno Príncipe")}};
    QMap<QString, QList<Usuario>> usuarios = {
        {QStringLiteral("3"), {{QStringLiteral("301"), QStringLiteral("Ricardo Nunes"), QStringLiteral("Master"), QStringLiteral("ricardo@rodovia.com.br")}}},
        {QStringLiteral("7"), {{QStringLiteral("701"), QStringLiteral("Fátima Rezende"), QStringLiteral("Master"), QStringLiteral("fatima@bazar.com.br")},
                               {QStringLiteral("702"), QStringLiteral("Gustavo Rezende"), QStringLiteral("Consulta"), QString()}}},
        {QStringLiteral("52"), {{QStringLiteral("1031"), QStringLiteral("Eng. Paulo Mendes de Almeida"), QStringLiteral("Master"), QStringLiteral("paulo@alicerce.com.br")},
                                {QStringLiteral("1077"), QStringLiteral("Sônia Prado"), QStringLiteral("Financeiro"), QStringLiteral("sonia@alicerce.com.br")}}},
        {QStringLiteral("60"), {{QStringLiteral("1101"), QStringLiteral("Secretaria"), QStringLiteral("Consulta"), QStringLiteral("sec@escola.edu.br")}}},
    };
    // folder id -> sub-folders (0: level 1); 60 ... 64 is five levels deep
    QMap<qint32, QList<std::pair<qint32, QString>>> pastas = {
        {0, {{10, QStringLiteral("FISCAL")}, {11, QStringLiteral("PESSOAL")}, {60, QStringLiteral("ARQUIVO MORTO")}}},
        {10, {{20, QStringLiteral("IMPOSTOS FEDERAIS")}, {21, QStringLiteral("IMPOSTOS MUNICIPAIS")}}},
        {20, {{30, QStringLiteral("DARF")}}},
        {60, {{61, QStringLiteral("N2")}}}, {61, {{62, QStringLiteral("N3")}}}, {62, {{63, QStringLiteral("N4")}}},
        {63, {{64, QStringLiteral("N5")}}},
    };
    QMap<qint32, QString> parametros = {
        {10, QStringLiteral("COMPETÊNCIA>@%>@%>@%>@%")},
        {20, QStringLiteral("COMPETÊNCIA>@%>@%>@%>@%")},
        {11, QStringLiteral("FUNCIONÁRIO>@%>@%CARGO>@%>@%")},
    };

    static QString comMarcador(const QString &corpo) { return QStringLiteral("Vorlin Printer|*+") + corpo; }

    QString usuarioRegistro(const Usuario &u, const QString &cliente) const
    {
        QStringList campos{u.id, u.nome, u.perfil, u.email};
        if (!cliente.isEmpty())
            campos << cliente;
        return campos.join(QStringLiteral(">@%"));
    }

    QByteArray responde(const QByteArray &url) const
    {
        const QString texto = QString::fromLatin1(url);
        const QUrlQuery q(texto.mid(texto.indexOf(QLatin1Char('?')) + 1));
        QString r;
        if (texto.contains(QLatin1String("printer/sincroniza.asp"))) {
            QStringList registros;
            for (const QStringList &c : clientes)
                registros << c.join(QStringLiteral(">@%"));
            r = comMarcador(carteiras + QStringLiteral("|*+") + registros.join(QStringLiteral("<!#"))
                            + QStringLiteral("|*+5>@%Maria Aparecida"));
        } else if (texto.contains(QLatin1String("retornausuariosclientestodosnovo.asp"))) {
            const int posicao = q.queryItemValue(QStringLiteral("id_carteira")).toInt();
            QStringList registros;
            for (const QStringList &c : clientes) {
                if (posicao > 0 && c.at(1) != QString::number(posicao))
                    continue;
                for (const Usuario &u : usuarios.value(c.at(0)))
                    registros << usuarioRegistro(u, c.at(0));
            }
            r = comMarcador(registros.join(QStringLiteral("<!#")));
        } else if (texto.contains(QLatin1String("retornausuariosclientestodos.asp"))) {
            QStringList registros;
            for (const Usuario &u : usuarios.value(q.queryItemValue(QStringLiteral("e"))))
                registros << usuarioRegistro(u, QString());
            r = comMarcador(registros.join(QStringLiteral("<!#")));
        } else if (texto.contains(QLatin1String("carregapastas.asp"))) {
            QStringList registros;
            for (const auto &[id, nome] : pastas.value(q.queryItemValue(QStringLiteral("Pasta")).toInt()))
                registros << QString::number(id) + QStringLiteral(">@%") + nome;
            r = comMarcador(registros.join(QStringLiteral("<!#")));
        } else if (texto.contains(QLatin1String("carregaparametros.asp"))) {
            r = comMarcador(parametros.value(q.queryItemValue(QStringLiteral("pid")).toInt(),
                                             QStringLiteral(">@%>@%>@%>@%")));
        }
        return plataforma::paraAnsi(r);
    }
};

struct InformBancada {
    // What the environment and the publication record held when the transfer window opened.
    struct Envio {
        QString arquivo, pasta, usuariosId, email;
        QString descricao, ativacao, expiracao, observacao, empresas, emails;
        std::array<QString, 5> parametros;
        qint16 tipo = -1;
        bool validado = false;
    };

    TestHome home;
    plataforma::Servicos servicos;
    ModFuncs funcs;
    AmbienteTeste amb;
    PortalFicticio portal;
    QString capturado;          // the document's copy in "PROC"

    QList<Envio> envios;
    bool transferenciaEnvia = true;   // the transfer window reports the file as sent
    bool filaAceita = true;
    QList<QStringList> filas;   // the environment's file list at each queueing
    int encerramentos = 0;
    std::unique_ptr<frmInform> dlg;

    explicit InformBancada(plataforma::HttpClient *rede = nullptr)
        : servicos(rede ? home.servicos(*rede, home.ftp) : home.servicos()), funcs(servicos), amb(servicos)
    {
        home.criaPastaPrograma();
        amb.Inicia(false, home.criaArquivo(QStringLiteral("spool/Balancete Demo.pdf")));
        amb.Captura(QString());
        capturado = amb.arquivo();
        if (!rede) {
            amb.lngSessao = 77;
            amb.lngLogin_ID = 5;
            amb.lngID_Contador = 12;
            amb.lngAdmin = 1;
            amb.Usuario = QStringLiteral("Maria Aparecida");
            amb.TpLogo = QStringLiteral("P");
            home.http.resposta = [this](const QByteArray &url) { return portal.responde(url); };
        }
    }

    frmInform::Janelas janelas()
    {
        frmInform::Janelas j;
        j.transferencia = [this](frmInform &) {
            const classEnviar &e = amb.Enviar;
            envios << Envio{amb.arquivo(), amb.pasta, amb.UsuariosId, amb.Email, e.Descricao(), e.Ativacao(),
                            e.Expiracao(), e.Observacao(), e.Empresas(), e.Emails(),
                            {e.Parametro1(), e.Parametro2(), e.Parametro3(), e.Parametro4(), e.Parametro5()},
                            e.TipoArquivo(), e.Validado()};
            if (transferenciaEnvia)
                amb.marcaEnviado();
        };
        j.enfileirar = [this] {
            filas << amb.ListaArquivos();
            if (filaAceita)
                amb.marcaEnfileirado();
            return filaAceita;
        };
        j.encerrar = [this] { ++encerramentos; };
        return j;
    }

    // Creates the dialog and shows it, which runs its load.
    frmInform &abre(qint16 logOff = 0)
    {
        dlg = std::make_unique<frmInform>(amb, funcs, janelas());
        dlg->LogOff = logOff;
        dlg->show();
        return *dlg;
    }

    template <typename T = QWidget>
    T *controle(const QString &nome) const
    {
        return dlg->findChild<T *>(nome);
    }
    QListWidget *lista(const char *nome) const { return controle<QListWidget>(QString::fromLatin1(nome)); }
    QComboBox *nivel(int n) const { return controle<QComboBox>(QStringLiteral("cboPastas") + QString::number(n)); }
    const publicacao::DadosArquivo &dados(int i) const { return dlg->Dados().at(i); }

    static QListWidgetItem *itemComDado(QListWidget *l, qint32 id)
    {
        for (int i = 0; i < l->count(); ++i) {
            if (l->item(i)->data(Qt::UserRole).toInt() == id)
                return l->item(i);
        }
        return nullptr;
    }
    void marcaCliente(qint32 id, bool sim = true) const
    {
        itemComDado(lista("lstClientes"), id)->setCheckState(sim ? Qt::Checked : Qt::Unchecked);
    }
    void marcaUsuario(qint32 id, bool sim = true) const
    {
        itemComDado(lista("lstUsuarios"), id)->setCheckState(sim ? Qt::Checked : Qt::Unchecked);
    }
    // "client|user" of every checked user item, in list order
    QStringList usuariosMarcados() const
    {
        QStringList r;
        QListWidget *l = lista("lstUsuarios");
        for (int i = 0; i < l->count(); ++i) {
            if (l->item(i)->checkState() == Qt::Checked)
                r << l->item(i)->text().section(QLatin1Char('|'), 1, 2);
        }
        return r;
    }
    QList<qint32> clientesMarcados() const
    {
        QList<qint32> r;
        QListWidget *l = lista("lstClientes");
        for (int i = 0; i < l->count(); ++i) {
            if (l->item(i)->checkState() == Qt::Checked)
                r << l->item(i)->data(Qt::UserRole).toInt();
        }
        return r;
    }
    QStringList textos(QListWidget *l) const
    {
        QStringList r;
        for (int i = 0; i < l->count(); ++i)
            r << l->item(i)->text();
        return r;
    }
    void escolhePasta(int n, qint32 id) const
    {
        QComboBox *c = nivel(n);
        c->setCurrentIndex(c->findData(id));
    }
    void trocaPara(int linha) const { lista("lstArquivos")->setCurrentRow(linha); }
    void solta(const QStringList &caminhos) const { dlg->lstArquivos_OLEDragDrop(caminhos); }
    // the URLs the dialog asked for that contain `parte`
    QList<QByteArray> pedidos(const char *parte) const
    {
        QList<QByteArray> r;
        for (const QByteArray &u : home.http.urls) {
            if (u.contains(parte))
                r << u;
        }
        return r;
    }
};
