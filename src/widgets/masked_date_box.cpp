#include "masked_date_box.h"
#include "dates.h"

MaskedDateBox::MaskedDateBox(QWidget *parent) : QLineEdit(parent)
{
    setInputMask(QStringLiteral("99-99-9999; "));
    setMaxLength(10);
}

QDate MaskedDateBox::fecha() const
{
    return fechas::leer(displayText());
}
