// The history window on the real local portal, seeded with an office of N publications: from the
// click on "Filtrar" (every record, by publication date) to the grid painted with the first
// records, and the longest gap between two turns of the event loop meanwhile (a 1 ms timer stamps
// every turn). Its anchor in the same run: a bare QTableWidget filled with N rows of 18 texts and
// painted. The portal's own answer to the same request is timed in the same run (a plain GET), so
// that the program's share of the click shows apart from the local portal's. Prints every run,
// then per size, for scripts/bench:
//   RESULT historico_<n> program_ms=<median> anchor_ms=<median> portal_ms=<median> gap_ms=<max> rows=<n>
#include "PortalLocal.h"
#include "history/frmConsulta.h"
#include "platform/Clock.h"
#include "platform/CurlFtp.h"
#include "platform/CurlHttp.h"
#include "platform/FileService.h"
#include "platform/Servicos.h"
#include "platform/SettingsStore.h"
#include "platform/WidgetUi.h"
#include "shell/ModFuncs.h"
#include "shell/classAmbiente.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstdio>

namespace {

double mediana(QList<double> v)
{
    std::sort(v.begin(), v.end());
    const qsizetype n = v.size();
    return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

// An office of its own with `n` publications over two years: 12 clients, 2 publishers, every type.
QString semente(int n)
{
    return QString::fromUtf8(R"py(
import datetime, random
b = banco
eid = b.cria_escritorio("BENCH", "Escritório de Carga", 10**12, "bench", "b")
logins = [b.cria_login(eid, "ANA", "Ana", "a"), b.cria_login(eid, "BRUNO", "Bruno", "b")]
clientes = [b.cria_cliente(eid, "Cliente %02d" % k) for k in range(12)]
pasta = b.cria_pasta(eid, "GERAL")
aleatorio = random.Random(7)
agora = datetime.datetime.now().replace(microsecond=0)
with b.transacao() as c:
    for k in range(%1):
        publicada = agora - datetime.timedelta(minutes=aleatorio.randrange(2 * 365 * 24 * 60))
        tipo = "PRD"[k % 3]
        aid = c.execute("INSERT INTO arquivos (escritorio_id, nome, tamanho, recebido_em) VALUES (?, ?, ?, ?)",
                        (eid, "documento_%d.pdf" % k, aleatorio.randrange(1000, 500000),
                         publicada.isoformat(sep=" "))).lastrowid
        dia = publicada.date()
        c.execute("INSERT INTO publicacoes (escritorio_id, cliente_id, arquivo_id, login_id, tipo_doc, descricao,"
                  " ativacao, expiracao, vencimento, valor, pasta_id, publicada_em, lida_em, apagada_em)"
                  " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                  (eid, clientes[k % 12], aid, logins[k % 2], tipo, "Documento %d" % k,
                   (dia + datetime.timedelta(days=3)).isoformat() if k % 50 == 0 else None,
                   (dia + datetime.timedelta(days=400)).isoformat() if k % 7 == 0 else None,
                   (dia + datetime.timedelta(days=20)).isoformat() if tipo == "P" else None,
                   aleatorio.randrange(10000) / 100 if tipo == "P" else 0, pasta,
                   publicada.isoformat(sep=" "),
                   publicada.isoformat(sep=" ") if k % 3 == 0 else None,
                   publicada.isoformat(sep=" ") if k % 40 == 0 else None))
)py")
        .arg(n);
}

struct Turnos {
    Turnos()
    {
        marca.setInterval(1);
        QObject::connect(&marca, &QTimer::timeout, [this] { stamps << relogio.nsecsElapsed(); });
    }
    void inicia()
    {
        stamps.clear();
        relogio.start();
        stamps << 0;
        marca.start();
    }
    // ms from the start, and the longest gap between turns
    double termina(double *vao)
    {
        const qint64 fim = relogio.nsecsElapsed();
        marca.stop();
        stamps << fim;
        double maior = 0;
        for (qsizetype i = 1; i < stamps.size(); ++i)
            maior = std::max(maior, (stamps[i] - stamps[i - 1]) / 1e6);
        *vao = maior;
        return fim / 1e6;
    }
    QTimer marca;
    QElapsedTimer relogio;
    QList<qint64> stamps;
};

// The anchor: as many rows of 18 short texts into a bare QTableWidget, painted.
double ancora(int linhas)
{
    QTableWidget grade(0, 18);
    grade.resize(1000, 400);
    grade.show();
    QCoreApplication::processEvents();
    QElapsedTimer t;
    t.start();
    grade.setRowCount(linhas);
    for (int r = 0; r < linhas; ++r)
        for (int c = 0; c < 18; ++c)
            grade.setItem(r, c, new QTableWidgetItem(QStringLiteral("05/03/2011 10:15:00")));
    grade.viewport()->repaint();
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int execucoes = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 5;
    QList<int> tamanhos;
    for (int i = 2; i < argc; ++i)
        tamanhos << QByteArray(argv[i]).toInt();
    if (tamanhos.isEmpty())
        tamanhos = {10000, 32767};

    QTemporaryDir raiz;
    const QString casa = raiz.path();
    QDir().mkpath(casa + QStringLiteral("/data/VorlinPrinter"));
    qputenv("HOME", casa.toLocal8Bit());
    qputenv("XDG_DATA_HOME", (casa + QStringLiteral("/data")).toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (casa + QStringLiteral("/config")).toLocal8Bit());
    const QString documento = casa + QStringLiteral("/spool/Balancete Demo.pdf");
    QDir().mkpath(casa + QStringLiteral("/spool"));

    int falhas = 0;
    for (const int n : tamanhos) {
        PortalLocal::Opcoes opcoes;
        opcoes.demo = false;
        opcoes.semente = semente(n);
        PortalLocal portal(opcoes);
        if (!portal.ativo()) {
            std::fprintf(stderr, "local portal did not start: %s\n", qPrintable(portal.falha()));
            return 1;
        }
        auto config = plataforma::SettingsStore::emArquivo(casa + QStringLiteral("/config/VorlinPrinter/Vorlin Printer.ini"));
        portal.configura(*config);
        plataforma::FileService fso;
        plataforma::WidgetUi ui;
        plataforma::SystemClock relogio;
        plataforma::CurlHttp http;
        plataforma::CurlFtp ftp;
        plataforma::Servicos servicos{*config, fso, ui, relogio, http, ftp};
        ModFuncs funcs(servicos);
        classAmbiente ambiente(servicos);
        QFile::remove(documento);
        QFile::copy(QStringLiteral(VORLIN_AMOSTRA), documento);
        if (!ambiente.Inicia(false, documento)
            || !ambiente.Autentica(QStringLiteral("BENCH"), QStringLiteral("ANA"), QStringLiteral("a"), 5)) {
            std::fprintf(stderr, "login failed: %s\n", qPrintable(ambiente.Erro()));
            return 1;
        }
        ambiente.Consulta_Iniciar();
        QList<double> programa;
        QList<double> anc;
        QList<double> doPortal;
        double maiorVao = 0;
        const QByteArray pedido = (ambiente.URLBase() + QStringLiteral("/printer/consulta_b.asp?s=%1&l=%2&t=0&o=0")
                                                              .arg(ambiente.lngSessao)
                                                              .arg(ambiente.lngLogin_ID))
                                      .toLatin1();
        int linhas = 0;
        {
            frmConsulta janela(ambiente, funcs);
            janela.show();
            QCoreApplication::processEvents();
            auto *filtrar = janela.findChild<QToolButton *>(QStringLiteral("cmdFiltrar"));
            auto *grade = janela.findChild<QTableView *>(QStringLiteral("grdConsulta"));
            Turnos turnos;
            for (int r = 0; r < execucoes; ++r) {
                QElapsedTimer t;
                t.start();
                const QByteArray corpo = http.get(pedido);
                doPortal << t.nsecsElapsed() / 1e6;
                if (!corpo.startsWith("Vorlin Printer"))
                    std::fprintf(stderr, "the portal did not answer the query\n");
                turnos.inicia();
                filtrar->click();
                grade->viewport()->repaint();
                double vao = 0;
                programa << turnos.termina(&vao);
                maiorVao = std::max(maiorVao, vao);
                linhas = grade->model()->rowCount();
                anc << ancora(n);
                std::printf("%d records run %d: click to grid %8.1f ms (%d rows), longest gap %6.1f ms; "
                            "the portal alone %8.1f ms; bare QTableWidget fill %8.1f ms\n",
                            n, r + 1, programa.last(), linhas, vao, doPortal.last(), anc.last());
                std::fflush(stdout);
            }
        }
        ambiente.Consulta_Finalizar();
        if (linhas != n)
            ++falhas;
        std::printf("RESULT historico_%d program_ms=%.1f anchor_ms=%.1f portal_ms=%.1f gap_ms=%.1f rows=%d\n", n,
                    mediana(programa), mediana(anc), mediana(doPortal), maiorVao, linhas);
        std::fflush(stdout);
    }
    return falhas == 0 ? 0 : 1;
}
