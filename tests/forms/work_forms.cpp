#include "work_forms.h"

#include "frm_articulo.h"
#include "frm_familia.h"
#include "frm_movim.h"
#include "informe_ventas.h"
#include "mprincipal.h"
#include "report_preview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTimer>

FormaDeTrabajo::FormaDeTrabajo(const QString &nombre) : FormularioDePrueba(BaseDePrueba::Demo, QDate(2026, 5, 14))
{
    mPrincipal::depositoDefecto = QStringLiteral("01");
    base.ejecutar("INSERT INTO familia(codigo,familia) VALUES ('2345','Vecina')");
    base.ejecutar("INSERT INTO articulo(numero,codigo,nombre,alta,costo,stock) VALUES "
                  "('234567','0001','Vecino','2026-01-02',3,4)");
    base.ejecutar("INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,impreso,deposito,Entrada,Salida,codigo) "
                  "VALUES ('23456789','EN','2026-01-02','234567',3,'N','01',4,0,'0001')");
    using Valores = QList<std::pair<const char *, const char *>>;
    Valores valores;
    if (nombre == QLatin1String("frmArticulo")) {
        mostrar(std::make_unique<frmArticulo>());
        valores = {{"t_numero", "000050"}, {"t_Nombre", "Prueba"}, {"t_codigo", "0001"}, {"t_Familia", "Ferretería"},
                   {"t_detalle", "Nota"}, {"t_Costo", "12.5"}};
    } else if (nombre == QLatin1String("FrmFamilia")) {
        mostrar(std::make_unique<FrmFamilia>());
        valores = {{"t_codigo", "0050"}, {"t_Familia", "Prueba"}};
    } else if (nombre == QLatin1String("FrmMovim")) {
        mostrar(std::make_unique<FrmMovim>());
        clic("op_Entra");
        escribirYSalir("t_numero", "000001");
        valores = {{"t_Comprobante", "00000050"}, {"t_Cantidad", "3"}, {"t_detalle", "Nota"}};
    } else {
        mostrar(std::make_unique<InformeVentas>());
    }
    for (const auto &[campo, texto] : valores)
        poner(campo, QString::fromUtf8(texto));
}

QString FormaDeTrabajo::poner(const char *campo, const QString &texto)
{
    QWidget *w = control(campo);
    if (auto *nota = qobject_cast<QPlainTextEdit *>(w)) {
        nota->setPlainText(texto);
        return nota->toPlainText();
    }
    qobject_cast<QLineEdit *>(w)->setText(texto);
    return qobject_cast<QLineEdit *>(w)->text();
}

void FormaDeTrabajo::pulsar(const char *boton)
{
    // The lookup takes its first row; a search that fails before it opens leaves nothing to close.
    QTimer::singleShot(0, [] {
        if (QWidget *dialogo = QApplication::activeModalWidget()) {
            auto *vista = dialogo->findChild<QTableView *>(QStringLiteral("grilla"));
            if (vista && vista->model()->rowCount() > 0)
                pruebas::clicFila(vista, 1);
            dialogo->close();
        }
    });
    clic(boton);
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
