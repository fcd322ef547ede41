#pragma once
// The folders-and-parameters part of the publication dialog: five cascading folder levels loaded
// from the portal and up to five parameter boxes named by the chosen folder. The levels and the
// parameter values are stored in the current file's record.
#include "publication/frmInform_contexto.h"

#include <QObject>
#include <array>

class QComboBox;
class QLabel;
class QLineEdit;

class InformPastas : public QObject {
    Q_OBJECT
public:
    InformPastas(ContextoInform &contexto, QWidget &dialogo);

    struct Controles {
        QLabel *lblPasta = nullptr;
        std::array<QComboBox *, 5> cboPastas{};
        std::array<QLabel *, 5> lblParametros{};   // the fourth one is lblParametro4
        std::array<QLineEdit *, 5> txtParametro{};
    };
    const Controles &controles() const { return c; }

    void CarregaPastas1();
    // nivel 2 ... 5: the folders under the one selected at the level above
    void CarregaPastas(int nivel);
    void CarregaParametros(int nivel, qint32 pasta);
    void LimpaParametros();

    // events (nivel and parametro count from 1)
    void cboPastas_Click(int nivel);
    void txtParametro_Change(int parametro);

    // Puts a file's folders and parameter values back (switching files).
    void Restaura(const publicacao::DadosArquivo &dados);

private:
    void Monta(QWidget &dialogo);
    void esvazia(QComboBox *combo);
    void preenche(QComboBox *combo, const QList<publicacao::PastaPortal> &pastas);
    qint32 selecionada(int nivel) const;

    ContextoInform &m_ctx;
    Controles c;
};
