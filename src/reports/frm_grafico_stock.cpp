#include "frm_grafico_stock.h"
#include "access_keys.h"
#include "action_guard.h"
#include "codes.h"
#include "dates.h"
#include "filter_controls.h"
#include "form_layout.h"
#include "masked_date_box.h"
#include "messages.h"
#include "mprincipal.h"
#include "recordset.h"
#include "report_output.h"
#include "sql_text.h"
#include "stock_chart.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace controlesFiltro;

FrmGraficoStock::FrmGraficoStock(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("FrmGraficoStock"));
    setWindowTitle(QStringLiteral("Stock en el tiempo"));
    setFont(QFont(QStringLiteral("Arial"), 8));

    auto *filtros = new QWidget(this);
    twips::tamanoCliente(filtros, 10800, 960);
    filtros->setFixedHeight(filtros->height());
    etiqueta(filtros, "Label1", "Artículo", 90, 135, 700, 195);
    t_numero_ = caja(filtros, "t_numero", "", 900, 105, 1000, 285);
    t_numero_->setMaxLength(6);
    l_nombre_ = etiqueta(filtros, "l_nombre", "", 2000, 135, 4400, 195);
    etiqueta(filtros, "Label2", "Desde", 90, 555, 700, 195);
    f_desde_ = cajaFecha(filtros, "f_desde", 900, 510, 1095, 285);
    etiqueta(filtros, "Label3", "Hasta", 2100, 555, 500, 195);
    f_hasta_ = cajaFecha(filtros, "f_hasta", 2700, 510, 1095, 285);
    etiqueta(filtros, "Label4", "Barras por", 4000, 555, 900, 195);
    cbo_Periodo_ = new QComboBox(filtros);
    cbo_Periodo_->setObjectName(QStringLiteral("cbo_Periodo"));
    cbo_Periodo_->addItem(QStringLiteral("Semana"), int(historiaStock::Periodo::Semana));
    cbo_Periodo_->addItem(QStringLiteral("Mes"), int(historiaStock::Periodo::Mes));
    cbo_Periodo_->setCurrentIndex(1);
    twips::ubicar(cbo_Periodo_, 5000, 495, 1300, 315);
    b_Mostrar_ = boton(filtros, "b_Mostrar", "&Mostrar", 6600, 105, 1170, 390);
    b_Guardar_ = boton(filtros, "b_Guardar", "&Guardar imagen", 7900, 105, 1500, 390);
    b_Salir_ = boton(filtros, "b_Salir", "&Salir", 9500, 105, 1170, 390);
    grafico_ = new GraficoStock(this);
    grafico_->setMinimumSize(720, 420);
    auto *capas = new QVBoxLayout(this);
    capas->addWidget(filtros);
    capas->addWidget(grafico_, 1);
    ordenDeTabulacion({t_numero_, f_desde_, f_hasta_, cbo_Periodo_, b_Mostrar_, b_Guardar_, b_Salir_});
    setFocusProxy(t_numero_);
    teclasDeAccesoPropias(this);
    const QDate hoy = fechas::hoy();
    f_desde_->setTexto(fechas::texto(hoy.addYears(-1).addDays(1)));
    f_hasta_->setTexto(fechas::texto(hoy));
    b_Guardar_->setEnabled(false);

    connect(b_Mostrar_, &QPushButton::clicked, this, [this] { protegido([this] { mostrar(); }); });
    connect(t_numero_, &QLineEdit::returnPressed, this, [this] { protegido([this] { mostrar(); }); });
    connect(b_Guardar_, &QPushButton::clicked, this, [this] { protegido([this] { guardarImagen(); }); });
    connect(b_Salir_, &QPushButton::clicked, this, [this] { protegido([this] { cerrarFormulario(this); }); });
}

historiaStock::Periodo FrmGraficoStock::periodo() const
{
    return historiaStock::Periodo(cbo_Periodo_->currentData().toInt());
}

void FrmGraficoStock::mostrarArticulo(const QString &numero)
{
    t_numero_->setText(numero);
    mostrar();
}

void FrmGraficoStock::mostrar()
{
    const auto numero = codigos::rellenado(t_numero_->text(), codigos::Clase::Articulo);
    if (!numero) {
        mensajes::mostrar(codigos::mensajeRechazo(codigos::Clase::Articulo), QMessageBox::Critical);
        return;
    }
    const QDate desde = f_desde_->fecha(), hasta = f_hasta_->fecha();
    if (!desde.isValid() || !hasta.isValid() || hasta < desde) {
        mensajes::mostrar(QStringLiteral("Fecha incorrecta"), QMessageBox::Critical);
        return;
    }
    t_numero_->setText(*numero);
    const auto articulo = mPrincipal::abrirConsulta(QStringLiteral("select nombre from articulo where numero=")
                                                    + sqlEntreComillas(*numero));
    if (articulo->eof()) {
        l_nombre_->clear();
        mensajes::mostrar(QStringLiteral("El artículo no existe"), QMessageBox::Information);
        return;
    }
    const QString nombre = articulo->field(0).text();
    l_nombre_->setText(nombre);
    CursorEspera espera;
    grafico_->mostrar(historiaStock::leer(mPrincipal::conexion(), *numero, desde, hasta, periodo()), desde, hasta,
                      *numero + QStringLiteral(" ") + nombre);
    b_Guardar_->setEnabled(true);
}

void FrmGraficoStock::guardarImagen()
{
    const QString png = QStringLiteral("Imagen PNG (*.png)");
    const QString pdf = QStringLiteral("Documento PDF (*.pdf)");
    const QString sugerido =
        exportFolder(QStringLiteral("imagen"))
            .filePath(fileNameForTitle(QStringLiteral("Stock ") + t_numero_->text()) + QStringLiteral(".png"));
    QFileDialog dialogo(this, QStringLiteral("Guardar imagen"), sugerido, png + QStringLiteral(";;") + pdf);
    dialogo.setObjectName(QStringLiteral("dialogoImagen"));
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setDefaultSuffix(QStringLiteral("png"));
    connect(&dialogo, &QFileDialog::filterSelected, &dialogo, [&](const QString &filtro) {
        dialogo.setDefaultSuffix(filtro == pdf ? QStringLiteral("pdf") : QStringLiteral("png"));
    });
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return;
    const QString ruta = dialogo.selectedFiles().constFirst();
    rememberExportFolder(QStringLiteral("imagen"), ruta);
    if (!grafico_->guardar(ruta))
        mensajes::mostrar(QStringLiteral("No se pudo guardar la imagen en ") + QDir::toNativeSeparators(ruta),
                          QMessageBox::Critical);
}
