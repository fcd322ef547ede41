// The folders-and-parameters part of the publication dialog.
#include "publication/frmInform_pastas.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

using publicacao::DadosArquivo;
using publicacao::kNiveis;
using publicacao::kNivelPendente;
using publicacao::kSemNivel;

namespace {

constexpr int kEsquerda = 11700;
constexpr int kLargura = 3330;
constexpr int kMaxParametro = 100;

} // namespace

InformPastas::InformPastas(ContextoInform &contexto, QWidget &dialogo) : QObject(&dialogo), m_ctx(contexto)
{
    Monta(dialogo);
}

void InformPastas::Monta(QWidget &dialogo)
{
    c.lblPasta = new QLabel(QStringLiteral("Pasta:"), &dialogo);
    c.lblPasta->setObjectName(QStringLiteral("lblPasta"));
    coloca(c.lblPasta, kEsquerda, 120, kLargura, 210);

    static const char *const nomesRotulos[] = {"lblParametros1", "lblParametros2", "lblParametros3", "lblParametro4",
                                               "lblParametros5"};
    for (int k = 0; k < kNiveis; ++k) {
        auto *combo = new QComboBox(&dialogo);
        combo->setObjectName(QStringLiteral("cboPastas") + QString::number(k + 1));
        coloca(combo, kEsquerda, 360 + k * 390, kLargura, 315);
        combo->setVisible(k == 0);
        c.cboPastas[k] = combo;
        connect(combo, &QComboBox::currentIndexChanged, this, [this, k] { cboPastas_Click(k + 1); });

        auto *rotulo = new QLabel(&dialogo);
        rotulo->setObjectName(QString::fromLatin1(nomesRotulos[k]));
        coloca(rotulo, kEsquerda, 2400 + k * 600, kLargura, 210);
        c.lblParametros[k] = rotulo;

        auto *texto = new QLineEdit(&dialogo);
        texto->setObjectName(QStringLiteral("txtParametro") + QString::number(k + 1));
        texto->setMaxLength(kMaxParametro);
        texto->setVisible(false);
        coloca(texto, kEsquerda, 2610 + k * 600, kLargura, 315);
        c.txtParametro[k] = texto;
        connect(texto, &QLineEdit::textChanged, this, [this, k] { txtParametro_Change(k + 1); });
    }
}

void InformPastas::esvazia(QComboBox *combo)
{
    const QSignalBlocker bloqueio(combo);
    combo->clear();
}

void InformPastas::preenche(QComboBox *combo, const QList<publicacao::PastaPortal> &pastas)
{
    const QSignalBlocker bloqueio(combo);
    for (const publicacao::PastaPortal &p : pastas)
        combo->addItem(p.nome, p.id);
    // filling selects nothing: a selection is the user's choice
    combo->setCurrentIndex(-1);
}

qint32 InformPastas::selecionada(int nivel) const
{
    const QComboBox *combo = c.cboPastas[nivel - 1];
    return combo->currentIndex() < 0 ? kSemNivel : combo->currentData().toInt();
}

void InformPastas::CarregaPastas1()
{
    for (int k = 0; k < kNiveis; ++k) {
        esvazia(c.cboPastas[k]);
        if (k > 0)
            c.cboPastas[k]->setVisible(false);
    }
    const publicacao::RespostaPastas r = m_ctx.portal.Pastas(1, 0);
    if (!r.marcador)
        return;
    preenche(c.cboPastas[0], r.pastas);
    m_ctx.guarda([](DadosArquivo &d) { d.Pasta[0] = kNivelPendente; });
}

void InformPastas::CarregaPastas(int nivel)
{
    for (int k = nivel - 1; k < kNiveis; ++k) {
        esvazia(c.cboPastas[k]);
        if (k >= nivel)
            c.cboPastas[k]->setVisible(false);
    }
    QComboBox *combo = c.cboPastas[nivel - 1];
    const publicacao::RespostaPastas r = m_ctx.portal.Pastas(nivel, selecionada(nivel - 1));
    if (!r.marcador) {
        combo->setVisible(false);
        return;
    }
    preenche(combo, r.pastas);
    if (combo->count() == 0) {
        combo->setVisible(false);
        return;
    }
    combo->setVisible(true);
    m_ctx.guarda([nivel](DadosArquivo &d) { d.Pasta[nivel - 1] = kNivelPendente; });
}

void InformPastas::cboPastas_Click(int nivel)
{
    m_ctx.passo(QStringLiteral("cboPastas") + QString::number(nivel) + QStringLiteral("_Click"), [&] {
        LimpaParametros();
        const qint32 pasta = selecionada(nivel);
        if (c.cboPastas[nivel - 1]->currentIndex() < 0)
            return;
        CarregaParametros(nivel, pasta);
        m_ctx.guarda([nivel, pasta](DadosArquivo &d) {
            d.Pasta[nivel - 1] = pasta;
            for (int k = nivel; k < kNiveis; ++k)
                d.Pasta[k] = kSemNivel;
        });
        // the next level is loaded while restoring too: its list is what the file's choice is found in
        if (nivel < kNiveis)
            CarregaPastas(nivel + 1);
    });
}

void InformPastas::CarregaParametros(int nivel, qint32 pasta)
{
    const auto nomes = m_ctx.portal.Parametros(nivel, pasta);
    if (!nomes)
        return;
    for (int k = 0; k < kNiveis; ++k) {
        const QString &nome = (*nomes)[k];
        if (!nome.isEmpty()) {
            c.lblParametros[k]->setText(publicacao::PrimeiraMaiuscula(nome) + QLatin1Char(':'));
            c.txtParametro[k]->setVisible(true);
        } else {
            c.lblParametros[k]->clear();
            c.txtParametro[k]->setVisible(false);
        }
    }
}

void InformPastas::LimpaParametros()
{
    for (QLineEdit *texto : c.txtParametro)
        texto->clear();
}

void InformPastas::txtParametro_Change(int parametro)
{
    const QString texto = c.txtParametro[parametro - 1]->text();
    m_ctx.guarda([&](DadosArquivo &d) { d.Parametro[parametro - 1] = texto; });
}

void InformPastas::Restaura(const DadosArquivo &dados)
{
    for (int k = 0; k < kNiveis; ++k) {
        c.cboPastas[k]->setCurrentIndex(-1);
        if (k > 0)
            c.cboPastas[k]->setVisible(false);
        c.lblParametros[k]->clear();
        c.txtParametro[k]->setVisible(false);
    }
    // selecting raises the folder click, which loads the parameter labels and the next level
    for (int k = 0; k < kNiveis; ++k) {
        if (dados.Pasta[k] <= 0)
            continue;
        QComboBox *combo = c.cboPastas[k];
        const int posicao = combo->findData(dados.Pasta[k]);
        if (posicao >= 0)
            combo->setCurrentIndex(posicao);
    }
    for (int k = 0; k < kNiveis; ++k)
        c.txtParametro[k]->setText(dados.Parametro[k]);
}
