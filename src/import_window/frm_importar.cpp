#include "frm_importar.h"
#include "access_keys.h"
#include "action_guard.h"
#include "dates.h"
#include "import_write.h"
#include "masked_date_box.h"
#include "messages.h"
#include "mprincipal.h"
#include "review_model.h"
#include "sheet_reader.h"
#include "storage_places.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

using namespace importacion;

namespace {

const QString titulo = QStringLiteral("Importar artículos");

// The wrong rows only, when asked.
class FiltroErrores : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void soloErrores(bool si)
    {
        solo_ = si;
        invalidateRowsFilter();
    }

protected:
    bool filterAcceptsRow(int fila, const QModelIndex &) const override
    {
        return !solo_ || static_cast<const ModeloRevision *>(sourceModel())->esError(fila);
    }

private:
    bool solo_ = false;
};

QLabel *rotulo(const QString &texto)
{
    auto *l = new QLabel(texto);
    l->setWordWrap(true);
    return l;
}

// "C: Costo unitario": a column of the sheet as the column lists show it.
QString nombreColumna(int k, const QString &encabezado)
{
    QString letras;
    for (int n = k + 1; n > 0; n = (n - 1) / 26)
        letras.prepend(QChar(u'A' + (n - 1) % 26));
    return letras + QStringLiteral(": ") + encabezado;
}

} // namespace

FrmImportar::FrmImportar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmImportar"));
    setWindowTitle(titulo);
    pasos_ = new QStackedWidget(this);
    pasos_->addWidget(crearArchivo());
    pasos_->addWidget(crearColumnas());
    pasos_->addWidget(crearRevision());
    pasos_->addWidget(crearResumen());

    // Access letters of their own: a disabled button's letter would reach the
    // main window's menu, and Alt+S there is "&Salir".
    anterior_ = new QPushButton(QStringLiteral("< A&nterior"));
    siguiente_ = new QPushButton(QStringLiteral("Si&guiente >"));
    importar_ = new QPushButton(QStringLiteral("Im&portar"));
    cerrar_ = new QPushButton(QStringLiteral("&Cerrar"));
    anterior_->setObjectName(QStringLiteral("b_Anterior"));
    siguiente_->setObjectName(QStringLiteral("b_Siguiente"));
    importar_->setObjectName(QStringLiteral("b_Importar"));
    cerrar_->setObjectName(QStringLiteral("b_Cerrar"));
    auto *botones = new QHBoxLayout;
    botones->addStretch();
    for (QPushButton *b : {anterior_, siguiente_, importar_, cerrar_})
        botones->addWidget(b);
    auto *todo = new QVBoxLayout(this);
    todo->addWidget(pasos_);
    todo->addLayout(botones);

    connect(anterior_, &QPushButton::clicked, this, [this] { anterior(); });
    connect(siguiente_, &QPushButton::clicked, this, [this] { protegido([this] { siguiente(); }); });
    connect(importar_, &QPushButton::clicked, this, [this] { protegido([this] { importar(); }); });
    connect(cerrar_, &QPushButton::clicked, this, [this] {
        if (auto *marco = parentWidget())
            marco->close();
        else
            close();
    });
    setMinimumSize(880, 540);
    // The main window focuses the form it opens: the file name takes the typing.
    setFocusProxy(archivo_);
    teclasDeAccesoPropias(this);
    irA(Archivo);
}

FrmImportar::Paso FrmImportar::paso() const
{
    return Paso(pasos_->currentIndex());
}

QWidget *FrmImportar::crearArchivo()
{
    auto *p = new QWidget;
    archivo_ = new QLineEdit;
    archivo_->setObjectName(QStringLiteral("t_Archivo"));
    auto *buscar = new QPushButton(QStringLiteral("&Buscar..."));
    buscar->setObjectName(QStringLiteral("b_Buscar"));
    hoja_ = new QComboBox;
    hoja_->setObjectName(QStringLiteral("c_Hoja"));
    auto *fila = new QHBoxLayout;
    fila->addWidget(archivo_);
    fila->addWidget(buscar);
    auto *f = new QFormLayout;
    f->addRow(QStringLiteral("Planilla:"), fila);
    f->addRow(QStringLiteral("Hoja:"), hoja_);
    auto *v = new QVBoxLayout(p);
    v->addWidget(rotulo(QStringLiteral("<b>1. La planilla</b><br>Una planilla .xlsx, .ods, .xls o .csv con un "
                                       "artículo por fila; la primera fila tiene los nombres de las columnas.")));
    v->addLayout(f);
    v->addStretch();
    connect(buscar, &QPushButton::clicked, this, [this] { protegido([this] { buscarArchivo(); }); });
    connect(archivo_, &QLineEdit::editingFinished, this, [this] { protegido([this] { leerHojas(); }); });
    return p;
}

QWidget *FrmImportar::crearColumnas()
{
    auto *p = new QWidget;
    auto *f = new QFormLayout;
    for (int k = 0; k < cantidadCampos; ++k) {
        auto *c = new QComboBox;
        c->setObjectName(QStringLiteral("c_Columna%1").arg(k));
        const QString n = nombreCampo(Campo(k));
        f->addRow(n.left(1).toUpper() + n.mid(1) + QLatin1Char(':'), c);
        columnas_ << c;
    }
    deposito_ = new QComboBox;
    deposito_->setObjectName(QStringLiteral("c_Deposito"));
    fecha_ = new MaskedDateBox;
    fecha_->setObjectName(QStringLiteral("t_Fecha"));
    f->addRow(QStringLiteral("Depósito del stock inicial:"), deposito_);
    f->addRow(QStringLiteral("Fecha del stock inicial:"), fecha_);
    auto *v = new QVBoxLayout(p);
    v->addWidget(rotulo(QStringLiteral("<b>2. Las columnas</b><br>Cada dato del artículo y la columna de la "
                                       "planilla que lo tiene. El stock inicial entra en el depósito de su fila "
                                       "o, si no tiene, en el elegido aquí.")));
    v->addLayout(f);
    v->addStretch();
    return p;
}

QWidget *FrmImportar::crearRevision()
{
    auto *p = new QWidget;
    cuentas_ = new QLabel;
    cuentas_->setObjectName(QStringLiteral("l_Cuentas"));
    soloErrores_ = new QCheckBox(QStringLiteral("Mostrar solo &errores"));
    soloErrores_->setObjectName(QStringLiteral("k_SoloErrores"));
    modelo_ = new ModeloRevision(this);
    auto *filtro = new FiltroErrores(this);
    filtro->setSourceModel(modelo_);
    filtro_ = filtro;
    tabla_ = new QTableView;
    tabla_->setObjectName(QStringLiteral("g_Filas"));
    tabla_->setModel(filtro_);
    tabla_->verticalHeader()->hide();
    tabla_->verticalHeader()->setDefaultSectionSize(20);
    tabla_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla_->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto *arriba = new QHBoxLayout;
    arriba->addWidget(cuentas_, 1);
    arriba->addWidget(soloErrores_);
    auto *v = new QVBoxLayout(p);
    v->addWidget(rotulo(QStringLiteral("<b>3. Revisión</b><br>Cada fila y lo que se hará con ella. No se importa "
                                       "nada mientras alguna fila tenga un error.")));
    v->addLayout(arriba);
    v->addWidget(tabla_, 1);
    connect(soloErrores_, &QCheckBox::toggled, this, [filtro](bool si) { filtro->soloErrores(si); });
    return p;
}

QWidget *FrmImportar::crearResumen()
{
    auto *p = new QWidget;
    resumen_ = rotulo(QString());
    resumen_->setObjectName(QStringLiteral("l_Resumen"));
    resumen_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *v = new QVBoxLayout(p);
    v->addWidget(rotulo(QStringLiteral("<b>Importación terminada</b>")));
    v->addWidget(resumen_);
    v->addStretch();
    return p;
}

void FrmImportar::buscarArchivo()
{
    const QString elegido = QFileDialog::getOpenFileName(
        this, titulo, archivo_->text(), QStringLiteral("Planillas (*.xlsx *.ods *.xls *.csv);;Todos (*)"));
    if (elegido.isEmpty())
        return;
    archivo_->setText(elegido);
    leerHojas();
}

void FrmImportar::leerHojas()
{
    hoja_->clear();
    if (!archivo_->text().trimmed().isEmpty())
        hoja_->addItems(hojas::nombresDeHojas(archivo_->text().trimmed()));
}

void FrmImportar::irA(Paso p)
{
    pasos_->setCurrentIndex(p);
    anterior_->setEnabled(p == Columnas || p == Revision);
    siguiente_->setEnabled(p == Archivo || p == Columnas);
    importar_->setEnabled(p == Revision && revision_.correcta() && !revision_.filas.isEmpty());
}

void FrmImportar::anterior()
{
    irA(Paso(std::max(0, pasos_->currentIndex() - 1)));
}

void FrmImportar::siguiente()
{
    if (paso() == Archivo) {
        if (hoja_->count() == 0)
            leerHojas();
        if (hoja_->count() == 0) {
            mensajes::mostrar(QStringLiteral("Elija una planilla"), QMessageBox::Warning, QMessageBox::Ok, titulo);
            return;
        }
        prepararColumnas();
        irA(Columnas);
    } else if (paso() == Columnas) {
        if (columnas_[int(Campo::Numero)]->currentIndex() <= 0) {
            mensajes::mostrar(QStringLiteral("Elija la columna del número de artículo"), QMessageBox::Warning,
                              QMessageBox::Ok, titulo);
            return;
        }
        if (!fecha_->fecha().isValid()) {
            mensajes::mostrar(QStringLiteral("Fecha incorrecta"), QMessageBox::Warning, QMessageBox::Ok, titulo);
            return;
        }
        revisar();
    }
}

void FrmImportar::prepararColumnas()
{
    const QStringList encabezados = importacion::encabezados(archivo_->text().trimmed(), hoja_->currentText());
    const importacion::Columnas halladas = emparejar(encabezados);
    for (int k = 0; k < cantidadCampos; ++k) {
        QComboBox *c = columnas_[k];
        c->clear();
        c->addItem(QStringLiteral("(ninguna)"), -1);
        for (qsizetype i = 0; i < encabezados.size(); ++i)
            c->addItem(nombreColumna(int(i), encabezados[i]), int(i));
        c->setCurrentIndex(halladas.indice[k] + 1);
    }
    deposito_->clear();
    for (const auto &d : depositos::todos(mPrincipal::conexion()))
        deposito_->addItem(d.codigo + QStringLiteral(" - ") + d.nombre, d.codigo);
    deposito_->setCurrentIndex(std::max(0, deposito_->findData(mPrincipal::depositoDefecto)));
    if (!fecha_->fecha().isValid())
        fecha_->setTexto(fechas::texto(fechas::hoy()));
}

Opciones FrmImportar::opciones() const
{
    Opciones o;
    o.archivo = archivo_->text().trimmed();
    o.hoja = hoja_->currentText();
    for (int k = 0; k < cantidadCampos; ++k)
        o.columnas.indice[k] = columnas_[k]->currentData().toInt();
    o.deposito = deposito_->currentData().toString();
    o.fecha = fecha_->fecha();
    return o;
}

void FrmImportar::revisar()
{
    modelo_->mostrar(nullptr);
    revision_ = importacion::revisar(mPrincipal::conexion(), opciones());
    modelo_->mostrar(&revision_);
    cuentas_->setText(QStringLiteral("Nuevos: %1    Actualizan: %2    Sin cambios: %3    Con errores: %4")
                          .arg(revision_.cuenta(Veredicto::Nuevo))
                          .arg(revision_.cuenta(Veredicto::Actualiza))
                          .arg(revision_.cuenta(Veredicto::SinCambios))
                          .arg(revision_.cuenta(Veredicto::Error)));
    tabla_->resizeColumnsToContents();
    irA(Revision);
}

void FrmImportar::importar()
{
    const Resultado r = importacion::importar(mPrincipal::conexion(), opciones());
    if (!r.escrito) {
        // The database changed since the preview: show the rows as they now stand.
        revisar();
        mensajes::mostrar(QStringLiteral("Hay filas con errores: no se importó nada"), QMessageBox::Warning,
                          QMessageBox::Ok, titulo);
        return;
    }
    emit stockCambiado();
    const importacion::Resumen &s = r.resumen;
    QString t = QStringLiteral("Artículos agregados: %1<br>Artículos actualizados: %2<br>Familias agregadas: %3")
                    .arg(s.agregados)
                    .arg(s.actualizados)
                    .arg(s.familias);
    for (const QString &c : s.comprobantes)
        t += QStringLiteral("<br>Stock inicial en el comprobante ") + c.toHtmlEscaped();
    if (s.comprobantes.isEmpty())
        t += QStringLiteral("<br>Sin stock inicial que registrar");
    if (!s.copia.isEmpty())
        t += QStringLiteral("<br><br>Antes de importar se guardó una copia de la base en<br>%1<br>Para volver a "
                            "ella, cierre Quendra y ejecute:<br><tt>%2</tt>")
                 .arg(s.copia.toHtmlEscaped(), s.restaurar.toHtmlEscaped());
    resumen_->setText(t);
    modelo_->mostrar(nullptr);
    revision_ = importacion::Revision();
    irA(Resumen);
}
