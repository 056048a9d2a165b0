// The stock chart of one article with 2,000 movements in a database of 10,000
// articles and 1,000,000 movements: the history read and the chart drawn into
// an image offscreen, against the history's statements read through the bare
// sqlite3 API. The reading and the drawing are also timed apart.
// Usage: bench_stock_chart

#include "bench_support.h"
#include "mprincipal.h"
#include "stock_chart.h"
#include "stock_history.h"

#include <cstdio>

namespace {

constexpr int rondas = 9;
const QString articulo = QStringLiteral("000042");
const QDate desde(2026, 1, 1), hasta(2026, 12, 31);

const char *const ladoDesnudo = "the history's four statements through the sqlite3 API, every column of every row "
                                "read, nothing kept";

} // namespace

int main(int argc, char *argv[])
{
    banco::Programa programa(argc, argv);
    QTemporaryDir carpeta;
    const QString archivo = banco::copiaDeGenerada(carpeta, 10000, 1000000);
    if (archivo.isEmpty())
        return 1;
    mPrincipal::fijarArchivoBaseDatos(archivo);
    mPrincipal::conexion().open(archivo);
    // The article's own movements made up to 2,000, spread over the year and the three places.
    Connection &c = mPrincipal::conexion();
    c.execute(QStringLiteral("delete from movstk where numero='") + articulo + QLatin1Char('\''));
    c.execute(QStringLiteral("BEGIN"));
    for (int i = 0; i < 2000; ++i)
        c.execute(QStringLiteral("insert into movstk(comprobante,tipomov,fecha,numero,costo,impreso,deposito,Entrada,"
                                 "Salida,codigo) values ('B%1','%2',#%3#,'%4',1,'N','0%5',%6,%7,'0001')")
                      .arg(i, 7, 10, QLatin1Char('0'))
                      .arg(i % 5 < 3 ? "EN" : "SA")
                      .arg(desde.addDays(i * 365 / 2000).toString(QStringLiteral("dd-MM-yyyy")))
                      .arg(articulo)
                      .arg(1 + i % 3)
                      .arg(i % 5 < 3 ? 7.5 : 0)
                      .arg(i % 5 < 3 ? 0 : 9.25));
    c.execute(QStringLiteral("COMMIT"));
    c.execute(QStringLiteral("insert into minimo(numero, deposito, minimo) values ('") + articulo
              + QStringLiteral("', '', 100), ('") + articulo + QStringLiteral("', '02', 30)"));
    std::printf("10000 articles, 1000000 movements, article %s with %s movements, load %s\n", qUtf8Printable(articulo),
                qUtf8Printable(c.execute(QStringLiteral("select count(*) from movstk where numero='") + articulo
                                         + QLatin1Char('\''))
                                   ->field(0)
                                   .text()),
                qUtf8Printable(banco::cargaDeLaMaquina()));

    std::vector<QByteArray> sql;
    for (const QString &s : historiaStock::sentencias(articulo, desde, hasta))
        sql.push_back(c.dialect().traducir(s).toUtf8());
    const auto desnudo = [&] {
        for (const QByteArray &s : sql)
            banco::leerDesnudo(archivo, s);
    };
    desnudo(); // warms the file cache

    GraficoStock grafico;
    grafico.resize(1200, 700);
    QImage imagen;
    const banco::Par todo = banco::alternando(
        rondas,
        [&] {
            grafico.mostrar(historiaStock::leer(c, articulo, desde, hasta, historiaStock::Periodo::Semana), desde,
                            hasta, articulo);
            imagen = grafico.imagen(grafico.size());
        },
        desnudo);
    banco::imprimir("stock chart: history read, chart drawn into an image (median of 9)", todo, ladoDesnudo);

    historiaStock::Historia h;
    const banco::Par lectura = banco::alternando(
        rondas, [&] { h = historiaStock::leer(c, articulo, desde, hasta, historiaStock::Periodo::Semana); }, desnudo);
    banco::imprimir("history read alone (median of 9)", lectura, ladoDesnudo);
    banco::cifra("points on the total line", double(h.total.puntos.size()), "");
    banco::tiempoDeForma("chart drawn into an image alone (median of 9)", banco::medianaMs(rondas, [&] {
                             grafico.mostrar(h, desde, hasta, articulo);
                             imagen = grafico.imagen(grafico.size());
                         }));
    mPrincipal::conexion().close();
    return imagen.isNull() ? 1 : 0;
}
