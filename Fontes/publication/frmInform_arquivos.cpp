// The publication dialog's file list: the files dropped in, switching the current file, and the
// edits of description, dates and observation that go into the current file's record.
#include "publication/frmInform.h"

#include "publication/DataTexto.h"
#include "publication/SeletorData.h"
#include "publication/frmInform_destinatarios.h"
#include "publication/frmInform_pastas.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTextCursor>

using publicacao::DadosArquivo;

namespace {

constexpr int kMaxObs = 1000;

// The observation as the portal gets it: lines end in CR LF, and each counts two characters.
QString comCrLf(const QString &texto)
{
    QString t = texto;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return t;
}

QString semCrLf(const QString &texto)
{
    QString t = texto;
    return t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::optional<QDate> dataDe(const QString &texto)
{
    return publicacao::leData(texto);
}

QString textoDe(const std::optional<QDate> &data)
{
    return data ? publicacao::textoData(*data) : QString();
}

} // namespace

bool frmInform::teclaRecusada(const QString &texto)
{
    for (const QChar ch : texto) {
        if (ch == QLatin1Char('\'') || ch == QLatin1Char('+') || ch == QLatin1Char('%') || ch == QLatin1Char('"')
            || ch == QLatin1Char('#'))
            return true;
    }
    return false;
}

void frmInform::AdicionaArquivo(const DadosArquivo &dados, bool marcado)
{
    m_dados << dados;
    auto *item = new QListWidgetItem(publicacao::NomeNaLista(dados.Arquivo));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(marcado ? Qt::Checked : Qt::Unchecked);
    c.lstArquivos->addItem(item);
}

void frmInform::lstArquivos_OLEDragDrop(const QStringList &caminhos)
{
    passo("lstArquivos_OLEDragDrop", [&] {
        for (const QString &caminho : caminhos) {
            // these would break the portal's query: the rest of the drop is left out
            for (const QChar ch : {QLatin1Char('\''), QLatin1Char('"'), QLatin1Char('#'), QLatin1Char('&'),
                                   QLatin1Char('%')}) {
                if (caminho.contains(ch)) {
                    m_ctx.mostra(QStringLiteral("Não são permitidos arquivos com caracteres especiais ('\"#&%)"),
                                 plataforma::Icone::Informacao);
                    return;
                }
            }
            AdicionaArquivo(DadosArquivo::arrastado(caminho), false);
        }
    });
}

void frmInform::lstArquivos_Click()
{
    if (c.lstArquivos->count() < 2 || !atual())
        return;
    const char *const proc = "lstArquivos_Click";
    const DadosArquivo dados = *atual();
    passo(proc, [&] {
        c.txtDescricao->setText(dados.Descricao);
        c.dtpAtivacao->defineValor(dataDe(dados.Ativacao));
        c.dtpExpiracao->defineValor(dataDe(dados.Expiracao));
        c.txtObs->setPlainText(semCrLf(dados.Observacao));
    });
    Restaurando = true;
    passo(proc, [&] { m_pastas->Restaura(dados); });
    passo(proc, [&] { m_destinatarios->Restaura(dados); });
    Restaurando = false;
}

void frmInform::txtDescricao_Change()
{
    if (DadosArquivo *d = atual())
        d->Descricao = c.txtDescricao->text();
}

void frmInform::txtObs_Change()
{
    QString texto = comCrLf(c.txtObs->toPlainText());
    if (texto.size() > kMaxObs) {
        // typed or pasted past the limit: the end is cut, the cursor stays where it was
        QTextCursor cursor = c.txtObs->textCursor();
        const int posicao = cursor.position();
        texto = texto.left(kMaxObs);
        if (texto.endsWith(QLatin1Char('\r')))
            texto.chop(1);
        c.txtObs->setPlainText(semCrLf(texto));
        cursor = c.txtObs->textCursor();
        cursor.setPosition(std::min<int>(posicao, c.txtObs->toPlainText().size()));
        c.txtObs->setTextCursor(cursor);
        return;
    }
    c.iblObsChars->setText(QString::number(kMaxObs - texto.size()));
    if (DadosArquivo *d = atual())
        d->Observacao = texto;
}

void frmInform::dtpAtivacao_Change()
{
    if (DadosArquivo *d = atual())
        d->Ativacao = textoDe(c.dtpAtivacao->valor());
}

void frmInform::dtpExpiracao_Change()
{
    if (DadosArquivo *d = atual())
        d->Expiracao = textoDe(c.dtpExpiracao->valor());
}

void frmInform::chkCloseOnEnd_Click()
{
    c.chkEfeuarLogoff->setVisible(c.chkCloseOnEnd->isChecked());
    c.chkEfeuarLogoff->setChecked(false);
}
