// FrmRecuento: the quantities counted read from a spreadsheet.
#include "frm_recuento.h"

#include "action_guard.h"
#include "count_sheet.h"
#include "messages.h"
#include "mprincipal.h"
#include "numbers.h"

#include <QFileDialog>

void FrmRecuento::elegirPlanilla()
{
    const QString archivo = QFileDialog::getOpenFileName(this, QStringLiteral("Leer planilla de recuento"), QString(),
                                                         QStringLiteral("Planillas (*.xlsx *.ods *.xls *.csv)"));
    if (!archivo.isEmpty())
        leerPlanilla(archivo);
}

void FrmRecuento::leerPlanilla(const QString &archivo)
{
    Connection &c = mPrincipal::conexion();
    planillaContada::Lectura lectura;
    {
        CursorEspera espera;
        lectura = planillaContada::leer(c, archivo);
    }
    if (!lectura.error.isEmpty())
        return void(
            mensajes::mostrar(lectura.error, QMessageBox::Critical, QMessageBox::Ok, QStringLiteral("Atención")));
    const QList<planillaContada::Renglon> buenos = planillaContada::porArticulo(lectura.renglones);
    QStringList malos;
    for (const planillaContada::Renglon &r : lectura.renglones)
        if (!r.error.isEmpty())
            malos << QStringLiteral("Fila %1: %2").arg(r.fila).arg(r.error);
    QString resumen = QStringLiteral("La planilla trae %1 artículos contados").arg(buenos.size());
    if (!malos.isEmpty())
        resumen += QStringLiteral(" y %1 filas que no se toman:\n").arg(malos.size())
                   + malos.mid(0, 20).join(QLatin1Char('\n')) + (malos.size() > 20 ? QStringLiteral("\n...") : "");
    if (buenos.isEmpty())
        return void(mensajes::mostrar(resumen, QMessageBox::Information));
    if (mensajes::mostrar(resumen + QStringLiteral("\n¿Anota los artículos contados?"), QMessageBox::Question,
                          QMessageBox::Yes | QMessageBox::No)
        != QMessageBox::Yes)
        return;
    int yaContados = 0;
    for (const planillaContada::Renglon &r : buenos)
        yaContados += recuentos::contado(c, recuento_.numero, r.numero).has_value();
    recuentos::Modo modo = recuentos::Modo::Reemplazar;
    if (yaContados > 0) {
        const auto respuesta = mensajes::mostrar(
            QStringLiteral("%1 de esos artículos ya fueron contados.\n¿Suma lo leído a lo contado? (No: lo reemplaza)")
                .arg(yaContados),
            QMessageBox::Question, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (respuesta == QMessageBox::Cancel)
            return;
        modo = respuesta == QMessageBox::Yes ? recuentos::Modo::Sumar : recuentos::Modo::Reemplazar;
    }
    {
        CursorEspera espera;
        for (const planillaContada::Renglon &r : buenos)
            if (rechazado(recuentos::anotar(c, recuento_.numero, r.numero, r.cantidad, modo).rechazo))
                break;
    }
    mostrarLineas();
}
