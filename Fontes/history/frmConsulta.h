#pragma once
// The history window: what the office has published, under filters by client, document type,
// date range, publishing user, order and state, in an 18-column grid whose layout and filters are
// remembered in section "Consulta" of the settings. The main window creates it, has the
// environment create the query object (Consulta_Iniciar), shows it modally and releases both.
// Split by concern:
//   frmConsulta.cpp            load, caption, size limits, closing
//   frmConsulta_controles.cpp  the controls and their places
//   frmConsulta_filtros.cpp    the filter lists, the filter routine and the dates
//   frmConsulta_grade.cpp      grid set-up, column widths, filling, saving the layout
//   ModeloConsulta.*           the model behind the grid, rows formatted when first shown
//   frmConsulta_celulas.*      the columns and the text of each cell from a record
//   frmConsulta_arquivo.cpp    double-click: download, view
#include "history/classConsultar.h"
#include "platform/UiServices.h"

#include <QDialog>
#include <QList>
#include <QSize>
#include <QString>
#include <array>
#include <exception>
#include <functional>

class classAmbiente;
class ModFuncs;
class SeletorData;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class ModeloConsulta;
class QTableView;
class QToolBar;
class QToolButton;

class frmConsulta : public QDialog {
    Q_OBJECT
public:
    static constexpr int kColunas = classConsultar::kCampos;

    frmConsulta(classAmbiente &ambiente, ModFuncs &funcs, QWidget *parent = nullptr);
    ~frmConsulta() override;

    // The load sequence; runs once, when the window is first shown.
    void Form_Load();

    // the filter routine (cmdFiltrar and the "keyFiltrar" button of tbFiltrar)
    void suFiltrar();
    void tbFiltrar_ButtonClick(const QString &chave);
    void cboTipoData_Click();
    void cmdResetarCampos_Click();

    // grid
    void LimpaGrid();
    void CarregaConsulta();
    // pReseta stores every column width empty, so the next set-up uses the defaults.
    void ConfigSave(bool pReseta);
    // Width of a grid column in twips; 0 when hidden.
    int LarguraColuna(int coluna) const;
    // Size of the window in twips (what "WI" and "HE" keep). The window's own area: the frame is
    // the window manager's, and may only be known some time after the window is shown.
    QSize TamanhoTwips() const;

    // double-click on the grid: view the local copy of the selected row, or download it first
    void grdConsulta_DblClick();
    void suVizualisar(const QString &id, const QString &nome);

    // The record table of the last query, with the grid's texts written back into it.
    const TabelaConsulta &Registros() const;
    // identifiers behind cboClientes and cboUsuarios, entry for entry
    const QList<qint32> &IdsClientes() const { return m_idsClientes; }
    const QList<qint32> &IdsUsuarios() const { return m_idsUsuarios; }

    // Every close (Esc, the close box, another window closing this one) saves the layout.
    void done(int resultado) override;

protected:
    void showEvent(QShowEvent *evento) override;
    void resizeEvent(QResizeEvent *evento) override;

private:
    struct Controles {
        QLabel *iblCliente = nullptr;
        QComboBox *cboClientes = nullptr;
        QLabel *Label2 = nullptr;
        QComboBox *cboTipoDocto = nullptr;
        QLabel *Label6 = nullptr;
        QComboBox *cboTipoData = nullptr;
        QLabel *Label4 = nullptr;
        SeletorData *dtpDtInicio = nullptr;
        QLabel *Label5 = nullptr;
        SeletorData *dtpDtFim = nullptr;
        QLabel *Label3 = nullptr;
        QComboBox *cboUsuarios = nullptr;
        QLabel *Label8 = nullptr;
        QComboBox *cboOrdem = nullptr;
        QLabel *Label9 = nullptr;
        QComboBox *cboMostrar = nullptr;
        QToolButton *cmdFiltrar = nullptr;
        QToolBar *tbFiltrar = nullptr;
        QGroupBox *Frame1 = nullptr;
        QLabel *Label10 = nullptr;
        QLabel *iblRetorno = nullptr;
        QLabel *Label11 = nullptr;
        QLabel *iblSumSize = nullptr;
        QLabel *Label13 = nullptr;
        QPushButton *cmdResetarCampos = nullptr;
        QLabel *Label1 = nullptr;
        QTableView *grdConsulta = nullptr;
        QLabel *iblInform = nullptr;
    };

    // frmConsulta_controles.cpp
    void MontaControles();
    void MontaFiltros();
    void MontaInformacoes();
    void MostraVariante(bool barraDeFerramentas);

    // frmConsulta.cpp
    void Caption();
    void Form_Resize();
    void defineTamanho(QSize twips);
    // count in iblRetorno, the size sum as kilobytes in iblSumSize
    void MostraTotais(qint16 quantidade, qint64 soma);
    bool passo(const char *procedimento, const std::function<void()> &acao);

    // frmConsulta_filtros.cpp
    void CarregaCboCli();
    void CarregaCboUsr();
    void AddComboItem(QComboBox &combo, QList<qint32> &ids, const QString &nome, const QString &id);
    classConsultar &consulta() const;

    // frmConsulta_grade.cpp
    // Headers, widths and alignments; then the size and the list positions from the settings.
    void ConfigGrid(const char *procedimento);
    void DefineLargura(int coluna, int twips);
    QString leConsulta(const QString &chave) const;
    // a cell the model could not format, reported once the grid is done painting
    void celulaFalhou(std::exception_ptr falha);

    // frmConsulta_arquivo.cpp
    void aviso(const QString &texto, plataforma::Icone icone);

    classAmbiente &m_ambiente;
    ModFuncs &m_funcs;
    Controles c;
    TabelaConsulta m_tabela;
    ModeloConsulta *m_modelo = nullptr;
    QList<qint32> m_idsClientes;
    QList<qint32> m_idsUsuarios;
    // the width each column was last given, in twips: the pixel width alone loses the twips
    std::array<int, kColunas> m_larguras{};
    QSize m_tamanho;   // the size last applied, in twips
    bool m_carregado = false;
    bool m_guardandoTamanho = false;
};
