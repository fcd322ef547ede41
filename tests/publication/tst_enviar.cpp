// The publication record: write rules, client list, notice mode, the validation rules in their
// order with their messages and focus controls, and its place in the environment object.
#include "TestHome.h"
#include "platform/ErrorCodes.h"
#include "publication/classEnviar.h"
#include "shell/classAmbiente.h"

#include <QTest>

namespace {

const QDate kHoje(2011, 3, 9);
const QString kAntes = QStringLiteral("(antes)");   // ControleValidacao left untouched
const QString kNome = QStringLiteral("Balanço 03.pdf");
const QString kSufixo = QStringLiteral("\r\nErro Indefinido!");

// A record wired to its own folder value and focus name, as the environment object wires it.
struct Registro {
    QString pasta = QStringLiteral("10|0|0|0|0|");
    QString controle = kAntes;
    classEnviar enviar{pasta, controle, kHoje};
    Registro() { enviar.Inicia(kHoje); }
};

// One file as the dialog loads it; the defaults pass validation.
struct Caso {
    QList<int> clientes{5};
    int tipo = 2;
    QString descricao = QStringLiteral("Balancete");
    QString ativacao = QString();
    QString expiracao = QString();
    QString vencimento = QString();
    QString pasta = QStringLiteral("10|0|0|0|0|");
};

QString msg(const char *texto, const QString &fim = QString())
{
    return QString::fromUtf8(texto) + kNome + QLatin1Char('!') + fim;
}

} // namespace

Q_DECLARE_METATYPE(Caso)

class TstEnviar : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void datas_data();
    void datas();
    void descricao_data();
    void descricao();
    void tipoArquivo_data();
    void tipoArquivo();
    void tpArquivoChar_data();
    void tpArquivoChar();
    void empresas_data();
    void empresas();
    void contagemDeClientesEm16Bits();
    void avisar_data();
    void avisar();
    void validar_data();
    void validar();
    void validarLimpaVencimentoEValor_data();
    void validarLimpaVencimentoEValor();
    void validadoSegueOUltimoValidar();
    void ambienteCriaORegistro_data();
    void ambienteCriaORegistro();
    void ambienteLigaPastaEControle();
};

void TstEnviar::datas_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("guardado");
    QTest::newRow("data") << QStringLiteral("09/03/2011") << QStringLiteral("09/03/2011");
    QTest::newRow("sem zeros") << QStringLiteral("9/3/2011") << QStringLiteral("09/03/2011");
    QTest::newRow("espacos em volta") << QStringLiteral(" 29/02/2012 ") << QStringLiteral("29/02/2012");
    QTest::newRow("vazio") << QString() << QString();
    QTest::newRow("dia inexistente") << QStringLiteral("29/02/2011") << QString();
    QTest::newRow("mes 13") << QStringLiteral("01/13/2011") << QString();
    QTest::newRow("ano com dois digitos") << QStringLiteral("09/03/11") << QString();
    QTest::newRow("forma ISO") << QStringLiteral("2011-03-09") << QString();
    QTest::newRow("com hora") << QStringLiteral("09/03/2011 10:00") << QString();
    QTest::newRow("texto") << QStringLiteral("amanhã") << QString();
}

void TstEnviar::datas()
{
    QFETCH(QString, texto);
    QFETCH(QString, guardado);
    Registro r;
    auto &e = r.enviar;
    e.setAtivacao(QStringLiteral("01/01/2011"));
    e.setExpiracao(QStringLiteral("01/01/2011"));
    e.setAtivacao(texto);
    e.setExpiracao(texto);
    e.setVencimento(texto);
    QCOMPARE(e.Ativacao(), guardado);
    QCOMPARE(e.Expiracao(), guardado);
    QCOMPARE(e.Vencimento(), guardado);
}

void TstEnviar::descricao_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<QString>("guardado");
    const QString cem = QStringLiteral("ção").repeated(33) + QLatin1Char('x');
    QTest::newRow("150 caracteres") << QString(150, QLatin1Char('a')) << QString(100, QLatin1Char('a'));
    QTest::newRow("acentos alem de 100") << cem + QStringLiteral("ção") << cem;
    QTest::newRow("exatamente 100") << cem << cem;
    QTest::newRow("espacos mantidos") << QStringLiteral("  Nota  ") << QStringLiteral("  Nota  ");
}

void TstEnviar::descricao()
{
    QFETCH(QString, texto);
    QFETCH(QString, guardado);
    Registro r;
    r.enviar.setDescricao(texto);
    QCOMPARE(r.enviar.Descricao(), guardado);
}

void TstEnviar::tipoArquivo_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("cod");
    QTest::addColumn<QString>("letra");
    QTest::addColumn<QString>("mensagem");
    QTest::newRow("pagamentos") << 0 << "P" << "P" << QString();
    QTest::newRow("relatorios") << 1 << "R" << "R" << QString();
    QTest::newRow("diversos") << 2 << "D" << "D" << QString();
    QTest::newRow("fora da tabela") << 7 << "D" << "" << QString();
    QTest::newRow("negativo") << -1 << "D" << "" << QStringLiteral("Tipo de Arquivo Inválido!");
}

void TstEnviar::tipoArquivo()
{
    QFETCH(int, tipo);
    QFETCH(QString, cod);
    QFETCH(QString, letra);
    QFETCH(QString, mensagem);
    Registro r;
    auto &e = r.enviar;
    e.setTipoArquivo(static_cast<qint16>(tipo));
    QCOMPARE(int(e.TipoArquivo()), tipo);   // a negative code is still stored
    QCOMPARE(e.Cod_TpDoc(), cod);
    QCOMPARE(e.TpArquivoChar(), letra);
    QString recebido = QStringLiteral("intocado");
    QCOMPARE(e.Catch(recebido), !mensagem.isEmpty());
    QCOMPARE(recebido, mensagem.isEmpty() ? QStringLiteral("intocado") : mensagem);
    e.Try();
    QVERIFY(e.MensagemErro().isEmpty());
}

void TstEnviar::tpArquivoChar_data()
{
    QTest::addColumn<int>("proprio");
    QTest::addColumn<int>("argumento");
    QTest::addColumn<QString>("letra");
    QTest::newRow("zero usa o proprio") << 1 << 0 << "R";
    QTest::newRow("argumento prevalece") << 2 << 1 << "R";
    QTest::newRow("argumento 2") << 0 << 2 << "D";
    QTest::newRow("argumento fora da tabela") << 1 << 3 << "";
    QTest::newRow("argumento negativo") << 1 << -1 << "";
}

void TstEnviar::tpArquivoChar()
{
    QFETCH(int, proprio);
    QFETCH(int, argumento);
    QFETCH(QString, letra);
    Registro r;
    r.enviar.setTipoArquivo(static_cast<qint16>(proprio));
    QCOMPARE(r.enviar.TpArquivoChar(static_cast<qint16>(argumento)), letra);
}

void TstEnviar::empresas_data()
{
    QTest::addColumn<QList<int>>("ids");
    QTest::addColumn<QString>("texto");
    QTest::newRow("so Try") << QList<int>{} << QString();
    QTest::newRow("dois") << QList<int>{5, 9} << QStringLiteral("5*9");
    QTest::newRow("ordem de entrada e repetidos") << QList<int>{12, 7, 30, 7} << QStringLiteral("12*7*30*7");
    QTest::newRow("limites de 32 bits") << QList<int>{2147483647, -1} << QStringLiteral("2147483647*-1");
}

void TstEnviar::empresas()
{
    QFETCH(QList<int>, ids);
    QFETCH(QString, texto);
    Registro r;
    auto &e = r.enviar;
    e.AddCliente(99);   // the previous file's client
    e.Try();
    for (const int id : ids)
        e.AddCliente(id);
    QCOMPARE(e.Empresas(), texto);
}

void TstEnviar::contagemDeClientesEm16Bits()
{
    Registro r;
    for (int i = 0; i < 32767; ++i)
        r.enviar.AddCliente(i);
    try {
        r.enviar.AddCliente(32767);
        QFAIL("the 32768th client fits no 16-bit count");
    } catch (const plataforma::ErroPrograma &erro) {
        QCOMPARE(erro.codigo(), static_cast<int>(plataforma::CodigoErro::Estouro));
    }
    QVERIFY(r.enviar.Empresas().endsWith(QStringLiteral("*32766")));
}

void TstEnviar::avisar_data()
{
    // Every row starts from mode 3 with the list "antes@x.com".
    QTest::addColumn<bool>("todos");
    QTest::addColumn<QVariant>("emails");   // invalid: argument absent
    QTest::addColumn<bool>("reseta");
    QTest::addColumn<QString>("resultado");
    QTest::addColumn<QString>("lista");
    const QString antes = QStringLiteral("antes@x.com");
    QTest::newRow("reseta") << true << QVariant(QStringLiteral("a@b.com")) << true << "0" << QString();
    QTest::newRow("todos") << true << QVariant(QStringLiteral("a@b.com")) << false << "2" << antes;
    QTest::newRow("sem lista") << false << QVariant() << false << "1" << antes;
    QTest::newRow("lista") << false << QVariant(QStringLiteral("a@b.com;c@d.com")) << false
                           << "3a@b.com;c@d.com" << QStringLiteral("a@b.com;c@d.com");
    QTest::newRow("lista vazia informada") << false << QVariant(QString()) << false << "3" << QString();
}

void TstEnviar::avisar()
{
    QFETCH(bool, todos);
    QFETCH(QVariant, emails);
    QFETCH(bool, reseta);
    QFETCH(QString, resultado);
    QFETCH(QString, lista);
    Registro r;
    auto &e = r.enviar;
    QCOMPARE(e.Emails(), QStringLiteral("0"));
    e.Avisar(false, QStringLiteral("antes@x.com"));
    const std::optional<QString> pEmails = emails.isValid() ? std::optional<QString>(emails.toString()) : std::nullopt;
    e.Avisar(todos, pEmails, reseta);
    QCOMPARE(e.Emails(), resultado);
    QCOMPARE(e.ListaEmails(), lista);
    e.Try();   // the mode survives the next file
    QCOMPARE(e.Emails(), resultado);
}

void TstEnviar::validar_data()
{
    QTest::addColumn<Caso>("caso");
    QTest::addColumn<bool>("validado");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<QString>("controle");
    const auto ok = [](const char *nome, const Caso &c) { QTest::newRow(nome) << c << true << QString() << kAntes; };
    const auto falha = [](const char *nome, const Caso &c, const QString &m, const QString &ctl) {
        QTest::newRow(nome) << c << false << m << ctl;
    };
    const QString hojeAt = msg("A data de ativação não pode ser menor que a data de hoje para o arquivo ", kSufixo);
    const QString venceAt = msg("A data de ativação não pode ser maior ou igual a data vencimento para o arquivo ", kSufixo);
    const QString hojeEx = msg("A data de expiração não pode ser menor ou igual a data de hoje para o arquivo ", kSufixo);
    const QString atEx = msg("A data de expiração não pode ser menor ou igual a data de ativação para o arquivo ", kSufixo);
    const QString venceEx = msg("A data de expiração não pode ser menor ou igual a data de vencimento para o arquivo ", kSufixo);
    const QString semPasta = msg("Selecione uma pasta para o arquivo ", QStringLiteral("\r\n"));
    const QString at = QStringLiteral("dtpAtivacao");
    const QString ex = QStringLiteral("dtpExpiracao");

    ok("sem datas", {});
    ok("ativacao hoje", {.ativacao = "09/03/2011", .expiracao = "10/03/2011"});
    falha("sem cliente nem descricao", {.clientes = {}, .descricao = ""},
          msg("É necessário selecionar um ou mais clientes para o arquivo "), QStringLiteral("cboCarteira"));
    falha("descricao de espacos antes das datas", {.descricao = "   ", .ativacao = "01/03/2011"},
          msg("Descrição deve ser preenchido para o arquivo "), QStringLiteral("txtDescricao"));
    falha("ativacao ontem", {.ativacao = "08/03/2011"}, hojeAt, at);
    falha("pagamento vence na ativacao", {.tipo = 0, .ativacao = "10/03/2011", .vencimento = "10/03/2011"}, venceAt, at);
    falha("pagamento vence antes da ativacao", {.tipo = 0, .ativacao = "20/03/2011", .vencimento = "15/03/2011"}, venceAt, at);
    falha("expiracao hoje", {.expiracao = "09/03/2011"}, hojeEx, ex);
    falha("expiracao na ativacao", {.ativacao = "15/03/2011", .expiracao = "15/03/2011"}, atEx, ex);
    falha("expiracao antes da ativacao", {.ativacao = "20/03/2011", .expiracao = "15/03/2011"}, atEx, ex);
    falha("pagamento expira no vencimento",
          {.tipo = 0, .ativacao = "10/03/2011", .expiracao = "15/03/2011", .vencimento = "15/03/2011"}, venceEx, ex);
    falha("pagamento expira antes do vencimento", {.tipo = 0, .expiracao = "15/03/2011", .vencimento = "20/03/2011"}, venceEx, ex);
    ok("pagamento em ordem", {.tipo = 0, .ativacao = "10/03/2011", .expiracao = "20/03/2011", .vencimento = "15/03/2011"});
    ok("pagamento sem vencimento nem datas", {.tipo = 0});
    // comparing with a missing due date is an unexpected failure: no control, bare suffix
    falha("pagamento sem vencimento com ativacao", {.tipo = 0, .ativacao = "10/03/2011"}, QStringLiteral("Erro Indefinido!"), kAntes);
    falha("pagamento sem vencimento com expiracao", {.tipo = 0, .expiracao = "20/03/2011"}, QStringLiteral("Erro Indefinido!"), kAntes);
    ok("diversos ignora vencimento", {.tipo = 2, .ativacao = "20/03/2011", .expiracao = "30/03/2011", .vencimento = "10/03/2011"});
    ok("relatorios ignora vencimento", {.tipo = 1, .ativacao = "20/03/2011", .expiracao = "30/03/2011", .vencimento = "10/03/2011"});
    falha("sem pasta", {.pasta = ""}, semPasta, kAntes);
    falha("data antes da pasta", {.expiracao = "01/03/2011", .pasta = ""}, hojeEx, ex);
    QTest::newRow("tipo negativo passa com seu aviso") << Caso{.tipo = -1} << true << QStringLiteral("Tipo de Arquivo Inválido!") << kAntes;
    falha("tipo negativo sem cliente", {.clientes = {}, .tipo = -1},
          msg("É necessário selecionar um ou mais clientes para o arquivo "), QStringLiteral("cboCarteira"));
}

void TstEnviar::validar()
{
    QFETCH(Caso, caso);
    QFETCH(bool, validado);
    QFETCH(QString, mensagem);
    QFETCH(QString, controle);
    Registro r;
    auto &e = r.enviar;
    r.pasta = caso.pasta;
    e.Try();
    for (const int id : caso.clientes)
        e.AddCliente(id);
    e.setDescricao(caso.descricao);
    e.setAtivacao(caso.ativacao);
    e.setExpiracao(caso.expiracao);
    e.setVencimento(caso.vencimento);
    e.setTipoArquivo(static_cast<qint16>(caso.tipo));

    e.Validar(kNome);
    QCOMPARE(e.Validado(), validado);
    QCOMPARE(e.MensagemErro(), mensagem);
    QCOMPARE(r.controle, controle);
    QString recebido;
    QCOMPARE(e.Catch(recebido), !mensagem.isEmpty());
    QCOMPARE(recebido, mensagem);
}

void TstEnviar::validarLimpaVencimentoEValor_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<QString>("vencimento");
    QTest::addColumn<double>("valor");
    QTest::newRow("pagamentos mantem") << 0 << QStringLiteral("30/03/2011") << 1234.5;
    QTest::newRow("relatorios limpa") << 1 << QString() << 0.0;
    QTest::newRow("diversos limpa") << 2 << QString() << 0.0;
    QTest::newRow("negativo limpa") << -3 << QString() << 0.0;
}

void TstEnviar::validarLimpaVencimentoEValor()
{
    QFETCH(int, tipo);
    QFETCH(QString, vencimento);
    QFETCH(double, valor);
    Registro r;
    auto &e = r.enviar;
    r.pasta.clear();   // validation goes on to fail at the folder
    e.AddCliente(5);
    e.setDescricao(QStringLiteral("Guia"));
    e.setVencimento(QStringLiteral("30/03/2011"));
    e.setValor(1234.5);
    e.setTipoArquivo(static_cast<qint16>(tipo));
    e.Validar(kNome);
    QVERIFY(!e.Validado());
    QCOMPARE(e.Vencimento(), vencimento);
    QCOMPARE(e.Valor(), valor);
}

void TstEnviar::validadoSegueOUltimoValidar()
{
    Registro r;
    auto &e = r.enviar;
    e.AddCliente(5);
    e.setDescricao(QStringLiteral("Guia"));
    e.setTipoArquivo(2);
    e.Validar(kNome);
    QVERIFY(e.Validado());

    // next file: Try keeps the fields, so only the client list needs filling again
    e.Try();
    e.Validar(QStringLiteral("b.pdf"));
    QVERIFY(!e.Validado());
    e.AddCliente(6);
    e.Validar(QStringLiteral("b.pdf"));
    QVERIFY(e.Validado());
    QCOMPARE(e.Descricao(), QStringLiteral("Guia"));
}

void TstEnviar::ambienteCriaORegistro_data()
{
    QTest::addColumn<QDate>("hoje");
    QTest::addColumn<QString>("vencimento");
    QTest::newRow("meio do mes") << QDate(2011, 3, 9) << QStringLiteral("09/04/2011");
    QTest::newRow("31 de janeiro") << QDate(2011, 1, 31) << QStringLiteral("28/02/2011");
    QTest::newRow("31 de janeiro bissexto") << QDate(2012, 1, 31) << QStringLiteral("29/02/2012");
    QTest::newRow("31 de marco") << QDate(2011, 3, 31) << QStringLiteral("30/04/2011");
    QTest::newRow("virada de ano") << QDate(2011, 12, 31) << QStringLiteral("31/01/2012");
}

void TstEnviar::ambienteCriaORegistro()
{
    QFETCH(QDate, hoje);
    QFETCH(QString, vencimento);
    TestHome home;
    home.relogio.define(QDateTime(hoje, QTime(23, 59, 59)));
    auto s = home.servicos();
    classAmbiente amb(s);
    QCOMPARE(amb.Enviar.DataReferencia(), hoje);
    QCOMPARE(amb.Enviar.Vencimento(), vencimento);
    QCOMPARE(amb.Enviar.TipoArquivo(), qint16(0));
    QCOMPARE(amb.Enviar.Emails(), QStringLiteral("0"));
    QVERIFY(!amb.Enviar.Validado());
}

void TstEnviar::ambienteLigaPastaEControle()
{
    TestHome home;
    auto s = home.servicos();
    classAmbiente amb(s);
    auto &e = amb.Enviar;
    e.Try();
    e.AddCliente(52);
    e.setDescricao(QStringLiteral("Folha"));
    e.setTipoArquivo(2);
    e.setExpiracao(QStringLiteral("09/03/2011"));   // the fake clock's today
    e.Validar(kNome);
    QCOMPARE(amb.ControleValidacao, QStringLiteral("dtpExpiracao"));

    e.setExpiracao(QString());
    e.Validar(kNome);
    QCOMPARE(e.MensagemErro(), msg("Selecione uma pasta para o arquivo ", QStringLiteral("\r\n")));

    amb.pasta = QStringLiteral("10|20|0|0|0|");
    e.Validar(kNome);
    QVERIFY(e.Validado());
}

QTEST_GUILESS_MAIN(TstEnviar)
#include "tst_enviar.moc"
