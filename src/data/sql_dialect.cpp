#include "sql_dialect.h"
#include "dates.h"
#include "quendra_error.h"

#include <QRegularExpression>

#include <atomic>
#include <optional>
#include <vector>

namespace {

enum class Tipo { Blanco, Comentario, Cadena, Identificador, Numero, Fecha, Simbolo };

// A piece of the statement, seen in place: a report translates thousands of
// statements, and a copy of every token would cost more than the translation.
struct Token
{
    Tipo tipo;
    QStringView texto;
};

bool empiezaIdentificador(QChar c)
{
    return c.isLetter() || c == QLatin1Char('_');
}
bool sigueIdentificador(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('$');
}

std::vector<Token> tokens(const QString &s)
{
    std::vector<Token> out;
    qsizetype i = 0, n = s.size();
    auto cerrarHasta = [&](qsizetype desde, QChar cierre, bool dobleEscapa) {
        qsizetype j = desde + 1;
        while (j < n) {
            if (s[j] == cierre) {
                if (dobleEscapa && j + 1 < n && s[j + 1] == cierre) {
                    j += 2;
                    continue;
                }
                return j + 1;
            }
            ++j;
        }
        return n;
    };
    while (i < n) {
        QChar c = s[i];
        qsizetype fin;
        Tipo t;
        if (c.isSpace()) {
            fin = i;
            while (fin < n && s[fin].isSpace())
                ++fin;
            t = Tipo::Blanco;
        } else if (c == QLatin1Char('-') && i + 1 < n && s[i + 1] == QLatin1Char('-')) {
            fin = s.indexOf(QLatin1Char('\n'), i);
            fin = fin < 0 ? n : fin;
            t = Tipo::Comentario;
        } else if (c == QLatin1Char('/') && i + 1 < n && s[i + 1] == QLatin1Char('*')) {
            fin = s.indexOf(QStringLiteral("*/"), i + 2);
            fin = fin < 0 ? n : fin + 2;
            t = Tipo::Comentario;
        } else if (c == QLatin1Char('\'')) {
            fin = cerrarHasta(i, QLatin1Char('\''), true);
            t = Tipo::Cadena;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('`')) {
            fin = cerrarHasta(i, c, true);
            t = Tipo::Identificador;
        } else if (c == QLatin1Char('[')) {
            fin = cerrarHasta(i, QLatin1Char(']'), false);
            t = Tipo::Identificador;
        } else if (c == QLatin1Char('#')) {
            qsizetype cierre = s.indexOf(QLatin1Char('#'), i + 1);
            if (cierre > 0 && cierre - i <= 40) {
                fin = cierre + 1;
                t = Tipo::Fecha;
            } else {
                fin = i + 1;
                t = Tipo::Simbolo;
            }
        } else if (empiezaIdentificador(c)) {
            fin = i + 1;
            while (fin < n && sigueIdentificador(s[fin]))
                ++fin;
            t = Tipo::Identificador;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && s[i + 1].isDigit())) {
            fin = i + 1;
            while (fin < n
                   && (s[fin].isLetterOrNumber() || s[fin] == QLatin1Char('.')
                       || ((s[fin] == QLatin1Char('+') || s[fin] == QLatin1Char('-'))
                           && s[fin - 1].toLower() == QLatin1Char('e'))))
                ++fin;
            t = Tipo::Numero;
        } else {
            static const QStringList dobles = {QStringLiteral("<="), QStringLiteral(">="), QStringLiteral("<>"),
                                               QStringLiteral("!="), QStringLiteral("=="), QStringLiteral("||")};
            fin = i + 1;
            if (i + 1 < n && dobles.contains(QStringView(s).mid(i, 2)))
                fin = i + 2;
            t = Tipo::Simbolo;
        }
        out.push_back({t, QStringView(s).mid(i, fin - i)});
        i = fin;
    }
    return out;
}

bool esComparacion(const Token &t)
{
    static const QStringList ops = {QStringLiteral("="),  QStringLiteral("=="), QStringLiteral("<"),
                                    QStringLiteral(">"),  QStringLiteral("<="), QStringLiteral(">="),
                                    QStringLiteral("<>"), QStringLiteral("!=")};
    return t.tipo == Tipo::Simbolo && ops.contains(t.texto);
}

bool es(const Token &t, const char *palabra)
{
    return t.tipo == Tipo::Identificador && t.texto.compare(QLatin1String(palabra), Qt::CaseInsensitive) == 0;
}

bool esSimbolo(const Token &t, char c)
{
    return t.tipo == Tipo::Simbolo && t.texto.size() == 1 && t.texto[0] == QLatin1Char(c);
}

QString nombreLimpio(QStringView ident)
{
    if (ident.size() >= 2
        && (ident[0] == QLatin1Char('"') || ident[0] == QLatin1Char('[') || ident[0] == QLatin1Char('`')))
        return ident.mid(1, ident.size() - 2).toString();
    return ident.toString();
}

// dd-mm-yyyy, the form the program writes, is read digit by digit; anything
// else goes to the general reader.
QDate leerDiaPrimero(QStringView t)
{
    auto numero = [t](qsizetype desde, qsizetype cifras) {
        int v = 0;
        for (qsizetype i = desde; i < desde + cifras; ++i) {
            if (t[i] < QLatin1Char('0') || t[i] > QLatin1Char('9'))
                return -1;
            v = v * 10 + (t[i].unicode() - '0');
        }
        return v;
    };
    if (t.size() == 10 && t[2] == QLatin1Char('-') && t[5] == QLatin1Char('-')) {
        const int dia = numero(0, 2), mes = numero(3, 2), anio = numero(6, 4);
        if (dia >= 0 && mes >= 0 && anio >= 0)
            return QDate(anio, mes, dia);
    }
    return fechas::leer(t.toString());
}

QString isoOError(QStringView diaPrimero, const QString &prefijo)
{
    QDate f = leerDiaPrimero(diaPrimero);
    if (!f.isValid())
        throw QuendraError(QuendraError::FechaImposible, QStringLiteral("Fecha incorrecta: %1").arg(diaPrimero));
    int anio, mes, dia;
    f.getDate(&anio, &mes, &dia);
    return prefijo
           + QStringLiteral("'%1-%2-%3'")
                 .arg(anio, 4, 10, QLatin1Char('0'))
                 .arg(mes, 2, 10, QLatin1Char('0'))
                 .arg(dia, 2, 10, QLatin1Char('0'));
}

QString contenidoCadena(QStringView cadena)
{
    return cadena.mid(1, cadena.size() - 2).toString().replace(QStringLiteral("''"), QStringLiteral("'"));
}

// A day-first date is eight characters at least: shorter texts need no pattern.
bool pareceFechaDiaPrimero(QStringView cadena)
{
    static const QRegularExpression forma(QStringLiteral("^\\s*\\d{1,2}[-/]\\d{1,2}[-/]\\d{4}\\s*$"));
    return cadena.size() >= 10 && forma.match(contenidoCadena(cadena)).hasMatch();
}

// The server folds case under its own locale; this collation folds every letter
// as the file engine does and keeps accented letters apart from plain ones.
const QString plegadoServidor = QStringLiteral(" COLLATE \"und-x-icu\"");

// Text added before or after a token, around what the translation made of it.
void rodear(std::optional<QString> &out, QStringView original, const QString &antes, const QString &despues)
{
    out = antes + (out ? *out : original.toString()) + despues;
}

// SQLite puts nulls before every other value in an ascending order and after
// them in a descending one; the server does the opposite unless told. Each
// term of an ORDER BY that does not say where its nulls go is told SQLite's way.
void nulosComoEnElArchivo(const std::vector<Token> &ts, const std::vector<size_t> &sig,
                          std::vector<std::optional<QString>> &salida)
{
    auto decir = [&](size_t s, bool desc) {
        rodear(salida[sig[s]], ts[sig[s]].texto, QString(),
               desc ? QStringLiteral(" NULLS LAST") : QStringLiteral(" NULLS FIRST"));
    };
    std::vector<int> abiertas; // depth of each ORDER BY whose terms are being read
    int profundidad = 0;
    bool desc = false, dicho = false;
    for (size_t s = 0; s < sig.size(); ++s) {
        const Token &t = ts[sig[s]];
        if (esSimbolo(t, '('))
            ++profundidad;
        if (!abiertas.empty() && abiertas.back() == profundidad) {
            const bool cierraTermino = esSimbolo(t, ',') || es(t, "limit") || es(t, "offset") || es(t, "for")
                                       || es(t, "fetch") || esSimbolo(t, ';') || esSimbolo(t, ')');
            if (cierraTermino && !dicho)
                decir(s - 1, desc);
            if (es(t, "desc"))
                desc = true;
            if (es(t, "nulls"))
                dicho = true;
            if (cierraTermino)
                desc = dicho = false;
            if (cierraTermino && !esSimbolo(t, ','))
                abiertas.pop_back();
        }
        if (esSimbolo(t, ')'))
            --profundidad;
        if (es(t, "order") && s + 1 < sig.size() && es(ts[sig[s + 1]], "by")) {
            abiertas.push_back(profundidad);
            ++s;
            desc = dicho = false;
        }
    }
    if (!abiertas.empty() && !dicho)
        decir(sig.size() - 1, desc);
}

// A query of one of the program's tables that says no order gets the one the
// file engine gives it: a scan of familia goes by its counter, the lines of a
// voucher come through the index on (comprobante, numero) and the movements of
// one article through the one on (numero, fecha, comprobante). Articles go by
// their number. Anything with a join, a group, a distinct or a second query
// keeps the order the server chooses.
void ordenComoEnElArchivo(const std::vector<Token> &ts, const std::vector<size_t> &sig,
                          std::vector<std::optional<QString>> &salida)
{
    if (sig.empty() || !es(ts[sig[0]], "select"))
        return;
    static const char *const impiden[] = {"select", "distinct", "union",  "intersect", "except",       "join",
                                          "group",  "order",    "having", "over",      "sum",          "max",
                                          "min",    "count",    "avg",    "total",     "group_concat", "string_agg"};
    size_t desde = 0;
    bool comprobante = false, numero = false;
    for (size_t s = 1; s < sig.size(); ++s) {
        for (const char *p : impiden)
            if (es(ts[sig[s]], p))
                return;
        if (es(ts[sig[s]], "from") && desde == 0)
            desde = s;
        const bool igual = s + 1 < sig.size() && esSimbolo(ts[sig[s + 1]], '=');
        comprobante = comprobante || (igual && es(ts[sig[s]], "comprobante"));
        numero = numero || (igual && es(ts[sig[s]], "numero"));
    }
    if (desde == 0 || desde + 1 >= sig.size() || ts[sig[desde + 1]].tipo != Tipo::Identificador)
        return;
    const QString tabla = nombreLimpio(ts[sig[desde + 1]].texto).toLower();
    QString nombre = ts[sig[desde + 1]].texto.toString();
    size_t s = desde + 2;
    if (s < sig.size() && es(ts[sig[s]], "as"))
        ++s;
    if (s < sig.size() && ts[sig[s]].tipo == Tipo::Identificador && !es(ts[sig[s]], "where") && !es(ts[sig[s]], "limit")
        && !es(ts[sig[s]], "for"))
        nombre = ts[sig[s++]].texto.toString();
    if (s < sig.size() && !es(ts[sig[s]], "where") && !es(ts[sig[s]], "limit") && !es(ts[sig[s]], "for")
        && !esSimbolo(ts[sig[s]], ';'))
        return; // a second table
    QStringList columnas;
    if (tabla == QLatin1String("familia"))
        columnas = {QStringLiteral("id")};
    else if (tabla == QLatin1String("articulo"))
        columnas = {QStringLiteral("numero")};
    else if (tabla == QLatin1String("movstk") && numero && !comprobante)
        columnas = {QStringLiteral("numero"), QStringLiteral("fecha NULLS FIRST"), QStringLiteral("comprobante")};
    else if (tabla == QLatin1String("movstk"))
        columnas = {QStringLiteral("comprobante"), QStringLiteral("numero")};
    else
        return;
    QString orden = QStringLiteral("ORDER BY");
    for (const QString &c : columnas)
        orden += QLatin1Char(' ') + nombre + QLatin1Char('.') + c + QLatin1Char(',');
    orden.chop(1);
    // After the last token of the condition: before a limit, a lock or a final ";".
    size_t ultimo = sig.size() - 1;
    for (size_t k = s; k < sig.size(); ++k)
        if (es(ts[sig[k]], "limit") || es(ts[sig[k]], "offset") || es(ts[sig[k]], "for")
            || esSimbolo(ts[sig[k]], ';')) {
            ultimo = k - 1;
            break;
        }
    rodear(salida[sig[ultimo]], ts[sig[ultimo]].texto, QString(), QLatin1Char(' ') + orden);
}

} // namespace

QString SqlDialect::traducir(const QString &sql) const
{
    const bool servidor = destino_ == Destino::PostgreSQL;
    const QString prefijoFecha = servidor ? QStringLiteral("DATE ") : QString();
    std::vector<Token> ts = tokens(sql);
    std::vector<size_t> sig; // positions of the significant tokens
    for (size_t i = 0; i < ts.size(); ++i)
        if (ts[i].tipo != Tipo::Blanco && ts[i].tipo != Tipo::Comentario)
            sig.push_back(i);

    // INSERT INTO t(c1,c2,...) VALUES (...): which column each value goes to.
    QStringList columnasInsert;
    size_t inicioValores = sig.size();
    if (sig.size() > 4 && es(ts[sig[0]], "insert") && es(ts[sig[1]], "into")) {
        size_t k = 3;
        if (esSimbolo(ts[sig[k]], '(')) {
            for (++k; k < sig.size() && !esSimbolo(ts[sig[k]], ')'); ++k)
                if (ts[sig[k]].tipo == Tipo::Identificador)
                    columnasInsert << nombreLimpio(ts[sig[k]].texto);
            if (k + 2 < sig.size() && es(ts[sig[k + 1]], "values") && esSimbolo(ts[sig[k + 2]], '('))
                inicioValores = k + 3;
        }
    }

    std::vector<std::optional<QString>> salida(ts.size()); // the tokens that change

    auto columnaDe = [&](size_t s, const QSet<QString> &conjunto) {
        return ts[sig[s]].tipo == Tipo::Identificador && conjunto.contains(nombreLimpio(ts[sig[s]].texto).toLower());
    };
    // A literal compared with a column of the set, on either side.
    auto comparadoCon = [&](size_t s, const QSet<QString> &conjunto) {
        return (s >= 2 && esComparacion(ts[sig[s - 1]]) && columnaDe(s - 2, conjunto))
               || (s + 2 < sig.size() && esComparacion(ts[sig[s + 1]]) && columnaDe(s + 2, conjunto));
    };

    std::vector<int> cierresIsNull; // paren depths whose ")" closes an ISNULL(
    int profundidad = 0;
    int posicionValor = 0;
    for (size_t s = 0; s < sig.size(); ++s) {
        const Token &t = ts[sig[s]];
        std::optional<QString> &out = salida[sig[s]];
        const bool enValores = s >= inicioValores && profundidad == 1;
        if (t.tipo == Tipo::Simbolo && t.texto == QLatin1String("(")) {
            // Each row of a many-row VALUES starts again at the first column.
            if (++profundidad == 1 && s >= inicioValores)
                posicionValor = 0;
        } else if (t.tipo == Tipo::Simbolo && t.texto == QLatin1String(")")) {
            if (!cierresIsNull.empty() && cierresIsNull.back() == profundidad) {
                out = QStringLiteral(") IS NULL)");
                cierresIsNull.pop_back();
            }
            --profundidad;
        } else if (t.tipo == Tipo::Simbolo && t.texto == QLatin1String(",") && enValores) {
            ++posicionValor;
        } else if (servidor && esSimbolo(t, ';') && s + 1 < sig.size()) {
            // The file engine refuses this itself when it prepares the text.
            throw QuendraError(QuendraError::VariasSentencias,
                               QStringLiteral("El texto contiene más de una sentencia"));
        } else if (!servidor && es(t, "for") && profundidad == 0 && s + 1 < sig.size()
                   && es(ts[sig[s + 1]], "update")) {
            // The file engine locks the whole file for a writing transaction, never a row.
            out = QString();
            salida[sig[++s]] = QString();
        } else if (es(t, "isnull") && s + 1 < sig.size() && esSimbolo(ts[sig[s + 1]], '(')) {
            out = QStringLiteral("(");
            cierresIsNull.push_back(profundidad + 1);
        } else if (servidor && es(t, "like")) {
            out = QStringLiteral("ILIKE");
            if (s + 1 < sig.size() && ts[sig[s + 1]].tipo == Tipo::Cadena) {
                // No character escapes a pattern unless the statement names one.
                const bool conEscape = s + 2 < sig.size() && es(ts[sig[s + 2]], "escape");
                salida[sig[s + 1]] = ts[sig[s + 1]].texto.toString() + plegadoServidor
                                     + (conEscape ? QString() : QStringLiteral(" ESCAPE ''"));
                ++s;
            }
        } else if (t.tipo == Tipo::Fecha) {
            QStringView dentro = t.texto.mid(1, t.texto.size() - 2);
            bool aTexto =
                enValores && posicionValor < columnasInsert.size() && !esColumnaFecha(columnasInsert[posicionValor]);
            if (aTexto) {
                // A value for a text column keeps the date as the operator typed it.
                QString copia = dentro.toString();
                out = QLatin1Char('\'') + copia.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
            } else {
                out = isoOError(dentro, prefijoFecha);
            }
        } else if (t.tipo == Tipo::Cadena && pareceFechaDiaPrimero(t.texto)) {
            bool junto = comparadoCon(s, esquema_.columnasFecha)
                         || (enValores && posicionValor < columnasInsert.size()
                             && esColumnaFecha(columnasInsert[posicionValor]));
            if (junto)
                out = isoOError(contenidoCadena(t.texto), prefijoFecha);
        } else if (servidor && t.tipo == Tipo::Cadena && t.texto.size() == 2
                   && comparadoCon(s, esquema_.columnasNoTexto)) {
            // A number or a date never equals an empty text; the server would refuse to compare them.
            out = QStringLiteral("NULL");
        } else if (servidor && t.tipo == Tipo::Identificador) {
            const QString nombre = nombreLimpio(t.texto);
            auto escrito = esquema_.nombresEscritos.constFind(nombre.toLower());
            if (escrito != esquema_.nombresEscritos.cend())
                out = QLatin1Char('"') + *escrito + QLatin1Char('"');
            else if (nombre.size() != t.texto.size())
                out = QLatin1Char('"') + nombre + QLatin1Char('"');
        }
    }
    if (servidor) {
        nulosComoEnElArchivo(ts, sig, salida);
        ordenComoEnElArchivo(ts, sig, salida);
    }
    QString r;
    r.reserve(sql.size() + 16);
    for (size_t i = 0; i < ts.size(); ++i)
        r += salida[i] ? QStringView(*salida[i]) : ts[i].texto;
    return r;
}

quint64 SqlDialect::nuevoId()
{
    static std::atomic<quint64> siguiente{1};
    return siguiente++;
}

bool SentenciaConValor::valorNeutro(const QString &valor)
{
    if (valor.isEmpty())
        return false;
    for (QChar c : valor)
        if (!(c.unicode() < 0x80 && (c.isLetterOrNumber() || c == QLatin1Char(' '))))
            return false;
    return true;
}

void SentenciaConValor::partesPara(const SqlDialect &d) const
{
    if (traducidoPara_ == d.id())
        return;
    const QChar marca(0xFFFF); // a noncharacter, in no statement the program writes
    const QString t = d.traducir(texto(QString(marca)));
    const qsizetype i = t.indexOf(marca);
    partes_.reset();
    if (i >= 0 && t.indexOf(marca, i + 1) < 0 && !antes_.contains(marca) && !despues_.contains(marca))
        partes_.emplace(t.left(i), t.mid(i + 1));
    traducidoPara_ = d.id();
}

QString SentenciaConValor::traducida(const SqlDialect &d, const QString &valor) const
{
    partesPara(d);
    if (!partes_ || !valorNeutro(valor))
        return d.traducir(texto(valor));
    return partes_->first + valor + partes_->second;
}

namespace {
// Whether the text ends with the quote that opens a literal: a whole literal,
// the value, then its closing quote make up the text with the value between.
bool abreLiteralAlFinal(const QString &t)
{
    qsizetype apertura = -1;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i] != QLatin1Char('\''))
            continue;
        if (apertura < 0)
            apertura = i;
        else if (i + 1 < t.size() && t[i + 1] == QLatin1Char('\''))
            ++i; // a doubled quote inside the literal
        else
            apertura = -1;
    }
    return apertura >= 0 && apertura == t.size() - 1;
}
} // namespace

QString SentenciaConValor::conParametro(const SqlDialect &d) const
{
    partesPara(d);
    const QLatin1Char comilla('\'');
    if (!partes_ || !abreLiteralAlFinal(partes_->first) || !partes_->second.startsWith(comilla)
        || partes_->second.startsWith(QStringLiteral("''")))
        return {};
    return partes_->first.chopped(1) + QStringLiteral("$1") + partes_->second.mid(1);
}
