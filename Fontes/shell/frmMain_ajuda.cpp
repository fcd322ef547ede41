// The hint area of the main window: the hint table, and what the mouse points at or clicks.
#include "shell/frmMain.h"

#include "shell/classAmbiente.h"
#include "shell/frmMain_textos.h"

#include <QCheckBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>

using namespace frmMainTextos;

void frmMain::CarregaAjuda()
{
    passo("CarregaAjuda", [&] {
        const QString nl = kNovaLinha;
        const QString dois = linhas(2);
        Ajuda[0] = {QStringLiteral("GERAR PDF"),
                    dois + QStringLiteral("Essa função permite apenas gerar um arquivo em pdf,") + nl
                        + QStringLiteral(" permitindo uma segurança melhor evitando qualquer tipo de alteração no arquivo enviado.")};
        const QString enviaArquivo = QStringLiteral("Permite envio do arquivo para o site, possibilitando o acesso ");
        Ajuda[1] = {QStringLiteral("ENVIAR ARQUIVO"),
                    dois + enviaArquivo + nl
                        + QStringLiteral("de seus clientes de qualquer lugar que tenha acesso a internet.")};
        Ajuda[2] = {QStringLiteral("SALVAR / ENVIAR"),
                    dois + enviaArquivo + nl
                        + QStringLiteral(" de seus clientes de qualquer lugar que tenha acesso a internet, ") + nl
                        + QStringLiteral("possibilitando salvar o mesmo no seu computador.")};
        Ajuda[3] = {QStringLiteral("VISUALIZAR"),
                    dois + QStringLiteral("Essa função permite visualizar o arquivo ") + nl
                        + QStringLiteral("antes de publicá-lo para o cliente ") + nl
                        + QStringLiteral("possibilitando uma última conferência do mesmo.")};
        Ajuda[4] = {QStringLiteral("CONSULTAR"), dois + QStringLiteral("Permite consultar os arquivos enviados.")};
        Ajuda[5] = {QStringLiteral("CANCELAR"), dois + QStringLiteral("Finaliza a impressora!")};
        Ajuda[6] = {QStringLiteral("Vorlin Printer"),
                    dois + QStringLiteral("Impressora Virtual de PDF e Publicadora de Arquivos")};
        Ajuda[7] = {QStringLiteral("Status da Internet"),
                    dois + kInformaEstado + nl + QStringLiteral("Dê um cliques para verificar novamente.")};
        Ajuda[8] = {QStringLiteral("PDF"),
                    QStringLiteral("Portable Document Format (ou PDF) é um formato de arquivo, desenvolvido pela Adobe Systems em 1993, ") + nl
                        + QStringLiteral("para representar documentos de maneira independente do aplicativo, hardware, e sistema operacional usados para criá-los. ") + nl
                        + QStringLiteral("Um arquivo PDF pode descrever documentos que contenham texto, gráficos e imagens num formato independente de dispositivo e resolução.") + nl
                        + QStringLiteral("O PDF é um padrão aberto, e qualquer pessoa pode escrever aplicativos que leiam ou escrevam PDFs.") + nl
                        + QStringLiteral("Há aplicativos gratuitos para Linux, Windows e Macintosh, alguns deles distribuídos pela própria Adobe.") + nl
                        + QStringLiteral("PDF pode ser traduzido em português como Formato de Documento Portátil.") + nl
                        + QStringLiteral("Em 2008 a Organização Internacional para Padronização reconheceu o PDF como Standard.")};
        Ajuda[9] = {amb().DicaTitulo, amb().DicaTexto};
        Ajuda[10] = {QStringLiteral("Espaços no Vorlin"), dois + QStringLiteral("Atualize o espaço clicando no botão!")};
        Ajuda[11] = {QStringLiteral("Log Off da Sessão"),
                     dois + QStringLiteral("Finaliza sua Autenticação ao término do programa")};
    });
}

void frmMain::MostraAjuda(int indice)
{
    AjudaAtual = indice;
    c.iblDicaTitulo->setText(Ajuda[indice].titulo);
    c.iblDicaTexto->setText(Ajuda[indice].texto);
}

void frmMain::DicaDoControle(QObject *controle)
{
    // Buttons whose hint shows even after "Cancelar"; every other hint needs the active window.
    struct Regra {
        QObject *controle;
        int indice;
        bool precisaAtivo;
    };
    const Regra regras[] = {
        {c.cmdGerar, 0, true},       {c.cmdEnviar, 1, true},     {c.cmdSalvaEnvia, 2, false},
        {c.cmdVisualiza, 3, false},  {c.cmdConsulta, 4, false},  {c.cmdCancela, 5, false},
        {c.picInternet, 7, true},    {c.picEspaco, 10, true},    {c.chkLogOff, 11, true},
    };
    if (controle == c.imgPDF) {
        if (Ativo && AjudaAtual != 8)
            passo("imgPDF_MouseMove", [&] { MostraAjuda(8); });
        return;
    }
    if (controle == c.picDica) {
        // every pass from another entry asks the portal for the next tip
        if (Ativo && AjudaAtual != 9)
            suDica("tbDica_MouseMove");
        return;
    }
    for (const Regra &r : regras) {
        if (r.controle != controle)
            continue;
        if ((Ativo || !r.precisaAtivo) && AjudaAtual != r.indice)
            MostraAjuda(r.indice);
        return;
    }
}

bool frmMain::CliqueNoPainel(QObject *controle)
{
    if (controle == c.picInternet)
        suInternet(false);
    else if (controle == c.picEspaco)
        tbEspaco_ButtonClick();
    else if (controle == c.picDica)
        tbDica_Click();
    else
        return false;
    return true;
}

bool frmMain::eventFilter(QObject *objeto, QEvent *evento)
{
    switch (evento->type()) {
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(evento)->key() == Qt::Key_Escape) {
            Form_KeyPress(27);
            return true;
        }
        break;
    case QEvent::MouseMove:
        DicaDoControle(objeto);
        break;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(evento)->button() == Qt::LeftButton && CliqueNoPainel(objeto))
            return true;
        break;
    default:
        break;
    }
    return QWidget::eventFilter(objeto, evento);
}
