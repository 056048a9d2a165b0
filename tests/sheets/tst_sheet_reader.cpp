// Reading sheets of every format into the same rows.
#include "quendra_error.h"
#include "sheet_reader.h"
#include "test_main.h"

#include <QFile>
#include <QTemporaryDir>
#include <xlsxwriter.h>

namespace {

// Each row as "number: cell|cell|...", each cell as its type's letter and what the operator sees.
QStringList volcado(const QString &archivo, const QString &hoja = QString())
{
    QStringList filas;
    hojas::leer(archivo, hoja, [&](const hojas::Fila &f) {
        QStringList celdas;
        for (const hojas::Celda &c : f.celdas) {
            static const char letras[] = "-TNBF";
            celdas << QLatin1Char(letras[int(c.tipo)]) + c.comoTexto();
        }
        filas << QString::number(f.numero) + QStringLiteral(": ") + celdas.join(QLatin1Char('|'));
        return true;
    });
    return filas;
}

QString fijo(const QString &nombre)
{
    return QStringLiteral(QUENDRA_FIXTURES "/") + nombre;
}

// A workbook written by libxlsxwriter; with constant memory its strings are inline, otherwise shared.
QString libroXlsx(const QTemporaryDir &dir, bool enLinea)
{
    const QString nombre = dir.filePath(enLinea ? QStringLiteral("enlinea.xlsx") : QStringLiteral("compartidas.xlsx"));
    lxw_workbook_options opciones{};
    opciones.constant_memory = enLinea ? LXW_TRUE : LXW_FALSE;
    lxw_workbook *libro = workbook_new_opt(nombre.toUtf8().constData(), &opciones);
    workbook_add_worksheet(libro, "Primera");
    lxw_worksheet *hoja = workbook_add_worksheet(libro, "Artículos");
    lxw_format *incorporado = workbook_add_format(libro);
    format_set_num_format_index(incorporado, 14);
    lxw_format *propio = workbook_add_format(libro);
    format_set_num_format(propio, "dd/mm/yyyy;@");
    lxw_format *moneda = workbook_add_format(libro);
    format_set_num_format(moneda, "#,##0.00 [$€-C0A];[Red]-#,##0.00");
    worksheet_write_string(hoja, 0, 0, "Número", nullptr);
    worksheet_write_string(hoja, 0, 1, "Nombre", nullptr);
    worksheet_write_number(hoja, 1, 0, 7, nullptr);
    worksheet_write_string(hoja, 1, 1, "Caño ½\"", nullptr);
    worksheet_write_number(hoja, 1, 2, 45356, incorporado);
    worksheet_write_number(hoja, 1, 3, 59.5, propio);
    worksheet_write_number(hoja, 1, 4, 1234.5, moneda);
    worksheet_write_boolean(hoja, 1, 5, 1, nullptr);
    worksheet_write_formula_num(hoja, 1, 6, "=E2*2", nullptr, 2469);
    worksheet_write_formula_str(hoja, 1, 7, "=B2", nullptr, "Caño ½\"");
    worksheet_write_string(hoja, 3, 1, "Caño ½\"", nullptr);
    workbook_close(libro);
    return nombre;
}

QString csv(const QTemporaryDir &dir, const QByteArray &bytes)
{
    static int n = 0;
    const QString nombre = dir.filePath(QStringLiteral("hoja%1.csv").arg(++n));
    QFile f(nombre);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return nombre;
}

} // namespace

class TestLectorHojas : public QObject
{
    Q_OBJECT

private slots:
    void formatos_data()
    {
        pruebas::columnas<QString, QStringList>("archivo", "filas");
        QStringList comunes{
            QStringLiteral("1: TNúmero|TNombre|TAlta|TCosto|TActivo|TDoble"),
            QStringLiteral("2: N1|TTornillo ñandú \"x\"|F05-03-2024|N12.5|N1|N25"),
            QStringLiteral("4: T000042|TTornillo ñandú \"x\"|F31-12-1999|N0.1|N0|N0.2"),
            QStringLiteral("5: TUnida|-|TDos|TDos"),
            QStringLiteral("6: TIgual|N7"),
            QStringLiteral("7: TIgual|N7"),
            QStringLiteral("8: TIgual|N7"),
            QStringLiteral("9: TFin"),
        };
        QTest::newRow("ods: repeated rows and cells, a covered cell, a formula's result")
            << QStringLiteral("muestra.ods") << comunes;
        QTest::newRow("xlsx counting dates from 1904") << QStringLiteral("muestra-1904.xlsx") << comunes;
        // FreeXL gives no value for a formula cell.
        QStringList xls = comunes;
        xls[1].chop(4);
        xls[2].chop(5);
        QTest::newRow("xls") << QStringLiteral("muestra.xls") << xls;
    }
    void formatos()
    {
        const auto [archivo, filas] = pruebas::fila<QString, QStringList>("archivo", "filas");
        QCOMPARE(hojas::nombresDeHojas(fijo(archivo)),
                 (QStringList{QStringLiteral("Notas"), QStringLiteral("Artículos")}));
        QCOMPARE(volcado(fijo(archivo), QStringLiteral("Artículos")), filas);
        QCOMPARE(volcado(fijo(archivo)), QStringList{QStringLiteral("1: TOtra hoja")});
    }

    void xlsx_data()
    {
        pruebas::columnas<bool>("enLinea");
        QTest::newRow("shared strings") << false;
        QTest::newRow("inline strings") << true;
    }
    void xlsx()
    {
        const auto [enLinea] = pruebas::fila<bool>("enLinea");
        QTemporaryDir dir;
        const QString libro = libroXlsx(dir, enLinea);
        QCOMPARE(hojas::nombresDeHojas(libro), (QStringList{QStringLiteral("Primera"), QStringLiteral("Artículos")}));
        QCOMPARE(
            volcado(libro, QStringLiteral("Artículos")),
            (QStringList{QStringLiteral("1: TNúmero|TNombre"),
                         QStringLiteral("2: N7|TCaño ½\"|F05-03-2024|F28-02-1900|N1234.5|BVERDADERO|N2469|TCaño ½\""),
                         QStringLiteral("4: -|TCaño ½\"")}));
    }

    void csv_data()
    {
        pruebas::columnas<QByteArray, QStringList>("bytes", "filas");
        QTest::newRow("UTF-8 with a byte order mark, semicolons")
            << QByteArray("\xEF\xBB\xBFN\xC3\xBAmero;Nombre;Costo\r\n1;Ca\xC3\xB1o;2,5\r\n")
            << QStringList{QStringLiteral("1: TNúmero|TNombre|TCosto"), QStringLiteral("2: T1|TCaño|T2,5")};
        QTest::newRow("Windows-1252, commas, the euro sign")
            << QByteArray("N\xFAmero,Nombre\n000001,\"Ca\xF1o 3\x80\"\n")
            << QStringList{QStringLiteral("1: TNúmero|TNombre"), QStringLiteral("2: T000001|TCaño 3€")};
        QTest::newRow("tabs; quotes doubled and a line break inside quotes keep one row")
            << QByteArray("a\tb\n\"dice \"\"hola\"\"\"\t\"dos\nl\xC3\xADneas; y, comas\"\n\n\t\nfin\n")
            << QStringList{QStringLiteral("1: Ta|Tb"), QStringLiteral("2: Tdice \"hola\"|Tdos\nlíneas; y, comas"),
                           QStringLiteral("5: Tfin")};
        QTest::newRow("empty fields keep the columns; no line break at the end")
            << QByteArray("a;;c\n;;x") << QStringList{QStringLiteral("1: Ta|-|Tc"), QStringLiteral("2: -|-|Tx")};
    }
    void csv()
    {
        const auto [bytes, filas] = pruebas::fila<QByteArray, QStringList>("bytes", "filas");
        QTemporaryDir dir;
        QCOMPARE(volcado(::csv(dir, bytes)), filas);
    }

    void leerHastaDondeSePide()
    {
        for (const char *n : {"muestra.ods", "muestra.xls", "muestra-1904.xlsx"}) {
            QStringList vistas;
            hojas::leer(fijo(QString::fromLatin1(n)), QStringLiteral("Artículos"), [&](const hojas::Fila &f) {
                vistas << QString::number(f.numero);
                return f.numero < 4;
            });
            QCOMPARE(vistas, (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("4")}));
        }
    }

    void errores_data()
    {
        pruebas::columnas<QString, QString, QString>("archivo", "hoja", "mensaje");
        QTest::newRow("a sheet not there")
            << fijo(QStringLiteral("muestra.ods")) << QStringLiteral("Precios")
            << QStringLiteral("No se puede leer muestra.ods: no tiene la hoja «Precios»");
        QTest::newRow("xlsx") << fijo(QStringLiteral("muestra-1904.xlsx")) << QStringLiteral("Precios")
                              << QStringLiteral("No se puede leer muestra-1904.xlsx: no tiene la hoja «Precios»");
        QTest::newRow("xls") << fijo(QStringLiteral("muestra.xls")) << QStringLiteral("Precios")
                             << QStringLiteral("No se puede leer muestra.xls: no tiene la hoja «Precios»");
        QTest::newRow("another format") << fijo(QStringLiteral("muestra.fods")) << QString()
                                        << QStringLiteral(
                                               "No se puede leer muestra.fods: solo se leen planillas .xlsx, .ods, "
                                               ".xls y .csv");
        QTest::newRow("not a workbook") << fijo(QStringLiteral("no-es.xlsx")) << QString()
                                        << QStringLiteral("No se puede leer no-es.xlsx: no existe");
    }
    void errores()
    {
        const auto [archivo, hoja, mensaje] = pruebas::fila<QString, QString, QString>("archivo", "hoja", "mensaje");
        try {
            volcado(archivo, hoja);
            QFAIL("read");
        } catch (const QuendraError &e) {
            QCOMPARE(e.descripcion(), mensaje);
        }
    }
};

QUENDRA_TEST(TestLectorHojas)
#include "tst_sheet_reader.moc"
