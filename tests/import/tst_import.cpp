// Importing articles and opening stock: headers, the verdict of each row, and the one transaction.
#include "connection.h"
#include "import_write.h"
#include "mprincipal.h"
#include "quendra_error.h"
#include "test_database.h"
#include "test_main.h"

#include <QFile>
#include <QTemporaryDir>

using namespace importacion;

namespace {

QString escribir(const QTemporaryDir &dir, const QString &nombre, const QByteArray &bytes)
{
    const QString ruta = dir.filePath(nombre);
    QFile f(ruta);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return ruta;
}

Opciones opciones(const QString &archivo)
{
    Opciones o;
    o.archivo = archivo;
    o.fecha = QDate(2026, 12, 1);
    o.columnas = emparejar(encabezados(archivo, QString()));
    return o;
}

// Each row as "fila: verdict" or "fila: column: reason".
QStringList veredictos(const Revision &r)
{
    QStringList l;
    for (qsizetype i = 0; i < r.filas.size(); ++i)
        l << QString::number(r.filas[i].fila) + QStringLiteral(": ") + r.texto(i);
    return l;
}

const QByteArray cabecera =
    "Nro.;Descripción;Rubro;Nombre de familia;Costo unitario;Fecha de alta;Stock inicial;Depósito\n";

} // namespace

class TestEmparejar : public QObject
{
    Q_OBJECT

private slots:
    void emparejar_data()
    {
        pruebas::columnas<QStringList, QList<int>>("encabezados", "indices");
        QTest::newRow("names of the shop's own sheet, any case and accents") << QStringList{
            QStringLiteral("CÓDIGO"),        QStringLiteral("Artículo"),        QStringLiteral("Código de familia"),
            QStringLiteral("Observaciones"), QStringLiteral("Precio de costo"), QStringLiteral("existencia"),
            QStringLiteral("DEPOSITO")} << QList<int>{0, 1, 2, -1, 3, 4, -1, 5, 6};
        QTest::newRow("the first of two that name one field; others left alone")
            << QStringList{QStringLiteral("Precio"),
                           QStringLiteral("Cód."),
                           QStringLiteral("Nombre"),
                           QStringLiteral("Descripción"),
                           QStringLiteral("Nombre de familia"),
                           QStringLiteral("Cantidad"),
                           QStringLiteral("Stock")}
            << QList<int>{1, 2, -1, 4, -1, -1, -1, 5, -1};
    }
    void emparejar()
    {
        const auto [encabezados, indices] = pruebas::fila<QStringList, QList<int>>("encabezados", "indices");
        QCOMPARE(importacion::emparejar(encabezados).indice, indices);
    }
};

// The preview's cell texts kept in one block give back each text as it was.
class TestCeldasCompactas : public QObject
{
    Q_OBJECT

private slots:
    void idaYVuelta_data()
    {
        pruebas::columnas<QStringList>("fila");
        QTest::newRow("vacías y acentos") << QStringList{"", "Ñandú", "", "3,5"};
        QTest::newRow("largos en los bordes de la longitud")
            << QStringList{QString(127, 'a'), QString(128, 'b'), QString(16383, 'c'), QString(16384, 'd'),
                           QString(70000, QChar(0x00e9))};
        QTest::newRow("sin celdas") << QStringList{};
    }
    void idaYVuelta()
    {
        QFETCH(QStringList, fila);
        CeldasCompactas c;
        c.agregar({"antes"});
        c.agregar(fila);
        c.agregar({"después", "x"});
        for (int k = 0; k < fila.size(); ++k)
            QCOMPARE(c.texto(1, k), fila[k]);
        QCOMPARE(c.texto(1, int(fila.size())), QString());
        QCOMPARE(c.texto(0, 0), QStringLiteral("antes"));
        QCOMPARE(c.texto(2, 1), QStringLiteral("x"));
        QCOMPARE(c.filas(), 3);
    }
};

class TestRevision : public QObject
{
    Q_OBJECT

private slots:
    void revisar_data()
    {
        pruebas::columnas<QByteArray, QStringList>("filas", "veredictos");
        QTest::newRow("new, updated, unchanged; a number stored as 1 is 000001")
            << QByteArray("5000;Nuevo;Ferretería;;1,5;;;\n"
                          "1;;;;;;;\n"
                          "2;Otro nombre;;;;;;\n")
            << QStringList{QStringLiteral("2: Nuevo"), QStringLiteral("3: Sin cambios"),
                           QStringLiteral("4: Actualiza")};
        QTest::newRow("every wrong row with its row and reason; empty rows skipped")
            << QByteArray("12a;X;0001;;;;;\n"
                          "5001;A;0001;;;;1;01\n"
                          ";;;;;;;\n"
                          "5001;A;0001;;;;2;01\n"
                          "5002;B;0001;;doce;;;\n"
                          "5003;C;0001;;;31-02-2024;;\n"
                          "5004;;0001;;;;;\n"
                          "1;;;;;;3;01\n"
                          "1234567;D;0001;;;;;\n"
                          "5005;E;;;;;;\n"
                          "5006;F;12345;;;;;\n"
                          "5007;G;0099;;;;;\n"
                          "5008;H;0001;;1.234,5;;;\n"
                          "5009;I;0001;;;;-1;\n"
                          "5010;J;0001;;;;1;07\n")
            << QStringList{QStringLiteral("2: número: número con letras"),
                           QStringLiteral("3: Nuevo"),
                           QStringLiteral("5: número: número repetido en la fila 3"),
                           QStringLiteral("6: costo: costo no numérico"),
                           QStringLiteral("7: alta: fecha imposible"),
                           QStringLiteral("8: nombre: nombre vacío en un artículo nuevo"),
                           QStringLiteral("9: stock: ya tiene movimientos: su stock se corrige con un recuento"),
                           QStringLiteral("10: número: número de más de 6 dígitos"),
                           QStringLiteral("11: familia: familia vacía en un artículo nuevo"),
                           QStringLiteral("12: familia: código de familia de más de 4 dígitos"),
                           QStringLiteral("13: nombre de familia: familia 0099 nueva sin nombre"),
                           QStringLiteral("14: costo: costo no numérico"),
                           QStringLiteral("15: stock: stock negativo"),
                           QStringLiteral("16: depósito: depósito 07 no existe")};
        QTest::newRow("one article in two places; other data on a later row of it is wrong")
            << QByteArray("5001;A;0001;;2;;1;01\n"
                          "5001;A;0001;;2;;2;02\n"
                          "5001;B;0001;;2;;2;03\n")
            << QStringList{QStringLiteral("2: Nuevo"), QStringLiteral("3: Nuevo"),
                           QStringLiteral("4: número: número repetido en la fila 2 con otros datos")};
    }
    void revisar()
    {
        const auto [filas, esperados] = pruebas::fila<QByteArray, QStringList>("filas", "veredictos");
        BaseDePrueba base(BaseDePrueba::Demo);
        base.ejecutar(QStringLiteral("insert into deposito(codigo, nombre) values ('03', 'Tres')"));
        QTemporaryDir dir;
        const Revision r = importacion::revisar(mPrincipal::conexion(),
                                                opciones(escribir(dir, QStringLiteral("a.csv"), cabecera + filas)));
        QCOMPARE(veredictos(r), esperados);
    }
};

class TestImportar : public QObject
{
    Q_OBJECT

private slots:
    void importarYVolverAImportar()
    {
        BaseDePrueba base;
        base.ejecutar(QStringLiteral("insert into deposito(codigo, nombre) values ('02', 'Dos')"));
        QTemporaryDir dir;
        const Opciones o = opciones(escribir(dir, QStringLiteral("a.csv"),
                                             cabecera
                                                 + "1;Tornillo;Ferretería;;2,5;05-03-2024;10;01\n"
                                                   "2;Tuerca;ferreteria;;1.25;;5;\n"
                                                   "1;Tornillo;Ferretería;;2,5;05-03-2024;4,5;02\n"
                                                   "3;Caño;0007;Caños;3;;;\n"));
        const Resultado r = importar(mPrincipal::conexion(), o);
        QVERIFY(r.escrito);
        QCOMPARE(r.resumen.agregados, 3);
        QCOMPARE(r.resumen.familias, 2);
        QCOMPARE(r.resumen.comprobantes,
                 (QStringList{QStringLiteral("00000001 (depósito 01)"), QStringLiteral("00000002 (depósito 02)")}));
        QCOMPARE(r.resumen.copia.isEmpty(), BaseDePrueba::enServidor());
        QCOMPARE(base.filas(QStringLiteral("select codigo, familia from familia order by codigo")),
                 (QStringList{QStringLiteral("0001 Ferretería"), QStringLiteral("0007 Caños")}));
        QCOMPARE(base.filas(
                     QStringLiteral("select numero, codigo, nombre, alta, costo, stock from articulo order by numero")),
                 (QStringList{QStringLiteral("000001 0001 Tornillo 05-03-2024 2.5 14.5"),
                              QStringLiteral("000002 0001 Tuerca 01-12-2026 1.25 5"),
                              QStringLiteral("000003 0007 Caño 01-12-2026 3 0")}));
        QCOMPARE(base.filas(QStringLiteral("select comprobante, tipomov, fecha, numero, costo, detalle, deposito, "
                                           "entrada from movstk order by comprobante, numero")),
                 (QStringList{QStringLiteral("00000001 EN 01-12-2026 000001 2.5 Stock inicial 01 10"),
                              QStringLiteral("00000001 EN 01-12-2026 000002 1.25 Stock inicial 01 5"),
                              QStringLiteral("00000002 EN 01-12-2026 000001 2.5 Stock inicial 02 4.5")}));
        // The stock each article shows is the sum of its movements.
        QCOMPARE(base.valor(
                     QStringLiteral("select count(*) from articulo a where stock <> (select "
                                    "coalesce(sum(entrada)-sum(salida), 0) from movstk m where m.numero = a.numero)")),
                 QStringLiteral("0"));

        const Resultado otra = importar(mPrincipal::conexion(), o);
        QVERIFY(otra.escrito);
        QCOMPARE(otra.revision.cuenta(Veredicto::SinCambios), 4);
        QVERIFY(otra.resumen.copia.isEmpty());
        QCOMPARE(base.valor(QStringLiteral("select count(*) from movstk")), QStringLiteral("3"));
        // One row in the record of changes for the whole import, none for an import that changed nothing.
        QCOMPARE(
            base.filas(QStringLiteral("select tipo || '|' || objeto || '|' || nuevo from registro_cambios")),
            QStringList{QStringLiteral("importacion|a.csv|artículos agregados: 3; actualizados: 0; familias "
                                       "nuevas: 2; comprobantes: 00000001 (depósito 01), 00000002 (depósito 02)")});
    }

    // A long sheet's opening stock goes into one voucher per place however many lines it has, a place
    // first named near its end too, and every article's stock is the sum of its lines.
    void unComprobantePorDepositoEnUnaHojaLarga()
    {
        BaseDePrueba base;
        base.ejecutar(QStringLiteral("insert into deposito(codigo, nombre) values ('02', 'Dos')"));
        base.ejecutar(QStringLiteral("insert into deposito(codigo, nombre) values ('03', 'Tres')"));
        QByteArray filas = cabecera;
        const auto fila = [&](int i, const char *deposito) {
            filas +=
                QByteArray::number(i) + ";Artículo " + QByteArray::number(i) + ";0001;Una;1,5;;2;" + deposito + "\n";
        };
        for (int i = 1; i <= 6000; ++i) {
            fila(i, "01");
            fila(i, "02");
        }
        for (int i = 1; i <= 10; ++i)
            fila(i, "03");
        QTemporaryDir dir;
        const Resultado r = importar(mPrincipal::conexion(), opciones(escribir(dir, QStringLiteral("a.csv"), filas)));
        QVERIFY(r.escrito);
        QCOMPARE(r.resumen.comprobantes,
                 (QStringList{QStringLiteral("00000001 (depósito 01)"), QStringLiteral("00000002 (depósito 02)"),
                              QStringLiteral("00000003 (depósito 03)")}));
        QCOMPARE(base.filas(QStringLiteral("select comprobante, deposito, count(*) from movstk group by comprobante, "
                                           "deposito order by comprobante")),
                 (QStringList{QStringLiteral("00000001 01 6000"), QStringLiteral("00000002 02 6000"),
                              QStringLiteral("00000003 03 10")}));
        QCOMPARE(base.filas(QStringLiteral("select stock, count(*) from articulo group by stock order by stock")),
                 (QStringList{QStringLiteral("4 5990"), QStringLiteral("6 10")}));
    }

    void nadaSeEscribeConUnaFilaMal_data()
    {
        pruebas::columnas<bool>("sinComprobantes");
        QTest::newRow("one wrong row among 10,000") << false;
        QTest::newRow("no voucher number left for the opening stock") << true;
    }
    void nadaSeEscribeConUnaFilaMal()
    {
        const auto [sinComprobantes] = pruebas::fila<bool>("sinComprobantes");
        BaseDePrueba base(BaseDePrueba::Demo);
        if (sinComprobantes)
            base.ejecutar(QStringLiteral("insert into movstk(comprobante, tipomov, fecha, numero, deposito, entrada, "
                                         "salida) values ('99999999', 'EN', '2026-01-01', '000001', '01', 0, 0)"));
        QByteArray filas = cabecera;
        for (int i = 1; i <= 10000; ++i)
            filas += QByteArray::number(100000 + i) + ";Artículo " + QByteArray::number(i) + ";Nueva;;1,5;;3;01\n";
        if (!sinComprobantes)
            filas.replace("Artículo 7777;Nueva;;1,5", "Artículo 7777;Nueva;;1,5x");
        QTemporaryDir dir;
        const Opciones o = opciones(escribir(dir, QStringLiteral("a.csv"), filas));
        const auto antes = [&] {
            if (BaseDePrueba::enServidor())
                return base
                    .filas(QStringLiteral("select (select count(*) from articulo), (select count(*) from "
                                          "familia), (select count(*) from movstk)"))
                    .join(QLatin1Char(' '))
                    .toUtf8();
            QFile f(base.archivo());
            f.open(QIODevice::ReadOnly);
            return f.readAll();
        };
        const QByteArray previo = antes();
        if (sinComprobantes) {
            QVERIFY_THROWS_EXCEPTION(QuendraError, importar(mPrincipal::conexion(), o));
        } else {
            const Resultado r = importar(mPrincipal::conexion(), o);
            QVERIFY(!r.escrito);
            QCOMPARE(veredictos(r.revision).filter(QStringLiteral("costo")),
                     QStringList{QStringLiteral("7778: costo: costo no numérico")});
            QVERIFY(r.resumen.copia.isEmpty());
        }
        QVERIFY(antes() == previo);
    }
};

QUENDRA_TEST(TestEmparejar)
QUENDRA_TEST(TestCeldasCompactas)
QUENDRA_TEST(TestRevision)
QUENDRA_TEST(TestImportar)
#include "tst_import.moc"
