// The data layer against bare SQLite: single-row inserts through insertarRegistro
// in one transaction, and point look-ups through abrirConsulta.
#include "bench_support.h"
#include "database_file.h"
#include "mprincipal.h"
#include "process_setup.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace {

const QStringList columnas{"comprobante", "tipomov",  "fecha",   "numero", "costo", "detalle",
                           "impreso",     "deposito", "Entrada", "Salida", "codigo"};

QStringList valores(int i)
{
    return {QStringLiteral("%1").arg(i / 10 + 1, 8, 10, QLatin1Char('0')),
            "EN",
            "05-12-2026",
            QStringLiteral("%1").arg(i % 10000 + 1, 6, 10, QLatin1Char('0')),
            "12,5",
            "Compra",
            "N",
            "01",
            QString::number(i % 40 + 1),
            "0",
            "0003"};
}

// The same statement text the builder writes, in SQLite's own dialect.
QByteArray textoDesnudo(int i)
{
    const QStringList v = valores(i);
    return QStringLiteral(
               "INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,detalle,impreso,deposito,Entrada,"
               "Salida,codigo) VALUES ('%1','EN','2026-12-05','%2','12.5','Compra','N','01','%3','0','0003')")
        .arg(v[0], v[3], v[8])
        .toUtf8();
}

void ejecutarDesnudo(sqlite3 *db, const QByteArray &sql, bool leerFilas)
{
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
        if (leerFilas)
            for (int c = 0; c < sqlite3_column_count(st); ++c)
                sqlite3_column_text(st, c);
    sqlite3_finalize(st);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    prepararProceso();
    QTemporaryDir dir;
    const int inserciones = 100000, consultas = 10000, veces = 5;
    std::printf("Capa de datos frente a SQLite desnudo (mediana de %d corridas)\n", veces);

    int corrida = 0;
    auto nuevaBase = [&] {
        QString archivo = dir.filePath(QStringLiteral("b%1.accdb").arg(++corrida));
        archivoBase::crear(archivo);
        return archivo;
    };
    double capa = banco::medianaMs(veces, [&] {
        mPrincipal::conexion().open(nuevaBase());
        Transaction t(mPrincipal::conexion());
        for (int i = 0; i < inserciones; ++i)
            mPrincipal::insertarRegistro("movstk", columnas, valores(i));
        t.commit();
        mPrincipal::conexion().close();
    });
    double desnudo = banco::medianaMs(veces, [&] {
        sqlite3 *db = nullptr;
        sqlite3_open_v2(nuevaBase().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; BEGIN", nullptr, nullptr, nullptr);
        for (int i = 0; i < inserciones; ++i)
            ejecutarDesnudo(db, textoDesnudo(i), false);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close_v2(db);
    });
    banco::imprimir("100,000 inserciones con insertarRegistro (1 transacción)", capa, desnudo,
                    "the same INSERT texts, dates already ISO, prepared and stepped on a new file, one transaction");

    const QString grande = banco::baseGenerada(10000, 1000000);
    mPrincipal::conexion().open(grande);
    auto consulta = [](int i) {
        return QStringLiteral("select * from articulo where numero='%1'")
            .arg(i * 7 % 10000 + 1, 6, 10, QLatin1Char('0'));
    };
    capa = banco::medianaMs(veces, [&] {
        for (int i = 0; i < consultas; ++i)
            mPrincipal::abrirConsulta(consulta(i));
    });
    sqlite3 *db = mPrincipal::conexion().handle();
    desnudo = banco::medianaMs(veces, [&] {
        for (int i = 0; i < consultas; ++i)
            ejecutarDesnudo(db, consulta(i).toUtf8(), true);
    });
    banco::imprimir("10,000 búsquedas puntuales con abrirConsulta", capa, desnudo,
                    "the same queries on the same connection through the sqlite3 API, every column read");
    std::printf("memoria pico: %.1f MiB\n", banco::memoriaPicoMiB());
    return 0;
}
