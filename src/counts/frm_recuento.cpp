// FrmRecuento: its controls, opening and continuing a count, and entering its lines.
#include "frm_recuento.h"

#include "access_keys.h"
#include "action_guard.h"
#include "article_barcodes.h"
#include "count_layouts.h"
#include "dates.h"
#include "filter_controls.h"
#include "form_layout.h"
#include "lista_depositos.h"
#include "masked_date_box.h"
#include "messages.h"
#include "mprincipal.h"
#include "numbers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using namespace controlesFiltro;

namespace {

void atencion(const QString &texto)
{
    mensajes::mostrar(texto, QMessageBox::Critical, QMessageBox::Ok, QStringLiteral("Atención"));
}

// A range bound as the statements compare it: zero-filled, or empty for no limit.
QString limite(const QLineEdit *caja, int ancho)
{
    const QString t = caja->text().trimmed();
    return t.isEmpty() ? t : numeros::rellenarCeros(t, ancho);
}

} // namespace

FrmRecuento::FrmRecuento(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmRecuento"));
    setWindowTitle(QStringLiteral("Recuento de stock"));
    setFont(QFont(QStringLiteral("Arial"), 8));
    twips::tamanoCliente(this, 9700, 6500);
    crearControles();
    conectar();
    protegido([this] {
        cbo_Deposito->mostrar(mPrincipal::depositoDefecto);
        mostrarAbiertos();
        // The one open count is continued at once.
        if (cbo_Recuento->count() == 2)
            cargar(cbo_Recuento->itemData(1).toInt());
        else
            mostrar(recuento_);
    });
}

void FrmRecuento::crearControles()
{
    etiqueta(this, "Label1", "Recuento", 90, 135, 1395, 285);
    cbo_Recuento = new QComboBox(this);
    cbo_Recuento->setObjectName(QStringLiteral("cbo_Recuento"));
    twips::ubicar(cbo_Recuento, 1605, 105, 5000, 315);
    b_Nuevo = boton(this, "b_Nuevo", "&Nuevo recuento", 6800, 90, 1700, 360);
    etiqueta(this, "Label2", "Depósito", 90, 480, 1395, 285);
    cbo_Deposito = new ListaDepositos(this);
    cbo_Deposito->setObjectName(QStringLiteral("cbo_Deposito"));
    twips::ubicar(cbo_Deposito, 1605, 450, 2600, 315);
    etiqueta(this, "Label3", "Fecha", 4400, 480, 700, 285);
    t_fecha = cajaFecha(this, "t_fecha", 5100, 465, 1215, 285);
    const CajasRangos rangos = cajasRangos(this);
    t_DesdeNumero = rangos.desdeNumero;
    t_HastaNumero = rangos.hastaNumero;
    t_DesdeFamilia = rangos.desdeFamilia;
    t_HastaFamilia = rangos.hastaFamilia;
    chk_NoContados = new QCheckBox(QStringLiteral("Los no contados tienen 0"), this);
    chk_NoContados->setObjectName(QStringLiteral("chk_NoContados"));
    twips::ubicar(chk_NoContados, 3100, 750, 3500, 285);
    chk_ConStock = new QCheckBox(QStringLiteral("Stock en la planilla"), this);
    chk_ConStock->setObjectName(QStringLiteral("chk_ConStock"));
    twips::ubicar(chk_ConStock, 3100, 1080, 3500, 285);
    l_Estado = new QLabel(this);
    l_Estado->setObjectName(QStringLiteral("l_Estado"));
    l_Estado->setStyleSheet(QStringLiteral("color: navy"));
    l_Estado->setWordWrap(true);
    twips::ubicar(l_Estado, 3100, 1440, 6500, 600);

    etiqueta(this, "Label8", "Articulo", 90, 2235, 1395, 285);
    t_numero = caja(this, "t_numero", "", 1605, 2220, 1215, 285);
    t_Nombre = caja(this, "t_Nombre", "", 2900, 2220, 3700, 285);
    t_Nombre->setEnabled(false);
    etiqueta(this, "Label9", "Contado", 6800, 2235, 800, 285);
    t_Cantidad = caja(this, "t_Cantidad", "", 7650, 2220, 1100, 285);
    b_LeerPlanilla = boton(this, "b_LeerPlanilla", "&Leer planilla...", 7650, 1860, 1940, 330);

    grilla = new QTableWidget(0, 3, this);
    grilla->setObjectName(QStringLiteral("grilla"));
    grilla->setHorizontalHeaderLabels({QStringLiteral("Numero"), QStringLiteral("Nombre"), QStringLiteral("Contado")});
    grilla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grilla->setSelectionBehavior(QAbstractItemView::SelectRows);
    grilla->setSelectionMode(QAbstractItemView::SingleSelection);
    grilla->verticalHeader()->setDefaultSectionSize(20);
    grilla->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    twips::ubicar(grilla, 90, 2640, 9500, 3000);
    l_Lineas = new QLabel(this);
    l_Lineas->setObjectName(QStringLiteral("l_Lineas"));
    twips::ubicar(l_Lineas, 90, 5680, 9500, 240);

    b_Planilla = boton(this, "b_Planilla", "&Planilla", 90, 6000, 1150, 375);
    b_Diferencias = boton(this, "b_Diferencias", "&Diferencias", 1300, 6000, 1250, 375);
    b_Aplicar = boton(this, "b_Aplicar", "&Aplicar", 2610, 6000, 1150, 375);
    b_Descartar = boton(this, "b_Descartar", "D&escartar", 3820, 6000, 1150, 375);
    b_Quitar = boton(this, "b_Quitar", "&Quitar línea", 5030, 6000, 1350, 375);
    b_Actualizar = boton(this, "b_Actualizar", "Ac&tualizar", 6440, 6000, 1250, 375);
    b_Salir = boton(this, "b_Salir", "&Salir", 8440, 6000, 1150, 375);
    ordenDeTabulacion({t_numero,       t_Cantidad,   grilla,       b_Planilla,     b_Diferencias,  b_Aplicar,
                       b_Descartar,    b_Quitar,     b_Actualizar, b_LeerPlanilla, chk_NoContados, chk_ConStock,
                       cbo_Recuento,   cbo_Deposito, t_fecha,      t_DesdeNumero,  t_HastaNumero,  t_DesdeFamilia,
                       t_HastaFamilia, b_Nuevo,      b_Salir});
    setFocusProxy(t_numero);
    teclasDeAccesoPropias(this);
    t_fecha->setTexto(fechas::texto(fechas::hoy()));
}

void FrmRecuento::conectar()
{
    const auto al = [this](auto *control, auto senal, void (FrmRecuento::*accion)()) {
        connect(control, senal, this, [this, accion] { protegido([this, accion] { (this->*accion)(); }); });
    };
    al(b_Nuevo, &QPushButton::clicked, &FrmRecuento::nuevo);
    al(t_numero, &QLineEdit::returnPressed, &FrmRecuento::articuloPorNumero);
    al(t_Cantidad, &QLineEdit::returnPressed, &FrmRecuento::anotarLinea);
    al(b_Quitar, &QPushButton::clicked, &FrmRecuento::quitarLinea);
    al(b_Actualizar, &QPushButton::clicked, &FrmRecuento::actualizar);
    al(b_LeerPlanilla, &QPushButton::clicked, &FrmRecuento::elegirPlanilla);
    al(b_Planilla, &QPushButton::clicked, &FrmRecuento::planilla);
    al(b_Diferencias, &QPushButton::clicked, &FrmRecuento::diferencias);
    al(b_Aplicar, &QPushButton::clicked, &FrmRecuento::aplicar);
    al(b_Descartar, &QPushButton::clicked, &FrmRecuento::descartar);
    connect(b_Salir, &QPushButton::clicked, this, [this] { protegido([this] { cerrarFormulario(this); }); });
    connect(cbo_Recuento, &QComboBox::activated, this, [this](int i) {
        protegido([this, i] {
            if (const int n = cbo_Recuento->itemData(i).toInt())
                cargar(n);
        });
    });
    connect(chk_NoContados, &QCheckBox::clicked, this, [this](bool cero) {
        protegido([this, cero] {
            if (!rechazado(recuentos::fijarNoContadosCero(mPrincipal::conexion(), recuento_.numero, cero)))
                recuento_.noContadosCero = cero;
            chk_NoContados->setChecked(recuento_.noContadosCero);
        });
    });
}

QString FrmRecuento::usuario()
{
    return qEnvironmentVariable("USER", QStringLiteral("quendra"));
}

void FrmRecuento::mostrarAbiertos()
{
    cbo_Recuento->clear();
    cbo_Recuento->addItem(QStringLiteral("(elija un recuento abierto)"), 0);
    for (const recuentos::Recuento &r : recuentos::abiertos(mPrincipal::conexion()))
        cbo_Recuento->addItem(QStringLiteral("N° %1 - Depósito %2 - Al %3 - %4")
                                  .arg(r.numero)
                                  .arg(r.deposito, fechas::texto(r.fecha), r.abiertoPor),
                              r.numero);
    cbo_Recuento->setCurrentIndex(std::max(0, cbo_Recuento->findData(recuento_.numero)));
}

void FrmRecuento::nuevo()
{
    mPrincipal::conexion().exigirAbierta();
    const QDate fecha = t_fecha->fecha();
    if (!fecha.isValid())
        return atencion(QStringLiteral("Fecha incorrecta"));
    if (cbo_Deposito->codigo().isEmpty())
        return atencion(QStringLiteral("Falta elegir el depósito"));
    const recuentos::Alcance alcance{limite(t_DesdeNumero, 6), limite(t_HastaNumero, 6), limite(t_DesdeFamilia, 4),
                                     limite(t_HastaFamilia, 4)};
    const int n = recuentos::abrir(mPrincipal::conexion(), cbo_Deposito->codigo(), fecha, alcance, usuario());
    recuento_ = *recuentos::leer(mPrincipal::conexion(), n);
    mostrarAbiertos();
    mostrar(recuento_);
    t_numero->setFocus();
}

void FrmRecuento::cargar(int numero)
{
    const auto r = recuentos::leer(mPrincipal::conexion(), numero);
    if (!r)
        return atencion(QStringLiteral("El recuento %1 no existe").arg(numero));
    recuento_ = *r;
    mostrar(recuento_);
    t_numero->setFocus();
}

void FrmRecuento::mostrar(const recuentos::Recuento &r)
{
    const bool hay = r.numero != 0, abierto = hay && r.estado == recuentos::Estado::Abierto;
    if (hay) {
        cbo_Deposito->mostrar(r.deposito);
        t_fecha->setTexto(fechas::texto(r.fecha));
        t_DesdeNumero->setText(r.alcance.desdeNumero);
        t_HastaNumero->setText(r.alcance.hastaNumero);
        t_DesdeFamilia->setText(r.alcance.desdeFamilia);
        t_HastaFamilia->setText(r.alcance.hastaFamilia);
    }
    chk_NoContados->setChecked(r.noContadosCero);
    QString estado;
    if (!hay)
        estado =
            QStringLiteral("Elija un recuento abierto, o escriba depósito, fecha y rangos y pulse Nuevo recuento.");
    else if (abierto)
        estado =
            QStringLiteral("Recuento %1 abierto por %2 el %3.").arg(r.numero).arg(r.abiertoPor, momento(r.abiertoEl));
    else
        estado = QStringLiteral("Recuento %1 %2 por %3 el %4: sólo lectura.")
                     .arg(r.numero)
                     .arg(r.estado == recuentos::Estado::Aplicado ? QStringLiteral("aplicado")
                                                                  : QStringLiteral("descartado"),
                          r.cerradoPor, momento(r.cerradoEl));
    l_Estado->setText(estado);
    for (QWidget *w : std::initializer_list<QWidget *>{t_numero, t_Cantidad, chk_NoContados, b_Aplicar, b_Descartar,
                                                       b_Quitar, b_LeerPlanilla})
        w->setEnabled(abierto);
    for (QWidget *w : std::initializer_list<QWidget *>{b_Planilla, b_Diferencias, b_Actualizar})
        w->setEnabled(hay);
    limpiarLinea();
    mostrarLineas();
}

void FrmRecuento::mostrarLineas()
{
    const std::vector<recuentos::LineaContada> lineas =
        recuento_.numero ? recuentos::lineas(mPrincipal::conexion(), recuento_.numero)
                         : std::vector<recuentos::LineaContada>{};
    grilla->setRowCount(int(lineas.size()));
    for (int i = 0; i < int(lineas.size()); ++i) {
        const recuentos::LineaContada &l = lineas[size_t(i)];
        auto *cantidad = new QTableWidgetItem(numeros::numeral(l.contado));
        cantidad->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grilla->setItem(i, 0, new QTableWidgetItem(l.numero));
        grilla->setItem(i, 1, new QTableWidgetItem(l.nombre));
        grilla->setItem(i, 2, cantidad);
    }
    l_Lineas->setText(QStringLiteral("%1 artículos contados").arg(lineas.size()));
}

void FrmRecuento::limpiarLinea()
{
    articulo_.clear();
    t_numero->clear();
    t_Nombre->clear();
    t_Cantidad->clear();
}

void FrmRecuento::articuloPorNumero()
{
    const QString texto = t_numero->text().trimmed();
    if (texto.isEmpty())
        return;
    // Whatever is refused, the next number typed replaces it.
    t_numero->selectAll();
    Connection &c = mPrincipal::conexion();
    const codigosBarras::Lectura lectura = codigosBarras::leer(c, texto);
    if (lectura.esCodigo && lectura.numero.isEmpty())
        return void(mensajes::mostrar(codigosBarras::mensajeDesconocido(texto), QMessageBox::Information));
    const QString numero = numeros::rellenarCeros(lectura.numero, 6);
    const auto a = recuentos::articulo(c, numero);
    if (!a)
        return void(mensajes::mostrar(QStringLiteral("Articulo incorrecto"), QMessageBox::Information));
    if (!recuentos::cubre(recuento_.alcance, a->numero, a->familia)
        && mensajes::mostrar(
               QStringLiteral("El artículo %1 no está en los rangos del recuento. ¿Lo agrega?").arg(a->numero),
               QMessageBox::Question, QMessageBox::Yes | QMessageBox::No)
               != QMessageBox::Yes)
        return;
    articulo_ = a->numero;
    t_numero->setText(a->numero);
    t_Nombre->setText(a->nombre);
    t_Cantidad->setFocus();
    t_Cantidad->selectAll();
}

void FrmRecuento::anotarLinea()
{
    if (articulo_.isEmpty() || articulo_ != numeros::rellenarCeros(t_numero->text().trimmed(), 6))
        return void(mensajes::mostrar(QStringLiteral("Falta ingresar el artículo"), QMessageBox::Information));
    const QString texto = t_Cantidad->text().trimmed();
    if (texto.isEmpty() || !numeros::esNumero(texto) || !numeros::importeLegible(texto))
        return void(mensajes::mostrar(QStringLiteral("Falta ingresar la cantidad"), QMessageBox::Information));
    Connection &c = mPrincipal::conexion();
    recuentos::Modo modo = recuentos::Modo::Reemplazar;
    if (const auto antes = recuentos::contado(c, recuento_.numero, articulo_)) {
        const auto respuesta = mensajes::mostrar(
            QStringLiteral("El artículo %1 ya fue contado: %2.\n¿Suma %3 a lo contado? (No: lo reemplaza)")
                .arg(articulo_, numeros::numeral(*antes), texto),
            QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (respuesta == QMessageBox::Cancel)
            return;
        modo = respuesta == QMessageBox::Yes ? recuentos::Modo::Sumar : recuentos::Modo::Reemplazar;
    }
    if (rechazado(recuentos::anotar(c, recuento_.numero, articulo_, numeros::valorImporte(texto), modo).rechazo))
        return;
    limpiarLinea();
    mostrarLineas();
    t_numero->setFocus();
}

void FrmRecuento::quitarLinea()
{
    const int fila = grilla->currentRow();
    if (fila < 0)
        return;
    if (!rechazado(recuentos::quitar(mPrincipal::conexion(), recuento_.numero, grilla->item(fila, 0)->text())))
        mostrarLineas();
}

void FrmRecuento::actualizar()
{
    if (const auto r = recuentos::leer(mPrincipal::conexion(), recuento_.numero))
        mostrar(recuento_ = *r);
}

bool FrmRecuento::rechazado(recuentos::Rechazo rechazo)
{
    switch (rechazo) {
    case recuentos::Rechazo::Ninguno:
        return false;
    case recuentos::Rechazo::NoExiste:
        atencion(QStringLiteral("El recuento no existe"));
        break;
    case recuentos::Rechazo::Cerrado:
        atencion(QStringLiteral("El recuento ya fue aplicado o descartado: no cambia más"));
        actualizar();
        break;
    case recuentos::Rechazo::ArticuloInexistente:
        mensajes::mostrar(QStringLiteral("Articulo incorrecto"), QMessageBox::Information);
        break;
    case recuentos::Rechazo::CantidadInvalida:
        atencion(QStringLiteral("La cantidad contada debe ser 0 o más, hasta 999999999,99"));
        break;
    case recuentos::Rechazo::SinNumeros:
        atencion(QStringLiteral("No quedan números de comprobante para el ajuste"));
        break;
    }
    return true;
}
