#pragma once

#include "dates.h"
#include "editable_grid.h"
#include "frm_busqueda.h"
#include "message_recorder.h"
#include "mprincipal.h"
#include "report_preview.h"
#include "test_database.h"
#include "test_main.h"

#include <QApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <memory>

// A catalogue form shown as a window of its own over the demo database (or an
// empty one), with today fixed and the message boxes answered.
template <class Formulario>
struct FormularioDePrueba
{
    static inline const QDate hoy{2026, 5, 14};

    BaseDePrueba base;
    RegistroMensajes mensajes;
    std::unique_ptr<Formulario> form;

    explicit FormularioDePrueba(BaseDePrueba::Contenido contenido = BaseDePrueba::Demo) : base(contenido)
    {
        fechas::fijarHoyParaPruebas(hoy);
        form = std::make_unique<Formulario>();
        form->show();
        form->activateWindow();
        [[maybe_unused]] bool activa = QTest::qWaitForWindowActive(form.get());
    }
    ~FormularioDePrueba() { fechas::fijarHoyParaPruebas(QDate()); }

    template <class W = QWidget>
    W *control(const char *nombre) const
    {
        W *w = form->template findChild<W *>(QLatin1String(nombre));
        if (!w)
            qFatal("no control %s", nombre);
        return w;
    }
    QLineEdit *campo(const char *nombre) const { return control<QLineEdit>(nombre); }
    QString texto(const char *nombre) const { return campo(nombre)->text(); }

    void clic(const char *nombre) { QTest::mouseClick(control(nombre), Qt::LeftButton); }

    // Replaces a field's text as the operator would: click into it, select all, type.
    void escribir(const char *nombre, const QString &texto)
    {
        QWidget *w = control(nombre);
        QTest::mouseClick(w, Qt::LeftButton);
        QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(w, Qt::Key_Delete);
        for (QChar c : texto) {
            if (c.unicode() < 128)
                QTest::keyClick(w, char(c.unicode()));
            else
                QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }

    // The grid's table view, and a click or double click on a row (rows count from 1).
    QTableView *vista() const { return form->grilla()->template findChild<QTableView *>(QStringLiteral("grilla")); }
    QPoint centroFila(int fila) const
    {
        const QModelIndex celda = vista()->model()->index(fila - 1, 1);
        vista()->scrollTo(celda);
        return vista()->visualRect(celda).center();
    }
    void clicFila(int fila) { QTest::mouseClick(vista()->viewport(), Qt::LeftButton, {}, centroFila(fila)); }
    void dobleClicFila(int fila)
    {
        clicFila(fila);
        QTest::mouseDClick(vista()->viewport(), Qt::LeftButton, {}, centroFila(fila));
    }
    // The texts of one grid column, below the header.
    QStringList columnaGrilla(int columna) const
    {
        QStringList t;
        for (int f = 1; f <= form->grilla()->CantidadFilas(); ++f)
            t << form->grilla()->Celda(f, columna);
        return t;
    }
};

// The article list's preview window when one shows.
inline ReportPreview *vistaPrevia()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *v = qobject_cast<ReportPreview *>(w); v && v->isVisible())
            return v;
    return nullptr;
}

// Presses a button that opens the lookup dialog; while it is open, `fila` is
// clicked (0 clicks none) and the dialog is closed.
inline void buscarEnDialogo(QWidget *boton, int fila)
{
    QTimer::singleShot(0, [fila] {
        FrmBusqueda &d = FrmBusqueda::instancia();
        if (fila > 0) {
            auto *v = d.findChild<QTableView *>(QStringLiteral("grilla"));
            QTest::mouseClick(v->viewport(), Qt::LeftButton, {},
                              v->visualRect(v->model()->index(fila - 1, 1)).center());
        }
        d.close();
    });
    QTest::mouseClick(boton, Qt::LeftButton);
}
