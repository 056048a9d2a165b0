// scratch: dump report rows and PDF (not committed)
#include "application_setup.h"
#include "movement_report.h"
#include "mprincipal.h"
#include "recordset.h"
#include "report.h"
#include "report_pdf.h"
#include "rpt_movim_layout.h"
#include <QApplication>
#include <QFile>
#include <QTextStream>
int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    prepararAplicacion(app);
    const QString archivo = QString::fromLocal8Bit(argv[1]);
    FiltroMovimientos f{QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), QStringLiteral("0"),
                        QStringLiteral("99999999"), QStringLiteral("0"), QStringLiteral("99999999"),
                        QString::fromLocal8Bit(argv[4])};
    const QString out = QString::fromLocal8Bit(argv[5]);
    mPrincipal::fijarArchivoBaseDatos(archivo);
    mPrincipal::conexion().open(archivo);
    auto articulos = mPrincipal::abrirConsulta(sentenciasMovimientos::seleccionArticulos(f));
    std::shared_ptr<const Recordset> filas = armarInformeMovimientos(*articulos, f);
    QFile t(out + QStringLiteral(".rows.txt"));
    t.open(QIODevice::WriteOnly);
    QTextStream s(&t);
    for (int c = 0; c < filas->fieldCount(); ++c)
        s << filas->name(c) << ' ' << filas->type(c) << ' ' << filas->definedSize(c) << '\t';
    s << '\n';
    for (qsizetype r = 0; r < filas->rowCount(); ++r) {
        for (int c = 0; c < filas->fieldCount(); ++c) {
            QVariant v = filas->value(r, c);
            s << (filas->isNull(r, c) ? "N" : v.typeName()) << ':' << filas->text(r, c) << '|' << v.toString() << '\t';
        }
        s << '\n';
    }
    s.flush();
    Report &informe = rptMovim();
    vincularInformeMovimientos(informe, filas, f);
    writeReportPdf(*informe.pages(), out + QStringLiteral(".pdf"));
    return 0;
}
