#pragma once

#include "editable_grid.h"
#include "form_driver.h"
#include "mprincipal.h"
#include "report_preview.h"
#include "test_main.h"

#include <QApplication>

using pruebas::vistaPrevia;

// A catalogue form over the demo database (or an empty one), today 14-05-2026.
template <class Formulario>
struct CatalogoDePrueba : pruebas::FormularioDePrueba<Formulario>
{
    explicit CatalogoDePrueba(BaseDePrueba::Contenido contenido = BaseDePrueba::Demo)
        : pruebas::FormularioDePrueba<Formulario>(contenido, QDate(2026, 5, 14))
    {
        this->mostrar();
    }

    // The grid's table view, a click or double click on a row (from 1), and a column's texts.
    QTableView *vista() const { return pruebas::control<QTableView>(this->form->grilla(), "grilla"); }
    void clicFila(int fila, bool doble = false) { pruebas::clicFila(vista(), fila, doble); }
    QStringList columnaGrilla(int columna) const
    {
        QStringList t;
        for (int f = 1; f <= this->form->grilla()->CantidadFilas(); ++f)
            t << this->form->grilla()->Celda(f, columna);
        return t;
    }
};
