#pragma once

#include <QWidget>

class EditableGrid;
class ListaDepositos;
class QLineEdit;
class QToolButton;

// "Mantenimiento de Depósitos": the storage places. The grid lists them and
// renames one in place; the two fields take a code and a name, saved as a new
// place or over the place of that code. A place that movements name is never
// deleted. "Este puesto trabaja en" chooses the place of this computer, where
// its new vouchers start; it is kept in the settings file.
class FrmDepositos : public QWidget
{
    Q_OBJECT
public:
    explicit FrmDepositos(QWidget *parent = nullptr);

    // The grid and the list of the computer's place, read again.
    void cargarGrilla();
    void guardar();

    EditableGrid *grilla() const { return grilla_; }

private:
    void crearControles();
    void conectar();
    // The code and name to save, trimmed, or nothing when the fields do not hold them.
    bool datosAdmitidos(QString &codigo, QString &nombre);
    // Whether the row's place may go; the refusal is told here.
    bool eliminable(const QStringList &fila);
    void cambiarPuesto(const QString &codigo);

    QLineEdit *t_codigo_;
    QLineEdit *t_Nombre_;
    EditableGrid *grilla_;
    QToolButton *b_Guardar_;
    QToolButton *b_Salir_;
    ListaDepositos *cbo_Puesto_;
};
