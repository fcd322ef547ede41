#pragma once
// The model behind the history grid: the window's record table as 18 columns of text, each row
// formatted the first time the grid asks for it (a query may bring 32,767 records and the grid
// shows a screenful). A formatted row writes its texts back into the record, as the retrieval
// reads them; a cell whose text cannot be made stays empty and its fault is handed on.
#include "history/classConsultar.h"

#include <QAbstractTableModel>
#include <QBitArray>
#include <QSet>
#include <exception>
#include <functional>

class ModeloConsulta final : public QAbstractTableModel {
public:
    // `tabela` outlives the model; `falhou` is told of each cell that could not be formatted.
    ModeloConsulta(TabelaConsulta &tabela, std::function<void(std::exception_ptr)> falhou, QObject *parent = nullptr);

    int rowCount(const QModelIndex &pai = QModelIndex()) const override;
    int columnCount(const QModelIndex &pai = QModelIndex()) const override;
    QVariant data(const QModelIndex &indice, int papel = Qt::DisplayRole) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel = Qt::DisplayRole) const override;

    // One empty row, as the grid shows between queries.
    void limpa();
    // The records of the table (all rows but its last, empty one); nothing changes without records.
    void carrega();
    // Formats every row not formatted yet.
    void formataTudo() const;
    // The text of a cell, formatting its row first.
    QString texto(int linha, int coluna) const;
    // A record changed behind the grid (the retrieval found its local copy).
    void registroMudou(int linha);

private:
    void formata(int linha) const;

    TabelaConsulta &m_tabela;
    std::function<void(std::exception_ptr)> m_falhou;
    int m_linhas = 1;
    bool m_comRegistros = false;
    mutable QBitArray m_formatadas;
    mutable QSet<qint64> m_semTexto;   // row * columns + column of the cells that failed
};
