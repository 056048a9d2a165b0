#pragma once

#include "stock_counts.h"

#include <QString>

// The statements of the counts (tables recuento and recuento_linea).
namespace sqlRecuento {

// The lock every change of a count's lines, its applying and its discarding take, so that they take turns.
QString clave(int recuento);

QString ultimoNumero();
QString insertar(int numero, const QString &deposito, const QDate &fecha, const recuentos::Alcance &alcance,
                 const QString &usuario, const QString &cuando);
// Every column of one count, or of the open ones in number order.
QString recuento(int numero);
QString abiertos();
QString cerrar(int numero, char estado, const QString &usuario, const QString &cuando, const QString &entrada,
               const QString &salida);
QString fijarNoContadosCero(int numero, bool cero);

// numero, nombre, codigo of the article of exactly that number.
QString articulo(const QString &numero);
// The count's line of one article, as "contado".
QString linea(int recuento, const QString &numero);
QString insertarLinea(int recuento, const QString &numero, const QString &contado);
QString actualizarLinea(int recuento, const QString &numero, const QString &contado);
QString eliminarLinea(int recuento, const QString &numero);
// The lines counted, with the articles' names: numero, nombre, contado.
QString lineas(int recuento);

// numero, nombre, codigo, costo, contado (null when not counted) and libro (the place's
// movements up to the end of the day, null without any) of the articles the differences
// concern, in article order.
QString diferencias(const recuentos::Recuento &r);
// The same columns as an applied count stored them.
QString diferenciasGuardadas(int recuento);
// Holds the articles the differences concern, in article order, until the transaction ends.
QString bloquearArticulos(const recuentos::Recuento &r);
// Keeps an applied count's book quantity and cost on its line; a line without a count for an article
// taken as counted 0.
QString fijarLibro(int recuento, const QString &numero, const QString &libro, const QString &costo);
QString insertarNoContado(int recuento, const QString &numero, const QString &libro, const QString &costo);

// numero, nombre, codigo and, when asked for, libro of the articles covered, in family then article order.
QString planilla(const recuentos::Recuento &r, bool conLibro);

} // namespace sqlRecuento
