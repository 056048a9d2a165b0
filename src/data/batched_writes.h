#pragma once

#include <QString>
#include <QStringList>

class Connection;

// Writes gathered and handed to Connection::executeAll a few hundred kilobytes
// at a time: a long run of them neither waits for a round trip each nor is
// held whole. They go in the order given; what is left goes with enviar().
class EscriturasEnTandas
{
public:
    explicit EscriturasEnTandas(Connection &conexion) : conexion_(conexion) { }

    void agregar(const QString &sentencia);
    void enviar();

private:
    Connection &conexion_;
    QStringList sentencias_;
    qsizetype largo_ = 0;
};
