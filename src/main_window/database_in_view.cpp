#include "database_in_view.h"
#include "connection.h"
#include "database_location.h"
#include "mprincipal.h"

#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

namespace baseEnVista {

namespace {
const QString tituloDado = QStringLiteral("Control de depósito ");
}

QString titulo(const QString &lugar, bool abierta, const QString &archivoUsual)
{
    if (!abierta || lugar == archivoUsual)
        return tituloDado;
    return tituloDado + QStringLiteral("— ") + QDir::toNativeSeparators(lugar);
}

QString estado(const QString &lugar, bool abierta, bool servidor)
{
    if (!abierta)
        return QStringLiteral("Sin base de datos abierta");
    return (servidor ? QStringLiteral("Base de datos: servidor %1") : QStringLiteral("Base de datos: archivo %1"))
        .arg(QDir::toNativeSeparators(lugar));
}

void mostrar(QMainWindow *ventana)
{
    const Connection &c = mPrincipal::conexion();
    const QString usual = QDir(ubicacionBase::carpetaDatos()).filePath(ubicacionBase::nombreArchivo);
    ventana->setWindowTitle(titulo(c.archivo(), c.isOpen(), usual));
    auto *etiqueta = ventana->statusBar()->findChild<QLabel *>(QStringLiteral("lblBaseEnUso"));
    if (!etiqueta) {
        etiqueta = new QLabel(ventana->statusBar());
        etiqueta->setObjectName(QStringLiteral("lblBaseEnUso"));
        ventana->statusBar()->addWidget(etiqueta, 1);
    }
    etiqueta->setText(estado(c.archivo(), c.isOpen(), c.esServidor()));
}

} // namespace baseEnVista
