#include "dates.h"
#include "form_driver.h"
#include "informe_ventas.h"
#include "movement_report.h"
#include "mprincipal.h"
#include "quendra_error.h"
#include "recordset.h"
#include "report.h"
#include "report_pdf.h"
#include "report_preview.h"
#include "report_sheet.h"
#include "rpt_movim_layout.h"
#include "sql_text.h"
#include "test_main.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

// Articles and movements put straight into a fresh database, and the report's rows read back as texts.
void articulo(const BaseDePrueba &base, const QString &numero, const QString &nombre, const QString &codigo = "0001")
{
    base.ejecutar(QStringLiteral("INSERT INTO articulo(numero,codigo,nombre,stock) VALUES ('%1','%2','%3',0)")
                      .arg(numero, codigo, sqlTexto(nombre)));
}

// A movement "fecha;deposito;entrada;salida". Quantities are SQL literals and a storage place "NULL"
// stores none. An entrada of 0 makes an exit.
void movimiento(const BaseDePrueba &base, const QString &comprobante, const QString &numero, const QString &datos)
{
    const QStringList d = datos.split(';');
    base.ejecutar(QStringLiteral("INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,impreso,deposito,"
                                 "Entrada,Salida,codigo) VALUES ('%1','%2',#%3#,'%4',1,'N',%5,%6,%7,'0001')")
                      .arg(comprobante, d[2] == QLatin1String("0") ? "SA" : "EN", d[0], numero,
                           d[1] == QLatin1String("NULL") ? d[1] : '\'' + d[1] + '\'', d[2], d[3]));
}

// The storage place, first and last day, all articles; 01 and the year 2026 when not given.
FiltroMovimientos filtro(const QStringList &p = {})
{
    return {p.value(1, "01-01-2026"), p.value(2, "31-12-2026"), "0", "99999999", "0", "99999999", p.value(0, "01")};
}

std::unique_ptr<Recordset> armar(const FiltroMovimientos &filtro, const ProgresoInforme &progreso = {})
{
    auto articulos = mPrincipal::abrirConsulta(sentenciasMovimientos::seleccionArticulos(filtro));
    return armarInformeMovimientos(*articulos, filtro, progreso);
}

// Reads a sheet back the way a spreadsheet does and prints one line per row,
// each cell as kind:value (n number shown with two decimals, d date, s text,
// e empty, x anything else). A workbook is read with openpyxl; a .csv as a
// Spanish spreadsheet takes it: quoted fields are texts, "1,50" a number.
const char *lector = R"PY(
import sys, re, datetime
path = sys.argv[1]
if path.endswith('.xlsx'):
    import openpyxl, zipfile
    # A number or a width written with a decimal comma is a damaged workbook.
    with zipfile.ZipFile(path) as z:
        for n in z.namelist():
            if n.startswith('xl/worksheets/'):
                x = z.read(n).decode()
                assert not re.search(r'<v>[^<]*,|width="[^"]*,', x), n
    def cell(c):
        v = c.value
        if v is None: return 'e:'
        if isinstance(v, datetime.datetime) and c.number_format == 'dd-mm-yyyy': return v.strftime('d:%d-%m-%Y')
        if isinstance(v, (int, float)) and c.number_format == '0.00': return 'n:%.2f' % v
        return 's:' + v if isinstance(v, str) else 'x:%r' % v
    for row in openpyxl.load_workbook(path, read_only=True).active.iter_rows():
        print('\t'.join(cell(c) for c in row))
else:
    text = open(path, encoding='utf-8', newline='').read()
    assert text.startswith('\ufeff')
    def field(m):
        q, f = m.groups()
        if q is not None: return 's:' + q.replace('""', '"')
        if f == '': return 'e:'
        if re.fullmatch(r'-?\d+,\d\d', f): return 'n:%.2f' % float(f.replace(',', '.'))
        if re.fullmatch(r'\d\d-\d\d-\d{4}', f): return 'd:' + datetime.datetime.strptime(f, '%d-%m-%Y').strftime('%d-%m-%Y')
        return 'x:' + f
    for line in text[1:].split('\r\n')[:-1]:
        print('\t'.join(field(m) for m in re.finditer(r'(?:^|;)(?:"((?:[^"]|"")*)"|([^;"]*))', line)))
)PY";

QStringList leer(const QString &archivo)
{
    QProcess python;
    // Debian's own interpreter, which python3-openpyxl serves.
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromUtf8(lector), archivo});
    if (!python.waitForFinished(60000) || python.exitCode() != 0)
        qWarning().noquote() << python.readAllStandardError();
    return QString::fromUtf8(python.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QStringList columna(const Recordset &rs, const QString &nombre)
{
    QStringList t;
    for (qsizetype r = 0; r < rs.rowCount(); ++r)
        t << rs.text(r, rs.columnIndex(nombre));
    return t;
}

} // namespace

using pruebas::vistaPrevia;

class TestInformeMovimientos : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        fechas::fijarHoyParaPruebas(QDate(2026, 6, 15));
        mPrincipal::depositoDefecto = QStringLiteral("01");
    }
    void cleanup()
    {
        if (ReportPreview *p = vistaPrevia())
            p->close();
        rptMovim().setDataSource(nullptr);
        fechas::fijarHoyParaPruebas(QDate());
    }

    // "&Imprimir" over one article with the boxes as typed, the storage place first: a message, the storage
    // place trimmed in its box and no preview, or the preview with the filters in its page header.
    void imprimir_data()
    {
        pruebas::columnas<QStringList, QString, QStringList, QStringList>("cajas", "mensaje", "encabezado", "saldos");
        const QString sinDatos = "Quendra|info|No tiene datos para imprimir", fecha = "Quendra|error|Fecha incorrecta";
        const QStringList no;
        QTest::newRow("hasta artículo vacío") << QStringList{"T_HastaNumero", ""} << sinDatos << no << no;
        QTest::newRow("fecha hasta sin año") << QStringList{"f_hasta", "3112"} << fecha << no << no;
        QTest::newRow("fecha desde imposible") << QStringList{"f_desde", "31022026"} << fecha << no << no;
        QTest::newRow("todas las cajas, comillas como se escribieron")
            << QStringList{"f_desde",       "01012026", "f_hasta",        "31122026", "t_DesdeNumero",  "000001",
                           "T_HastaNumero", "000009'",  "T_DesdeFamilia", "0001",     "T_HastaFamilia", "0002'",
                           "t_Deposito",    " 1 "}
            << QString() << QStringList{"Desde: 01-01-2026", "Hasta: 31-12-2026", "Des F: 0001", "Has F: 0002'",
                                        "Des N: 000001",     "Has N: 000009'",    "Deposito: 1"}
            << QStringList{"", "0", "8"};
    }
    void imprimir()
    {
        auto [cajas, mensaje, saldos] = pruebas::fila<QStringList, QString, QStringList>("cajas", "mensaje", "saldos");
        BaseDePrueba base;
        RegistroMensajes mensajes;
        articulo(base, "000001", "Tornillo");
        movimiento(base, "00000001", "000001", "10-03-2026;01;8;0");
        InformeVentas ventana;
        pruebas::mostrarActiva(&ventana);
        cajas = QStringList{"t_Deposito", "  01  "} + cajas;
        for (qsizetype i = 0; i + 1 < cajas.size(); i += 2)
            pruebas::escribir(pruebas::control(&ventana, qPrintable(cajas[i])), cajas[i + 1]);
        QTest::mouseClick(pruebas::control(&ventana, "b_Imprimir"), Qt::LeftButton);
        if (!mensaje.isEmpty()) {
            QCOMPARE(mensajes.cajas(), QStringList{mensaje});
            QCOMPARE(pruebas::control<QLineEdit>(&ventana, "t_Deposito")->text(), QStringLiteral("01"));
            QVERIFY(!vistaPrevia() && !rptMovim().dataSource());
            return;
        }
        QVERIFY2(mensajes.textos().isEmpty(), qPrintable(mensajes.textos().join('\n')));
        QStringList captions;
        for (const char *c : {"t_FechaDesde", "t_FechaHasta", "t_DesdeCodigo", "t_HastaCodigo", "t_DesdeNumero",
                              "t_HastaNumero", "Deposito"})
            captions << rptMovim().section("EncabezadoPagina").control(c).caption();
        QTEST(captions, "encabezado");
        QVERIFY(vistaPrevia());
        QCOMPARE(vistaPrevia()->pages()->rowCount(), saldos.size());
        QCOMPARE(columna(*rptMovim().dataSource(), "saldo"), saldos);
    }

    void alAbrirDesdeElMenuYSusTeclasDeAcceso_data()
    {
        pruebas::columnas<char, bool>("tecla", "cierra");
        QTest::newRow("Alt+S cierra la ventana, no el programa") << 's' << true;
        QTest::newRow("Alt+I imprime, no abre Informes") << 'i' << false;
    }
    void alAbrirDesdeElMenuYSusTeclasDeAcceso()
    {
        const auto [tecla, cierra] = pruebas::fila<char, bool>("tecla", "cierra");
        pruebas::PrincipalDePrueba m;
        auto *ventana = qobject_cast<InformeVentas *>(m.abrir("mnuInfMovim", [] { return new InformeVentas; }));
        QVERIFY(ventana);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("f_desde"));
        const FiltroMovimientos f = ventana->filtro();
        QCOMPARE(
            (QStringList{f.desde, f.hasta, f.desdeNumero, f.hastaNumero, f.desdeFamilia, f.hastaFamilia, f.deposito}),
            (QStringList{"15-06-2026", "15-06-2026", "0", "99999999", "0", "99999999", "01"}));
        // Captions drawn for a narrower face grow instead of being cut, into no neighbour.
        QCOMPARE(pruebas::solapes(ventana), QString());
        QVERIFY(m.pulsarAlt(tecla));
        if (cierra)
            QTRY_VERIFY(!m.principal.formularioAbierto(QStringLiteral("mnuInfMovim")));
        else
            QVERIFY(vistaPrevia());
        QCOMPARE(m.mensajes.textos(), QStringList());
    }

    // The demo year of storage place 01. In the sheets: its rows without the separators, numbers as numbers,
    // dates as dates and the codes with their zeros; a cancelled export leaves the file that was there. On
    // paper: every page carries the header with the filters, the titles and its number.
    void planillasYPdf()
    {
        BaseDePrueba base(BaseDePrueba::Demo);
        const std::shared_ptr<const Recordset> filas = armar(filtro());
        vincularInformeMovimientos(rptMovim(), filas, filtro());
        const auto paginas = rptMovim().pages();
        QStringList esperado{
            "s:Fecha\ts:Comprobante\ts:TM\ts:Codigo\ts:Numero\ts:Nombre\ts:Entrada\ts:Salida\ts:Saldo"};
        for (qsizetype r = 0; r < filas->rowCount(); ++r) {
            if (filas->text(r, 1) == QLatin1String("------"))
                continue;
            QStringList celdas{"d:" + filas->text(r, 0)};
            for (int c = 1; c <= 8; ++c) {
                const QString t = filas->text(r, c);
                celdas << (c <= 5 ? "s:" + t : t.isEmpty() ? "e:" : "n:" + QString::number(t.toDouble(), 'f', 2));
            }
            esperado << celdas.join('\t');
        }
        QVERIFY(esperado.size() > 40);
        QTemporaryDir carpeta;
        for (const char *archivo : {"movimientos.xlsx", "movimientos.csv"}) {
            const QString ruta = carpeta.filePath(archivo);
            QVERIFY(writeReportSheet(*paginas, ruta));
            QCOMPARE(leer(ruta), esperado);
            QVERIFY(!writeReportSheet(*paginas, ruta, [](qsizetype, qsizetype) { return false; }));
            QCOMPARE(leer(ruta), esperado);
        }
        QCOMPARE(QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{"movimientos.csv", "movimientos.xlsx"}));

        if (!pruebas::hayPdftotext())
            QSKIP("pdftotext (poppler-utils) is not installed");
        const QString pdf = carpeta.filePath(QStringLiteral("movimientos.pdf"));
        QVERIFY(writeReportPdf(*paginas, pdf));
        const QStringList textos = pruebas::paginasPdf(pdf);
        const int total = paginas->pageCount();
        QVERIFY(total >= 2);
        QCOMPARE(textos.size(), total);
        const QStringList enCadaPagina{"Velmarina",
                                       "Desde: 01-01-2026",
                                       "Has N: 99999999",
                                       "Informe de Entradas y Salidas",
                                       "Deposito: 01",
                                       "Comprobante",
                                       "Saldo"};
        for (int i = 0; i < total; ++i)
            for (const QString &texto :
                 enCadaPagina + QStringList{QStringLiteral("Pagina: %1(%2)").arg(i + 1).arg(total)})
                QVERIFY2(textos[i].contains(texto), qPrintable(texto + " missing on page " + QString::number(i + 1)));
        QVERIFY(
            textos[0].contains(QRegularExpression(QStringLiteral("01-01-2026 000000 +IN +0001 +000001 +Tornillo"))));
    }

    // The three statements, the boxes as typed with their quotes doubled.
    void sentencias()
    {
        const FiltroMovimientos f{"05-03-2026", "30-11-2026", " 0'", "9 ", "", "O'Neil", "0'1"};
        QCOMPARE(sentenciasMovimientos::seleccionArticulos(f),
                 QStringLiteral("select * from articulo where numero >=' 0''' and numero<='9 ' and codigo>='' and "
                                "codigo<='O''Neil' order by numero"));
        const sentenciasMovimientos::PorArticulo porArticulo(f);
        QCOMPARE(porArticulo.saldoInicial("00'012"),
                 QStringLiteral("select sum(Entrada)-Sum(Salida) as Saldo from movstk where fecha <#05-03-2026# and "
                                "deposito like '%0''1%' and numero='00''012' "));
        QCOMPARE(
            porArticulo.movimientos("00'012"),
            QStringLiteral("select comprobante,tipomov,fecha,numero,costo,Entrada,Salida from movstk where fecha "
                           ">=#05-03-2026# and fecha<=#30-11-2026# and deposito like '%0''1%' and Numero='00''012'"));
    }

    // Movements "fecha;deposito;entrada;salida", numbered 00000001 on; rows
    // "fecha|comprobante|tipomov|entrada|salida|saldo" of the article 000001.
    void filasDeUnArticulo_data()
    {
        pruebas::columnas<QStringList, QStringList, QStringList>("movimientos", "periodo",
                                                                 "filas"); // periodo: place, from, to
        QTest::newRow("primer día listado, último día listado, el siguiente no")
            << QStringList{"28-02-2026;01;4;0", "01-03-2026;01;1;0", "31-03-2026;01;0;2", "01-04-2026;01;100;0"}
            << QStringList{"01", "01-03-2026", "31-03-2026"}
            << QStringList{"01-03-2026|000000|IN|||4", "01-03-2026|00000002|EN|1|0|5", "31-03-2026|00000003|SA|0|2|3"};
        QTest::newRow("depósito 1 junta 01 y 10 en un saldo")
            << QStringList{"05-01-2026;01;10;0", "06-01-2026;10;5;0", "07-01-2026;02;100;0", "08-01-2026;21;0;1"}
            << QStringList{"1"}
            << QStringList{"01-01-2026|000000|IN|||0", "05-01-2026|00000001|EN|10|0|10",
                           "06-01-2026|00000002|EN|5|0|15", "08-01-2026|00000004|SA|0|1|14"};
        QTest::newRow("depósito vacío toma todos los que tienen depósito; cantidad nula: celda vacía y cuenta 0")
            << QStringList{"05-01-2026;01;10;0", "06-01-2026;02;5;0", "07-01-2026;NULL;100;0", "08-01-2026;01;NULL;3",
                           "09-01-2026;02;4;NULL"}
            << QStringList{""}
            << QStringList{"01-01-2026|000000|IN|||0", "05-01-2026|00000001|EN|10|0|10",
                           "06-01-2026|00000002|EN|5|0|15", "08-01-2026|00000004|EN||3|12",
                           "09-01-2026|00000005|EN|4||16"};
        QTest::newRow("saldos a la mitad van al par")
            << QStringList{"31-12-2025;01;2.125;0", "02-01-2026;01;0.25;0",  "03-01-2026;01;2.675;0",
                           "04-01-2026;01;0;7.3",   "05-01-2026;01;0;0.125", "06-01-2026;01;0;0.25"}
            << QStringList{}
            << QStringList{"01-01-2026|000000|IN|||2.12",         "02-01-2026|00000002|EN|0.25|0|2.38",
                           "03-01-2026|00000003|EN|2.68|0|5.05",  "04-01-2026|00000004|SA|0|7.3|-2.25",
                           "05-01-2026|00000005|SA|0|0.12|-2.38", "06-01-2026|00000006|SA|0|0.25|-2.62"};
    }
    void filasDeUnArticulo()
    {
        const auto [movimientos, periodo, filas] =
            pruebas::fila<QStringList, QStringList, QStringList>("movimientos", "periodo", "filas");
        BaseDePrueba base;
        articulo(base, "000001", "Tornillo");
        for (int n = 0; n < movimientos.size(); ++n)
            movimiento(base, QStringLiteral("%1").arg(n + 1, 8, 10, QLatin1Char('0')), "000001", movimientos[n]);
        QStringList esperadas{"|------|--|----|------|" + QString(38, '-') + "|||"};
        for (const QString &f : filas)
            esperadas << f.section('|', 0, 2) + "|0001|000001|Tornillo|" + f.section('|', 3);
        QCOMPARE(filasComoTexto(*armar(filtro(periodo))), esperadas.replaceInStrings("|", " "));
    }

    // Each article starts afresh from its own balance, with a progress call after it; article numbers
    // compare as text; a value longer than its column is kept whole and widens it; errors throw.
    void variosArticulos()
    {
        BaseDePrueba base;
        const QString largo = QString(70, QLatin1Char('x')) + QStringLiteral(" ñandú");
        articulo(base, "000001", "Tornillo");
        articulo(base, "000002", "Tuerca", "0002");
        articulo(base, "0000015", largo, "00001");
        articulo(base, "2", "Clavo");
        movimiento(base, "00000001", "000001", "10-12-2025;01;5;0");
        movimiento(base, "00000002", "000001", "10-01-2026;01;15;0");
        movimiento(base, "00000010", "000002", "11-12-2025;01;7;0");
        movimiento(base, "00000011", "000002", "11-01-2026;01;0;2");
        QList<QPair<qsizetype, qsizetype>> avisos;
        auto rs = armar(filtro(), [&](qsizetype hechos, qsizetype total) {
            return avisos.append({hechos, total}), true;
        });
        QCOMPARE(avisos, (QList<QPair<qsizetype, qsizetype>>{{1, 4}, {2, 4}, {3, 4}, {4, 4}}));
        QCOMPARE(columna(*rs, "numero"), (QStringList{"------", "000001", "000001", "------", "0000015", "------",
                                                      "000002", "000002", "------", "2"}));
        QCOMPARE(columna(*rs, "comprobante"), (QStringList{"------", "000000", "00000002", "------", "000000", "------",
                                                           "000000", "00000011", "------", "000000"}));
        QCOMPARE(columna(*rs, "saldo"), (QStringList{"", "5", "20", "", "0", "", "7", "5", "", "0"}));
        QCOMPARE(columna(*rs, "codigo"),
                 (QStringList{"----", "0001", "0001", "----", "00001", "----", "0002", "0002", "----", "0001"}));
        QCOMPARE(rs->text(4, rs->columnIndex("nombre")), largo);
        for (const auto &[columna, ancho] : {std::pair{"nombre", int(largo.size())}, {"numero", 7}, {"codigo", 5}})
            QCOMPARE(rs->definedSize(rs->columnIndex(columna)), ancho);

        // "2" sorts between "10" and "20", "0000015" does not.
        const FiltroMovimientos f{"01-01-2026", "31-12-2026", "10", "20", "0", "99999999", "01"};
        QCOMPARE(columna(*armar(f), "numero"), (QStringList{"------", "2"}));
        int llamadas = 0;
        QVERIFY(!armar(filtro(), [&](qsizetype, qsizetype) { return ++llamadas < 2; }));
        QCOMPARE(llamadas, 2);
        QVERIFY_THROWS_EXCEPTION(QuendraError, armar(filtro({"01", "01-01-2026", "31-12-    "})));
        // A quantity out of range is an error, not a report cut short.
        movimiento(base, "00000012", "000002", "05-01-2026;01;1e300;0");
        QVERIFY_THROWS_EXCEPTION(QuendraError, armar(filtro()));
    }

    // Every balance against a running sum the database computes itself, over a generated year of 5000 movements.
    void saldosIgualesALaSumaAcumulada_data()
    {
        QTest::addColumn<QStringList>("periodo"); // depósito, desde, hasta
        QTest::newRow("el año, todos los depósitos") << QStringList{""};
        QTest::newRow("medio año, depósito 3") << QStringList{"3", "15-03-2026", "14-09-2026"};
    }
    void saldosIgualesALaSumaAcumulada()
    {
        QFETCH(QStringList, periodo);
        const FiltroMovimientos f = filtro(periodo);
        BaseDePrueba base;
        base.llenarGenerado(300, 5000);
        auto rs = armar(f);
        // Each article's opening balance, then its movements with the sum of all before, in the
        // order of the index on (numero, fecha, comprobante, ...).
        auto suma = mPrincipal::conexion().execute(
            QStringLiteral(
                "select numero, '000000', (select coalesce(sum(Entrada), 0) - coalesce(sum(Salida), 0) from movstk m where "
                "m.numero = a.numero and fecha < '%2' and deposito like '%%1%'), null from articulo a "
                "union all select numero, comprobante, saldo, fecha from (select numero, comprobante, fecha, "
                "sum(Entrada - Salida) over (partition by numero order by fecha, comprobante) as saldo "
                "from movstk where deposito like '%%1%') t where fecha >= '%2' and fecha <= '%3' order by 1, 4, 2")
                .arg(f.deposito, fechas::leer(f.desde).toString(Qt::ISODate),
                     fechas::leer(f.hasta).toString(Qt::ISODate)));
        const auto fila = [](const QString &numero, const QString &comprobante, double saldo) {
            return numero + ' ' + comprobante + ' ' + QString::number(saldo, 'f', 4);
        };
        QStringList esperadas, obtenidas;
        for (qsizetype r = 0; r < suma->rowCount(); ++r)
            esperadas << fila(suma->text(r, 0), suma->text(r, 1), suma->value(r, 2).toDouble());
        for (qsizetype r = 0; r < rs->rowCount(); ++r)
            if (rs->text(r, 1) != QLatin1String("------"))
                obtenidas << fila(rs->text(r, 4), rs->text(r, 1), rs->text(r, 8).toDouble());
        QVERIFY(esperadas.size() > 600);
        QCOMPARE(obtenidas, esperadas);
    }
};

QUENDRA_TEST(TestInformeMovimientos)
#include "tst_movement_report.moc"
