// The program on a PostgreSQL server, over a shop of 10,000 articles and
// 1,000,000 movements: quendra-db copy of the shop's file onto the server,
// assembling the full-year movement report, and posting one voucher line with
// its grid reload, each against bare libpq doing the same work in the same run.
// The server is a private one on this machine, started for the run (fsync off).
// Usage: bench/with_server.sh build/bench/bench_server [runs]   (5 when not given)

#include "bench_support.h"
#include "connection.h"
#include "editable_grid.h"
#include "frm_movim.h"
#include "movement_report.h"
#include "movim_sql.h"
#include "mprincipal.h"
#include "quendra_error.h"
#include "recordset.h"
#include "stock_sql.h"

#include <QLineEdit>
#include <QRadioButton>
#include <cstdio>
#include <functional>
#include <libpq-fe.h>
#include <stdexcept>

namespace {

const FiltroMovimientos anio = banco::anioCompleto();

const char *const tablas[] = {"familia", "articulo", "movstk"};

// Wall time, with the processor time of this process kept in `cpu`: the
// server's share is left out, and so is waiting for a processor on a shared machine.
double cpuDe(std::vector<double> &cpu, const std::function<void()> &f)
{
    const banco::Tiempo t = banco::medir(f);
    cpu.push_back(t.cpu);
    return t.pared;
}

struct Par
{
    std::vector<double> programa, desnudo;
    void imprimir(const char *que, const char *ladoDesnudo) const
    {
        banco::imprimir(que, banco::mediana(programa), banco::mediana(desnudo), ladoDesnudo);
    }
};

// quendra-db copy onto fresh tables, against the server taking the same rows by
// COPY from memory: the share of the copy that is the server's own.
QString medirCopia(const QString &archivo, int rondas)
{
    QString direccion;
    Par copia;
    std::vector<std::string> datos;
    for (int i = 0; i < rondas; ++i) {
        direccion = banco::baseEnServidor(QStringLiteral("quendra_bench"));
        QString salida;
        copia.programa.push_back(banco::medianaMs(1, [&] {
            salida = banco::quendraDb({QStringLiteral("copy"), archivo, direccion});
        }));
        if (i == 0) {
            std::printf("%s", qUtf8Printable(salida));
            banco::Pg pg(direccion);
            for (const char *t : tablas)
                datos.push_back(pg.copiarFuera(t));
        }
        const QString otra = banco::baseEnServidor(QStringLiteral("quendra_bench_desnuda"));
        banco::Pg pg(otra);
        copia.desnudo.push_back(banco::medianaMs(1, [&] {
            pg.correr("BEGIN");
            for (size_t t = 0; t < datos.size(); ++t)
                pg.copiarDentro(tablas[t], datos[t]);
            pg.correr("COMMIT");
        }));
    }
    copia.imprimir(qPrintable(QStringLiteral("quendra-db copy of the file (median of %1)").arg(rondas)),
                   "the three tables' rows, already in COPY's text form in memory, sent by COPY FROM STDIN "
                   "into empty tables with the same indexes, in one transaction, libpq");
    return direccion;
}

std::unique_ptr<Recordset> armar()
{
    auto articulos = mPrincipal::abrirConsulta(sentenciasMovimientos::seleccionArticulos(anio));
    return armarInformeMovimientos(*articulos, anio);
}

// The statements the report runs, as the server receives them: the article
// selection, then both statements of every article.
std::vector<QByteArray> sentenciasDelInforme()
{
    const SqlDialect &dialecto = mPrincipal::conexion().dialect();
    const QString seleccion = sentenciasMovimientos::seleccionArticulos(anio);
    std::vector<QByteArray> textos{dialecto.traducir(seleccion).toUtf8()};
    const sentenciasMovimientos::PorArticulo porArticulo(anio);
    auto articulos = mPrincipal::abrirConsulta(seleccion);
    for (; !articulos->eof(); articulos->moveNext()) {
        const QString numero = articulos->field(QStringLiteral("numero")).text();
        textos.push_back(dialecto.traducir(porArticulo.saldoInicial(numero)).toUtf8());
        textos.push_back(dialecto.traducir(porArticulo.movimientos(numero)).toUtf8());
    }
    return textos;
}

void medirInforme(const QString &direccion, int rondas)
{
    const std::vector<QByteArray> textos = sentenciasDelInforme();
    banco::Pg pg(direccion);
    qint64 leidas = 0;
    for (const QByteArray &t : textos) // also warms the server's cache
        leidas += pg.correr(t);
    Par informe, cpu;
    qsizetype filasInforme = 0;
    for (int i = 0; i < rondas; ++i) {
        std::unique_ptr<Recordset> filas; // freed outside the timing
        informe.programa.push_back(cpuDe(cpu.programa, [&] { filas = armar(); }));
        filasInforme = filas->rowCount();
        filas.reset();
        informe.desnudo.push_back(cpuDe(cpu.desnudo, [&] {
            for (const QByteArray &t : textos)
                pg.correr(t);
        }));
    }
    banco::cifra("statements of the report", double(textos.size()), "");
    banco::cifra("rows they give", double(leidas), "");
    banco::cifra("report rows", double(filasInforme), "");
    informe.imprimir(qPrintable(QStringLiteral("assemble the full-year report (median of %1)").arg(rondas)),
                     "the same statements as the server receives them, one PQexec each, every value of every "
                     "row touched, nothing kept, libpq");
    cpu.imprimir("  the same in processor time of this process", "the same bare statements");
}

void medirPosteo(int rondas)
{
    mPrincipal::depositoDefecto = QStringLiteral("01");
    FrmMovim form;
    form.show();
    auto *numero = form.findChild<QLineEdit *>(QStringLiteral("t_numero"));
    auto *cantidad = form.findChild<QLineEdit *>(QStringLiteral("t_Cantidad"));
    auto *comprobante = form.findChild<QLineEdit *>(QStringLiteral("t_Comprobante"));
    form.nuevoComprobante();
    form.findChild<QRadioButton *>(QStringLiteral("op_Entra"))->setChecked(true);
    const QString voucher = comprobante->text();
    const int veces = 10 * rondas + 1;
    const QString recarga = sqlStock::lineasDelComprobante(voucher);

    // The posting's statements as the server receives them, through bare libpq.
    const SqlDialect &dialecto = mPrincipal::conexion().dialect();
    auto servidor = [&](const QString &sql) { return dialecto.traducir(sql).toUtf8(); };
    banco::Pg pg(mPrincipal::conexion().archivo());
    auto postearDesnudo = [&](int articulo) {
        const QString n = QStringLiteral("%1").arg(articulo, 6, 10, QLatin1Char('0'));
        pg.correr("BEGIN");
        pg.correr(servidor(sqlStock::lineaExistente(sqlStock::condicionLinea(voucher, n))));
        pg.correr(servidor(QStringLiteral("INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,detalle,impreso,"
                                          "deposito,Entrada,Salida,codigo) VALUES ('%1','EN',#06-12-2026#,'%2',1.5,"
                                          "'','N','01',3,0,'0001')")
                               .arg(voucher, n)));
        pg.correr(servidor(sqlStock::suma(n)));
        pg.correr(servidor(sqlStock::actualizarStock(n, QStringLiteral("12"))));
        pg.correr("COMMIT");
        pg.correr(servidor(recarga));
    };

    // One line through the form, then one through bare libpq, so that both meet
    // the same machine and the same growing voucher.
    Par posteo;
    for (int i = 0; i < veces; ++i) {
        numero->setText(QString::number(5001 + i));
        form.articuloPorNumero();
        cantidad->setText(QStringLiteral("3"));
        posteo.programa.push_back(banco::medianaMs(1, [&] { form.guardar(); }));
        posteo.desnudo.push_back(banco::medianaMs(1, [&] { postearDesnudo(7001 + i); }));
    }
    const int lineas = form.findChild<EditableGrid *>(QStringLiteral("grilla"))->CantidadFilas();
    const double recargar = banco::medianaMs(veces, [&] { form.MostrarGrilla(); });
    posteo.imprimir(qPrintable(QStringLiteral("post one line incl. grid reload (median of %1)").arg(veces)),
                    "existence test, insert, stock sum and stock update in one transaction, then the voucher's "
                    "lines read, libpq");
    banco::tiempoDeForma(qPrintable(QStringLiteral("  of which the grid reload of %1 lines").arg(lineas)), recargar);
    std::printf("  slowest posting %.2f ms\n", *std::max_element(posteo.programa.begin(), posteo.programa.end()));
}

} // namespace

int main(int argc, char *argv[])
{
    banco::Programa programa(argc, argv);
    const int rondas = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    try {
        const QString archivo = banco::baseGenerada(10000, 1000000);
        std::printf("load before: %s", qUtf8Printable(banco::cargaDeLaMaquina()));
        const QString direccion = medirCopia(archivo, rondas);
        mPrincipal::fijarArchivoBaseDatos(direccion);
        mPrincipal::conexion().open(direccion);
        medirInforme(direccion, rondas);
        medirPosteo(rondas);
        mPrincipal::conexion().close();
        std::printf("load after: %s", qUtf8Printable(banco::cargaDeLaMaquina()));
    } catch (const QuendraError &e) {
        std::fprintf(stderr, "%s\n", qUtf8Printable(e.texto()));
        return 1;
    } catch (const std::exception &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
