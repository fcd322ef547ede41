// The publication dialog against a scripted portal: the load sequence, dropped files, switching
// files, wallets -> clients -> users, folder levels and parameters, the edit boxes.
#include "tst_frminform_bancada.h"
#include "publication/SeletorData.h"
#include "shell/Tela.h"

#include <QTest>
#include <QToolBar>

using publicacao::CaminhoPasta;
using tela::tw;

namespace {

using Escolhas = QList<QPair<int, int>>;   // level, folder id

const QString kEspeciais = QStringLiteral("Não são permitidos arquivos com caracteres especiais ('\"#&%)");

QString texto(const InformBancada &b, const char *nome)
{
    QWidget *w = b.controle(QString::fromLatin1(nome));
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->text();
    if (auto *e = qobject_cast<QLineEdit *>(w))
        return e->text();
    return {};
}

QStringList niveis(const publicacao::DadosArquivo &d)
{
    QStringList r;
    for (qint32 p : d.Pasta)
        r << QString::number(p);
    return r;
}

} // namespace

class TstFrmInform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cargaMostraODocumento();
    void fecharAoEnviar_data();
    void fecharAoEnviar();
    void segundaPublicacaoComecaComOsDadosAnteriores();
    void arraste_data();
    void arraste();
    void trocaDeArquivoGuardaCadaUm();
    void restauroNaoMexeNoQueNaoEstaListado();
    void carteiraFiltraClientes_data();
    void carteiraFiltraClientes();
    void clientesEUsuarios();
    void marcarTodosOsClientes_data();
    void marcarTodosOsClientes();
    void marcarTodosOsUsuarios();
    void semCarteiras();
    void sincronizacao_data();
    void sincronizacao();
    void respostasSemMarcador();
    void pastas_data();
    void pastas();
    void parametros();
    void observacaoEFiltroDeTeclas_data();
    void observacaoEFiltroDeTeclas();
};

void TstFrmInform::cargaMostraODocumento()
{
    InformBancada b;
    b.amb.Enviar.Avisar(true);   // left from an earlier publication
    frmInform &d = b.abre();

    QCOMPARE(d.windowTitle(), QStringLiteral("Vorlin Printer [Maria Aparecida] - Informações sobre arquivo"));
    QListWidget *arquivos = b.lista("lstArquivos");
    QCOMPARE(b.textos(arquivos), QStringList{QStringLiteral("Balancete Demo.pdf")});
    QCOMPARE(arquivos->item(0)->checkState(), Qt::Checked);
    QCOMPARE(arquivos->currentRow(), 0);
    QCOMPARE(b.dados(0).Arquivo, b.capturado);
    QCOMPARE(niveis(b.dados(0)), QStringList({"-1", "0", "0", "0", "0"}));
    // the record of the first publication has no dates: the pickers show none
    QCOMPARE(b.controle<SeletorData>(QStringLiteral("dtpAtivacao"))->valor(), std::nullopt);
    QCOMPARE(b.dados(0).Ativacao, QString());
    QCOMPARE(b.amb.Enviar.Emails(), QStringLiteral("0"));

    QVERIFY(!b.controle<QToolBar>(QStringLiteral("tbEnviar"))->isVisible());
    QVERIFY(b.controle(QStringLiteral("fraBotoes"))->isVisible());
    QComboBox *carteira = b.controle<QComboBox>(QStringLiteral("cboCarteira"));
    QCOMPARE(carteira->currentIndex(), 0);
    QCOMPARE(carteira->itemText(0), QStringLiteral("Todas Carteiras"));
    QCOMPARE(carteira->itemText(2), QStringLiteral("Carteira Serviços"));
    QCOMPARE(b.textos(b.lista("lstClientes")).size(), b.portal.clientes.size());
    QVERIFY(b.clientesMarcados().isEmpty());
    QCOMPARE(b.nivel(1)->itemText(2), QStringLiteral("Arquivo morto"));
    QCOMPARE(b.nivel(1)->currentIndex(), -1);
    QVERIFY(!b.nivel(2)->isVisible());
    QVERIFY(b.pedidos("carregapastas.asp?e=12&Pasta=0&Nivel=1&Admin=1&s=77&l=5").size() == 1);
    QVERIFY(b.home.ui.inesperadas.isEmpty());
}

void TstFrmInform::fecharAoEnviar_data()
{
    QTest::addColumn<int>("logOff");
    QTest::addColumn<QString>("chave");
    QTest::addColumn<QString>("gravado");
    QTest::addColumn<bool>("fechar");
    QTest::addColumn<bool>("logoffMarcado");

    const QString lido = QStringLiteral("ClosoOnEnd");
    QTest::newRow("nada") << 0 << lido << QString() << false << false;
    QTest::newRow("logoff sem ajuste: desfeito") << 1 << lido << QString() << false << false;
    QTest::newRow("logoff e ajuste marcado") << 1 << lido << QStringLiteral("1") << true << true;
    QTest::newRow("ajuste marcado sem logoff") << 0 << lido << QStringLiteral("1") << true << false;
    QTest::newRow("logoff e ajuste desmarcado") << 1 << lido << QStringLiteral("0") << false << false;
    QTest::newRow("a chave escrita não é lida") << 1 << QStringLiteral("CloseOnEnd") << QStringLiteral("1") << false << false;
}

void TstFrmInform::fecharAoEnviar()
{
    QFETCH(int, logOff);
    QFETCH(QString, chave);
    QFETCH(QString, gravado);
    QFETCH(bool, fechar);
    QFETCH(bool, logoffMarcado);
    InformBancada b;
    if (!gravado.isEmpty())
        b.home.config->grava(QStringLiteral("Config"), chave, gravado);
    b.abre(qint16(logOff));

    auto *fecha = b.controle<QCheckBox>(QStringLiteral("chkCloseOnEnd"));
    auto *logoff = b.controle<QCheckBox>(QStringLiteral("chkEfeuarLogoff"));
    QCOMPARE(fecha->isChecked(), fechar);
    QCOMPARE(logoff->isVisible(), fechar);
    QCOMPARE(logoff->isChecked(), logoffMarcado);

    // "Fazer Logoff" follows "Fechar ao Enviar" and always starts unchecked
    fecha->click();
    QCOMPARE(logoff->isVisible(), !fechar);
    QVERIFY(!logoff->isChecked());
}

void TstFrmInform::segundaPublicacaoComecaComOsDadosAnteriores()
{
    InformBancada b;
    classEnviar &e = b.amb.Enviar;
    e.setDescricao(QStringLiteral("Folha de março"));
    e.setAtivacao(QStringLiteral("10/03/2011"));
    e.setExpiracao(QStringLiteral("10/04/2011"));
    e.setObservacao(QStringLiteral("primeira\r\nsegunda"));
    b.amb.setTitulo(QStringLiteral("Balancete"));
    frmInform &d = b.abre();

    QCOMPARE(d.windowTitle(), QStringLiteral("Vorlin Printer [Maria Aparecida] - Balancete - Informações sobre arquivo"));
    QCOMPARE(texto(b, "txtDescricao"), QStringLiteral("Folha de março"));
    QCOMPARE(b.controle<SeletorData>(QStringLiteral("dtpAtivacao"))->valor(), QDate(2011, 3, 10));
    const publicacao::DadosArquivo &r = b.dados(0);
    QCOMPARE(r.Descricao, QStringLiteral("Folha de março"));
    QCOMPARE(r.Ativacao, QStringLiteral("10/03/2011"));
    QCOMPARE(r.Expiracao, QStringLiteral("10/04/2011"));
    QCOMPARE(r.Observacao, QStringLiteral("primeira\r\nsegunda"));
    QCOMPARE(texto(b, "iblObsChars"), QStringLiteral("983"));
}

void TstFrmInform::arraste_data()
{
    QTest::addColumn<QStringList>("soltos");
    QTest::addColumn<QStringList>("lista");
    QTest::addColumn<bool>("recusa");

    const QString doc = QStringLiteral("Balancete Demo.pdf");
    QTest::newRow("dois, na ordem") << QStringList{QStringLiteral("/tmp/b/Folha.pdf"), QStringLiteral("/tmp/a/Guia DAS.pdf")}
                                    << QStringList{doc, QStringLiteral("Folha.pdf"), QStringLiteral("Guia DAS.pdf")} << false;
    const char *const especiais[] = {"'", "\"", "#", "&", "%"};
    for (const char *ch : especiais) {
        const QString ruim = QStringLiteral("/tmp/pasta") + QString::fromLatin1(ch) + QStringLiteral("1/b.pdf");
        QTest::newRow(qPrintable(QStringLiteral("recusa ") + QString::fromLatin1(ch)))
            << QStringList{QStringLiteral("/tmp/a.pdf"), ruim, QStringLiteral("/tmp/c.pdf")}
            << QStringList{doc, QStringLiteral("a.pdf")} << true;
    }
}

void TstFrmInform::arraste()
{
    QFETCH(QStringList, soltos);
    QFETCH(QStringList, lista);
    QFETCH(bool, recusa);
    InformBancada b;
    b.home.ui.aceitaAvisos(true);
    b.abre();
    b.solta(soltos);

    QListWidget *arquivos = b.lista("lstArquivos");
    QCOMPARE(b.textos(arquivos), lista);
    QCOMPARE(arquivos->currentRow(), 0);
    QCOMPARE(b.dlg->Dados().size(), lista.size());
    for (int i = 1; i < lista.size(); ++i) {
        QCOMPARE(arquivos->item(i)->checkState(), Qt::Unchecked);
        QCOMPARE(b.dados(i).Arquivo, soltos.at(i - 1));
        QCOMPARE(niveis(b.dados(i)), QStringList({"-1", "-1", "-1", "-1", "-1"}));
    }
    QCOMPARE(b.home.ui.textos(), recusa ? QStringList{kEspeciais} : QStringList());
    if (recusa)
        QCOMPARE(b.home.ui.caixas.first().caixa.icone, plataforma::Icone::Informacao);
}

void TstFrmInform::trocaDeArquivoGuardaCadaUm()
{
    InformBancada b;
    b.abre();
    // the captured document
    QTest::keyClicks(b.controle(QStringLiteral("txtDescricao")), QStringLiteral("Guia de abril"));
    b.escolhePasta(1, 10);
    b.escolhePasta(2, 20);
    b.controle<QLineEdit>(QStringLiteral("txtParametro1"))->setText(QStringLiteral("03/2011"));
    b.marcaCliente(7);
    b.marcaUsuario(702);
    const publicacao::DadosArquivo primeiro = b.dados(0);
    QCOMPARE(primeiro.ClientesMarcados, QList<qint32>({0, 7}));
    QCOMPARE(primeiro.UsuariosMarcados, QStringList({QString(), "7|701", "7|702"}));
    QCOMPARE(niveis(primeiro), QStringList({"10", "20", "-1", "0", "0"}));

    b.solta({QStringLiteral("/tmp/outro/Folha.pdf")});
    b.trocaPara(1);
    QCOMPARE(texto(b, "txtDescricao"), QString());
    QVERIFY(b.clientesMarcados().isEmpty());
    QVERIFY(b.usuariosMarcados().isEmpty());
    QCOMPARE(b.nivel(1)->currentIndex(), -1);
    QVERIFY(!b.nivel(2)->isVisible());
    QVERIFY(!b.controle(QStringLiteral("txtParametro1"))->isVisible());
    QTest::keyClicks(b.controle(QStringLiteral("txtDescricao")), QStringLiteral("Folha"));
    b.escolhePasta(1, 11);
    b.marcaCliente(52);

    b.trocaPara(0);
    QCOMPARE(texto(b, "txtDescricao"), QStringLiteral("Guia de abril"));
    QCOMPARE(b.clientesMarcados(), QList<qint32>{7});
    QCOMPARE(b.usuariosMarcados(), QStringList({"7|701", "7|702"}));
    QCOMPARE(b.nivel(1)->currentData().toInt(), 10);
    QCOMPARE(b.nivel(2)->currentData().toInt(), 20);
    QVERIFY(b.nivel(3)->isVisible());
    QCOMPARE(texto(b, "txtParametro1"), QStringLiteral("03/2011"));
    QCOMPARE(texto(b, "lblParametros1"), QStringLiteral("Competência:"));
    // putting the settings back wrote nothing over them
    const publicacao::DadosArquivo &depois = b.dados(0);
    QCOMPARE(depois.Descricao, primeiro.Descricao);
    QCOMPARE(depois.Pasta, primeiro.Pasta);
    QCOMPARE(depois.Parametro, primeiro.Parametro);
    QCOMPARE(depois.ClientesMarcados, primeiro.ClientesMarcados);
    QCOMPARE(depois.UsuariosMarcados, primeiro.UsuariosMarcados);

    const publicacao::DadosArquivo &segundo = b.dados(1);
    QCOMPARE(segundo.Descricao, QStringLiteral("Folha"));
    QCOMPARE(niveis(segundo), QStringList({"11", "0", "0", "0", "0"}));
    QCOMPARE(segundo.ClientesMarcados, QList<qint32>({0, 52}));
    QCOMPARE(segundo.UsuariosMarcados, QStringList({QString(), "52|1031"}));
    QVERIFY(b.home.ui.inesperadas.isEmpty());
}

void TstFrmInform::restauroNaoMexeNoQueNaoEstaListado()
{
    InformBancada b;
    b.abre();
    b.marcaCliente(52);
    b.marcaUsuario(1077);
    b.solta({QStringLiteral("/tmp/outro/Folha.pdf")});
    b.trocaPara(1);
    // the second file is published for a client of the first wallet, the list now shows only those
    b.controle<QComboBox>(QStringLiteral("cboCarteira"))->setCurrentIndex(1);
    b.marcaCliente(3);

    b.trocaPara(0);
    QVERIFY(b.clientesMarcados().isEmpty());
    QCOMPARE(b.dados(0).ClientesMarcados, QList<qint32>({0, 52}));
    QCOMPARE(b.dados(0).UsuariosMarcados, QStringList({QString(), "52|1031", "52|1077"}));
    QCOMPARE(b.dados(1).ClientesMarcados, QList<qint32>({0, 3}));
}

void TstFrmInform::carteiraFiltraClientes_data()
{
    QTest::addColumn<int>("posicao");
    QTest::addColumn<QList<qint32>>("clientes");
    QTest::newRow("todas") << 0 << QList<qint32>{3, 7, 52, 60};
    QTest::newRow("primeira") << 1 << QList<qint32>{3, 7};
    QTest::newRow("segunda") << 2 << QList<qint32>{52, 60};
}

void TstFrmInform::carteiraFiltraClientes()
{
    QFETCH(int, posicao);
    QFETCH(QList<qint32>, clientes);
    InformBancada b;
    b.abre();
    b.marcaCliente(52);
    auto *carteira = b.controle<QComboBox>(QStringLiteral("cboCarteira"));
    carteira->setCurrentIndex(posicao == 0 ? 1 : 0);
    carteira->setCurrentIndex(posicao);

    QList<qint32> listados;
    QListWidget *l = b.lista("lstClientes");
    for (int i = 0; i < l->count(); ++i)
        listados << l->item(i)->data(Qt::UserRole).toInt();
    QCOMPARE(listados, clientes);
    QVERIFY(b.clientesMarcados().isEmpty());
    QCOMPARE(b.lista("lstUsuarios")->count(), 0);
    QCOMPARE(frmInform::IdCarteira(*carteira), posicao == 0 ? -1 : posicao);
    // the file keeps its choice until the user checks or unchecks a client
    QCOMPARE(b.dados(0).ClientesMarcados, QList<qint32>({0, 52}));
}

void TstFrmInform::clientesEUsuarios()
{
    InformBancada b;
    b.abre();
    QListWidget *usuarios = b.lista("lstUsuarios");

    b.marcaCliente(52);
    QCOMPARE(b.pedidos("retornausuariosclientestodos.asp").size(), 1);
    QVERIFY(b.pedidos("printer/retornausuariosclientestodos.asp?s=77&l=5&e=52").size() == 1);
    QCOMPARE(usuarios->item(0)->text(), QStringLiteral("Eng. Paulo Mend (Master) - paulo@alicerce.com.br")
                                            + QString(100, QLatin1Char(' ')) + QStringLiteral("|52|1031"));
    QCOMPARE(usuarios->item(0)->data(Qt::UserRole).toInt(), 1031);
    QCOMPARE(b.usuariosMarcados(), QStringList{"52|1031"});

    b.marcaCliente(7);
    b.marcaUsuario(1077);
    QCOMPARE(b.dados(0).UsuariosMarcados, QStringList({QString(), "52|1031", "52|1077", "7|701"}));
    // a master stays checked
    b.marcaUsuario(701, false);
    QCOMPARE(b.usuariosMarcados(), QStringList({"52|1031", "52|1077", "7|701"}));

    b.marcaCliente(52, false);
    QCOMPARE(usuarios->count(), 2);
    QCOMPARE(b.usuariosMarcados(), QStringList{"7|701"});
    QCOMPARE(b.dados(0).ClientesMarcados, QList<qint32>({0, 7}));
    // removing a client's users does not rebuild the file's users; the next user event does
    QCOMPARE(b.dados(0).UsuariosMarcados.size(), 4);
    b.marcaUsuario(702);
    QCOMPARE(b.dados(0).UsuariosMarcados, QStringList({QString(), "7|701", "7|702"}));

    // checked in any order, stored in list order
    b.marcaCliente(3);
    QCOMPARE(b.dados(0).ClientesMarcados, QList<qint32>({0, 3, 7}));
    QVERIFY(b.home.ui.inesperadas.isEmpty());
}

void TstFrmInform::marcarTodosOsClientes_data()
{
    QTest::addColumn<int>("posicao");
    QTest::addColumn<QStringList>("usuarios");
    QTest::newRow("todas as carteiras") << 0 << QStringList{"3|301", "7|701", "52|1031"};
    QTest::newRow("segunda carteira") << 2 << QStringList{"52|1031"};
}

void TstFrmInform::marcarTodosOsClientes()
{
    QFETCH(int, posicao);
    QFETCH(QStringList, usuarios);
    InformBancada b;
    b.abre();
    b.controle<QComboBox>(QStringLiteral("cboCarteira"))->setCurrentIndex(posicao);
    b.home.http.urls.clear();
    auto *todos = b.controle<QCheckBox>(QStringLiteral("chkMarcarClientes"));

    todos->click();
    QCOMPARE(b.pedidos("retornausuariosclientestodos").size(), 1);
    QVERIFY(b.pedidos("retornausuariosclientestodosnovo.asp?s=77&l=5&id_contador=12&id_carteira=")
                .first()
                .endsWith("id_carteira=" + QByteArray::number(posicao)));
    QCOMPARE(b.clientesMarcados().size(), b.lista("lstClientes")->count());
    QCOMPARE(b.usuariosMarcados(), usuarios);
    QCOMPARE(b.dados(0).ClientesMarcados.size(), b.lista("lstClientes")->count() + 1);

    todos->click();
    QVERIFY(b.clientesMarcados().isEmpty());
    QCOMPARE(b.lista("lstUsuarios")->count(), 0);
    QCOMPARE(b.dados(0).ClientesMarcados, QList<qint32>{0});
}

void TstFrmInform::marcarTodosOsUsuarios()
{
    InformBancada b;
    b.abre();
    b.marcaCliente(7);
    b.marcaCliente(60);
    auto *todos = b.controle<QCheckBox>(QStringLiteral("chkMarcarUsuarios"));
    todos->click();
    QCOMPARE(b.usuariosMarcados(), QStringList({"7|701", "7|702", "60|1101"}));
    todos->click();
    QCOMPARE(b.usuariosMarcados(), QStringList{"7|701"});
    QCOMPARE(b.dados(0).UsuariosMarcados, QStringList({QString(), "7|701"}));
}

void TstFrmInform::semCarteiras()
{
    InformBancada b;
    b.portal.carteiras = QStringLiteral("4");
    b.amb.TpLogo = QStringLiteral("L");
    b.abre();
    QVERIFY(!b.controle(QStringLiteral("cboCarteira"))->isVisible());
    QVERIFY(!b.controle(QStringLiteral("iblCarteira"))->isVisible());
    QCOMPARE(b.controle(QStringLiteral("lstClientes"))->geometry(), QRect(tw(120), tw(1560), tw(3630), tw(6810)));
    QCOMPARE(b.controle(QStringLiteral("iblClientes"))->y(), tw(1320));
    QCOMPARE(b.controle(QStringLiteral("picLogo"))->geometry(), QRect(tw(480), tw(240), tw(2965), tw(870)));
    QCOMPARE(b.lista("lstClientes")->count(), b.portal.clientes.size());
    // the logo file could not be had: the built-in picture stands in
    QVERIFY(!b.controle<QLabel>(QStringLiteral("picLogo"))->pixmap().isNull());
}

void TstFrmInform::sincronizacao_data()
{
    QTest::addColumn<bool>("naAbertura");   // else a double click on the logo
    QTest::addColumn<bool>("responde");
    QTest::newRow("logo, portal responde") << false << true;
    QTest::newRow("logo, portal falha") << false << false;
    QTest::newRow("abertura, portal falha") << true << false;
}

void TstFrmInform::sincronizacao()
{
    QFETCH(bool, naAbertura);
    QFETCH(bool, responde);
    InformBancada b;
    const auto roteiro = b.home.http.resposta;
    bool portalResponde = !naAbertura;
    b.home.http.resposta = [&](const QByteArray &url) {
        return url.contains("sincroniza.asp") && !portalResponde ? QByteArray() : roteiro(url);
    };
    b.home.ui.aceitaAvisos(true);
    b.abre();
    if (!naAbertura) {
        b.marcaCliente(52);
        b.controle<QComboBox>(QStringLiteral("cboCarteira"))->setCurrentIndex(2);
        b.marcaCliente(60);
        portalResponde = responde;
        b.home.http.urls.clear();
        QTest::mouseDClick(b.controle(QStringLiteral("picLogo")), Qt::LeftButton);
        QCOMPARE(b.pedidos("sincroniza.asp?s=77&l=5&c=1").size(), 1);
        QCOMPARE(b.home.ui.cursorOcupadoVezes, 1);
        QVERIFY(!b.home.ui.ocupado());
        QCOMPARE(b.lista("lstUsuarios")->count(), 0);
    }

    auto *carteira = b.controle<QComboBox>(QStringLiteral("cboCarteira"));
    if (responde) {
        // every client again, no wallet chosen
        QCOMPARE(carteira->currentIndex(), -1);
        QCOMPARE(carteira->count(), 3);
        QCOMPARE(b.lista("lstClientes")->count(), b.portal.clientes.size());
        QVERIFY(b.home.ui.textos().isEmpty());
    } else {
        // the environment's failure text of that moment
        const QStringList textos = b.home.ui.textos();
        QCOMPARE(textos.size(), 1);
        QVERIFY(textos.first().endsWith(QStringLiteral("\r\nErro durante sincronização!")));
        QCOMPARE(b.home.ui.caixas.first().caixa.icone, plataforma::Icone::Informacao);
        QCOMPARE(b.lista("lstClientes")->count(), naAbertura ? 0 : 2);
    }
}

void TstFrmInform::respostasSemMarcador()
{
    InformBancada b;
    const auto roteiro = b.home.http.resposta;
    QByteArray pastas = "Erro de banco de dados";
    b.home.http.resposta = [&](const QByteArray &url) -> QByteArray {
        if (url.contains("carregapastas.asp"))
            return pastas;
        if (url.contains("retornausuarios"))
            return "Vorlin Printerx|*+5>@%Intruso>@%Master>@%a@b";
        return roteiro(url);
    };
    b.abre();
    QCOMPARE(b.nivel(1)->count(), 0);
    QCOMPARE(b.dados(0).Pasta[0], 0);
    b.marcaCliente(7);
    QCOMPARE(b.lista("lstUsuarios")->count(), 0);

    // the marker with a longer first section: nothing listed, but the level still waits
    pastas = "Vorlin Printer 2|*+10>@%FISCAL";
    b.dlg->pastas().CarregaPastas1();
    QCOMPARE(b.nivel(1)->count(), 0);
    QCOMPARE(b.dados(0).Pasta[0], -1);

    // records short of fields: the one without an id is left out
    pastas = "Vorlin Printer|*+10<!#>@%SEM ID<!#11>@%PESSOAL";
    b.dlg->pastas().CarregaPastas1();
    QCOMPARE(b.nivel(1)->count(), 2);
    QCOMPARE(b.nivel(1)->itemText(0), QString());
    QCOMPARE(b.nivel(1)->itemData(1).toInt(), 11);
    QVERIFY(b.home.ui.caixas.isEmpty());
}

void TstFrmInform::pastas_data()
{
    QTest::addColumn<Escolhas>("escolhas");
    QTest::addColumn<QStringList>("niveis");
    QTest::addColumn<QString>("valor");
    QTest::addColumn<QString>("controle");
    QTest::addColumn<int>("visiveis");

    using E = Escolhas;
    QTest::newRow("nada escolhido") << E{} << QStringList({"-1", "0", "0", "0", "0"}) << QString()
                                    << QStringLiteral("cboPastas1") << 1;
    QTest::newRow("sem subpastas") << E{{1, 11}} << QStringList({"11", "0", "0", "0", "0"})
                                   << QStringLiteral("11|0|0|0|0|") << QString() << 1;
    QTest::newRow("nível 2 por escolher") << E{{1, 10}} << QStringList({"10", "-1", "0", "0", "0"}) << QString()
                                          << QStringLiteral("cboPastas2") << 2;
    QTest::newRow("três níveis") << E{{1, 10}, {2, 20}, {3, 30}} << QStringList({"10", "20", "30", "0", "0"})
                                 << QStringLiteral("10|20|30|0|0|") << QString() << 3;
    QTest::newRow("cinco níveis") << E{{1, 60}, {2, 61}, {3, 62}, {4, 63}, {5, 64}}
                                  << QStringList({"60", "61", "62", "63", "64"}) << QStringLiteral("60|61|62|63|64|")
                                  << QString() << 5;
    QTest::newRow("outra pasta no nível 1") << E{{1, 10}, {2, 20}, {3, 30}, {1, 11}}
                                            << QStringList({"11", "0", "0", "0", "0"}) << QStringLiteral("11|0|0|0|0|")
                                            << QString() << 1;
}

void TstFrmInform::pastas()
{
    QFETCH(Escolhas, escolhas);
    QFETCH(QStringList, niveis);
    QFETCH(QString, valor);
    QFETCH(QString, controle);
    QFETCH(int, visiveis);
    InformBancada b;
    b.abre();
    for (const auto &[nivel, id] : escolhas)
        b.escolhePasta(nivel, id);

    QCOMPARE(::niveis(b.dados(0)), niveis);
    QString focar;
    QCOMPARE(CaminhoPasta(b.dados(0), focar), valor);
    QCOMPARE(focar, controle);
    for (int n = 1; n <= 5; ++n)
        QCOMPARE(b.nivel(n)->isVisible(), n <= visiveis);
    if (!escolhas.isEmpty()) {
        const auto [nivel, id] = escolhas.last();
        if (nivel < 5)
            QVERIFY(!b.pedidos("carregapastas.asp?e=12&Nivel=" + QByteArray::number(nivel + 1) + "&Pasta="
                               + QByteArray::number(id) + "&Admin=1&s=77&l=5")
                         .isEmpty());
    }
}

void TstFrmInform::parametros()
{
    InformBancada b;
    b.abre();
    b.escolhePasta(1, 11);
    QCOMPARE(b.pedidos("carregaparametros.asp?e=12&pix=1&pid=11&s=77&l=5").size(), 1);
    QCOMPARE(texto(b, "lblParametros1"), QStringLiteral("Funcionário:"));
    QCOMPARE(texto(b, "lblParametros2"), QString());
    QCOMPARE(texto(b, "lblParametros3"), QStringLiteral("Cargo:"));
    QVERIFY(b.controle(QStringLiteral("txtParametro1"))->isVisible());
    QVERIFY(!b.controle(QStringLiteral("txtParametro2"))->isVisible());
    QVERIFY(b.controle(QStringLiteral("txtParametro3"))->isVisible());
    QTest::keyClicks(b.controle(QStringLiteral("txtParametro1")), QStringLiteral("Ana"));
    QTest::keyClicks(b.controle(QStringLiteral("txtParametro3")), QStringLiteral("Auxiliar"));
    QCOMPARE(b.dados(0).Parametro, (std::array<QString, 5>{"Ana", "", "Auxiliar", "", ""}));

    // another folder empties the file's values and hides what it does not define
    b.escolhePasta(1, 10);
    QCOMPARE(b.dados(0).Parametro, (std::array<QString, 5>{}));
    QCOMPARE(texto(b, "txtParametro1"), QString());
    QCOMPARE(texto(b, "lblParametros1"), QStringLiteral("Competência:"));
    QVERIFY(!b.controle(QStringLiteral("txtParametro3"))->isVisible());
    QCOMPARE(texto(b, "lblParametro4"), QString());
}

void TstFrmInform::observacaoEFiltroDeTeclas_data()
{
    QTest::addColumn<QString>("caixa");
    QTest::newRow("descrição") << QStringLiteral("txtDescricao");
    QTest::newRow("observação") << QStringLiteral("txtObs");
    QTest::newRow("parâmetro") << QStringLiteral("txtParametro1");
}

void TstFrmInform::observacaoEFiltroDeTeclas()
{
    QFETCH(QString, caixa);
    InformBancada b;
    b.abre();
    b.escolhePasta(1, 10);
    QTest::keyClicks(b.controle(caixa), QStringLiteral("a'b+c%d\"e#f&g h"));
    const publicacao::DadosArquivo &r = b.dados(0);
    const QString guardado = caixa == QLatin1String("txtDescricao") ? r.Descricao
        : caixa == QLatin1String("txtObs")                         ? r.Observacao
                                                                    : r.Parametro[0];
    QCOMPARE(guardado, QStringLiteral("abcdef&g h"));
    if (caixa == QLatin1String("txtObs"))
        QCOMPARE(texto(b, "iblObsChars"), QStringLiteral("990"));
}

QTEST_MAIN(TstFrmInform)
#include "tst_frminform.moc"
