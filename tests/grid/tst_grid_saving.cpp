#include "grid_fixture.h"
#include "grid_statements.h"
#include "quendra_error.h"
#include "type_codes.h"

namespace {
QStringList articulos(const GrillaDePrueba &g)
{
    return g.base.filas(QStringLiteral("select * from articulo order by numero"));
}

// "NUMERO:202:000012|NOMBRE:202:Tornillo" -> headers, types and texts.
sentenciasGrilla::Fila filaDe(const QString &descripcion)
{
    sentenciasGrilla::Fila f;
    for (const QString &celda : descripcion.split(QLatin1Char('|'))) {
        const QStringList partes = celda.split(QLatin1Char(':'));
        f.encabezados << partes[0];
        f.tipos << TipoCampo(partes[1].toInt());
        f.textos << partes.mid(2).join(QLatin1Char(':'));
    }
    return f;
}
} // namespace

class TestGuardarYEliminar : public QObject
{
    Q_OBJECT
private slots:
    // F5 raises PresF5, then writes the edited cell back and says so; or it writes nothing: vetoed by
    // the host, a key column, a blank cell, no keys or table, or a cell its check refuses.
    void guardar_data()
    {
        // resultado: the column and article read back, the first word typed being stored and told; a refusal's box; or "".
        pruebas::columnas<QString, std::optional<QStringList>, QString, int, int, QString, bool, QString>(
            "consulta", "claves", "tabla", "fila", "columna", "teclas", "veto", "resultado");
        const QString art = QString::fromLatin1(GrillaDePrueba::consultaArticulos), t = QStringLiteral("articulo");
        const std::optional<QStringList> c0 = QStringList{"0"}, ninguna, vacia = QStringList{};
        const QString x = QStringLiteral("x Enter Left F5");
        QTest::newRow("comilla") << art << c0 << t << 2 << 1 << "D'Angelo Enter Left F5" << false << "nombre 000002";
        QTest::newRow("fecha") << art << c0 << t << 2 << 2 << "05-03-2024 Enter Left F5" << false << "alta 000002";
        QTest::newRow("número") << art << c0 << t << 4 << 3 << "12.5 Enter F5" << false << "costo 000004";
        const QString porAlta = "select alta, nombre from articulo";
        const QString porCosto = "select costo, nombre from articulo where costo > 0 order by costo";
        const QString porDetalle = "select detalle, nombre from articulo order by numero";
        QTest::newRow("clave fecha") << porAlta << c0 << t << 1 << 1 << "Perno Enter Up F5" << false << "nombre 000001";
        QTest::newRow("clave número") << porCosto << c0 << t << 2 << 1 << "Perno Enter Up F5" << false
                                      << "nombre 000001";
        QTest::newRow("clave nula") << porDetalle << c0 << t << 3 << 1 << "Perno Enter Up F5" << false
                                    << "nombre 000003";
        QTest::newRow("vetado por PresF5") << art << c0 << t << 2 << 2 << x << true << "";
        QTest::newRow("columna clave") << art << c0 << t << 2 << 0 << "F5" << false << "";
        QTest::newRow("celda en blanco") << art << c0 << t << 4 << 1 << "Back Back Back Back Enter Left F5" << false
                                         << "";
        QTest::newRow("sin lista de claves") << art << ninguna << t << 2 << 1 << "x F2 Back Enter F5" << false << "";
        QTest::newRow("lista de claves vacía") << art << vacia << t << 2 << 1 << x << false << "";
        QTest::newRow("sin tabla") << art << c0 << QString() << 2 << 1 << x << false << "";
        QTest::newRow("fecha imposible") << art << c0 << t << 2 << 2 << "31-02-2024 Enter Left F5" << false
                                         << "Quendra|error|Fecha incorrecta";
        QTest::newRow("número incorrecto")
            << art << c0 << t << 2 << 3 << "12x Enter Up F5" << false << "Quendra|error|Número incorrecto";
    }
    void guardar()
    {
        const auto [consulta, claves, tabla, fila, columna, teclas, veto, resultado] =
            pruebas::fila<QString, std::optional<QStringList>, QString, int, int, QString, bool, QString>(
                "consulta", "claves", "tabla", "fila", "columna", "teclas", "veto", "resultado");
        GrillaDePrueba g;
        g.cargar(consulta, claves, tabla);
        int presF5 = 0;
        QObject::connect(g.grid, &EditableGrid::PresF5, [&](bool &ok, QStringList &) {
            ++presF5;
            ok = !veto;
        });
        QSignalSpy despues(g.grid, &EditableGrid::despuesF5);
        const QStringList antes = articulos(g);
        g.clic(fila, columna);
        g.teclear(teclas);
        QCOMPARE(presF5, 1);
        QCOMPARE(g.grid->Colum(), columna);
        const bool escrito = !resultado.isEmpty() && !resultado.contains('|');
        const QString dato = teclas.section(' ', 0, 0);
        QCOMPARE(g.mensajes.cajas().join('\n'), escrito ? "Quendra|info|El dato:" + dato + " fue guardado" : resultado);
        QCOMPARE(despues.count(), escrito ? 1 : 0);
        // The cell and its row in the record of changes go together.
        const QStringList registro = g.base.filas("select tipo || '|' || nuevo from registro_cambios");
        QCOMPARE(registro, escrito ? QStringList{"celda-grilla|" + dato} : QStringList{});
        if (!escrito) {
            QCOMPARE(articulos(g), antes);
            return;
        }
        const QStringList donde = resultado.split(' ');
        QCOMPARE(g.base.valor("select " + donde[0] + " from articulo where numero='" + donde[1] + "'"), dato);
        QCOMPARE(g.celdaActual(), QStringLiteral("%1,%2").arg(fila).arg(columna));
    }

    // A click elsewhere leaves the typed text in its cell, unsaved; a save reloads and loses it.
    void guardarRecargaYPierdeLoNoGuardado()
    {
        GrillaDePrueba g;
        g.cargar();
        g.clic(2, 1);
        g.teclear("Arandela");
        g.clic(1, 1);
        QCOMPARE(g.grid->Celda(2, 1), QStringLiteral("Arandela"));
        QCOMPARE(g.vista->model()->index(1, 1).data(Qt::BackgroundRole), QVariant());
        QCOMPARE(g.vista->model()->index(0, 1).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 192));
        QCOMPARE(g.base.valor("select nombre from articulo where numero='000002'"), QStringLiteral("Tuerca"));
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
        QCOMPARE(g.mensajes.cajas().size(), 1);
        QVERIFY(g.mensajes.cajas()[0].contains(QRegularExpression("^[^|]*\\|error\\|.*noexiste")));
        g.teclear("Down");
        QCOMPARE(g.celdaActual(), QStringLiteral("2,1"));
        // A host that calls Eliminar itself gets the error.
        QVERIFY_THROWS_EXCEPTION(QuendraError, g.grid->Eliminar());
    }

    void eliminar_data()
    {
        // antes: typed before Delete; nombre: in the question, when one is asked.
        pruebas::columnas<int, QString, bool, QMessageBox::StandardButton, QString, QString>(
            "fila", "antes", "permitir", "respuesta", "nombre", "quedan");
        const QString todos = QStringLiteral("000001,000002,000003,000004");
        QTest::newRow("sí") << 2 << "" << true << QMessageBox::Yes << "Tuerca"
                            << "000001,000003,000004";
        QTest::newRow("no") << 2 << "" << true << QMessageBox::No << "Tuerca" << todos;
        QTest::newRow("host que nunca permite") << 2 << "" << false << QMessageBox::Yes << "" << todos;
        QTest::newRow("fecha y costo nulos") << 4 << "" << true << QMessageBox::Yes << "Taco"
                                             << "000001,000002,000003";
        QTest::newRow("cambio sin guardar") << 1 << "Perno Right" << true << QMessageBox::Yes << "Perno"
                                            << "000002,000003,000004";
    }
    void eliminar()
    {
        const auto [fila, antes, permitir, respuesta, nombre, quedan] =
            pruebas::fila<int, QString, bool, QMessageBox::StandardButton, QString, QString>(
                "fila", "antes", "permitir", "respuesta", "nombre", "quedan");
        GrillaDePrueba g;
        g.cargar(QStringLiteral("select numero, nombre, detalle, alta, costo from articulo order by numero"));
        QStringList filaAvisada;
        QObject::connect(g.grid, &EditableGrid::antesEliminar, [&](QStringList &f) {
            filaAvisada = f;
            g.grid->setEliminarOK(permitir);
        });
        QSignalSpy despues(g.grid, &EditableGrid::despuesEliminar);
        g.mensajes.responder(respuesta);
        g.clic(fila, 1);
        g.teclear(antes + QStringLiteral(" Del"));
        QCOMPARE(filaAvisada.value(0), QStringLiteral("00000%1").arg(fila));
        QCOMPARE(g.mensajes.textos(),
                 nombre.isEmpty() ? QStringList() : QStringList{"Esta seguro de eliminar a : " + nombre});
        for (const auto &m : g.mensajes.mostrados())
            QVERIFY(m.icono == QMessageBox::NoIcon && m.botones == (QMessageBox::Yes | QMessageBox::No));
        QCOMPARE(g.base.filas("select numero from articulo order by numero").join(','), quedan);
        const bool borrada = !quedan.contains(QStringLiteral("00000%1").arg(fila));
        QCOMPARE(despues.count(), borrada ? 1 : 0);
        QCOMPARE(g.base.filas("select tipo || '|' || numero from registro_cambios"),
                 borrada ? QStringList{QStringLiteral("articulo-baja|00000%1").arg(fila)} : QStringList{});
        QCOMPARE(g.grid->CantidadFilas(), int(quedan.count(QLatin1Char(',')) + 1));
    }
};

// The statements themselves, for cells that typing cannot give the grid: quoted keys, decimal commas, two keys.
class TestSentenciasGrilla : public QObject
{
    Q_OBJECT
private slots:
    // The edited cell is the row's last; the statement after "UPDATE articulo SET ", or none without keys.
    void actualizacion_data()
    {
        pruebas::columnas<QString, QList<int>, QString>("celdas", "claves", "esperada");
        const QList<int> c0{0};
        QTest::newRow("comillas") << "NUMERO:202:O'Neil|NOMBRE:202:D'Angelo" << c0
                                  << "NOMBRE = 'D''Angelo' where NUMERO = 'O''Neil'";
        QTest::newRow("número con coma") << "NUMERO:202:000012|COSTO:4:12,5" << c0
                                         << "COSTO =12.5 where NUMERO = '000012'";
        QTest::newRow("clave decimal con coma") << "D:131:12,5|NOMBRE:202:X" << c0 << "NOMBRE = 'X' where D = 12.5";
        QTest::newRow("clave simple vacía") << "COSTO:4:|NOMBRE:202:X" << c0 << "NOMBRE = 'X' where ISNULL(COSTO)";
        QTest::newRow("dos claves en orden")
            << "A:202:1|B:202:2|C:202:3" << QList<int>{1, 0} << "C = '3' where B = '2' and A = '1'";
        QTest::newRow("clave no numérica")
            << "COSTO:4:1 or 1=1|NOMBRE:202:X" << c0 << "NOMBRE = 'X' where COSTO = '1 or 1=1'";
        QTest::newRow("sin claves") << "A:202:1" << QList<int>{} << "";
        QTest::newRow("clave fuera de la fila") << "A:202:1" << QList<int>{3} << "";
    }
    void actualizacion()
    {
        const auto [celdas, claves, esperada] =
            pruebas::fila<QString, QList<int>, QString>("celdas", "claves", "esperada");
        const sentenciasGrilla::Fila f = filaDe(celdas);
        const int editada = int(f.textos.size()) - 1;
        if (esperada.isEmpty())
            QVERIFY_THROWS_EXCEPTION(QuendraError, sentenciasGrilla::actualizacion("articulo", f, editada, claves));
        else
            QCOMPARE(sentenciasGrilla::actualizacion("articulo", f, editada, claves),
                     "UPDATE articulo SET " + esperada);
    }

    // The statement after "delete from T where ".
    void eliminacion_data()
    {
        pruebas::columnas<QString, QString>("celdas", "esperada");
        QTest::newRow("coma en número") << "COSTO:4:3,5|D:131:1,5"
                                        << "COSTO=3.5 and D='1.5'";
        QTest::newRow("comillas") << "NOMBRE:202:D'Angelo"
                                  << "NOMBRE='D''Angelo'";
    }
    void eliminacion()
    {
        const auto [celdas, esperada] = pruebas::fila<QString, QString>("celdas", "esperada");
        QCOMPARE(sentenciasGrilla::eliminacion(QStringLiteral("T"), filaDe(celdas)), "delete from T where " + esperada);
    }

    // A cell of blanks is as empty as one with nothing in it: saving it would wipe the stored text.
    void blancosComoVacia()
    {
        QVERIFY(sentenciasGrilla::chequear(QStringLiteral("   "), TipoCampo::Texto)
                == sentenciasGrilla::Chequeo::Vacia);
    }
};

QUENDRA_TEST(TestGuardarYEliminar)
QUENDRA_TEST(TestSentenciasGrilla)
#include "tst_grid_saving.moc"
