// The recipients part of the publication dialog.
#include "publication/frmInform_destinatarios.h"

#include "publication/frmInform_figuras.h"
#include "shell/classAmbiente.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>

using publicacao::DadosArquivo;
using publicacao::IdsDoItem;
using publicacao::UsuarioPortal;

namespace {

// the check state last seen, so that only a change of the check counts as an item-check
constexpr int kMarcaVista = Qt::UserRole + 1;

bool marcado(const QListWidgetItem *item)
{
    return item->checkState() == Qt::Checked;
}

void marca(QListWidgetItem *item, bool sim)
{
    item->setCheckState(sim ? Qt::Checked : Qt::Unchecked);
}

template <typename T>
T *controle(QWidget &pai, const char *nome)
{
    auto *w = new T(&pai);
    w->setObjectName(QString::fromLatin1(nome));
    return w;
}

QLabel *rotulo(QWidget &pai, const char *nome, const QString &texto)
{
    auto *l = controle<QLabel>(pai, nome);
    l->setText(texto);
    return l;
}

QCheckBox *caixa(QWidget &pai, const char *nome, const QString &texto)
{
    auto *c = controle<QCheckBox>(pai, nome);
    c->setText(texto);
    return c;
}

// A client id in a user item's text against a client's id, compared as numbers.
bool mesmoCliente(const QString &parte, qint32 cliente)
{
    bool ok = false;
    const qint32 v = parte.trimmed().toInt(&ok);
    return ok && v == cliente;
}

// Ends the mark-all walk even when a step of it fails.
struct FimMarcandoTodos {
    bool &flag;
    ~FimMarcandoTodos() { flag = false; }
};

} // namespace

InformDestinatarios::InformDestinatarios(ContextoInform &contexto, QWidget &dialogo)
    : QObject(&dialogo), m_ctx(contexto)
{
    Monta(dialogo);
}

void InformDestinatarios::Monta(QWidget &dialogo)
{
    c.picLogo = controle<QLabel>(dialogo, "picLogo");
    c.picLogo->setToolTip(QStringLiteral("Dê dois cliques sobre esta para atualizar Logo/Carteiras/Clientes"));
    c.picLogo->setAlignment(Qt::AlignCenter);
    c.picLogo->installEventFilter(this);
    coloca(c.picLogo, 120, 60, 3630, 1245);

    c.iblCarteira = rotulo(dialogo, "iblCarteira", QStringLiteral("Carteira:"));
    coloca(c.iblCarteira, 120, 1350, 3630, 210);
    c.cboCarteira = controle<QComboBox>(dialogo, "cboCarteira");
    c.cboCarteira->setPlaceholderText(QStringLiteral("Selecione uma Carteira"));
    coloca(c.cboCarteira, 120, 1560, 3630, 315);

    c.iblClientes = rotulo(dialogo, "iblClientes", QStringLiteral("Clientes:"));
    coloca(c.iblClientes, 120, 1920, 3630, 210);
    c.lstClientes = controle<QListWidget>(dialogo, "lstClientes");
    coloca(c.lstClientes, 120, 2160, 3630, 6270);

    c.chkEmailTodos = caixa(dialogo, "chkEmailTodos", QStringLiteral("Enviar aviso por email"));
    c.chkEmailTodos->setToolTip(QStringLiteral("Enviar e-mail de aviso para o(s) cliente(s)"));
    coloca(c.chkEmailTodos, 3870, 960, 3630, 255);
    c.chkMarcarClientes = caixa(dialogo, "chkMarcarClientes", QStringLiteral("Marcar/desmarcar todos os clientes"));
    coloca(c.chkMarcarClientes, 3870, 1320, 3630, 255);
    c.chkMarcarUsuarios = caixa(dialogo, "chkMarcarUsuarios", QStringLiteral("Marcar/desmarcar todos os usuários"));
    coloca(c.chkMarcarUsuarios, 3870, 1620, 3630, 255);

    c.lblUsuarios = rotulo(dialogo, "lblUsuarios", QStringLiteral("Permissão de Acesso:"));
    coloca(c.lblUsuarios, 3870, 1920, 3630, 210);
    c.lstUsuarios = controle<QListWidget>(dialogo, "lstUsuarios");
    // the ids after the blanks stay out of sight
    c.lstUsuarios->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    c.lstUsuarios->setTextElideMode(Qt::ElideNone);
    coloca(c.lstUsuarios, 3870, 2160, 3630, 6270);

    connect(c.cboCarteira, &QComboBox::currentIndexChanged, this, [this] { cboCarteira_Click(); });
    connect(c.lstClientes, &QListWidget::itemChanged, this,
            [this](QListWidgetItem *item) { itemMudou(c.lstClientes, item, &InformDestinatarios::lstClientes_ItemCheck); });
    connect(c.lstUsuarios, &QListWidget::itemChanged, this,
            [this](QListWidgetItem *item) { itemMudou(c.lstUsuarios, item, &InformDestinatarios::lstUsuarios_ItemCheck); });
    connect(c.chkMarcarClientes, &QCheckBox::clicked, this, [this] { chkMarcarClientes_Click(); });
    connect(c.chkMarcarUsuarios, &QCheckBox::clicked, this, [this] { chkMarcarUsuarios_Click(); });
}

void InformDestinatarios::itemMudou(QListWidget *lista, QListWidgetItem *item,
                                    void (InformDestinatarios::*evento)(int))
{
    const bool agora = marcado(item);
    if (item->data(kMarcaVista).toBool() == agora)
        return;
    {
        const QSignalBlocker bloqueio(lista);
        item->setData(kMarcaVista, agora);
    }
    (this->*evento)(lista->row(item));
}

bool InformDestinatarios::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == c.picLogo && evento->type() == QEvent::MouseButtonDblClick) {
        picLogo_DblClick();
        return true;
    }
    return QObject::eventFilter(objeto, evento);
}

void InformDestinatarios::AdicionaItem(QComboBox *combo, const QString &texto, qint32 id)
{
    const QSignalBlocker bloqueio(combo);
    const int antes = combo->currentIndex();
    combo->addItem(texto, id);
    IdsCarteira.resize(combo->count());
    IdsCarteira[combo->count() - 1] = id;
    // adding to an empty combo would select the item; a selection is only ever made on purpose
    combo->setCurrentIndex(antes);
}

void InformDestinatarios::AdicionaItem(QListWidget *lista, const QString &texto, qint32 id)
{
    auto *item = new QListWidgetItem(texto);
    item->setData(Qt::UserRole, id);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    item->setData(kMarcaVista, false);
    lista->addItem(item);
}

void InformDestinatarios::AdicionaUsuario(const UsuarioPortal &usuario)
{
    AdicionaItem(c.lstUsuarios, usuario.texto(), usuario.id.toInt());
    if (usuario.master())
        marca(c.lstUsuarios->item(c.lstUsuarios->count() - 1), true);
}

void InformDestinatarios::CarregaInicial()
{
    const char *const proc = "Form_Load";
    classAmbiente &a = m_ctx.ambiente;
    bool sincronizado = false;
    m_ctx.passo(proc, [&] {
        bool atualiza = false;
        sincronizado = a.Sincroniza(atualiza, true);
        if (!sincronizado)
            m_ctx.mostra(a.Erro(), plataforma::Icone::Informacao);
    });
    if (sincronizado) {
        m_ctx.passo(proc, [&] { CarregaCarteiras(); });
        // selecting "Todas Carteiras" loads every client
        m_ctx.passo(proc, [&] {
            if (c.cboCarteira->count() > 0)
                c.cboCarteira->setCurrentIndex(0);
        });
        m_ctx.passo(proc, [&] { CarregaClientes(0); });
    }
    m_ctx.passo(proc, [&] { CarregaLogo(false); });
}

void InformDestinatarios::CarregaCarteiras()
{
    classAmbiente &a = m_ctx.ambiente;
    if (a.TpLogo == QLatin1String("P"))
        coloca(c.picLogo, 120, 60, 3630, 1245);
    else
        coloca(c.picLogo, 480, 240, 2965, 870);

    if (!a.TemCarteira) {
        c.iblCarteira->setVisible(false);
        c.cboCarteira->setVisible(false);
        coloca(c.iblClientes, 120, 1320, 3630, 210);
        coloca(c.lstClientes, 120, 1560, 3630, 6810);
        return;
    }
    coloca(c.iblClientes, 120, 1920, 3630, 210);
    coloca(c.lstClientes, 120, 2160, 3630, 6270);
    c.iblCarteira->setVisible(true);
    c.cboCarteira->setVisible(true);
    {
        const QSignalBlocker bloqueio(c.cboCarteira);
        c.cboCarteira->clear();
    }
    IdsCarteira.clear();

    AdicionaItem(c.cboCarteira, QStringLiteral("Todas Carteiras"), -1);
    for (const portal::LinhaTabela &carteira : a.Carteiras())
        AdicionaItem(c.cboCarteira, carteira.nome, carteira.id.toInt());
}

void InformDestinatarios::cboCarteira_Click()
{
    // a failure here is ignored: the list keeps what it shows
    try {
        const int posicao = c.cboCarteira->currentIndex();
        if (posicao < 0 || posicao >= IdsCarteira.size())
            return;
        CarregaClientes(IdsCarteira.at(posicao));
    } catch (...) {
    }
}

void InformDestinatarios::CarregaClientes(qint64 carteira)
{
    c.lstClientes->clear();
    c.lstUsuarios->clear();
    for (const portal::LinhaTabela &cliente : m_ctx.ambiente.Clientes(carteira))
        AdicionaItem(c.lstClientes, cliente.nome, cliente.id.toInt());
}

void InformDestinatarios::LimpaUsuarios()
{
    c.lstUsuarios->clear();
}

void InformDestinatarios::lstClientes_ItemCheck(int item)
{
    m_ctx.passo("lstClientes_ItemCheck", [&] {
        QListWidgetItem *cliente = c.lstClientes->item(item);
        if (!cliente)
            return;
        const qint32 id = cliente->data(Qt::UserRole).toInt();
        if (!MarcandoTodos) {
            if (marcado(cliente)) {
                for (const UsuarioPortal &u : m_ctx.portal.UsuariosDoCliente(id))
                    AdicionaUsuario(u);
            } else {
                for (int i = c.lstUsuarios->count() - 1; i >= 0; --i) {
                    if (mesmoCliente(IdsDoItem(c.lstUsuarios->item(i)->text()).cliente, id))
                        delete c.lstUsuarios->takeItem(i);
                }
            }
        }
        m_ctx.guarda([&](DadosArquivo &d) {
            d.ClientesMarcados = {0};
            for (int i = 0; i < c.lstClientes->count(); ++i) {
                if (marcado(c.lstClientes->item(i)))
                    d.ClientesMarcados << c.lstClientes->item(i)->data(Qt::UserRole).toInt();
            }
        });
    });
}

void InformDestinatarios::lstUsuarios_ItemCheck(int item)
{
    m_ctx.passo("lstUsuarios_ItemCheck", [&] {
        QListWidgetItem *usuario = c.lstUsuarios->item(item);
        if (!usuario)
            return;
        // a master user can not be unchecked
        if (!marcado(usuario) && usuario->text().contains(QStringLiteral("Master")))
            marca(usuario, true);
        m_ctx.guarda([&](DadosArquivo &d) {
            d.UsuariosMarcados = {QString()};
            for (int i = 0; i < c.lstUsuarios->count(); ++i) {
                const QListWidgetItem *u = c.lstUsuarios->item(i);
                if (!marcado(u))
                    continue;
                const publicacao::IdsItemUsuario ids = IdsDoItem(u->text());
                d.UsuariosMarcados << ids.cliente + QLatin1Char('|') + ids.usuario;
            }
        });
    });
}

void InformDestinatarios::chkMarcarClientes_Click()
{
    m_ctx.passo("chkMarcarClientes_Click", [&] {
        MarcandoTodos = true;
        const FimMarcandoTodos fim{MarcandoTodos};
        const bool todos = c.chkMarcarClientes->isChecked();
        c.lstUsuarios->clear();
        for (int i = c.lstClientes->count() - 1; i >= 0; --i)
            marca(c.lstClientes->item(i), todos);
        if (todos) {
            for (const UsuarioPortal &u : m_ctx.portal.UsuariosDeTodos(c.cboCarteira->currentIndex()))
                AdicionaUsuario(u);
        }
        c.lstClientes->update();
    });
}

void InformDestinatarios::chkMarcarUsuarios_Click()
{
    m_ctx.passo("chkMarcarUsuarios_Click", [&] {
        const bool todos = c.chkMarcarUsuarios->isChecked();
        for (int i = c.lstUsuarios->count() - 1; i >= 0; --i)
            marca(c.lstUsuarios->item(i), todos);
    });
}

void InformDestinatarios::CarregaLogo(bool atualiza)
{
    classAmbiente &a = m_ctx.ambiente;
    const QString caminho = a.LogoEscritorio(a.PathUser(), atualiza);
    QPixmap figura;
    if (!caminho.isEmpty())
        figura.load(caminho);
    const QSize lugar = c.picLogo->size();
    if (figura.isNull())
        figura = figurasInform::logoPadrao(lugar);
    else if (figura.width() > lugar.width() || figura.height() > lugar.height())
        figura = figura.scaled(lugar, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    c.picLogo->setPixmap(figura);
}

void InformDestinatarios::picLogo_DblClick()
{
    classAmbiente &a = m_ctx.ambiente;
    plataforma::UiServices &ui = a.servicos().ui;
    try {
        c.lstUsuarios->clear();
        bool atualiza = true;
        if (a.Sincroniza(atualiza, true)) {
            CarregaCarteiras();
            CarregaClientes(0);
        } else {
            m_ctx.mostra(a.Erro(), plataforma::Icone::Informacao);
        }
        ui.cursorOcupado(true);
        CarregaLogo(true);
        ui.cursorOcupado(false);
    } catch (...) {
        ui.cursorOcupado(false);
        m_ctx.mostra(QStringLiteral("Erro ao sincronizar!"), plataforma::Icone::Exclamacao);
    }
}

void InformDestinatarios::Restaura(const DadosArquivo &dados)
{
    for (int i = 0; i < c.lstClientes->count(); ++i)
        marca(c.lstClientes->item(i), false);
    for (int i = 0; i < c.lstClientes->count(); ++i) {
        QListWidgetItem *cliente = c.lstClientes->item(i);
        const qint32 id = cliente->data(Qt::UserRole).toInt();
        if (id > 0 && dados.ClientesMarcados.contains(id))
            marca(cliente, true);
    }
    // masters check themselves again
    for (int i = 0; i < c.lstUsuarios->count(); ++i)
        marca(c.lstUsuarios->item(i), false);
    for (const QString &entrada : dados.UsuariosMarcados) {
        if (entrada.isEmpty())
            continue;
        const QStringList partes = entrada.split(QLatin1Char('|'));
        for (int i = 0; i < c.lstUsuarios->count(); ++i) {
            QListWidgetItem *usuario = c.lstUsuarios->item(i);
            const publicacao::IdsItemUsuario ids = IdsDoItem(usuario->text());
            if (ids.cliente == partes.value(0) && ids.usuario == partes.value(1))
                marca(usuario, true);
        }
    }
}
