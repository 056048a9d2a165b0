// The article form on 10,000 articles: opening it (grid filled and sized), the
// search by name, and the article list up to its first page painted in the
// preview, each against the bare SQL of the same query.
#include "bench_support.h"
#include "editable_grid.h"
#include "frm_articulo.h"
#include "mprincipal.h"
#include "report_page_view.h"
#include "report_pages.h"
#include "report_preview.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <cstdio>
#include <sqlite3.h>

namespace {

// Every row and column read as text, as a caller of the bare API would.
void leerConSqlite(const char *sql)
{
    sqlite3_stmt *st = nullptr;
    sqlite3_prepare_v2(mPrincipal::conexion().handle(), sql, -1, &st, nullptr);
    const int columnas = sqlite3_column_count(st);
    while (sqlite3_step(st) == SQLITE_ROW)
        for (int i = 0; i < columnas; ++i)
            sqlite3_column_text(st, i);
    sqlite3_finalize(st);
}

ReportPreview *vistaPrevia()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *v = qobject_cast<ReportPreview *>(w); v && v->isVisible())
            return v;
    return nullptr;
}

} // namespace

int main(int argc, char *argv[])
{
    banco::Programa programa(argc, argv);
    const QString archivo = banco::baseGenerada(10000, 1000000);
    mPrincipal::fijarArchivoBaseDatos(archivo);
    mPrincipal::conexion().open(archivo);
    const int articulos =
        mPrincipal::conexion().execute(QStringLiteral("select count(*) from articulo"))->field(0).value().toInt();
    std::printf("%d articles\n", articulos);

    // Opening: the form is built, loads the grid and is painted once.
    const double abrir = banco::medianaMs(5, [] {
        frmArticulo form;
        form.show();
        QApplication::processEvents();
    });
    const double abrirBase =
        banco::medianaMs(5, [] { leerConSqlite("select numero,nombre,costo,stock from articulo order by numero"); });
    banco::tiempoDeForma("open article form, grid filled+sized+painted, median 5", abrir);
    banco::imprimir("  its grid's query alone, bare: every column read as text", abrirBase);

    frmArticulo form;
    form.show();
    QApplication::processEvents();
    auto *nombre = form.findChild<QLineEdit *>(QStringLiteral("t_Nombre"));
    auto *consulta = form.findChild<QPushButton *>(QStringLiteral("Bt_Consulta"));
    for (const char *texto : {"cinta", ""}) {
        nombre->setText(QString::fromUtf8(texto));
        const double buscar = banco::medianaMs(5, [&] {
            consulta->click();
            QApplication::processEvents();
        });
        const QByteArray sql = QByteArray("select numero,nombre,costo,stock from articulo where nombre like '%") + texto
                               + "%' order by nombre";
        const double buscarBase = banco::medianaMs(5, [&] { leerConSqlite(sql.constData()); });
        const QByteArray que = QByteArray("search by name \"") + texto + "\" ("
                               + QByteArray::number(form.grilla()->CantidadFilas()) + " rows)";
        banco::tiempoDeForma(que.constData(), buscar);
        banco::imprimir("  its query alone, bare: every column read as text", buscarBase);
    }

    // The article list: from the click to its first page painted in the preview.
    auto *imprimir = form.findChild<QPushButton *>(QStringLiteral("B_Imprimir"));
    auto mostrarLista = [&] {
        imprimir->click();
        QApplication::processEvents();
        vistaPrevia()->pageView()->viewport()->grab();
    };
    const double listaBase = banco::medianaMs(5, [] { leerConSqlite("select * from articulo order by nombre"); });
    banco::tiempoDeForma("article list, 1st page shown, new preview window", banco::medianaMs(1, mostrarLista));
    banco::tiempoDeForma("article list, 1st page shown, open preview, median 5", banco::medianaMs(5, mostrarLista));
    banco::imprimir("  its query alone, bare: every column read as text", listaBase);
    if (ReportPreview *v = vistaPrevia())
        std::printf("article list: %d pages\n", v->pages()->pageCount());
    std::printf("memory: peak %.1f MiB\n", banco::memoriaPicoMiB());
    if (ReportPreview *v = vistaPrevia())
        v->close();
    return 0;
}
