#pragma once

#include "import_check.h"

#include <QList>
#include <QWidget>

class MaskedDateBox;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSortFilterProxyModel;
class QStackedWidget;
class QTableView;
class ModeloRevision;

// Mantenimiento > Importar artículos...: a sheet of articles and their opening
// stock brought in three steps (the file and its sheet; the columns, the place
// and the date; every row with its verdict), then the summary of what was written.
class FrmImportar : public QWidget
{
    Q_OBJECT

public:
    explicit FrmImportar(QWidget *parent = nullptr);

    // The steps, in order, as the stack shows them.
    enum Paso { Archivo, Columnas, Revision, Resumen };
    Paso paso() const;

signals:
    // The import was written: articles and opening stock changed.
    void stockCambiado();

private:
    QWidget *crearArchivo();
    QWidget *crearColumnas();
    QWidget *crearRevision();
    QWidget *crearResumen();
    void buscarArchivo();
    void leerHojas();
    void siguiente();
    void anterior();
    void irA(Paso p);
    void prepararColumnas();
    void revisar();
    void importar();
    importacion::Opciones opciones() const;

    QStackedWidget *pasos_;
    QLineEdit *archivo_;
    QComboBox *hoja_;
    QList<QComboBox *> columnas_;
    QComboBox *deposito_;
    MaskedDateBox *fecha_;
    QLabel *cuentas_;
    QCheckBox *soloErrores_;
    QTableView *tabla_;
    ModeloRevision *modelo_;
    QSortFilterProxyModel *filtro_;
    QLabel *resumen_;
    QPushButton *anterior_;
    QPushButton *siguiente_;
    QPushButton *importar_;
    QPushButton *cerrar_;
    importacion::Revision revision_;
};
