#pragma once
// The login window's password box: every character shows as "#". The real text stays in the line
// edit; only the echo character comes from a style of its own, so typing, pasting, backspace and
// selection work as in any password box, and the text never leaves it: no copy, no drag, and a
// cut from the keyboard does nothing (the context menu offers neither).
#include <QLineEdit>

class CampoSenha : public QLineEdit {
    Q_OBJECT
public:
    explicit CampoSenha(QWidget *parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent *evento) override;
};
