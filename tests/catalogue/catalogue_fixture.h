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
// empty one), with today fixed at 14-05-2026 and the message boxes answered.
template <class Formulario>
struct FormularioDePrueba
{
    BaseDePrueba base;
    RegistroMensajes mensajes;
    std::unique_ptr<Formulario> form;

    explicit FormularioDePrueba(BaseDePrueba::Contenido contenido = BaseDePrueba::Demo) : base(contenido)
    {
        fechas::fijarHoyParaPruebas(QDate(2026, 5, 14));
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
    QString texto(const char *nombre) const { return control<QLineEdit>(nombre)->text(); }
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

    // The grid's table view, a click or double click on a row (from 1), and a column's texts.
    QTableView *vista() const { return form->grilla()->template findChild<QTableView *>(QStringLiteral("grilla")); }
    void clicFila(int fila, bool doble = false)
    {
        const QModelIndex celda = vista()->model()->index(fila - 1, 1);
        vista()->scrollTo(celda);
        const QPoint centro = vista()->visualRect(celda).center();
        QTest::mouseClick(vista()->viewport(), Qt::LeftButton, {}, centro);
        if (doble)
            QTest::mouseDClick(vista()->viewport(), Qt::LeftButton, {}, centro);
    }
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

// Presses a button that opens the lookup dialog; while it is open, its first row
// is clicked (when there is one) and the dialog is closed.
inline void buscarEnDialogo(QWidget *boton)
{
    QTimer::singleShot(0, [] {
        FrmBusqueda &d = FrmBusqueda::instancia();
        auto *v = d.findChild<QTableView *>(QStringLiteral("grilla"));
        QTest::mouseClick(v->viewport(), Qt::LeftButton, {}, v->visualRect(v->model()->index(0, 1)).center());
        d.close();
    });
    QTest::mouseClick(boton, Qt::LeftButton);
}
