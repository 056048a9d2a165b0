#pragma once

#include "dates.h"
#include "frm_iniciar.h"
#include "message_recorder.h"
#include "test_database.h"

#include <QLineEdit>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>
#include <memory>

class QComboBox;
class ReportPreview;

// Driving forms as the operator does: through their controls, by name.
namespace pruebas {

// A form's control by name; a test that asks for one the form lacks stops there.
template <class W = QWidget> W *control(const QObject *form, const char *nombre)
{
    W *w = form->findChild<W *>(QLatin1String(nombre));
    if (!w)
        qFatal("no control %s", nombre);
    return w;
}
// Shows a window and waits until it has the keyboard.
void mostrarActiva(QWidget *ventana);
// Replaces a field's text: click into it, select all, delete, type.
void escribir(QWidget *campo, const QString &texto);
// Keys to whichever widget has the focus (or `sinFoco` when none has), as the operator's would. Named keys:
// F2 F5 Enter Esc Back Del Left Right Up Down Home; other words are typed.
void teclear(const QString &secuencia, QWidget *sinFoco = nullptr);
// Picks the item of a drop-down list whose text begins with `inicio`, with the arrow keys as the operator does;
// a disabled list takes no key.
void elegirEnLista(QComboBox *lista, const QString &inicio);
// Clicks (or double clicks) a row, counted from 1, of a table view.
void clicFila(QTableView *vista, int fila, bool doble = false);
// Presses a button, then clicks row `fila` (when there is one) of the lookup dialog it opens and closes it.
void elegirEnBusqueda(QWidget *boton, int fila = 1);
// The report preview window on show, if any.
ReportPreview *vistaPrevia();
// The text of each page of a PDF as pdftotext -layout reads it.
QStringList paginasPdf(const QString &pdf);
inline bool hayPdftotext()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}
// Every named control inside its parent (a frame's border included), on no other, wide enough for its
// caption; what is wrong, empty when nothing is.
QString solapes(QWidget *padre);

// A form shown as a window of its own over a fresh database, today fixed, the message boxes answered.
template <class F> struct FormularioDePrueba
{
    BaseDePrueba base;
    RegistroMensajes mensajes;
    std::unique_ptr<F> form;

    FormularioDePrueba(BaseDePrueba::Contenido contenido, QDate hoy) : base(contenido)
    {
        fechas::fijarHoyParaPruebas(hoy);
    }
    ~FormularioDePrueba()
    {
        form.reset();
        fechas::fijarHoyParaPruebas(QDate());
    }
    void mostrar(std::unique_ptr<F> f = std::make_unique<F>())
    {
        form = std::move(f);
        mostrarActiva(form.get());
    }

    template <class W = QWidget> W *control(const char *nombre) const
    {
        return pruebas::control<W>(form.get(), nombre);
    }
    QString texto(const char *nombre) const { return control<QLineEdit>(nombre)->displayText(); }
    bool activo(const char *nombre) const { return control(nombre)->isEnabled(); }
    void clic(const char *nombre) { QTest::mouseClick(control(nombre), Qt::LeftButton); }
    void escribir(const char *nombre, const QString &texto) { pruebas::escribir(control(nombre), texto); }
    // Types into a field and leaves it with Tab, as the operator does to have a number looked up.
    void escribirYSalir(const char *nombre, const QString &texto)
    {
        escribir(nombre, texto);
        QTest::keyClick(control(nombre), Qt::Key_Tab);
    }
    QString valor(const QString &sql) const { return base.valor(sql); }
};

// The main window over the demo database with one form on its menu.
struct PrincipalDePrueba
{
    BaseDePrueba base{BaseDePrueba::Demo};
    RegistroMensajes mensajes;
    frmIniciar principal;

    QWidget *abrir(const QString &item, const frmIniciar::Fabrica &fabrica);
    // Alt+tecla on the focused control; false when it reached the main menu or ended the program.
    bool pulsarAlt(char tecla);
};

} // namespace pruebas
