#pragma once

#include "movement_report.h"
#include "mprincipal.h"
#include "recordset.h"
#include "sql_text.h"
#include "test_database.h"

#include <QStringList>
#include <memory>

// Articles and movements put straight into a fresh database, and the report's rows read back as texts.
namespace informe {

inline void articulo(const BaseDePrueba &base, const QString &numero, const QString &nombre,
                     const QString &codigo = QStringLiteral("0001"))
{
    base.ejecutar(QStringLiteral("INSERT INTO articulo(numero,codigo,nombre,stock) VALUES ('%1','%2','%3',0)")
                      .arg(numero, codigo, sqlTexto(nombre)));
}

// Quantities are SQL literals and a storage place "NULL" stores none. An entrada of 0 makes an exit.
inline void movimiento(const BaseDePrueba &base, const QString &comprobante, const QString &numero,
                       const QString &fecha, const QString &deposito, const QString &entrada, const QString &salida)
{
    base.ejecutar(QStringLiteral("INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,impreso,deposito,"
                                 "Entrada,Salida,codigo) VALUES ('%1','%2',#%3#,'%4',1,'N',%5,%6,%7,'0001')")
                      .arg(comprobante, entrada == QLatin1String("0") ? "SA" : "EN", fecha, numero,
                           deposito == QLatin1String("NULL") ? deposito : '\'' + deposito + '\'', entrada, salida));
}

inline FiltroMovimientos anio2026(const QString &deposito = QStringLiteral("01"),
                                  const QString &desde = QStringLiteral("01-01-2026"),
                                  const QString &hasta = QStringLiteral("31-12-2026"))
{
    return {desde, hasta, QStringLiteral("0"), QStringLiteral("99999999"), QStringLiteral("0"),
            QStringLiteral("99999999"), deposito};
}

inline std::unique_ptr<Recordset> armar(const FiltroMovimientos &filtro, const ProgresoInforme &progreso = {})
{
    auto articulos = mPrincipal::abrirConsulta(sentenciasMovimientos::seleccionArticulos(filtro));
    return armarInformeMovimientos(*articulos, filtro, progreso);
}

inline QStringList columna(const Recordset &rs, const QString &nombre)
{
    QStringList t;
    for (qsizetype r = 0; r < rs.rowCount(); ++r)
        t << rs.text(r, rs.columnIndex(nombre));
    return t;
}

} // namespace informe
