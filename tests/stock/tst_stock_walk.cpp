// A long random day at the counter, through the stock operations only: after every step the stored stock
// agrees with the movements, and each printed voucher still holds what its ticket listed.
#include "connection.h"
#include "mprincipal.h"
#include "numbers.h"
#include "recordset.h"
#include "stock_operations.h"
#include "test_database.h"
#include "test_main.h"

#include <QMap>
#include <QRandomGenerator>

using namespace operacionesStock;

namespace {

constexpr int articulos = 6;
constexpr int pasos = 1000;

QString articulo(int i)
{
    return numeros::rellenarCeros(QString::number(i + 1), 6);
}

// What the walk has done, kept apart from the database: each voucher's type and its lines' quantities, and
// the ticket each printed voucher gave.
struct Libro
{
    struct Comprobante
    {
        bool entrada = true;
        QMap<QString, double> lineas; // article → quantity
    };
    QMap<QString, Comprobante> comprobantes;
    QMap<QString, QStringList> tickets;

    double stock(const QString &numero) const
    {
        double s = 0;
        for (const Comprobante &c : comprobantes)
            s += c.entrada ? c.lineas.value(numero) : -c.lineas.value(numero);
        return s;
    }
};

class Recorrido
{
public:
    explicit Recorrido(quint32 semilla) : azar_(semilla)
    {
        for (int i = 0; i < articulos; ++i)
            base_.ejecutar(QStringLiteral("INSERT INTO articulo(numero,codigo,nombre,costo,stock) VALUES "
                                          "('%1','0001','Artículo %2',1.5,0)")
                               .arg(articulo(i))
                               .arg(i + 1));
    }

    // One step chosen at random; its description.
    QString paso()
    {
        const int tirada = int(azar_.bounded(100));
        if (tirada < 45 || libro_.comprobantes.isEmpty())
            return nuevaLinea();
        if (tirada < 65)
            return corregirLinea();
        if (tirada < 85)
            return imprimir();
        return eliminar();
    }

    // What disagrees, in words; empty when the books hold.
    QString desacuerdo() const
    {
        QStringList fallas = base_.filas(
            "SELECT a.numero, a.stock, coalesce(s.total, 0) FROM articulo a LEFT JOIN (SELECT numero, "
            "sum(Entrada) - sum(Salida) AS total FROM movstk GROUP BY numero) s ON s.numero = a.numero WHERE "
            "abs(coalesce(a.stock, 0) - coalesce(s.total, 0)) > 0.00005");
        for (int i = 0; i < articulos; ++i) {
            const QString stock =
                base_.valor(QStringLiteral("select stock from articulo where numero='%1'").arg(articulo(i)));
            if (std::abs(numeros::valor(stock) - libro_.stock(articulo(i))) > 0.00005)
                fallas << QStringLiteral("%1: stock %2, según lo hecho %3")
                              .arg(articulo(i), stock, numeros::numeral(libro_.stock(articulo(i))));
        }
        for (auto t = libro_.tickets.cbegin(); t != libro_.tickets.cend(); ++t)
            if (filasTicket(t.key()) != t.value())
                fallas << QStringLiteral("el comprobante impreso %1 ya no es su ticket").arg(t.key());
        return fallas.join("; ");
    }

private:
    QStringList filasTicket(const QString &comprobante) const
    {
        return base_.filas(QStringLiteral("select numero, Entrada, Salida, impreso from movstk where comprobante='%1' "
                                          "order by numero")
                               .arg(comprobante));
    }

    QString cualquiera(const QList<QString> &de) { return de[int(azar_.bounded(int(de.size())))]; }

    Linea linea(const QString &comprobante, bool entrada, const QString &numero)
    {
        return Linea{.comprobante = comprobante,
                     .entrada = entrada,
                     .fecha = QDate(2026, 12, 7),
                     .deposito = "01",
                     .detalle = "Recorrido",
                     .numero = numero,
                     .codigo = "0001",
                     // Up to 30 units in hundredths, so sums of many lines are no exact binary fractions.
                     .cantidad = double(azar_.bounded(1, 3001)) / 100,
                     .costo = 1.5};
    }

    // Takes the posting's answer into the book; the step's description.
    QString anotar(const Linea &l, const Resultado &r, const QString &que)
    {
        if (r.rechazo == Rechazo::Ninguno) {
            Libro::Comprobante &c = libro_.comprobantes[r.comprobante];
            c.entrada = l.entrada;
            c.lineas[l.numero] = numeros::redondear(l.cantidad);
        }
        return QStringLiteral("%1 %2 %3 %4 %5 → %6")
            .arg(que, r.comprobante.isEmpty() ? l.comprobante : r.comprobante, l.entrada ? "EN" : "SA", l.numero,
                 numeros::numeral(l.cantidad), QString::number(int(r.rechazo)));
    }

    QString nuevaLinea()
    {
        QString ultimo;
        // A line into a new voucher, or one more line into a voucher already written.
        const bool nuevo = libro_.comprobantes.isEmpty() || azar_.bounded(3) == 0;
        const QString comprobante =
            nuevo ? siguienteComprobante(mPrincipal::conexion(), ultimo) : cualquiera(libro_.comprobantes.keys());
        const bool entrada = nuevo ? azar_.bounded(2) == 0 : libro_.comprobantes[comprobante].entrada;
        Linea l = linea(comprobante, entrada, articulo(int(azar_.bounded(articulos))));
        l.nuevo = nuevo;
        return anotar(l, registrarLinea(mPrincipal::conexion(), l), "línea");
    }

    QString corregirLinea()
    {
        const QString comprobante = cualquiera(libro_.comprobantes.keys());
        const Libro::Comprobante &c = libro_.comprobantes[comprobante];
        if (c.lineas.isEmpty())
            return nuevaLinea();
        const Linea l = linea(comprobante, c.entrada, cualquiera(c.lineas.keys()));
        return anotar(l, registrarLinea(mPrincipal::conexion(), l), "corrección");
    }

    QString imprimir()
    {
        const QString comprobante = cualquiera(libro_.comprobantes.keys());
        marcarImpreso(mPrincipal::conexion(), comprobante);
        libro_.tickets[comprobante] = filasTicket(comprobante);
        return QStringLiteral("impresión %1").arg(comprobante);
    }

    QString eliminar()
    {
        const QString comprobante = cualquiera(libro_.comprobantes.keys());
        const Resultado r = eliminarComprobante(mPrincipal::conexion(), comprobante);
        if (r.rechazo == Rechazo::Ninguno)
            libro_.comprobantes.remove(comprobante);
        return QStringLiteral("eliminación %1 → %2").arg(comprobante, QString::number(int(r.rechazo)));
    }

    BaseDePrueba base_;
    QRandomGenerator azar_;
    Libro libro_;
};

} // namespace

class TestRecorridoAleatorio : public QObject
{
    Q_OBJECT

private slots:
    void losLibrosCoincidenTrasCadaPaso_data()
    {
        pruebas::columnas<quint32>("semilla");
        for (quint32 semilla : {7u, 2026u})
            QTest::addRow("semilla %u", semilla) << semilla;
    }
    void losLibrosCoincidenTrasCadaPaso()
    {
        QFETCH(quint32, semilla);
        Recorrido recorrido(semilla);
        QStringList hechos;
        for (int i = 1; i <= pasos; ++i) {
            hechos << recorrido.paso();
            const QString desacuerdo = recorrido.desacuerdo();
            if (!desacuerdo.isEmpty())
                QFAIL(qPrintable(QStringLiteral("paso %1: %2\núltimos pasos: %3")
                                     .arg(i)
                                     .arg(desacuerdo, hechos.mid(qMax(0, i - 5)).join(" | "))));
        }
    }
};

QUENDRA_TEST(TestRecorridoAleatorio)
#include "tst_stock_walk.moc"
