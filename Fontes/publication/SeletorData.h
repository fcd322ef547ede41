#pragma once
// A date picker that may hold no date: the box in front says whether there is one. Without a
// date the field is greyed and blank; checking the box brings back the last date shown.
#include <QDate>
#include <QWidget>
#include <optional>

class QCheckBox;
class QDateEdit;

class SeletorData : public QWidget {
    Q_OBJECT
public:
    explicit SeletorData(QWidget *parent = nullptr);

    std::optional<QDate> valor() const;
    // No date leaves the last one in the field for when the box is checked again.
    void defineValor(const std::optional<QDate> &dia);

    QCheckBox *caixa() const { return m_caixa; }
    QDateEdit *campo() const { return m_campo; }

Q_SIGNALS:
    // A change of the value by the user, and every defineValor.
    void mudou();

private:
    void mostraEstado();

    QCheckBox *m_caixa = nullptr;
    QDateEdit *m_campo = nullptr;
    QDate m_ultima;
    bool m_definindo = false;
};
