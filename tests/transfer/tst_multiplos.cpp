// "Múltiplos envios" against scripted replies, on the days after the queueing: a document is
// checked against the day it was queued, so an activation of that day still goes out the day
// after, with the dates, folder, users and name it was queued with; one that has expired by now
// stays, with the reason, and reaches neither the FTP account nor the portal.
#include "TestHome.h"
#include "platform/Ansi.h"
#include "shell/ModFuncs.h"
#include "transfer/FilaEnvio.h"
#include "transfer/MultiplosEnvios.h"
#include "transfer/frmMultiplos.h"
#include "tst_envia_apoio.h"

#include <QFile>
#include <QTableWidget>
#include <QToolButton>
#include <QtTest>

using transferencia::MultiplosEnvios;

namespace {

// Queues one document as the publication dialog would, on the clock's day.
bool enfileira(TestHome &home, plataforma::Servicos &servicos, const QString &nome, int expiracao = 30)
{
    classAmbiente a(servicos);
    a.IniciaSemDocumento();
    a.pasta = QStringLiteral("11|31|0|0|0|");
    a.UsuariosId = QStringLiteral("3|40");
    a.Email = QStringLiteral("N");
    classEnviar &e = a.Enviar;
    e.Try();
    e.AddCliente(3);
    e.setTipoArquivo(2);
    e.setDescricao(QStringLiteral("Guia"));
    e.setAtivacao(QStringLiteral("09/03/2011"));
    e.setExpiracao(home.relogio.hoje().addDays(expiracao).toString(QStringLiteral("dd/MM/yyyy")));
    e.setParametro1(QStringLiteral("03/2011"));
    e.Validar(nome);
    a.LimpaListaArquivos();
    a.AddListaArquivos(home.criaArquivo(QStringLiteral("spool/") + nome));
    return a.Enfileirar();
}

// the portal: the directory with client 3, and every registration accepted
void portalAceita(TestHome &home)
{
    home.http.resposta = [](const QByteArray &url) {
        if (url.contains("printer/sincroniza.asp"))
            return plataforma::paraAnsi(QStringLiteral("Vorlin Printer|*+4|*+3>@%1>@%Auto Peças Rodovia|*+6"));
        if (url.contains("publica_b_novo.asp"))
            return QByteArray("Vorlin Printer\r\n501\r\n");
        return QByteArray();
    };
}

int registros(const TestHome &home)
{
    int n = 0;
    for (const QByteArray &url : home.http.urls)
        n += url.contains("publica_b_novo.asp") ? 1 : 0;
    return n;
}

} // namespace

class TstMultiplos : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void diasDepois_data();
    void diasDepois();
    void outraCopiaEnviando();
    void remover();
};

void TstMultiplos::diasDepois_data()
{
    QTest::addColumn<int>("dias");        // between the queueing and the send
    QTest::addColumn<int>("expiracao");   // days after the queueing
    QTest::addColumn<QString>("falha");   // empty: sent

    QTest::newRow("no mesmo dia") << 0 << 30 << QString();
    QTest::newRow("no dia seguinte, ativação do dia da fila") << 1 << 30 << QString();
    QTest::newRow("expirado desde então")
        << 30 << 30
        << QStringLiteral("A data de expiração não pode ser menor ou igual a data de hoje para o arquivo Guia Março.pdf!");
}

void TstMultiplos::diasDepois()
{
    QFETCH(int, dias);
    QFETCH(int, expiracao);
    QFETCH(QString, falha);

    TestHome home;
    home.criaPastaPrograma();
    plataforma::Servicos servicos = home.servicos();
    const QDate dia = home.relogio.hoje();
    QVERIFY(enfileira(home, servicos, QStringLiteral("Guia Março.pdf"), expiracao));

    home.relogio.avanca(qint64(dias) * 86400);
    portalAceita(home);
    classAmbiente a(servicos);
    a.IniciaSemDocumento();
    MultiplosEnvios::Acoes acoes;
    acoes.transferencia = [&a, &servicos] {
        JanelaRegistrada janela;
        classFtp vFtp(servicos.ftp, servicos.ui, &janela);
        a.Envia(vFtp);
    };
    MultiplosEnvios envios(a, acoes);
    QVERIFY(envios.Carrega());
    const MultiplosEnvios::Resultado r = envios.Envia({QStringLiteral("file001")}, false);

    QCOMPARE(r.enviados, falha.isEmpty() ? 1 : 0);
    QCOMPARE(r.falhas, falha.isEmpty() ? 0 : 1);
    QCOMPARE(registros(home), falha.isEmpty() ? 1 : 0);
    QByteArray registro;
    for (const QByteArray &url : home.http.urls)
        if (url.contains("publica_b_novo.asp"))
            registro = url;
    if (!falha.isEmpty()) {
        QCOMPARE(registro, QByteArray());
        QCOMPARE(home.ftp.nomeRemoto, QString());
        QCOMPARE(envios.Itens().size(), 1);
        QCOMPARE(MultiplosEnvios::TextoSituacao(envios.Itens().at(0)), falha);
        return;
    }
    // under the name it was queued with, not its copy's; dates, folder, users, parameter as queued
    QCOMPARE(home.ftp.nomeRemoto, QStringLiteral("Guia Março.pdf"));
    QVERIFY2(registro.contains("&e=3&t=D&a=09/03/2011&x=" + dia.addDays(expiracao).toString("dd/MM/yyyy").toLatin1()
                               + "&email=N&"),
             registro.constData());
    QVERIFY2(registro.contains("Parametro1=03/2011&"), registro.constData());
    QVERIFY2(registro.contains("&idPasta=11|31|0|0|0|&UsuarioID=3|40&"), registro.constData());
    QVERIFY(envios.Itens().isEmpty());
}

// Marked as being sent after the list was read: another running copy is sending it, so this one
// leaves it alone.
void TstMultiplos::outraCopiaEnviando()
{
    TestHome home;
    home.criaPastaPrograma();
    plataforma::Servicos servicos = home.servicos();
    QVERIFY(enfileira(home, servicos, QStringLiteral("Guia.pdf")));
    portalAceita(home);
    classAmbiente a(servicos);
    a.IniciaSemDocumento();
    int transferencias = 0;
    MultiplosEnvios envios(a, {[&transferencias] { ++transferencias; }, {}});
    QVERIFY(envios.Carrega());
    QCOMPARE(envios.Itens().at(0).situacao, MultiplosEnvios::Situacao::Aguardando);

    const transferencia::FilaEnvio fila = a.Fila();
    auto dados = fila.LeDados(QStringLiteral("file001"));
    QVERIFY(dados);
    dados->enviando = true;
    QVERIFY(fila.GravaDados(QStringLiteral("file001"), *dados));

    const MultiplosEnvios::Resultado r = envios.Envia({QStringLiteral("file001")}, false);
    QCOMPARE(r.enviados + r.falhas, 0);
    QCOMPARE(transferencias, 0);
    QCOMPARE(envios.Itens().size(), 1);
    QCOMPARE(envios.Itens().at(0).situacao, MultiplosEnvios::Situacao::Interrompido);
}

// "Remover" asks first; only a yes takes the selected entry out, and the other stays as it was.
void TstMultiplos::remover()
{
    TestHome home;
    home.criaPastaPrograma();
    plataforma::Servicos servicos = home.servicos();
    QVERIFY(enfileira(home, servicos, QStringLiteral("Guia.pdf")));
    QVERIFY(enfileira(home, servicos, QStringLiteral("Folha.pdf")));
    const QString indice = home.pastaPrograma() + QStringLiteral("queqe/vrmf.rlx");
    QFile f(indice);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray antes = f.readAll();
    f.close();
    portalAceita(home);
    classAmbiente a(servicos);
    a.IniciaSemDocumento();
    ModFuncs funcs(servicos);
    frmMultiplos janela(a, funcs, {[](frmMultiplos &) { QFAIL("nada é enviado"); }});
    janela.show();
    auto *grade = janela.findChild<QTableWidget *>(QStringLiteral("grdFila"));
    QCOMPARE(grade->rowCount(), 2);
    QCOMPARE(grade->item(0, 4)->text(), QStringLiteral("11 > 31"));   // folders the portal does not name
    grade->selectRow(0);
    QCOMPARE(janela.Selecionados(), QStringList{QStringLiteral("file001")});
    auto *remover = janela.findChild<QToolButton *>(QStringLiteral("cmdRemover"));

    home.ui.responde(plataforma::Resposta::Nao);
    remover->click();
    QCOMPARE(grade->rowCount(), 2);
    QCOMPARE(home.ui.textos(), QStringList{QStringLiteral("Deseja realmente retirar da fila o arquivo selecionado?")});
    QCOMPARE(home.ui.caixas.at(0).caixa.padrao, plataforma::Resposta::Nao);

    grade->selectRow(0);
    home.ui.responde(plataforma::Resposta::Sim);
    remover->click();
    QCOMPARE(grade->rowCount(), 1);
    QCOMPARE(grade->item(0, 5)->text(), QStringLiteral("Folha.pdf"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), antes.mid(antes.indexOf("\r\n") + 2));
    QCOMPARE(registros(home), 0);
    QVERIFY(home.ui.inesperadas.isEmpty());
}

QTEST_MAIN(TstMultiplos)
#include "tst_multiplos.moc"
