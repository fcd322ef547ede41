#include "shell/Tela.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace tela {

void centraNaTela(QWidget &janela)
{
    const QScreen *s = janela.screen() ? janela.screen() : QGuiApplication::primaryScreen();
    if (!s)
        return;
    QRect r = janela.frameGeometry();
    r.moveCenter(s->availableGeometry().center());
    janela.move(r.topLeft());
}

} // namespace tela
