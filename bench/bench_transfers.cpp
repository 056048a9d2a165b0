// A transfer of 200 lines between two storage places over 10,000 articles and
// 1,000,000 movements: the transfer operation (locks, the origin's stock and
// the article's stock per line, both vouchers, the stock written back) against
// the bare SQL doing the same reads and writes on the same connection.
#include "bench_support.h"
#include "connection.h"
#include "mprincipal.h"
#include "process_setup.h"
#include "transfer_operations.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    prepararProceso();

    // Postings change the file: work on a copy, so the shared generated one stays as made.
    QTemporaryDir carpeta;
    if (!banco::abrirCopiaDeGenerada(carpeta, 10000, 1000000))
        return 1;
    Connection &c = mPrincipal::conexion();
    sqlite3 *db = c.handle();

    // The two places with most movements; 200 articles given plenty in the first, so that every run passes.
    QStringList lugares;
    for (auto rs = c.execute(QStringLiteral("select deposito from movstk group by deposito order by count(*) desc "
                                            "limit 2"));
         !rs->eof(); rs->moveNext())
        lugares << rs->field(0).text();
    for (const QString &l : lugares)
        banco::ejecutarDesnudo(
            db, QStringLiteral("insert or ignore into deposito(codigo,nombre) values ('%1','Depósito %1')").arg(l));
    banco::ejecutarDesnudo(
        db, QStringLiteral("INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,detalle,impreso,deposito,"
                           "Entrada,Salida,codigo) SELECT printf('%08d',(select max(comprobante) from movstk)+1),"
                           "'EN','2026-01-02',numero,costo,'Reserva','S','%1',100000,0,codigo FROM articulo "
                           "ORDER BY numero LIMIT 200")
                .arg(lugares[0]));
    transferencias::Transferencia t;
    t.fecha = QDate(2026, 12, 6);
    t.origen = lugares[0];
    t.destino = lugares[1];
    t.detalle = QStringLiteral("Banco");
    for (auto rs = c.execute(QStringLiteral("select numero,codigo,costo from articulo order by numero limit 200"));
         !rs->eof(); rs->moveNext())
        t.lineas.append({rs->field(0).text(), rs->field(1).text(), 1, rs->field(2).value().toDouble()});

    std::printf("Transferencia de %lld líneas, %s a %s; carga: %s\n", qlonglong(t.lineas.size()),
                qUtf8Printable(t.origen), qUtf8Printable(t.destino), qUtf8Printable(banco::cargaDeLaMaquina()));
    int desnudas = 0;
    const banco::Par par = banco::alternando(
        9,
        [&] {
            if (transferencias::registrar(c, t).rechazo != transferencias::Rechazo::Ninguno)
                qFatal("transfer refused");
        },
        [&] {
            // The same reads and writes without locks, numbering or checks in between.
            ++desnudas;
            banco::ejecutarDesnudo(db, QStringLiteral("BEGIN IMMEDIATE"));
            sqlite3_stmt *st = nullptr;
            sqlite3_prepare_v2(db, "select max(comprobante) from movstk", -1, &st, nullptr);
            sqlite3_step(st);
            const qint64 ultimo = sqlite3_column_int64(st, 0);
            sqlite3_finalize(st);
            const QString salida = QStringLiteral("%1").arg(ultimo + 1, 8, 10, QLatin1Char('0')),
                          entrada = QStringLiteral("%1").arg(ultimo + 2, 8, 10, QLatin1Char('0'));
            for (const transferencias::Linea &l : t.lineas) {
                banco::ejecutarDesnudo(
                    db, QStringLiteral("select sum(case when fecha<='2026-12-06' then "
                                       "coalesce(Entrada,0)-coalesce(Salida,0) end),sum(coalesce(Entrada,0)-"
                                       "coalesce(Salida,0)) from movstk where numero='%1' and deposito='%2'")
                            .arg(l.numero, t.origen));
                banco::ejecutarDesnudo(
                    db, QStringLiteral("select sum(entrada)-sum(salida) from movstk where numero='%1'").arg(l.numero));
            }
            for (const bool entra : {false, true})
                for (const transferencias::Linea &l : t.lineas) {
                    banco::ejecutarDesnudo(
                        db, QStringLiteral("insert into movstk(comprobante,tipomov,fecha,numero,costo,detalle,"
                                           "impreso,deposito,Entrada,Salida,codigo) values ('%1','%2',"
                                           "'2026-12-06','%3',1,'Transferencia','N','%4',%5,%6,'%7')")
                                .arg(entra ? entrada : salida, entra ? "EN" : "SA", l.numero,
                                     entra ? t.destino : t.origen, entra ? "1" : "0", entra ? "0" : "1", l.codigo));
                    banco::ejecutarDesnudo(
                        db, QStringLiteral("update articulo set stock=(select sum(entrada)-sum(salida) from movstk "
                                           "where numero='%1') where numero='%1'")
                                .arg(l.numero));
                }
            banco::ejecutarDesnudo(
                db, QStringLiteral("insert into transferencia(numero,fecha,origen,destino,detalle,"
                                   "comprobante_salida,comprobante_entrada) values (%1,'2026-12-06','%2','%3','',"
                                   "'%4','%5')")
                        .arg(100000 + desnudas)
                        .arg(t.origen, t.destino, salida, entrada));
            banco::ejecutarDesnudo(db, QStringLiteral("COMMIT"));
        });
    banco::imprimir("Transferencia de 200 líneas", par,
                    "200 × (stock del origen + stock del artículo), 400 × (insert + stock escrito), la fila de la "
                    "transferencia, en una transacción");
    return 0;
}
