// The publication dialog against the real local portal and its demo office: wallets, clients and
// their users, the folder tree with its parameters, and a confirmation that hands the portal's ids
// to the transfer.
#include "PortalLocal.h"
#include "platform/CurlHttp.h"
#include "tst_frminform_bancada.h"

#include <QFile>
#include <QTest>
#include <QToolButton>

namespace {

QListWidgetItem *itemComTexto(QListWidget *l, const QString &inicio)
{
    for (int i = 0; i < l->count(); ++i) {
        if (l->item(i)->text().startsWith(inicio))
            return l->item(i);
    }
    return nullptr;
}

QStringList itens(QComboBox *c)
{
    QStringList r;
    for (int i = 0; i < c->count(); ++i)
        r << c->itemText(i);
    return r;
}

} // namespace

class TstFrmInformPortal : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void destinatarios();
    void pastasEConfirmacao();

private:
    std::unique_ptr<PortalLocal> m_portal;
    std::unique_ptr<plataforma::CurlHttp> m_http;
    std::unique_ptr<InformBancada> m_b;
};

void TstFrmInformPortal::initTestCase()
{
    m_portal = std::make_unique<PortalLocal>();
    QVERIFY2(m_portal->ativo(), qPrintable(m_portal->falha()));
}

void TstFrmInformPortal::init()
{
    m_http = std::make_unique<plataforma::CurlHttp>();
    m_b = std::make_unique<InformBancada>(m_http.get());
    InformBancada &b = *m_b;
    m_portal->configura(*b.home.config);
    // the portal's day is the test's day
    b.home.relogio.define(QDateTime(QDate::currentDate(), QTime(12, 0, 0)));
    m_portal->deslocaRelogio(QDateTime::currentDateTime().secsTo(b.home.relogio.agora()));
    QVERIFY(b.amb.Autentica(QStringLiteral("DEMO"), QStringLiteral("MARIA"), QStringLiteral("vorlin123"), 5));
    b.amb.Enviar.Inicia(b.home.relogio.hoje());
    b.abre();
    QVERIFY(b.home.ui.inesperadas.isEmpty());
}

void TstFrmInformPortal::cleanup()
{
    m_b.reset();
    m_http.reset();
}

void TstFrmInformPortal::destinatarios()
{
    InformBancada &b = *m_b;
    QCOMPARE(b.dlg->windowTitle(), QStringLiteral("Vorlin Printer [Maria Aparecida Souza] - Informações sobre arquivo"));
    QComboBox *carteira = b.controle<QComboBox>(QStringLiteral("cboCarteira"));
    QCOMPARE(itens(carteira), QStringList({"Todas Carteiras", "Carteira Comércio", "Carteira Serviços"}));
    QListWidget *clientes = b.lista("lstClientes");
    QCOMPARE(clientes->count(), 12);
    QVERIFY(QFile::exists(b.amb.PathUser() + QStringLiteral("logo_modelo.png")));

    itemComTexto(clientes, QStringLiteral("Construtora Alicerce"))->setCheckState(Qt::Checked);
    QListWidget *usuarios = b.lista("lstUsuarios");
    QCOMPARE(usuarios->count(), 3);
    QListWidgetItem *master = itemComTexto(usuarios, QStringLiteral("Eng. Paulo Mend (Master) - paulo@alicerce.com.br   "));
    QVERIFY(master);
    QCOMPARE(master->checkState(), Qt::Checked);
    QCOMPARE(b.usuariosMarcados().size(), 1);

    // the second wallet's clients, and all their users at once
    carteira->setCurrentIndex(2);
    QStringList daCarteira;
    for (int i = 0; i < clientes->count(); ++i)
        daCarteira << clientes->item(i)->data(Qt::UserRole).toString();
    QCOMPARE(daCarteira.size(), 5);
    b.controle<QCheckBox>(QStringLiteral("chkMarcarClientes"))->click();
    QVERIFY(usuarios->count() >= daCarteira.size());
    for (int i = 0; i < usuarios->count(); ++i)
        QVERIFY(daCarteira.contains(usuarios->item(i)->text().section(QLatin1Char('|'), 1, 1)));
    QCOMPARE(b.dados(0).ClientesMarcados.size(), 6);
    QVERIFY(b.home.ui.inesperadas.isEmpty());
}

void TstFrmInformPortal::pastasEConfirmacao()
{
    InformBancada &b = *m_b;
    QComboBox *nivel1 = b.nivel(1);
    QCOMPARE(itens(nivel1), QStringList({"Contábil", "Diretoria", "Diversos", "Fiscal", "Pessoal"}));
    nivel1->setCurrentIndex(nivel1->findText(QStringLiteral("Pessoal")));
    QCOMPARE(b.controle<QLabel>(QStringLiteral("lblParametros1"))->text(), QStringLiteral("Competência:"));
    QCOMPARE(b.controle<QLabel>(QStringLiteral("lblParametros2"))->text(), QStringLiteral("Funcionário:"));
    QCOMPARE(itens(b.nivel(2)), QStringList({"Admissões", "Folha de pagamento"}));

    b.nivel(2)->setCurrentIndex(0);
    QCOMPARE(b.controle<QLabel>(QStringLiteral("lblParametros1"))->text(), QStringLiteral("Funcionário:"));
    QVERIFY(!b.controle(QStringLiteral("txtParametro2"))->isVisible());
    QCOMPARE(b.controle<QLabel>(QStringLiteral("lblParametros3"))->text(), QStringLiteral("Cargo:"));
    QVERIFY(!b.nivel(3)->isVisible());
    b.controle<QLineEdit>(QStringLiteral("txtParametro1"))->setText(QStringLiteral("Ana Lima"));

    itemComTexto(b.lista("lstClientes"), QStringLiteral("Clínica Sorriso"))->setCheckState(Qt::Checked);
    b.controle<QLineEdit>(QStringLiteral("txtDescricao"))->setText(QStringLiteral("Ficha de admissão"));
    b.controle<QToolButton>(QStringLiteral("cmdEnviar"))->click();

    QVERIFY(b.home.ui.inesperadas.isEmpty());
    QCOMPARE(b.envios.size(), 1);
    const InformBancada::Envio &e = b.envios.first();
    const QString pasta = nivel1->currentData().toString() + QLatin1Char('|') + b.nivel(2)->currentData().toString()
        + QStringLiteral("|0|0|0|");
    QCOMPARE(e.pasta, pasta);
    QVERIFY(e.validado);
    QCOMPARE(e.parametros[0], QStringLiteral("Ana Lima"));
    QCOMPARE(b.dados(0).ClientesMarcados.size(), 2);
    QCOMPARE(e.empresas, QString::number(b.dados(0).ClientesMarcados.at(1)));
    QVERIFY(e.usuariosId.startsWith(e.empresas + QLatin1Char('|')));
    QCOMPARE(e.arquivo, b.capturado);
}

QTEST_MAIN(TstFrmInformPortal)
#include "tst_frminform_portal.moc"
