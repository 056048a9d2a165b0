#include "frm_iniciar.h"
#include "action_guard.h"
#include "daily_backup.h"
#include "database_in_view.h"
#include "database_location.h"
#include "database_settings.h"
#include "dates.h"
#include "first_start.h"
#include "help_menu.h"
#include "messages.h"
#include "mprincipal.h"
#include "open_database.h"
#include "single_instance.h"
#include "startup_check.h"
#include "window_place.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>

frmIniciar::frmIniciar(QWidget *parent)
    : QMainWindow(parent), area_(new QMdiArea(this)), copiaDiaria_(new CopiaDiaria(this))
{
    setObjectName(QStringLiteral("frmIniciar"));
    area_->setBackground(palette().brush(QPalette::Dark));
    setCentralWidget(area_);
    crearMenu();
    resize(1024, 720);
}

void frmIniciar::crearMenu()
{
    struct Item
    {
        const char *menu, *menuTexto, *item, *texto;
    };
    const Item tabla[] = {
        {"mnuAdicionar", "&Adicionar", "mnuMovim", "&Movimientos"},
        {"mnuAdicionar", "&Adicionar", "mnuTransferencia", "&Transferencia entre depósitos"},
        {"mnuAdicionar", "&Adicionar", "mnuRecuento", "&Recuento de stock"},
        {"mnuMantenimiento", "&Mantenimiento", "mnuArticulo", "&Articulo"},
        {"mnuMantenimiento", "&Mantenimiento", "mnuSeccion", "&Familias"},
        {"mnuMantenimiento", "&Mantenimiento", "mnuDepositos", "&Depósitos"},
        {"mnuMantenimiento", "&Mantenimiento", "mnuImportar", "&Importar artículos..."},
        {"mnuMantenimiento", "&Mantenimiento", "mnuEtiquetas", "&Etiquetas"},
        {"mnuMantenimiento", "&Mantenimiento", "mnuMinimos", "&Mínimos de stock"},
        {"RptInformes", "&Informes", "mnuInfMovim", "&Movimientos de Stock"},
        {"RptInformes", "&Informes", "mnuStockDeposito", "Stock por &depósito"},
        {"RptInformes", "&Informes", "mnuValorizacion", "&Valorización de stock"},
        {"RptInformes", "&Informes", "mnuReponer", "Artículos a &reponer"},
        {"RptInformes", "&Informes", "mnuRegistroCambios", "Registro de &cambios"},
    };
    QHash<QString, QMenu *> menus;
    for (const Item &i : tabla) {
        QMenu *&m = menus[QLatin1String(i.menu)];
        if (!m) {
            m = menuBar()->addMenu(QString::fromUtf8(i.menuTexto));
            m->setObjectName(QLatin1String(i.menu));
            m->menuAction()->setObjectName(QLatin1String(i.menu));
        }
        QAction *a = m->addAction(QString::fromUtf8(i.texto));
        a->setObjectName(QLatin1String(i.item));
        const QString item = QLatin1String(i.item);
        connect(a, &QAction::triggered, this, [this, item] { protegido([&] { mostrarFormulario(item); }); });
        items_.insert(item, a);
    }
    // "&Salir" is a top-level entry that is itself the command.
    QAction *salir = menuBar()->addAction(QStringLiteral("&Salir"));
    salir->setObjectName(QStringLiteral("mnusalir"));
    connect(salir, &QAction::triggered, this, &frmIniciar::salir);
    menuAyuda::agregar(this);
}

bool frmIniciar::cargar()
{
    static UnicaInstancia instancia;
    if (instancia.otraEnEjecucion()) {
        mensajes::mostrar(QStringLiteral("El programa ya está siendo ejecutado"));
        return false;
    }
    setWindowTitle(QStringLiteral("Control de depósito "));
    recordarLugarVentana(this);
    show();
    QApplication::processEvents();
    mPrincipal::depositoDefecto = ajustesBase::depositoDelPuesto();
    primerInicio::ofrecerBaseNueva();
    mPrincipal::openBaseDatos();
    baseEnVista::mostrar(this);
    const Connection &c = mPrincipal::conexion();
    if (c.isOpen() && c.esServidor())
        copiaDiaria_->iniciarServidor(
            c.archivo(), QDir(ubicacionBase::carpetaDatos()).filePath(QStringLiteral("backups")), fechas::hoy());
    else if (c.isOpen())
        revisionInicial::cuandoSana([this] { copiaDiaria_->iniciar(mPrincipal::conexion().archivo(), fechas::hoy()); });
    return true;
}

void frmIniciar::registrarFormulario(const QString &item, Fabrica fabrica)
{
    fabricas_.insert(item, std::move(fabrica));
}

QWidget *frmIniciar::formularioAbierto(const QString &item) const
{
    return abiertos_.value(item);
}

QWidget *frmIniciar::mostrarFormulario(const QString &item)
{
    if (QWidget *abierto = abiertos_.value(item)) {
        if (auto *sub = qobject_cast<QMdiSubWindow *>(abierto->parentWidget())) {
            sub->showNormal();
            area_->setActiveSubWindow(sub);
        }
        return abierto;
    }
    if (!fabricas_.contains(item))
        return nullptr;
    QWidget *f = fabricas_[item]();
    auto *sub = area_->addSubWindow(f, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                                           | Qt::WindowCloseButtonHint);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(f->windowIcon());
    abiertos_.insert(item, f);
    sub->show();
    f->setFocus();
    return f;
}

void frmIniciar::salir()
{
    area_->closeAllSubWindows();
    mPrincipal::conexion().close();
    close();
}
