// A count of every one of 10,000 articles in the storage place with most
// movements of a 1,000,000-movement file: the count sheet, the differences and
// applying them, each against the bare SQLite doing the same reads and writes.
#include "bench_support.h"
#include "connection.h"
#include "count_layouts.h"
#include "mprincipal.h"
#include "process_setup.h"
#include "recordset.h"
#include "report.h"
#include "stock_counts.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace {

// A new count of the place on the day, every article counted at a quantity of its own.
int contarTodo(Connection &c, sqlite3 *db, const QString &deposito, const QDate &dia, int vuelta)
{
    const int n = recuentos::abrir(c, deposito, dia, {}, QStringLiteral("banco"));
    banco::ejecutarDesnudo(db, QStringLiteral("insert into recuento_linea(recuento,numero,contado) select %1,numero,"
                                              "(cast(substr(numero,-3) as integer)*7+%2)%97 from articulo")
                                   .arg(n)
                                   .arg(vuelta));
    return n;
}

} // namespace

int main(int argc, char *argv[])
{
    banco::pantallaVirtual();
    QCoreApplication app(argc, argv);
    prepararProceso();

    // Applying changes the file: work on a copy, so the shared generated one stays as made.
    QTemporaryDir carpeta;
    if (!banco::abrirCopiaDeGenerada(carpeta, 10000, 1000000))
        return 1;
    Connection &c = mPrincipal::conexion();
    const QString archivo = c.archivo();
    sqlite3 *db = c.handle();

    auto rs = c.execute(QStringLiteral("select deposito,max(fecha) as dia from movstk group by deposito "
                                       "order by count(*) desc limit 1"));
    const QString deposito = rs->field(0).text();
    const QDate dia = rs->field(1).value().toDate().isValid() ? rs->field(1).value().toDate()
                                                              : QDate::fromString(rs->field(1).text(), "dd-MM-yyyy");
    const QString diaIso = dia.toString(Qt::ISODate);
    std::printf("Recuento de 10.000 artículos en el depósito %s al %s; carga: %s\n", qUtf8Printable(deposito),
                qUtf8Printable(diaIso), qUtf8Printable(banco::cargaDeLaMaquina()));

    int vuelta = 0;
    recuentos::Recuento r = *recuentos::leer(c, contarTodo(c, db, deposito, dia, vuelta));
    const QString libro = QStringLiteral("(select sum(coalesce(m.Entrada,0)-coalesce(m.Salida,0)) from movstk m "
                                         "where m.numero=a.numero and m.deposito='%1' and m.fecha<='%2')")
                              .arg(deposito, diaIso);

    const banco::Par planilla = banco::alternando(
        5,
        [&] {
            const auto articulos = recuentos::planilla(c, r, false);
            vincularPlanilla(rptPlanilla(), r, articulos, false);
        },
        [&] { banco::leerDesnudo(archivo, "select numero,nombre,codigo from articulo order by codigo,numero"); });
    banco::imprimir("Planilla de recuento (filas y páginas)", planilla,
                    "select numero,nombre,codigo de todos los artículos, por familia");

    const banco::Par diferencias = banco::alternando(
        5, [&] { recuentos::diferencias(c, r); },
        [&] {
            banco::leerDesnudo(archivo, QStringLiteral("select a.numero,a.nombre,a.codigo,a.costo,l.contado,%1 "
                                                       "from articulo a left join recuento_linea l on "
                                                       "l.numero=a.numero and l.recuento=%2 where l.id is not null "
                                                       "order by a.numero")
                                            .arg(libro)
                                            .arg(r.numero)
                                            .toUtf8());
        });
    banco::imprimir("Diferencias de 10.000 artículos", diferencias,
                    "la misma consulta: artículo, contado y suma de sus movimientos en el depósito al día");

    // Each run applies a count of its own; the bare side posts the same differences by hand.
    const banco::Par aplicar = banco::alternando(
        3,
        [&] {
            const int n = r.numero ? r.numero : contarTodo(c, db, deposito, dia, ++vuelta);
            r.numero = 0;
            const recuentos::Aplicacion ap = recuentos::aplicar(c, n, QStringLiteral("banco"));
            if (ap.rechazo != recuentos::Rechazo::Ninguno)
                qFatal("count refused");
        },
        [&] {
            const int n = contarTodo(c, db, deposito, dia, ++vuelta);
            std::vector<std::pair<QString, double>> difs;
            banco::ejecutarDesnudo(db, QStringLiteral("BEGIN IMMEDIATE"));
            sqlite3_stmt *st = nullptr;
            const QByteArray sql = QStringLiteral("select a.numero,l.contado-coalesce(%1,0) from articulo a join "
                                                  "recuento_linea l on l.numero=a.numero and l.recuento=%2")
                                       .arg(libro)
                                       .arg(n)
                                       .toUtf8();
            sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
            while (sqlite3_step(st) == SQLITE_ROW)
                difs.emplace_back(QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0))),
                                  sqlite3_column_double(st, 1));
            sqlite3_finalize(st);
            const qint64 ultimo =
                c.execute(QStringLiteral("select max(comprobante) from movstk"))->field(0).text().toLongLong();
            for (const auto &[numero, d] : difs) {
                if (d == 0)
                    continue;
                banco::ejecutarDesnudo(
                    db, QStringLiteral("insert into movstk(comprobante,tipomov,fecha,numero,costo,detalle,impreso,"
                                       "deposito,Entrada,Salida,codigo) values ('%1','%2','%3','%4',1,'Ajuste',"
                                       "'N','%5',%6,%7,'0001')")
                            .arg(QStringLiteral("%1").arg(ultimo + (d > 0 ? 1 : 2), 8, 10, QLatin1Char('0')),
                                 d > 0 ? "EN" : "SA", diaIso, numero, deposito)
                            .arg(d > 0 ? d : 0)
                            .arg(d > 0 ? 0 : -d));
                banco::ejecutarDesnudo(
                    db, QStringLiteral("update articulo set stock=(select sum(entrada)-sum(salida) from movstk "
                                       "where numero='%1') where numero='%1'")
                            .arg(numero));
            }
            banco::ejecutarDesnudo(db, QStringLiteral("update recuento set estado='D' where numero=%1").arg(n));
            banco::ejecutarDesnudo(db, QStringLiteral("COMMIT"));
        });
    banco::imprimir("Aplicar el recuento de 10.000 artículos", aplicar,
                    "las diferencias leídas, un insert y el stock escrito por artículo, en una transacción");
    return 0;
}
