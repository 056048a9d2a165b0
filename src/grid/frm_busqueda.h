#pragma once

#include <QDialog>

class EditableGrid;
class QLabel;

// The lookup dialog "Busca algo": it lists the rows of mPrincipal::sqlBusqueda
// and leaves the first column of the row the operator picks, by click, arrow key
// or double click, in mPrincipal::codigoBusqueda. Enter picks the current row
// and closes it, Escape closes it; it says so when nothing matches. It never
// writes to a table.
// There is one per process, loaded afresh at every opening.
class FrmBusqueda : public QDialog
{
    Q_OBJECT
public:
    // The one dialog of the process, created on first use.
    static FrmBusqueda &instancia();

    // Loads sqlBusqueda and waits until the operator closes the dialog. The
    // caller sets sqlBusqueda before, reads codigoBusqueda after and clears both.
    // An error of the query goes to the caller; the dialog is not shown then.
    static void buscar();

    // The loading that each opening does.
    void cargar();

    EditableGrid *grilla() const { return grilla_; }

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    FrmBusqueda();

    EditableGrid *grilla_;
    QLabel *sinFilas_;
};
