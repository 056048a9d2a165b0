#pragma once

#include <QComboBox>

// A drop-down list of the storage places, each shown as "código — nombre" with
// its code as the item's data. What the operator picks is told by `elegido`;
// what the program shows through `mostrar` is not.
class ListaDepositos : public QComboBox
{
    Q_OBJECT
public:
    explicit ListaDepositos(QWidget *parent = nullptr);

    // Reads the places again and shows the one of `codigo`; a code that names
    // no place is shown alone, so the list never claims another place.
    void mostrar(const QString &codigo);
    QString codigo() const;

signals:
    void elegido(const QString &codigo);
};
