// The import assistant: its three steps over a sheet, the import refused while a row is wrong, and the summary.
#include "form_driver.h"
#include "frm_importar.h"
#include "message_recorder.h"
#include "test_database.h"
#include "test_main.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>

class TestFrmImportar : public QObject
{
    Q_OBJECT

private slots:
    void tresPasos()
    {
        BaseDePrueba base(BaseDePrueba::Demo);
        QTemporaryDir dir;
        const QString hoja = dir.filePath(QStringLiteral("tienda.csv"));
        QFile f(hoja);
        f.open(QIODevice::WriteOnly);
        f.write("Código;Descripción;Rubro;Costo;Stock\n5001;Tornillo;Ferretería;2,5;10\n5002;Tuerca;Ferretería;x;1\n");
        f.close();

        FrmImportar form;
        form.findChild<QLineEdit *>(QStringLiteral("t_Archivo"))->setText(hoja);
        auto *siguiente = form.findChild<QPushButton *>(QStringLiteral("b_Siguiente"));
        auto *importar = form.findChild<QPushButton *>(QStringLiteral("b_Importar"));
        siguiente->click();
        QCOMPARE(form.paso(), FrmImportar::Columnas);
        siguiente->click();
        QCOMPARE(form.paso(), FrmImportar::Revision);
        QCOMPARE(form.findChild<QLabel *>(QStringLiteral("l_Cuentas"))->text(),
                 QStringLiteral("Nuevos: 1    Actualizan: 0    Sin cambios: 0    Con errores: 1"));
        QVERIFY(!importar->isEnabled());
        auto *tabla = form.findChild<QTableView *>(QStringLiteral("g_Filas"));
        QCOMPARE(tabla->model()->rowCount(), 2);
        form.findChild<QCheckBox *>(QStringLiteral("k_SoloErrores"))->setChecked(true);
        QCOMPARE(tabla->model()->rowCount(), 1);
        QCOMPARE(tabla->model()->index(0, 1).data().toString(), QStringLiteral("costo: costo no numérico"));

        // The sheet put right, the preview read again: the import goes through.
        f.open(QIODevice::WriteOnly);
        f.write("Código;Descripción;Rubro;Costo;Stock\n5001;Tornillo;Ferretería;2,5;10\n5002;Tuerca;Ferretería;1;1\n");
        f.close();
        form.findChild<QPushButton *>(QStringLiteral("b_Anterior"))->click();
        siguiente->click();
        QVERIFY(importar->isEnabled());
        QSignalSpy cambios(&form, &FrmImportar::stockCambiado);
        importar->click();
        QCOMPARE(form.paso(), FrmImportar::Resumen);
        QCOMPARE(cambios.count(), 1);
        QVERIFY(form.findChild<QLabel *>(QStringLiteral("l_Resumen"))
                    ->text()
                    .startsWith(QStringLiteral(
                        "Artículos agregados: 2<br>Artículos actualizados: 0<br>Familias agregadas: 0")));
        QCOMPARE(base.valor(QStringLiteral("select count(*) from movstk where detalle = 'Stock inicial'")),
                 QStringLiteral("2"));
    }

    // After the given maintenance items; the file name takes the typing; a button's letter, even when the
    // button is disabled, never reaches the menu's Salir.
    void desdeElMenu()
    {
        pruebas::PrincipalDePrueba m;
        QStringList items;
        for (QAction *a : m.principal.findChild<QMenu *>("mnuMantenimiento")->actions())
            items << a->objectName();
        QVERIFY(items.indexOf(QStringLiteral("mnuImportar")) > items.indexOf(QStringLiteral("mnuDepositos")));
        QWidget *form = m.abrir(QStringLiteral("mnuImportar"), [] { return new FrmImportar; });
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("t_Archivo"));
        for (char tecla : {'n', 'g', 'p'})
            QVERIFY(m.pulsarAlt(tecla));
        QVERIFY(m.principal.formularioAbierto(QStringLiteral("mnuImportar")) == form);
    }
};

QUENDRA_TEST(TestFrmImportar)
#include "tst_frm_importar.moc"
