#include "connection.h"
#include "data_sets.h"
#include "database_file.h"
#include "message_recorder.h"
#include "mprincipal.h"
#include "open_database.h"
#include "quendra_error.h"
#include "recordset.h"
#include "schema_version.h"
#include "server_copy.h"
#include "server_database.h"
#include "sql_dialect.h"
#include "test_database.h"
#include "test_main.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

// The statements as the server receives them, and what an operator reads when it cannot be used.
class TestServidor : public QObject
{
    Q_OBJECT

    static SqlDialect dialectoServidor()
    {
        return SqlDialect(SqlDialect::Destino::PostgreSQL,
                          {{"fecha", "alta"}, {"fecha", "alta", "costo", "entrada", "id"}, {{"entrada", "Entrada"}}});
    }

private slots:
    void traduccion_data()
    {
        pruebas::columnas<QString, QString>("sentencia", "servidor");
        QTest::newRow("fecha entre #")
            << "select * from movstk where fecha <#05-12-2026#"
            << "select * from movstk where fecha <DATE '2026-12-05' ORDER BY movstk.comprobante, movstk.numero";
        QTest::newRow("fecha entre comillas") << "UPDATE articulo SET alta='5-1-2026' WHERE numero='1'"
                                              << "UPDATE articulo SET alta=DATE '2026-01-05' WHERE numero='1'";
        QTest::newRow("like con patrón")
            << "select * from articulo a where nombre like '%a\\b%'"
            << "select * from articulo a where nombre ILIKE '%a\\b%' COLLATE \"und-x-icu\" ESCAPE '' ORDER BY a.numero";
        QTest::newRow("like con escape propio") << "select 1 where x not like 'a!%' escape '!'"
                                                << "select 1 where x not ILIKE 'a!%' COLLATE \"und-x-icu\" escape '!'";
        QTest::newRow("nombre escrito con mayúscula") << "select sum(entrada) from movstk where m.ENTRADA > 0"
                                                      << "select sum(\"Entrada\") from movstk where m.\"Entrada\" > 0";
        QTest::newRow("vacío frente a un número")
            << "delete from movstk where (ISNULL(costo) or costo='') and detalle=''"
            << "delete from movstk where (((costo) IS NULL) or costo=NULL) and detalle=''";
        QTest::newRow("punto y coma final") << "select * from familia;"
                                            << "select * from familia ORDER BY familia.id;";
        QTest::newRow("movimientos de un artículo")
            << "select Entrada from movstk as m where Numero='1' for update"
            << "select \"Entrada\" from movstk as m where Numero='1' ORDER BY m.numero, m.fecha NULLS FIRST, m.comprobante for update";
        // Taken as written: what is quoted, nulls placed already, and what has its own order or none to give.
        for (const char *propio : {"select 'like #01-01-2026# entrada;x'", "select a.numero from articulo a, familia f",
                                   "select distinct deposito from movstk", "select count(*) from familia",
                                   "select * from movstk where id in (select id from movstk)",
                                   "select * from familia order by codigo nulls last limit 1"})
            QTest::newRow(propio) << propio << propio;
        QTest::newRow("nulos como en el archivo")
            << "select (select x from t order by coalesce(a, b)) from t order by 1 desc, 2"
            << "select (select x from t order by coalesce(a, b) NULLS FIRST) from t order by 1 desc NULLS LAST, 2 NULLS FIRST";
    }
    void traduccion()
    {
        QFETCH(QString, sentencia);
        QTEST(dialectoServidor().traducir(sentencia), "servidor");
    }

    // Translated once and run for many values, a statement runs exactly as if each text had been translated
    // whole, on either engine's dialect, whichever value came before.
    void sentenciaConValorComoTraducidaEntera()
    {
        const SentenciaConValor s("select * from movstk where fecha <#01-02-2026# and deposito like '%1%' and fecha='",
                                  "' and costo>0");
        for (const SqlDialect &d : {SqlDialect(QSet<QString>{"fecha"}), dialectoServidor()})
            for (const char *valor : {"000012", "05-03-2026", "7", "", "7", "D''Angelo", "7"})
                QCOMPARE(s.traducida(d, valor), d.traducir(s.texto(valor)));
    }

    // The server's data copied into a file that opens as any: the same rows in every table; an existing file,
    // or the copy's own name taken, is refused and left as it was.
    void copiaDelServidorEnArchivo()
    {
        BaseDePrueba base(BaseDePrueba::Demo);
        base.ejecutar("INSERT INTO articulo(numero,codigo,nombre,detalle,alta,costo,stock) VALUES "
                      "('000099','0001','Llave de O''Brien',NULL,#05-03-2026#,2.675,0)");
        const QString servidor = base.copiarAlServidor();
        QTemporaryDir carpeta;
        const QString archivo = carpeta.filePath(copiaServidor::nombreDelDia(QDate(2026, 12, 7)));
        QCOMPARE(QFileInfo(archivo).fileName(), QStringLiteral("quendra-servidor-2026-12-07.accdb"));
        const auto cuentas = copiaServidor::aArchivo(servidor, archivo);
        QVERIFY(std::any_of(cuentas.begin(), cuentas.end(), [](const auto &c) { return c.tabla == "movstk"; }));
        Connection enServidor, enArchivo;
        enServidor.open(servidor);
        enArchivo.open(archivo);
        QCOMPARE(enArchivo.versionEsquema(), versionEsquema::actual);
        for (const char *sql : {"select * from familia order by id", "select * from articulo order by numero",
                                "select * from movstk order by id", "select * from deposito order by id"})
            QCOMPARE(filasComoTexto(*enArchivo.execute(sql)), filasComoTexto(*enServidor.execute(sql)));
        QVERIFY_THROWS_EXCEPTION(QuendraError, copiaServidor::aArchivo(servidor, archivo));
        QCOMPARE(enArchivo.execute("select count(*) from movstk")->field(0).text(),
                 enServidor.execute("select count(*) from movstk")->field(0).text());
    }

    void servidorQueNoSePuedeUsar_data()
    {
        pruebas::columnas<QString, int, QString>("direccion", "numero", "mensaje");
        QTest::newRow("usuario desconocido")
            << "postgresql://nadie@{servidor}/postgres" << int(QuendraError::AccesoRechazado)
            << "El servidor «postgresql://nadie@{servidor}/postgres» rechazó el acceso del usuario «nadie»";
        QTest::newRow("base inexistente")
            << "postgresql://postgres@{servidor}/no_existe" << int(QuendraError::FaltaBaseEnServidor)
            << "El servidor «postgresql://postgres@{servidor}/no_existe» no tiene la base de datos «no_existe»";
        QTest::newRow("nadie escucha")
            << "postgresql://postgres@127.0.0.1:1/postgres" << int(QuendraError::ServidorInalcanzable)
            << "No se pudo conectar con el servidor «postgresql://postgres@127.0.0.1:1/postgres»";
        QTest::newRow("sin las tablas, la clave no se muestra")
            << "postgresql://postgres:secreta@{servidor}/postgres" << int(QuendraError::BaseNoValida)
            << "A la base «postgresql://postgres@{servidor}/postgres» le falta la tabla articulo";
    }
    void servidorQueNoSePuedeUsar()
    {
        auto [direccion, numero, mensaje] = pruebas::fila<QString, int, QString>("direccion", "numero", "mensaje");
        const QString servidor = servidorDePruebas().section(QLatin1Char('@'), 1).section(QLatin1Char('/'), 0, 0);
        direccion.replace("{servidor}", servidor);
        mensaje.replace("{servidor}", servidor);
        mPrincipal::fijarArchivoBaseDatos(direccion);
        RegistroMensajes mensajes;
        mPrincipal::openBaseDatos();
        mPrincipal::fijarArchivoBaseDatos(QString());
        QVERIFY(!mPrincipal::conexion().isOpen());
        QCOMPARE(mensajes.textos().size(), 1);
        const QString texto = mensajes.textos().first();
        QVERIFY2(texto.startsWith(QStringLiteral("Error %1 (%2").arg(numero).arg(mensaje))
                     && texto.endsWith(") in procedure openBaseDatos of Módulo mPrincipal"),
                 qPrintable(texto));
    }

    // A shop's file arrives on the server unchanged; a second copy onto tables with rows is refused.
    void copiaDeUnArchivo()
    {
        QTemporaryDir dir;
        const QString archivo = dir.filePath("quendra.accdb");
        archivoBase::crear(archivo);
        datos::llenarDemo(archivo);
        Connection origen;
        origen.open(archivo);
        origen.execute("UPDATE articulo SET detalle='tab\tbarra\\ y\nsalto', costo=0.1 WHERE numero='000001'");
        origen.execute("INSERT INTO codigo_barras(numero,codigo) VALUES ('000001','4006381333931'),('000002','A 1')");
        origen.execute("INSERT INTO minimo(numero, deposito, minimo, reponer, proveedor) VALUES "
                       "('000001', '', 2.5, 10, 'Acme'), ('000001', '02', 1, NULL, 'O''Brien')");
        const QString destino = baseNuevaEnServidor(QStringLiteral("copia"));
        baseServidor::crear(destino);
        const auto cuentas = baseServidor::copiar(archivo, destino);
        // Every table of the file, those of the upgrade steps too.
        QCOMPARE(qsizetype(cuentas.size()), origen
                                                .execute("select count(*) from sqlite_master where type='table' "
                                                         "and name not like 'sqlite%'")
                                                ->field(0)
                                                .value()
                                                .toLongLong());
        for (const auto &c : cuentas)
            QCOMPARE(c.destino, c.origen);
        {
            Connection servidor;
            servidor.open(destino);
            for (const char *consulta : {"select * from familia order by id", "select * from articulo order by numero",
                                         "select * from movstk order by id", "select * from deposito order by id",
                                         "select * from codigo_barras order by id", "select * from minimo order by id"})
                QCOMPARE(filasComoTexto(*servidor.execute(consulta)), filasComoTexto(*origen.execute(consulta)));
            // The counter goes on after the copied rows.
            servidor.execute("INSERT INTO familia(codigo,familia) VALUES ('9999','Nueva')");
            QCOMPARE(servidor.execute("select count(distinct id) from familia")->field(0).text(),
                     QString::number(cuentas[0].origen + 1));
        }
        QVERIFY_THROWS_EXCEPTION(QuendraError, baseServidor::copiar(archivo, destino));
    }
};

QUENDRA_TEST(TestServidor)
#include "tst_server.moc"
