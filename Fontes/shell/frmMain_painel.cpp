// The main window's side panel: storage space on the portal, the connectivity check and the tips,
// each shown in the hint area.
#include "shell/frmMain.h"

#include "shell/classAmbiente.h"
#include "shell/frmMain_textos.h"

#include <QLabel>
#include <cmath>

using namespace frmMainTextos;

namespace {

// How long "Aguarde" stays up after a check: long enough to be read, short enough not to annoy.
constexpr int kAguardeMs = 400;

} // namespace

void frmMain::suInternet(bool semTestar)
{
    if (!semTestar && !Ativo)
        return;
    const char *const proc = "suInternet";
    bool conectado = true;
    passo(proc, [&] { conectado = semTestar || TestaInternet(); });
    passo(proc, [&] {
        c.iblDicaTitulo->setText(QStringLiteral("Verificando Conexão com a Internet"));
        c.iblDicaTexto->setText(linhas(2) + kAguarde);
    });
    passo(proc, [&] {
        // a wait in time, painting meanwhile; a window not shown yet (start-up) has nobody to wait for
        if (isVisible())
            m_servicos.ui.espera(kAguardeMs);
    });
    passo(proc, [&] {
        const QString mensagem = conectado ? QStringLiteral("Sua conexão de internet está estável no momento")
                                           : QStringLiteral("Não possível estabelecer uma conexão com a internet!");
        Ajuda[7].texto = linhas(2) + mensagem;
        MostraAjuda(7);
    });
    passo(proc, [&] {
        Ajuda[7].texto = linhas(4) + kInformaEstado + kNovaLinha
            + QStringLiteral("Dê dois cliques para verificar novamente.");
    });
}

bool frmMain::TestaInternet()
{
    return amb().Internet();
}

void frmMain::MostraVerificandoEspaco()
{
    c.iblDicaTitulo->setText(QStringLiteral("Verificando espaços no Vorlin"));
    c.iblDicaTexto->setText(linhas(2) + kAguarde);
    AjudaAtual = 10;
}

void frmMain::tbEspaco_ButtonClick()
{
    if (!Ativo)
        return;
    const char *const proc = "tbEspaco_ButtonClick";
    passo(proc, [&] { MostraVerificandoEspaco(); });
    passo(proc, [&] {
        bool disponivel = false;
        Ajuda[10].texto = fuTextoEspaco(disponivel);
    });
    passo(proc, [&] { MostraAjuda(10); });
}

void frmMain::tbDica_Click()
{
    if (!Ativo)
        return;
    suDica("tbDica_Click");
}

void frmMain::suDica(const char *procedimento)
{
    passo(procedimento, [&] { AjudaAtual = 9; });
    // Without a tip from the portal, Dica leaves its own fallback title and text.
    passo(procedimento, [&] { amb().Dica(); });
    passo(procedimento, [&] { Ajuda[9] = {amb().DicaTitulo, amb().DicaTexto}; });
    passo(procedimento, [&] { MostraAjuda(9); });
}

QString frmMain::Kbytes(double bytes)
{
    // Tenths of a kilobyte; nearbyint keeps the default rounding, a tie going to the even digit.
    const double decimos = std::nearbyint(bytes * 10.0 / 1024.0);
    if (!std::isfinite(decimos) || std::fabs(decimos) >= 9.0e18) {
        // past 64 bits: no portal reports that much, but the text must still come out
        QString texto = QString::number(decimos / 10.0, 'f', 1).replace(QLatin1Char('.'), QLatin1Char(','));
        return texto.endsWith(QStringLiteral(",0")) ? texto.chopped(2) : texto;
    }
    const qint64 n = static_cast<qint64>(decimos);
    const quint64 absoluto = n < 0 ? 0 - static_cast<quint64>(n) : static_cast<quint64>(n);
    QString texto = n < 0 ? QStringLiteral("-") : QString();
    texto += QString::number(absoluto / 10);
    if (absoluto % 10 != 0)
        texto += QLatin1Char(',') + QString::number(absoluto % 10);
    return texto;
}

QString frmMain::fuTextoEspaco(bool &disponivel)
{
    const char *const proc = "fuTextoEspaco";
    disponivel = false;
    // Without connectivity the figures stay as they were (0 when never fetched).
    passo(proc, [&] { amb().AtualizaEspaco(); });
    if (!passo(proc, [&] { disponivel = amb().EspacoDisponivel > 0; }))
        disponivel = false;

    QString texto;
    passo(proc, [&] {
        const classAmbiente &a = amb();
        const double documento = static_cast<double>(a.ArquivoTamanho().toLongLong());   // throws when gone
        const QString kb = QStringLiteral(" Kbytes ");
        texto = kNovaLinha + QStringLiteral("Total: ") + Kbytes(a.EspacoTotal) + kb
            + kNovaLinha + QStringLiteral("Utilizado: ") + Kbytes(a.EspacoUtilizado) + kb
            + kNovaLinha + QStringLiteral("Disponível: ") + Kbytes(a.EspacoDisponivel) + kb
            + kNovaLinha + QStringLiteral("Arquivo Atual: ") + Kbytes(documento) + kb;
    });
    return texto;
}
