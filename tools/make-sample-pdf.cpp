// Writes the demo document the repository ships: a one-page trial balance of a made-up company,
// drawn with QPdfWriter so that nothing in samples/ comes from elsewhere.
// Usage: make-sample-pdf <output.pdf>
#include <QFont>
#include <QGuiApplication>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cstdio>

namespace {

struct Conta {
    const char *codigo;
    const char *nome;
    double debito;
    double credito;
};

// Debits and credits balance, as a trial balance must.
const Conta kContas[] = {
    {"1.1.01", "Caixa", 12450.00, 0},
    {"1.1.02", "Bancos conta movimento", 86320.55, 0},
    {"1.1.03", "Clientes", 43900.00, 0},
    {"1.1.04", "Estoques", 27815.40, 0},
    {"1.2.01", "Imobilizado", 120000.00, 0},
    {"1.2.02", "(-) Depreciação acumulada", 0, 24000.00},
    {"2.1.01", "Fornecedores", 0, 38720.10},
    {"2.1.02", "Obrigações trabalhistas", 0, 15230.00},
    {"2.1.03", "Obrigações tributárias", 0, 9874.35},
    {"2.3.01", "Capital social", 0, 150000.00},
    {"2.3.02", "Lucros acumulados", 0, 27211.50},
    {"3.1.01", "Receita de serviços", 0, 98400.00},
    {"4.1.01", "Despesas com pessoal", 52300.00, 0},
    {"4.1.02", "Aluguéis", 14400.00, 0},
    {"4.1.03", "Energia e comunicação", 3650.00, 0},
    {"4.1.04", "Despesas bancárias", 2600.00, 0},
};

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fputs("usage: make-sample-pdf <output.pdf>\n", stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString saida = QString::fromLocal8Bit(argv[1]);
    const QLocale br(QLocale::Portuguese, QLocale::Brazil);
    const auto valor = [&br](double v) { return v == 0 ? QString() : br.toString(v, 'f', 2); };

    QPdfWriter pdf(saida);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setResolution(72);   // one unit per point
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setTitle(QStringLiteral("Balancete de Verificação – Demonstração"));
    pdf.setCreator(QStringLiteral("Vorlin Printer make-sample-pdf"));

    QPainter p;
    if (!p.begin(&pdf)) {
        std::fprintf(stderr, "make-sample-pdf: cannot write %s\n", argv[1]);
        return 1;
    }
    const QString familia = QStringLiteral("DejaVu Sans");
    const auto fonte = [&familia](int pontos, bool negrito = false) {
        QFont f(familia);
        f.setPointSize(pontos);
        f.setBold(negrito);
        return f;
    };

    const qreal esquerda = 56, direita = 539;
    qreal y = 70;
    p.setFont(fonte(9));
    p.drawText(QRectF(esquerda, y - 20, direita - esquerda, 14), Qt::AlignRight,
               QStringLiteral("DOCUMENTO DE DEMONSTRAÇÃO – DADOS FICTÍCIOS"));
    p.setFont(fonte(16, true));
    p.drawText(QRectF(esquerda, y, direita - esquerda, 24), Qt::AlignLeft,
               QStringLiteral("Balancete de Verificação – Demonstração"));
    y += 30;
    p.setFont(fonte(10));
    p.drawText(QPointF(esquerda, y + 10), QStringLiteral("Empresa: Comércio Exemplo Ltda – CNPJ 00.000.000/0001-00"));
    y += 16;
    p.drawText(QPointF(esquerda, y + 10), QStringLiteral("Período: 01/02/2011 a 28/02/2011"));
    y += 16;
    p.drawText(QPointF(esquerda, y + 10), QStringLiteral("Escritório: Escritório Demonstração Ltda"));
    y += 28;

    const qreal colCodigo = esquerda, colNome = esquerda + 58, colDebito = 380, colCredito = 460;
    p.fillRect(QRectF(esquerda, y, direita - esquerda, 18), QColor(0xdd, 0xe6, 0xf2));
    p.setFont(fonte(9, true));
    p.drawText(QRectF(colCodigo + 4, y, 54, 18), Qt::AlignVCenter, QStringLiteral("Conta"));
    p.drawText(QRectF(colNome, y, 240, 18), Qt::AlignVCenter, QStringLiteral("Descrição"));
    p.drawText(QRectF(colDebito, y, 75, 18), Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("Débito"));
    p.drawText(QRectF(colCredito, y, 75, 18), Qt::AlignVCenter | Qt::AlignRight, QStringLiteral("Crédito"));
    y += 22;

    p.setFont(fonte(9));
    double totalDebito = 0, totalCredito = 0;
    bool listra = false;
    for (const Conta &c : kContas) {
        if (listra)
            p.fillRect(QRectF(esquerda, y - 2, direita - esquerda, 17), QColor(0xf4, 0xf6, 0xf9));
        listra = !listra;
        p.drawText(QRectF(colCodigo + 4, y - 2, 54, 17), Qt::AlignVCenter, QString::fromUtf8(c.codigo));
        p.drawText(QRectF(colNome, y - 2, 240, 17), Qt::AlignVCenter, QString::fromUtf8(c.nome));
        p.drawText(QRectF(colDebito, y - 2, 75, 17), Qt::AlignVCenter | Qt::AlignRight, valor(c.debito));
        p.drawText(QRectF(colCredito, y - 2, 75, 17), Qt::AlignVCenter | Qt::AlignRight, valor(c.credito));
        totalDebito += c.debito;
        totalCredito += c.credito;
        y += 17;
    }
    p.drawLine(QPointF(esquerda, y + 2), QPointF(direita, y + 2));
    y += 6;
    p.setFont(fonte(9, true));
    p.drawText(QRectF(colNome, y, 240, 17), Qt::AlignVCenter, QStringLiteral("Totais"));
    p.drawText(QRectF(colDebito, y, 75, 17), Qt::AlignVCenter | Qt::AlignRight, valor(totalDebito));
    p.drawText(QRectF(colCredito, y, 75, 17), Qt::AlignVCenter | Qt::AlignRight, valor(totalCredito));
    y += 50;

    p.setFont(fonte(9));
    p.drawLine(QPointF(esquerda, y), QPointF(esquerda + 190, y));
    p.drawLine(QPointF(direita - 190, y), QPointF(direita, y));
    p.drawText(QRectF(esquerda, y + 4, 190, 14), Qt::AlignHCenter, QStringLiteral("Contador responsável"));
    p.drawText(QRectF(direita - 190, y + 4, 190, 14), Qt::AlignHCenter, QStringLiteral("Administrador"));

    p.setFont(fonte(8));
    p.setPen(QColor(0x66, 0x66, 0x66));
    p.drawText(QRectF(esquerda, 800, direita - esquerda, 14), Qt::AlignHCenter,
               QStringLiteral("Gerado pela Impressora Virtual de PDF – página 1 de 1"));
    p.end();
    return 0;
}
