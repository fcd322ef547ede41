// "Múltiplos envios" against scripted replies, on the days after the queueing: a document is
// checked against the day it was queued, so an activation of that day still goes out the day
// after, with the dates, folder, users and name it was queued with; one that has expired by now
// stays, with the reason, and reaches neither the FTP account nor the portal.
#include "TestHome.h"
#include "platform/Ansi.h"
#include "transfer/MultiplosEnvios.h"
#include "tst_envia_apoio.h"

#include <QtTest>

using transferencia::MultiplosEnvios;

class TstMultiplos : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void diasDepois_data();
    void diasDepois();
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
        e.setExpiracao(dia.addDays(expiracao).toString(QStringLiteral("dd/MM/yyyy")));
        e.setParametro1(QStringLiteral("03/2011"));
        e.Validar(QStringLiteral("Guia Março.pdf"));
        a.LimpaListaArquivos();
        a.AddListaArquivos(home.criaArquivo(QStringLiteral("spool/Guia Março.pdf")));
        QVERIFY(a.Enfileirar());
    }

    home.relogio.avanca(qint64(dias) * 86400);
    home.http.resposta = [](const QByteArray &url) {
        if (url.contains("printer/sincroniza.asp"))
            return plataforma::paraAnsi(QStringLiteral("Vorlin Printer|*+4|*+3>@%1>@%Auto Peças Rodovia|*+6"));
        if (url.contains("publica_b_novo.asp"))
            return QByteArray("Vorlin Printer\r\n501\r\n");
        return QByteArray();
    };
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

QTEST_GUILESS_MAIN(TstMultiplos)
#include "tst_multiplos.moc"
