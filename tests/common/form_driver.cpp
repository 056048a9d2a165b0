#include "form_driver.h"

#include "mprincipal.h"
#include "report_preview.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QRadioButton>
#include <QStyleOptionGroupBox>
#include <QTimer>

namespace pruebas {

void mostrarActiva(QWidget *ventana)
{
    ventana->show();
    ventana->activateWindow();
    if (!QTest::qWaitForWindowActive(ventana))
        qWarning("window %s never became active", qPrintable(ventana->objectName()));
}

void escribir(QWidget *campo, const QString &texto)
{
    QTest::mouseClick(campo, Qt::LeftButton);
    QTest::keyClick(campo, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(campo, Qt::Key_Delete);
    for (QChar c : texto) {
        if (c.unicode() < 128)
            QTest::keyClick(campo, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, campo, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

void teclear(const QString &secuencia, QWidget *sinFoco)
{
    static const QHash<QString, Qt::Key> nombres = {
        {"F2", Qt::Key_F2},          {"F5", Qt::Key_F5},      {"Enter", Qt::Key_Return}, {"Esc", Qt::Key_Escape},
        {"Back", Qt::Key_Backspace}, {"Del", Qt::Key_Delete}, {"Left", Qt::Key_Left},    {"Right", Qt::Key_Right},
        {"Up", Qt::Key_Up},          {"Down", Qt::Key_Down},  {"Home", Qt::Key_Home}};
    const auto foco = [sinFoco] { return QApplication::focusWidget() ? QApplication::focusWidget() : sinFoco; };
    for (const QString &palabra : secuencia.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (nombres.contains(palabra))
            QTest::keyClick(foco(), nombres[palabra]);
        else
            for (QChar c : palabra) // a letter may open an editor that takes the next
                QTest::keyClick(foco(), c.toLatin1());
    }
}

void elegirEnLista(QComboBox *lista, const QString &inicio)
{
    const int destino = lista->findText(inicio, Qt::MatchStartsWith);
    if (destino < 0)
        qFatal("no item %s", qPrintable(inicio));
    for (int paso = lista->currentIndex(); paso != destino; paso += destino > paso ? 1 : -1)
        QTest::keyClick(lista, destino > paso ? Qt::Key_Down : Qt::Key_Up);
}

void clicFila(QTableView *vista, int fila, bool doble)
{
    const QModelIndex celda = vista->model()->index(fila - 1, 1);
    vista->scrollTo(celda);
    const QPoint centro = vista->visualRect(celda).center();
    QTest::mouseClick(vista->viewport(), Qt::LeftButton, {}, centro);
    if (doble)
        QTest::mouseDClick(vista->viewport(), Qt::LeftButton, {}, centro);
}

void elegirEnBusqueda(QWidget *boton, int fila)
{
    QTimer::singleShot(0, [fila] {
        QWidget *dialogo = QApplication::activeModalWidget();
        if (!dialogo) // a search that fails before the dialog opens leaves nothing to close
            return;
        auto *vista = control<QTableView>(dialogo, "grilla");
        if (fila <= vista->model()->rowCount())
            clicFila(vista, fila);
        dialogo->close();
    });
    QTest::mouseClick(boton, Qt::LeftButton);
}

ReportPreview *vistaPrevia()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *v = qobject_cast<ReportPreview *>(w); v && v->isVisible())
            return v;
    return nullptr;
}

QStringList paginasPdf(const QString &pdf)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'), Qt::SkipEmptyParts);
}

QString solapes(QWidget *padre)
{
    QStringList fallas;
    QList<QWidget *> hijos = padre->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    hijos.removeIf([](QWidget *w) { return w->objectName().isEmpty() || w->isWindow(); });
    QRect dentro = padre->rect();
    if (auto *marco = qobject_cast<QGroupBox *>(padre)) {
        QStyleOptionGroupBox opcion;
        opcion.initFrom(marco);
        opcion.text = marco->title();
        opcion.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
        dentro = marco->style()->subControlRect(QStyle::CC_GroupBox, &opcion, QStyle::SC_GroupBoxContents, marco);
    }
    for (QWidget *a : hijos) {
        if (!dentro.contains(a->geometry()))
            fallas << a->objectName() + " sale de " + padre->objectName();
        // A label needs its own size; a button its caption and a margin, an option its mark as well.
        const QString texto =
            qobject_cast<QAbstractButton *>(a) ? a->property("text").toString().remove('&') : QString();
        const int ancho = qobject_cast<QLabel *>(a)
                              ? a->sizeHint().width()
                              : a->fontMetrics().horizontalAdvance(texto) + (qobject_cast<QRadioButton *>(a) ? 24 : 4);
        if (ancho > a->width())
            fallas << a->objectName() + " corta su texto";
        for (QWidget *b : hijos.mid(hijos.indexOf(a) + 1))
            if (a->geometry().intersects(b->geometry()))
                fallas << a->objectName() + " pisa " + b->objectName();
        if (const QString interior = qobject_cast<QGroupBox *>(a) ? solapes(a) : QString(); !interior.isEmpty())
            fallas << interior;
    }
    return fallas.join(QStringLiteral("; "));
}

QWidget *PrincipalDePrueba::abrir(const QString &item, const frmIniciar::Fabrica &fabrica)
{
    principal.registrarFormulario(item, fabrica);
    mostrarActiva(&principal);
    return principal.mostrarFormulario(item);
}

bool PrincipalDePrueba::pulsarAlt(char tecla)
{
    QTest::keyClick(QApplication::focusWidget(), tecla, Qt::AltModifier);
    return principal.isVisible() && mPrincipal::conexion().isOpen() && !principal.menuBar()->activeAction();
}

} // namespace pruebas
