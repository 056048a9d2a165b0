#include "database_check.h"
#include "form_driver.h"
#include "frm_transferencia.h"
#include "lista_depositos.h"
#include "mprincipal.h"
#include "numbers.h"
#include "recordset.h"
#include "remito_layout.h"
#include "report.h"
#include "report_pages.h"
#include "report_pdf.h"
#include "report_preview.h"
#include "test_main.h"

#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTableWidget>

namespace {

// The transfer window over a fresh database, on 06-12-2026. Place 01 holds 10 of 000001 "Tuerca" and 5 of
// 000002 "Arandela"; place 02 "Trastienda" holds 50 of 000001.
struct TransferenciaDePrueba : pruebas::FormularioDePrueba<FrmTransferencia>
{
    TransferenciaDePrueba() : FormularioDePrueba(BaseDePrueba::Vacia, QDate(2026, 12, 6))
    {
        mPrincipal::depositoDefecto = QStringLiteral("01");
        base.ejecutar("INSERT INTO deposito(codigo, nombre) VALUES ('02', 'Trastienda')");
        base.ejecutar("INSERT INTO articulo(numero,codigo,nombre,costo,stock) VALUES ('000001','0001','Tuerca',1.5,60),"
                      "('000002','0001','Arandela',2,5)");
        base.ejecutar("INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,detalle,impreso,deposito,Entrada,"
                      "Salida,codigo) VALUES ('00000001','EN','2026-12-01','000001',1.5,'','N','01',10,0,'0001'),"
                      "('00000001','EN','2026-12-01','000002',2,'','N','01',5,0,'0001'),"
                      "('00000002','EN','2026-12-01','000001',1.5,'','N','02',50,0,'0001')");
        mostrar();
    }
    // Each "numero cantidad" typed and added.
    void agregar(const QStringList &lineas)
    {
        for (const QString &l : lineas) {
            escribirYSalir("t_numero", l.section(' ', 0, 0));
            escribir("t_Cantidad", l.section(' ', 1));
            clic("b_Agregar");
        }
    }
    QStringList grilla() const
    {
        auto *g = control<QTableWidget>("grilla");
        QStringList filas;
        for (int f = 0; f < g->rowCount(); ++f) {
            QStringList celdas;
            for (int c = 0; c < g->columnCount(); ++c)
                celdas << g->item(f, c)->text();
            filas << celdas.join(' ');
        }
        return filas;
    }
    QString estado() const { return control<QLabel>("l_Estado")->text(); }
    QString movimientos() const
    {
        return base
            .filas("select comprobante, tipomov, deposito, numero, Entrada+Salida, impreso from movstk "
                   "where comprobante>'00000002' order by comprobante, numero")
            .join(", ");
    }
};

} // namespace

// The transfer window driven through its controls, on the file and on the server.
class TestFrmTransferencia : public QObject
{
    Q_OBJECT

private slots:
    // Lines typed ("numero cantidad"), then the grid, the totals and the messages.
    void lineas_data()
    {
        pruebas::columnas<QStringList, QStringList, QString, QStringList>("lineas", "grilla", "totales", "mensajes");
        QTest::newRow("dos artículos, cantidad con coma")
            << QStringList{"1 4", "2 2,5"} << QStringList{"000001 Tuerca 4 1.5 6", "000002 Arandela 2.5 2 5"}
            << "Líneas: 2   Cantidad total: 6.5   Importe total: 11" << QStringList{};
        QTest::newRow("el stock de otro depósito no cuenta")
            << QStringList{"1 11"} << QStringList{} << "Líneas: 0   Cantidad total: 0   Importe total: 0"
            << QStringList{"Atención|error|El depósito 01 «Depósito 01» tiene 10 del artículo 000001 Tuerca al "
                           "06-12-2026: no puede enviar 11"};
        QTest::newRow("el mismo artículo otra vez: su línea cambia")
            << QStringList{"1 4", "1 10"} << QStringList{"000001 Tuerca 10 1.5 15"}
            << "Líneas: 1   Cantidad total: 10   Importe total: 15" << QStringList{};
        QTest::newRow("cantidad cero") << QStringList{"1 0"} << QStringList{}
                                       << "Líneas: 0   Cantidad total: 0   Importe total: 0"
                                       << QStringList{"Quendra|info|Cantidad incorrecta: 0"};
        QTest::newRow("artículo inexistente")
            << QStringList{"9 1"} << QStringList{} << "Líneas: 0   Cantidad total: 0   Importe total: 0"
            << QStringList{"Quendra|info|Articulo incorrecto", "Quendra|info|Falta ingresar el artículo"};
    }
    void lineas()
    {
        const auto [lineas] = pruebas::fila<QStringList>("lineas");
        TransferenciaDePrueba p;
        p.agregar(lineas);
        QTEST(p.grilla(), "grilla");
        QTEST(p.control<QLabel>("l_Totales")->text(), "totales");
        QTEST(p.mensajes.cajas(), "mensajes");
    }

    // Saved, loaded again, changed, printed; a printed transfer is read-only and cannot be deleted.
    void guardarCambiarImprimir()
    {
        TransferenciaDePrueba p;
        QSignalSpy cambios(p.form.get(), &FrmTransferencia::stockCambiado);
        p.escribir("t_detalle", "Para el salón");
        p.agregar({"1 4", "2 5"});
        p.clic("b_Guardar");
        QCOMPARE(cambios.count(), 1);
        QCOMPARE(p.mensajes.textos(), QStringList{"Se guardó la transferencia 1: salida 00000003 de 01, entrada "
                                                  "00000004 en 02"});
        QCOMPARE(p.movimientos(), QStringLiteral("00000003 SA 01 000001 4 N, 00000003 SA 01 000002 5 N, "
                                                 "00000004 EN 02 000001 4 N, 00000004 EN 02 000002 5 N"));
        p.clic("b_Nueva");
        QCOMPARE(p.grilla(), QStringList());
        p.escribir("t_Transferencia", "1");
        p.clic("b_Cargar");
        QCOMPARE(p.estado(), QStringLiteral("Transferencia 1: comprobantes 00000003 (salida de 01) y 00000004 (entrada "
                                            "en 02)"));
        // Its own exit is given back: all 10 of 000001 may leave now.
        p.agregar({"1 10"});
        p.control<QTableWidget>("grilla")->setCurrentCell(1, 0);
        p.clic("b_Quitar");
        p.clic("b_Guardar");
        QCOMPARE(p.movimientos(), QStringLiteral("00000003 SA 01 000001 10 N, 00000004 EN 02 000001 10 N"));
        QCOMPARE(cambios.count(), 2);
        QCOMPARE(p.valor("select stock from articulo where numero='000002'"), QStringLiteral("5"));
        p.clic("B_Imprimir");
        QCOMPARE(p.movimientos(), QStringLiteral("00000003 SA 01 000001 10 S, 00000004 EN 02 000001 10 S"));
        QVERIFY(pruebas::vistaPrevia());
        pruebas::vistaPrevia()->close();
        for (const char *nombre : {"b_Guardar", "b_Eliminar", "b_Agregar", "t_numero", "cbo_Origen"})
            QVERIFY2(!p.activo(nombre), nombre);
        QVERIFY(p.estado().endsWith(". Impresa: no se puede cambiar ni eliminar"));
        QCOMPARE(datos::comprobar(p.base.archivo()), QStringList());
    }

    // Deleting asks first; No leaves it, Yes removes both vouchers and gives the stock back.
    void eliminar()
    {
        TransferenciaDePrueba p;
        p.agregar({"1 4"});
        p.clic("b_Guardar");
        p.mensajes.limpiar();
        p.mensajes.responder(QMessageBox::No);
        QSignalSpy cambios(p.form.get(), &FrmTransferencia::stockCambiado);
        p.clic("b_Eliminar");
        QCOMPARE(p.valor("select count(*) from transferencia"), QStringLiteral("1"));
        QCOMPARE(cambios.count(), 0);
        p.clic("b_Eliminar");
        QCOMPARE(cambios.count(), 1);
        QCOMPARE(p.mensajes.textos(),
                 QStringList(2, QStringLiteral("¿Elimina la transferencia 1 con sus dos comprobantes?")));
        QCOMPARE(p.movimientos(), QString());
        QCOMPARE(p.valor("select count(*) from transferencia"), QStringLiteral("0"));
        QCOMPARE(p.estado(), QStringLiteral("Transferencia nueva"));
        QCOMPARE(datos::comprobar(p.base.archivo()), QStringList());
    }

    // What saving refuses before anything is written.
    void rechazos_data()
    {
        pruebas::columnas<QString, QString>("destino", "mensaje");
        QTest::newRow("mismo depósito") << "01"
                                        << "El depósito de origen y el de destino deben ser distintos";
        QTest::newRow("sin líneas") << ""
                                    << "Falta ingresar los artículos de la transferencia";
    }
    void rechazos()
    {
        QFETCH(QString, destino);
        TransferenciaDePrueba p;
        if (!destino.isEmpty()) {
            p.agregar({"1 1"});
            pruebas::elegirEnLista(p.control<ListaDepositos>("cbo_Destino"), destino);
        }
        QSignalSpy cambios(p.form.get(), &FrmTransferencia::stockCambiado);
        p.clic("b_Guardar");
        QTEST(p.mensajes.textos().join('\n'), "mensaje");
        QCOMPARE(p.movimientos(), QString());
        QCOMPARE(cambios.count(), 0);
    }

    // The note: both places by name, the lines with their amounts, the totals and the two signatures.
    void remito()
    {
        TransferenciaDePrueba p;
        p.agregar({"2 2,5", "1 4"});
        p.clic("b_Guardar");
        p.clic("B_Imprimir");
        pruebas::vistaPrevia()->close();
        Report &r = rptRemito();
        QCOMPARE(filasComoTexto(*r.dataSource()), QStringList({"000001 Tuerca 4 1.5 6", "000002 Arandela 2.5 2 5"}));
        QStringList cabeza;
        for (const char *c : {"tNumero", "tFecha", "tOrigen", "tDestino", "tComprobantes"})
            cabeza << r.section("EncabezadoPagina").control(c).caption();
        QCOMPARE(cabeza,
                 QStringList({"Transferencia N° 1", "Fecha: 06-12-2026", "Origen: 01 Depósito 01",
                              "Destino: 02 Trastienda", "Comprobantes: 00000003 (salida) y 00000004 (entrada)"}));
        ReportSection &pie = r.section("PieInforme");
        QCOMPARE(QStringList({pie.control("tTotalCantidad").caption(), pie.control("tTotalImporte").caption(),
                              pie.control("Etiqueta6").caption(), pie.control("Etiqueta7").caption()}),
                 QStringList({"6.5", "11", "Entregó", "Recibió"}));
        QCOMPARE(r.pages()->pageCount(), 1);
        if (!pruebas::hayPdftotext())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QTemporaryDir carpeta;
        const QString pdf = carpeta.filePath(QStringLiteral("remito.pdf"));
        QVERIFY(writeReportPdf(*r.pages(), pdf));
        const QString texto = pruebas::paginasPdf(pdf).join('\f');
        for (const char *e : {"Remito de transferencia", "Transferencia N° 1 +Fecha: 06-12-2026",
                              "Origen: 01 Depósito 01 +Destino: 02 Trastienda", "000001 +Tuerca +4 +1.5 +6\n",
                              "000002 +Arandela +2.5 +2 +5\n", "Totales +6.5 +11\n", "Entregó +Recibió"})
            QVERIFY2(texto.contains(QRegularExpression(QString::fromUtf8(e))), qPrintable(e + ("\n" + texto)));
    }
};

QUENDRA_TEST(TestFrmTransferencia)
#include "tst_frm_transferencia.moc"
