#pragma once

#include <QWidget>

class EditableGrid;
class ListaDepositos;
class QLineEdit;
class QPushButton;

// "Mínimos de stock": the articles of a family range, each with its minimum,
// order-up-to quantity and supplier for the chosen storage place, or for all
// places together. Edited in the grid; F5 saves the row's three values.
// "Leer &hoja..." fills them from a sheet, all rows or none.
class FrmMinimos : public QWidget
{
    Q_OBJECT
public:
    explicit FrmMinimos(QWidget *parent = nullptr);

    void cargarGrilla();
    EditableGrid *grilla() const { return grilla_; }
    void leerHoja();
    // The minimums of the sheet saved when every row passes its checks; else the rows that fail are told.
    void cargarHoja(const QString &archivo);

signals:
    void minimosGuardados();

private:
    bool guardarFila(const QStringList &textos);

    QLineEdit *t_DesdeFamilia_;
    QLineEdit *T_HastaFamilia_;
    ListaDepositos *cbo_Deposito_;
    QPushButton *b_Mostrar_;
    QPushButton *b_Salir_;
    QPushButton *b_Hoja_;
    EditableGrid *grilla_;
};
