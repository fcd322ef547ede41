// Upload of 50 and 200 MiB through classFtp on the libcurl client, with the window's progress bar
// listening, against `curl -T` of the same file to the same local FTP server in the same run.
// Per run: wall time of both, the Progress events counted (one per 100-byte piece plus the last),
// the bytes on the server compared with the file, and the longest gap between two turns of the
// event loop while the upload ran (a 1 ms timer stamps every turn). Prints every run, then one
// line per size for scripts/bench:
//   RESULT upload_<n>MiB program_ms=<median> anchor_ms=<median> progress_ok=<0|1> bytes_ok=<0|1> gap_ms=<max>
#include "PortalLocal.h"
#include "platform/CurlFtp.h"
#include "platform/WidgetUi.h"
#include "transfer/classFtp.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

namespace {

const QString kUsuario = QStringLiteral("demo");
const QString kSenha = QStringLiteral("ftp-demo-123");

double mediana(QList<double> v)
{
    std::sort(v.begin(), v.end());
    const qsizetype n = v.size();
    return n == 0 ? 0 : (n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2);
}

bool criaArquivo(const QString &caminho, qint64 tamanho)
{
    QFile f(caminho);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    std::mt19937_64 gerador(tamanho);
    QByteArray bloco(1 << 20, Qt::Uninitialized);
    for (qint64 escrito = 0; escrito < tamanho;) {
        auto *p = reinterpret_cast<quint64 *>(bloco.data());
        for (qsizetype i = 0; i < bloco.size() / 8; ++i)
            p[i] = gerador();
        const qint64 n = std::min<qint64>(bloco.size(), tamanho - escrito);
        if (f.write(bloco.constData(), n) != n)
            return false;
        escrito += n;
    }
    return true;
}

bool iguais(const QString &a, const QString &b)
{
    QFile fa(a);
    QFile fb(b);
    if (!fa.open(QIODevice::ReadOnly) || !fb.open(QIODevice::ReadOnly) || fa.size() != fb.size())
        return false;
    while (!fa.atEnd())
        if (fa.read(1 << 20) != fb.read(1 << 20))
            return false;
    return true;
}

// What the transfer window does with the events: the bar, from the counts.
class Barra final : public classFtp::Ouvinte {
public:
    explicit Barra(QProgressBar &barra) : m_barra(barra) {}
    void Progress(qint64 vPercentual, qint64 vTotal) override
    {
        ++eventos;
        if (vPercentual != ultimo + 100 && vPercentual != vTotal)
            ++foraDeOrdem;
        ultimo = vPercentual;
        const double p = vTotal > 0 ? std::floor(static_cast<double>(vPercentual) * 100.0 / static_cast<double>(vTotal)) : 100;
        m_barra.setValue(static_cast<int>(p));
    }
    qint64 eventos = 0;
    qint64 ultimo = 0;
    qint64 foraDeOrdem = 0;

private:
    QProgressBar &m_barra;
};

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int execucoes = argc > 1 ? std::max(1, QByteArray(argv[1]).toInt()) : 3;
    QList<int> tamanhos;
    for (int i = 2; i < argc; ++i)
        tamanhos << QByteArray(argv[i]).toInt();
    if (tamanhos.isEmpty())
        tamanhos = {50, 200};

    PortalLocal portal;
    if (!portal.ativo()) {
        std::fprintf(stderr, "local portal did not start: %s\n", qPrintable(portal.falha()));
        return 1;
    }
    const QString servidor = QStringLiteral("127.0.0.1:%1").arg(portal.portaFtp());
    QTemporaryDir pasta;

    QWidget janela;
    QProgressBar barra(&janela);
    barra.setRange(0, 100);
    janela.resize(420, 80);
    barra.setGeometry(10, 20, 400, 40);
    janela.show();

    plataforma::WidgetUi ui;
    plataforma::CurlFtp curl;
    int falhas = 0;

    for (const int mib : tamanhos) {
        const qint64 tamanho = qint64(mib) << 20;
        const QString nome = QStringLiteral("bench-%1.bin").arg(mib);
        const QString local = pasta.filePath(nome);
        if (!criaArquivo(local, tamanho)) {
            std::fprintf(stderr, "could not write %s\n", qPrintable(local));
            return 1;
        }
        const QString naConta = portal.raiz() + QStringLiteral("/ftp/0001/") + nome;
        QList<double> programa;
        QList<double> ancora;
        bool progressoOk = true;
        bool bytesOk = true;
        double maiorVao = 0;
        for (int r = 0; r < execucoes; ++r) {
            // the anchor: curl's own upload of the same file
            QFile::remove(naConta);
            QProcess curlT;
            QElapsedTimer t;
            t.start();
            curlT.start(QStringLiteral("curl"), {QStringLiteral("-s"), QStringLiteral("-T"), local,
                                                   QStringLiteral("ftp://%1/%2").arg(servidor, nome),
                                                   QStringLiteral("--user"), kUsuario + QLatin1Char(':') + kSenha});
            curlT.waitForFinished(600000);
            ancora << t.nsecsElapsed() / 1e6;
            if (curlT.exitCode() != 0 || !iguais(local, naConta)) {
                std::fprintf(stderr, "curl -T failed\n");
                return 1;
            }

            // the program, its turns stamped by a 1 ms timer
            QFile::remove(naConta);
            Barra ouvinte(barra);
            classFtp ftp(curl, ui, &ouvinte);
            QList<qint64> turnos;
            QElapsedTimer relogio;
            QTimer marca;
            marca.setInterval(1);
            QObject::connect(&marca, &QTimer::timeout, [&] { turnos << relogio.nsecsElapsed(); });
            marca.start();
            relogio.start();
            turnos << 0;
            const bool ok = ftp.Transmite(servidor, kUsuario, kSenha, local, QString());
            const qint64 fim = relogio.nsecsElapsed();
            marca.stop();
            turnos << fim;
            programa << fim / 1e6;
            double vao = 0;
            for (qsizetype i = 1; i < turnos.size(); ++i)
                vao = std::max(vao, (turnos[i] - turnos[i - 1]) / 1e6);
            maiorVao = std::max(maiorVao, vao);
            const bool progresso = ouvinte.eventos == tamanho / 100 + 1 && ouvinte.foraDeOrdem == 0 && ouvinte.ultimo == tamanho;
            const bool bytes = ok && iguais(local, naConta);
            progressoOk = progressoOk && progresso;
            bytesOk = bytesOk && bytes;
            std::printf("%d MiB run %d: program %8.1f ms, curl -T %8.1f ms, %lld Progress events, bytes %s, "
                        "longest gap %.1f ms\n",
                        mib, r + 1, programa.last(), ancora.last(), static_cast<long long>(ouvinte.eventos),
                        bytes ? "equal" : "DIFFER", vao);
            std::fflush(stdout);
            QFile::remove(naConta);
        }
        QFile::remove(local);
        if (!progressoOk || !bytesOk)
            ++falhas;
        std::printf("RESULT upload_%dMiB program_ms=%.1f anchor_ms=%.1f progress_ok=%d bytes_ok=%d gap_ms=%.1f\n", mib,
                    mediana(programa), mediana(ancora), progressoOk ? 1 : 0, bytesOk ? 1 : 0, maiorVao);
        std::fflush(stdout);
    }
    return falhas == 0 ? 0 : 1;
}
