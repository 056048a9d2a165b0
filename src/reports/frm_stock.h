#pragma once

#include "stock_reports.h"

#include <QWidget>

class MaskedDateBox;
class QLineEdit;
class QPushButton;

// The filter window of the two stock reports: the day ("Al", today's date when
// it opens) and the article and family ranges of the movement report.
// "&Imprimir" builds the chosen report and shows it in its preview; "&Salir"
// closes the window.
class FrmStock : public QWidget
{
    Q_OBJECT
public:
    enum class Informe { PorDeposito, Valorizacion };

    explicit FrmStock(Informe informe, QWidget *parent = nullptr);

    FiltroStock filtro() const;

private:
    void imprimir();

    Informe informe_;
    MaskedDateBox *f_al_;
    QLineEdit *t_DesdeNumero_;
    QLineEdit *T_HastaNumero_;
    QLineEdit *T_DesdeFamilia_;
    QLineEdit *T_HastaFamilia_;
    QPushButton *b_Imprimir_;
    QPushButton *b_Salir_;
};
