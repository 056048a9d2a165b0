#pragma once

class MaskedDateBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

// The controls of the report filter windows and of the work windows that share
// their look, each named and placed in twips.
namespace controlesFiltro {

QLabel *etiqueta(QWidget *padre, const char *nombre, const char *texto, int izq, int arriba, int ancho, int alto);
QLineEdit *caja(QWidget *padre, const char *nombre, const char *texto, int izq, int arriba, int ancho, int alto);
// A date box with the light orange background of the filter windows.
MaskedDateBox *cajaFecha(QWidget *padre, const char *nombre, int izq, int arriba, int ancho, int alto);
QPushButton *boton(QWidget *padre, const char *nombre, const char *texto, int izq, int arriba, int ancho, int alto);

// The article and family ranges, with their labels, where every filter window has them.
struct CajasRangos
{
    QLineEdit *desdeNumero, *hastaNumero, *desdeFamilia, *hastaFamilia;
};
CajasRangos cajasRangos(QWidget *padre);

} // namespace controlesFiltro
