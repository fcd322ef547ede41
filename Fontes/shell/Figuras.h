#pragma once
// The program's pictures, drawn with QPainter so that nothing depends on image files or plugins.
#include <QIcon>
#include <QPixmap>
#include <QSize>

class QPainter;

namespace figuras {

// the program's own icon (desktop menu, file manager): a printer putting out a PDF page;
// pintaPrograma draws it on a 100 x 100 canvas, for vector output
QPixmap programa(QSize tamanho);
void pintaPrograma(QPainter &p);

QPixmap paginaPdf(QSize tamanho);   // a PDF page with a folded corner
QPixmap splash(QSize tamanho);      // the splash picture: printer, page and the program's name

// command pictures (picture buttons and toolbar buttons)
QIcon gerarPdf();      // a page going onto a disk
QIcon enviar();        // a page going up to the portal
QIcon salvaEnvia();    // disk and upward arrow
QIcon visualizar();    // an eye
QIcon consultar();     // a magnifier
QIcon cancelar();      // a red cross

// side panel pictures
QPixmap disco(QSize tamanho);       // storage space
QPixmap globo(QSize tamanho);       // connectivity
QPixmap lampada(QSize tamanho);     // tips

} // namespace figuras
