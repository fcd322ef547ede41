// The publication dialog's queue command with the real queue behind it: each checked file is
// queued on its own, a copy of exactly that file with its own index line and its folder and users
// kept beside it, and the dialog tells so. The command is the hidden toolbar's key or Ctrl+M.
#include "../publication/tst_frminform_bancada.h"
#include "transfer/FilaEnvio.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTest>

using plataforma::Resposta;

namespace {

const QByteArray kSoltoConteudo = QByteArrayLiteral("%PDF-1.4 folha\n%%EOF\n");

QByteArray le(const QString &caminho)
{
    QFile f(caminho);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TstFilaInform : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void filaDoDialogo_data();
    void filaDoDialogo();
};

void TstFilaInform::filaDoDialogo_data()
{
    QTest::addColumn<bool>("documento");   // the captured document checked
    QTest::addColumn<bool>("solto");       // a dropped file, checked
    QTest::addColumn<bool>("atalho");      // Ctrl+M typed in the description, not the toolbar's key
    QTest::newRow("o documento, pelo atalho") << true << false << true;
    QTest::newRow("o documento e um arquivo solto") << true << true << false;
    QTest::newRow("só o arquivo solto, pelo atalho") << false << true << true;
}

void TstFilaInform::filaDoDialogo()
{
    QFETCH(bool, documento);
    QFETCH(bool, solto);
    QFETCH(bool, atalho);
    InformBancada b;
    frmInform::Janelas janelas = b.janelas();
    janelas.enfileirar = nullptr;   // the dialog's own queue
    b.dlg = std::make_unique<frmInform>(b.amb, b.funcs, janelas);
    b.dlg->show();

    b.marcaCliente(7);
    b.controle<QLineEdit>(QStringLiteral("txtDescricao"))->setText(QStringLiteral("Guia"));
    b.escolhePasta(1, 11);
    b.lista("lstArquivos")->item(0)->setCheckState(documento ? Qt::Checked : Qt::Unchecked);
    const QString caminhoSolto = b.home.criaArquivo(QStringLiteral("outros/Folha.pdf"), kSoltoConteudo);
    if (solto) {
        b.solta({caminhoSolto});
        b.lista("lstArquivos")->item(1)->setCheckState(Qt::Checked);
        b.trocaPara(1);
        b.marcaCliente(3);
        b.controle<QLineEdit>(QStringLiteral("txtDescricao"))->setText(QStringLiteral("Folha"));
        b.escolhePasta(1, 11);
    }
    // what each queued copy must hold and its line begin with
    QList<std::pair<QByteArray, QString>> esperados;
    if (documento)
        esperados.append({le(b.capturado), QStringLiteral("7>@%%1>@%Balancete Demo.pdf>@%2>@%Guia>@%")});
    if (solto)
        esperados.append({kSoltoConteudo, QStringLiteral("3>@%%1>@%Folha.pdf>@%2>@%Folha>@%")});
    for (qsizetype i = 0; i < esperados.size(); ++i)
        b.home.ui.responde(Resposta::Ok);

    if (atalho) {
        b.dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(b.dlg.get()));
        QTest::keyClick(b.controle<QLineEdit>(QStringLiteral("txtDescricao")), Qt::Key_M, Qt::ControlModifier);
    } else {
        b.dlg->findChild<QAction *>(QStringLiteral("keyMultiplo"))->trigger();
    }

    const QString fila = b.home.pastaPrograma() + QStringLiteral("queqe/");
    const QStringList linhas = plataforma::deAnsi(le(fila + QStringLiteral("vrmf.rlx"))).split(QStringLiteral("\r\n"));
    QStringList copias;
    for (qsizetype i = 0; i < esperados.size(); ++i) {
        const QString copia = QStringLiteral("file%1").arg(i + 1, 3, 10, QLatin1Char('0'));
        copias << copia;
        QCOMPARE(le(fila + QStringLiteral("files/") + copia), esperados.at(i).first);
        QVERIFY2(linhas.value(i).startsWith(esperados.at(i).second.arg(copia)), qPrintable(linhas.value(i)));
        const auto dados = b.amb.Fila().LeDados(copia);
        QVERIFY(dados);
        QCOMPARE(dados->pasta, QStringLiteral("11|0|0|0|0|"));
        QCOMPARE(dados->email, QStringLiteral("N"));
    }
    QCOMPARE(QDir(fila + QStringLiteral("files")).entryList(QDir::Files, QDir::Name), copias);
    QCOMPARE(linhas.size(), esperados.size() + 1);
    const QString sucesso = QStringLiteral("A Impressão foi adicionada a fila de Multiplos envios com sucesso!");
    QCOMPARE(b.home.ui.textos(), QStringList(esperados.size(), sucesso));
    QVERIFY(b.home.ui.inesperadas.isEmpty());
    QVERIFY(b.amb.Enfileirado());
    QVERIFY(!b.dlg->isVisible());
    QCOMPARE(b.amb.arquivo(), b.capturado);
}

QTEST_MAIN(TstFilaInform)
#include "tst_fila_inform.moc"
