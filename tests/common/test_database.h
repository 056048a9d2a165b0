#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class Recordset;

// Every row of a result as one text, its fields as the program shows them joined by a blank: the same
// on both engines.
QStringList filasComoTexto(const Recordset &rs);
// The private server's address (QUENDRA_SERVIDOR_PRUEBAS), which CTest gives the entries that use it; a test
// program run without it ends with a message that says so.
QString servidorDePruebas();
// A new empty database, named after `nombre` and the process, on that server; its address.
QString baseNuevaEnServidor(const QString &nombre);

// A fresh database in a temporary folder, opened as the program's one connection while the object lives. On the
// server engine (QUENDRA_MOTOR_PRUEBAS=postgresql, CTest's second run) its tables and rows go instead to a database
// of the process's own on the private server (servidorDePruebas).
class BaseDePrueba
{
public:
    enum Contenido { Vacia, Demo };
    explicit BaseDePrueba(Contenido c = Vacia);
    ~BaseDePrueba();

    // The file's path or the server's address: what the connection opened.
    QString archivo() const { return lugar_; }
    // Replaces the rows with a generated data set and opens the database again.
    void llenarGenerado(int articulos, int movimientos);
    // Runs SQL on the program's connection and gives the first column of the first row as text.
    QString valor(const QString &sql) const;
    // The rows of a query on the program's connection (filasComoTexto).
    QStringList filas(const QString &sql) const;
    void ejecutar(const QString &sql) const;
    // The same tables and rows, also on the test process's server database; its address.
    QString copiarAlServidor();

    static bool enServidor() { return qEnvironmentVariable("QUENDRA_MOTOR_PRUEBAS") == QLatin1String("postgresql"); }

    QTemporaryDir carpeta_;
    QString archivo_;
    QString lugar_;
};
