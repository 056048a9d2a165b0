#include "grid_statements.h"
#include "quendra_error.h"
#include "test_main.h"
#include "type_codes.h"

using sentenciasGrilla::Fila;
Q_DECLARE_METATYPE(Fila)

namespace {
// "NUMERO:202:000012|NOMBRE:202:Tornillo" -> headers, types and texts.
Fila fila(const QString &descripcion)
{
    Fila f;
    for (const QString &celda : descripcion.split(QLatin1Char('|'))) {
        const QStringList partes = celda.split(QLatin1Char(':'));
        f.encabezados << partes[0];
        f.tipos << partes[1].toInt();
        f.textos << partes.mid(2).join(QLatin1Char(':'));
    }
    return f;
}
} // namespace

class TestSentenciasGrilla : public QObject
{
    Q_OBJECT
private slots:
    // The edited cell is the row's last; the statement after "UPDATE articulo SET ".
    void actualizacion_data()
    {
        pruebas::columnas<QString, QList<int>, QString>("celdas", "claves", "esperada");
        const QList<int> c0{0};
        QTest::newRow("comillas") << "NUMERO:202:O'Neil|NOMBRE:202:D'Angelo" << c0
            << "NOMBRE = 'D''Angelo' where NUMERO = 'O''Neil'";
        QTest::newRow("número con coma") << "NUMERO:202:000012|COSTO:4:12,5" << c0 << "COSTO =12.5 where NUMERO = '000012'";
        QTest::newRow("clave decimal con coma") << "D:131:12,5|NOMBRE:202:X" << c0 << "NOMBRE = 'X' where D = 12.5";
        QTest::newRow("clave simple vacía") << "COSTO:4:|NOMBRE:202:X" << c0 << "NOMBRE = 'X' where ISNULL(COSTO)";
        QTest::newRow("dos claves en orden") << "A:202:1|B:202:2|C:202:3" << QList<int>{1, 0}
            << "C = '3' where B = '2' and A = '1'";
        QTest::newRow("clave no numérica") << "COSTO:4:1 or 1=1|NOMBRE:202:X" << c0
            << "NOMBRE = 'X' where COSTO = '1 or 1=1'";
    }
    void actualizacion()
    {
        const auto [celdas, claves, esperada] =
            pruebas::fila<QString, QList<int>, QString>("celdas", "claves", "esperada");
        const Fila f = fila(celdas);
        QCOMPARE(sentenciasGrilla::actualizacion(QStringLiteral("articulo"), f, int(f.textos.size()) - 1, claves),
                 "UPDATE articulo SET " + esperada);
    }

    void actualizacionSinClavesSeRechaza()
    {
        const Fila a = fila(QStringLiteral("A:202:1"));
        QVERIFY_THROWS_EXCEPTION(QuendraError, sentenciasGrilla::actualizacion(QStringLiteral("t"), a, 0, {}));
        QVERIFY_THROWS_EXCEPTION(QuendraError, sentenciasGrilla::actualizacion(QStringLiteral("t"), a, 0, {3}));
    }

    // The statement after "delete from T where ".
    void eliminacion_data()
    {
        pruebas::columnas<QString, QString>("celdas", "esperada");
        QTest::newRow("coma en número") << "COSTO:4:3,5|D:131:1,5" << "COSTO=3.5 and D='1.5'";
        QTest::newRow("comillas") << "NOMBRE:202:D'Angelo" << "NOMBRE='D''Angelo'";
    }
    void eliminacion()
    {
        const auto [celdas, esperada] = pruebas::fila<QString, QString>("celdas", "esperada");
        QCOMPARE(sentenciasGrilla::eliminacion(QStringLiteral("T"), fila(celdas)), "delete from T where " + esperada);
    }

    // A cell of blanks is as empty as one with nothing in it: saving it would wipe the stored text.
    void blancosComoVacia()
    {
        QVERIFY(sentenciasGrilla::chequear(QStringLiteral("   "), TipoCampo::Texto) == sentenciasGrilla::Chequeo::Vacia);
    }
};

QUENDRA_TEST(TestSentenciasGrilla)
#include "tst_grid_statements.moc"
