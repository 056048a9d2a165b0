#pragma once

#include "editable_grid.h"
#include "form_driver.h"
#include "frm_movim.h"
#include "mprincipal.h"
#include "report.h"
#include "sql_text.h"
#include "ticket_output.h"
#include "tikets_layout.h"

// FrmMovim over a fresh database, today 06-12-2026, tickets counted instead of printed.
struct MovimDePrueba : pruebas::FormularioDePrueba<FrmMovim>
{
    int ticketsEnviados = 0;

    explicit MovimDePrueba(BaseDePrueba::Contenido contenido = BaseDePrueba::Vacia)
        : FormularioDePrueba(contenido, QDate(2026, 12, 6))
    {
        mPrincipal::depositoDefecto = QStringLiteral("01");
        salidaTicket::fijarDestinoParaPruebas([this](Report &) { ++ticketsEnviados; });
        mostrar();
    }
    ~MovimDePrueba() { salidaTicket::fijarDestinoParaPruebas({}); }

    EditableGrid *grilla() const { return control<EditableGrid>("grilla"); }
    void articulo(const QString &numero) { escribirYSalir("t_numero", numero); }
    void linea(const QString &numero, const QString &cantidad)
    {
        articulo(numero);
        escribir("t_Cantidad", cantidad);
        clic("b_Guardar");
    }
    void cargar(const QString &comprobante)
    {
        escribir("t_Comprobante", comprobante);
        clic("b_Cargar");
    }
    void tipo(const QString &tipo) { clic(tipo == QLatin1String("EN") ? "op_Entra" : "op_sale"); }
    void nuevoArticulo(const QString &numero, const QString &nombre, double stock = 0)
    {
        base.ejecutar(
            QStringLiteral("INSERT INTO articulo(numero,codigo,nombre,costo,stock) VALUES ('%1','0001','%2',1,%3)")
                .arg(numero, sqlTexto(nombre))
                .arg(stock));
    }
    // A stored line of voucher `comprobante`; `impreso` "S" marks it printed.
    void movimiento(const QString &comprobante, const QString &tipo, const QString &numero, double cantidad,
                    const QString &impreso = QStringLiteral("N"), const QString &deposito = QStringLiteral("01"))
    {
        const bool entra = tipo == QLatin1String("EN");
        base.ejecutar(QStringLiteral("INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,detalle,impreso,"
                                     "deposito,Entrada,Salida,codigo) VALUES ('%1','%2','2026-11-02','%3',1,'Nota %1',"
                                     "'%4','%5',%6,%7,'0001')")
                          .arg(comprobante, tipo, numero, impreso, deposito)
                          .arg(entra ? cantidad : 0)
                          .arg(entra ? 0 : cantidad));
    }
    Report &ticket() const { return ReportRegistry::instance(QStringLiteral("Tikets"), disenoTikets); }
};
