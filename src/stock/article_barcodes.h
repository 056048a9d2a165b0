#pragma once

#include <QString>
#include <QStringList>

class Connection;

// The barcodes of the articles (table codigo_barras): any number per article,
// each code naming one article. Every window that asks for an article reads
// what was typed or scanned through leer, so a scan works alike in all of them.
namespace codigosBarras {

// What an article box holds once read.
struct Lectura
{
    // The text was a code to look up, not an article number.
    bool esCodigo = false;
    // The text as typed when it is an article number; for a code, the number of
    // its article, or empty when no article holds it.
    QString numero;
};

// At most six digits are an article number and come back as typed, for the
// window to look up its own way; any other text is looked up as a barcode.
Lectura leer(Connection &conexion, const QString &texto);
// What the operator is told when a scanned code is no article's.
QString mensajeDesconocido(const QString &codigo);

// The article's codes, oldest first.
QStringList delArticulo(Connection &conexion, const QString &numero);
// Adds the code, trimmed, to the article. Gives why it was refused (a code
// that cannot be stored, one that another article holds, naming it, an article
// not saved yet), or an empty text. Two operators adding one code take turns.
QString agregar(Connection &conexion, const QString &numero, const QString &codigo);
void quitar(Connection &conexion, const QString &numero, const QString &codigo);

// Gives each of the articles (those the caller found without a code) its
// in-store EAN-13, all or none. Gives why it could not (an in-store code
// another article holds), or an empty text.
QString asignarInternos(Connection &conexion, const QStringList &numeros);

} // namespace codigosBarras
