#include "data_sets.h"
#include "sqlite_writer.h"

#include <QDate>
#include <random>
#include <unordered_set>

namespace datos {

void llenarGenerado(const QString &archivo, int articulos, int movimientos, unsigned semilla)
{
    static const char *const nombres[] = {
        "Tornillo", "Tuerca",  "Arandela", "Bulón", "Clavo", "Taco",  "Bisagra",  "Pintura",  "Rodillo", "Pincel",
        "Cable",    "Enchufe", "Lámpara",  "Caño",  "Codo",  "Llave", "Manguera", "Martillo", "Pinza",   "Cinta"};
    static const char *const medidas[] = {"chico", "mediano", "grande", "reforzado", "económico", "profesional"};
    static const char *const depositos[] = {"01", "02", "03"};
    const int familias = 20;

    std::mt19937 azar(semilla);
    auto entre = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); };

    EscritorSqlite w(archivo);
    for (int f = 1; f <= familias; ++f)
        w.insertar("INSERT INTO familia(codigo, familia) VALUES (?, ?)",
                   {QStringLiteral("%1").arg(f, 4, 10, QLatin1Char('0')),
                    QStringLiteral("Familia %1").arg(QString::fromUtf8(nombres[(f - 1) % 20]))});
    std::vector<double> costos(static_cast<size_t>(articulos));
    std::vector<QString> familiaDe(static_cast<size_t>(articulos));
    for (int i = 0; i < articulos; ++i) {
        costos[size_t(i)] = entre(10, 50000) / 100.0;
        familiaDe[size_t(i)] = QStringLiteral("%1").arg(entre(1, familias), 4, 10, QLatin1Char('0'));
        w.insertar("INSERT INTO articulo(numero, codigo, nombre, detalle, alta, costo, stock) VALUES (?,?,?,?,?,?,0)",
                   {QStringLiteral("%1").arg(i + 1, 6, 10, QLatin1Char('0')), familiaDe[size_t(i)],
                    QStringLiteral("%1 %2 %3")
                        .arg(QString::fromUtf8(nombres[i % 20]), QString::fromUtf8(medidas[(i / 20) % 6]))
                        .arg(i + 1),
                    QString(), QDate(2025, 1, 1).addDays(i % 365), costos[size_t(i)]});
    }
    const QDate inicio(2026, 1, 1);
    int hechos = 0, comprobante = 0;
    const int porComprobante = std::max(1, std::min(10, articulos / 2));
    const qint64 totalComprobantes = std::max<qint64>(1, movimientos / porComprobante);
    std::unordered_set<int> usados;
    while (hechos < movimientos) {
        ++comprobante;
        QString numero = QStringLiteral("%1").arg(comprobante, 8, 10, QLatin1Char('0'));
        bool entra = entre(0, 99) < 55;
        QDate fecha = inicio.addDays(int(qint64(comprobante) * 365 / (totalComprobantes + 1)));
        QString deposito = QString::fromLatin1(depositos[entre(0, 2)]);
        int lineas = std::min(movimientos - hechos, entre(1, 2 * porComprobante - 1));
        lineas = std::min(lineas, articulos);
        usados.clear();
        for (int l = 0; l < lineas; ++l) {
            int a;
            do
                a = entre(0, articulos - 1);
            while (!usados.insert(a).second);
            double cantidad = entre(1, 40) + (entre(0, 9) == 0 ? 0.5 : 0.0);
            w.insertar("INSERT INTO movstk(comprobante, tipomov, fecha, numero, costo, detalle, impreso, deposito, "
                       "Entrada, Salida, codigo) VALUES (?,?,?,?,?,?,?,?,?,?,?)",
                       {numero, QString::fromLatin1(entra ? "EN" : "SA"), fecha,
                        QStringLiteral("%1").arg(a + 1, 6, 10, QLatin1Char('0')), costos[size_t(a)],
                        QStringLiteral("Comprobante %1").arg(comprobante), QStringLiteral("N"), deposito,
                        entra ? cantidad : 0.0, entra ? 0.0 : cantidad, familiaDe[size_t(a)]});
        }
        hechos += lineas;
    }
    w.confirmar();
}

} // namespace datos
