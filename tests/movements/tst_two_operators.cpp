#include "database_check.h"
#include "test_database.h"
#include "test_main.h"

#include <QMultiHash>
#include <QProcess>

// Two operators at the voucher form at once, each in a process of its own (movim_operator), on one database.
class TestDosOperadores : public QObject
{
    Q_OBJECT
    using Visto = QMultiHash<QString, QString>; // what an operator reported, by its first word

    static QList<Visto> trabajar(const BaseDePrueba &base, const QList<QStringList> &trabajos)
    {
        std::vector<std::unique_ptr<QProcess>> procesos;
        for (const QStringList &trabajo : trabajos) {
            procesos.push_back(std::make_unique<QProcess>());
            procesos.back()->start(QStringLiteral(QUENDRA_OPERADOR), QStringList{base.archivo()} + trabajo);
        }
        for (auto &p : procesos)
            if (!p->waitForReadyRead(60000))
                qFatal("an operator did not start: %s", p->readAllStandardError().constData());
        for (auto &p : procesos) { // both begin together
            p->write("\n");
            p->waitForBytesWritten();
        }
        QList<Visto> vistos;
        for (auto &p : procesos) {
            if (!p->waitForFinished(600000) || p->exitCode() != 0)
                qFatal("an operator failed: %s", p->readAllStandardError().constData());
            Visto &visto = vistos.emplace_back();
            for (const QString &l : QString::fromUtf8(p->readAllStandardOutput()).split(QLatin1Char('\n')))
                visto.insert(l.section(QLatin1Char(' '), 0, 0), l.section(QLatin1Char(' '), 1));
        }
        return vistos;
    }
    // Articles 000001 to `articulos`, each with `stock` units entered by voucher 00000001.
    static void articulosConStock(const BaseDePrueba &base, int articulos, int stock)
    {
        for (int i = 1; i <= articulos; ++i) {
            const QString numero = QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0'));
            base.ejecutar(QStringLiteral("INSERT INTO articulo(numero,codigo,nombre,costo,stock) VALUES "
                                         "('%1','0001','Artículo %1',1,%2)")
                              .arg(numero)
                              .arg(stock));
            base.ejecutar(QStringLiteral("INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,detalle,impreso,"
                                         "deposito,Entrada,Salida,codigo) VALUES ('00000001','EN','2026-11-02','%1',"
                                         "1,'','S','01',%2,0,'0001')")
                              .arg(numero)
                              .arg(stock));
        }
    }

private slots:
    // Exits of one article from both at once: never more than its stock, each accepted exit a voucher of its own.
    void salidasSimultaneas_data()
    {
        pruebas::columnas<int, int>("cadaUno", "aceptadas");
        QTest::newRow("the voucher both proposed") << 1 << 2;
        QTest::newRow("500 exits each of a stock of 300") << 500 << 300;
    }
    void salidasSimultaneas()
    {
        const auto [cadaUno, aceptadas] = pruebas::fila<int, int>("cadaUno", "aceptadas");
        BaseDePrueba base;
        articulosConStock(base, 1, 300);
        const QStringList trabajo{QStringLiteral("salidas"), QString::number(cadaUno), QStringLiteral("000001")};
        const QList<Visto> vistos = trabajar(base, {trabajo, trabajo});

        QCOMPARE(vistos[0].value("aceptadas").toInt() + vistos[1].value("aceptadas").toInt(), aceptadas);
        QCOMPARE(base.filas("select count(distinct comprobante), count(*), (select stock from articulo) from movstk "
                            "where tipomov='SA'"),
                 QStringList{QStringLiteral("%1 %1 %2").arg(aceptadas).arg(300 - aceptadas)});
        QCOMPARE(datos::comprobar(base.archivo()), QStringList());
        // Only refusals and notices of a number taken meanwhile.
        const QStringList textos = vistos[0].values("mensaje") + vistos[1].values("mensaje");
        const qsizetype avisos = textos.filter("Otro operador guardó el comprobante").size();
        QCOMPARE(textos.count("La cantidad de Salida debe ser menor o igual al Stock") + avisos, textos.size());
        // Both proposed 00000002; one was told, and shows, the number its voucher took instead.
        if (cadaUno == 1) {
            QCOMPARE(avisos, 1);
            QCOMPARE(QSet<QString>({vistos[0].value("comprobante"), vistos[1].value("comprobante")}),
                     QSet<QString>({"00000002", "00000003"}));
        }
    }

    // Printing a voucher while the other operator posts into it: each ticket lists exactly the lines it marked,
    // and from the first ticket on the voucher takes no more lines.
    void imprimirMientrasOtroAsienta()
    {
        BaseDePrueba base;
        articulosConStock(base, 150, 5);
        const QList<Visto> vistos = trabajar(base, {{"lineas", "150"}, {"imprimir", "00000002", "60"}});
        const int aceptadas = vistos[0].value("aceptadas").toInt();
        QCOMPARE(base.filas("select count(*), count(case when impreso='S' then 1 end) from movstk where "
                            "comprobante='00000002'"),
                 QStringList{QStringLiteral("%1 %1").arg(aceptadas)});
        QCOMPARE(vistos[0].values("mensaje").count("El comprobante 00000002 está impreso y no se puede modificar"),
                 150 - aceptadas);
        QVERIFY(vistos[1].value("tickets").toInt() > 0);
        QCOMPARE(vistos[1].value("desparejos"), QString("0"));
    }
};

QUENDRA_TEST(TestDosOperadores)
#include "tst_two_operators.moc"
