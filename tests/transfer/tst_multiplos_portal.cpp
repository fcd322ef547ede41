// "Múltiplos envios" against the local portal (one fresh portal for this file): three queued
// documents, one of them refused by the portal, sent from the window through the transfer window;
// the two accepted arrive byte for byte under their records with the recipients, folder, dates and
// parameters they were queued with, the refused one stays queued with its message. And the sender
// killed during a send: the index stays whole, and the next run sends nothing twice.
#include "PortalLocal.h"
#include "TestHome.h"
#include "platform/Ansi.h"
#include "platform/CurlFtp.h"
#include "platform/CurlHttp.h"
#include "publication/DataTexto.h"
#include "publication/PortalInform.h"
#include "shell/ModFuncs.h"
#include "transfer/FilaEnvio.h"
#include "transfer/MultiplosEnvios.h"
#include "transfer/frmMultiplos.h"
#include "transfer/frmTransferencia.h"
#include "tst_envia_apoio.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

using transferencia::MultiplosEnvios;

Q_DECLARE_METATYPE(MultiplosEnvios::Etapa)

namespace {

const QString kAlicerce = QStringLiteral("Construtora Alicerce S/A");
const QString kPadaria = QStringLiteral("Padaria Pão Quente");
const QString kClinica = QStringLiteral("Clínica Sorriso Odontologia");

QByteArray conteudo(int semente)
{
    QByteArray bytes("%PDF-1.4\n");
    for (int i = 0; i < 3000; ++i)
        bytes.append(static_cast<char>((i * semente) & 0xFF));
    return bytes + "\n%%EOF\n";
}

QByteArray le(const QString &caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// One document as the publication dialog would have queued it.
struct Doc {
    QString nome;
    QByteArray bytes;
    QString descricao;
    QStringList clientes;      // names
    QStringList pastas;        // folder names, level by level
    QString pastaValor;        // instead of `pastas`: a folder path value as it stands
    QString parametro1;
    int ativacao = 0;          // days from today
    int expiracao = 30;
    bool usuarios = false;     // every user of the clients gets access
    bool email = false;
};

// The sender killed: nothing after the throw runs.
struct Morte {};

} // namespace

// One run of the program without a document, on the test's home, with the real network clients.
struct Programa {
    explicit Programa(TestHome &h) : home(h), servicos(home.servicos(http, ftp)), funcs(servicos), amb(servicos)
    {
        amb.IniciaSemDocumento();
    }

    QString cliente(const QString &nome) const
    {
        for (const auto &c : amb.Clientes(0))
            if (c.nome == nome)
                return c.id;
        return QString();
    }
    // the folder path value of folders named level by level
    QString pasta(const QStringList &nomes)
    {
        classURL url(servicos.http);
        publicacao::PortalInform portal(url, amb, servicos.config, amb.Sistema());
        QString valor;
        qint32 pai = 0;
        for (int nivel = 1; nivel <= 5; ++nivel) {
            qint32 id = 0;
            if (nivel <= nomes.size()) {
                for (const auto &p : portal.Pastas(nivel, pai).pastas)
                    if (p.nome == nomes.at(nivel - 1))
                        id = p.id;
                if (id == 0)
                    return QString();
            }
            valor += QString::number(id) + QLatin1Char('|');
            pai = id;
        }
        return valor;
    }
    QString usuarios(const QStringList &clientes)
    {
        classURL url(servicos.http);
        publicacao::PortalInform portal(url, amb, servicos.config, amb.Sistema());
        QStringList entradas;
        for (const QString &c : clientes)
            for (const auto &u : portal.UsuariosDoCliente(c.toInt()))
                entradas << c + QLatin1Char('|') + u.id;
        return entradas.join(QLatin1Char('*'));
    }

    bool enfileira(const Doc &d)
    {
        const QString caminho = home.criaArquivo(QStringLiteral("spool/") + d.nome, d.bytes);
        QStringList ids;
        for (const QString &nome : d.clientes)
            ids << cliente(nome);
        const QDate hoje = servicos.relogio.hoje();
        amb.pasta = d.pastaValor.isEmpty() ? pasta(d.pastas) : d.pastaValor;
        amb.UsuariosId = d.usuarios ? usuarios(ids) : QString();
        amb.Email = d.email ? QStringLiteral("S") : QStringLiteral("N");
        classEnviar &e = amb.Enviar;
        e.Try();
        for (const QString &id : ids)
            e.AddCliente(id.toInt());
        e.setTipoArquivo(2);
        e.setDescricao(d.descricao);
        e.setAtivacao(publicacao::textoData(hoje.addDays(d.ativacao)));
        e.setExpiracao(publicacao::textoData(hoje.addDays(d.expiracao)));
        e.setObservacao(QStringLiteral("Conferir\nassinar"));
        e.setParametro1(d.parametro1);
        e.Avisar(false, std::nullopt, true);
        if (d.email)
            e.Avisar(true);
        e.Validar(d.nome);
        amb.LimpaListaArquivos();
        amb.AddListaArquivos(caminho);
        return e.Validado() && amb.Enfileirar();
    }

    // the transfer window's part, without the window: Envia with a classFtp of its own
    void publica()
    {
        JanelaRegistrada janela;
        classFtp vFtp(servicos.ftp, servicos.ui, &janela);
        amb.Envia(vFtp);
    }

    TestHome &home;
    plataforma::CurlHttp http;
    plataforma::CurlFtp ftp;
    plataforma::Servicos servicos;
    ModFuncs funcs;
    classAmbiente amb;
};

class TstMultiplosPortal : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void enviaTodosPelaJanela();
    void morto_data();
    void morto();

private:
    // the publications the portal holds under a description, with their users
    QJsonArray publicacoes(const QString &descricao);
    int registros() { return m_portal->contagens().value(QStringLiteral("/printer/publica_b_novo.asp")).toInt(); }
    QString fila() const { return m_home->pastaPrograma() + QStringLiteral("queqe/"); }
    QStringList copias() const { return QDir(fila() + QStringLiteral("files")).entryList(QDir::Files, QDir::Name); }

    std::unique_ptr<PortalLocal> m_portal;
    std::unique_ptr<TestHome> m_home;
};

void TstMultiplosPortal::initTestCase()
{
    m_portal = std::make_unique<PortalLocal>();
    QVERIFY2(m_portal->ativo(), qPrintable(m_portal->falha()));
}

void TstMultiplosPortal::init()
{
    m_home = std::make_unique<TestHome>();
    QVERIFY(m_home->criaPastaPrograma());
    m_portal->configura(*m_home->config);
    m_home->relogio.define(QDateTime(QDate::currentDate(), QTime(12, 0, 0)));
    m_portal->deslocaRelogio(QDateTime::currentDateTime().secsTo(m_home->relogio.agora()));
    m_portal->desligaFalhas();
    m_portal->contagens(true);
    // a session stored by an earlier run, as the desktop entries find it
    plataforma::CurlHttp http;
    plataforma::CurlFtp ftp;
    plataforma::Servicos servicos = m_home->servicos(http, ftp);
    classAmbiente login(servicos);
    login.IniciaSemDocumento();
    QVERIFY(login.Autentica(QStringLiteral("DEMO"), QStringLiteral("MARIA"), QStringLiteral("vorlin123"), 5));
}

void TstMultiplosPortal::cleanup()
{
    if (m_home)
        QVERIFY2(m_home->ui.inesperadas.isEmpty(), qPrintable(m_home->ui.inesperadas.join(QLatin1Char('\n'))));
    m_home.reset();
}

QJsonArray TstMultiplosPortal::publicacoes(const QString &descricao)
{
    QString saida;
    const bool ok = m_portal->executa(
        QStringLiteral("import json\n"
                       "r = []\n"
                       "for p in banco.todos('SELECT * FROM publicacoes WHERE descricao = ? ORDER BY id', (%1,)):\n"
                       "    d = dict(p)\n"
                       "    d['usuarios'] = sorted(u[0] for u in banco.todos("
                       "'SELECT usuario_id FROM publicacao_usuarios WHERE publicacao_id = ?', (p['id'],)))\n"
                       "    r.append(d)\n"
                       "print(json.dumps(r))\n")
            .arg(QStringLiteral("'%1'").arg(descricao)),
        &saida);
    return ok ? QJsonDocument::fromJson(saida.trimmed().toUtf8()).array() : QJsonArray();
}

void TstMultiplosPortal::enviaTodosPelaJanela()
{
    Programa p(*m_home);
    QVERIFY(p.amb.Logado());
    bool atualiza = false;
    QVERIFY(p.amb.Sincroniza(atualiza, false));
    const QList<Doc> docs{
        {QStringLiteral("Balancete Março.pdf"), conteudo(37), QStringLiteral("Balancete de março"), {kAlicerce},
         {QStringLiteral("Diversos")}, {}, {}, 0, 30, true, true},
        {QStringLiteral("Ficha de admissão.pdf"), conteudo(11), QStringLiteral("Ficha de admissão"), {kPadaria, kClinica},
         {QStringLiteral("Pessoal"), QStringLiteral("Admissões")}, {}, QStringLiteral("Ana Lima"), 1, 60, false, false},
        // a folder the portal does not have: it refuses the registration
        {QStringLiteral("Recibo.pdf"), conteudo(5), QStringLiteral("Recibo de abril"), {kAlicerce}, {},
         QStringLiteral("999|0|0|0|0|"), {}, 0, 30, false, false},
    };
    for (const Doc &d : docs)
        QVERIFY2(p.enfileira(d), qPrintable(d.nome + QLatin1Char(' ') + p.amb.Erro()));
    const QStringList linhas = plataforma::deAnsi(le(fila() + QStringLiteral("vrmf.rlx"))).split(QStringLiteral("\r\n"));
    QCOMPARE(linhas.size(), 4);

    // the window lists the queue: clients, description, dates, folder names, file
    QStringList transferencias;
    frmMultiplos::Janelas janelas;
    janelas.transferencia = [&](frmMultiplos &dono) {
        frmTransferencia janela(p.amb, p.funcs, &dono);
        janela.show();
        janela.Timer_Timer();
        transferencias << janela.findChild<QLabel *>(QStringLiteral("iblTituloArquivo"))->text();
        janela.cmdOk_Click();
    };
    frmMultiplos janela(p.amb, p.funcs, janelas);
    janela.show();
    QTableWidget *grade = janela.findChild<QTableWidget *>(QStringLiteral("grdFila"));
    QCOMPARE(janela.windowTitle(), QStringLiteral("Vorlin Printer [Maria Aparecida Souza] - Múltiplos envios"));
    QCOMPARE(grade->rowCount(), 3);
    const QString hoje = publicacao::textoData(m_home->relogio.hoje());
    const QStringList primeira{kAlicerce, QStringLiteral("Balancete de março"), hoje,
                               publicacao::textoData(m_home->relogio.hoje().addDays(30)), QStringLiteral("Diversos"),
                               QStringLiteral("Balancete Março.pdf"), QStringLiteral("Aguardando envio")};
    for (int coluna = 0; coluna < primeira.size(); ++coluna)
        QCOMPARE(grade->item(0, coluna)->text(), primeira.at(coluna));
    QCOMPARE(grade->item(1, 0)->text(), QStringLiteral("(2)Empresas"));
    QCOMPARE(grade->item(1, 4)->text(), QStringLiteral("Pessoal > Admissões"));
    QCOMPARE(grade->item(2, 4)->text(), QStringLiteral("999"));

    m_home->ui.aceitaAvisos(true);
    const QString doAmbiente = p.amb.arquivo();
    janela.findChild<QToolButton *>(QStringLiteral("cmdEnviarTodos"))->click();

    // one transfer window per document, in queue order; the portal saw three registrations
    QCOMPARE(transferencias, (QStringList{QStringLiteral("Arquivo Transmitido"), QStringLiteral("Arquivo Transmitido"),
                                          QStringLiteral("Houveram erros durante a publicação!")}));
    QCOMPARE(registros(), 3);
    const QString recusa = QStringLiteral("Problemas na criação do Registro de Transferência! Pasta não encontrada!");
    QCOMPARE(m_home->ui.textos(),
             (QStringList{QStringLiteral("Erro\r\nProblemas na criação do Registro de Transferência!\r\nPasta não encontrada!"),
                          QStringLiteral("Arquivos enviados: 2\r\nArquivos com falha: 1\r\nOs arquivos com falha continuam na fila.")}));

    // the two accepted: one record per client, the file exactly, and the values they were queued with
    for (int i = 0; i < 2; ++i) {
        const Doc &d = docs.at(i);
        const QJsonArray regs = publicacoes(d.descricao);
        QCOMPARE(regs.size(), d.clientes.size());
        QStringList clientes;
        for (const QJsonValue &v : regs) {
            const QJsonObject r = v.toObject();
            clientes << QString::number(r.value(QStringLiteral("cliente_id")).toInteger());
            const QString id = QString::number(r.value(QStringLiteral("id")).toInteger());
            QCOMPARE(p.http.get(plataforma::paraAnsi(p.amb.URLBase() + QStringLiteral("printer/consulta_b.asp?l=%1&s=%2&ia=%3")
                                                        .arg(p.amb.lngLogin_ID).arg(p.amb.lngSessao).arg(id))),
                     d.bytes);
            const QString pasta = p.pasta(d.pastas);
            QCOMPARE(QString::number(r.value(QStringLiteral("pasta_id")).toInteger()),
                     pasta.section(QLatin1Char('|'), d.pastas.size() - 1, d.pastas.size() - 1));
            const QDate dia = m_home->relogio.hoje();
            QCOMPARE(r.value(QStringLiteral("ativacao")).toString(), dia.addDays(d.ativacao).toString(Qt::ISODate));
            QCOMPARE(r.value(QStringLiteral("expiracao")).toString(), dia.addDays(d.expiracao).toString(Qt::ISODate));
            QCOMPARE(r.value(QStringLiteral("parametro1")).toString(), d.parametro1);
            QCOMPARE(r.value(QStringLiteral("observacao")).toString(), QStringLiteral("Conferir\nassinar"));
            QCOMPARE(r.value(QStringLiteral("aviso")).toString(), d.email ? QStringLiteral("S") : QStringLiteral("N"));
            QCOMPARE(r.value(QStringLiteral("usuarios")).toArray().isEmpty(), !d.usuarios);
        }
        QStringList esperados;
        for (const QString &nome : d.clientes)
            esperados << p.cliente(nome);
        clientes.sort();
        esperados.sort();
        QCOMPARE(clientes, esperados);
    }
    QCOMPARE(publicacoes(docs.at(2).descricao).size(), 0);

    // the refused one stays: its line byte for byte, its copy, its message in the list
    QCOMPARE(plataforma::deAnsi(le(fila() + QStringLiteral("vrmf.rlx"))), linhas.at(2) + QStringLiteral("\r\n"));
    QCOMPARE(copias(), QStringList{QStringLiteral("file003")});
    QCOMPARE(le(fila() + QStringLiteral("files/file003")), docs.at(2).bytes);
    QCOMPARE(QDir(fila() + QStringLiteral("dados")).entryList(QDir::Files), QStringList{QStringLiteral("file003.json")});
    QCOMPARE(grade->rowCount(), 1);
    QCOMPARE(grade->item(0, 6)->text(), recusa);
    QCOMPARE(janela.findChild<QLabel *>(QStringLiteral("iblTotal"))->text(), QStringLiteral("1 arquivo na fila de envio."));
    // the environment's document is its own again
    QCOMPARE(p.amb.arquivo(), doAmbiente);
    QVERIFY(!p.amb.Enviado());

    // read again by the next run, it still says why
    Programa outro(*m_home);
    MultiplosEnvios envios(outro.amb, {});
    QVERIFY(envios.Carrega());
    QCOMPARE(envios.Itens().size(), 1);
    QCOMPARE(envios.Itens().at(0).situacao, MultiplosEnvios::Situacao::Falhou);
    QCOMPARE(MultiplosEnvios::TextoSituacao(envios.Itens().at(0)), recusa);
}

void TstMultiplosPortal::morto_data()
{
    QTest::addColumn<MultiplosEnvios::Etapa>("etapa");       // where the first send is cut off
    QTest::addColumn<bool>("primeiraFica");                  // its line is still in the index
    // between two documents: the first one done, out of the index, the second not begun
    QTest::newRow("entre dois documentos") << MultiplosEnvios::Etapa::Retirado << false;
    // the portal has the first one, the index not yet rewritten: it is marked, never sent again by "all"
    QTest::newRow("depois do envio, antes do índice") << MultiplosEnvios::Etapa::DepoisDoEnvio << true;
}

void TstMultiplosPortal::morto()
{
    QFETCH(MultiplosEnvios::Etapa, etapa);
    QFETCH(bool, primeiraFica);
    // one portal for every row: each row's own descriptions
    const QString linha = QString::fromUtf8(QTest::currentDataTag());
    const Doc a{QStringLiteral("Guia DARF.pdf"), conteudo(3), QStringLiteral("Guia ") + linha, {kAlicerce},
                {QStringLiteral("Fiscal")}, {}, {}, 0, 30, false, false};
    const Doc b{QStringLiteral("Folha.pdf"), conteudo(7), QStringLiteral("Folha ") + linha, {kPadaria},
                {QStringLiteral("Pessoal")}, {}, {}, 0, 30, false, false};
    QByteArray indice;
    {
        Programa p(*m_home);
        bool atualiza = false;
        QVERIFY(p.amb.Logado() && p.amb.Sincroniza(atualiza, false));
        QVERIFY(p.enfileira(a) && p.enfileira(b));
        indice = le(fila() + QStringLiteral("vrmf.rlx"));

        MultiplosEnvios::Acoes acoes;
        acoes.transferencia = [&p] { p.publica(); };
        acoes.etapa = [etapa](MultiplosEnvios::Etapa agora, const QString &copia) {
            if (agora == etapa && copia == QLatin1String("file001"))
                throw Morte{};
        };
        MultiplosEnvios envios(p.amb, acoes);
        QVERIFY(envios.Carrega());
        bool morreu = false;
        try {
            envios.Envia({QStringLiteral("file001"), QStringLiteral("file002")}, false);
        } catch (const Morte &) {
            morreu = true;
        }
        QVERIFY(morreu);
    }
    // the index is whole: both lines, or the second alone, each byte for byte
    const qsizetype fim = indice.indexOf("\r\n") + 2;
    QCOMPARE(le(fila() + QStringLiteral("vrmf.rlx")), primeiraFica ? indice : indice.mid(fim));
    QCOMPARE(registros(), 1);

    // the next run sends what is left, once
    Programa p(*m_home);
    MultiplosEnvios::Acoes acoes;
    acoes.transferencia = [&p] { p.publica(); };
    MultiplosEnvios envios(p.amb, acoes);
    QVERIFY(envios.Carrega());
    QCOMPARE(envios.Itens().size(), primeiraFica ? 2 : 1);
    if (primeiraFica)
        QCOMPARE(envios.Itens().at(0).situacao, MultiplosEnvios::Situacao::Interrompido);
    QStringList todas;
    for (const auto &item : envios.Itens())
        todas << item.copia;
    const MultiplosEnvios::Resultado r = envios.Envia(todas, false);
    QCOMPARE(r.enviados, 1);
    QCOMPARE(r.falhas, 0);
    QCOMPARE(registros(), 2);
    QCOMPARE(publicacoes(a.descricao).size(), 1);
    QCOMPARE(publicacoes(b.descricao).size(), 1);
    QCOMPARE(le(fila() + QStringLiteral("vrmf.rlx")), primeiraFica ? indice.left(fim) : QByteArray());
    QCOMPARE(copias(), primeiraFica ? QStringList{QStringLiteral("file001")} : QStringList());
}

QTEST_MAIN(TstMultiplosPortal)
#include "tst_multiplos_portal.moc"
