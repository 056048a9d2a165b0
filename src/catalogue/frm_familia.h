#pragma once

#include <QWidget>

class EditableGrid;
class QLineEdit;
class QToolButton;

// "Mantenimiento de Familias": the families that group the articles. The grid
// lists them all; the two fields take a code and a name, saved as a new family
// or over the family of that code.
class FrmFamilia : public QWidget
{
    Q_OBJECT
public:
    explicit FrmFamilia(QWidget *parent = nullptr);

    void cargarGrilla();
    void guardar();

    EditableGrid *grilla() const { return grilla_; }

protected:
    // The form opens at the top-left corner of the main window's work area.
    void showEvent(QShowEvent *evento) override;

private:
    void crearControles();
    void conectar();
    bool datosCompletos();

    QLineEdit *t_codigo_;
    QLineEdit *t_Familia_;
    EditableGrid *grilla_;
    QToolButton *b_Guardar_;
    QToolButton *b_Salir_;
    QToolButton *b_Consulta_;
};
