#pragma once

#include <QString>
#include <QTemporaryDir>

// A fresh database from db/schema.sql in a temporary folder, opened as the
// program's one connection for the life of the object.
class BaseDePrueba
{
public:
    enum Contenido { Vacia, Demo };
    explicit BaseDePrueba(Contenido c = Vacia);
    ~BaseDePrueba();

    QString archivo() const { return archivo_; }
    // Runs SQL on the program's connection and gives the first column of the first row as text.
    QString valor(const QString &sql) const;
    void ejecutar(const QString &sql) const;

private:
    QTemporaryDir carpeta_;
    QString archivo_;
};
