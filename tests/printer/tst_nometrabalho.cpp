// The spool file name made from a job's title: the program captures by file name and shows it,
// and the portal receives it, so it must be a plain, safe name that still says what was printed.
#include "NomeArquivo.h"

#include <QTest>

class TstNomeTrabalho : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nome_data();
    void nome();
    void nomeLongoCortaSemQuebrarCaractere();
    void sufixoDoTrabalho();
};

void TstNomeTrabalho::nome_data()
{
    QTest::addColumn<QByteArray>("titulo");
    QTest::addColumn<QByteArray>("esperado");
    QTest::newRow("plain title") << QByteArray("Balancete Março") << QByteArray("Balancete Março.pdf");
    QTest::newRow("pdf keeps one extension") << QByteArray("Nota Fiscal.PDF") << QByteArray("Nota Fiscal.pdf");
    QTest::newRow("office extension") << QByteArray("Folha de pagamento.xlsx") << QByteArray("Folha de pagamento.pdf");
    QTest::newRow("text file") << QByteArray("texto.txt") << QByteArray("texto.pdf");
    QTest::newRow("not a document extension") << QByteArray("Balancete 2024.03") << QByteArray("Balancete 2024.03.pdf");
    QTest::newRow("absolute path") << QByteArray("/home/maria/Documentos/DRE 2024.odt") << QByteArray("DRE 2024.pdf");
    QTest::newRow("file uri") << QByteArray("file:///tmp/x/Recibo.pdf") << QByteArray("Recibo.pdf");
    QTest::newRow("windows path") << QByteArray("C:\\Users\\Joao\\Recibo 12.docx") << QByteArray("Recibo 12.pdf");
    QTest::newRow("slash in a title") << QByteArray("Relatório 03/2024") << QByteArray("Relatório 03-2024.pdf");
    QTest::newRow("backslash in a title") << QByteArray("a\\b") << QByteArray("a-b.pdf");
    QTest::newRow("dot dot") << QByteArray("../../etc/passwd") << QByteArray("etc-passwd.pdf");
    QTest::newRow("leading dots, spaces and dashes") << QByteArray(" . -.oculto") << QByteArray("oculto.pdf");
    QTest::newRow("trailing dots and spaces") << QByteArray("Ata . ") << QByteArray("Ata.pdf");
    QTest::newRow("control characters") << QByteArray("a\tb\nc\x7f") << QByteArray("a_b_c_.pdf");
    QTest::newRow("broken utf-8") << QByteArray("Rel\xe1t\xf3rio") << QByteArray("Rel_t_rio.pdf");
    QTest::newRow("overlong utf-8 slash") << QByteArray("a\xc0\xaf" "b") << QByteArray("a__b.pdf");
    QTest::newRow("C1 control") << QByteArray("a\xc2\x85z") << QByteArray("a__z.pdf");
    QTest::newRow("empty") << QByteArray("") << QByteArray("job-42.pdf");
    QTest::newRow("only dots") << QByteArray("...") << QByteArray("job-42.pdf");
    QTest::newRow("only an extension") << QByteArray(".pdf") << QByteArray("pdf.pdf");
    QTest::newRow("path ending in a slash") << QByteArray("/tmp/") << QByteArray("job-42.pdf");
}

void TstNomeTrabalho::nome()
{
    QFETCH(QByteArray, titulo);
    QFETCH(QByteArray, esperado);
    const std::string nome = vorlin::nomeDoTrabalho(std::string_view(titulo.constData(), std::size_t(titulo.size())), 42);
    QCOMPARE(QByteArray::fromStdString(nome), esperado);
}

void TstNomeTrabalho::nomeLongoCortaSemQuebrarCaractere()
{
    // 150 two-byte characters: the cut falls on a character boundary, the name stays UTF-8
    const std::string titulo = [] { std::string t; for (int i = 0; i < 150; ++i) t += "ç"; return t + ".docx"; }();
    const std::string nome = vorlin::nomeDoTrabalho(titulo, 7);
    QVERIFY(nome.size() <= 204);
    QVERIFY(QByteArray::fromStdString(nome).endsWith("ç.pdf"));
    QVERIFY(QString::fromStdString(nome).toUtf8() == QByteArray::fromStdString(nome));
    // room for " (<job id>)" within the 255 bytes of a file name
    QVERIFY(vorlin::comSufixo(nome, "2147483647-100").size() <= 255);
}

void TstNomeTrabalho::sufixoDoTrabalho()
{
    QCOMPARE(QByteArray::fromStdString(vorlin::comSufixo("Balancete.pdf", "17")), QByteArray("Balancete (17).pdf"));
}

QTEST_GUILESS_MAIN(TstNomeTrabalho)
#include "tst_nometrabalho.moc"
