#pragma once
// Pictures of the publication dialog, drawn with QPainter.
#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace figurasInform {

// The logo shown when the office's own cannot be loaded.
QPixmap logoPadrao(QSize tamanho);
// "Fila": pages stacked in a tray.
QIcon fila();
// "Confirmar": a page with a green tick.
QIcon confirmar();

} // namespace figurasInform
