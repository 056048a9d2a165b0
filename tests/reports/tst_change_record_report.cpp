#include "change_record_report.h"
#include "form_driver.h"
#include "frm_registro.h"
#include "mprincipal.h"
#include "recordset.h"
#include "report.h"
#include "report_preview.h"
#include "stock_layouts.h"
#include "test_database.h"
#include "test_main.h"

#include <QLineEdit>

Q_DECLARE_METATYPE(FiltroRegistro)

namespace {

// Five changes over three days by two operators: on a server Ana's role, on a file Luis at his computer.
void llenarRegistro(const BaseDePrueba &base)
{
    base.ejecutar(
        "INSERT INTO registro_cambios(fecha, hora, rol, usuario, equipo, tipo, numero, comprobante, objeto, "
        "anterior, nuevo) VALUES "
        "('2026-03-01','09:00:00','ana','ana','caja1','linea-alta','000007','00000012',NULL,NULL,'cantidad: 3'),"
        "('2026-03-01','09:05:00',NULL,'luis','deposito','articulo-cambio','000007',NULL,NULL,'costo: 1',"
        "'costo: 2'),"
        "('2026-03-02','10:00:00','ana','ana','caja1','transferencia',NULL,'00000013',"
        "'Transferencia 4 (salida 00000013, entrada 00000014)',NULL,'de 01 a 02, 1 líneas'),"
        "('2026-03-03','11:00:00',NULL,'luis','deposito','familia-baja',NULL,NULL,'0002',"
        "'codigo: 0002; familia: Pinturas',NULL),"
        "('2026-03-03','11:30:00','ana','ana','caja1','un-tipo-nuevo','000008',NULL,NULL,NULL,'x')");
}

} // namespace

// "Registro de cambios": the rows of the days asked, narrowed by operator, article and voucher, oldest first.
class TestRegistroInforme : public QObject
{
    Q_OBJECT

private slots:
    void filas_data()
    {
        pruebas::columnas<FiltroRegistro, QStringList>("filtro", "filas");
        const QString r1 = "01-03-2026 09:00:00 ana (ana@caja1) Línea registrada 000007 00000012   cantidad: 3";
        const QString r2 = "01-03-2026 09:05:00 luis@deposito Artículo cambiado 000007   costo: 1 costo: 2";
        const QString r3 = "02-03-2026 10:00:00 ana (ana@caja1) Transferencia registrada  00000013 Transferencia 4 "
                           "(salida 00000013, entrada 00000014)  de 01 a 02, 1 líneas";
        const QString r4 =
            "03-03-2026 11:00:00 luis@deposito Familia eliminada   0002 codigo: 0002; familia: Pinturas ";
        const QString r5 = "03-03-2026 11:30:00 ana (ana@caja1) un-tipo-nuevo 000008    x";
        const QDate d1(2026, 3, 1), d2(2026, 3, 2), d3(2026, 3, 3);
        QTest::newRow("todo") << FiltroRegistro{d1, d3, {}, {}, {}} << QStringList{r1, r2, r3, r4, r5};
        QTest::newRow("un día") << FiltroRegistro{d2, d2, {}, {}, {}} << QStringList{r3};
        QTest::newRow("días sin cambios")
            << FiltroRegistro{QDate(2026, 4, 1), QDate(2026, 4, 30), {}, {}, {}} << QStringList{};
        QTest::newRow("operador por su rol") << FiltroRegistro{d1, d3, "an", {}, {}} << QStringList{r1, r3, r5};
        QTest::newRow("operador por su equipo") << FiltroRegistro{d1, d3, "DEPO", {}, {}} << QStringList{r2, r4};
        QTest::newRow("artículo") << FiltroRegistro{d1, d3, {}, "000007", {}} << QStringList{r1, r2};
        QTest::newRow("comprobante, también el de entrada de una transferencia")
            << FiltroRegistro{d1, d3, {}, {}, "00000014"} << QStringList{r3};
        QTest::newRow("una comilla no rompe la consulta") << FiltroRegistro{d1, d3, "O'B", {}, {}} << QStringList{};
    }
    void filas()
    {
        const auto [filtro, filas] = pruebas::fila<FiltroRegistro, QStringList>("filtro", "filas");
        BaseDePrueba base;
        llenarRegistro(base);
        // Each row ends with the empty style column.
        QStringList conEstilo;
        for (const QString &f : filas)
            conEstilo << f + ' ';
        QCOMPARE(filasComoTexto(*armarRegistro(filtro)), conEstilo);
    }

    // The window reads an article and a voucher as every window does, and shows the report in its preview.
    void ventana()
    {
        pruebas::FormularioDePrueba<FrmRegistroCambios> p(BaseDePrueba::Vacia, QDate(2026, 3, 3));
        llenarRegistro(p.base);
        p.mostrar();
        p.escribir("f_desde", "01032026");
        p.escribir("t_Articulo", "7");
        p.clic("b_Imprimir");
        QCOMPARE(p.texto("t_Articulo"), QStringLiteral("000007"));
        ReportPreview *vista = pruebas::vistaPrevia();
        QVERIFY2(vista, qPrintable(p.mensajes.textos().join(" / ")));
        QCOMPARE(vista->windowTitle(), QStringLiteral("Registro de cambios"));
        QCOMPARE(rptRegistro().dataSource()->rowCount(), 2);
        vista->close();
        p.escribir("t_Comprobante", "123456789");
        p.clic("b_Imprimir");
        QCOMPARE(p.mensajes.textos(), QStringList{"El número de comprobante debe tener hasta 8 dígitos"});
    }
};
QUENDRA_TEST(TestRegistroInforme)

#include "tst_change_record_report.moc"
