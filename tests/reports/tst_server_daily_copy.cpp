#include "backup.h"
#include "dates.h"
#include "movement_report.h"
#include "mprincipal.h"
#include "recordset.h"
#include "schema_version.h"
#include "server_copy.h"
#include "test_database.h"
#include "test_main.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

// The day's copy of a server's data, made by the first program that starts on
// it that day: two programs started at once, each with its own data folder.
class TestCopiaDiariaDelServidor : public QObject
{
    Q_OBJECT

    // The movement report of every article, place and day of the demo's years.
    static QStringList informe()
    {
        const FiltroMovimientos f{"01-01-2000", "31-12-2099", "0", "99999999", "0", "99999999", "0"};
        auto articulos = mPrincipal::abrirConsulta(sentenciasMovimientos::seleccionArticulos(f));
        return filasComoTexto(*armarInformeMovimientos(*articulos, f));
    }

    // Two programs given the go together; the copy each says it made.
    static QStringList dosProgramas(const QString &direccion, const QStringList &carpetas, const QDate &dia)
    {
        QProcess programas[2];
        for (int i = 0; i < 2; ++i) {
            programas[i].start(QStringLiteral(QUENDRA_COPIA_DIARIA), {direccion, carpetas[i], fechas::texto(dia)});
            if (!programas[i].waitForReadyRead(30000))
                qFatal("the copier did not start");
            programas[i].readLine();
        }
        for (QProcess &p : programas) {
            p.write("\n");
            p.waitForBytesWritten();
        }
        QStringList hechas;
        for (QProcess &p : programas) {
            if (!p.waitForFinished(120000) || p.exitCode() != 0)
                qFatal("the copier failed: %s", p.readAllStandardOutput().constData());
            const QString dicho = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
            if (dicho != QLatin1String("copia"))
                hechas << dicho.mid(6);
        }
        return hechas;
    }

private slots:
    void dosProgramasUnaCopia()
    {
        if (!BaseDePrueba::enServidor())
            QSKIP("the day's copy is a server's: this runs in the entry on the server");
        BaseDePrueba base;
        // Enough rows that the first program's copy lasts while the second starts.
        base.llenarGenerado(500, 40000);
        QTemporaryDir datos;
        const QStringList carpetas{datos.filePath("uno/backups"), datos.filePath("dos/backups")};
        const QDate hoy(2026, 12, 7);

        const QStringList hechas = dosProgramas(base.archivo(), carpetas, hoy);
        QCOMPARE(hechas.size(), 1);
        QCOMPARE(QFileInfo(hechas[0]).fileName(), QStringLiteral("quendra-servidor-2026-12-07.accdb"));
        QVERIFY(carpetas.contains(QFileInfo(hechas[0]).absolutePath()));
        QCOMPARE(base.valor("SELECT fecha FROM copia_servidor"), QStringLiteral("07-12-2026"));
        // Started again the same day: nothing more.
        QCOMPARE(dosProgramas(base.archivo(), carpetas, hoy), QStringList());

        // The copy opens as a file of this version and reports what the server does, row by row.
        const QStringList delServidor = informe();
        QVERIFY(delServidor.size() > 10);
        mPrincipal::conexion().open(hechas[0]);
        QCOMPARE(mPrincipal::conexion().versionEsquema(), versionEsquema::actual);
        QCOMPARE(informe(), delServidor);
        mPrincipal::conexion().open(base.archivo());
    }

    // Day after day the folder keeps what a file's copies keep: 7 daily and 4 weekly.
    void seConservanComoLasDeUnArchivo()
    {
        if (!BaseDePrueba::enServidor())
            QSKIP("the day's copy is a server's: this runs in the entry on the server");
        BaseDePrueba base(BaseDePrueba::Vacia);
        QTemporaryDir datos;
        const QString carpeta = datos.filePath("backups");
        // A file's copy in the same folder is no server's copy and stays.
        QDir().mkpath(carpeta);
        QFile(QDir(carpeta).filePath(copias::nombreDelDia(QDate(2026, 1, 1)))).open(QIODevice::WriteOnly);
        QList<QDate> dias;
        for (QDate d(2026, 10, 1); d <= QDate(2026, 12, 7); d = d.addDays(3)) {
            QVERIFY(!copiaServidor::delDia(base.archivo(), carpeta, d).isEmpty());
            dias << d;
        }
        QList<QDate> esperados = copias::aConservar(dias);
        std::sort(esperados.begin(), esperados.end());
        QList<QDate> quedan = copias::diasConCopia(carpeta, QStringLiteral("quendra-servidor-"));
        std::sort(quedan.begin(), quedan.end());
        QCOMPARE(quedan, esperados);
        QCOMPARE(quedan.size(), 11);
        QCOMPARE(copias::diasConCopia(carpeta), QList<QDate>{QDate(2026, 1, 1)});
    }
};

QUENDRA_TEST(TestCopiaDiariaDelServidor)
#include "tst_server_daily_copy.moc"
