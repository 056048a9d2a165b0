#pragma once

#include <QDate>
#include <QString>

// The statements of the transfers (table transferencia and the lines of its two vouchers).
namespace sqlTransferencia {

// The lock every posting, change and deletion of a transfer takes first, so
// that they take turns: a transfer's number and its pair of vouchers are
// settled by one operator at a time.
QString clave();

// The place's stock of an article: "aldia", its movements up to the day, and "total", all of them.
QString stockEnDeposito(const QString &numero, const QString &deposito, const QDate &dia);

QString ultimoNumero();
QString transferencia(int numero);
QString deComprobante(const QString &comprobante);
QString insertar(int numero, const QDate &fecha, const QString &origen, const QString &destino, const QString &detalle,
                 const QString &salida, const QString &entrada);
QString actualizar(int numero, const QDate &fecha, const QString &origen, const QString &destino,
                   const QString &detalle);
QString eliminar(int numero);

// The lines of both vouchers: their articles, how many are printed, and marking them printed.
QString articulos(const QString &salida, const QString &entrada);
QString impresas(const QString &salida, const QString &entrada);
QString marcarImpresas(const QString &salida, const QString &entrada);
QString eliminarLineas(const QString &salida, const QString &entrada);
// The exit voucher's lines with the articles' names: numero, nombre, cantidad, costo, codigo.
QString lineas(const QString &salida);

} // namespace sqlTransferencia
