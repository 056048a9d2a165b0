#include "article_codes_panel.h"
#include "action_guard.h"
#include "article_barcodes.h"
#include "barcode_values.h"
#include "form_fields.h"
#include "form_layout.h"
#include "messages.h"
#include "mprincipal.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

CodigosDeArticulo::CodigosDeArticulo(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("codigosDeBarras"));
    auto *rotulo = new QLabel(QStringLiteral("Códigos de barras"), this);
    rotulo->setObjectName(QStringLiteral("Label8"));
    twips::ubicar(rotulo, 0, 0, 2580, 255);
    t_codigoBarras_ = campos::textoEn(this, QStringLiteral("t_codigoBarras"), 0, 375, 1665, 285);
    t_codigoBarras_->setMaxLength(codigoBarras::largoMaximo);
    b_AgregarCodigo_ = campos::ubicado(new QPushButton(QStringLiteral("A&gregar"), this),
                                       QStringLiteral("b_AgregarCodigo"), 1725, 360, 855, 315);

    grillaCodigos_ = campos::ubicado(new QTableWidget(0, 2, this), QStringLiteral("grillaCodigos"), 0, 765, 2580, 4605);
    grillaCodigos_->setHorizontalHeaderLabels({QStringLiteral("Código"), QStringLiteral("Tipo")});
    grillaCodigos_->verticalHeader()->hide();
    grillaCodigos_->verticalHeader()->setDefaultSectionSize(twips::aPixeles(285));
    grillaCodigos_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grillaCodigos_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    grillaCodigos_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grillaCodigos_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grillaCodigos_->setSelectionMode(QAbstractItemView::SingleSelection);

    b_QuitarCodigo_ = campos::ubicado(new QPushButton(QStringLiteral("&Quitar"), this),
                                      QStringLiteral("b_QuitarCodigo"), 0, 5625, 945, 510);

    connect(t_codigoBarras_, &QLineEdit::returnPressed, this, [this] { protegido([this] { agregar(); }); });
    connect(b_AgregarCodigo_, &QPushButton::clicked, this, [this] { protegido([this] { agregar(); }); });
    connect(b_QuitarCodigo_, &QPushButton::clicked, this, [this] { protegido([this] { quitar(); }); });
}

QList<QWidget *> CodigosDeArticulo::ordenDeTabulacion() const
{
    return {t_codigoBarras_, b_AgregarCodigo_, grillaCodigos_, b_QuitarCodigo_};
}

void CodigosDeArticulo::mostrar(const QString &numero)
{
    numero_ = numero;
    const QStringList codigos =
        numero.isEmpty() ? QStringList() : codigosBarras::delArticulo(mPrincipal::conexion(), numero);
    grillaCodigos_->setRowCount(int(codigos.size()));
    for (int f = 0; f < codigos.size(); ++f) {
        grillaCodigos_->setItem(f, 0, new QTableWidgetItem(codigos[f]));
        grillaCodigos_->setItem(f, 1, new QTableWidgetItem(codigoBarras::nombre(codigoBarras::tipo(codigos[f]))));
    }
}

void CodigosDeArticulo::agregar()
{
    const QString rechazo = codigosBarras::agregar(mPrincipal::conexion(), numero_, t_codigoBarras_->text());
    if (!rechazo.isEmpty()) {
        mensajes::mostrar(rechazo, QMessageBox::Warning, QMessageBox::Ok, window()->windowTitle());
        t_codigoBarras_->selectAll();
        return;
    }
    t_codigoBarras_->clear();
    mostrar(numero_);
}

void CodigosDeArticulo::quitar()
{
    const int fila = grillaCodigos_->currentRow();
    if (fila < 0)
        return;
    codigosBarras::quitar(mPrincipal::conexion(), numero_, grillaCodigos_->item(fila, 0)->text());
    mostrar(numero_);
}
