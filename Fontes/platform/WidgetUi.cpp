#include "WidgetUi.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>
#include <QUrl>

namespace plataforma {

namespace {

// about one frame of a 60 Hz screen
constexpr qint64 kVezMs = 16;

QMessageBox::Icon iconeQt(Icone icone)
{
    switch (icone) {
    case Icone::Erro: return QMessageBox::Critical;
    case Icone::Pergunta: return QMessageBox::Question;
    case Icone::Exclamacao: return QMessageBox::Warning;
    case Icone::Informacao: return QMessageBox::Information;
    case Icone::Nenhum: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButton botaoQt(Resposta r)
{
    switch (r) {
    case Resposta::Ok: return QMessageBox::Ok;
    case Resposta::Sim: return QMessageBox::Yes;
    case Resposta::Nao: return QMessageBox::No;
    case Resposta::Cancelar: return QMessageBox::Cancel;
    }
    return QMessageBox::NoButton;
}

// "Arquivos Adobe PDF|*.pdf|Todos|*.*" -> "Arquivos Adobe PDF (*.pdf);;Todos (*.*)"
QString filtroQt(const QString &filtro)
{
    const QStringList partes = filtro.split(QLatin1Char('|'));
    QStringList filtros;
    for (int i = 0; i + 1 < partes.size(); i += 2)
        filtros << partes[i] + QStringLiteral(" (") + QString(partes[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) + QLatin1Char(')');
    return filtros.join(QStringLiteral(";;"));
}

} // namespace

WidgetUi::WidgetUi(std::function<qint64()> relogioMs) : m_relogioMs(std::move(relogioMs))
{
    m_desdeInicio.start();
    m_ultimaVezMs = agoraMs();
}

Resposta WidgetUi::mensagem(const Caixa &caixa)
{
    QMessageBox box(iconeQt(caixa.icone), caixa.titulo, caixa.texto, QMessageBox::NoButton,
                    QApplication::activeWindow());
    switch (caixa.botoes) {
    case Botoes::Ok: box.setStandardButtons(QMessageBox::Ok); break;
    case Botoes::SimNao: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
    case Botoes::OkCancelar: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
    case Botoes::SimNaoCancelar:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        break;
    }
    for (auto [botao, texto] : {std::pair{QMessageBox::Yes, "Sim"}, std::pair{QMessageBox::No, "Não"},
                                std::pair{QMessageBox::Cancel, "Cancelar"}}) {
        if (QAbstractButton *b = box.button(botao))
            b->setText(QString::fromUtf8(texto));
    }
    box.setDefaultButton(botaoQt(caixa.padrao));
    if (caixa.direitaParaEsquerda)
        box.setLayoutDirection(Qt::RightToLeft);
    // Message boxes must show the normal pointer even while a busy cursor is set.
    const bool ocupado = m_ocupado > 0;
    if (ocupado)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int r = box.exec();
    if (ocupado)
        QApplication::restoreOverrideCursor();
    switch (r) {
    case QMessageBox::Yes: return Resposta::Sim;
    case QMessageBox::No: return Resposta::Nao;
    case QMessageBox::Cancel: return Resposta::Cancelar;
    default: return caixa.botoes == Botoes::SimNao ? Resposta::Nao : Resposta::Ok;
    }
}

ResultadoSalvar WidgetUi::salvarArquivo(const DialogoSalvar &dialogo)
{
    QFileDialog dlg(QApplication::activeWindow(), dialogo.titulo, QString(), filtroQt(dialogo.filtro));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    // The program asks about replacing an existing file itself.
    dlg.setOption(QFileDialog::DontConfirmOverwrite, true);
    dlg.selectFile(dialogo.nomeProposto);
    ResultadoSalvar resultado;
    if (dlg.exec() != QDialog::Accepted) {
        resultado.cancelado = true;
        return resultado;
    }
    const QStringList escolhidos = dlg.selectedFiles();
    resultado.caminho = escolhidos.isEmpty() ? QString() : QDir::toNativeSeparators(escolhidos.first());
    return resultado;
}

void WidgetUi::cursorOcupado(bool ocupado)
{
    if (ocupado) {
        ++m_ocupado;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else if (m_ocupado > 0) {
        --m_ocupado;
        QApplication::restoreOverrideCursor();
    }
}

void WidgetUi::processaEventos()
{
    QCoreApplication::processEvents();
    m_ultimaVezMs = agoraMs();
}

void WidgetUi::cedeVez(Vez vez)
{
    if (agoraMs() - m_ultimaVezMs < kVezMs)
        return;
    QCoreApplication::processEvents(vez == Vez::Tudo ? QEventLoop::AllEvents : QEventLoop::ExcludeUserInputEvents);
    m_ultimaVezMs = agoraMs();
}

void WidgetUi::espera(int milissegundos)
{
    // Paint while waiting, but take no input: nothing may start another command meanwhile.
    QEventLoop laco;
    QTimer::singleShot(milissegundos, &laco, &QEventLoop::quit);
    laco.exec(QEventLoop::ExcludeUserInputEvents);
    m_ultimaVezMs = agoraMs();
}

bool WidgetUi::abreDocumento(const QString &caminho)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(caminho));
}

bool WidgetUi::abreEndereco(const QString &url)
{
    return QDesktopServices::openUrl(QUrl(url));
}

bool WidgetUi::iniciaProcesso(const QString &programa, const QStringList &argumentos)
{
    return QProcess::startDetached(programa, argumentos);
}

} // namespace plataforma
