// Medians of reading a large directory reply (5,000 clients, 20,000 users) into the tables, and of
// the client lookup for one wallet. Small Qt harness: repeated runs, median and worst in ms.
#include "TestHome.h"
#include "platform/Ansi.h"
#include "portal/ContextoPortal.h"
#include "portal/Diretorio.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <functional>

namespace {

constexpr int kCarteiras = 40;
constexpr int kClientes = 5000;
constexpr int kUsuarios = 20000;

QByteArray respostaGrande()
{
    QStringList carteiras, clientes, usuarios;
    for (int i = 1; i <= kCarteiras; ++i)
        carteiras << QStringLiteral("%1>@%Carteira Região %1").arg(i);
    for (int i = 1; i <= kClientes; ++i)
        clientes << QStringLiteral("%1>@%%2>@%Empresa Comércio e Serviços nº %1 Ltda").arg(1000 + i).arg(i % kCarteiras + 1);
    for (int i = 1; i <= kUsuarios; ++i)
        usuarios << QStringLiteral("%1>@%Usuário José da Conceição %1").arg(50000 + i);
    const QString texto = QStringLiteral("Vorlin Printer|*+") + carteiras.join(QStringLiteral("<!#")) + QStringLiteral("|*+")
        + clientes.join(QStringLiteral("<!#")) + QStringLiteral("|*+") + usuarios.join(QStringLiteral("<!#"));
    return plataforma::paraAnsi(texto);
}

struct Resultado {
    double mediana;
    double pior;
};

Resultado mede(int vezes, const std::function<void()> &passo)
{
    passo();   // warm-up
    QList<double> ms;
    for (int i = 0; i < vezes; ++i) {
        QElapsedTimer t;
        t.start();
        passo();
        ms << t.nsecsElapsed() / 1e6;
    }
    std::sort(ms.begin(), ms.end());
    return {ms.at(ms.size() / 2), ms.last()};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);

    TestHome home;
    home.criaPastaPrograma();
    const QByteArray corpo = respostaGrande();
    home.http.resposta = [&](const QByteArray &) { return corpo; };
    plataforma::Servicos servicos = home.servicos();
    EstadoSessao estado;
    estado.lngID_Contador = 12;
    QString erro;
    classURL url(servicos.http);
    portal::ContextoPortal ctx{estado, erro, servicos, url, QStringLiteral("Vorlin Printer"), home.pastaPrograma(), {}};
    portal::Diretorio diretorio(ctx);

    out << "directory reply: " << corpo.size() << " bytes, " << kClientes << " clients, " << kUsuarios << " users\n";

    const QString texto = plataforma::deAnsi(corpo);
    const Resultado leitura = mede(30, [&] {
        bool temCarteira = false;
        QString e;
        const auto tabelas = portal::Diretorio::leResposta(texto, temCarteira, e);
        Q_ASSERT(tabelas.clientes.size() == kClientes);
    });
    out << QStringLiteral("read reply into tables:        median %1 ms, worst %2 ms\n").arg(leitura.mediana, 0, 'f', 2).arg(leitura.pior, 0, 'f', 2);

    const Resultado sincroniza = mede(30, [&] {
        bool atualiza = false;
        if (!diretorio.Sincroniza(atualiza, true))
            qFatal("Sincroniza failed");
    });
    out << QStringLiteral("Sincroniza (decode, cache, tables): median %1 ms, worst %2 ms\n")
               .arg(sincroniza.mediana, 0, 'f', 2).arg(sincroniza.pior, 0, 'f', 2);

    const Resultado decodifica = mede(30, [&] { const QString t = plataforma::deAnsi(corpo); Q_ASSERT(!t.isEmpty()); });
    out << QStringLiteral("  of which decoding: median %1 ms\n").arg(decodifica.mediana, 0, 'f', 2);
    const Resultado grava = mede(30, [&] { home.fso.gravaBytes(home.pastaPrograma() + QStringLiteral("x.rtx"), corpo); });
    out << QStringLiteral("  of which cache write: median %1 ms\n").arg(grava.mediana, 0, 'f', 2);

    qsizetype achados = 0;
    const Resultado clientes = mede(200, [&] { achados = diretorio.Clientes(7).size(); });
    out << QStringLiteral("Clientes(one wallet, %1 rows):  median %2 ms, worst %3 ms\n")
               .arg(achados).arg(clientes.mediana, 0, 'f', 3).arg(clientes.pior, 0, 'f', 3);
    return 0;
}
