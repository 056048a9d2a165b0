// An older database brought to the program's version when the program opens it; a newer one refused untouched.
#include "database_check.h"
#include "message_recorder.h"
#include "mprincipal.h"
#include "open_database.h"
#include "schema_version.h"
#include "server_database.h"
#include "test_database.h"
#include "test_main.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

const char *const tablas[] = {"familia", "articulo", "movstk"};

// Every row of the three tables of the first version, as text.
QStringList filasDeLasTablas(Connection &c)
{
    QStringList filas;
    for (const char *t : tablas)
        filas << filasComoTexto(*c.execute(QStringLiteral("select * from %1 order by 1, 2").arg(QLatin1String(t))));
    return filas;
}

QByteArray huella(const QString &archivo)
{
    QFile f(archivo);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                       : QByteArray();
}

// quendra.accdb in the folder: a copy of a file made by the first version's quendra-db demo.
QString copiaDeLaPrimeraVersion(const QTemporaryDir &dir)
{
    const QString archivo = dir.filePath("quendra.accdb");
    QFile::copy(QStringLiteral(QUENDRA_FIXTURES "/demo-version-1.accdb"), archivo);
    QFile::setPermissions(archivo, QFile::ReadOwner | QFile::WriteOwner);
    return archivo;
}

// Opens the place as the program does at start and gives the messages it showed.
QStringList abrirComoElPrograma(const QString &lugar)
{
    RegistroMensajes mensajes;
    mPrincipal::fijarArchivoBaseDatos(lugar);
    mPrincipal::openBaseDatos();
    mPrincipal::fijarArchivoBaseDatos(QString());
    return mensajes.textos();
}

// A database of the first version on the server: its schema of then, and movements in three places.
QString servidorVersion1(const QString &nombre)
{
    const QString direccion = baseNuevaEnServidor(nombre);
    QFile esquema(QStringLiteral(":/db/schema-postgresql.sql"));
    esquema.open(QIODevice::ReadOnly);
    baseServidor::ejecutar(direccion, QString::fromUtf8(esquema.readAll()));
    baseServidor::ejecutar(
        direccion,
        QStringLiteral("INSERT INTO movstk(comprobante,numero,deposito,\"Entrada\",\"Salida\") VALUES "
                       "('00000001','000001','03',1,0),('00000002','000001','01',1,0),('00000003','000001',' ',1,0)"));
    return direccion;
}

} // namespace

class TestActualizacion : public QObject
{
    Q_OBJECT
private slots:
    void cleanup() { mPrincipal::conexion().close(); }

    // A file made by the first version's quendra-db demo: upgraded once, its copy kept, every row as it was.
    void archivoDeLaPrimeraVersion()
    {
        QTemporaryDir dir;
        const QString archivo = copiaDeLaPrimeraVersion(dir);
        Connection antes;
        antes.open(archivo);
        QCOMPARE(antes.versionEsquema(), 1);
        const QStringList filas = filasDeLasTablas(antes);
        antes.close();

        const QString copia = dir.filePath("backups/quendra-antes-de-la-version-2.accdb");
        QCOMPARE(abrirComoElPrograma(archivo),
                 QStringList{"La base de datos «" + archivo + "» se actualizó de la versión 1 a la versión "
                             + QString::number(versionEsquema::actual)
                             + ". La copia de antes de actualizarla quedó en «" + copia + "»."});
        Connection &c = mPrincipal::conexion();
        QCOMPARE(c.versionEsquema(), versionEsquema::actual);
        QCOMPARE(filasDeLasTablas(c), filas);
        QCOMPARE(filasComoTexto(*c.execute("select codigo, nombre from deposito order by codigo")),
                 (QStringList{"01 Depósito 01", "02 Depósito 02"}));
        QCOMPARE(datos::comprobar(archivo), QStringList());
        Connection anterior;
        anterior.open(copia);
        QCOMPARE(anterior.versionEsquema(), 1);
        QCOMPARE(filasDeLasTablas(anterior), filas);

        // Once: the next start finds it at the program's version.
        c.close();
        QCOMPARE(abrirComoElPrograma(archivo), QStringList());
        QCOMPARE(QDir(dir.filePath("backups")).entryList({"*.accdb"}, QDir::Files).size(), 1);
    }

    // A step that fails, and a newer program's file: each refused with its message, the program left without
    // the database, the file byte for byte as it was.
    void rechazadaSinTocarla_data()
    {
        pruebas::columnas<QByteArray, QString>("antes", "mensaje");
        QTest::newRow("un paso que falla")
            << QByteArray("CREATE TABLE deposito (codigo TEXT)") << "table deposito already exists";
        QTest::newRow("más nueva") << versionEsquema::guionVersion(versionEsquema::actual + 1, false)
                                   << QStringLiteral(
                                          "Error 10014 (La base de datos «%1» es de la versión %2, más nueva "
                                          "que la versión %3 que usa este programa: ábrala con un Quendra "
                                          "más nuevo) in procedure openBaseDatos of Módulo mPrincipal")
                                          .arg("{archivo}", QString::number(versionEsquema::actual + 1),
                                               QString::number(versionEsquema::actual));
    }
    void rechazadaSinTocarla()
    {
        const auto [antes, mensaje] = pruebas::fila<QByteArray, QString>("antes", "mensaje");
        QTemporaryDir dir;
        const QString archivo = copiaDeLaPrimeraVersion(dir);
        {
            Connection c;
            c.open(archivo);
            c.ejecutarGuion(antes);
        }
        const QByteArray bytes = huella(archivo);
        const QStringList mensajes = abrirComoElPrograma(archivo);
        QCOMPARE(mensajes.size(), 1);
        QVERIFY2(mensajes[0].contains(QString(mensaje).replace("{archivo}", archivo)), qPrintable(mensajes[0]));
        QVERIFY(!mPrincipal::conexion().isOpen());
        QCOMPARE(huella(archivo), bytes);
    }

    // On the server: the owner's program upgrades it once; another user is refused and told what to run.
    void servidorDeLaPrimeraVersion()
    {
        const QString direccion = servidorVersion1(QStringLiteral("version1"));
        const QString rol = QStringLiteral("vendedor_%1").arg(QCoreApplication::applicationPid());
        const QString usuario = QString(direccion).replace("://postgres@", "://" + rol + "@");
        baseServidor::ejecutar(direccion, QStringLiteral("DROP ROLE IF EXISTS %1; CREATE ROLE %1 LOGIN; GRANT SELECT, "
                                                         "INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA public TO %1")
                                              .arg(rol));
        const QStringList rechazo = abrirComoElPrograma(usuario);
        QCOMPARE(rechazo.size(), 1);
        QVERIFY2(rechazo[0].contains("no es dueño de las tablas") && rechazo[0].contains("«quendra-db upgrade "),
                 qPrintable(rechazo[0]));
        QVERIFY(!mPrincipal::conexion().isOpen());

        QCOMPARE(abrirComoElPrograma(direccion),
                 QStringList{"La base de datos «" + direccion + "» se actualizó de la versión 1 a la versión "
                             + QString::number(versionEsquema::actual) + "."});
        QCOMPARE(filasComoTexto(*mPrincipal::conexion().execute("select codigo from deposito order by codigo")),
                 (QStringList{"01", "03"}));
        mPrincipal::conexion().close();
        QCOMPARE(abrirComoElPrograma(usuario).join(""), QString());
        QCOMPARE(mPrincipal::conexion().versionEsquema(), versionEsquema::actual);
        baseServidor::ejecutar(direccion, QStringLiteral("UPDATE quendra_version SET version = version + 1"));
        mPrincipal::conexion().close();
        QVERIFY(abrirComoElPrograma(direccion).value(0).contains("más nueva que la versión"));
    }
};

QUENDRA_TEST(TestActualizacion)
#include "tst_schema_upgrade.moc"
