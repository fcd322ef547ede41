// The publish pipeline end to end against the local portal (HTTP and FTP, one fresh portal for this
// file): a captured document published for two client companies arrives byte for byte under each
// record, shows in the history, is backed up per record and announced in the portal's outbox; and
// the failures of the FTP login, of a full disk and of a registration the portal refuses.
#include "PortalLocal.h"
#include "TestHome.h"
#include "platform/Ansi.h"
#include "platform/CurlFtp.h"
#include "platform/CurlHttp.h"
#include "portal/Resposta.h"
#include "publication/DataTexto.h"
#include "tst_envia_apoio.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {

const QString kVermelha = QStringLiteral("5 Houveram erros durante a publicação!");
const QString kNome = QStringLiteral("Balancete Março.pdf");
const QString kAlicerce = QStringLiteral("Construtora Alicerce S/A");
const QString kPadaria = QStringLiteral("Padaria Pão Quente");   // no user with an e-mail

QByteArray conteudo()
{
    QByteArray bytes("%PDF-1.4\n");
    for (int i = 0; i < 2500; ++i)
        bytes.append(static_cast<char>((i * 37) & 0xFF));
    return bytes + "\n%%EOF\n";
}

} // namespace

// One running copy of the program logged in to the portal, with the real HTTP and FTP clients.
struct Sessao {
    Sessao(TestHome &home, const QString &login, const QString &senha)
        : servicos(home.servicos(http, ftp)), ambiente(servicos)
    {
        documento = home.criaArquivo(QStringLiteral("spool/") + kNome, conteudo());
        ok = ambiente.Inicia(false, documento) && ambiente.Autentica(QStringLiteral("DEMO"), login, senha, 5);
    }
    // the portal's reply to a path under URLBase, as bytes
    QByteArray pede(const QString &caminho)
    {
        return http.get(plataforma::paraAnsi(ambiente.URLBase() + caminho));
    }
    QString sessao() const
    {
        return QStringLiteral("l=%1&s=%2").arg(ambiente.lngLogin_ID).arg(ambiente.lngSessao);
    }
    QString cliente(const QString &nome) const
    {
        for (const auto &c : ambiente.Clientes(0))
            if (c.nome == nome)
                return c.id;
        return QString();
    }
    // the folder path value of a first-level folder
    QString pasta(const QString &nome)
    {
        const QString resposta = plataforma::deAnsi(
            pede(QStringLiteral("printer/carregapastas.asp?e=%1&Pasta=0&Nivel=1&Admin=%2&s=%3&l=%4")
                     .arg(ambiente.lngID_Contador)
                     .arg(ambiente.lngAdmin)
                     .arg(ambiente.lngSessao)
                     .arg(ambiente.lngLogin_ID)));
        const auto registros = portal::Partes::registros(portal::Partes::secoes(resposta).valor(1));
        for (const QString &r : registros.lista()) {
            const auto campos = portal::Partes::campos(r);
            if (campos.valor(1) == nome)
                return campos.valor(0) + QStringLiteral("|0|0|0|0|");
        }
        return QString();
    }

    plataforma::CurlHttp http;
    plataforma::CurlFtp ftp;
    plataforma::Servicos servicos;
    classAmbiente ambiente;
    QString documento;
    bool ok = false;
};

class TstEnviaPortal : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void publicaParaDoisClientes_data();
    void publicaParaDoisClientes();
    void falhas_data();
    void falhas();

private:
    QJsonArray avisos();
    QString naContaFtp(const QString &nome) const { return m_portal->raiz() + QStringLiteral("/ftp/0001/") + nome; }
    // logged in, directory loaded, the record filled for the two companies and validated
    std::unique_ptr<Sessao> prepara(const QString &ativacao = QString(), const QString &login = QStringLiteral("MARIA"),
                                    const QString &senha = QStringLiteral("vorlin123"));

    std::unique_ptr<PortalLocal> m_portal;
    std::unique_ptr<TestHome> m_home;
};

void TstEnviaPortal::initTestCase()
{
    m_portal = std::make_unique<PortalLocal>();
    QVERIFY2(m_portal->ativo(), qPrintable(m_portal->falha()));
}

void TstEnviaPortal::init()
{
    m_home = std::make_unique<TestHome>();
    QVERIFY(m_home->criaPastaPrograma());
    m_portal->configura(*m_home->config);
    // Noon today on both clocks: the login wants the two dates equal.
    m_home->relogio.define(QDateTime(QDate::currentDate(), QTime(12, 0, 0)));
    m_portal->deslocaRelogio(QDateTime::currentDateTime().secsTo(m_home->relogio.agora()));
    m_portal->desligaFalhas();
}

void TstEnviaPortal::cleanup()
{
    m_portal->desligaFalhas();
    if (m_home)
        QVERIFY2(m_home->ui.inesperadas.isEmpty(), qPrintable(m_home->ui.inesperadas.join(QLatin1Char('\n'))));
    m_home.reset();
}

QJsonArray TstEnviaPortal::avisos()
{
    return QJsonDocument::fromJson(m_portal->controle(QStringLiteral("avisos"))).array();
}

std::unique_ptr<Sessao> TstEnviaPortal::prepara(const QString &ativacao, const QString &login, const QString &senha)
{
    auto s = std::make_unique<Sessao>(*m_home, login, senha);
    bool atualiza = false;
    if (!s->ok || !s->ambiente.Sincroniza(atualiza, false))
        return nullptr;
    const QString alicerce = s->cliente(kAlicerce);
    const QString padaria = s->cliente(kPadaria);
    const QString pasta = s->pasta(QStringLiteral("DIVERSOS"));
    if (alicerce.isEmpty() || padaria.isEmpty() || pasta.isEmpty())
        return nullptr;
    preencheRegistro(s->ambiente, {alicerce.toInt(), padaria.toInt()}, pasta);
    s->ambiente.Enviar.setAtivacao(ativacao);
    s->ambiente.Enviar.Validar(kNome);
    if (!s->ambiente.Enviar.Validado())
        return nullptr;
    return s;
}

void TstEnviaPortal::publicaParaDoisClientes_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("senha");
    QTest::addColumn<QString>("ativacao");
    QTest::addColumn<QString>("situacao");
    QTest::addColumn<QString>("arrastado");   // a file dragged into the dialog instead of the capture

    QTest::newRow("ativo hoje") << QStringLiteral("MARIA") << QStringLiteral("vorlin123") << QString()
                                << QStringLiteral("Enviado") << QString();
    QTest::newRow("ativacao amanha") << QStringLiteral("MARIA") << QStringLiteral("vorlin123")
                                     << publicacao::textoData(QDate::currentDate().addDays(1)) << QStringLiteral("Agendado")
                                     << QString();
    // the portal turns debug on for this login: its registration reply carries the debug line
    QTest::newRow("login em modo debug") << QStringLiteral("SUPORTE") << QStringLiteral("suporte123") << QString()
                                         << QStringLiteral("Enviado") << QString();
    // the name goes raw in "f=": "#" and "&" must reach the portal as part of it
    QTest::newRow("arquivo arrastado com # e &") << QStringLiteral("MARIA") << QStringLiteral("vorlin123") << QString()
                                                 << QStringLiteral("Enviado") << QStringLiteral("Nota #1 & Cia.pdf");
}

void TstEnviaPortal::publicaParaDoisClientes()
{
    QFETCH(QString, login);
    QFETCH(QString, senha);
    QFETCH(QString, ativacao);
    QFETCH(QString, situacao);
    QFETCH(QString, arrastado);

    m_home->ui.aceitaAvisos(true);
    auto s = prepara(ativacao, login, senha);
    QVERIFY(s);
    classAmbiente &a = s->ambiente;
    // the login captured the document: that copy goes out, unless the dialog put another file there
    QVERIFY(a.arquivo().contains(QStringLiteral("PROC")));
    if (!arrastado.isEmpty())
        a.setArquivo(m_home->criaArquivo(QStringLiteral("outros/") + arrastado, conteudo()));
    const QString nome = arrastado.isEmpty() ? kNome : arrastado;
    const qsizetype avisosAntes = avisos().size();

    JanelaRegistrada janela;
    classFtp vFtp(s->servicos.ftp, s->servicos.ui, &janela);
    a.Envia(vFtp);

    QVERIFY2(a.Enviado(), qPrintable(a.Erro() + QLatin1Char('\n') + janela.linhas.join(QLatin1Char('\n'))));
    QCOMPARE(a.Erro(), QString());
    const QStringList ids = a.LastIds.split(QLatin1Char('*'));

    // registered for both companies: each record hands back the file exactly, and the history
    // lists the two records under the description
    for (const QString &id : ids)
        QCOMPARE(s->pede(QStringLiteral("printer/consulta_b.asp?") + s->sessao() + QStringLiteral("&ia=") + id),
                 conteudo());
    const QString historico = plataforma::deAnsi(
        s->pede(QStringLiteral("/printer/consulta_b.asp?s=%1&l=%2&li=%3").arg(a.lngSessao).arg(a.lngLogin_ID).arg(a.LastIds)));
    QVERIFY2(historico.startsWith(QStringLiteral("Vorlin Printer\r\n")), qPrintable(historico));
    QVERIFY(historico.contains(QStringLiteral("Balancete 10% março")));
    QVERIFY(historico.contains(kAlicerce) && historico.contains(kPadaria));
    // the upload left the FTP root for the portal's storage
    QVERIFY(!QFile::exists(naContaFtp(nome)));
    QVERIFY(!QFile::exists(naContaFtp(QStringLiteral("Nota "))));

    // a backup per record
    for (const QString &id : ids) {
        QFile backup(a.PathUser() + QStringLiteral("Back/") + id);
        QVERIFY2(backup.open(QIODevice::ReadOnly), qPrintable(backup.fileName()));
        QCOMPARE(backup.readAll(), conteudo());
    }

    // the notices: everybody of the first company with an e-mail, nobody at the bakery
    QStringList enviados;
    const QJsonArray saida = avisos();
    for (qsizetype i = avisosAntes; i < saida.size(); ++i) {
        const QJsonObject aviso = saida.at(i).toObject();
        QCOMPARE(QString::number(aviso.value(QStringLiteral("publicacao_id")).toInteger()), ids.at(0));
        QCOMPARE(aviso.value(QStringLiteral("situacao")).toString(), situacao);
        enviados << aviso.value(QStringLiteral("email")).toString();
    }
    enviados.sort();
    QCOMPARE(enviados, (QStringList{"dp@alicerce.com.br", "paulo@alicerce.com.br", "sonia@alicerce.com.br"}));
    QVERIFY(janela.linhas.contains(QStringLiteral("2 Cliente: ") + kAlicerce));
    QVERIFY(janela.linhas.contains(QStringLiteral("2   Eng. Paulo Mendes <paulo@alicerce.com.br> - ") + situacao));
    QCOMPARE(janela.linhas.last(), QStringLiteral("2  Sem E-mail Cadastrado "));

    QStringList caixas;
    for (const auto &c : m_home->ui.caixas)
        caixas << c.caixa.texto;
    if (a.bDebug) {
        QCOMPARE(caixas.size(), 1);
        QVERIFY2(caixas.first().startsWith(QStringLiteral("Debug:\r\nArquivo ") + nome), qPrintable(caixas.first()));
        QVERIFY(janela.linhas.contains(QStringLiteral("2 Modo Debug Ativado")));
    } else {
        QCOMPARE(caixas, QStringList());
    }
    QCOMPARE(a.bDebug, login == QLatin1String("SUPORTE"));
}

void TstEnviaPortal::falhas_data()
{
    QTest::addColumn<QString>("falha");          // fault mode of the portal
    QTest::addColumn<QString>("pasta");          // a folder path value instead of DIVERSOS
    QTest::addColumn<QString>("erro");
    QTest::addColumn<bool>("ficaNoFtp");

    const QString naoTransmitiu = QStringLiteral("Erro\r\nNão foi possível transmitir o arquivo!");
    QTest::newRow("login ftp recusado") << QStringLiteral("ftp_refuse_login") << QString() << naoTransmitiu << false;
    QTest::newRow("disco cheio") << QStringLiteral("disk_full") << QString() << naoTransmitiu << false;
    QTest::newRow("registro recusado")
        << QString() << QStringLiteral("999|0|0|0|0|")
        << QStringLiteral("Erro\r\nProblemas na criação do Registro de Transferência!\r\nPasta não encontrada!") << true;
}

void TstEnviaPortal::falhas()
{
    QFETCH(QString, falha);
    QFETCH(QString, pasta);
    QFETCH(QString, erro);
    QFETCH(bool, ficaNoFtp);

    auto s = prepara();
    QVERIFY(s);
    classAmbiente &a = s->ambiente;
    if (!pasta.isEmpty())
        a.pasta = pasta;
    if (!falha.isEmpty())
        m_portal->ligaFalha(falha);
    const QJsonArray avisosAntes = avisos();
    const QString lastIdsAntes = a.LastIds;

    JanelaRegistrada janela;
    classFtp vFtp(s->servicos.ftp, s->servicos.ui, &janela);
    a.Envia(vFtp);

    QVERIFY(!a.Enviado());
    QCOMPARE(a.Erro(), erro);
    QCOMPARE(a.LastIds, lastIdsAntes);
    QCOMPARE(janela.linhas.last(), kVermelha);
    // the upload is not taken back when the registration fails; nothing else happened
    QCOMPARE(QFile::exists(naContaFtp(kNome)), ficaNoFtp);
    QVERIFY(!QDir(a.PathUser() + QStringLiteral("Back")).exists());
    QCOMPARE(avisos(), avisosAntes);
    if (ficaNoFtp)
        QVERIFY(QFile::remove(naContaFtp(kNome)));
}

QTEST_GUILESS_MAIN(TstEnviaPortal)
#include "tst_envia_portal.moc"
