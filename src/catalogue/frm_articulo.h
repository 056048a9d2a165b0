#pragma once

#include <QWidget>

class CodigosDeArticulo;
class EditableGrid;
class MaskedDateBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// "Articulos": the catalogue of articles. The grid lists the articles; the
// fields above it hold one article, loaded by its number or by a double click on
// its row, and saved as a new or changed article. The family is picked through
// the lookup dialog, and "&Imprimir" shows the article list. The article's
// barcodes are listed beside the fields, where codes are added and removed;
// "G&ráfico" asks for the article's stock drawn over time.
class frmArticulo : public QWidget
{
    Q_OBJECT
public:
    explicit frmArticulo(QWidget *parent = nullptr);
    ~frmArticulo() override;

    // The operations behind the controls; each lets a QuendraError through to
    // the control's handler, which shows it.
    void cargarGrilla();
    void buscarPorNombre();
    void limpiar();
    void CargarArticulo();
    void guardarArticulo();
    void buscarFamilia();
    void imprimirLista();

    EditableGrid *grilla() const { return grilla_; }

signals:
    // "G&ráfico": the stock of the article in the number box drawn over time.
    void graficoPedido(const QString &numero);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void crearControles();
    void fijarOrdenTabulacion();
    void conectar();
    // Fills the grid with the articles a query selects; column 0, the number, is the key.
    void mostrarArticulos(const QString &consulta);
    // Whether number, name, family and date allow a save; tells the operator why not.
    bool datosValidos();

    QLineEdit *t_numero_;
    QLineEdit *t_Nombre_;
    QLineEdit *t_codigo_;
    QLineEdit *t_Familia_;
    QPushButton *b_BuscarFamilia_;
    QPlainTextEdit *t_detalle_;
    MaskedDateBox *t_alta_;
    QLineEdit *t_Costo_;
    QLineEdit *t_stock_;
    EditableGrid *grilla_;
    QPushButton *b_Guardar_;
    QPushButton *B_Imprimir_;
    QPushButton *Bt_Consulta_;
    QPushButton *BT_Nuevo_;
    QPushButton *b_Grafico_;
    QPushButton *cmdSalir_;
    CodigosDeArticulo *codigos_;
};
