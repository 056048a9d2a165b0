// FrmTransferencia: its controls, loading a transfer, the article and line fields, the lines grid.
#include "frm_transferencia.h"

#include "access_keys.h"
#include "action_guard.h"
#include "codes.h"
#include "dates.h"
#include "form_layout.h"
#include "frm_busqueda.h"
#include "icons.h"
#include "lista_depositos.h"
#include "masked_date_box.h"
#include "messages.h"
#include "mprincipal.h"
#include "numbers.h"
#include "storage_places.h"
#include "transfer_window_sql.h"

#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableWidget>

namespace {

void avisarLinea(const QString &texto)
{
    mensajes::mostrar(texto, QMessageBox::Information);
}

template <class W> W *nombrado(W *w, const char *nombre)
{
    w->setObjectName(QString::fromLatin1(nombre));
    return w;
}

QLabel *etiqueta(QWidget *padre, const char *texto, int izq, int arriba, int ancho)
{
    auto *l = new QLabel(QString::fromUtf8(texto), padre);
    twips::ubicar(l, izq, arriba, ancho, 285);
    return l;
}

QPushButton *boton(QWidget *padre, const char *nombre, const char *texto, int izq, int arriba, int ancho)
{
    auto *b = nombrado(new QPushButton(QString::fromUtf8(texto), padre), nombre);
    twips::ubicar(b, izq, arriba, ancho, 360);
    return b;
}

QLineEdit *caja(QWidget *padre, const char *nombre, int izq, int arriba, int ancho)
{
    auto *t = nombrado(new QLineEdit(padre), nombre);
    twips::ubicar(t, izq, arriba, ancho, 285);
    return t;
}

QString cantidad(double v)
{
    return numeros::numeral(numeros::redondear(v));
}

} // namespace

FrmTransferencia::FrmTransferencia(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmTransferencia"));
    setWindowTitle(QStringLiteral("Transferencia entre depósitos"));
    setWindowIcon(iconos::guardar());
    setFont(QFont(QStringLiteral("Arial"), 8));
    twips::tamanoCliente(this, 9000, 6420);
    crearControles();
    conectar();
    protegido([this] { nueva(); });
}

void FrmTransferencia::crearControles()
{
    etiqueta(this, "Transferencia", 120, 150, 1100);
    t_Transferencia = caja(this, "t_Transferencia", 1300, 120, 1000);
    b_Cargar = boton(this, "b_Cargar", "&Cargar", 2400, 90, 950);
    b_Nueva = boton(this, "b_Nueva", "&Nueva", 3450, 90, 950);
    etiqueta(this, "Fecha", 4700, 150, 600);
    t_fecha = nombrado(new MaskedDateBox(this), "t_fecha");
    twips::ubicar(t_fecha, 5300, 120, 1200, 285);
    etiqueta(this, "Origen", 120, 570, 1100);
    cbo_Origen = nombrado(new ListaDepositos(this), "cbo_Origen");
    twips::ubicar(cbo_Origen, 1300, 540, 3100, 315);
    etiqueta(this, "Destino", 4700, 570, 600);
    cbo_Destino = nombrado(new ListaDepositos(this), "cbo_Destino");
    twips::ubicar(cbo_Destino, 5300, 540, 3100, 315);
    etiqueta(this, "Detalle", 120, 990, 1100);
    t_detalle = caja(this, "t_detalle", 1300, 960, 7100);
    l_Estado = nombrado(new QLabel(this), "l_Estado");
    l_Estado->setStyleSheet(QStringLiteral("color: navy"));
    twips::ubicar(l_Estado, 120, 1380, 8760, 285);

    etiqueta(this, "Numero", 120, 1830, 1100);
    t_numero = caja(this, "t_numero", 1300, 1800, 900);
    etiqueta(this, "Nombre", 2400, 1830, 700);
    t_Nombre = caja(this, "t_Nombre", 3100, 1800, 3200);
    b_Consulta = boton(this, "b_Consulta", "C&onsulta", 6450, 1770, 1000);
    etiqueta(this, "Cantidad", 120, 2250, 1100);
    t_Cantidad = caja(this, "t_Cantidad", 1300, 2220, 900);
    etiqueta(this, "En origen", 2400, 2250, 900);
    t_stock = caja(this, "t_stock", 3300, 2220, 800);
    t_stock->setEnabled(false);
    b_Agregar = boton(this, "b_Agregar", "&Agregar", 4150, 2190, 1050);
    b_Quitar = boton(this, "b_Quitar", "&Quitar línea", 5300, 2190, 1300);

    grilla = nombrado(new QTableWidget(0, 5, this), "grilla");
    grilla->setHorizontalHeaderLabels({QStringLiteral("Numero"), QStringLiteral("Nombre"), QStringLiteral("Cantidad"),
                                       QStringLiteral("Costo"), QStringLiteral("Importe")});
    grilla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grilla->setSelectionBehavior(QAbstractItemView::SelectRows);
    grilla->setSelectionMode(QAbstractItemView::SingleSelection);
    grilla->verticalHeader()->setDefaultSectionSize(20);
    grilla->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    twips::ubicar(grilla, 120, 2700, 8760, 2700);
    l_Totales = nombrado(new QLabel(this), "l_Totales");
    twips::ubicar(l_Totales, 120, 5460, 8760, 285);

    b_Guardar = boton(this, "b_Guardar", "&Guardar", 120, 5910, 1100);
    b_Eliminar = boton(this, "b_Eliminar", "&Eliminar", 1320, 5910, 1100);
    B_Imprimir = boton(this, "B_Imprimir", "&Imprimir", 2520, 5910, 1100);
    b_Salir = boton(this, "b_Salir", "&Salir", 7780, 5910, 1100);
    ordenDeTabulacion({t_fecha, cbo_Origen, cbo_Destino, t_detalle, t_numero, t_Cantidad, b_Agregar, t_Nombre,
                       b_Consulta, grilla, b_Quitar, b_Guardar, B_Imprimir, b_Eliminar, t_Transferencia, b_Cargar,
                       b_Nueva, b_Salir});
    setFocusProxy(t_fecha);
    teclasDeAccesoPropias(this);
    t_numero->installEventFilter(this);
}

void FrmTransferencia::conectar()
{
    const auto al = [this](QPushButton *b, void (FrmTransferencia::*accion)()) {
        connect(b, &QPushButton::clicked, this, [this, accion] { protegido([this, accion] { (this->*accion)(); }); });
    };
    al(b_Cargar, &FrmTransferencia::cargar);
    al(b_Nueva, &FrmTransferencia::nueva);
    al(b_Consulta, &FrmTransferencia::articuloPorNombre);
    al(b_Agregar, &FrmTransferencia::agregarLinea);
    al(b_Quitar, &FrmTransferencia::quitarLinea);
    al(b_Guardar, &FrmTransferencia::guardar);
    al(b_Eliminar, &FrmTransferencia::eliminar);
    al(B_Imprimir, &FrmTransferencia::imprimir);
    connect(b_Salir, &QPushButton::clicked, this, [this] { cerrarFormulario(this); });
    // What the origin holds changes with the origin and the date.
    connect(cbo_Origen, &ListaDepositos::elegido, this, [this] {
        protegido([this] {
            if (!t_Nombre->text().isEmpty())
                t_stock->setText(cantidad(stockEnOrigen()));
        });
    });
}

void FrmTransferencia::nueva()
{
    numero_ = 0;
    lineas_.clear();
    nombres_.clear();
    guardadas_.clear();
    t_Transferencia->clear();
    t_fecha->setTexto(fechas::texto(fechas::hoy()));
    t_detalle->clear();
    const QString origen = mPrincipal::depositoDefecto;
    cbo_Origen->mostrar(origen);
    QString destino;
    for (const depositos::Deposito &d : depositos::todos(mPrincipal::conexion()))
        if (destino.isEmpty() && d.codigo != origen)
            destino = d.codigo;
    cbo_Destino->mostrar(destino);
    l_Estado->setText(QStringLiteral("Transferencia nueva"));
    habilitar(true);
    b_Eliminar->setEnabled(false);
    B_Imprimir->setEnabled(false);
    limpiarLinea();
    mostrarLineas();
}

void FrmTransferencia::cargar()
{
    const int numero = t_Transferencia->text().trimmed().toInt();
    std::optional<transferencias::Transferencia> t = transferencias::leer(mPrincipal::conexion(), numero);
    if (!t) {
        mensajes::mostrar(QStringLiteral("No hay una transferencia número %1").arg(t_Transferencia->text().trimmed()),
                          QMessageBox::Information);
        return;
    }
    mostrar(*t);
}

void FrmTransferencia::mostrar(const transferencias::Transferencia &t)
{
    numero_ = t.numero;
    guardadas_ = t.lineas;
    origenGuardado_ = t.origen;
    lineas_ = t.lineas;
    nombres_.clear();
    for (const transferencias::Linea &l : lineas_) {
        auto rs = mPrincipal::abrirConsulta(sqlTransferencias::articulo(l.numero));
        nombres_ << (rs->eof() ? QString() : rs->field(QStringLiteral("nombre")).text());
    }
    t_Transferencia->setText(QString::number(t.numero));
    t_fecha->setTexto(fechas::texto(t.fecha));
    cbo_Origen->mostrar(t.origen);
    cbo_Destino->mostrar(t.destino);
    t_detalle->setText(t.detalle);
    l_Estado->setText(QStringLiteral("Transferencia %1: comprobantes %2 (salida de %3) y %4 (entrada en %5)%6")
                          .arg(QString::number(t.numero), t.salida, t.origen, t.entrada, t.destino,
                               t.impresa ? QStringLiteral(". Impresa: no se puede cambiar ni eliminar") : QString()));
    habilitar(!t.impresa);
    b_Eliminar->setEnabled(!t.impresa);
    B_Imprimir->setEnabled(true);
    limpiarLinea();
    mostrarLineas();
}

void FrmTransferencia::habilitar(bool editable)
{
    for (QWidget *w : std::initializer_list<QWidget *>{t_fecha, cbo_Origen, cbo_Destino, t_detalle, t_numero, t_Nombre,
                                                       b_Consulta, t_Cantidad, b_Agregar, b_Quitar, b_Guardar})
        w->setEnabled(editable);
}

void FrmTransferencia::articuloPorNumero()
{
    const QString tecleado = t_numero->text().trimmed();
    if (tecleado.isEmpty())
        return;
    const QString numero = numeros::rellenarCeros(tecleado, 6);
    auto rs = mPrincipal::abrirConsulta(sqlTransferencias::articulo(numero));
    if (rs->eof()) {
        limpiarLinea();
        mensajes::mostrar(QStringLiteral("Articulo incorrecto"), QMessageBox::Information);
        return;
    }
    t_numero->setText(numero);
    t_Nombre->setText(rs->field(QStringLiteral("nombre")).text());
    familia_ = rs->field(QStringLiteral("codigo")).text();
    costo_ = rs->field(QStringLiteral("costo")).value().toDouble();
    t_stock->setText(cantidad(stockEnOrigen()));
    t_Cantidad->setFocus();
}

void FrmTransferencia::articuloPorNombre()
{
    auto olvidarBusqueda = qScopeGuard([] {
        mPrincipal::codigoBusqueda.clear();
        mPrincipal::sqlBusqueda.clear();
    });
    mPrincipal::sqlBusqueda = sqlTransferencias::busquedaPorNombre(t_Nombre->text());
    FrmBusqueda::buscar();
    if (mPrincipal::codigoBusqueda.isEmpty())
        return;
    t_numero->setText(mPrincipal::codigoBusqueda);
    articuloPorNumero();
}

double FrmTransferencia::stockEnOrigen() const
{
    const QDate fecha = t_fecha->fecha();
    const transferencias::StockEnDeposito hay = transferencias::stockEnDeposito(
        mPrincipal::conexion(), t_numero->text(), cbo_Origen->codigo(), fecha.isValid() ? fecha : fechas::hoy());
    double stock = std::min(hay.alDia, hay.total);
    // A stored transfer's own exit is given back when it is changed.
    if (cbo_Origen->codigo() == origenGuardado_)
        for (const transferencias::Linea &l : guardadas_)
            if (l.numero == t_numero->text())
                stock += l.cantidad;
    return stock;
}

void FrmTransferencia::agregarLinea()
{
    if (t_Nombre->text().isEmpty() || !codigos::rellenado(t_numero->text(), codigos::Clase::Articulo))
        return avisarLinea(QStringLiteral("Falta ingresar el artículo"));
    const QString texto = t_Cantidad->text();
    if (texto.isEmpty())
        return avisarLinea(QStringLiteral("Falta ingresar la cantidad"));
    if (!numeros::importeLegible(texto) || !numeros::importeAdmitido(texto)
        || numeros::redondear(numeros::valorImporte(texto)) <= 0)
        return avisarLinea(QStringLiteral("Cantidad incorrecta: ") + texto);
    const double pedida = numeros::redondear(numeros::valorImporte(texto));
    const double hay = stockEnOrigen();
    t_stock->setText(cantidad(hay));
    if (hay < pedida)
        return avisarSinStockEnOrigen(cbo_Origen->codigo(), hay, t_numero->text() + QLatin1Char(' ') + t_Nombre->text(),
                                      t_fecha->fecha(), pedida);
    const transferencias::Linea linea{t_numero->text(), familia_, pedida, costo_};
    qsizetype i = 0;
    while (i < lineas_.size() && lineas_[i].numero != linea.numero)
        ++i;
    if (i == lineas_.size()) {
        lineas_.append(linea);
        nombres_.append(t_Nombre->text());
    } else {
        lineas_[i] = linea;
    }
    limpiarLinea();
    mostrarLineas();
    t_numero->setFocus();
}

void FrmTransferencia::quitarLinea()
{
    const int fila = grilla->currentRow();
    if (fila < 0 || fila >= lineas_.size())
        return;
    lineas_.removeAt(fila);
    nombres_.removeAt(fila);
    mostrarLineas();
}

void FrmTransferencia::limpiarLinea()
{
    for (QLineEdit *campo : {t_numero, t_Nombre, t_Cantidad, t_stock})
        campo->clear();
    familia_.clear();
    costo_ = 0;
}

void FrmTransferencia::mostrarLineas()
{
    grilla->setRowCount(int(lineas_.size()));
    numeros::Diezmilesimos totalCantidad;
    int64_t totalImporte = 0;
    for (int i = 0; i < lineas_.size(); ++i) {
        const transferencias::Linea &l = lineas_[i];
        const auto cuanto = numeros::Diezmilesimos::desde(l.cantidad);
        const int64_t importe =
            numeros::Diezmilesimos::centesimasDelProducto(cuanto, numeros::Diezmilesimos::desde(l.costo));
        totalCantidad = totalCantidad + cuanto;
        totalImporte += importe;
        char buf[32];
        const QStringList celdas{l.numero, nombres_.value(i), cantidad(l.cantidad), cantidad(l.costo),
                                 QString::fromLatin1(numeros::numeralCentesimas(importe, buf))};
        for (int c = 0; c < celdas.size(); ++c) {
            auto *item = new QTableWidgetItem(celdas[c]);
            if (c >= 2)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grilla->setItem(i, c, item);
        }
    }
    char buf[32];
    l_Totales->setText(QStringLiteral("Líneas: %1   Cantidad total: %2   Importe total: %3")
                           .arg(QString::number(lineas_.size()), totalCantidad.texto2(),
                                QString::fromLatin1(numeros::numeralCentesimas(totalImporte, buf))));
}

bool FrmTransferencia::eventFilter(QObject *objeto, QEvent *evento)
{
    // Only a move to another control of this form counts as leaving the field.
    if (objeto == t_numero && evento->type() == QEvent::FocusOut) {
        QWidget *nuevo = QApplication::focusWidget();
        if (nuevo && nuevo != t_numero && isAncestorOf(nuevo))
            protegido([this] { articuloPorNumero(); });
    }
    return QWidget::eventFilter(objeto, evento);
}
