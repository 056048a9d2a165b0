#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QMdiArea;
class QAction;
class CopiaDiaria;

// The main window: an MDI parent whose menu opens the work forms inside it,
// one instance each, created on first use and brought to the front afterwards.
class frmIniciar : public QMainWindow
{
    Q_OBJECT
public:
    using Fabrica = std::function<QWidget *()>;

    explicit frmIniciar(QWidget *parent = nullptr);

    // The start-up sequence. False when another copy already runs: the caller ends.
    bool cargar();

    // Connects a menu item (mnuMovim, mnuArticulo, mnuSeccion, mnuDepositos,
    // mnuInfMovim, mnuStockDeposito, mnuValorizacion, mnuMinimos, mnuReponer, mnuRegistroCambios) to the form it shows.
    void registrarFormulario(const QString &item, Fabrica fabrica);
    // Shows the form of a menu item: the open one brought to the front, or a new one.
    QWidget *mostrarFormulario(const QString &item);
    QWidget *formularioAbierto(const QString &item) const;

    QMdiArea *areaTrabajo() const { return area_; }
    CopiaDiaria *copiaDiaria() const { return copiaDiaria_; }

private:
    void crearMenu();
    void salir();

    QMdiArea *area_;
    CopiaDiaria *copiaDiaria_;
    QHash<QString, QAction *> items_;
    QHash<QString, Fabrica> fabricas_;
    QHash<QString, QPointer<QWidget>> abiertos_;
};
