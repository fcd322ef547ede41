#pragma once
// Window helpers shared by the program's windows.
class QWidget;

namespace tela {

// Design sizes are in twips, 15 to the pixel.
constexpr int tw(int twips) { return (twips + 7) / 15; }

// Centres the window's frame on its screen (the primary one before it has a screen).
void centraNaTela(QWidget &janela);

} // namespace tela
