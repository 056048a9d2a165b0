// The controls of FrmMovim: names, captions, colours, places and tab order.
#include "frm_movim.h"

#include "access_keys.h"
#include "action_guard.h"
#include "editable_grid.h"
#include "form_layout.h"
#include "icons.h"
#include "lista_depositos.h"
#include "masked_date_box.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {

template <typename W> W *nombrado(W *w, const char *nombre)
{
    w->setObjectName(QLatin1String(nombre));
    return w;
}

QPushButton *boton(QWidget *padre, const char *nombre, const QString &texto)
{
    return nombrado(new QPushButton(texto, padre), nombre);
}

// A button with a picture above its caption; it takes the focus when clicked,
// so the field left behind loses it first.
QToolButton *botonConDibujo(QWidget *padre, const char *nombre, const QString &texto, const QIcon &dibujo)
{
    auto *b = nombrado(new QToolButton(padre), nombre);
    b->setText(texto);
    b->setIcon(dibujo);
    b->setIconSize(QSize(20, 20));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setFocusPolicy(Qt::StrongFocus);
    return b;
}

QLineEdit *campo(QWidget *padre, const char *nombre)
{
    return nombrado(new QLineEdit(padre), nombre);
}

void colorDeTexto(QWidget *w, const QColor &color)
{
    QPalette p = w->palette();
    // Also when disabled: a display-only field keeps its colour.
    for (auto grupo : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        p.setColor(grupo, QPalette::Text, color);
    w->setPalette(p);
}

} // namespace

void FrmMovim::crearControles()
{
    Frame1 = nombrado(new QGroupBox(QStringLiteral("Datos Principales"), this), "Frame1");
    t_fecha = nombrado(new MaskedDateBox(Frame1), "t_fecha");
    t_Comprobante = campo(Frame1, "t_Comprobante");
    b_Cargar = boton(Frame1, "b_Cargar", QStringLiteral("&Cargar"));
    t_Deposito = campo(Frame1, "t_Deposito");
    t_Deposito->setEnabled(false);
    colorDeTexto(t_Deposito, QColor(0, 0, 255));
    cbo_Deposito = nombrado(new ListaDepositos(Frame1), "cbo_Deposito");
    cbo_Deposito->setEnabled(false);
    b_NuevoComprobante = boton(Frame1, "b_NuevoComprobante", QStringLiteral("&Nuevo"));
    op_Entra = nombrado(new QRadioButton(QStringLiteral("Entrada de Mercadería"), Frame1), "op_Entra");
    op_sale = nombrado(new QRadioButton(QStringLiteral("Salida de Mercadería"), Frame1), "op_sale");
    b_Eliminar = boton(Frame1, "b_Eliminar", QStringLiteral("&Eliminar"));
    t_detalle = nombrado(new QPlainTextEdit(Frame1), "t_detalle");
    t_detalle->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    t_detalle->setTabChangesFocus(true);
    colorDeTexto(t_detalle, QColor(0, 0, 128));

    Frame2 = nombrado(new QGroupBox(QStringLiteral("Selecciona los articulos"), this), "Frame2");
    t_numero = campo(Frame2, "t_numero");
    t_Familia = campo(Frame2, "t_Familia");
    t_Familia->setEnabled(false);
    t_stock = campo(Frame2, "t_stock");
    t_stock->setEnabled(false);
    b_Nuevo = botonConDibujo(Frame2, "b_Nuevo", QStringLiteral("&Nuevo"), iconos::nuevo());
    b_Guardar = botonConDibujo(Frame2, "b_Guardar", QStringLiteral("&Guardar"), iconos::guardar());
    b_Consulta = botonConDibujo(Frame2, "b_Consulta", QStringLiteral("&Consulta"), iconos::consulta());
    t_Nombre = campo(Frame2, "t_Nombre");
    t_Cantidad = campo(Frame2, "t_Cantidad");
    t_Costo = campo(Frame2, "t_Costo");

    B_Imprimir = botonConDibujo(this, "B_Imprimir", QStringLiteral("&Imprimir"), iconos::imprimir());
    b_Salir = botonConDibujo(this, "b_Salir", QStringLiteral("&Salir"), iconos::salir());
    grilla = nombrado(new EditableGrid(this), "grilla");

    const struct
    {
        QWidget *marco;
        const char *texto;
    } rotulos[] = {
        {Frame1, "Fecha"}, {Frame1, "Comprobante"}, {Frame1, "DEPOSITO"}, {Frame2, "Numero"}, {Frame2, "Familia"},
        {Frame2, "Stock"}, {Frame2, "Nombre"},      {Frame2, "Cantidad"}, {Frame2, "Costo"},
    };
    for (const auto &r : rotulos) {
        auto *l = new QLabel(QString::fromUtf8(r.texto), r.marco);
        l->setObjectName(QStringLiteral("Label%1").arg(etiquetas_.size() + 1));
        etiquetas_.append(l);
    }
}

// The form's layout table gives no places for its controls: two frames top to
// bottom, the two buttons beside the second, the grid across the bottom.
// Places inside a frame count from the frame's corner.
void FrmMovim::ubicarControles()
{
    twips::tamanoCliente(this, 9000, 5715);

    twips::ubicar(Frame1, 60, 0, 8880, 1830);
    const int fila1 = 360, fila2 = 780;
    twips::ubicar(etiquetas_[0], 120, fila1 + 45, 555, 255);
    twips::ubicar(t_fecha, 690, fila1, 1110, 315);
    twips::ubicar(etiquetas_[1], 1890, fila1 + 45, 1080, 255);
    twips::ubicar(t_Comprobante, 2985, fila1, 1110, 315);
    twips::ubicar(b_Cargar, 4170, fila1 - 30, 900, 375);
    twips::ubicar(etiquetas_[2], 5160, fila1 + 45, 945, 255);
    twips::ubicar(t_Deposito, 6120, fila1, 690, 315);
    twips::ubicar(b_NuevoComprobante, 7800, fila1 - 30, 960, 375);
    twips::ubicar(op_Entra, 120, fila2, 2400, 285);
    twips::ubicar(op_sale, 2640, fila2, 2400, 285);
    // The list of places under the DEPOSITO box, where the row has room for a name.
    twips::ubicar(cbo_Deposito, 5160, fila2 - 15, 2580, 315);
    twips::ubicar(b_Eliminar, 7800, fila2 - 30, 960, 375);
    twips::ubicar(t_detalle, 120, 1170, 8640, 570);

    twips::ubicar(Frame2, 60, 1875, 7560, 1455);
    const int filaA = 360, filaB = 1020;
    twips::ubicar(etiquetas_[3], 120, filaA + 45, 660, 255);
    twips::ubicar(t_numero, 780, filaA, 1005, 315);
    twips::ubicar(etiquetas_[4], 1905, filaA + 45, 600, 255);
    twips::ubicar(t_Familia, 2520, filaA, 705, 315);
    twips::ubicar(etiquetas_[5], 3345, filaA + 45, 480, 255);
    twips::ubicar(t_stock, 3840, filaA, 1050, 315);
    twips::ubicar(b_Nuevo, 5040, 300, 780, 660);
    twips::ubicar(b_Guardar, 5850, 300, 780, 660);
    twips::ubicar(b_Consulta, 6660, 300, 780, 660);
    twips::ubicar(etiquetas_[6], 120, filaB + 45, 660, 255);
    twips::ubicar(t_Nombre, 780, filaB, 3285, 315);
    twips::ubicar(etiquetas_[7], 4185, filaB + 45, 720, 255);
    twips::ubicar(t_Cantidad, 4920, filaB, 945, 315);
    twips::ubicar(etiquetas_[8], 5985, filaB + 45, 510, 255);
    twips::ubicar(t_Costo, 6510, filaB, 930, 315);

    twips::ubicar(B_Imprimir, 7710, 1950, 1230, 645);
    twips::ubicar(b_Salir, 7710, 2655, 1230, 645);
    twips::ubicar(grilla, 60, 3390, 8880, 2265);
}

void FrmMovim::fijarOrdenTabulacion()
{
    const QList<QWidget *> orden{b_Salir,   t_detalle, t_fecha,    t_Comprobante, b_NuevoComprobante, grilla,
                                 op_Entra,  op_sale,   b_Nuevo,    b_Consulta,    t_numero,           t_Cantidad,
                                 b_Guardar, t_Nombre,  t_Deposito, t_Costo,       b_Cargar,           B_Imprimir,
                                 t_Familia, t_stock,   b_Eliminar, cbo_Deposito};
    // The grid takes the focus through its table, which is what the chain must hold.
    auto enCadena = [](QWidget *w) { return w->focusProxy() ? w->focusProxy() : w; };
    for (qsizetype i = 1; i < orden.size(); ++i)
        QWidget::setTabOrder(enCadena(orden[i - 1]), enCadena(orden[i]));
    // The form passes the focus on to the first control of the order.
    setFocusProxy(b_Salir);
    teclasDeAccesoPropias(this);
}

void FrmMovim::conectar()
{
    auto al = [this](QAbstractButton *b, void (FrmMovim::*operacion)()) {
        connect(b, &QAbstractButton::clicked, this, [this, operacion] { protegido([&] { (this->*operacion)(); }); });
    };
    connect(b_NuevoComprobante, &QAbstractButton::clicked, this, [this] { protegido([&] { nuevoComprobante(); }); });
    al(b_Cargar, &FrmMovim::cargarComprobante);
    al(b_Consulta, &FrmMovim::articuloPorNombre);
    al(b_Nuevo, &FrmMovim::limpiar);
    al(b_Guardar, &FrmMovim::guardar);
    al(b_Eliminar, &FrmMovim::eliminarComprobante);
    al(B_Imprimir, &FrmMovim::imprimir);
    connect(cbo_Deposito, &ListaDepositos::elegido, this,
            [this](const QString &codigo) { protegido([&] { t_Deposito->setText(codigo); }); });
    connect(b_Salir, &QAbstractButton::clicked, this, [this] { cerrarFormulario(this); });
    // The grid reports a refused or failed save itself, as for its own statements.
    grilla->fijarGuardado([this](const sentenciasGrilla::Fila &fila) { return guardarLineaDeGrilla(fila); });
    t_numero->installEventFilter(this);
}
