// Renders the program's windows with demo values to PNG files, without a display.
// Usage: vorlin-screenshots <output folder> [window name...]
// Each window is one case in kCasos; add a case to render another window.
#include "history/frmConsulta.h"
#include "platform/Ansi.h"
#include "platform/Clock.h"
#include "platform/CurlFtp.h"
#include "platform/FileService.h"
#include "platform/HttpClient.h"
#include "platform/Servicos.h"
#include "platform/SettingsStore.h"
#include "platform/UiServices.h"
#include "portal/frmLogin.h"
#include "publication/SeletorData.h"
#include "publication/frmInform.h"
#include "shell/ModFuncs.h"
#include "shell/classAmbiente.h"
#include "shell/frmMain.h"
#include "shell/frmSplash.h"
#include "transfer/FilaEnvio.h"
#include "transfer/frmMultiplos.h"
#include "transfer/frmTransferencia.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

// the demo office of the local portal
const QString kSistema = QStringLiteral("Vorlin Printer");
const QString kEscritorio = QStringLiteral("Escritório Modelo Contabilidade");
const QString kLogin = QStringLiteral("MARIA");

// Nobody answers boxes here: each one is printed and takes its default button.
class UiSilenciosa final : public plataforma::UiServices {
public:
    plataforma::Resposta mensagem(const plataforma::Caixa &caixa) override
    {
        std::fprintf(stderr, "box: %s\n", qPrintable(caixa.texto));
        return caixa.padrao;
    }
    plataforma::ResultadoSalvar salvarArquivo(const plataforma::DialogoSalvar &) override { return {true, {}}; }
    void cursorOcupado(bool) override {}
    void processaEventos() override {}
    void cedeVez(plataforma::Vez) override {}
    void espera(int) override {}
    bool abreDocumento(const QString &) override { return false; }
    bool abreEndereco(const QString &) override { return false; }
    bool iniciaProcesso(const QString &, const QStringList &) override { return false; }
};

// The demo office's logo: a blue band lettered MODELO.
QByteArray logoDemo()
{
    QImage img(242, 83, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.fillRect(QRect(4, 6, 234, 71), QColor(45, 79, 143));
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setBold(true);
    f.setPixelSize(38);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(img.rect(), Qt::AlignCenter, QStringLiteral("MODELO"));
    p.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, "PNG");
    return bytes;
}

// What the publication dialog asks the demo office: directory, users, folders and parameters.
QString respostaPublicacao(const QByteArray &url)
{
    const QString marca = kSistema + QStringLiteral("|*+");
    if (url.contains("printer/sincroniza.asp"))
        return marca + QStringLiteral("1>@%Carteira Comércio<!#2>@%Carteira Serviços|*+"
                                      "1>@%1>@%Açougue Boi Gordo Ltda<!#2>@%1>@%Auto Peças Rodovia ME<!#"
                                      "3>@%1>@%Bazar Três Irmãos<!#4>@%2>@%Construtora Alicerce S/A<!#"
                                      "5>@%2>@%Clínica Sorriso Odontologia<!#6>@%2>@%Escola Pequeno Príncipe<!#"
                                      "7>@%1>@%Farmácia Vida & Saúde<!#8>@%1>@%Mercado São Jorge<!#"
                                      "9>@%2>@%Oficina Mecânica Pistão<!#10>@%1>@%Padaria Pão Quente<!#"
                                      "11>@%2>@%Transportadora Veloz<!#12>@%0>@%Associação de Moradores Vila Nova"
                                      "|*+1>@%Maria Aparecida Souza");
    if (url.contains("printer/retornausuariosclientestodos.asp") && url.endsWith("e=4"))
        return marca + QStringLiteral("31>@%Depto. Pessoal>@%Pessoal>@%dp@alicerce.com.br<!#"
                                      "30>@%Eng. Paulo Mendes>@%Master>@%paulo@alicerce.com.br<!#"
                                      "32>@%Sônia Prado>@%Financeiro>@%sonia@alicerce.com.br");
    if (url.contains("printer/retornausuariosclientestodos.asp") && url.endsWith("e=5"))
        return marca + QStringLiteral("40>@%Dra. Helena Castro>@%Master>@%helena@clinicasorriso.com.br");
    if (url.contains("printer/carregapastas.asp") && url.contains("Nivel=1"))
        return marca + QStringLiteral("3>@%CONTÁBIL<!#5>@%DIRETORIA<!#4>@%DIVERSOS<!#1>@%FISCAL<!#2>@%PESSOAL");
    if (url.contains("printer/carregapastas.asp") && url.contains("Nivel=2&Pasta=3&"))
        return marca + QStringLiteral("31>@%BALANCETES<!#32>@%BALANÇO PATRIMONIAL");
    if (url.contains("printer/carregapastas.asp"))
        return marca;
    if (url.contains("printer/carregaparametros.asp") && url.contains("pid=31&"))
        return marca + QStringLiteral("EXERCÍCIO>@%MÊS>@%>@%>@%");
    if (url.contains("printer/carregaparametros.asp"))
        return marca + QStringLiteral(">@%>@%>@%>@%");
    return QString();
}

// The demo office's history: what it published in the last days, newest first.
QString respostaHistorico()
{
    const QDate hoje = QDate::currentDate();
    const auto dia = [&](int dias, const char *hora = nullptr) {
        const QString data = hoje.addDays(dias).toString(QStringLiteral("dd/MM/yyyy"));
        return hora ? data + QLatin1Char(' ') + QString::fromLatin1(hora) : data;
    };
    const QString maria = QStringLiteral("Maria Aparecida Souza");
    const QString joao = QStringLiteral("João Pedro Lima");
    const QList<QStringList> registros = {
        {QStringLiteral("Farmácia Vida & Saúde"), QStringLiteral("R"), QStringLiteral("1009"),
         QStringLiteral("Relatório de férias"), QStringLiteral("ferias_marco.pdf"), QStringLiteral("48213"),
         QStringLiteral("PDF"), QStringLiteral("Ativo"), dia(-1, "09:12:44"), QString(), QString(), maria, QString(),
         dia(30), QString(), QString(), QString()},
        {QStringLiteral("Açougue Boi Gordo Ltda"), QStringLiteral("P"), QStringLiteral("1008"),
         QStringLiteral("DAS - Simples Nacional"), QStringLiteral("das_competencia.pdf"), QStringLiteral("96310"),
         QStringLiteral("PDF"), QStringLiteral("Ativo"), dia(-2, "16:40:02"), dia(-1, "08:03:10"), QString(), maria,
         QString(), dia(28), dia(18), QStringLiteral("1234,56"), QString()},
        {QStringLiteral("Construtora Alicerce S/A"), QStringLiteral("R"), QStringLiteral("1007"),
         QStringLiteral("Balancete mensal"), QStringLiteral("balancete_fev.pdf"), QStringLiteral("192006"),
         QStringLiteral("PDF"), QStringLiteral("Ativo"), dia(-5, "11:25:31"), dia(-4, "14:50:12"), QString(), joao,
         QString(), dia(25), QString(), QString(), dia(-3)},
        {QStringLiteral("Construtora Alicerce S/A"), QStringLiteral("D"), QStringLiteral("1006"),
         QStringLiteral("Holerites da competência"), QStringLiteral("holerites.zip"), QStringLiteral("310544"),
         QStringLiteral("ZIP"), QStringLiteral("Ativo"), dia(-6, "10:02:19"), QString(), QString(), joao, QString(),
         dia(24), QString(), QString(), QString()},
        {QStringLiteral("Mercado São Jorge"), QStringLiteral("P"), QStringLiteral("1005"), QStringLiteral("ISS do mês"),
         QStringLiteral("iss_fevereiro.pdf"), QStringLiteral("40211"), QStringLiteral("PDF"), QStringLiteral("Agendado"),
         dia(-7, "15:33:08"), QString(), QString(), maria, dia(2), dia(40), dia(8), QStringLiteral("387,20"), QString()},
        {QString(), QStringLiteral("D"), QStringLiteral("1004"), QStringLiteral("Contrato social consolidado"),
         QStringLiteral("contrato_social.pdf"), QStringLiteral("802113"), QStringLiteral("PDF"),
         QStringLiteral("Apagado"), dia(-20, "09:00:00"), dia(-19, "10:41:55"), dia(-2, "18:05:00"), joao, QString(),
         QString(), QString(), QString(), dia(-10)},
    };
    QStringList textos;
    for (const QStringList &r : registros)
        textos << r.join(QStringLiteral(">@%"));
    return kSistema + QStringLiteral("\r\n") + textos.join(QStringLiteral("<!#")) + QStringLiteral("\r\n")
        + QString::number(registros.size());
}

// The portal's answers for the demo office, dated today so the login's date check passes.
class PortalDemo final : public plataforma::HttpClient {
public:
    QByteArray get(const QByteArray &url) override
    {
        const QString hoje = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"));
        const QString ftp = QStringLiteral("127.0.0.1:2121\r\ndemo\r\nftp-demo-123");
        if (url.contains("escritorio_arq/0001/logo_modelo.png"))
            return logoDemo();
        QString resposta;
        if (url.contains("printer/printer_login_b.asp"))
            resposta = QStringList{kSistema, QStringLiteral("4711"), QString(), QStringLiteral("Maria Aparecida Souza"), ftp,
                                   kEscritorio, QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("logo_modelo.png"),
                                   hoje, QStringLiteral("0"), QStringLiteral("P"), QStringLiteral("1")}
                           .join(QStringLiteral("\r\n"));
        else if (url.contains("printer/printer_login_conf_b.asp"))
            resposta = QStringList{kSistema, hoje, ftp}.join(QStringLiteral("\r\n"));
        else if (url.contains("printer/espaco_b.asp"))
            resposta = kSistema + QStringLiteral(";52428800;7876211");
        else if (url.contains("printer/dicas_b.asp"))
            resposta = QStringLiteral("2-*=Descreva o arquivo-*=Uma boa descrição ajuda seus clientes a encontrar "
                                      "o documento no portal.");
        else if (url.contains("printer/printer_login.asp"))
            resposta = QStringLiteral("0");
        else if (url.contains("printer/consulta_b.asp"))
            resposta = respostaHistorico();
        else
            resposta = respostaPublicacao(url);
        return plataforma::paraAnsi(resposta);
    }
};

// A throw-away home so that the renderer never touches the user's program folder or settings.
struct Ambiente {
    QTemporaryDir raiz;
    std::unique_ptr<plataforma::SettingsStore> config;
    plataforma::FileService fso;
    UiSilenciosa ui;
    plataforma::SystemClock relogio;
    PortalDemo http;
    plataforma::CurlFtp ftp;
    std::unique_ptr<plataforma::Servicos> servicos;
    std::unique_ptr<ModFuncs> funcs;

    Ambiente()
    {
        qputenv("HOME", raiz.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", (raiz.path() + QStringLiteral("/data")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (raiz.path() + QStringLiteral("/config")).toLocal8Bit());
        QDir(raiz.path()).mkpath(QStringLiteral("data/VorlinPrinter"));
        config = plataforma::SettingsStore::emArquivo(raiz.path() + QStringLiteral("/config/Vorlin Printer.ini"));
        servicos = std::make_unique<plataforma::Servicos>(plataforma::Servicos{*config, fso, ui, relogio, http, ftp});
        funcs = std::make_unique<ModFuncs>(*servicos);
    }

    QString documento() const
    {
        const QString caminho = raiz.path() + QStringLiteral("/spool/Balancete Demo.pdf");
        QDir().mkpath(raiz.path() + QStringLiteral("/spool"));
        QFile f(caminho);
        if (f.open(QIODevice::WriteOnly)) {
            // about the size of a one-page statement
            f.write("%PDF-1.4\n");
            f.write(QByteArray(191990, ' '));
            f.write("\n%%EOF\n");
        }
        return caminho;
    }
};

// A plain title bar over the client area, so the caption shows in the picture.
QPixmap comMoldura(QWidget &janela)
{
    const QPixmap cliente = janela.grab();
    const int barra = 28;
    QPixmap px(cliente.width() + 2, cliente.height() + barra + 1);
    px.fill(QColor(0x2b, 0x4f, 0x81));
    QPainter p(&px);
    p.drawPixmap(1, barra, cliente);
    const QIcon icone = janela.windowIcon();
    if (!icone.isNull())
        p.drawPixmap(8, (barra - 18) / 2, icone.pixmap(18, 18));
    QFont f = janela.font();
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(34, 0, px.width() - 40, barra), Qt::AlignVCenter | Qt::AlignLeft, janela.windowTitle());
    return px;
}

QPixmap splash(Ambiente &)
{
    frmSplash janela;
    janela.show();
    QCoreApplication::processEvents();
    const QPixmap px = janela.grab();
    janela.tmrSplash_Timer();
    return px;
}

// The main window as the printer starts it: the login window is answered with the demo
// password, then `depois` points at or clicks what the picture should show.
QPixmap principal(Ambiente &amb, const std::function<void(frmMain &)> &depois)
{
    frmMain::Janelas janelas;
    janelas.splash = [](QWidget *) {};
    janelas.login = [](frmLogin &janela) {
        janela.show();
        QCoreApplication::processEvents();
        if (auto *dominio = janela.findChild<QLineEdit *>(QStringLiteral("txtDominio")))
            dominio->setText(QStringLiteral("DEMO"));
        if (auto *login = janela.findChild<QLineEdit *>(QStringLiteral("txtLogin")))
            login->setText(kLogin);
        if (auto *senha = janela.findChild<QLineEdit *>(QStringLiteral("txtSenha")))
            senha->setText(QStringLiteral("vorlin123"));
        janela.suEntrar();
    };
    frmMain janela(*amb.servicos, *amb.funcs, janelas);
    janela.Carrega(amb.documento());
    if (depois)
        depois(janela);
    // the size guard's resize reaches the layout a few events later
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
    const QPixmap px = comMoldura(janela);
    // end without the closing question: no session, nothing to ask
    if (classAmbiente *a = janela.ambiente())
        a->LogOff();
    janela.FecharAgora = true;
    janela.Sair();
    return px;
}

void aponta(frmMain &janela, const char *controle, QEvent::Type tipo)
{
    QWidget *alvo = janela.findChild<QWidget *>(QString::fromLatin1(controle));
    if (!alvo)
        return;
    QMouseEvent e(tipo, QPointF(3, 3), alvo->mapToGlobal(QPointF(3, 3)),
                  tipo == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  tipo == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(alvo, &e);
}

QPixmap principalLogado(Ambiente &amb)
{
    return principal(amb, {});
}

QPixmap principalEspaco(Ambiente &amb)
{
    return principal(amb, [](frmMain &j) { aponta(j, "picEspaco", QEvent::MouseButtonPress); });
}

QPixmap principalDica(Ambiente &amb)
{
    return principal(amb, [](frmMain &j) { aponta(j, "picDica", QEvent::MouseMove); });
}

QPixmap login(Ambiente &amb)
{
    classAmbiente ambiente(*amb.servicos);
    ambiente.Inicia(false, amb.documento());
    ambiente.Dominio = QStringLiteral("DEMO");
    ambiente.Login = kLogin;
    bool modoDebug = false;
    frmLogin janela(ambiente, *amb.funcs, modoDebug);
    janela.show();
    if (auto *senha = janela.findChild<QLineEdit *>(QStringLiteral("txtSenha")))
        senha->setText(QStringLiteral("vorlin123"));
    QCoreApplication::processEvents();
    return comMoldura(janela);
}

// The publication dialog after login, with the captured document described, two clients, a
// folder with its parameters and a second file dragged in.
QPixmap publicacao(Ambiente &amb)
{
    classAmbiente ambiente(*amb.servicos);
    ambiente.Inicia(false, amb.documento());
    ambiente.Autentica(QStringLiteral("DEMO"), kLogin, QStringLiteral("vorlin123"), 5);
    frmInform janela(ambiente, *amb.funcs);
    janela.show();
    QCoreApplication::processEvents();

    janela.lstArquivos_OLEDragDrop({amb.raiz.path() + QStringLiteral("/spool/Folha de pagamento.pdf")});
    janela.findChild<QLineEdit *>(QStringLiteral("txtDescricao"))->setText(QStringLiteral("Balancete de fevereiro/2011"));
    const QDate hoje = QDate::currentDate();
    janela.findChild<SeletorData *>(QStringLiteral("dtpAtivacao"))->defineValor(hoje);
    janela.findChild<SeletorData *>(QStringLiteral("dtpExpiracao"))->defineValor(hoje.addMonths(1).addDays(1));
    janela.findChild<QPlainTextEdit *>(QStringLiteral("txtObs"))
        ->setPlainText(QStringLiteral("Balancete conferido pela contabilidade.\nQualquer dúvida, fale com a Maria."));
    auto *clientes = janela.findChild<QListWidget *>(QStringLiteral("lstClientes"));
    for (int linha : {3, 4})
        clientes->item(linha)->setCheckState(Qt::Checked);
    auto *nivel1 = janela.findChild<QComboBox *>(QStringLiteral("cboPastas1"));
    nivel1->setCurrentIndex(nivel1->findText(QStringLiteral("Contábil")));
    auto *nivel2 = janela.findChild<QComboBox *>(QStringLiteral("cboPastas2"));
    nivel2->setCurrentIndex(nivel2->findText(QStringLiteral("Balancetes")));
    janela.findChild<QLineEdit *>(QStringLiteral("txtParametro1"))->setText(QStringLiteral("2011"));
    janela.findChild<QLineEdit *>(QStringLiteral("txtParametro2"))->setText(QStringLiteral("02"));
    janela.findChild<QCheckBox *>(QStringLiteral("chkEmailTodos"))->setChecked(true);
    QCoreApplication::processEvents();
    const QPixmap px = comMoldura(janela);
    // closes without the question: nothing to validate here
    ambiente.LogOff();
    janela.hide();
    return px;
}

// The transfer window in the middle of the upload, with the details unfolded as last time.
QPixmap transferencia(Ambiente &amb)
{
    classAmbiente ambiente(*amb.servicos);
    ambiente.Inicia(false, amb.documento());
    amb.config->grava(QStringLiteral("Config"), QStringLiteral("TransDetail"), QStringLiteral("1"));
    frmTransferencia janela(ambiente, *amb.funcs);
    // shown, its timer is armed; the picture is taken long before it would fire
    janela.show();
    janela.Mensagem(2, QStringLiteral("Iniciando Transmissão do Arquivo"));
    janela.Progress(121600, 192006);
    QCoreApplication::processEvents();
    return comMoldura(janela);
}

// The history window after a filter run over the demo office's publications.
QPixmap consulta(Ambiente &amb)
{
    classAmbiente ambiente(*amb.servicos);
    ambiente.Inicia(false, amb.documento());
    ambiente.Autentica(QStringLiteral("DEMO"), kLogin, QStringLiteral("vorlin123"), 5);
    ambiente.Consulta_Iniciar();
    QPixmap px;
    {
        frmConsulta janela(ambiente, *amb.funcs);
        janela.show();
        QCoreApplication::processEvents();
        janela.suFiltrar();
        QCoreApplication::processEvents();
        px = comMoldura(janela);
        janela.hide();
    }
    ambiente.Consulta_Finalizar();
    ambiente.LogOff();
    return px;
}

// "Múltiplos envios" with three documents queued, the last one refused by the portal once.
QPixmap multiplos(Ambiente &amb)
{
    classAmbiente ambiente(*amb.servicos);
    ambiente.IniciaSemDocumento();
    ambiente.Autentica(QStringLiteral("DEMO"), kLogin, QStringLiteral("vorlin123"), 5);
    bool atualiza = false;
    ambiente.Sincroniza(atualiza, false);
    struct Fila {
        QString nome, descricao, pasta;
        QList<qint32> clientes;
    };
    const Fila fila[] = {
        {QStringLiteral("Balancete Fevereiro.pdf"), QStringLiteral("Balancete de fevereiro/2011"),
         QStringLiteral("3|31|0|0|0|"), {4}},
        {QStringLiteral("Folha de pagamento.pdf"), QStringLiteral("Folha de pagamento de fevereiro"),
         QStringLiteral("2|0|0|0|0|"), {4, 5}},
        {QStringLiteral("Guia DARF.pdf"), QStringLiteral("DARF - IRPJ"), QStringLiteral("1|0|0|0|0|"), {10}},
    };
    const QDate hoje = QDate::currentDate();
    for (const Fila &f : fila) {
        const QString caminho = amb.raiz.path() + QStringLiteral("/spool/") + f.nome;
        QDir().mkpath(amb.raiz.path() + QStringLiteral("/spool"));
        QFile arquivo(caminho);
        if (arquivo.open(QIODevice::WriteOnly))
            arquivo.write("%PDF-1.4\n%%EOF\n");
        arquivo.close();
        ambiente.pasta = f.pasta;
        ambiente.Email = QStringLiteral("N");
        classEnviar &e = ambiente.Enviar;
        e.Try();
        for (const qint32 c : f.clientes)
            e.AddCliente(c);
        e.setTipoArquivo(2);
        e.setDescricao(f.descricao);
        e.setAtivacao(hoje.toString(QStringLiteral("dd/MM/yyyy")));
        e.setExpiracao(hoje.addMonths(1).addDays(1).toString(QStringLiteral("dd/MM/yyyy")));
        e.Validar(f.nome);
        ambiente.LimpaListaArquivos();
        ambiente.AddListaArquivos(caminho);
        ambiente.Enfileirar();
    }
    const transferencia::FilaEnvio queqe = ambiente.Fila();
    if (auto dados = queqe.LeDados(QStringLiteral("file003"))) {
        dados->falha = QStringLiteral("Problemas na criação do Registro de Transferência! Pasta não encontrada!");
        queqe.GravaDados(QStringLiteral("file003"), *dados);
    }
    frmMultiplos janela(ambiente, *amb.funcs);
    janela.show();
    QCoreApplication::processEvents();
    janela.findChild<QTableWidget *>(QStringLiteral("grdFila"))->selectRow(0);
    QCoreApplication::processEvents();
    const QPixmap px = comMoldura(janela);
    janela.hide();
    ambiente.LogOff();
    return px;
}

struct Caso {
    const char *nome;
    std::function<QPixmap(Ambiente &)> desenha;
};

const Caso kCasos[] = {
    {"splash", splash},
    {"login", login},
    {"main-logado", principalLogado},
    {"main-espaco", principalEspaco},
    {"main-dica", principalDica},
    {"publicacao", publicacao},
    {"transferencia", transferencia},
    {"consulta", consulta},
    {"multiplos", multiplos},
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) {
        std::fputs("usage: vorlin-screenshots <output folder> [window name...]\n", stderr);
        return 2;
    }
    const QString pasta = args.first();
    const QStringList escolhidos = args.mid(1);
    QDir().mkpath(pasta);

    int falhas = 0;
    for (const Caso &caso : kCasos) {
        const QString nome = QString::fromLatin1(caso.nome);
        if (!escolhidos.isEmpty() && !escolhidos.contains(nome))
            continue;
        Ambiente amb;
        const QString arquivo = pasta + QLatin1Char('/') + nome + QStringLiteral(".png");
        if (caso.desenha(amb).save(arquivo)) {
            std::printf("%s\n", qPrintable(arquivo));
        } else {
            std::fprintf(stderr, "vorlin-screenshots: cannot write %s\n", qPrintable(arquivo));
            ++falhas;
        }
    }
    return falhas == 0 ? 0 : 1;
}
