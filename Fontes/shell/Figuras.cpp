#include "shell/Figuras.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <functional>

namespace figuras {

namespace {

const QColor kVermelhoPdf(0xc6, 0x28, 0x28);
const QColor kAzul(0x1e, 0x5a, 0xa8);
const QColor kVerde(0x2e, 0x8b, 0x3e);
const QColor kTinta(0x33, 0x33, 0x33);

// Every picture is drawn on a 100 x 100 canvas scaled to the requested size.
QPixmap desenha(QSize tamanho, const std::function<void(QPainter &)> &pinta)
{
    QPixmap px(tamanho);
    px.fill(Qt::transparent);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(tamanho.width() / 100.0, tamanho.height() / 100.0);
    pinta(p);
    return px;
}

QIcon icone(const std::function<void(QPainter &)> &pinta)
{
    QIcon i;
    for (int lado : {16, 24, 32, 48})
        i.addPixmap(desenha(QSize(lado, lado), pinta));
    return i;
}

void folha(QPainter &p, const QRectF &r, bool comFaixa)
{
    const qreal dobra = r.width() * 0.28;
    QPainterPath contorno;
    contorno.moveTo(r.topLeft());
    contorno.lineTo(r.right() - dobra, r.top());
    contorno.lineTo(r.right(), r.top() + dobra);
    contorno.lineTo(r.bottomRight());
    contorno.lineTo(r.bottomLeft());
    contorno.closeSubpath();
    p.setPen(QPen(QColor(0x70, 0x70, 0x70), 1.5));
    p.setBrush(Qt::white);
    p.drawPath(contorno);

    QPainterPath canto;
    canto.moveTo(r.right() - dobra, r.top());
    canto.lineTo(r.right() - dobra, r.top() + dobra);
    canto.lineTo(r.right(), r.top() + dobra);
    canto.closeSubpath();
    p.setBrush(QColor(0xdd, 0xdd, 0xdd));
    p.drawPath(canto);

    p.setPen(QPen(QColor(0xb0, 0xb0, 0xb0), 1.2));
    const qreal x0 = r.left() + r.width() * 0.14;
    const qreal x1 = r.right() - r.width() * 0.14;
    for (qreal y = r.top() + r.height() * 0.32; y < r.bottom() - r.height() * 0.3; y += r.height() * 0.09)
        p.drawLine(QPointF(x0, y), QPointF(x1, y));

    if (comFaixa) {
        const QRectF faixa(r.left() - r.width() * 0.08, r.bottom() - r.height() * 0.28,
                           r.width() * 0.8, r.height() * 0.2);
        p.setPen(Qt::NoPen);
        p.setBrush(kVermelhoPdf);
        p.drawRoundedRect(faixa, 2, 2);
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setBold(true);
        f.setPixelSize(qMax(1, int(faixa.height() * 0.75)));
        p.setFont(f);
        p.setPen(Qt::white);
        p.drawText(faixa, Qt::AlignCenter, QStringLiteral("PDF"));
    }
}

void disquete(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(QColor(0x1b, 0x3d, 0x6e), 2));
    p.setBrush(kAzul);
    QPainterPath corpo;
    const qreal c = r.width() * 0.15;
    corpo.moveTo(r.topLeft());
    corpo.lineTo(r.right() - c, r.top());
    corpo.lineTo(r.right(), r.top() + c);
    corpo.lineTo(r.bottomRight());
    corpo.lineTo(r.bottomLeft());
    corpo.closeSubpath();
    p.drawPath(corpo);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xe8, 0xe8, 0xe8));
    p.drawRect(QRectF(r.left() + r.width() * 0.22, r.top() + 2, r.width() * 0.5, r.height() * 0.3));
    p.setBrush(kAzul.darker(130));
    p.drawRect(QRectF(r.left() + r.width() * 0.55, r.top() + 5, r.width() * 0.1, r.height() * 0.2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(r.left() + r.width() * 0.15, r.top() + r.height() * 0.5,
                             r.width() * 0.7, r.height() * 0.42), 2, 2);
}

void seta(QPainter &p, const QPointF &base, qreal altura, qreal largura, const QColor &cor)
{
    QPainterPath s;
    s.moveTo(base.x() - largura * 0.22, base.y());
    s.lineTo(base.x() - largura * 0.22, base.y() - altura * 0.55);
    s.lineTo(base.x() - largura * 0.5, base.y() - altura * 0.55);
    s.lineTo(base.x(), base.y() - altura);
    s.lineTo(base.x() + largura * 0.5, base.y() - altura * 0.55);
    s.lineTo(base.x() + largura * 0.22, base.y() - altura * 0.55);
    s.lineTo(base.x() + largura * 0.22, base.y());
    s.closeSubpath();
    p.setPen(QPen(cor.darker(140), 1.5));
    p.setBrush(cor);
    p.drawPath(s);
}

void pintaGlobo(QPainter &p, const QRectF &r)
{
    QRadialGradient g(r.center() - QPointF(r.width() * 0.15, r.height() * 0.15), r.width() * 0.7);
    g.setColorAt(0, QColor(0x8e, 0xc9, 0xf5));
    g.setColorAt(1, kAzul);
    p.setPen(QPen(kAzul.darker(150), 2));
    p.setBrush(g);
    p.drawEllipse(r);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 180), 1.5));
    p.drawEllipse(QRectF(r.center().x() - r.width() * 0.2, r.top(), r.width() * 0.4, r.height()));
    p.drawLine(QPointF(r.center().x(), r.top()), QPointF(r.center().x(), r.bottom()));
    p.drawLine(QPointF(r.left(), r.center().y()), QPointF(r.right(), r.center().y()));
    const qreal dy = r.height() * 0.25;
    const qreal dx = r.width() * 0.07;
    p.drawLine(QPointF(r.left() + dx, r.center().y() - dy), QPointF(r.right() - dx, r.center().y() - dy));
    p.drawLine(QPointF(r.left() + dx, r.center().y() + dy), QPointF(r.right() - dx, r.center().y() + dy));
}

} // namespace

void pintaPrograma(QPainter &p)
{
    // the paper going in at the back
    p.save();
    p.setClipRect(QRectF(0, 0, 100, 24));
    folha(p, QRectF(24, 4, 52, 40), false);
    p.restore();

    const QRectF corpo(6, 20, 88, 40);
    p.setPen(QPen(QColor(0x22, 0x22, 0x22), 2.5));
    p.setBrush(QColor(0xd8, 0xdc, 0xe0));
    p.drawRoundedRect(corpo, 8, 8);
    p.setBrush(QColor(0x44, 0x48, 0x50));
    p.drawRect(QRectF(16, 30, 68, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(kVerde.lighter(130));
    p.drawEllipse(QPointF(83, 50), 3.5, 3.5);
    p.setPen(QPen(QColor(0x22, 0x22, 0x22), 2.5));
    p.setBrush(QColor(0xc4, 0xc8, 0xcc));
    p.drawRect(QRectF(13, 58, 74, 7));

    // the PDF coming out at the front
    folha(p, QRectF(25, 54, 50, 44), true);
}

QPixmap programa(QSize tamanho)
{
    return desenha(tamanho, pintaPrograma);
}

QPixmap paginaPdf(QSize tamanho)
{
    return desenha(tamanho, [](QPainter &p) { folha(p, QRectF(18, 6, 64, 88), true); });
}

QIcon gerarPdf()
{
    return icone([](QPainter &p) {
        folha(p, QRectF(8, 4, 52, 70), true);
        disquete(p, QRectF(48, 50, 46, 46));
    });
}

QIcon enviar()
{
    return icone([](QPainter &p) {
        folha(p, QRectF(10, 10, 56, 80), false);
        seta(p, QPointF(68, 94), 62, 44, kVerde);
    });
}

QIcon salvaEnvia()
{
    return icone([](QPainter &p) {
        disquete(p, QRectF(6, 40, 54, 54));
        seta(p, QPointF(72, 94), 84, 44, kVerde);
    });
}

QIcon visualizar()
{
    return icone([](QPainter &p) {
        QPainterPath olho;
        olho.moveTo(4, 50);
        olho.quadTo(50, 6, 96, 50);
        olho.quadTo(50, 94, 4, 50);
        p.setPen(QPen(kTinta, 3));
        p.setBrush(Qt::white);
        p.drawPath(olho);
        QRadialGradient g(QPointF(46, 46), 22);
        g.setColorAt(0, QColor(0x6f, 0xb1, 0xe6));
        g.setColorAt(1, kAzul);
        p.setBrush(g);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QPointF(50, 50), 20, 20);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(50, 50), 9, 9);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(44, 44), 4, 4);
    });
}

QIcon consultar()
{
    return icone([](QPainter &p) {
        p.setPen(QPen(QColor(0x5a, 0x3b, 0x1e), 12, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(62, 62), QPointF(90, 90));
        QRadialGradient g(QPointF(36, 34), 34);
        g.setColorAt(0, QColor(0xf0, 0xf8, 0xff));
        g.setColorAt(1, QColor(0xa8, 0xd0, 0xf0));
        p.setBrush(g);
        p.setPen(QPen(kTinta, 6));
        p.drawEllipse(QPointF(40, 40), 28, 28);
    });
}

QIcon cancelar()
{
    return icone([](QPainter &p) {
        QRadialGradient g(QPointF(40, 38), 55);
        g.setColorAt(0, QColor(0xf0, 0x60, 0x60));
        g.setColorAt(1, kVermelhoPdf.darker(120));
        p.setPen(QPen(kVermelhoPdf.darker(160), 2));
        p.setBrush(g);
        p.drawEllipse(QRectF(6, 6, 88, 88));
        p.setPen(QPen(Qt::white, 12, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(32, 32), QPointF(68, 68));
        p.drawLine(QPointF(68, 32), QPointF(32, 68));
    });
}

QPixmap disco(QSize tamanho)
{
    return desenha(tamanho, [](QPainter &p) {
        // a drum of storage: three stacked discs
        for (int i = 2; i >= 0; --i) {
            const qreal y = 22 + i * 22;
            QLinearGradient g(10, 0, 90, 0);
            g.setColorAt(0, QColor(0x7d, 0x8c, 0x9c));
            g.setColorAt(0.5, QColor(0xd6, 0xdd, 0xe4));
            g.setColorAt(1, QColor(0x6a, 0x78, 0x88));
            p.setPen(QPen(QColor(0x44, 0x4c, 0x56), 1.5));
            p.setBrush(g);
            p.drawRect(QRectF(12, y, 76, 20));
            p.drawEllipse(QRectF(12, y + 12, 76, 16));
            p.setBrush(QColor(0xc4, 0xcc, 0xd4));
            p.drawEllipse(QRectF(12, y - 8, 76, 16));
            p.setPen(Qt::NoPen);
            p.setBrush(kVerde);
            p.drawEllipse(QPointF(78, y + 12), 3, 3);
        }
    });
}

QPixmap globo(QSize tamanho)
{
    return desenha(tamanho, [](QPainter &p) { pintaGlobo(p, QRectF(8, 8, 84, 84)); });
}

QPixmap lampada(QSize tamanho)
{
    return desenha(tamanho, [](QPainter &p) {
        QRadialGradient brilho(QPointF(50, 40), 48);
        brilho.setColorAt(0, QColor(255, 240, 150, 160));
        brilho.setColorAt(1, QColor(255, 240, 150, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(brilho);
        p.drawEllipse(QPointF(50, 40), 48, 48);

        QPainterPath bulbo;
        bulbo.moveTo(38, 66);
        bulbo.cubicTo(38, 54, 22, 50, 22, 36);
        bulbo.cubicTo(22, 18, 36, 8, 50, 8);
        bulbo.cubicTo(64, 8, 78, 18, 78, 36);
        bulbo.cubicTo(78, 50, 62, 54, 62, 66);
        bulbo.closeSubpath();
        QRadialGradient g(QPointF(44, 28), 40);
        g.setColorAt(0, QColor(0xff, 0xfb, 0xd0));
        g.setColorAt(1, QColor(0xf5, 0xc5, 0x18));
        p.setPen(QPen(QColor(0xa0, 0x7a, 0x00), 2));
        p.setBrush(g);
        p.drawPath(bulbo);

        p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1.5));
        p.setBrush(QColor(0xa8, 0xa8, 0xa8));
        for (int i = 0; i < 3; ++i)
            p.drawRoundedRect(QRectF(37, 67 + i * 8, 26, 7), 3, 3);
        p.setBrush(QColor(0x55, 0x55, 0x55));
        p.drawEllipse(QRectF(44, 90, 12, 6));
    });
}

QPixmap splash(QSize tamanho)
{
    QPixmap px(tamanho);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    const qreal w = tamanho.width();
    const qreal h = tamanho.height();

    QLinearGradient fundo(0, 0, 0, h);
    fundo.setColorAt(0, QColor(0x1e, 0x4e, 0x8c));
    fundo.setColorAt(1, QColor(0x0d, 0x26, 0x48));
    p.fillRect(QRectF(0, 0, w, h), fundo);

    // the printer with a page coming out
    const QRectF impressora(w * 0.07, h * 0.36, w * 0.3, h * 0.28);
    p.setPen(QPen(QColor(0x22, 0x22, 0x22), 2));
    p.setBrush(QColor(0xd8, 0xdc, 0xe0));
    p.drawRoundedRect(impressora, 8, 8);
    p.setBrush(QColor(0x44, 0x48, 0x50));
    p.drawRect(QRectF(impressora.left() + impressora.width() * 0.12, impressora.top() + impressora.height() * 0.2,
                      impressora.width() * 0.76, impressora.height() * 0.12));
    p.setPen(Qt::NoPen);
    p.setBrush(kVerde.lighter(130));
    p.drawEllipse(QPointF(impressora.right() - 12, impressora.bottom() - 12), 4, 4);
    {
        p.save();
        const QRectF pag(impressora.left() + impressora.width() * 0.18, h * 0.1,
                         impressora.width() * 0.64, impressora.top() - h * 0.1 + impressora.height() * 0.25);
        p.setClipRect(QRectF(0, 0, w, impressora.top() + impressora.height() * 0.26));
        folha(p, pag, false);
        p.restore();
    }
    p.setPen(QPen(QColor(0x22, 0x22, 0x22), 2));
    p.setBrush(QColor(0xc4, 0xc8, 0xcc));
    p.drawRect(QRectF(impressora.left() + impressora.width() * 0.1, impressora.bottom() - 2,
                      impressora.width() * 0.8, h * 0.08));
    folha(p, QRectF(impressora.left() + impressora.width() * 0.2, impressora.bottom() + h * 0.02,
                    impressora.width() * 0.6, h * 0.26), true);

    // the name
    const QRectF texto(w * 0.43, h * 0.22, w * 0.53, h * 0.22);
    QFont titulo(QStringLiteral("DejaVu Sans"));
    titulo.setBold(true);
    // the largest size at which the name fits the space beside the printer
    for (int pixels = int(h * 0.14); pixels > 6; --pixels) {
        titulo.setPixelSize(pixels);
        if (QFontMetricsF(titulo).horizontalAdvance(QStringLiteral("Vorlin Printer")) <= texto.width())
            break;
    }
    p.setFont(titulo);
    p.setPen(Qt::white);
    p.drawText(texto, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Vorlin Printer"));

    // a row of small pages under the name: what the program makes
    for (int i = 0; i < 4; ++i)
        folha(p, QRectF(w * 0.43 + i * w * 0.09, h * 0.5, w * 0.065, h * 0.15), false);

    p.setPen(QPen(QColor(0x8e, 0xb8, 0xe8), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    return px;
}

} // namespace figuras
