#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <optional>
#include <utility>

// Translates the statements the program writes (date literals between "#",
// day-first quoted dates, ISNULL(x), like, a closing FOR UPDATE) into the dialect of the engine that
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
        QSet<QString> columnasNoTexto;           // numbers and dates, which an empty text can never equal
        QHash<QString, QString> nombresEscritos; // columns whose declared name is not all lower case
    };

    explicit SqlDialect(QSet<QString> columnasFecha = {}) : id_(nuevoId())
    {
        esquema_.columnasFecha = std::move(columnasFecha);
    }
    SqlDialect(Destino destino, Esquema esquema) : destino_(destino), esquema_(std::move(esquema)), id_(nuevoId()) { }

    // Throws QuendraError for an impossible date (31-02-2024) and, on a server,
    // for a text holding more than one statement.
    QString traducir(const QString &sql) const;

    bool esColumnaFecha(const QString &nombre) const { return esquema_.columnasFecha.contains(nombre.toLower()); }
    Destino destino() const { return destino_; }
    // Tells one dialect from another, also from one made later in the same place.
    quint64 id() const { return id_; }

private:
    static quint64 nuevoId();

    Destino destino_ = Destino::SQLite;
    Esquema esquema_;
    quint64 id_;
};

// A statement that runs over and over with one quoted value changed, as a
// report runs two for each of thousands of articles. Its text is `antes`, the
// value with its quotes doubled, `despues`: `antes` ends with the quote that
// opens the value and `despues` begins with the one that closes it.
class SentenciaConValor
{
public:
    SentenciaConValor(QString antes, QString despues) : antes_(std::move(antes)), despues_(std::move(despues)) { }

    QString texto(const QString &valor) const { return antes_ + valor + despues_; }
    // The same text as d.traducir(texto(valor)). What is translated stands
    // outside the quotes, so the parts around the value are translated once for
    // each dialect and the value put between them; a value that translation
    // could read as a date or as an empty text goes through the whole translation.
    QString traducida(const SqlDialect &d, const QString &valor) const;
    // The translated text with the value's place, its quotes included, as the
    // parameter $1, when the value stands between quotes: for a server that
    // prepares the statement once. Empty when it does not.
    QString conParametro(const SqlDialect &d) const;
    // Whether a value goes between the translated parts as it is (and so may
    // be the parameter's text): letters, digits and blanks.
    static bool valorNeutro(const QString &valor);

private:
    void partesPara(const SqlDialect &d) const;

    QString antes_, despues_;
    mutable quint64 traducidoPara_ = 0; // the dialect the two parts below are for
    mutable std::optional<std::pair<QString, QString>> partes_;
};
