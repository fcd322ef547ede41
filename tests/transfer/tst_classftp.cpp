// classFtp against a scripted FTP session: the order of steps and events on every way through an
// upload, the 100-byte pieces with their progress gathered into large writes, the turns the window
// gets by time, 64-bit lengths, the missing file, a listener's fault, and the download and delete
// sequences.
#include "FtpRoteirizado.h"
#include "ScriptedUi.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

using plataforma::AcessoFtp;
using plataforma::FalhaFtp;

namespace {

const QString kServidor = QStringLiteral("ftp.escritorio.com.br");
const QString kUsuario = QStringLiteral("demo");
const QString kSenha = QStringLiteral("ftp-demo-123");

QByteArray conteudo(qint64 tamanho)
{
    QByteArray bytes(tamanho, Qt::Uninitialized);
    for (qint64 i = 0; i < tamanho; ++i)
        bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    return bytes;
}

// One classFtp with its doubles and a folder for local files.
struct Bancada {
    Bancada()
    {
        registro.ui = &ui;
        cliente.defineOuvinte(&ouvinte);
    }

    QString arquivo(const QString &nome, const QByteArray &bytes) const
    {
        const QString caminho = pasta.filePath(nome);
        QFile f(caminho);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            return {};
        return caminho;
    }

    QTemporaryDir pasta;
    ScriptedUi ui;
    Registro registro;
    FtpRoteirizado ftp{registro};
    OuvinteRegistrado ouvinte{registro};
    classFtp cliente{ftp, ui};
};

QStringList inicioEnvio()
{
    return {QStringLiteral("abreSessao"), QStringLiteral("conecta ftp.escritorio.com.br:21"),
            QStringLiteral("Geral 1 Conectado"), QStringLiteral("mudaDiretorio /"), QStringLiteral("leDiretorio"),
            QStringLiteral("Geral 1 Transmitindo"), QStringLiteral("abreEnvio relatorio.pdf")};
}

QStringList fechamento()
{
    return {QStringLiteral("fechaArquivo"), QStringLiteral("Geral 1 Arquivo Fechado"), QStringLiteral("fecha"),
            QStringLiteral("Geral 1 Internet Fechada"), QStringLiteral("Geral 2 ")};
}

// the 250-byte file: its two whole pieces go out in one write, each with its progress after it,
// then the rest
QStringList pedacos250()
{
    return {QStringLiteral("escreve 200"), QStringLiteral("Progress 100 250"), QStringLiteral("Progress 200 250"),
            QStringLiteral("Progress 250 250"), QStringLiteral("escreve 50")};
}

constexpr qint64 kBloco = 262200;   // the pieces one write carries

QString erro(const QString &operacao, int codigo, const QString &mensagem)
{
    return QStringLiteral("Geral 3 ") + operacao + QStringLiteral("Código do Erro: ") + QString::number(codigo)
        + QStringLiteral(" Mensagem: ") + mensagem;
}

} // namespace

class TstClassFtp : public QObject {
    Q_OBJECT

private slots:
    void transmite_data();
    void transmite();
    void pedacos_data();
    void pedacos();
    void tamanhoAlemDe32Bits();
    void vezPorTempo();
    void arquivoInexistente_data();
    void arquivoInexistente();
    void destino_data();
    void destino();
    void arquivoEncolheDuranteEnvio();
    void falhaDoOuvinteFechaASessao();
    void chamadaDuranteEnvioRecusada();
    void recebeEDeleta_data();
    void recebeEDeleta();
    void mensagemVaiAoOuvinte();
};

void TstClassFtp::transmite_data()
{
    QTest::addColumn<QString>("passo");   // the step that fails; empty: none
    QTest::addColumn<int>("codigo");
    QTest::addColumn<QString>("mensagem");
    QTest::addColumn<int>("escritaQueFalha");
    QTest::addColumn<QStringList>("esperado");
    QTest::addColumn<bool>("resultado");

    const QString login = QStringLiteral("530 Login recusado pelo portal.");
    const QString recusa = QStringLiteral("553 Envio recusado pelo portal.");
    const QString semResposta = QStringLiteral("Falha ao enviar dados ao servidor");
    const QStringList conectado{QStringLiteral("abreSessao"), QStringLiteral("conecta ftp.escritorio.com.br:21"),
                                QStringLiteral("Geral 1 Conectado")};

    QTest::newRow("sucesso") << QString() << 0 << QString() << 0
                             << inicioEnvio() + pedacos250() + QStringList{QStringLiteral("concluiEnvio")} + fechamento()
                             << true;
    QTest::newRow("sessao nao abre")
        << QStringLiteral("abreSessao") << 2 << QStringLiteral("Não foi possível iniciar a sessão FTP") << 0
        << QStringList{QStringLiteral("abreSessao"),
                       erro(QStringLiteral("InternetOpen"), 2, QStringLiteral("Não foi possível iniciar a sessão FTP"))}
            + fechamento()
        << false;
    QTest::newRow("login recusado")
        << QStringLiteral("conecta") << 67 << login << 0
        << QStringList{QStringLiteral("abreSessao"), QStringLiteral("conecta ftp.escritorio.com.br:21"),
                       erro(QStringLiteral("InternetConnect"), 67, login)}
            + fechamento()
        << false;
    QTest::newRow("raiz recusada")
        << QStringLiteral("mudaDiretorio") << 21 << QStringLiteral("550 Sem acesso.") << 0
        << conectado
            + QStringList{QStringLiteral("mudaDiretorio /"),
                          erro(QStringLiteral("FtpSetCurrentDirectory"), 21, QStringLiteral("550 Sem acesso."))}
            + fechamento()
        << false;
    QTest::newRow("diretorio ilegivel")
        << QStringLiteral("leDiretorio") << 21 << QStringLiteral("550 Sem acesso.") << 0
        << conectado
            + QStringList{QStringLiteral("mudaDiretorio /"), QStringLiteral("leDiretorio"),
                          erro(QStringLiteral("FtpGetCurrentDirectory"), 21, QStringLiteral("550 Sem acesso."))}
            + fechamento()
        << false;
    QTest::newRow("envio recusado") << QStringLiteral("abreEnvio") << 25 << recusa << 0
                                    << inicioEnvio() + QStringList{erro(QStringLiteral("FtpOpenFile"), 25, recusa)}
            + fechamento()
                                    << false;
    // no progress for pieces that did not go out
    QTest::newRow("escrita dos pedacos falha")
        << QString() << 0 << QString() << 1
        << inicioEnvio()
            + QStringList{QStringLiteral("escreve 200"), erro(QStringLiteral("InternetWriteFile!"), 55, semResposta)}
            + fechamento()
        << false;
    // the last piece and the server's confirmation decide the result, without an error event
    QTest::newRow("ultima escrita falha") << QString() << 0 << QString() << 2
                                          << inicioEnvio() + pedacos250() + fechamento() << false;
    QTest::newRow("servidor nao confirma")
        << QStringLiteral("concluiEnvio") << 70 << QStringLiteral("452 Espaço em disco insuficiente.") << 0
        << inicioEnvio() + pedacos250() + QStringList{QStringLiteral("concluiEnvio")} + fechamento() << false;
}

void TstClassFtp::transmite()
{
    QFETCH(QString, passo);
    QFETCH(int, codigo);
    QFETCH(QString, mensagem);
    QFETCH(int, escritaQueFalha);
    QFETCH(QStringList, esperado);
    QFETCH(bool, resultado);

    Bancada b;
    const QByteArray bytes = conteudo(250);
    const QString caminho = b.arquivo(QStringLiteral("relatorio.pdf"), bytes);
    if (!passo.isEmpty())
        b.ftp.falhas.insert(passo, FalhaFtp{codigo, mensagem});
    b.ftp.falhaNaEscrita = escritaQueFalha;

    QCOMPARE(b.cliente.Transmite(kServidor, kUsuario, kSenha, caminho, QString()), resultado);
    QCOMPARE(b.registro.linhas, esperado);
    QVERIFY(!b.ftp.sessaoAberta);
    QCOMPARE(b.ftp.acesso, AcessoFtp::Direto);
    if (resultado)
        QCOMPARE(b.ftp.recebidos, bytes);
    QVERIFY(b.ui.caixas.isEmpty());
}

void TstClassFtp::pedacos_data()
{
    QTest::addColumn<qint64>("tamanho");
    QTest::addColumn<QList<qint64>>("escritas");

    QTest::newRow("vazio") << qint64(0) << QList<qint64>{0};
    QTest::newRow("57 bytes") << qint64(57) << QList<qint64>{57};
    QTest::newRow("200 bytes: ultima escrita vazia") << qint64(200) << QList<qint64>{200, 0};
    QTest::newRow("65537 bytes") << qint64(65537) << QList<qint64>{65500, 37};
    QTest::newRow("um bloco exato") << kBloco << QList<qint64>{kBloco, 0};
    QTest::newRow("1 MB e 7 bytes") << qint64(1000007) << QList<qint64>{kBloco, kBloco, kBloco, 213400, 7};
}

// One Progress per whole piece, each after the write that carried it, then the whole length; the
// last write goes out before the server is asked to confirm the file.
void TstClassFtp::pedacos()
{
    QFETCH(qint64, tamanho);
    QFETCH(QList<qint64>, escritas);

    Bancada b;
    b.ftp.registraEscritas = false;
    b.ouvinte.registraProgresso(false);
    QList<qint64> jaEnviados;   // bytes the server had taken when each progress event came
    b.ouvinte.aoProgredir = [&] { jaEnviados << b.ftp.recebidos.size(); };
    const QByteArray bytes = conteudo(tamanho);
    const QString caminho = b.arquivo(QStringLiteral("doc.pdf"), bytes);

    QVERIFY(b.cliente.Transmite(kServidor, kUsuario, kSenha, caminho, QString()));

    QCOMPARE(b.ftp.escritas, escritas);
    QList<QPair<qint64, qint64>> progressos;
    for (qint64 i = 1; i <= tamanho / 100; ++i)
        progressos << qMakePair(i * 100, tamanho);
    progressos << qMakePair(tamanho, tamanho);
    QCOMPARE(b.ouvinte.progressos, progressos);
    for (qsizetype i = 0; i + 1 < progressos.size(); ++i)
        QVERIFY2(jaEnviados[i] >= progressos[i].first, qPrintable(QString::number(i)));
    QVERIFY(b.ftp.recebidos == bytes);
    QCOMPARE(b.ftp.recebidoAoConcluir, tamanho);
}

// A sparse file past 2 GiB goes out whole: every piece's Progress comes with its 64-bit count.
void TstClassFtp::tamanhoAlemDe32Bits()
{
    Bancada b;
    const qint64 tamanho = 2LL * 1024 * 1024 * 1024 + 57;
    const QString caminho = b.pasta.filePath(QStringLiteral("grande.pdf"));
    {
        QFile f(caminho);
        QVERIFY(f.open(QIODevice::WriteOnly));
        if (!f.resize(tamanho))
            QSKIP("no sparse files in the temporary folder");
    }
    b.ftp.registraEscritas = false;
    b.ftp.guardaBytes = false;
    // the events are checked as they come: 21 million pairs are too many to keep
    struct Conta final : classFtp::Ouvinte {
        qint64 eventos = 0;
        qint64 ultimo = 0;
        qint64 foraDeOrdem = 0;
        qint64 total = 0;
        void Progress(qint64 vPercentual, qint64 vTotal) override
        {
            ++eventos;
            if (vTotal != total || (vPercentual != ultimo + 100 && vPercentual != total))
                ++foraDeOrdem;
            ultimo = vPercentual;
        }
    } conta;
    conta.total = tamanho;
    b.cliente.defineOuvinte(&conta);

    QVERIFY(b.cliente.Transmite(kServidor, kUsuario, kSenha, caminho, QString()));

    QCOMPARE(conta.eventos, tamanho / 100 + 1);
    QCOMPARE(conta.foraDeOrdem, qint64(0));
    QCOMPARE(conta.ultimo, tamanho);
    QCOMPARE(b.ftp.totalRecebido, tamanho);
    QCOMPARE(b.ftp.recebidoAoConcluir, tamanho);
    QCOMPARE(b.ftp.escritas.last(), tamanho % 100);
}

// The window gets its turn by time, not by piece: with the clock standing still nothing yields;
// with 10 ms passing per write it yields every other block, however many pieces those carry.
void TstClassFtp::vezPorTempo()
{
    Bancada b;
    b.ftp.registraEscritas = false;
    b.ouvinte.registraProgresso(false);
    const QString caminho = b.arquivo(QStringLiteral("doc.pdf"), conteudo(10 * kBloco + 30));

    QVERIFY(b.cliente.Transmite(kServidor, kUsuario, kSenha, caminho, QString()));
    QCOMPARE(b.ui.eventosProcessados, qint64(0));
    QVERIFY(b.ui.vezesPedidas >= 10);

    b.ui.eventosProcessados = 0;
    b.ftp.aoEscrever = [&](int) { b.ui.relogioMs += 10; };
    QVERIFY(b.cliente.Transmite(kServidor, kUsuario, kSenha, caminho, QString()));
    // ten blocks and the last piece, 110 ms: a turn at 20, 40, 60, 80 and 100 ms
    QCOMPARE(b.ui.eventosProcessados, qint64(5));
}

void TstClassFtp::arquivoInexistente_data()
{
    QTest::addColumn<QString>("nome");
    QTest::newRow("sem arquivo") << QStringLiteral("sumiu.pdf");
    QTest::newRow("uma pasta") << QStringLiteral("pasta.pdf");
}

// The message, false, and nothing else: no session, no event, the program goes on.
void TstClassFtp::arquivoInexistente()
{
    QFETCH(QString, nome);
    Bancada b;
    QVERIFY(QDir(b.pasta.path()).mkdir(QStringLiteral("pasta.pdf")));
    b.ui.aceitaAvisos(true);

    QVERIFY(!b.cliente.Transmite(kServidor, kUsuario, kSenha, b.pasta.filePath(nome), QString()));

    QCOMPARE(b.ui.caixas.size(), 1);
    const plataforma::Caixa &caixa = b.ui.caixas.first().caixa;
    QCOMPARE(caixa.texto, QStringLiteral("Arquivo não existe"));
    QCOMPARE(caixa.titulo, QStringLiteral("Vorlin Printer"));
    QCOMPARE(caixa.icone, plataforma::Icone::Erro);
    QCOMPARE(caixa.botoes, plataforma::Botoes::Ok);
    QVERIFY(b.registro.linhas.isEmpty());
}

void TstClassFtp::destino_data()
{
    QTest::addColumn<QString>("servidor");
    QTest::addColumn<QString>("titulo");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("porta");
    QTest::addColumn<QString>("nome");

    const QString local = QStringLiteral("relatório de março.pdf");
    QTest::newRow("sem titulo: nome do arquivo") << kServidor << QString() << kServidor << 21 << local;
    QTest::newRow("com titulo") << kServidor << QStringLiteral("Contrato 2011.pdf") << kServidor << 21
                                << QStringLiteral("Contrato 2011.pdf");
    QTest::newRow("porta no servidor") << QStringLiteral("127.0.0.1:2121") << QString() << QStringLiteral("127.0.0.1")
                                       << 2121 << local;
}

void TstClassFtp::destino()
{
    QFETCH(QString, servidor);
    QFETCH(QString, titulo);
    QFETCH(QString, host);
    QFETCH(int, porta);
    QFETCH(QString, nome);

    Bancada b;
    const QString caminho = b.arquivo(QStringLiteral("relatório de março.pdf"), conteudo(10));
    QVERIFY(b.cliente.Transmite(servidor, kUsuario, kSenha, caminho, titulo));
    QCOMPARE(b.ftp.host, host);
    QCOMPARE(int(b.ftp.porta), porta);
    QCOMPARE(b.ftp.usuario, kUsuario);
    QCOMPARE(b.ftp.senha, kSenha);
    QCOMPARE(b.ftp.nomeRemoto, nome);
}

// A file cut short while it is sent: the upload fails instead of sending bytes the file no
// longer has.
void TstClassFtp::arquivoEncolheDuranteEnvio()
{
    Bancada b;
    const QByteArray bytes = conteudo(3 * kBloco);
    const QString caminho = b.arquivo(QStringLiteral("relatorio.pdf"), bytes);
    b.ftp.registraEscritas = false;
    b.ouvinte.registraProgresso(false);
    b.ftp.aoEscrever = [&](int n) {
        if (n == 1)
            QFile::resize(caminho, 150);
    };

    QVERIFY(!b.cliente.Transmite(kServidor, kUsuario, kSenha, caminho, QString()));

    QVERIFY(b.registro.linhas.contains(
        erro(QStringLiteral("ReadFile"), 1, QStringLiteral("Não foi possível ler o arquivo local"))));
    QVERIFY(b.ftp.recebidos.size() < bytes.size());
    QVERIFY(bytes.startsWith(b.ftp.recebidos));
    QVERIFY(!b.registro.linhas.contains(QStringLiteral("concluiEnvio")));
}

// The fault reaches the caller; the session is closed on the way and the object works again.
void TstClassFtp::falhaDoOuvinteFechaASessao()
{
    Bancada b;
    const QString caminho = b.arquivo(QStringLiteral("relatorio.pdf"), conteudo(250));
    b.ouvinte.aoProgredir = [] { throw std::runtime_error("ouvinte"); };

    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             b.cliente.Transmite(kServidor, kUsuario, kSenha, caminho, QString()));
    QCOMPARE(b.registro.linhas.last(), QStringLiteral("fecha"));
    QVERIFY(!b.ftp.sessaoAberta);

    b.ouvinte.aoProgredir = nullptr;
    b.registro.linhas.clear();
    b.ftp.escritas.clear();
    b.ftp.recebidos.clear();
    QVERIFY(b.cliente.Transmite(kServidor, kUsuario, kSenha, caminho, QString()));
    QCOMPARE(b.registro.linhas.last(), QStringLiteral("Geral 2 "));
}

// A listener that starts another operation while the upload yields gets false and the upload
// goes on untouched.
void TstClassFtp::chamadaDuranteEnvioRecusada()
{
    Bancada b;
    const QByteArray bytes = conteudo(250);
    const QString caminho = b.arquivo(QStringLiteral("relatorio.pdf"), bytes);
    QList<bool> aninhadas;
    b.ouvinte.aoProgredir = [&] {
        aninhadas << b.cliente.Transmite(kServidor, kUsuario, kSenha, caminho, QString());
        aninhadas << b.cliente.Recebe(kServidor, kUsuario, kSenha, caminho, QStringLiteral("x.pdf"));
    };

    QVERIFY(b.cliente.Transmite(kServidor, kUsuario, kSenha, caminho, QString()));
    QVERIFY(!aninhadas.contains(true));
    QCOMPARE(b.registro.linhas, inicioEnvio() + pedacos250() + QStringList{QStringLiteral("concluiEnvio")} + fechamento());
    QCOMPARE(b.ftp.recebidos, bytes);
}

void TstClassFtp::recebeEDeleta_data()
{
    QTest::addColumn<QString>("operacao");
    QTest::addColumn<QString>("passo");
    QTest::addColumn<QStringList>("esperado");
    QTest::addColumn<bool>("resultado");

    const QStringList conectado{QStringLiteral("abreSessao"), QStringLiteral("conecta ftp.escritorio.com.br:21"),
                                QStringLiteral("Geral 1 Conectado")};
    const QString falha = QStringLiteral("550 Sem acesso.");
    const QStringList baixa{QStringLiteral("mudaDiretorio /"), QStringLiteral("leDiretorio"),
                            QStringLiteral("Geral 1 Transmitindo"),
                            QStringLiteral("baixa a.pdf -> /destino/a.pdf")};
    const QStringList apaga{QStringLiteral("leDiretorio"), QStringLiteral("Geral 1 Transmitindo"),
                            QStringLiteral("apaga a.pdf")};

    QTest::newRow("Recebe") << QStringLiteral("Recebe") << QString() << conectado + baixa + fechamento() << true;
    QTest::newRow("Recebe sem login")
        << QStringLiteral("Recebe") << QStringLiteral("conecta")
        << QStringList{QStringLiteral("abreSessao"), QStringLiteral("conecta ftp.escritorio.com.br:21"),
                       erro(QStringLiteral("InternetConnect"), 21, falha), QStringLiteral("fecha")}
        << false;
    QTest::newRow("Recebe sem raiz")
        << QStringLiteral("Recebe") << QStringLiteral("mudaDiretorio")
        << conectado
            + QStringList{QStringLiteral("mudaDiretorio /"), erro(QStringLiteral("FtpSetCurrentDirectory"), 21, falha),
                          QStringLiteral("fecha")}
        << false;
    QTest::newRow("Recebe falha no download") << QStringLiteral("Recebe") << QStringLiteral("baixa")
                                              << conectado + baixa + fechamento() << false;
    // no change of folder before the delete
    QTest::newRow("Deleta") << QStringLiteral("Deleta") << QString() << conectado + apaga + fechamento() << true;
    QTest::newRow("Deleta recusado") << QStringLiteral("Deleta") << QStringLiteral("apaga")
                                     << conectado + apaga + QStringList{QStringLiteral("fecha")} << true;
    QTest::newRow("Deleta sem diretorio")
        << QStringLiteral("Deleta") << QStringLiteral("leDiretorio")
        << conectado
            + QStringList{QStringLiteral("leDiretorio"), erro(QStringLiteral("FtpGetCurrentDirectory"), 21, falha),
                          QStringLiteral("fecha")}
        << true;
}

void TstClassFtp::recebeEDeleta()
{
    QFETCH(QString, operacao);
    QFETCH(QString, passo);
    QFETCH(QStringList, esperado);
    QFETCH(bool, resultado);

    Bancada b;
    if (!passo.isEmpty())
        b.ftp.falhas.insert(passo, FalhaFtp{21, QStringLiteral("550 Sem acesso.")});
    if (operacao == QLatin1String("Recebe"))
        QCOMPARE(b.cliente.Recebe(kServidor, kUsuario, kSenha, QStringLiteral("/destino/a.pdf"), QStringLiteral("a.pdf")),
                 resultado);
    else
        b.cliente.Deleta(kServidor, kUsuario, kSenha, QStringLiteral("a.pdf"));
    QCOMPARE(b.registro.linhas, esperado);
    QCOMPARE(b.ftp.acesso, AcessoFtp::Preconfigurado);
    QVERIFY(!b.ftp.sessaoAberta);
}

void TstClassFtp::mensagemVaiAoOuvinte()
{
    Bancada b;
    b.cliente.Mensagem(5, QStringLiteral("Houveram erros durante a publicação!"));
    b.cliente.Mensagem(9, QString());
    QCOMPARE(b.registro.linhas, (QStringList{QStringLiteral("Mensagem 5 Houveram erros durante a publicação!"),
                                              QStringLiteral("Mensagem 9 ")}));
    b.cliente.defineOuvinte(nullptr);
    b.cliente.Mensagem(2, QStringLiteral("sem ouvinte"));
}

QTEST_GUILESS_MAIN(TstClassFtp)
#include "tst_classftp.moc"
