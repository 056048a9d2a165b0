#include "grid_fixture.h"
#include "quendra_error.h"

#include <QFontMetricsF>
#include <QHeaderView>
#include <cmath>

class TestCargaGrilla : public QObject
{
    Q_OBJECT

    // The exact width the grid must give a column: its widest text laid out whole, plus 8.
    static int anchoEsperado(const QFont &fuente, const QStringList &textos)
    {
        QFontMetricsF fm(fuente);
        qreal mayor = 0;
        for (const QString &t : textos)
            mayor = qMax(mayor, fm.horizontalAdvance(t));
        return int(std::ceil(mayor)) + 8;
    }

private slots:
    void consultaConFilas()
    {
        GrillaDePrueba g;
        int clics = 0;
        QObject::connect(g.grid, &EditableGrid::ClicMouse, [&] { ++clics; });
        g.cargar();
        QCOMPARE(g.grid->CantidadFilas(), 4);
        QCOMPARE(g.grid->EstaVacio(), false);
        QCOMPARE(g.grid->Celda(0, 1), QStringLiteral("NOMBRE"));
        QCOMPARE(g.grid->Celda(1, 2), QStringLiteral("05-03-2024"));
        QCOMPARE(g.grid->Celda(2, 3), QStringLiteral("0.12"));
        QCOMPARE(g.grid->Celda(4, 2), QString()); // null
        QCOMPARE(g.grid->NombreTabla(), QStringLiteral("articulo"));
        QCOMPARE(g.celdaActual(), QStringLiteral("1,0"));
        QCOMPARE(g.vista->model()->index(0, 0).data(Qt::BackgroundRole).value<QColor>(), QColor(255, 255, 192));
        QCOMPARE(clics, 0); // nothing is chosen by loading
        QVERIFY_THROWS_EXCEPTION(QuendraError, g.grid->Celda(5, 0));
    }

    void consultaSinFilasYSegundaCarga()
    {
        GrillaDePrueba g;
        g.cargar();
        g.cargar(QStringLiteral("select codigo, familia from familia"));
        QCOMPARE(g.grid->CantidadFilas(), 1);
        QCOMPARE(g.grid->EstaVacio(), true);
        QCOMPARE(g.vista->model()->columnCount(), 2);
        QCOMPARE(g.grid->Celda(0, 1), QStringLiteral("FAMILIA"));
        QCOMPARE(g.grid->Celda(1, 0), QString());
    }

    void consultaFallidaDejaLaGrillaComoEstaba()
    {
        GrillaDePrueba g;
        g.cargar();
        QVERIFY_THROWS_EXCEPTION(QuendraError, g.cargar(QStringLiteral("select nada from ningunlado")));
        QCOMPARE(g.grid->CantidadFilas(), 4);
        QCOMPARE(g.grid->Celda(1, 1), QStringLiteral("Tornillo"));
    }

    // Many texts whose letters kern against each other: the quick measure must
    // still find the widest as a full layout does.
    void anchoExactoConMuchasFilas()
    {
        GrillaDePrueba g;
        QStringList textos{QStringLiteral("NOMBRE")};
        const QStringList piezas{"AV", "To", "WA", "ll", "MM", "Ty", "ii", "Ñá", "Yo", "LT"};
        g.base.ejecutar("BEGIN");
        for (int i = 0; i < 3000; ++i) {
            QString t;
            for (int k = 0, v = i; k < 6; ++k, v = v * 7 + 3)
                t += piezas[(v + k) % piezas.size()];
            textos << t;
            g.base.ejecutar(QStringLiteral("INSERT INTO familia(codigo,familia) VALUES ('%1','%2')").arg(i).arg(t));
        }
        g.base.ejecutar("COMMIT");
        g.cargar(QStringLiteral("select familia from familia"), std::nullopt, QString());
        QCOMPARE(g.vista->columnWidth(0), anchoEsperado(g.vista->font(), textos));
    }
};

QUENDRA_TEST(TestCargaGrilla)
#include "tst_grid_loading.moc"
