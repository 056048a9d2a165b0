#include "work_forms.h"

#include "frm_articulo.h"
#include "frm_familia.h"
#include "frm_movim.h"
#include "informe_ventas.h"
#include "mprincipal.h"
#include "report_preview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>
#include <QLineEdit>

FormaDeTrabajo::FormaDeTrabajo(const QString &nombre)
{
    fechas::fijarHoyParaPruebas(QDate(2026, 5, 14));
    mPrincipal::depositoDefecto = QStringLiteral("01");
    base.ejecutar("INSERT INTO familia(codigo,familia) VALUES ('2345','Vecina')");
    base.ejecutar("INSERT INTO articulo(numero,codigo,nombre,alta,costo,stock) VALUES "
                  "('234567','0001','Vecino','2026-01-02',3,4)");
    base.ejecutar("INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,impreso,deposito,Entrada,Salida,codigo) "
                  "VALUES ('23456789','EN','2026-01-02','234567',3,'N','01',4,0,'0001')");
    if (nombre == QLatin1String("frmArticulo")) {
        form = std::make_unique<frmArticulo>();
        pruebas::mostrarActiva(form.get());
        poner("t_numero", "000050");
        poner("t_Nombre", "Prueba");
        poner("t_codigo", "0001");
        poner("t_Familia", "Ferretería");
        poner("t_detalle", "Nota");
        poner("t_Costo", "12.5");
    } else if (nombre == QLatin1String("FrmFamilia")) {
        form = std::make_unique<FrmFamilia>();
        pruebas::mostrarActiva(form.get());
        poner("t_codigo", "0050");
        poner("t_Familia", "Prueba");
    } else if (nombre == QLatin1String("FrmMovim")) {
        form = std::make_unique<FrmMovim>();
        pruebas::mostrarActiva(form.get());
        poner("t_Comprobante", "00000050");
        QTest::mouseClick(pruebas::control(form.get(), "op_Entra"), Qt::LeftButton);
        articulo("000001");
        poner("t_Cantidad", "3");
        poner("t_detalle", "Nota");
    } else {
        form = std::make_unique<InformeVentas>();
        pruebas::mostrarActiva(form.get());
    }
}

FormaDeTrabajo::~FormaDeTrabajo()
{
    form.reset();
    fechas::fijarHoyParaPruebas(QDate());
}

QString FormaDeTrabajo::poner(const char *campo, const QString &texto)
{
    QWidget *w = pruebas::control(form.get(), campo);
    if (auto *nota = qobject_cast<QPlainTextEdit *>(w)) {
        nota->setPlainText(texto);
        return nota->toPlainText();
    }
    qobject_cast<QLineEdit *>(w)->setText(texto);
    return qobject_cast<QLineEdit *>(w)->text();
}

void FormaDeTrabajo::articulo(const QString &numero)
{
    pruebas::escribir(pruebas::control(form.get(), "t_numero"), numero);
    QTest::keyClick(pruebas::control(form.get(), "t_numero"), Qt::Key_Tab);
}

void FormaDeTrabajo::pulsar(const char *boton)
{
    QWidget *b = pruebas::control(form.get(), boton);
    // The lookup takes its first row; a search that fails before it opens leaves nothing to close.
    QTimer::singleShot(0, [] {
        if (QWidget *dialogo = QApplication::activeModalWidget()) {
            auto *vista = dialogo->findChild<QTableView *>(QStringLiteral("grilla"));
            if (vista && vista->model()->rowCount() > 0)
                pruebas::clicFila(vista, 1);
            dialogo->close();
        }
    });
    QTest::mouseClick(b, Qt::LeftButton);
    if (ReportPreview *vista = pruebas::vistaPrevia())
        vista->close();
}

QString FormaDeTrabajo::demas() const
{
    return base.valor(
        "SELECT group_concat(fila, char(10)) FROM (SELECT fila FROM ("
        "SELECT 'a'||quote(numero)||quote(codigo)||quote(nombre)||quote(detalle)||quote(alta)||quote(costo)"
        "||quote(CASE numero WHEN '000001' THEN 0 ELSE stock END) AS fila FROM articulo WHERE numero<>'000050' "
        "UNION ALL SELECT 'f'||quote(id)||quote(codigo)||quote(familia) FROM familia WHERE codigo<>'0050' "
        "UNION ALL SELECT 'm'||quote(id)||quote(comprobante)||quote(tipomov)||quote(fecha)||quote(numero)||quote(costo)"
        "||quote(detalle)||quote(impreso)||quote(deposito)||quote(Entrada)||quote(Salida)||quote(codigo) "
        "FROM movstk WHERE comprobante<>'00000050') ORDER BY fila)");
}

QString FormaDeTrabajo::nuevo() const
{
    return base.valor(
        "SELECT coalesce((SELECT numero||'|'||nombre||'|'||coalesce(detalle,'')||'|'||costo||'|'||stock FROM articulo "
        "WHERE numero='000050'), '') || coalesce((SELECT codigo||'|'||familia FROM familia WHERE codigo='0050'), '') "
        "|| coalesce((SELECT numero||'|'||coalesce(detalle,'')||'|'||costo||'|'||Entrada FROM movstk "
        "WHERE comprobante='00000050'), '')");
}
