// The publication dialog's life: construction, the load sequence, the values handed back to the
// main window, the close check and the keyboard.
#include "publication/frmInform.h"

#include "publication/DataTexto.h"
#include "publication/SeletorData.h"
#include "publication/frmInform_destinatarios.h"
#include "publication/frmInform_pastas.h"
#include "platform/ErrorCodes.h"
#include "shell/ModFuncs.h"
#include "shell/classAmbiente.h"
#include "transfer/frmTransferencia.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QUrl>
#include <cstdlib>

using plataforma::Botoes;
using plataforma::Caixa;
using plataforma::Icone;
using plataforma::Resposta;
using publicacao::DadosArquivo;

namespace {

const QString kModulo = QStringLiteral("frmInform");

} // namespace

bool ContextoInform::passo(const QString &procedimento, const std::function<void()> &acao) const
{
    return funcs.Passo(kModulo, procedimento, acao);
}

void ContextoInform::mostra(const QString &texto, plataforma::Icone icone) const
{
    ambiente.servicos().ui.mensagem({texto, ambiente.Sistema(), icone});
}

frmInform::frmInform(classAmbiente &ambiente, ModFuncs &funcs, QWidget *parent)
    : frmInform(ambiente, funcs, Janelas{}, parent)
{
}

frmInform::frmInform(classAmbiente &ambiente, ModFuncs &funcs, Janelas janelas, QWidget *parent)
    : QDialog(parent), m_ambiente(ambiente), m_funcs(funcs), m_janelas(std::move(janelas)),
      m_url(ambiente.servicos().http),
      m_portal(m_url, ambiente, ambiente.servicos().config, ambiente.Sistema()),
      m_ctx{ambiente, funcs, m_portal, [this] { return atual(); }, Restaurando}
{
    if (!m_janelas.transferencia)
        m_janelas.transferencia = [this](frmInform &dialogo) {
            frmTransferencia janela(m_ambiente, m_funcs, &dialogo);
            janela.exec();
        };
    if (!m_janelas.enfileirar)
        m_janelas.enfileirar = [this] {
            // the queue works on the file list: just the current file
            m_ambiente.LimpaListaArquivos();
            m_ambiente.AddListaArquivos(m_ambiente.arquivo());
            return m_ambiente.Enfileirar();
        };
    if (!m_janelas.encerrar)
        m_janelas.encerrar = [] { std::exit(0); };

    MontaControles();
    m_destinatarios = new InformDestinatarios(m_ctx, *this);
    m_pastas = new InformPastas(m_ctx, *this);
    // keyboard preview: the dialog sees every key before its controls
    for (QWidget *w : findChildren<QWidget *>())
        w->installEventFilter(this);
}

frmInform::~frmInform() = default;

bool frmInform::passo(const char *procedimento, const std::function<void()> &acao)
{
    return m_ctx.passo(QString::fromLatin1(procedimento), acao);
}

qint32 frmInform::IdCarteira(const QComboBox &objCombo)
{
    return objCombo.currentIndex() < 0 ? -1 : objCombo.currentData().toInt();
}

DadosArquivo *frmInform::atual()
{
    const int linha = c.lstArquivos->currentRow();
    return linha >= 0 && linha < m_dados.size() ? &m_dados[linha] : nullptr;
}

void frmInform::showEvent(QShowEvent *evento)
{
    QDialog::showEvent(evento);
    if (evento->spontaneous() || m_carregado)
        return;
    m_carregado = true;
    tela::centraNaTela(*this);
    Form_Load();
}

void frmInform::Form_Load()
{
    const char *const proc = "Form_Load";
    classAmbiente &a = m_ambiente;
    passo(proc, [&] { MostraVariante(m_funcs.AcertaCor()); });
    passo(proc, [&] {
        if (LogOff != 1)
            return;
        c.chkCloseOnEnd->setChecked(true);
        c.chkEfeuarLogoff->setVisible(true);
        c.chkEfeuarLogoff->setChecked(LogOff == 1);
    });
    passo(proc, [&] {
        const QDate hoje = a.servicos().relogio.hoje();
        c.dtpAtivacao->defineValor(hoje);
        a.Enviar.Avisar(false, std::nullopt, true);
        c.dtpExpiracao->defineValor(hoje.addMonths(1).addDays(1));
    });
    passo(proc, [&] {
        c.lstArquivos->clear();
        m_destinatarios->LimpaUsuarios();
        m_dados.clear();
        AdicionaArquivo(DadosArquivo::capturado(a.arquivo()), true);
        c.lstArquivos->setCurrentRow(0);
    });
    passo(proc, [&] { m_pastas->CarregaPastas1(); });
    passo(proc, [&] { Caption(); });
    m_destinatarios->CarregaInicial();
    passo(proc, [&] { RestauraDados(); });
}

void frmInform::Caption()
{
    const classAmbiente &a = m_ambiente;
    QString titulo = a.Sistema() + QStringLiteral(" [") + a.Usuario + QStringLiteral("]");
    if (!a.Titulo().isEmpty())
        titulo += QStringLiteral(" - ") + a.Titulo();
    setWindowTitle(titulo + QStringLiteral(" - Informações sobre arquivo"));
}

void frmInform::RestauraDados()
{
    // The publication record still holds the previous publication's values of this run.
    const classEnviar &e = m_ambiente.Enviar;
    c.txtDescricao->setText(e.Descricao());
    c.dtpAtivacao->defineValor(publicacao::leData(e.Ativacao()));
    c.dtpExpiracao->defineValor(publicacao::leData(e.Expiracao()));
    c.txtObs->setPlainText(e.Observacao());

    const QString fechar = m_ambiente.servicos().config.le(QStringLiteral("Config"), QStringLiteral("ClosoOnEnd"));
    bool marcado = false;
    if (!fechar.isEmpty()) {
        bool ok = false;
        const int valor = fechar.trimmed().toInt(&ok);
        if (!ok)
            throw plataforma::ErroPrograma(plataforma::CodigoErro::TiposIncompativeis);
        marcado = valor != 0;
    }
    c.chkCloseOnEnd->setChecked(marcado);
}

void frmInform::suCancelar()
{
    reject();
}

void frmInform::done(int resultado)
{
    if (m_perguntando)
        return;
    m_perguntando = true;
    const bool fecha = Form_QueryUnload();
    m_perguntando = false;
    if (fecha)
        QDialog::done(resultado);
}

bool frmInform::Form_QueryUnload()
{
    if (m_fechando)
        return true;
    const char *const proc = "Form_QueryUnload";
    classAmbiente &a = m_ambiente;
    passo(proc, [&] {
        LogOff = c.chkEfeuarLogoff->isChecked() ? 1 : 0;
        if (a.Enviado() || a.Enfileirado())
            ShutDown = c.chkCloseOnEnd->isChecked() ? 1 : 0;
    });
    bool fecha = true;
    passo(proc, [&] {
        if (a.Enviar.Validado())
            return;
        Caixa caixa;
        caixa.texto = QStringLiteral("Os dados de transmissão de arquivo não foram validados!\r\n"
                                     "Tem certeza que deseja cancelar?");
        caixa.titulo = a.Sistema();
        caixa.icone = Icone::Pergunta;
        caixa.botoes = Botoes::SimNao;
        caixa.padrao = Resposta::Sim;
        fecha = a.servicos().ui.mensagem(caixa) != Resposta::Nao;
    });
    if (fecha)
        m_fechando = true;
    return fecha;
}

bool frmInform::eventFilter(QObject *objeto, QEvent *evento)
{
    const QEvent::Type tipo = evento->type();
    if (objeto == c.lstArquivos->viewport()
        && (tipo == QEvent::DragEnter || tipo == QEvent::DragMove || tipo == QEvent::Drop)) {
        auto *arraste = static_cast<QDropEvent *>(evento);
        if (!arraste->mimeData()->hasUrls())
            return false;
        arraste->acceptProposedAction();
        if (tipo == QEvent::Drop) {
            QStringList caminhos;
            for (const QUrl &url : arraste->mimeData()->urls()) {
                if (url.isLocalFile())
                    caminhos << url.toLocalFile();
            }
            lstArquivos_OLEDragDrop(caminhos);
        }
        return true;
    }
    if (tipo == QEvent::KeyPress) {
        const auto *tecla = static_cast<QKeyEvent *>(evento);
        if (tecla->key() == Qt::Key_Escape) {
            suCancelar();
            return true;
        }
        const QString nome = objeto->objectName();
        const bool filtrado = nome == QLatin1String("txtDescricao") || nome == QLatin1String("txtObs")
            || nome.startsWith(QLatin1String("txtParametro"));
        if (filtrado && teclaRecusada(tecla->text()))
            return true;
    }
    return QDialog::eventFilter(objeto, evento);
}
