// The movement voucher form over 10,000 articles and 1,000,000 movements: a new
// voucher, loading a voucher of 200 lines, and posting one line with its grid
// reload, each against the bare SQL doing the same work on the same connection.
#include "bench_support.h"
#include "editable_grid.h"
#include "frm_movim.h"
#include "mprincipal.h"

#include <QApplication>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <cstdio>
#include <sqlite3.h>

namespace {

// Runs one statement and reads every row's columns as text.
void bare(sqlite3 *db, const QString &sql)
{
    sqlite3_stmt *st = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_prepare_v2(db, utf8.constData(), -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int i = 0; i < sqlite3_column_count(st); ++i)
            sqlite3_column_text(st, i);
    sqlite3_finalize(st);
}

void plan(sqlite3 *db, const char *what, const QString &sql)
{
    std::printf("  plan of %s:\n", what);
    sqlite3_stmt *st = nullptr;
    const QByteArray utf8 = (QStringLiteral("EXPLAIN QUERY PLAN ") + sql).toUtf8();
    sqlite3_prepare_v2(db, utf8.constData(), -1, &st, nullptr);
    while (sqlite3_step(st) == SQLITE_ROW)
        std::printf("    %s\n", reinterpret_cast<const char *>(sqlite3_column_text(st, 3)));
    sqlite3_finalize(st);
}

} // namespace

int main(int argc, char *argv[])
{
    banco::Programa programa(argc, argv);

    // Postings change the file: work on a copy, so the shared generated one stays as made.
    QTemporaryDir carpeta;
    const QString archivo = banco::copiaDeGenerada(carpeta, 10000, 1000000);
    if (archivo.isEmpty())
        return 1;
    mPrincipal::fijarArchivoBaseDatos(archivo);
    mPrincipal::conexion().open(archivo);
    mPrincipal::depositoDefecto = QStringLiteral("01");
    sqlite3 *db = mPrincipal::conexion().handle();

    // A voucher of 200 lines, numbered after the greatest stored one.
    const QString grande = mPrincipal::conexion()
                               .execute(QStringLiteral("select printf('%08d', max(comprobante) + 1) from movstk"))
                               ->field(0)
                               .text();
    mPrincipal::conexion().execute(
        QStringLiteral(
            "INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,detalle,impreso,deposito,Entrada,Salida,codigo) "
            "SELECT '%1','EN','2026-12-06',numero,costo,'Doscientas líneas','N','01',1,0,codigo "
            "FROM articulo ORDER BY numero LIMIT 200")
            .arg(grande));

    FrmMovim form;
    form.show();
    auto *comprobante = form.findChild<QLineEdit *>(QStringLiteral("t_Comprobante"));
    auto *numero = form.findChild<QLineEdit *>(QStringLiteral("t_numero"));
    auto *cantidad = form.findChild<QLineEdit *>(QStringLiteral("t_Cantidad"));
    auto *entrada = form.findChild<QRadioButton *>(QStringLiteral("op_Entra"));
    auto *grilla = form.findChild<EditableGrid *>(QStringLiteral("grilla"));

    const double nuevo = banco::medianaMs(21, [&] { form.nuevoComprobante(); });
    const double nuevoBase =
        banco::medianaMs(21, [&] { bare(db, QStringLiteral("select max(comprobante) as ultimo from movstk")); });

    const QString lineasGrande = QStringLiteral("select * from movstk where comprobante='%1'").arg(grande);
    const double cargar = banco::medianaMs(11, [&] {
        comprobante->setText(grande);
        form.cargarComprobante();
    });
    const int filas = grilla->CantidadFilas();
    const double cargarBase = banco::medianaMs(11, [&] { bare(db, lineasGrande); });

    // Entries of one article after another into a new voucher; each is timed
    // from b_Guardar to the grid showing the new line.
    form.nuevoComprobante();
    entrada->setChecked(true);
    const QString voucher = comprobante->text();
    int articulo = 5000;
    std::vector<double> tiempos;
    for (int i = 0; i < 51; ++i) {
        numero->setText(QString::number(++articulo));
        form.articuloPorNumero();
        cantidad->setText(QStringLiteral("3"));
        tiempos.push_back(banco::medianaMs(1, [&] { form.guardar(); }));
    }
    std::sort(tiempos.begin(), tiempos.end());
    const int lineasPosteadas = grilla->CantidadFilas();

    // The same statements through bare SQLite, in one transaction each.
    const double postearBase = banco::medianaMs(51, [&] {
        const QString n = QStringLiteral("%1").arg(++articulo, 6, 10, QLatin1Char('0'));
        const QString c = QStringLiteral("comprobante='%1' and numero='%2'").arg(voucher, n);
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        bare(db, QStringLiteral("select * from  movstk where ") + c);
        bare(db,
             QStringLiteral("INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,detalle,impreso,deposito,"
                            "Entrada,Salida,codigo) VALUES ('%1','EN','2026-12-06','%2',1.5,'','N','01',3,0,'0001')")
                 .arg(voucher, n));
        bare(db, QStringLiteral("select sum(entrada)-sum(salida) as stk from movstk where numero='%1'").arg(n));
        bare(db, QStringLiteral("update articulo set stock=12 where  numero='%1'").arg(n));
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        bare(db, QStringLiteral("select * from movstk where comprobante='%1'").arg(voucher));
    });

    // And through the program's data layer, which the form adds to.
    const double capa = banco::medianaMs(51, [&] {
        const QString n = QStringLiteral("%1").arg(++articulo, 6, 10, QLatin1Char('0'));
        const QString c = QStringLiteral("comprobante='%1' and numero='%2'").arg(voucher, n);
        Transaction t(mPrincipal::conexion());
        mPrincipal::abrirConsulta(QStringLiteral("select * from  movstk where ") + c);
        mPrincipal::conexion().execute(
            QStringLiteral(
                "INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,detalle,impreso,deposito,"
                "Entrada,Salida,codigo) VALUES ('%1','EN',#06-12-2026#,'%2','1.5','','N','01','3','0','0001')")
                .arg(voucher, n));
        mPrincipal::conexion().execute(
            QStringLiteral("select sum(entrada)-sum(salida) as stk from movstk where numero='%1'").arg(n));
        mPrincipal::conexion().execute(QStringLiteral("update articulo set stock=12 where  numero='%1'").arg(n));
        t.commit();
    });
    const double recargar = banco::medianaMs(21, [&] { form.MostrarGrilla(); });
    const double buscar = banco::medianaMs(21, [&] {
        numero->setText(QStringLiteral("4242"));
        form.articuloPorNumero();
    });

    std::printf("movstk: 1,000,000 generated rows + 200; articles: 10,000\n");
    banco::tiempoDeForma("new voucher: number shown, fields cleared (median of 21)", nuevo);
    banco::imprimir("  its query alone, bare: max(comprobante) via sqlite3", nuevoBase);
    banco::tiempoDeForma(
        qPrintable(QStringLiteral("load a voucher of %1 lines into the form (median of 11)").arg(filas)), cargar);
    banco::imprimir("  its lines' query alone, bare: every column read as text", cargarBase);
    banco::tiempoDeForma("post one line incl. grid reload (median of 51)", tiempos[tiempos.size() / 2]);
    banco::imprimir("  its statements through the data layer (median of 51)", capa, postearBase,
                    "existence test, insert, stock sum and stock update in one transaction, then the voucher's "
                    "lines read (the data layer side has no lines' read), sqlite3 API");
    banco::tiempoDeForma(
        qPrintable(QStringLiteral("  of which the grid reload of %1 lines (median of 21)").arg(lineasPosteadas)),
        recargar);
    banco::tiempoDeForma("article by number, leaving t_numero (median of 21)", buscar);
    std::printf("  slowest posting %.2f ms; the voucher ended with %d lines\n", tiempos.back(), lineasPosteadas);
    plan(db, "the next number", QStringLiteral("select max(comprobante) as ultimo from movstk"));
    plan(db, "the voucher's lines", lineasGrande);
    plan(db, "the existence test",
         QStringLiteral("select * from  movstk where comprobante='%1' and numero='005001'").arg(voucher));
    plan(db, "the stock sum",
         QStringLiteral("select sum(entrada)-sum(salida) as stk from movstk where numero='005001'"));
    plan(db, "the article by number",
         QStringLiteral("Select * from articulo where numero like '%5001%' order by numero='005001' desc, numero"));
    std::printf("memory: %.1f MiB, peak %.1f MiB\n", banco::memoriaMiB(), banco::memoriaPicoMiB());
    mPrincipal::conexion().close();
    return 0;
}
