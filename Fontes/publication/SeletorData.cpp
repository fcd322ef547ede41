#include "publication/SeletorData.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>

namespace {

// the field shows blank at this date: no date
const QDate kVazia(1900, 1, 1);

} // namespace

SeletorData::SeletorData(QWidget *parent) : QWidget(parent)
{
    auto *fila = new QHBoxLayout(this);
    fila->setContentsMargins(0, 0, 0, 0);
    fila->setSpacing(2);
    m_caixa = new QCheckBox(this);
    m_caixa->setObjectName(QStringLiteral("chkData"));
    m_campo = new QDateEdit(this);
    m_campo->setObjectName(QStringLiteral("campoData"));
    m_campo->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    m_campo->setCalendarPopup(true);
    m_campo->setMinimumDate(kVazia);
    m_campo->setSpecialValueText(QStringLiteral(" "));
    m_ultima = QDate::currentDate();
    fila->addWidget(m_caixa);
    fila->addWidget(m_campo, 1);
    setFocusProxy(m_campo);
    mostraEstado();

    connect(m_caixa, &QCheckBox::toggled, this, [this](bool) {
        if (m_definindo)
            return;
        mostraEstado();
        Q_EMIT mudou();
    });
    connect(m_campo, &QDateEdit::dateChanged, this, [this](QDate dia) {
        if (m_definindo || !m_caixa->isChecked())
            return;
        if (dia == kVazia) {
            // stepping down to the blank means no date
            m_caixa->setChecked(false);
            return;
        }
        m_ultima = dia;
        Q_EMIT mudou();
    });
}

std::optional<QDate> SeletorData::valor() const
{
    if (!m_caixa->isChecked())
        return std::nullopt;
    return m_campo->date();
}

void SeletorData::defineValor(const std::optional<QDate> &dia)
{
    m_definindo = true;
    if (dia && dia->isValid()) {
        m_ultima = *dia;
        m_caixa->setChecked(true);
    } else {
        m_caixa->setChecked(false);
    }
    mostraEstado();
    m_definindo = false;
    // a value put in from outside counts as a change even when it is the same: whoever listens
    // keeps what the picker shows
    Q_EMIT mudou();
}

void SeletorData::mostraEstado()
{
    const bool temData = m_caixa->isChecked();
    const bool definindo = m_definindo;
    m_definindo = true;
    m_campo->setEnabled(temData);
    m_campo->setDate(temData ? m_ultima : kVazia);
    m_definindo = definindo;
}
