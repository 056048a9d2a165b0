#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;
class QTableWidget;

// The barcodes of the article shown in the article form, beside its fields: a
// box that takes a code typed or scanned (Enter adds it, so a scanner adds
// each code it reads), the article's codes with the kind each prints as, and
// a button that removes the one selected.
class CodigosDeArticulo : public QWidget
{
    Q_OBJECT
public:
    explicit CodigosDeArticulo(QWidget *parent = nullptr);

    // The codes of the article with that number; none when it is empty.
    void mostrar(const QString &numero);
    void agregar();
    void quitar();

    QLineEdit *campo() const { return t_codigoBarras_; }
    QList<QWidget *> ordenDeTabulacion() const;

private:
    QString numero_;
    QLineEdit *t_codigoBarras_;
    QPushButton *b_AgregarCodigo_;
    QTableWidget *grillaCodigos_;
    QPushButton *b_QuitarCodigo_;
};
