#pragma once

#include "editable_grid.h"
#include "form_driver.h"
#include "mprincipal.h"
#include "test_main.h"

#include <QApplication>
#include <QSignalSpy>
#include <optional>

// A grid in a shown window over a fresh database, with message boxes answered.
// Articles 000001 to 000004; 000003 has no detail and a name with a comma.
struct GrillaDePrueba
{
    static constexpr const char *consultaArticulos = "select numero, nombre, alta, costo from articulo order by numero";

    BaseDePrueba base;
    RegistroMensajes mensajes;
    QWidget ventana;
    EditableGrid *grid = new EditableGrid(&ventana);
    QTableView *vista = grid->findChild<QTableView *>(QStringLiteral("grilla"));
    QLineEdit *t1 = grid->findChild<QLineEdit *>(QStringLiteral("T1"));

    GrillaDePrueba()
    {
        base.ejecutar("INSERT INTO articulo(numero,nombre,detalle,alta,costo) VALUES "
                      "('000001','Tornillo','Caja','2024-03-05',4.35),('000002','Tuerca','Bolsa','2024-01-10',0.12),"
                      "('000003','Cable 2,5 mm',NULL,'2023-12-31',41.5),('000004','Taco','Caja',NULL,NULL)");
        ventana.resize(640, 240);
        grid->setGeometry(0, 0, 640, 240);
        pruebas::mostrarActiva(&ventana);
    }

    void cargar(const QString &sql = QString::fromLatin1(consultaArticulos),
                std::optional<QStringList> claves = QStringList{QStringLiteral("0")},
                const QString &tabla = QStringLiteral("articulo"))
    {
        grid->rellenaGrid(sql, mPrincipal::conexion(), std::move(claves), tabla);
    }

    QRect rectCelda(int fila, int columna) const { return vista->visualRect(vista->model()->index(fila - 1, columna)); }

    // Where the editor must lie to cover the cell exactly.
    QRect rectEditor(int fila, int columna) const
    {
        QRect celda = rectCelda(fila, columna);
        celda.moveTopLeft(vista->viewport()->mapTo(grid, celda.topLeft()));
        return celda;
    }

    void clic(int fila, int columna)
    {
        QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, rectCelda(fila, columna).center());
    }

    void teclear(const QString &secuencia) { pruebas::teclear(secuencia, vista); }

    QString celdaActual() const { return QStringLiteral("%1,%2").arg(grid->filaActual()).arg(grid->columnaActual()); }
};
