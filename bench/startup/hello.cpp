// The anchor of the start-up and memory figures: a hello-world Qt Widgets window. Says so on
// stdout at its first paint and ends, as vorlin-printer does under VORLIN_MEDE_INICIO=1.
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>
#include <cstdio>

namespace {

class Ola : public QLabel {
public:
    Ola() : QLabel(QStringLiteral("Olá, mundo")) {}

protected:
    bool event(QEvent *evento) override
    {
        if (evento->type() == QEvent::Paint && !m_avisou) {
            m_avisou = true;
            std::fputs("hello: janela visivel\n", stdout);
            std::fflush(stdout);
            QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
        }
        return QLabel::event(evento);
    }

private:
    bool m_avisou = false;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Ola janela;
    janela.resize(300, 100);
    janela.show();
    return app.exec();
}
