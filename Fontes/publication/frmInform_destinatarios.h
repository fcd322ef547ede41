#pragma once
// The recipients part of the publication dialog: the office logo, the wallet combo, the client
// companies and the portal users who get access, the mark-all boxes and "Enviar aviso por email".
// Which clients and users are checked is stored in the current file's record.
#include "publication/frmInform_contexto.h"

#include <QList>
#include <QObject>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;

class InformDestinatarios : public QObject {
    Q_OBJECT
public:
    // The controls are created as children of the dialog.
    InformDestinatarios(ContextoInform &contexto, QWidget &dialogo);

    struct Controles {
        QLabel *iblCarteira = nullptr;
        QComboBox *cboCarteira = nullptr;
        QLabel *iblClientes = nullptr;
        QListWidget *lstClientes = nullptr;
        QCheckBox *chkMarcarClientes = nullptr;
        QLabel *lblUsuarios = nullptr;
        QListWidget *lstUsuarios = nullptr;
        QCheckBox *chkMarcarUsuarios = nullptr;
        QCheckBox *chkEmailTodos = nullptr;
        QLabel *picLogo = nullptr;
    };
    const Controles &controles() const { return c; }

    QList<qint32> IdsCarteira;   // one per wallet-combo position; position 0 is every wallet (-1)
    bool MarcandoTodos = false;

    // Directory, wallets, clients and logo as the dialog opens.
    void CarregaInicial();
    void CarregaCarteiras();
    void CarregaClientes(qint64 carteira);
    void CarregaLogo(bool atualiza);

    // events
    void cboCarteira_Click();
    void lstClientes_ItemCheck(int item);
    void lstUsuarios_ItemCheck(int item);
    void chkMarcarClientes_Click();
    void chkMarcarUsuarios_Click();
    void picLogo_DblClick();

    // Puts a file's clients and users back into the lists (switching files).
    void Restaura(const publicacao::DadosArquivo &dados);
    void LimpaUsuarios();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void Monta(QWidget &dialogo);
    void AdicionaItem(QComboBox *combo, const QString &texto, qint32 id);
    void AdicionaItem(QListWidget *lista, const QString &texto, qint32 id);
    void AdicionaUsuario(const publicacao::UsuarioPortal &usuario);
    // itemChanged also comes for text and data: only a change of the check is an item-check event
    void itemMudou(QListWidget *lista, QListWidgetItem *item, void (InformDestinatarios::*evento)(int));

    ContextoInform &m_ctx;
    Controles c;
};
