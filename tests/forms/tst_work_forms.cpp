// The four work forms given input that must never damage the data: the file stays sound, no other row
// changes, a free text is stored whole; bad codes and amounts are refused before anything is written.
#include "database_check.h"
#include "form_driver.h"
#include "frm_articulo.h"
#include "frm_familia.h"
#include "frm_movim.h"
#include "informe_ventas.h"
#include "mprincipal.h"
#include "report_preview.h"
#include "test_main.h"

#include <QPlainTextEdit>

namespace {

// A work form over the demo database holding a valid new record: article 000050, family 0050, or a line
// of article 000001 in voucher 00000050; beside them family 2345, article 234567, voucher 23456789,
// which a code cut to its width would reach.
struct FormaDeTrabajo : pruebas::FormularioDePrueba<QWidget>
{
    explicit FormaDeTrabajo(const QString &nombre) : FormularioDePrueba(BaseDePrueba::Demo, QDate(2026, 5, 14))
    {
        mPrincipal::depositoDefecto = QStringLiteral("01");
        base.ejecutar("INSERT INTO familia(codigo,familia) VALUES ('2345','Vecina')");
        base.ejecutar("INSERT INTO articulo(numero,codigo,nombre,alta,costo,stock) VALUES "
                      "('234567','0001','Vecino','2026-01-02',3,4)");
        base.ejecutar(
            "INSERT INTO movstk(comprobante,tipomov,fecha,numero,costo,impreso,deposito,Entrada,Salida,codigo) "
            "VALUES ('23456789','EN','2026-01-02','234567',3,'N','01',4,0,'0001')");
        QList<std::pair<const char *, const char *>> valores;
        if (nombre == QLatin1String("frmArticulo")) {
            mostrar(std::make_unique<frmArticulo>());
            valores = {{"t_numero", "000050"},      {"t_Nombre", "Prueba"}, {"t_codigo", "0001"},
                       {"t_Familia", "Ferretería"}, {"t_detalle", "Nota"},  {"t_Costo", "12.5"}};
        } else if (nombre == QLatin1String("FrmFamilia")) {
            mostrar(std::make_unique<FrmFamilia>());
            valores = {{"t_codigo", "0050"}, {"t_Familia", "Prueba"}};
        } else if (nombre == QLatin1String("FrmMovim")) {
            mostrar(std::make_unique<FrmMovim>());
            clic("op_Entra");
            escribirYSalir("t_numero", "000001");
            valores = {{"t_Comprobante", "00000050"}, {"t_Cantidad", "3"}, {"t_detalle", "Nota"}};
        } else {
            mostrar(std::make_unique<InformeVentas>());
        }
        for (const auto &[campo, texto] : valores)
            poner(campo, QString::fromUtf8(texto));
    }

    // Puts a text into a field as a paste would (line, date or note box); gives what the field then holds.
    QString poner(const QString &campo, const QString &texto)
    {
        QWidget *w = control(campo.toLatin1().constData());
        auto *nota = qobject_cast<QPlainTextEdit *>(w);
        nota ? nota->setPlainText(texto) : qobject_cast<QLineEdit *>(w)->setText(texto);
        return nota ? nota->toPlainText() : qobject_cast<QLineEdit *>(w)->text();
    }
    // Presses a button; one that opens the lookup takes its first row, a report's preview is closed.
    void pulsar(const QString &boton)
    {
        pruebas::elegirEnBusqueda(control(boton.toLatin1().constData()));
        if (ReportPreview *vista = pruebas::vistaPrevia())
            vista->close();
    }
    // Every row but the new record's; the stock of 000001 is left out, since posting its line recomputes it.
    QStringList demas() const
    {
        return base.filas("SELECT numero,codigo,nombre,quote(detalle),alta,costo,iif(numero='000001',0,stock) "
                          "FROM articulo WHERE numero<>'000050' ORDER BY numero")
               + base.filas("SELECT * FROM familia WHERE codigo<>'0050' ORDER BY id")
               + base.filas("SELECT *, quote(detalle) FROM movstk WHERE comprobante<>'00000050' ORDER BY id");
    }
    // The new record's row, empty while it is not written.
    QString nuevo() const
    {
        return base
            .filas("SELECT numero||'|'||nombre||'|'||coalesce(detalle,'')||'|'||costo||'|'||stock FROM articulo "
                   "WHERE numero='000050' UNION ALL SELECT codigo||'|'||familia FROM familia WHERE codigo='0050' "
                   "UNION ALL SELECT numero||'|'||coalesce(detalle,'')||'|'||costo||'|'||Entrada FROM movstk "
                   "WHERE comprobante='00000050'")
            .join(QLatin1Char('\n'));
    }
};

// A form, one field of each kind it reads (a code, a lookup, a date, an amount, a range, a text that the new
// record stores whole, marked *), and the buttons then pressed.
const QList<QStringList> campos{
    {"frmArticulo", "t_Nombre*", "Bt_Consulta", "b_Guardar"},
    {"frmArticulo", "t_detalle*", "b_Guardar"},
    {"frmArticulo", "t_Familia", "b_BuscarFamilia", "b_Guardar"},
    {"frmArticulo", "t_alta", "b_Guardar"},
    {"frmArticulo", "t_Costo", "b_Guardar"},
    {"FrmFamilia", "t_Familia*", "b_Guardar"},
    {"FrmMovim", "t_Comprobante", "b_Guardar", "b_Cargar"},
    {"FrmMovim", "t_fecha", "b_Guardar"},
    {"FrmMovim", "t_detalle*", "b_Guardar"},
    {"FrmMovim", "t_numero", "b_Guardar"},
    {"FrmMovim", "t_Nombre", "b_Consulta", "b_Guardar"},
    {"FrmMovim", "t_Cantidad", "b_Guardar"},
    {"InformeVentas", "f_desde", "b_Imprimir"},
    {"InformeVentas", "T_HastaFamilia", "b_Imprimir"},
    {"InformeVentas", "t_Deposito", "b_Imprimir"},
};

} // namespace

class TestBarrido : public QObject
{
    Q_OBJECT
private slots:
    void cadaCampo_data()
    {
        QTest::addColumn<QString>("entrada");
        QTest::newRow("comillas") << "O'Brien \"el\" `x`'); DROP TABLE familia; -- ' OR '1'='1";
        QTest::newRow("10.000 caracteres") << QString("Ab'1").repeated(2500);
        QTest::newRow("acentos y caracteres de control") << "Ñandú\tÁcido\x01\x1b\x7f";
        QTest::newRow("número enorme") << "-99999999999999999999";
    }
    void cadaCampo()
    {
        QFETCH(QString, entrada);
        for (const QStringList &c : campos) {
            const QByteArray donde = (c[0] + '.' + c[1]).toUtf8();
            FormaDeTrabajo t(c[0]);
            const QStringList antes = t.demas();
            const QString puesto = t.poner(QString(c[1]).remove('*'), entrada);
            for (const QString &boton : c.mid(2))
                t.pulsar(boton);
            QVERIFY2(datos::comprobar(t.base.archivo()).isEmpty(), donde);
            QVERIFY2(t.demas() == antes, donde);
            QVERIFY2(!c[1].endsWith('*') || t.nuevo().contains(puesto), donde);
        }
    }
};

class TestRechazos : public QObject
{
    Q_OBJECT
private slots:
    void codigosEImportes_data()
    {
        // an empty mensaje: taken, and the new record reads `escrito`
        pruebas::columnas<QString, QString, QString, QString, QString>("forma", "campo", "valor", "mensaje", "escrito");
        const QString fam = "FrmFamilia", art = "frmArticulo", mov = "FrmMovim";
        const QString familia = "El código de familia debe tener hasta 4 dígitos";
        const QString articulo = "El número de artículo debe tener hasta 6 dígitos";
        const QString comprobante = "El número de comprobante debe tener hasta 8 dígitos";
        const QString faltan = "Debe completar los datos";
        QTest::newRow("artículo sin número") << art << "t_numero"
                                             << "" << faltan << "";
        QTest::newRow("nombre en blanco") << art << "t_Nombre"
                                          << "   " << faltan << "";
        QTest::newRow("sin familia") << art << "t_codigo"
                                     << "" << faltan << "";
        QTest::newRow("alta imposible") << art << "t_alta"
                                        << "31-02-2026"
                                        << "Fecha incorrecta"
                                        << "";
        QTest::newRow("familia de cinco cifras") << fam << "t_codigo"
                                                 << "12345" << familia << "";
        QTest::newRow("familia con ceros de más") << fam << "t_codigo"
                                                  << " 000050 "
                                                  << ""
                                                  << "0050|Prueba";
        QTest::newRow("artículo con letra") << art << "t_numero"
                                            << "23456a" << articulo << "";
        QTest::newRow("artículo corto") << art << "t_numero"
                                        << " 50 "
                                        << ""
                                        << "000050|Prueba|Nota|12.5|0.0";
        QTest::newRow("costo enorme") << art << "t_Costo"
                                      << "1e308"
                                      << "Costo fuera de rango"
                                      << "";
        QTest::newRow("costo con coma") << art << "t_Costo"
                                        << "12,75"
                                        << ""
                                        << "000050|Prueba|Nota|12.75|0.0";
        QTest::newRow("costo con dos números") << art << "t_Costo"
                                               << "1.234,5"
                                               << "Costo incorrecto: 1.234,5"
                                               << "";
        QTest::newRow("costo límite") << art << "t_Costo"
                                      << "-999999999.99"
                                      << ""
                                      << "000050|Prueba|Nota|-999999999.99|0.0";
        QTest::newRow("comprobante de nueve cifras") << mov << "t_Comprobante"
                                                     << "123456789" << comprobante << "";
        QTest::newRow("comprobante con ceros") << mov << "t_Comprobante"
                                               << "0000000050"
                                               << ""
                                               << "000001|Nota|4.35|3.0";
        QTest::newRow("artículo de siete cifras") << mov << "t_numero"
                                                  << "1234567" << articulo << "";
        const QString cantidad = "Cantidad fuera de rango";
        QTest::newRow("cantidad que no cabe en un número") << mov << "t_Cantidad"
                                                           << "1e309" << cantidad << "";
        QTest::newRow("cantidad negativa enorme") << mov << "t_Cantidad"
                                                  << "-99999999999999999999" << cantidad << "";
        QTest::newRow("cantidad con coma") << mov << "t_Cantidad"
                                           << "2,5"
                                           << ""
                                           << "000001|Nota|4.35|2.5";
        QTest::newRow("cantidad con dos comas") << mov << "t_Cantidad"
                                                << "2,5,1"
                                                << "Cantidad incorrecta: 2,5,1"
                                                << "";
        QTest::newRow("costo con dos puntos") << mov << "t_Costo"
                                              << "1.2.3"
                                              << "Costo incorrecto: 1.2.3"
                                              << "";
        QTest::newRow("costo de la línea enorme") << mov << "t_Costo"
                                                  << "1e309"
                                                  << "Costo fuera de rango"
                                                  << "";
    }
    void codigosEImportes()
    {
        const auto [forma, campo, valor] = pruebas::fila<QString, QString, QString>("forma", "campo", "valor");
        FormaDeTrabajo t(forma);
        const QStringList antes = t.demas();
        t.mensajes.limpiar();
        const QString puesto = t.poner(campo, valor);
        t.pulsar("b_Guardar");
        QTEST(t.mensajes.textos().join('\n'), "mensaje");
        QTEST(t.nuevo(), "escrito");
        if (t.nuevo().isEmpty()) // a refusal keeps what was typed
            QCOMPARE(t.texto(campo.toLatin1().constData()), puesto);
        QCOMPARE(t.demas(), antes);
        QCOMPARE(datos::comprobar(t.base.archivo()), QStringList());
    }

    // With no database open, a lookup and the posting after it say so, once each.
    void sinBaseDeDatos()
    {
        FormaDeTrabajo t("FrmMovim");
        const QString archivo = mPrincipal::conexion().archivo();
        mPrincipal::conexion().close();
        t.mensajes.limpiar();
        const QString sinConexion = "Error 10001 (La conexión con la base de datos «" + archivo + "» no está abierta)";
        t.escribirYSalir("t_numero", "2");
        QCOMPARE(t.mensajes.textos(), QStringList{sinConexion});
        t.pulsar("b_Guardar");
        QCOMPARE(t.mensajes.textos(), (QStringList{sinConexion, sinConexion}));
        mPrincipal::conexion().open(archivo);
    }
};

QUENDRA_TEST(TestBarrido)
QUENDRA_TEST(TestRechazos)
#include "tst_work_forms.moc"
