#include "publication/frmInform_figuras.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace figurasInform {

namespace {

const QColor kAzul(0x1e, 0x5a, 0xa8);
const QColor kVerde(0x2e, 0x8b, 0x3e);
const QColor kCinza(0x70, 0x70, 0x70);

QPixmap desenha(QSize tamanho, const std::function<void(QPainter &, QSizeF)> &pinta)
{
    QPixmap px(tamanho);
    px.fill(Qt::transparent);
    QPainter p(&px);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    pinta(p, QSizeF(tamanho));
    return px;
}

// Square icons are drawn on a 100 x 100 canvas.
QIcon icone(const std::function<void(QPainter &)> &pinta)
{
    QIcon i;
    for (int lado : {16, 24, 32, 48}) {
        i.addPixmap(desenha(QSize(lado, lado), [&pinta](QPainter &p, QSizeF t) {
            p.scale(t.width() / 100.0, t.height() / 100.0);
            pinta(p);
        }));
    }
    return i;
}

void pagina(QPainter &p, const QRectF &r)
{
    p.setPen(QPen(kCinza, 2));
    p.setBrush(Qt::white);
    p.drawRect(r);
    p.setPen(QPen(QColor(0xb0, 0xb0, 0xb0), 2));
    for (qreal y = r.top() + r.height() * 0.25; y < r.bottom() - r.height() * 0.15; y += r.height() * 0.16)
        p.drawLine(QPointF(r.left() + r.width() * 0.15, y), QPointF(r.right() - r.width() * 0.15, y));
}

} // namespace

QPixmap logoPadrao(QSize tamanho)
{
    return desenha(tamanho, [](QPainter &p, QSizeF t) {
        const QRectF r(1, 1, t.width() - 2, t.height() - 2);
        QLinearGradient fundo(r.topLeft(), r.bottomLeft());
        fundo.setColorAt(0, kAzul.lighter(140));
        fundo.setColorAt(1, kAzul);
        p.setPen(QPen(kAzul.darker(140), 1));
        p.setBrush(fundo);
        p.drawRoundedRect(r, 6, 6);

        // a page going up, at the left
        const qreal lado = r.height() * 0.62;
        const QRectF folha(r.left() + r.height() * 0.2, r.center().y() - lado / 2, lado * 0.75, lado);
        pagina(p, folha);

        QFont f(QStringLiteral("DejaVu Sans"));
        f.setBold(true);
        f.setPixelSize(qMax(8, int(r.height() * 0.3)));
        p.setFont(f);
        p.setPen(Qt::white);
        const QRectF texto(folha.right() + r.height() * 0.15, r.top(), r.right() - folha.right() - r.height() * 0.2,
                           r.height());
        p.drawText(texto, Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Vorlin Printer"));
    });
}

QIcon fila()
{
    return icone([](QPainter &p) {
        pagina(p, QRectF(34, 6, 44, 54));
        pagina(p, QRectF(26, 14, 44, 54));
        pagina(p, QRectF(18, 22, 44, 54));
        // the tray
        QPainterPath bandeja;
        bandeja.moveTo(8, 66);
        bandeja.lineTo(16, 94);
        bandeja.lineTo(84, 94);
        bandeja.lineTo(92, 66);
        bandeja.lineTo(70, 66);
        bandeja.lineTo(64, 78);
        bandeja.lineTo(36, 78);
        bandeja.lineTo(30, 66);
        bandeja.closeSubpath();
        p.setPen(QPen(kAzul.darker(140), 2));
        p.setBrush(kAzul);
        p.drawPath(bandeja);
    });
}

QIcon confirmar()
{
    return icone([](QPainter &p) {
        pagina(p, QRectF(14, 6, 56, 74));
        QPainterPath visto;
        visto.moveTo(40, 66);
        visto.lineTo(56, 84);
        visto.lineTo(90, 40);
        p.setPen(QPen(kVerde, 11, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(visto);
    });
}

} // namespace figurasInform
