// The publication dialog's confirmation and closing against a scripted portal: validation of every
// checked file before anything is sent, what each transfer finds in the environment and the
// record, the queue, the end of the program after a send, the close check and the values handed
// back; the environment's current file is the captured copy again after every way out.
#include "tst_frminform_bancada.h"
#include "publication/SeletorData.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

using plataforma::Icone;
using plataforma::Resposta;

namespace {

const QString kSolto = QStringLiteral("/tmp/outros/Folha.pdf");

// The captured document ready to go: one client, a description, a folder with nothing below it.
void preparaDocumento(InformBancada &b)
{
    b.marcaCliente(7);
    b.controle<QLineEdit>(QStringLiteral("txtDescricao"))->setText(QStringLiteral("Guia"));
    b.escolhePasta(1, 11);
}

// Drops a file, checks it and makes it the current one.
void soltaEMarca(InformBancada &b)
{
    b.solta({kSolto});
    b.lista("lstArquivos")->item(1)->setCheckState(Qt::Checked);
    b.trocaPara(1);
}

void defineDatas(InformBancada &b, QDate ativacao, QDate expiracao)
{
    b.controle<SeletorData>(QStringLiteral("dtpAtivacao"))->defineValor(ativacao);
    b.controle<SeletorData>(QStringLiteral("dtpExpiracao"))->defineValor(expiracao);
}

void confirma(InformBancada &b)
{
    b.controle<QToolButton>(QStringLiteral("cmdEnviar"))->click();
}

// The only validation is the one that stops the confirmation: the rest of the scenario is valid.
enum Cenario { SemCliente, SegundoSemDescricao, NivelPorEscolher, SoltoSemPasta, ExpiraAntesDeAtivar };

} // namespace

class TstFrmInformConfirmar : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void validacaoParaNoPrimeiroErro_data();
    void validacaoParaNoPrimeiroErro();
    void enviaCadaArquivoMarcado_data();
    void enviaCadaArquivoMarcado();
    void fila_data();
    void fila();
    void fecharAoEnviar_data();
    void fecharAoEnviar();
    void nenhumArquivoMarcado();
    void fechamento_data();
    void fechamento();
};

void TstFrmInformConfirmar::validacaoParaNoPrimeiroErro_data()
{
    QTest::addColumn<int>("cenario");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("controle");

    const QString doc = QStringLiteral("Balancete Demo.pdf");
    QTest::newRow("sem cliente") << int(SemCliente)
                                 << QStringLiteral("É necessário selecionar um ou mais clientes para o arquivo ") + doc + QStringLiteral("!")
                                 << QStringLiteral("cboCarteira");
    QTest::newRow("segundo sem descrição") << int(SegundoSemDescricao)
                                           << QStringLiteral("Descrição deve ser preenchido para o arquivo Folha.pdf!")
                                           << QStringLiteral("txtDescricao");
    QTest::newRow("nível por escolher") << int(NivelPorEscolher)
                                        << QStringLiteral("Selecione uma pasta para o arquivo ") + doc + QStringLiteral("!\r\n")
                                        << QStringLiteral("cboPastas2");
    QTest::newRow("solto sem pasta") << int(SoltoSemPasta)
                                     << QStringLiteral("Selecione uma pasta para o arquivo Folha.pdf!\r\n")
                                     << QStringLiteral("cboPastas5");
    QTest::newRow("expira antes de ativar")
        << int(ExpiraAntesDeAtivar)
        << QStringLiteral("A data de expiração não pode ser menor ou igual a data de ativação para o arquivo ") + doc
               + QStringLiteral("!\r\nErro Indefinido!")
        << QStringLiteral("dtpExpiracao");
}

void TstFrmInformConfirmar::validacaoParaNoPrimeiroErro()
{
    QFETCH(int, cenario);
    QFETCH(QString, mensagem);
    QFETCH(QString, controle);
    InformBancada b;
    b.abre();
    preparaDocumento(b);
    switch (cenario) {
    case SemCliente:
        b.marcaCliente(7, false);
        break;
    case SegundoSemDescricao:
        soltaEMarca(b);
        b.marcaCliente(3);
        b.escolhePasta(1, 11);
        break;
    case NivelPorEscolher:
        b.escolhePasta(1, 10);
        break;
    case SoltoSemPasta:
        soltaEMarca(b);
        b.marcaCliente(3);
        b.controle<QLineEdit>(QStringLiteral("txtDescricao"))->setText(QStringLiteral("Folha"));
        break;
    case ExpiraAntesDeAtivar:
        defineDatas(b, QDate(2011, 3, 20), QDate(2011, 3, 15));
        break;
    }
    b.home.ui.responde(Resposta::Ok);
    confirma(b);

    QCOMPARE(b.home.ui.textos(), QStringList{mensagem});
    QCOMPARE(b.home.ui.caixas.first().caixa.icone, Icone::Exclamacao);
    QCOMPARE(b.home.ui.caixas.first().caixa.titulo, QStringLiteral("Vorlin Printer"));
    QVERIFY(b.envios.isEmpty());
    QCOMPARE(b.amb.ControleValidacao, controle);
    QWidget *alvo = b.controle(controle);
    if (alvo->isVisible()) {
        QWidget *foco = b.dlg->focusWidget();
        QVERIFY2(foco == alvo || alvo->isAncestorOf(foco), qPrintable(foco ? foco->objectName() : QString()));
    }
    QCOMPARE(b.amb.arquivo(), b.capturado);
    QVERIFY(b.dlg->isVisible());
    QVERIFY(b.home.ui.inesperadas.isEmpty());
}

void TstFrmInformConfirmar::enviaCadaArquivoMarcado_data()
{
    QTest::addColumn<bool>("aviso");
    QTest::newRow("com aviso por email") << true;
    QTest::newRow("sem aviso") << false;
}

void TstFrmInformConfirmar::enviaCadaArquivoMarcado()
{
    QFETCH(bool, aviso);
    InformBancada b;
    b.abre();
    b.marcaCliente(7);
    b.marcaCliente(52);
    b.marcaUsuario(702);
    // pasted, so the key filter does not see it
    b.controle<QLineEdit>(QStringLiteral("txtDescricao"))->setText(QStringLiteral("Guia \"DAS\" #3 & cia'"));
    b.controle<QPlainTextEdit>(QStringLiteral("txtObs"))->setPlainText(QStringLiteral("linha 1\nlinha 2 & mais"));
    defineDatas(b, QDate(2011, 3, 10), QDate(2011, 4, 10));
    b.escolhePasta(1, 10);
    b.escolhePasta(2, 20);
    b.escolhePasta(3, 30);
    b.controle<QLineEdit>(QStringLiteral("txtParametro1"))->setText(QStringLiteral("03/2011"));
    if (aviso)
        b.controle<QCheckBox>(QStringLiteral("chkEmailTodos"))->click();
    soltaEMarca(b);
    b.marcaCliente(3);
    b.controle<QLineEdit>(QStringLiteral("txtDescricao"))->setText(QStringLiteral("Folha"));
    b.escolhePasta(1, 11);
    b.solta({QStringLiteral("/tmp/outros/Nao marcado.pdf")});

    confirma(b);
    QVERIFY(b.home.ui.inesperadas.isEmpty());
    QCOMPARE(b.envios.size(), 2);
    const InformBancada::Envio &um = b.envios.at(0);
    QCOMPARE(um.arquivo, b.capturado);
    QCOMPARE(um.pasta, QStringLiteral("10|20|30|0|0|"));
    QCOMPARE(um.usuariosId, QStringLiteral("7|701*7|702*52|1031"));
    QCOMPARE(um.empresas, QStringLiteral("7*52"));
    QCOMPARE(um.email, aviso ? QStringLiteral("S") : QStringLiteral("N"));
    QCOMPARE(um.emails, aviso ? QStringLiteral("2") : QStringLiteral("0"));
    QCOMPARE(um.descricao, QStringLiteral("Guia _DAS_ _3 _ cia_"));
    QCOMPARE(um.observacao, QStringLiteral("linha 1\r\nlinha 2 _ mais"));
    QCOMPARE(um.ativacao, QStringLiteral("10/03/2011"));
    QCOMPARE(um.expiracao, QStringLiteral("10/04/2011"));
    QCOMPARE(um.parametros, (std::array<QString, 5>{"03/2011", "", "", "", ""}));
    QCOMPARE(um.tipo, qint16(2));
    QVERIFY(um.validado);

    const InformBancada::Envio &dois = b.envios.at(1);
    QCOMPARE(dois.arquivo, kSolto);
    QCOMPARE(dois.pasta, QStringLiteral("11|0|0|0|0|"));
    QCOMPARE(dois.usuariosId, QStringLiteral("3|301"));
    QCOMPARE(dois.empresas, QStringLiteral("3"));
    QCOMPARE(dois.descricao, QStringLiteral("Folha"));
    QCOMPARE(dois.ativacao, QString());
    QCOMPARE(dois.parametros, (std::array<QString, 5>{}));
    QVERIFY(dois.validado);

    // the dialog stays open; the run's document is the captured copy again
    QVERIFY(b.dlg->isVisible());
    QCOMPARE(b.amb.arquivo(), b.capturado);
    QCOMPARE(b.home.config->le(QStringLiteral("Config"), QStringLiteral("CloseOnEnd")), QStringLiteral("0"));
    QCOMPARE(b.encerramentos, 0);
}

void TstFrmInformConfirmar::fila_data()
{
    QTest::addColumn<bool>("aceita");
    QTest::newRow("enfileirado") << true;
    QTest::newRow("recusado") << false;
}

void TstFrmInformConfirmar::fila()
{
    QFETCH(bool, aceita);
    InformBancada b;
    b.filaAceita = aceita;
    b.abre();
    preparaDocumento(b);
    soltaEMarca(b);
    b.marcaCliente(3);
    b.controle<QLineEdit>(QStringLiteral("txtDescricao"))->setText(QStringLiteral("Folha"));
    b.escolhePasta(1, 11);
    b.controle<QCheckBox>(QStringLiteral("chkCloseOnEnd"))->click();
    if (aceita)
        b.home.ui.responde(Resposta::Ok).responde(Resposta::Ok);

    b.dlg->findChild<QAction *>(QStringLiteral("keyMultiplo"))->trigger();
    QVERIFY(b.envios.isEmpty());
    // each queueing sees a file list holding just its own file
    const QList<QStringList> filas{{QString(), b.capturado}, {QString(), kSolto}};
    QCOMPARE(b.filas, filas);
    QCOMPARE(b.home.ui.esperas, QList<int>({2500, 2500}));
    QVERIFY(!b.home.ui.ocupado());
    const QString sucesso = QStringLiteral("A Impressão foi adicionada a fila de Multiplos envios com sucesso!");
    QCOMPARE(b.home.ui.textos(), aceita ? QStringList({sucesso, sucesso}) : QStringList());
    QCOMPARE(b.dlg->isVisible(), !aceita);
    QCOMPARE(b.dlg->ShutDown, qint16(aceita ? 1 : 0));
    QCOMPARE(b.amb.arquivo(), b.capturado);
    QCOMPARE(b.encerramentos, 0);
    QVERIFY(b.home.ui.inesperadas.isEmpty());
}

void TstFrmInformConfirmar::fecharAoEnviar_data()
{
    QTest::addColumn<bool>("enviado");
    QTest::addColumn<bool>("fechar");
    QTest::addColumn<bool>("logoff");
    QTest::addColumn<bool>("encerra");

    QTest::newRow("fecha e faz logoff") << true << true << true << true;
    QTest::newRow("fecha sem logoff") << true << true << false << true;
    QTest::newRow("não fecha") << true << false << false << false;
    QTest::newRow("falha no envio") << false << true << true << false;
}

void TstFrmInformConfirmar::fecharAoEnviar()
{
    QFETCH(bool, enviado);
    QFETCH(bool, fechar);
    QFETCH(bool, logoff);
    QFETCH(bool, encerra);
    InformBancada b;
    b.transferenciaEnvia = enviado;
    b.home.config->grava(QStringLiteral("Autenticacao"), QStringLiteral("Sessao"), QStringLiteral("77"));
    b.abre();
    preparaDocumento(b);
    if (fechar)
        b.controle<QCheckBox>(QStringLiteral("chkCloseOnEnd"))->click();
    if (logoff)
        b.controle<QCheckBox>(QStringLiteral("chkEfeuarLogoff"))->click();

    confirma(b);
    QCOMPARE(b.envios.size(), 1);
    QCOMPARE(b.encerramentos, encerra ? 1 : 0);
    const bool saiu = encerra && logoff;
    QCOMPARE(b.amb.lngSessao, saiu ? 0 : 77);
    QCOMPARE(b.home.config->le(QStringLiteral("Autenticacao"), QStringLiteral("Sessao")),
             saiu ? QStringLiteral("0") : QStringLiteral("77"));
    QCOMPARE(b.amb.arquivo(), b.capturado);
    QVERIFY(b.home.ui.inesperadas.isEmpty());
}

void TstFrmInformConfirmar::nenhumArquivoMarcado()
{
    InformBancada b;
    b.abre();
    preparaDocumento(b);
    b.lista("lstArquivos")->item(0)->setCheckState(Qt::Unchecked);
    b.home.ui.responde(Resposta::Ok);
    confirma(b);
    QCOMPARE(b.home.ui.textos(), QStringList{QStringLiteral("Você deve selecionar algum arquivo para o envio!")});
    QCOMPARE(b.home.ui.caixas.first().caixa.titulo, QStringLiteral("Vorlin Printer"));
    QCOMPARE(b.home.ui.caixas.first().caixa.icone, Icone::Informacao);
    QVERIFY(b.envios.isEmpty());
}

void TstFrmInformConfirmar::fechamento_data()
{
    QTest::addColumn<QString>("gatilho");
    QTest::addColumn<bool>("validado");   // by an earlier publication of the run
    QTest::addColumn<bool>("enviado");
    QTest::addColumn<int>("resposta");    // -1: no question
    QTest::addColumn<bool>("fecha");

    QTest::newRow("Esc, Não mantém") << QStringLiteral("esc") << false << false << int(Resposta::Nao) << false;
    QTest::newRow("Esc, Sim fecha") << QStringLiteral("esc") << false << false << int(Resposta::Sim) << true;
    QTest::newRow("Cancelar, validado antes") << QStringLiteral("cmdCancela") << true << false << -1 << true;
    QTest::newRow("CANCELAR da barra, já enviado") << QStringLiteral("keyCancelar") << true << true << -1 << true;
    QTest::newRow("caixa de fechar, Sim") << QStringLiteral("close") << false << true << int(Resposta::Sim) << true;
}

void TstFrmInformConfirmar::fechamento()
{
    QFETCH(QString, gatilho);
    QFETCH(bool, validado);
    QFETCH(bool, enviado);
    QFETCH(int, resposta);
    QFETCH(bool, fecha);
    InformBancada b;
    if (validado) {
        classEnviar &e = b.amb.Enviar;
        e.Try();
        e.AddCliente(7);
        e.setDescricao(QStringLiteral("anterior"));
        b.amb.pasta = QStringLiteral("11|0|0|0|0|");
        e.Validar(QStringLiteral("anterior.pdf"));
        QVERIFY(e.Validado());
    }
    if (enviado)
        b.amb.marcaEnviado();
    frmInform &d = b.abre();
    b.controle<QLineEdit>(QStringLiteral("txtDescricao"))->clear();
    QTest::keyClicks(b.controle(QStringLiteral("txtDescricao")), QStringLiteral("em curso"));
    b.controle<QCheckBox>(QStringLiteral("chkCloseOnEnd"))->click();
    b.controle<QCheckBox>(QStringLiteral("chkEfeuarLogoff"))->click();
    if (resposta >= 0)
        b.home.ui.responde(Resposta(resposta));

    if (gatilho == QLatin1String("esc"))
        QTest::keyClick(b.controle(QStringLiteral("txtDescricao")), Qt::Key_Escape);
    else if (gatilho == QLatin1String("cmdCancela"))
        b.controle<QToolButton>(gatilho)->click();
    else if (gatilho == QLatin1String("keyCancelar"))
        d.findChild<QAction *>(gatilho)->trigger();
    else
        d.close();

    const QString pergunta = QStringLiteral("Os dados de transmissão de arquivo não foram validados!\r\n"
                                            "Tem certeza que deseja cancelar?");
    QCOMPARE(b.home.ui.textos(), resposta >= 0 ? QStringList{pergunta} : QStringList());
    if (resposta >= 0)
        QCOMPARE(b.home.ui.caixas.first().caixa.botoes, plataforma::Botoes::SimNao);
    QCOMPARE(d.isVisible(), !fecha);
    QCOMPARE(b.controle<QLineEdit>(QStringLiteral("txtDescricao"))->text(), QStringLiteral("em curso"));
    QCOMPARE(d.LogOff, qint16(1));
    QCOMPARE(d.ShutDown, qint16(enviado ? 1 : 0));
    QVERIFY(b.home.ui.inesperadas.isEmpty());
}

QTEST_MAIN(TstFrmInformConfirmar)
#include "tst_frminform_confirmar.moc"
