#pragma once

#include "form_driver.h"

// One of the four work forms over the demo database, its fields holding a
// valid new record: article 000050, family 0050, or a line of article 000001 in
// voucher 00000050. Beside the demo data lie the records a code cut to its
// width would reach: family 2345, article 234567, voucher 23456789.
struct FormaDeTrabajo : pruebas::FormularioDePrueba<QWidget>
{
    explicit FormaDeTrabajo(const QString &nombre);

    // Puts a text into a field as a paste would (line, date or note box); gives what the field then holds.
    QString poner(const char *campo, const QString &texto);
    // Presses a button; one that opens the lookup takes its first row, a report's preview is closed.
    void pulsar(const char *boton);

    // Every row but the new record's, for "nothing else changed"; the stock of
    // article 000001 is left out, since posting its line recomputes it.
    QString demas() const;
    // The new record's row, empty while it is not written.
    QString nuevo() const;
};
