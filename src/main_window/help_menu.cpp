#include "help_menu.h"
#include "about_text.h"
#include "action_guard.h"
#include "messages.h"
#include "mprincipal.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace menuAyuda {

QString paginaManual()
{
    const QDir programa(QCoreApplication::applicationDirPath());
    for (const QString &lugar :
         {QStringLiteral("../share/doc/quendra/manual/index.html"), QStringLiteral("../../docs/manual/index.html")}) {
        const QFileInfo pagina(programa.filePath(lugar));
        if (pagina.isFile())
            return pagina.canonicalFilePath();
    }
    return {};
}

namespace {

void abrirManual()
{
    const QString pagina = paginaManual();
    if (pagina.isEmpty()) {
        mensajes::mostrar(QStringLiteral("No se encontró el manual de uso junto al programa."));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(pagina)))
        mensajes::mostrar(QStringLiteral("No se pudo abrir el manual de uso «%1» en el navegador.").arg(pagina));
}

} // namespace

QDialog *crearAcercaDe(QMainWindow *ventana)
{
    auto *dialogo = new QDialog(ventana);
    dialogo->setObjectName(QStringLiteral("frmAcercaDe"));
    dialogo->setWindowTitle(QStringLiteral("Acerca de Quendra"));
    dialogo->setAttribute(Qt::WA_DeleteOnClose);
    const QString texto = textoAcercaDe(mPrincipal::conexion());
    auto *etiqueta = new QLabel(texto.trimmed(), dialogo);
    etiqueta->setObjectName(QStringLiteral("lblAcercaDe"));
    etiqueta->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *botones = new QDialogButtonBox(QDialogButtonBox::Close, dialogo);
    QPushButton *copiar = botones->addButton(QStringLiteral("&Copiar"), QDialogButtonBox::ActionRole);
    copiar->setObjectName(QStringLiteral("cmdCopiar"));
    QObject::connect(copiar, &QPushButton::clicked, dialogo, [texto] { QApplication::clipboard()->setText(texto); });
    QObject::connect(botones, &QDialogButtonBox::rejected, dialogo, &QDialog::reject);
    auto *capas = new QVBoxLayout(dialogo);
    capas->addWidget(etiqueta);
    capas->addWidget(botones);
    return dialogo;
}

void agregar(QMainWindow *ventana)
{
    QMenu *menu = ventana->menuBar()->addMenu(QStringLiteral("Ay&uda"));
    menu->setObjectName(QStringLiteral("mnuAyuda"));
    menu->menuAction()->setObjectName(QStringLiteral("mnuAyuda"));
    QAction *manual = menu->addAction(QStringLiteral("&Manual de uso"));
    manual->setObjectName(QStringLiteral("mnuManual"));
    manual->setShortcut(QKeySequence(Qt::Key_F1));
    QObject::connect(manual, &QAction::triggered, ventana, [] { protegido(abrirManual); });
    QAction *acerca = menu->addAction(QStringLiteral("&Acerca de Quendra"));
    acerca->setObjectName(QStringLiteral("mnuAcercaDe"));
    QObject::connect(acerca, &QAction::triggered, ventana,
                     [ventana] { protegido([&] { crearAcercaDe(ventana)->open(); }); });
}

} // namespace menuAyuda
