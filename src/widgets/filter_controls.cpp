#include "filter_controls.h"
#include "form_layout.h"
#include "masked_date_box.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace controlesFiltro {

namespace {
const QColor naranjaClaro(255, 224, 192);
}

QLabel *etiqueta(QWidget *padre, const char *nombre, const char *texto, int izq, int arriba, int ancho, int alto)
{
    auto *l = new QLabel(QString::fromUtf8(texto), padre);
    l->setObjectName(QString::fromLatin1(nombre));
    twips::ubicar(l, izq, arriba, ancho, alto);
    // The layout's widths were measured for a narrower face: a caption that does
    // not fit grows to the right, where every label has room, instead of being cut.
    if (l->sizeHint().width() > l->width())
        l->resize(l->sizeHint().width(), l->height());
    return l;
}

QLineEdit *caja(QWidget *padre, const char *nombre, const char *texto, int izq, int arriba, int ancho, int alto)
{
    auto *t = new QLineEdit(QString::fromLatin1(texto), padre);
    t->setObjectName(QString::fromLatin1(nombre));
    twips::ubicar(t, izq, arriba, ancho, alto);
    return t;
}

MaskedDateBox *cajaFecha(QWidget *padre, const char *nombre, int izq, int arriba, int ancho, int alto)
{
    auto *f = new MaskedDateBox(padre);
    f->setObjectName(QString::fromLatin1(nombre));
    QPalette p = f->palette();
    p.setColor(QPalette::Base, naranjaClaro);
    f->setPalette(p);
    twips::ubicar(f, izq, arriba, ancho, alto);
    return f;
}

QPushButton *boton(QWidget *padre, const char *nombre, const char *texto, int izq, int arriba, int ancho, int alto)
{
    auto *b = new QPushButton(QString::fromUtf8(texto), padre);
    b->setObjectName(QString::fromLatin1(nombre));
    twips::ubicar(b, izq, arriba, ancho, alto);
    return b;
}

CajasRangos cajasRangos(QWidget *padre)
{
    CajasRangos c;
    etiqueta(padre, "Label4", "Desde Articulo", 90, 750, 1395, 285);
    c.desdeNumero = caja(padre, "t_DesdeNumero", "0", 1605, 735, 1215, 285);
    etiqueta(padre, "Label5", "Hasta Articulo", 90, 1110, 1395, 285);
    c.hastaNumero = caja(padre, "T_HastaNumero", "99999999", 1605, 1080, 1215, 285);
    etiqueta(padre, "Label7", "Desde Familia", 120, 1455, 1395, 285);
    c.desdeFamilia = caja(padre, "T_DesdeFamilia", "0", 1605, 1440, 1215, 285);
    etiqueta(padre, "Label6", "Hasta Familia", 120, 1815, 1395, 285);
    c.hastaFamilia = caja(padre, "T_HastaFamilia", "99999999", 1605, 1800, 1215, 285);
    return c;
}

} // namespace controlesFiltro
