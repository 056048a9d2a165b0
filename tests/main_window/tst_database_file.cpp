// The day's copies and their rotation, putting a copy back, and each fault met when the file is opened.
#include "action_guard.h"
#include "backup.h"
#include "database_check.h"
#include "database_file.h"
#include "message_recorder.h"
#include "mprincipal.h"
#include "open_database.h"
#include "quendra_error.h"
#include "restore.h"
#include "startup_check.h"
#include "test_database.h"
#include "test_main.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <sys/fsuid.h>
#include <unistd.h>

namespace {

// Overwrites one page of a database file, as a failing disk would.
void estropearPagina(const QString &archivo, qint64 pagina)
{
    QFile f(archivo);
    QVERIFY(f.open(QIODevice::ReadWrite));
    f.seek((pagina - 1) * 4096);
    f.write(QByteArray(4096, '\x5a'));
}

// File permissions bind root only through its file-system user id: the open runs as an ordinary user.
struct ComoUsuarioComun
{
    const bool activo;
    explicit ComoUsuarioComun(bool si) : activo(si && geteuid() == 0)
    {
        if (activo)
            setfsuid(65534);
    }
    ~ComoUsuarioComun()
    {
        if (activo)
            setfsuid(0);
    }
};

// Enough movements for the file to have pages well past its schema.
const char *const movimientos = "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 4000) "
                                "INSERT INTO movstk(comprobante, tipomov, fecha, numero, Entrada, Salida) "
                                "SELECT printf('%08d', i), 'EN', '2026-01-05', printf('%06d', i % 50), 1, 0 FROM n";

} // namespace

class TestArchivoDeBase : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        revisionInicial::fijarUmbralParaPruebas(0);
        mPrincipal::conexion().close();
        mPrincipal::fijarArchivoBaseDatos(QString());
    }

    // A copy made during a posting holds the file as it was before the transaction, whole and sound.
    void copiaDuranteUnaEscritura()
    {
        BaseDePrueba base(BaseDePrueba::Demo);
        const QString antes = base.valor("SELECT count(*) FROM movstk");
        Transaction t(mPrincipal::conexion());
        base.ejecutar("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 3000) "
                      "INSERT INTO movstk (comprobante, numero, fecha, Entrada, Salida, detalle) "
                      "SELECT 90000000 + i, '000001', '2026-01-05', 1, 0, printf('%0200d', 0) FROM n");
        base.ejecutar("UPDATE articulo SET stock = stock + 3000 WHERE numero = '000001'");
        const QString copia = QFileInfo(base.archivo()).dir().filePath("copia.accdb");
        copias::copiar(base.archivo(), copia);
        t.commit();
        QCOMPARE(datos::comprobar(copia), QStringList());
        QVERIFY(!QFile::exists(copia + "-wal"));
        mPrincipal::conexion().open(copia);
        QCOMPARE(base.valor("SELECT count(*) FROM movstk"), antes);
    }

    // Sixty days of starts: the 7 newest copies and the first of each of the 4 weeks before stay.
    void rotacion_data()
    {
        pruebas::columnas<QList<int>, QStringList>("cerrado", "quedan"); // cerrado: days of the week without a start
        QTest::newRow("todos los días") << QList<int>{}
                                        << QStringList{"2026-03-01", "2026-02-28", "2026-02-27", "2026-02-26",
                                                       "2026-02-25", "2026-02-24", "2026-02-23", "2026-02-16",
                                                       "2026-02-09", "2026-02-02", "2026-01-26"};
        QTest::newRow("cerrado domingo y lunes")
            << QList<int>{7, 1}
            << QStringList{"2026-02-28", "2026-02-27", "2026-02-26", "2026-02-25", "2026-02-24", "2026-02-21",
                           "2026-02-20", "2026-02-17", "2026-02-10", "2026-02-03", "2026-01-27"};
    }
    void rotacion()
    {
        const auto [cerrado, quedan] = pruebas::fila<QList<int>, QStringList>("cerrado", "quedan");
        QTemporaryDir dir;
        const QString archivo = dir.filePath("quendra.accdb");
        archivoBase::crear(archivo);
        QDir(dir.path()).mkpath("backups");
        const QStringList ajenos{"quendra-2025-13-40.accdb", "quendra-2025-1-5.accdb",
                                 "notas.txt"}; // newest name first
        for (const QString &a : ajenos)
            QVERIFY(QFile(dir.filePath("backups/" + a)).open(QIODevice::WriteOnly));
        for (QDate d(2026, 1, 1); d <= QDate(2026, 3, 1); d = d.addDays(1)) {
            if (cerrado.contains(d.dayOfWeek()))
                continue;
            QCOMPARE(copias::copiaDelDia(archivo, d), dir.filePath("backups/" + copias::nombreDelDia(d)));
            QCOMPARE(copias::copiaDelDia(archivo, d), QString()); // a second start that day
            QVERIFY(copias::diasConCopia(dir.filePath("backups")).size() <= 11);
        }
        QStringList quedaron = QDir(dir.filePath("backups")).entryList(QDir::Files, QDir::Name | QDir::Reversed);
        QCOMPARE(quedaron.replaceInStrings(QRegularExpression("^quendra-(2026-.*)\\.accdb$"), "\\1"), quedan + ajenos);
    }

    // A copy that could not serve is refused; a good one replaces the file, which stays beside it.
    void restauracion_data()
    {
        pruebas::columnas<QString, bool, QString>("copia", "archivoAbierto", "rechazo");
        QTest::newRow("buena") << "buena" << false << "";
        QTest::newRow("buena, archivo abierto por el programa") << "buena" << true << "está abierto en otro programa";
        QTest::newRow("dañada") << "dañada" << false << "no se puede restaurar";
        QTest::newRow("no es una base") << "sin cabecera" << false << "no se puede restaurar";
        QTest::newRow("sin la tabla movstk") << "sin tabla" << false << "le falta la tabla movstk";
    }
    void restauracion()
    {
        const auto [copia, archivoAbierto, rechazo] =
            pruebas::fila<QString, bool, QString>("copia", "archivoAbierto", "rechazo");
        BaseDePrueba demo(BaseDePrueba::Demo);
        if (copia == "sin tabla")
            demo.ejecutar("DROP TABLE movstk");
        QTemporaryDir dir;
        const QString archivo = dir.filePath("quendra.accdb"), origen = dir.filePath("copia.accdb");
        copias::copiar(demo.archivo(), origen);
        mPrincipal::conexion().close();
        archivoBase::crear(archivo);
        if (copia == "dañada" || copia == "sin cabecera")
            estropearPagina(origen, copia == "dañada" ? 3 : 1);
        if (archivoAbierto)
            mPrincipal::conexion().open(archivo);
        const auto contenido = [&] {
            QFile f(archivo);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        const QByteArray antes = contenido();
        try {
            datos::restaurar(origen, archivo);
            QVERIFY2(rechazo.isEmpty(), "restored what should be refused");
            QCOMPARE(datos::comprobar(archivo), QStringList());
            mPrincipal::conexion().open(archivo);
            QVERIFY(mPrincipal::abrirConsulta("SELECT count(*) FROM familia")->field(0).text().toLongLong() > 0);
            mPrincipal::conexion().open(archivo + ".anterior"); // the empty file it replaced
            QCOMPARE(mPrincipal::abrirConsulta("SELECT count(*) FROM familia")->field(0).text(), "0");
        } catch (const QuendraError &e) {
            QVERIFY2(!rechazo.isEmpty(), qUtf8Printable(e.texto()));
            QVERIFY2(e.descripcion().contains(rechazo), qUtf8Printable(e.descripcion()));
            mPrincipal::conexion().close();
            QCOMPARE(contenido(), antes);
            QVERIFY(!QFile::exists(archivo + ".anterior") && !QFile::exists(archivo + ".restaurando"));
        }
        mPrincipal::conexion().close();
    }

    // A damaged page met by a query is told with the file, its newest copy and the command that puts it back.
    void mensajeDeArchivoDanado()
    {
        BaseDePrueba base(BaseDePrueba::Demo);
        const QString archivo = base.archivo(), copias = QFileInfo(archivo).path() + "/backups/";
        QDir().mkpath(copias);
        for (const char *c :
             {"quendra-2026-02-27.accdb", "quendra-2026-03-01.accdb", "quendra-2026-03-02.accdb.parcial"})
            QFile::copy(archivo, copias + c);
        const qint64 raiz = base.valor("SELECT rootpage FROM sqlite_master WHERE name = 'articulo'").toLongLong();
        mPrincipal::conexion().close();
        estropearPagina(archivo, raiz);
        mPrincipal::conexion().open(archivo);
        RegistroMensajes mensajes;
        protegido([] { mPrincipal::abrirConsulta("SELECT * FROM articulo"); });
        mPrincipal::conexion().close();
        const QString texto = mensajes.cajas().join('\n'), copia = copias + "quendra-2026-03-01.accdb";
        QVERIFY2(mensajes.cajas().size() == 1 && texto.section('|', 1, 1) == "error"
                     && texto.contains("El archivo de la base de datos «" + archivo + "» está dañado")
                     && texto.contains("La copia de seguridad más reciente es «" + copia
                                       + "». Para ponerla en su lugar, "
                                         "cierre Quendra y ejecute:\nquendra-db restore \""
                                       + copia + "\" \"" + archivo + '"'),
                 qUtf8Printable(texto));
    }

    void fallas_data()
    {
        pruebas::columnas<QString, QString>("caso", "mensaje"); // the description; %1 is the file, %2 its folder
        const auto fila = [](const char *nombre, const char *caso, const char *mensaje) {
            QTest::newRow(nombre) << caso << mensaje;
        };
        fila("falta", "falta", "No se encontró el archivo de la base de datos «%1»");
        fila("vacío", "vacío", "El archivo «%1» está vacío: no es una base de datos de Quendra");
        fila("no es SQLite", "basura",
             "«%1» no es una base de datos válida o está dañada: file is not a database. "
             "No hay ninguna copia de seguridad en «%2/backups».");
        fila("cortado", "cortado",
             "«%1» no es una base de datos válida o está dañada: database disk image is malformed");
        fila("páginas dañadas", "dañado", "La base de datos «%1» está dañada: ");
        // Too large to check at once: the check behind the main window finds it.
        fila("páginas dañadas, archivo grande", "grande", "La base de datos «%1» está dañada: ");
        fila("archivo de solo lectura", "archivo", "El archivo «%1» es de solo lectura");
        fila("carpeta de solo lectura", "carpeta",
             "La carpeta «%2» no permite que el programa escriba en ella, y la base de datos «%1» lo necesita");
        fila("en uso", "en uso", "La base de datos «%1» está en uso por otro programa");
        fila("WAL sobrante", "wal", "");
    }
    void fallas()
    {
        const auto [caso, mensaje] = pruebas::fila<QString, QString>("caso", "mensaje");
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
        const QString archivo = dir.filePath("quendra.accdb");
        sqlite3 *otro = nullptr;
        if (caso == "vacío" || caso == "basura") {
            QFile f(archivo);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(caso == "basura" ? 8192 : 0, 'x'));
        } else if (caso != "falta") {
            archivoBase::crear(archivo);
            sqlite3_open(archivo.toUtf8().constData(), &otro);
            QCOMPARE(sqlite3_exec(otro, movimientos, nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(std::exchange(otro, nullptr));
        }
        if (caso == "cortado") {
            QVERIFY(QFile::resize(archivo, QFileInfo(archivo).size() * 2 / 3));
        } else if (caso == "dañado" || caso == "grande") {
            revisionInicial::fijarUmbralParaPruebas(caso == "grande" ? 1 : 0);
            estropearPagina(archivo, QFileInfo(archivo).size() / 4096 - 2);
        } else if (caso == "archivo") {
            QFile::setPermissions(archivo, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        } else if (caso == "carpeta") {
            QFile::setPermissions(archivo, QFileDevice::Permissions(0x6666));
            QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x5555));
        } else if (caso == "en uso") {
            sqlite3_open(archivo.toUtf8().constData(), &otro);
            const char *bloqueo = "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; DELETE FROM familia";
            QCOMPARE(sqlite3_exec(otro, bloqueo, nullptr, nullptr, nullptr), SQLITE_OK);
        } else if (caso == "wal") {
            // A program killed after its commits leaves them in the journal beside the file.
            const QString original = dir.filePath("original.accdb");
            QVERIFY(QFile::rename(archivo, original));
            sqlite3_open(original.toUtf8().constData(), &otro);
            sqlite3_exec(otro, "PRAGMA wal_autocheckpoint=0; DELETE FROM movstk WHERE id > 10", nullptr, nullptr,
                         nullptr);
            QVERIFY(QFile::copy(original, archivo));
            QVERIFY(QFile::copy(original + "-wal", archivo + "-wal"));
        }
        RegistroMensajes mensajes;
        mPrincipal::fijarArchivoBaseDatos(archivo);
        {
            ComoUsuarioComun usuario(caso == "archivo" || caso == "carpeta");
            mPrincipal::openBaseDatos();
        }
        QCOMPARE(mPrincipal::conexion().isOpen(), caso == "grande" || caso == "wal");
        bool sana = false; // the day's copy waits for this
        if (mPrincipal::conexion().isOpen())
            revisionInicial::cuandoSana([&sana] { sana = true; });
        revisionInicial::esperar();
        QCoreApplication::processEvents();
        QCOMPARE(sana, mPrincipal::conexion().isOpen());
        sqlite3_close(otro);
        QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
        if (mensaje.isEmpty()) {
            QCOMPARE(mensajes.textos().join(""), QString());
            QCOMPARE(mPrincipal::abrirConsulta("select count(*) from movstk")->field(0).text(), QStringLiteral("10"));
            return;
        }
        const QString esperado =
            QString(mensaje).replace("%1", QFileInfo(archivo).absoluteFilePath()).replace("%2", dir.path());
        QCOMPARE(mensajes.cajas().size(), 1);
        QVERIFY2(mensajes.cajas()[0].startsWith("Quendra|") && mensajes.cajas()[0].contains(" (" + esperado),
                 qPrintable(mensajes.cajas()[0]));
        QVERIFY_THROWS_EXCEPTION(QuendraError, mPrincipal::abrirConsulta("select 1"));
        QCOMPARE(QFileInfo::exists(archivo), caso != "falta"); // a missing file is never created
    }
};

QUENDRA_TEST(TestArchivoDeBase)
#include "tst_database_file.moc"
