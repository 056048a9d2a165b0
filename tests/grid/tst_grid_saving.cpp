#include "grid_fixture.h"
#include "quendra_error.h"

#include <sqlite3.h>

// The statements the grid runs, as SQLite receives them.
class RegistroSentencias
{
public:
    RegistroSentencias() { sqlite3_trace_v2(mPrincipal::conexion().handle(), SQLITE_TRACE_STMT, anotar, this); }
    ~RegistroSentencias() { sqlite3_trace_v2(mPrincipal::conexion().handle(), 0, nullptr, nullptr); }
    QStringList escrituras() const
    {
        return sentencias.filter(QRegularExpression(QStringLiteral("^(UPDATE|delete)")));
    }
    QStringList sentencias;

private:
    static int anotar(unsigned, void *yo, void *, void *x)
    {
        static_cast<RegistroSentencias *>(yo)->sentencias << QString::fromUtf8(static_cast<const char *>(x));
        return 0;
    }
};

class TestGuardarYEliminar : public QObject
{
    Q_OBJECT
private slots:
    // F5 on an edited cell writes it back and says so.
    void guardar_data()
    {
        QTest::addColumn<QString>("consulta");
        QTest::addColumn<int>("fila");
        QTest::addColumn<int>("columna");
        QTest::addColumn<QString>("teclas");
        QTest::addColumn<QString>("leido"); // the column and the article where it is read back
        QTest::addColumn<QString>("guardado");
        const QString articulos = QString::fromLatin1(GrillaDePrueba::consultaArticulos);
        QTest::newRow("texto") << articulos << 1 << 1 << "Perno Enter Left F5" << "nombre 000001" << "Perno";
        QTest::newRow("comilla") << articulos << 2 << 1 << "D'Angelo Enter Left F5" << "nombre 000002" << "D'Angelo";
        QTest::newRow("fecha") << articulos << 2 << 2 << "05-03-2024 Enter Left F5" << "alta 000002" << "05-03-2024";
        QTest::newRow("número") << articulos << 4 << 3 << "12.5 Enter F5" << "costo 000004" << "12.5";
        QTest::newRow("clave fecha") << "select alta, nombre from articulo" << 1 << 1 << "Perno Enter Up F5"
                                     << "nombre 000001" << "Perno";
        QTest::newRow("clave número") << "select costo, nombre from articulo order by costo" << 3 << 1
                                      << "Perno Enter Up F5" << "nombre 000001" << "Perno";
        QTest::newRow("clave nula") << "select detalle, nombre from articulo order by numero" << 3 << 1
                                    << "Perno Enter Up F5" << "nombre 000003" << "Perno";
    }
    void guardar()
    {
        QFETCH(QString, consulta);
        QFETCH(int, fila);
        QFETCH(int, columna);
        QFETCH(QString, teclas);
        QFETCH(QString, leido);
        QFETCH(QString, guardado);
        GrillaDePrueba g;
        g.cargar(consulta);
        QSignalSpy despues(g.grid, &EditableGrid::despuesF5);
        g.clic(fila, columna);
        g.teclear(teclas);
        const QStringList donde = leido.split(' ');
        QCOMPARE(g.base.valor("select " + donde[0] + " from articulo where numero='" + donde[1] + "'"), guardado);
        QCOMPARE(g.mensajes.cajas(), QStringList{"Quendra|info|El dato:" + guardado + " fue guardado"});
        QCOMPARE(despues.count(), 1);
        QCOMPARE(g.celdaActual(), QStringLiteral("%1,%2").arg(fila).arg(columna));
        QCOMPARE(g.grid->Colum(), columna);
    }

    // Cases where F5 writes nothing: PresF5 is raised, then at most the cell check speaks.
    void guardarNoEscribe_data()
    {
        QTest::addColumn<std::optional<QStringList>>("claves");
        QTest::addColumn<QString>("tabla");
        QTest::addColumn<int>("columna");
        QTest::addColumn<QString>("teclas");
        QTest::addColumn<bool>("veto");
        QTest::addColumn<QString>("mensaje");
        const std::optional<QStringList> c0 = QStringList{"0"}, ninguna, vacia = QStringList{};
        const QString art = QStringLiteral("articulo"), x = QStringLiteral("x Enter Left F5");
        QTest::newRow("vetado por PresF5") << c0 << art << 2 << x << true << "";
        QTest::newRow("columna clave") << c0 << art << 0 << "F5" << false << "";
        QTest::newRow("celda en blanco") << c0 << art << 1 << "Back Back Back Back Back Back Enter Left F5" << false << "";
        QTest::newRow("sin lista de claves") << ninguna << art << 1 << "F5" << false << "";
        QTest::newRow("lista de claves vacía") << vacia << art << 1 << x << false << "";
        QTest::newRow("sin tabla") << c0 << QString() << 1 << x << false << "";
        QTest::newRow("fecha imposible") << c0 << art << 2 << "31-02-2024 Enter Left F5" << false << "Fecha incorrecta";
        QTest::newRow("número incorrecto") << c0 << art << 3 << "12x Enter Up F5" << false << "Número incorrecto";
    }
    void guardarNoEscribe()
    {
        QFETCH(std::optional<QStringList>, claves);
        QFETCH(QString, tabla);
        QFETCH(int, columna);
        QFETCH(QString, teclas);
        QFETCH(bool, veto);
        QFETCH(QString, mensaje);
        GrillaDePrueba g;
        g.cargar(QString::fromLatin1(GrillaDePrueba::consultaArticulos), claves, tabla);
        int presF5 = 0;
        QObject::connect(g.grid, &EditableGrid::PresF5, [&](bool &ok, QStringList &) { ++presF5; ok = !veto; });
        QSignalSpy despues(g.grid, &EditableGrid::despuesF5);
        RegistroSentencias registro;
        g.clic(2, columna);
        g.teclear(teclas);
        QCOMPARE(presF5, 1);
        QCOMPARE(g.grid->Colum(), columna);
        QCOMPARE(registro.escrituras(), QStringList{});
        QCOMPARE(g.mensajes.cajas(), mensaje.isEmpty() ? QStringList() : QStringList{"Quendra|error|" + mensaje});
        QCOMPARE(despues.count(), 0);
    }

    void guardarRecargaYPierdeLoNoGuardado()
    {
        GrillaDePrueba g;
        g.cargar();
        g.clic(2, 1);
        g.teclear("Arandela");
        g.clic(1, 1);
        g.teclear("Perno Enter Left F5");
        QCOMPARE(g.grid->Celda(2, 1), QStringLiteral("Tuerca"));
        QCOMPARE(g.grid->Celda(1, 1), QStringLiteral("Perno"));
    }

    void sentenciaRechazadaSeMuestraYLaGrillaSigue()
    {
        GrillaDePrueba g;
        g.cargar(QString::fromLatin1(GrillaDePrueba::consultaArticulos), QStringList{"0"}, QStringLiteral("noexiste"));
        g.grid->setEliminarOK(true);
        g.clic(1, 1);
        g.teclear("Perno Enter Left F5");
        QCOMPARE(g.mensajes.mostrados().size(), 1);
        QCOMPARE(g.mensajes.mostrados()[0].icono, QMessageBox::Critical);
        QVERIFY(g.mensajes.textos()[0].contains(QStringLiteral("noexiste")));
        g.teclear("Down");
        QCOMPARE(g.celdaActual(), QStringLiteral("2,1"));
        // A host that calls Eliminar itself gets the error.
        QVERIFY_THROWS_EXCEPTION(QuendraError, g.grid->Eliminar());
    }

    void eliminar_data()
    {
        QTest::addColumn<int>("fila");
        QTest::addColumn<QString>("antes"); // typed before Delete
        QTest::addColumn<bool>("permitir");
        QTest::addColumn<QMessageBox::StandardButton>("respuesta");
        QTest::addColumn<QString>("nombre"); // in the question, when one is asked
        QTest::addColumn<QString>("quedan");
        const QString todos = QStringLiteral("000001,000002,000003,000004");
        QTest::newRow("sí") << 2 << "" << true << QMessageBox::Yes << "Tuerca" << "000001,000003,000004";
        QTest::newRow("no") << 2 << "" << true << QMessageBox::No << "Tuerca" << todos;
        QTest::newRow("host que nunca permite") << 2 << "" << false << QMessageBox::Yes << "" << todos;
        QTest::newRow("texto con coma y detalle nulo") << 3 << "" << true << QMessageBox::Yes << "Cable 2,5 mm"
                                                       << "000001,000002,000004";
        QTest::newRow("fecha y costo nulos") << 4 << "" << true << QMessageBox::Yes << "Taco" << "000001,000002,000003";
        QTest::newRow("con un cambio sin guardar") << 1 << "Perno Right" << true << QMessageBox::Yes << "Perno"
                                                   << "000002,000003,000004";
    }
    void eliminar()
    {
        QFETCH(int, fila);
        QFETCH(QString, antes);
        QFETCH(bool, permitir);
        QFETCH(QMessageBox::StandardButton, respuesta);
        QFETCH(QString, nombre);
        QFETCH(QString, quedan);
        GrillaDePrueba g;
        g.cargar(QStringLiteral("select numero, nombre, detalle, alta, costo from articulo order by numero"));
        QStringList filaAvisada;
        QObject::connect(g.grid, &EditableGrid::antesEliminar, [&](QStringList &f) {
            filaAvisada = f;
            if (permitir)
                g.grid->setEliminarOK(true);
        });
        QSignalSpy despues(g.grid, &EditableGrid::despuesEliminar);
        g.mensajes.responder(respuesta);
        g.clic(fila, 1);
        g.teclear(antes + QStringLiteral(" Del"));
        QCOMPARE(filaAvisada.value(0), QStringLiteral("00000%1").arg(fila));
        QCOMPARE(g.mensajes.textos(), nombre.isEmpty() ? QStringList() : QStringList{"Esta seguro de eliminar a : " + nombre});
        for (const auto &m : g.mensajes.mostrados()) {
            QCOMPARE(m.icono, QMessageBox::NoIcon);
            QCOMPARE(m.botones, QMessageBox::Yes | QMessageBox::No);
        }
        QCOMPARE(g.base.valor("select group_concat(numero) from (select numero from articulo order by numero)"), quedan);
        const bool borrada = !quedan.contains(QStringLiteral("00000%1").arg(fila));
        QCOMPARE(despues.count(), borrada ? 1 : 0);
        QCOMPARE(g.grid->CantidadFilas(), int(quedan.count(QLatin1Char(',')) + 1));
    }

    void eliminarEnGrillaVaciaNoHaceNada()
    {
        GrillaDePrueba g;
        g.cargar(QStringLiteral("select numero, nombre from articulo where numero='x'"));
        g.grid->setEliminarOK(true);
        RegistroSentencias registro;
        g.teclear("Del");
        QCOMPARE(g.mensajes.mostrados().size(), 0);
        QCOMPARE(registro.escrituras(), QStringList{});
    }
};

QUENDRA_TEST(TestGuardarYEliminar)
#include "tst_grid_saving.moc"
