#pragma once
// A window's commands described once, as a table, and built twice: as picture buttons (in a
// sunken frame or standing alone) and as the hidden toolbar variant the button-style check shows.
#include <QIcon>
#include <QString>

#include <functional>
#include <initializer_list>
#include <vector>

class QFrame;
class QToolBar;
class QToolButton;
class QWidget;

struct Comando {
    const char *nome;           // picture button; nullptr when only the toolbar has the command
    const char *chave;          // toolbar key, handed to the toolbar's handler
    QString legenda;            // the picture button's caption
    QString legendaBarra;       // the toolbar's caption; empty: the same as the button's
    QString dica;               // the toolbar's tip
    QIcon (*figura)();
    std::function<void()> acao; // the picture button's handler
    QToolButton **botao = nullptr; // where the window keeps the picture button
};

// Sizes in twips; zero width leaves the button's size to whoever places it.
struct MedidasBotao {
    int largura = 0;
    int altura = 0;
    bool foco = true;      // reached by Tab
    bool rastreio = false; // reports the mouse for a hint area
};

class Comandos {
public:
    Comandos(QWidget *janela, std::initializer_list<Comando> tabela, MedidasBotao medidas);

    // The sunken frame "fraBotoes" with the picture buttons in a row, in table order.
    QFrame *quadro(QWidget *pai, int espacamento) const;
    // One picture button, for a window that places it itself.
    QToolButton *botao(QWidget *pai, const Comando &comando) const;
    // The toolbar variant, every command in table order; a click hands its key to aoClicar.
    QToolBar *barra(QWidget *pai, const char *nome, std::function<void(const QString &)> aoClicar) const;

    const std::vector<Comando> &tabela() const { return m_tabela; }

private:
    QWidget *m_janela;
    std::vector<Comando> m_tabela;
    MedidasBotao m_medidas;
};
