#pragma once

#include <QSet>
#include <QString>

// Translates the statements the program writes (date literals between "#",
// day-first quoted dates, ISNULL(x)) into SQLite's dialect, in one pass over the
// tokens that never changes anything inside a quoted text.
class SqlDialect
{
public:
    // Lower-cased names of the columns declared DATE in any table.
    explicit SqlDialect(QSet<QString> columnasFecha = {}) : columnasFecha_(std::move(columnasFecha)) {}

    // Throws QuendraError for an impossible date (31-02-2024).
    QString traducir(const QString &sql) const;

    bool esColumnaFecha(const QString &nombre) const { return columnasFecha_.contains(nombre.toLower()); }

private:
    QSet<QString> columnasFecha_;
};
