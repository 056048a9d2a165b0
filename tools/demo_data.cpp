#include "data_sets.h"
#include "sqlite_writer.h"

#include <QDate>
#include <QStringList>

namespace datos {

namespace {

struct Familia
{
    const char *codigo, *nombre;
};

const Familia familias[] = {
    {"0001", "Ferretería"}, {"0002", "Pinturas"}, {"0003", "Electricidad"},
    {"0004", "Plomería"},   {"0005", "Jardín"},   {"0006", "Herramientas"},
};

struct Articulo
{
    const char *familia, *nombre, *detalle;
    double costo;
};

const Articulo articulos[] = {
    {"0001", "Tornillo autorroscante 8 x 1\"", "Caja de 100 unidades", 4.35},
    {"0001", "Tuerca hexagonal M8", "Acero cincado", 0.12},
    {"0001", "Arandela plana 3/8", "Bolsa de 50", 1.8},
    {"0001", "Bulón cabeza hexagonal 10 x 60", "", 0.95},
    {"0001", "Clavo punta París 2\"", "Kilo", 3.2},
    {"0001", "Taco Fischer S8", "Caja de 100", 5.4},
    {"0001", "Bisagra de acero 3\"", "Par", 2.75},
    {"0002", "Látex interior blanco 20 l", "Lavable, mate", 58.9},
    {"0002", "Esmalte sintético negro 1 l", "", 12.4},
    {"0002", "Rodillo de lana 22 cm", "", 6.15},
    {"0002", "Pincel n.º 20", "Cerda natural", 2.3},
    {"0002", "Diluyente aguarrás 1 l", "", 4.05},
    {"0002", "Enduido plástico 4 kg", "", 9.6},
    {"0003", "Cable unipolar 2,5 mm rollo 100 m", "Normalizado IRAM", 41.5},
    {"0003", "Tomacorriente doble 10 A", "", 3.15},
    {"0003", "Interruptor termomagnético 2 x 20 A", "", 11.25},
    {"0003", "Lámpara LED 9 W luz cálida", "", 1.95},
    {"0003", "Cinta aisladora 20 m", "", 0.85},
    {"0003", "Caja de paso 10 x 10", "PVC", 1.1},
    {"0004", "Caño PVC 110 mm x 4 m", "", 14.8},
    {"0004", "Codo PVC 45º 110 mm", "", 1.65},
    {"0004", "Llave de paso 1/2\"", "Bronce", 7.9},
    {"0004", "Cinta de teflón 10 m", "", 0.45},
    {"0004", "Sifón flexible", "", 3.6},
    {"0004", "Canilla monocomando", "Cocina", 36.5},
    {"0005", "Manguera reforzada 1/2\" x 25 m", "", 18.7},
    {"0005", "Tijera de podar", "", 9.95},
    {"0005", "Tierra fértil 50 dm³", "Bolsa", 3.4},
    {"0005", "Semillas de césped 1 kg", "Mezcla rústica", 6.8},
    {"0005", "Regadera de 10 l", "", 4.5},
    {"0006", "Martillo carpintero 27 mm", "Mango de madera", 8.45},
    {"0006", "Destornillador Phillips n.º 2", "", 2.6},
    {"0006", "Pinza universal 8\"", "", 7.3},
    {"0006", "Taladro percutor 650 W", "Con maletín", 52.0},
    {"0006", "Cinta métrica 5 m", "", 3.9},
    {"0006", "Nivel de burbuja 60 cm", "Aluminio", 10.5},
};

struct Linea
{
    int articulo; // index in articulos
    double cantidad;
};

struct Comprobante
{
    const char *tipo;
    QDate fecha;
    const char *deposito;
    const char *detalle;
    bool impreso;
    std::vector<Linea> lineas;
};

QString numeroArticulo(int i)
{
    return QStringLiteral("%1").arg(i + 1, 6, 10, QLatin1Char('0'));
}

} // namespace

void llenarDemo(const QString &archivo)
{
    EscritorSqlite w(archivo);
    for (const Familia &f : familias)
        w.insertar("INSERT INTO familia(codigo, familia) VALUES (?, ?)",
                   {QString::fromLatin1(f.codigo), QString::fromUtf8(f.nombre)});
    const int cuantos = int(std::size(articulos));
    for (int i = 0; i < cuantos; ++i) {
        const Articulo &a = articulos[i];
        w.insertar("INSERT INTO articulo(numero, codigo, nombre, detalle, alta, costo, stock) VALUES (?,?,?,?,?,?,0)",
                   {numeroArticulo(i), QString::fromLatin1(a.familia), QString::fromUtf8(a.nombre),
                    QString::fromUtf8(a.detalle), QDate(2026, 1, 5).addDays(i * 3), a.costo});
    }
    std::vector<Comprobante> comprobantes;
    // Opening purchases in both storage places, then sales and transfers of goods through the year.
    Comprobante inicial{"EN", QDate(2026, 2, 2), "01", "Compra inicial a proveedores", false, {}};
    for (int i = 0; i < cuantos; ++i)
        inicial.lineas.push_back({i, double(20 + (i * 7) % 40)});
    comprobantes.push_back(inicial);
    Comprobante sucursal{"EN", QDate(2026, 2, 16), "02", "Mercadería para la sucursal", false, {}};
    for (int i = 0; i < cuantos; i += 2)
        sucursal.lineas.push_back({i, double(10 + (i * 3) % 15)});
    comprobantes.push_back(sucursal);
    comprobantes.push_back(
        {"SA", QDate(2026, 3, 10), "01", "Venta a Construcciones del Sur", true, {{0, 5}, {1, 20}, {4, 2.5}, {13, 1}}});
    comprobantes.push_back({"SA", QDate(2026, 4, 22), "01", "Venta mostrador", false, {{7, 2}, {9, 3}, {10, 4}}});
    comprobantes.push_back(
        {"EN", QDate(2026, 6, 3), "01", "Reposición de pinturas", false, {{7, 12}, {8, 10}, {11, 6}}});
    comprobantes.push_back(
        {"SA", QDate(2026, 7, 15), "02", "Venta a Jardines Almagro", false, {{26, 3}, {28, 2}, {30, 1}}});
    comprobantes.push_back(
        {"SA", QDate(2026, 9, 8), "01", "Obra calle Mitre 450", false, {{14, 8}, {15, 2}, {16, 24}, {17, 6}}});
    comprobantes.push_back(
        {"EN", QDate(2026, 10, 19), "02", "Compra de herramientas", false, {{31, 6}, {32, 4}, {33, 2}, {35, 3}}});
    comprobantes.push_back({"SA", QDate(2026, 11, 27), "01", "Venta mostrador", false, {{2, 10}, {5, 3}, {19, 2}}});

    int numero = 0;
    for (const Comprobante &c : comprobantes) {
        QString comprobante = QStringLiteral("%1").arg(++numero, 8, 10, QLatin1Char('0'));
        for (const Linea &l : c.lineas) {
            const Articulo &a = articulos[l.articulo];
            bool entra = QLatin1String(c.tipo) == QLatin1String("EN");
            w.insertar("INSERT INTO movstk(comprobante, tipomov, fecha, numero, costo, detalle, impreso, deposito, "
                       "Entrada, Salida, codigo) VALUES (?,?,?,?,?,?,?,?,?,?,?)",
                       {comprobante, QString::fromLatin1(c.tipo), c.fecha, numeroArticulo(l.articulo), a.costo,
                        QString::fromUtf8(c.detalle), QString::fromLatin1(c.impreso ? "S" : "N"),
                        QString::fromLatin1(c.deposito), entra ? l.cantidad : 0.0, entra ? 0.0 : l.cantidad,
                        QString::fromLatin1(a.familia)});
        }
    }
    w.confirmar();
}

} // namespace datos
