#include "movement_report.h"
#include "mprincipal.h"
#include "report.h"
#include "report_sheet.h"
#include "rpt_movim_layout.h"
#include "test_database.h"
#include "test_main.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// Reads a sheet back the way a spreadsheet does and prints one line per row,
// each cell as kind:value (n number shown with two decimals, d date, s text,
// e empty, x anything else). A workbook is read with openpyxl; a .csv as a
// Spanish spreadsheet takes it: quoted fields are texts, "1,50" a number.
const char *lector = R"PY(
import sys, re, datetime
path = sys.argv[1]
rows = []
if path.endswith('.xlsx'):
    import openpyxl
    for row in openpyxl.load_workbook(path, read_only=True).active.iter_rows():
        cells = []
        for c in row:
            v = c.value
            if v is None: cells.append('e:')
            elif isinstance(v, datetime.datetime) and c.number_format == 'dd-mm-yyyy': cells.append(v.strftime('d:%d-%m-%Y'))
            elif isinstance(v, (int, float)) and c.number_format == '0.00': cells.append('n:%.2f' % v)
            elif isinstance(v, str): cells.append('s:' + v)
            else: cells.append('x:%r' % v)
        rows.append(cells)
else:
    text = open(path, encoding='utf-8', newline='').read()
    assert text.startswith('\ufeff')
    for line in text[1:].split('\r\n')[:-1]:
        cells = []
        for m in re.finditer(r'(?:^|;)(?:"((?:[^"]|"")*)"|([^;"]*))', line):
            q, f = m.groups()
            if q is not None: cells.append('s:' + q.replace('""', '"'))
            elif f == '': cells.append('e:')
            elif re.fullmatch(r'-?\d+,\d\d', f): cells.append('n:%.2f' % float(f.replace(',', '.')))
            elif re.fullmatch(r'\d\d-\d\d-\d{4}', f): cells.append('d:' + datetime.datetime.strptime(f, '%d-%m-%Y').strftime('%d-%m-%Y'))
            else: cells.append('x:' + f)
        rows.append(cells)
for r in rows: print('\t'.join(r))
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

} // namespace

class TestPlanillas : public QObject
{
    Q_OBJECT
private slots:
    void idaYVuelta_data()
    {
        QTest::addColumn<QString>("archivo");
        QTest::newRow("xlsx") << QStringLiteral("movimientos.xlsx");
        QTest::newRow("csv") << QStringLiteral("movimientos.csv");
    }

    // The demo year's movement report in every storage place: the sheet holds its rows without the
    // separators, numbers as numbers, dates as dates and the codes with their zeros.
    void idaYVuelta()
    {
        QFETCH(QString, archivo);
        BaseDePrueba base(BaseDePrueba::Demo);
        const FiltroMovimientos anio{"01-01-2026", "31-12-2026", "0", "99999999", "0", "99999999", QString()};
        const std::shared_ptr<const Recordset> filas = armarInformeMovimientos(
            *mPrincipal::abrirConsulta(sentenciasMovimientos::seleccionArticulos(anio)), anio);
        vincularInformeMovimientos(rptMovim(), filas, anio);
        const auto paginas = rptMovim().pages();
        QTemporaryDir carpeta;
        const QString ruta = carpeta.filePath(archivo);
        QVERIFY(writeReportSheet(*paginas, ruta));
        QStringList esperado{QStringLiteral("s:Fecha\ts:Comprobante\ts:TM\ts:Codigo\ts:Numero\ts:Nombre\ts:Entrada\t"
                                            "s:Salida\ts:Saldo")};
        const Recordset &rs = *filas;
        for (qsizetype r = 0; r < rs.rowCount(); ++r) {
            if (rs.text(r, 1) == QLatin1String("------"))
                continue;
            QStringList celdas{QStringLiteral("d:") + rs.text(r, 0)};
            for (int c = 1; c <= 5; ++c)
                celdas << QStringLiteral("s:") + rs.text(r, c);
            for (int c = 6; c <= 8; ++c)
                celdas << (rs.text(r, c).isEmpty() ? QStringLiteral("e:")
                                                   : QStringLiteral("n:") + QString::number(rs.text(r, c).toDouble(), 'f', 2));
            esperado << celdas.join(QLatin1Char('\t'));
        }
        QVERIFY(esperado.size() > 40);
        QCOMPARE(leer(ruta), esperado);
        // A cancelled export leaves the file that was there, and nothing beside it.
        QVERIFY(!writeReportSheet(*paginas, ruta, [](qsizetype, qsizetype) { return false; }));
        QCOMPARE(leer(ruta), esperado);
        QCOMPARE(QDir(carpeta.path()).entryList(QDir::Files | QDir::Hidden), QStringList{archivo});
    }
};

QUENDRA_TEST(TestPlanillas)
#include "tst_report_sheets.moc"
