#include "connection.h"
#include "mprincipal.h"
#include "quendra_error.h"
#include "row_sink.h"
#include "test_database.h"
#include "test_main.h"

#include <QTest>

using mPrincipal::abrirConsulta;

class TestConexion : public QObject
{
    Q_OBJECT

    std::unique_ptr<BaseDePrueba> base;

private slots:
    void init()
    {
        base = std::make_unique<BaseDePrueba>();
        base->ejecutar(
            "INSERT INTO articulo(numero,nombre,alta,costo,stock) VALUES ('000001','ÑANDÚ grande',#04-12-2026#,1.5,2)");
        base->ejecutar(
            "INSERT INTO articulo(numero,nombre,alta,costo,stock) VALUES ('000002','Tuerca',#06-12-2026#,0.1,0)");
    }
    void cleanup() { base.reset(); }

    // A statement gives its result as the program's own dialect means it, or is refused and changes nothing.
    void traduccion_data()
    {
        pruebas::columnas<QString, QString>("consulta", "esperado"); // esperado null: refused
        const auto fila = [](const char *caso, const char *consulta, const char *esperado = nullptr) {
            QTest::newRow(caso) << consulta << QString::fromUtf8(esperado);
        };
        fila("# con un dígito", "select count(*) from articulo where alta >= #5-12-2026#", "1");
        fila("comillas junto a fecha", "select numero from articulo where alta='06-12-2026'", "000002");
        fila("comillas a la izquierda", "select numero from articulo where '06-12-2026' = alta", "000002");
        fila("ISNULL", "select count(*) from articulo where ISNULL(detalle) and not isnull( (nombre) )", "2");
        fila("like con acentos", "select numero from articulo where nombre like '%ñandú%'", "000001");
        fila("like sin acento no iguala", "select count(*) from articulo where nombre like '%nandu%'", "0");
        fila("like _", "select numero from articulo where nombre like 'T_erca'", "000002");
        fila("# dentro de comillas no cambia", "select '#05-12-2026#'", "#05-12-2026#");
        fila("barra sin escape", "select count(*) from articulo where numero || '\\_' like '%2\\_%'", "1");
        fila("orden de bytes", "select numero from articulo order by nombre desc", "000001");
        fila("condición como número", "select count(*) > 1 from articulo", "1");
        fila("suma y max vacíos son nulos",
             "select (sum(stock) is null) and (max(numero) is null) from articulo where numero='x'", "1");
        fila("día imposible entre comillas", "UPDATE articulo SET alta='31-02-2024'");
        fila("día imposible entre #", "UPDATE articulo SET alta=#31-02-2024#");
        fila("fecha ISO imposible", "UPDATE articulo SET alta='2024-02-31'");
        fila("importe no numérico", "UPDATE articulo SET costo='abc'");
        fila("dos sentencias", "UPDATE articulo SET stock=99; DELETE FROM articulo");
        fila("sintaxis", "UPDATE articulo SE stock=1");
    }
    void traduccion()
    {
        const auto [consulta, esperado] = pruebas::fila<QString, QString>("consulta", "esperado");
        const char *todo = "select * from articulo order by numero";
        const QStringList antes = base->filas(todo);
        if (esperado.isNull())
            QVERIFY_THROWS_EXCEPTION(QuendraError, base->ejecutar(consulta));
        else
            QCOMPARE(base->valor(consulta), esperado);
        QCOMPARE(base->filas(todo), antes);
    }

    // A quoted day-first date is stored as a date; the same text in a text column stays as typed.
    void fechaEntreComillasSeGuardaComoFecha()
    {
        base->ejecutar("UPDATE articulo SET alta='05-12-2026', detalle='05-12-2026' WHERE numero='000001'");
        base->ejecutar("INSERT INTO familia(codigo,familia) VALUES ('0001',#05-12-2026#)");
        QCOMPARE(base->filas("select numero, alta, detalle from articulo where alta > #04-12-2026# order by alta"),
                 (QStringList{"000001 05-12-2026 05-12-2026", "000002 06-12-2026 "}));
        QCOMPARE(base->valor("select familia from familia"), QStringLiteral("05-12-2026"));
    }

    // Rows inserted many to a statement are stored as one statement for each would store them: every row's
    // values go to their own columns, a date to a date column as a date and to a text column as typed.
    void variasFilasComoUnaPorSentencia()
    {
        const QStringList cols{"numero", "nombre", "detalle", "alta", "costo"};
        const QList<QStringList> filas{{"000010", "05-12-2026", "", "06-12-2026", "2,5"},
                                       {"000011", "Tornillo", "07-12-2026", "", "3"},
                                       {"000012", "D'Angelo", "x", "08-12-2026", ""}};
        const char *nuevas = "select numero, nombre, detalle, alta, costo from articulo where numero > '000009' "
                             "order by numero";
        for (const QStringList &f : filas)
            base->ejecutar(mPrincipal::sentenciaInsert("articulo", cols, f));
        const QStringList unaPorSentencia = base->filas(nuevas);
        base->ejecutar("delete from articulo where numero > '000009'");
        mPrincipal::conexion().executeAll({mPrincipal::sentenciaInsertFilas("articulo", cols, filas)});
        QCOMPARE(base->filas(nuevas), unaPorSentencia);
    }

    // Hundreds of writes run in order; one that fails stops them, the transaction rolled back leaves nothing
    // of those before it, and the connection is ready for the next statement.
    void escrituras_data()
    {
        pruebas::columnas<int>("falla"); // the failing statement; -1 none
        QTest::newRow("todas") << -1;
        QTest::newRow("la primera") << 0;
        QTest::newRow("en la segunda parte") << 300;
        QTest::newRow("la última") << 599;
    }
    void escrituras()
    {
        QFETCH(int, falla);
        // A query among them too, its rows dropped.
        QStringList sentencias(600, "update articulo set stock=stock+1 where numero='000002'");
        sentencias[0] = "select numero, stock from articulo order by numero";
        if (falla >= 0)
            sentencias[falla] = "update articulo set nada=1";
        Connection &c = mPrincipal::conexion();
        {
            Transaction t(c);
            QCOMPARE(base->valor("select count(*) from articulo"), QStringLiteral("2"));
            if (falla >= 0) {
                QVERIFY_THROWS_EXCEPTION(QuendraError, c.executeAll(sentencias));
            } else {
                c.executeAll(sentencias);
                t.commit();
            }
        }
        QVERIFY(!c.inTransaction());
        QCOMPARE(base->valor("select stock from articulo where numero='000002'"), falla >= 0 ? "0" : "599");
        c.executeAll({"update articulo set stock=stock+1 where numero='000001'"});
        QCOMPARE(base->valor("select stock from articulo where numero='000001'"), QStringLiteral("3"));
    }
};

class TestSentencias : public QObject
{
    Q_OBJECT
private slots:
    // One value as the insert builder writes it and as the update builder assigns it.
    void valores_data()
    {
        pruebas::columnas<QString, QString, QString>("valor", "insertado", "asignado");
        const auto fila = [](const char *caso, const char *valor, const char *insertado, const char *asignado) {
            QTest::newRow(caso) << valor << insertado << asignado;
        };
        fila("vacío es NULL", "", "NULL", "NULL");
        fila("comilla doblada", "D'Angelo", "'D''Angelo'", "'D''Angelo'");
        fila("coma de número", "3,5", "'3.5'", "'3.5'");
        fila("fecha", "05-12-2026", "#05-12-2026#", "'05-12-2026'");
        fila("blancos no son vacío", "   ", "'   '", "'   '");
        fila("# que no es fecha", "#abc", "'#abc'", "'#abc'");
    }
    void valores()
    {
        const auto [valor, insertado, asignado] =
            pruebas::fila<QString, QString, QString>("valor", "insertado", "asignado");
        QCOMPARE(mPrincipal::sentenciaInsert("familia", {"codigo", "familia"}, {"0007", valor}),
                 "INSERT INTO familia(codigo,familia) VALUES ('0007'," + insertado + ')');
        QCOMPARE(mPrincipal::sentenciaUpdate("articulo", {"nombre", "alta"}, {"x", valor}, "numero='000012'"),
                 "UPDATE articulo SET nombre='x',alta=" + asignado + " WHERE numero='000012'");
    }

    // What the builders write is what a reader gets back; unequal lists are refused.
    void idaYVuelta()
    {
        BaseDePrueba base;
        const QStringList cols{"numero", "codigo", "nombre", "detalle", "alta", "costo", "stock"};
        mPrincipal::insertarRegistro("articulo", cols, {"000012", "0003", "D'Angelo", "", "05-12-2026", "12,5", "3"});
        auto rs = mPrincipal::abrirConsulta("select * from articulo where numero='000012'");
        QCOMPARE(rs->field("NOMBRE").text(), QStringLiteral("D'Angelo"));
        QVERIFY_THROWS_EXCEPTION(QuendraError, rs->field("inexistente"));
        QCOMPARE(rs->field("alta").value().toDate(), QDate(2026, 12, 5));
        QCOMPARE(rs->field("costo").value().toDouble(), 12.5);
        QVERIFY(rs->field("detalle").isNull());
        mPrincipal::actualizarRegistro("articulo", {"alta", "costo"}, {"01-02-2027", "0,25"}, "numero='000012'");
        QCOMPARE(base.filas("select alta, costo from articulo"), QStringList{"01-02-2027 0.25"});
        QVERIFY_THROWS_EXCEPTION(QuendraError, mPrincipal::sentenciaInsert("t", {"a", "b"}, {"1"}));
    }
};

// A reader that gives up halfway through the rows leaves the connection, and
// its transaction, as ready for the next statement as one that read them all.
class TestLecturaDeFilas : public QObject
{
    Q_OBJECT

    // Counts the columns call and the rows; throws on the given one (0: the columns).
    struct Lector final : RowSink
    {
        int corte = -1, vistas = 0;
        void columns(const QStringList &, const std::vector<TipoCampo> &) override { contar(); }
        void row(std::span<const CellValue>) override { contar(); }
        void contar()
        {
            if (vistas++ == corte)
                throw QuendraError(QuendraError::NombreDesconocido, QStringLiteral("lector que se rinde"));
        }
    };

private slots:
    void lectorQueSeRinde_data()
    {
        pruebas::columnas<int, bool>("corte", "enTransaccion");
        QTest::newRow("en las columnas") << 0 << false;
        QTest::newRow("en la primera fila") << 1 << false;
        QTest::newRow("a mitad, en una transacción") << 5 << true;
        QTest::newRow("nunca") << -1 << true;
    }
    void lectorQueSeRinde()
    {
        const auto [corte, enTransaccion] = pruebas::fila<int, bool>("corte", "enTransaccion");
        BaseDePrueba base(BaseDePrueba::Demo);
        Connection &c = mPrincipal::conexion();
        const QString cuenta = QStringLiteral("select count(*) from movstk");
        const int movimientos = base.valor(cuenta).toInt();
        if (enTransaccion) {
            c.begin();
            base.ejecutar(QStringLiteral("delete from movstk where id in (select min(id) from movstk)"));
        }
        const int quedan = movimientos - (enTransaccion ? 1 : 0);
        Lector lector;
        lector.corte = corte;
        const QString todos = QStringLiteral("select id, fecha, Entrada, detalle from movstk order by id");
        if (corte < 0)
            c.read(todos, lector);
        else
            QVERIFY_THROWS_EXCEPTION(QuendraError, c.read(todos, lector));
        QCOMPARE(lector.vistas, corte < 0 ? quedan + 1 : corte + 1);
        QCOMPARE(base.valor(cuenta).toInt(), quedan);
        QCOMPARE(c.inTransaction(), enTransaccion);
        c.rollback();
        QCOMPARE(base.valor(cuenta).toInt(), movimientos);
    }

    // Statements run for many values give what each text read whole gives, in order; a sink refused or an
    // error ends the run and leaves the connection ready. On the server they go through the pipeline, a
    // value with a quote or a statement whose value stands outside quotes the plain way.
    void porValores_data()
    {
        pruebas::columnas<QStringList, QStringList, int, bool>("sentencias", "valores", "corte", "falla");
        const QStringList dos{"select comprobante, Entrada from movstk where numero='|' and Entrada>0",
                              "select nombre, costo from articulo where numero='|'"};
        const QStringList numeros{"000001", "000008", "999999", "000010", "000011"};
        QTest::newRow("todos") << dos << numeros << -1 << false;
        QTest::newRow("un valor con comilla") << dos << QStringList{"000008", "O''Brien", "000010"} << -1 << false;
        QTest::newRow("valor fuera de comillas")
            << QStringList{"select count(*) from movstk where id < |", "select max(id) from movstk where id < |"}
            << QStringList{"3", "40"} << -1 << false;
        QTest::newRow("el destino corta en el tercero") << dos << numeros << 5 << false;
        QTest::newRow("la segunda sentencia falla")
            << QStringList{dos[0], "select nada from articulo where numero='|'"} << numeros << -1 << true;
    }
    void porValores()
    {
        const auto [textos, valores, corte, falla] =
            pruebas::fila<QStringList, QStringList, int, bool>("sentencias", "valores", "corte", "falla");
        BaseDePrueba base(BaseDePrueba::Demo);
        std::vector<SentenciaConValor> sentencias;
        std::vector<const SentenciaConValor *> punteros;
        for (const QString &t : textos)
            sentencias.emplace_back(t.section('|', 0, 0), t.section('|', 1));
        for (const SentenciaConValor &s : sentencias)
            punteros.push_back(&s);
        // Each result's rows as texts, in order.
        struct Juntar final : RowSink
        {
            QStringList filas;
            void columns(const QStringList &n, const std::vector<TipoCampo> &) override { filas << n.join(','); }
            void row(std::span<const CellValue> v) override
            {
                QString f;
                for (const CellValue &c : v)
                    f += c.kind == CellValue::Kind::Text
                             ? QString::fromUtf8(c.text.data(), c.text.size())
                             : QString::number(c.kind == CellValue::Kind::Real ? c.real : double(c.integer));
                filas << f;
            }
        } leido, esperado;
        int llamadas = 0;
        const auto destino = [&](qsizetype, qsizetype) -> RowSink * { return llamadas++ == corte ? nullptr : &leido; };
        Connection &c = mPrincipal::conexion();
        if (falla)
            QVERIFY_THROWS_EXCEPTION(QuendraError, c.readEach(punteros, valores, destino));
        else
            c.readEach(punteros, valores, destino);
        for (qsizetype i = 0, n = 0; i < valores.size() && !falla; ++i)
            for (const SentenciaConValor &s : sentencias)
                if (corte < 0 || n++ < corte)
                    c.read(s.texto(valores[i]), esperado);
        QCOMPARE(leido.filas, falla ? leido.filas : esperado.filas);
        QVERIFY(!falla || leido.filas.size() <= 4); // the first value's first result at most
        QVERIFY(!c.inTransaction());
        QCOMPARE(base.valor("select count(*) from articulo where numero='000008'"), QStringLiteral("1"));
    }
};

QUENDRA_TEST(TestConexion)
QUENDRA_TEST(TestSentencias)
QUENDRA_TEST(TestLecturaDeFilas)
#include "tst_connection.moc"
