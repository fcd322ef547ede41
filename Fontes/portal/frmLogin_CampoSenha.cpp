#include "portal/frmLogin_CampoSenha.h"

#include <QApplication>
#include <QKeyEvent>
#include <QProxyStyle>

namespace {

// The application's style with "#" as the echo character and no delay before a typed character
// is masked (some platforms show the last character for a moment).
class EstiloSenha final : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    int styleHint(StyleHint dica, const QStyleOption *opcao, const QWidget *widget,
                  QStyleHintReturn *retorno) const override
    {
        if (dica == SH_LineEdit_PasswordCharacter)
            return u'#';
        if (dica == SH_LineEdit_PasswordMaskDelay)
            return 0;
        return QProxyStyle::styleHint(dica, opcao, widget, retorno);
    }
};

} // namespace

CampoSenha::CampoSenha(QWidget *parent) : QLineEdit(parent)
{
    setEchoMode(QLineEdit::Password);
    // A widget does not own the style it is given: the box owns it, so both go together.
    auto *estilo = new EstiloSenha(QApplication::style()->name());
    estilo->setParent(this);
    setStyle(estilo);
}

void CampoSenha::keyPressEvent(QKeyEvent *evento)
{
    // A password box copies nothing, so a cut would only throw the typed text away.
    if (evento->matches(QKeySequence::Cut)) {
        evento->accept();
        return;
    }
    QLineEdit::keyPressEvent(evento);
}
