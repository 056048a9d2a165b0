#include "frm_articulo.h"
#include "access_keys.h"
#include "action_guard.h"
#include "article_codes_panel.h"
#include "article_stock.h"
#include "catalogue_record.h"
#include "catalogue_sql.h"
#include "codes.h"
#include "connection.h"
#include "dates.h"
#include "editable_grid.h"
#include "form_fields.h"
#include "form_layout.h"
#include "frm_busqueda.h"
#include "icons.h"
#include "lista_articulos.h"
#include "masked_date_box.h"
#include "messages.h"
#include "mprincipal.h"
#include "numbers.h"
#include "sql_text.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>

namespace {

const QString titulo = QStringLiteral("Articulos");
const QColor tinte(255, 224, 192);
const QStringList columnas{QStringLiteral("numero"),  QStringLiteral("codigo"), QStringLiteral("nombre"),
                           QStringLiteral("detalle"), QStringLiteral("alta"),   QStringLiteral("costo"),
                           QStringLiteral("stock")};

QPushButton *botonEn(QWidget *formulario, const QString &nombre, const QString &texto, int izquierda, int arriba,
                     int ancho, int alto)
{
    return campos::ubicado(new QPushButton(texto, formulario), nombre, izquierda, arriba, ancho, alto);
}

} // namespace

frmArticulo::frmArticulo(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("frmArticulo"));
    setWindowTitle(titulo);
    setWindowIcon(iconos::consulta());
    // The given controls, and the article's barcodes to their right.
    twips::tamanoCliente(this, 12480, 6435);
    // The sizes in twips were drawn for an 8-point face.
    setFont(QFont(QStringLiteral("Arial"), 8));
    crearControles();
    fijarOrdenTabulacion();
    // The main window focuses the form it opens: the number takes the typing.
    setFocusProxy(t_numero_);
    teclasDeAccesoPropias(this);
    conectar();
    protegido([this] { cargarGrilla(); });
}

frmArticulo::~frmArticulo()
{
    // The fields go after this part of the form; a late focus change must not reach it.
    t_numero_->removeEventFilter(this);
}

void frmArticulo::crearControles()
{
    campos::etiquetaEn(this, QStringLiteral("Label1"), QStringLiteral("Numero"), 90, 210, 795, 255);
    t_numero_ = campos::textoEn(this, QStringLiteral("t_numero"), 945, 195, 1110, 285);
    t_numero_->setMaxLength(6);
    campos::colorear(t_numero_, tinte);

    campos::etiquetaEn(this, QStringLiteral("Label2"), QStringLiteral("Nombre"), 2100, 195, 630, 255);
    t_Nombre_ = campos::textoEn(this, QStringLiteral("t_Nombre"), 2790, 180, 6750, 285);
    campos::colorear(t_Nombre_, tinte);

    campos::etiquetaEn(this, QStringLiteral("Label3"), QStringLiteral("Familia"), 90, 585, 795, 255);
    t_codigo_ = campos::textoEn(this, QStringLiteral("t_codigo"), 945, 570, 1125, 285);
    t_codigo_->setEnabled(false);
    t_Familia_ = campos::textoEn(this, QStringLiteral("t_Familia"), 2175, 570, 6345, 300);
    b_BuscarFamilia_ = botonEn(this, QStringLiteral("b_BuscarFamilia"), QStringLiteral("&Buscar"), 8655, 555, 900, 315);

    campos::etiquetaEn(this, QStringLiteral("Label4"), QStringLiteral("Detalle"), 90, 960, 795, 255);
    t_detalle_ = new QPlainTextEdit(this);
    t_detalle_->setObjectName(QStringLiteral("t_detalle"));
    twips::ubicar(t_detalle_, 945, 945, 8610, 735);
    t_detalle_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    t_detalle_->setTabChangesFocus(true);
    campos::colorear(t_detalle_, Qt::white, Qt::blue);

    campos::etiquetaEn(this, QStringLiteral("Label5"), QStringLiteral("Alta"), 90, 1770, 795, 255);
    t_alta_ = new MaskedDateBox(this);
    t_alta_->setObjectName(QStringLiteral("t_alta"));
    twips::ubicar(t_alta_, 945, 1755, 1095, 285);

    campos::etiquetaEn(this, QStringLiteral("Label6"), QStringLiteral("Costo"), 2415, 1755, 630, 255);
    t_Costo_ = campos::textoEn(this, QStringLiteral("t_Costo"), 3105, 1740, 975, 285);
    campos::colorear(t_Costo_, tinte);

    campos::etiquetaEn(this, QStringLiteral("Label7"), QStringLiteral("Stock"), 7860, 1755, 630, 255);
    t_stock_ = campos::textoEn(this, QStringLiteral("t_stock"), 8550, 1740, 975, 285);
    t_stock_->setEnabled(false);
    campos::colorear(t_stock_, tinte);

    grilla_ = new EditableGrid(this);
    grilla_->setObjectName(QStringLiteral("grilla"));
    // The stock is the sum of the article's movements: only a posting changes it.
    grilla_->fijarSoloLectura({QStringLiteral("stock")});
    twips::ubicar(grilla_, 240, 2280, 9255, 3375);

    b_Guardar_ = botonEn(this, QStringLiteral("b_Guardar"), QStringLiteral("&Guardar"), 180, 5820, 945, 510);
    B_Imprimir_ = botonEn(this, QStringLiteral("B_Imprimir"), QStringLiteral("&Imprimir"), 1305, 5820, 945, 525);
    Bt_Consulta_ = botonEn(this, QStringLiteral("Bt_Consulta"), QStringLiteral("&Consulta"), 2475, 5820, 945, 510);
    BT_Nuevo_ = botonEn(this, QStringLiteral("BT_Nuevo"), QStringLiteral("&Nuevo"), 3600, 5820, 1215, 495);
    b_Grafico_ = botonEn(this, QStringLiteral("b_Grafico"), QStringLiteral("G&ráfico"), 4995, 5820, 1215, 495);
    cmdSalir_ = botonEn(this, QStringLiteral("cmdSalir"), QStringLiteral("&Salir"), 8640, 5820, 945, 555);

    codigos_ = new CodigosDeArticulo(this);
    twips::ubicar(codigos_, 9750, 195, 2580, 6180);
}

void frmArticulo::fijarOrdenTabulacion()
{
    // The disabled fields keep their place in the order but take no focus.
    ordenDeTabulacion(QList<QWidget *>{t_numero_, t_Nombre_, t_codigo_, t_Familia_, t_detalle_, t_Costo_, b_Guardar_,
                                       cmdSalir_, B_Imprimir_, Bt_Consulta_, t_alta_, t_stock_, b_BuscarFamilia_,
                                       grilla_, BT_Nuevo_, b_Grafico_}
                      + codigos_->ordenDeTabulacion());
}

void frmArticulo::conectar()
{
    t_numero_->installEventFilter(this);
    connect(b_Guardar_, &QPushButton::clicked, this, [this] { protegido([this] { guardarArticulo(); }); });
    connect(B_Imprimir_, &QPushButton::clicked, this, [this] { protegido([this] { imprimirLista(); }); });
    connect(Bt_Consulta_, &QPushButton::clicked, this, [this] { protegido([this] { buscarPorNombre(); }); });
    connect(BT_Nuevo_, &QPushButton::clicked, this, [this] { protegido([this] { limpiar(); }); });
    connect(b_BuscarFamilia_, &QPushButton::clicked, this, [this] { protegido([this] { buscarFamilia(); }); });
    connect(cmdSalir_, &QPushButton::clicked, this, [this] { cerrarFormulario(this); });
    connect(b_Grafico_, &QPushButton::clicked, this, [this] { emit graficoPedido(t_numero_->text()); });
    connect(grilla_, &EditableGrid::dobleClic, this, [this](QStringList &contFila) {
        protegido([&] {
            t_numero_->setText(contFila.value(0));
            CargarArticulo();
        });
    });
    connect(grilla_, &EditableGrid::antesEliminar, this, [this](QStringList &) { grilla_->setEliminarOK(true); });
}

bool frmArticulo::eventFilter(QObject *objeto, QEvent *evento)
{
    // Leaving the number for another control of this form loads that article;
    // a message box or another window taking the focus is no leaving.
    if (objeto == t_numero_ && evento->type() == QEvent::FocusOut) {
        QWidget *destino = QApplication::focusWidget();
        if (destino && isAncestorOf(destino))
            protegido([this] { CargarArticulo(); });
    }
    return QWidget::eventFilter(objeto, evento);
}

void frmArticulo::cargarGrilla()
{
    t_alta_->setTexto(fechas::texto(fechas::hoy()));
    mostrarArticulos(sqlCatalogo::grillaArticulos());
}

void frmArticulo::buscarPorNombre()
{
    mostrarArticulos(sqlCatalogo::articulosPorNombre(t_Nombre_->text().trimmed()));
}

void frmArticulo::mostrarArticulos(const QString &consulta)
{
    grilla_->rellenaGrid(consulta, mPrincipal::conexion(), QStringList{QStringLiteral("0")},
                         QStringLiteral("articulo"));
}

void frmArticulo::limpiar()
{
    for (QLineEdit *campo : {t_numero_, t_Nombre_, t_Costo_, t_codigo_, t_Familia_, t_stock_})
        campo->clear();
    t_detalle_->clear();
    t_alta_->setTexto(fechas::texto(fechas::hoy()));
    codigos_->mostrar(QString());
}

void frmArticulo::CargarArticulo()
{
    // "5" is article 000005, as the save takes it: a save after typing it must
    // write over the article shown, never over one the operator did not see.
    // Blanks are no number to look up.
    const QString tecleado = t_numero_->text();
    const QString numero = tecleado.trimmed().isEmpty()
                               ? tecleado
                               : codigos::rellenado(tecleado, codigos::Clase::Articulo).value_or(tecleado);
    auto rs = mPrincipal::abrirConsulta(sqlCatalogo::articuloConFamilia(numero));
    if (rs->eof())
        return;
    t_numero_->setText(numero);
    t_Nombre_->setText(rs->field(QStringLiteral("Nombre")).text());
    t_codigo_->setText(rs->field(QStringLiteral("Codigo")).text());
    t_Familia_->setText(rs->field(QStringLiteral("familia")).text());
    t_alta_->setTexto(rs->field(QStringLiteral("alta")).text());
    t_Costo_->setText(rs->field(QStringLiteral("costo")).text());
    t_detalle_->setPlainText(rs->field(QStringLiteral("Detalle")).text());
    t_stock_->setText(rs->field(QStringLiteral("Stock")).text());
    codigos_->mostrar(numero);
}

bool frmArticulo::datosValidos()
{
    if (t_Nombre_->text().trimmed().isEmpty() || t_numero_->text().trimmed().isEmpty()
        || t_codigo_->text().trimmed().isEmpty()) {
        mensajes::mostrar(QStringLiteral("Debe completar los datos"), QMessageBox::Warning, QMessageBox::Ok, titulo);
        return false;
    }
    // The database would refuse the statement anyway; say what is wrong first.
    if (!t_alta_->fecha().isValid()) {
        mensajes::mostrar(QStringLiteral("Fecha incorrecta"), QMessageBox::Warning, QMessageBox::Ok, titulo);
        return false;
    }
    if (!codigos::rellenado(t_numero_->text(), codigos::Clase::Articulo)) {
        mensajes::mostrar(codigos::mensajeRechazo(codigos::Clase::Articulo), QMessageBox::Warning, QMessageBox::Ok,
                          titulo);
        return false;
    }
    // "1.234,5" reads as two numbers: storing either would be a guess.
    if (!numeros::importeLegible(t_Costo_->text())) {
        mensajes::mostrar(QStringLiteral("Costo incorrecto: ") + t_Costo_->text(), QMessageBox::Warning,
                          QMessageBox::Ok, titulo);
        return false;
    }
    if (!numeros::importeAdmitido(t_Costo_->text())) {
        mensajes::mostrar(QStringLiteral("Costo fuera de rango"), QMessageBox::Warning, QMessageBox::Ok, titulo);
        return false;
    }
    return true;
}

void frmArticulo::guardarArticulo()
{
    if (!datosValidos())
        return;
    t_numero_->setText(*codigos::rellenado(t_numero_->text(), codigos::Clase::Articulo));
    const QString numero = t_numero_->text();
    // The article and its row in the record of changes are stored together.
    Transaction transaccion(mPrincipal::conexion());
    // The stock is the sum of the article's movements, never the figure in its box.
    const QStringList valores{numero,
                              t_codigo_->text(),
                              t_Nombre_->text(),
                              t_detalle_->toPlainText(),
                              fechas::texto(t_alta_->fecha()),
                              numeros::importe(t_Costo_->text()),
                              stockArticulo::deMovimientos(mPrincipal::conexion(), numero)};
    const QString condicion = QStringLiteral("numero='") + sqlTexto(numero) + QLatin1Char('\'');
    auto existente = mPrincipal::abrirConsulta(sqlCatalogo::articulo(numero));
    if (existente->eof()) {
        mPrincipal::insertarRegistro(QStringLiteral("articulo"), columnas, valores);
    } else {
        mPrincipal::actualizarRegistro(QStringLiteral("articulo"), columnas, valores, condicion);
    }
    registroCatalogo::anotarGuardado(mPrincipal::conexion(), registroCatalogo::Clase::Articulo, numero, *existente,
                                     columnas, valores);
    transaccion.commit();
    limpiar();
    cargarGrilla();
}

void frmArticulo::buscarFamilia()
{
    // The shared texts are left empty for the next lookup, also after an error.
    const auto vaciar = qScopeGuard([] {
        mPrincipal::codigoBusqueda.clear();
        mPrincipal::sqlBusqueda.clear();
    });
    mPrincipal::sqlBusqueda = sqlCatalogo::busquedaFamilias(t_Familia_->text());
    FrmBusqueda::buscar();
    const QString codigo = mPrincipal::codigoBusqueda;
    auto rs = mPrincipal::abrirConsulta(sqlCatalogo::familia(codigo));
    if (rs->eof())
        return;
    t_codigo_->setText(codigo);
    t_Familia_->setText(rs->field(QStringLiteral("familia")).text());
}

void frmArticulo::imprimirLista()
{
    listaArticulos::mostrar();
}
