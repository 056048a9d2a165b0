#include "stored_movements.h"
#include "numbers.h"
#include "test_database.h"

void guardarMovimientos(const BaseDePrueba &base, const QStringList &lineas)
{
    int comprobante = 0;
    for (const QString &linea : lineas) {
        const QStringList p = linea.split(' ');
        const bool entra = p[1] == "EN";
        base.ejecutar(QStringLiteral("INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,detalle,impreso,"
                                     "deposito,Entrada,Salida,codigo) VALUES ('%1','%2','2026-%3','%4',1,'',"
                                     "'N','%5',%6,%7,'0001')")
                          .arg(numeros::rellenarCeros(QString::number(++comprobante), 8), p[1],
                               p[4].section('-', 1) + '-' + p[4].section('-', 0, 0), p[0], p[3], entra ? p[2] : "0",
                               entra ? "0" : p[2]));
    }
    base.ejecutar("UPDATE articulo SET stock=coalesce((SELECT sum(Entrada)-sum(Salida) FROM movstk m WHERE "
                  "m.numero=articulo.numero),0)");
}
