#pragma once

#include <QHash>
#include <QSet>
#include <QString>

// Translates the statements the program writes (date literals between "#",
// day-first quoted dates, ISNULL(x), like) into the dialect of the engine that
// runs them, in one pass over the tokens that never changes anything inside a
// quoted text.
class SqlDialect
{
public:
    enum class Destino { SQLite, PostgreSQL };

    // What the engine knows of its tables, every name lower-cased.
    struct Esquema
    {
        QSet<QString> columnasFecha;
        QSet<QString> columnasNoTexto; // numbers and dates, which an empty text can never equal
        QHash<QString, QString> nombresEscritos; // columns whose declared name is not all lower case
    };

    explicit SqlDialect(QSet<QString> columnasFecha = {}) { esquema_.columnasFecha = std::move(columnasFecha); }
    SqlDialect(Destino destino, Esquema esquema) : destino_(destino), esquema_(std::move(esquema)) {}

    // Throws QuendraError for an impossible date (31-02-2024) and, on a server,
    // for a text holding more than one statement.
    QString traducir(const QString &sql) const;

    bool esColumnaFecha(const QString &nombre) const { return esquema_.columnasFecha.contains(nombre.toLower()); }
    Destino destino() const { return destino_; }

private:
    Destino destino_ = Destino::SQLite;
    Esquema esquema_;
};
