// Renders the program's icon for the desktop: PNG 48 and 256, and SVG, for the hicolor theme.
// Usage: vorlin-icon <folder>   (writes vorlin-printer-48.png, vorlin-printer-256.png, vorlin-printer.svg)
#include "shell/Figuras.h"

#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: vorlin-icon <folder>\n", stderr);
        return 1;
    }
    const QDir pasta(QString::fromLocal8Bit(argv[1]));
    if (!pasta.mkpath(QStringLiteral(".")))
        return 1;
    for (int lado : {48, 256}) {
        if (!figuras::programa(QSize(lado, lado)).save(pasta.filePath(QStringLiteral("vorlin-printer-%1.png").arg(lado))))
            return 1;
    }
    QSvgGenerator svg;
    svg.setFileName(pasta.filePath(QStringLiteral("vorlin-printer.svg")));
    svg.setSize(QSize(256, 256));
    svg.setViewBox(QRect(0, 0, 256, 256));
    svg.setTitle(QStringLiteral("Vorlin Printer"));
    QPainter p;
    if (!p.begin(&svg))
        return 1;
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(2.56, 2.56);
    figuras::pintaPrograma(p);
    return p.end() ? 0 : 1;
}
