#include "database_check.h"
#include "connection.h"
#include "numbers.h"
#include "quendra_error.h"

#include "sqlite_handles.h"

namespace datos {

namespace {

// Every article whose stock on hand differs from the sum of its movements.
const char *const stockContraMovimientos =
    "SELECT a.numero, coalesce(a.stock, 0), coalesce(s.total, 0) FROM articulo a "
    "LEFT JOIN (SELECT numero, sum(Entrada) - sum(Salida) AS total FROM movstk GROUP BY numero) s "
    "ON s.numero = a.numero WHERE abs(coalesce(a.stock, 0) - coalesce(s.total, 0)) > 0.00005 "
    "ORDER BY a.numero";

QString diferencia(const QString &numero, double stock, double total)
{
    return QStringLiteral("Artículo %1: stock %2, movimientos %3")
        .arg(numero, numeros::numeral(stock), numeros::numeral15(total));
}

// A server keeps its own integrity: only the stock is checked there.
QStringList comprobarServidor(const QString &direccion)
{
    QStringList problemas;
    try {
        Connection c;
        c.open(direccion);
        auto rs = c.execute(QLatin1String(stockContraMovimientos));
        for (; !rs->eof(); rs->moveNext())
            problemas << diferencia(rs->field(0).text(), rs->field(1).value().toDouble(),
                                    rs->field(2).value().toDouble());
    } catch (const QuendraError &e) {
        problemas << e.texto();
    }
    return problemas;
}

} // namespace

QStringList comprobar(const QString &archivo)
{
    if (esDireccionServidor(archivo))
        return comprobarServidor(archivo);
    QStringList problemas;
    BaseSqlite db;
    if (sqlite3_open_v2(archivo.toUtf8().constData(), db.destino(), SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return {QStringLiteral("No se pudo abrir %1: %2").arg(archivo, QString::fromUtf8(sqlite3_errmsg(db.get())))};
    auto consultar = [&](const char *sql, auto &&porFila) {
        SentenciaSqlite st;
        if (sqlite3_prepare_v2(db.get(), sql, -1, st.destino(), nullptr) != SQLITE_OK) {
            problemas << QString::fromUtf8(sqlite3_errmsg(db.get()));
            return;
        }
        int rc;
        while ((rc = sqlite3_step(st.get())) == SQLITE_ROW)
            porFila(st.get());
        if (rc != SQLITE_DONE)
            problemas << QString::fromUtf8(sqlite3_errmsg(db.get()));
    };
    auto texto = [](sqlite3_stmt *st, int i) {
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, i)));
    };
    consultar("PRAGMA integrity_check", [&](sqlite3_stmt *st) {
        if (texto(st, 0) != QLatin1String("ok"))
            problemas << QStringLiteral("Integridad: %1").arg(texto(st, 0));
    });
    if (problemas.isEmpty())
        consultar(stockContraMovimientos, [&](sqlite3_stmt *st) {
            problemas << diferencia(texto(st, 0), sqlite3_column_double(st, 1), sqlite3_column_double(st, 2));
        });
    return problemas;
}

QString descripcionVersion(const QString &lugar)
{
    try {
        Connection c;
        c.open(lugar);
        return QStringLiteral("Versión %1 de la base de datos").arg(c.versionEsquema());
    } catch (const QuendraError &e) {
        // A newer program's database is named as such; any other failure, comprobar tells.
        return e.numero() == QuendraError::BaseMasNueva ? e.texto() : QString();
    }
}

} // namespace datos
