// Opening the database file when something is wrong with it: each fault is told
// by its cause and names the file; a damaged file is found at start-up.
#include "database_file.h"
#include "message_recorder.h"
#include "mprincipal.h"
#include "startup_check.h"
#include "test_main.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <sys/fsuid.h>
#include <unistd.h>
#include <utility>

namespace {

// File permissions bind root only through its file-system user id: the open
// runs as an ordinary user for the cases that need one.
struct ComoUsuarioComun
{
    const bool activo;
    explicit ComoUsuarioComun(bool si) : activo(si && geteuid() == 0) { if (activo) setfsuid(65534); }
    ~ComoUsuarioComun() { if (activo) setfsuid(0); }
};

// Enough movements for the file to have pages well past its schema.
const char *const movimientos =
    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 4000) "
    "INSERT INTO movstk(comprobante, tipomov, fecha, numero, Entrada, Salida) "
    "SELECT printf('%08d', i), 'EN', '2026-01-05', printf('%06d', i % 50), 1, 0 FROM n";

} // namespace

class TestFallasDeApertura : public QObject
{
    Q_OBJECT
private slots:
    void cleanup()
    {
        revisionInicial::fijarUmbralParaPruebas(0);
        mPrincipal::conexion().close();
        mPrincipal::fijarArchivoBaseDatos(QString());
    }

    void fallas_data()
    {
        pruebas::columnas<QString, QString>("caso", "mensaje"); // the description; %1 is the file, %2 its folder
        QTest::newRow("vacío") << "vacío" << "El archivo «%1» está vacío: no es una base de datos de Quendra";
        QTest::newRow("cortado") << "cortado"
                                 << "«%1» no es una base de datos válida o está dañada: database disk image is malformed";
        QTest::newRow("páginas dañadas") << "dañado" << "La base de datos «%1» está dañada: ";
        // Too large to check at once: the check behind the main window finds it.
        QTest::newRow("páginas dañadas, archivo grande") << "grande" << "La base de datos «%1» está dañada: ";
        QTest::newRow("archivo de solo lectura") << "archivo" << "El archivo «%1» es de solo lectura";
        QTest::newRow("carpeta de solo lectura")
            << "carpeta" << "La carpeta «%2» no permite que el programa escriba en ella, y la base de datos «%1» lo necesita";
        QTest::newRow("en uso") << "en uso" << "La base de datos «%1» está en uso por otro programa";
        QTest::newRow("WAL sobrante") << "wal" << "";
    }
    void fallas()
    {
        const auto [caso, mensaje] = pruebas::fila<QString, QString>("caso", "mensaje");
        QTemporaryDir dir;
        QFile::setPermissions(dir.path(), QFileDevice::Permissions(0x7777));
        const QString archivo = dir.filePath("quendra.accdb");
        sqlite3 *otro = nullptr;
        if (caso == "vacío") {
            QVERIFY(QFile(archivo).open(QIODevice::WriteOnly));
        } else {
            archivoBase::crear(archivo);
            sqlite3_open(archivo.toUtf8().constData(), &otro);
            QCOMPARE(sqlite3_exec(otro, movimientos, nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(std::exchange(otro, nullptr));
        }
        if (caso == "cortado") {
            QVERIFY(QFile::resize(archivo, QFileInfo(archivo).size() * 2 / 3));
        } else if (caso == "dañado" || caso == "grande") {
            revisionInicial::fijarUmbralParaPruebas(caso == "grande" ? 1 : 0);
            QFile f(archivo);
            QVERIFY(f.open(QIODevice::ReadWrite) && f.seek(f.size() - 3 * 4096 + 200));
            f.write(QByteArray(2000, '\xA5'));
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
            sqlite3_exec(otro, "PRAGMA wal_autocheckpoint=0; DELETE FROM movstk WHERE id > 10", nullptr, nullptr, nullptr);
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
        const QString esperado = QString(mensaje).replace("%1", QFileInfo(archivo).absoluteFilePath()).replace("%2", dir.path());
        QCOMPARE(mensajes.textos().size(), 1);
        QVERIFY2(mensajes.textos()[0].contains(" (" + esperado), qPrintable(mensajes.textos()[0]));
        QVERIFY(!mPrincipal::conexion().isOpen());
    }
};

QUENDRA_TEST(TestFallasDeApertura)
#include "tst_open_faults.moc"
