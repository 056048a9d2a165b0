#include "like_function.h"

#include <QChar>
#include <sqlite3.h>
#include <vector>

namespace {

// Decodes UTF-8 and folds case; invalid bytes are taken one by one as they are.
void plegar(const unsigned char *p, int n, std::vector<char32_t> &out)
{
    out.clear();
    out.reserve(size_t(n));
    for (int i = 0; i < n;) {
        unsigned char c = p[i];
        char32_t cp;
        int largo;
        if (c < 0x80) {
            out.push_back(c >= 'A' && c <= 'Z' ? char32_t(c + 32) : char32_t(c));
            ++i;
            continue;
        } else if ((c & 0xE0) == 0xC0) {
            cp = c & 0x1F;
            largo = 2;
        } else if ((c & 0xF0) == 0xE0) {
            cp = c & 0x0F;
            largo = 3;
        } else if ((c & 0xF8) == 0xF0) {
            cp = c & 0x07;
            largo = 4;
        } else {
            out.push_back(c);
            ++i;
            continue;
        }
        if (i + largo > n) {
            out.push_back(c);
            ++i;
            continue;
        }
        for (int k = 1; k < largo; ++k)
            cp = (cp << 6) | (p[i + k] & 0x3F);
        out.push_back(QChar::toCaseFolded(cp));
        i += largo;
    }
}

bool coincide(const std::vector<char32_t> &patron, const std::vector<char32_t> &texto, char32_t escape)
{
    size_t p = 0, t = 0;
    size_t estrellaP = SIZE_MAX, estrellaT = 0;
    while (t < texto.size()) {
        if (p < patron.size()) {
            char32_t c = patron[p];
            if (c == U'%' && c != escape) {
                while (p < patron.size() && patron[p] == U'%')
                    ++p;
                if (p == patron.size())
                    return true;
                estrellaP = p;
                estrellaT = t;
                continue;
            }
            bool literal = false;
            if (escape && c == escape && p + 1 < patron.size()) {
                c = patron[p + 1];
                literal = true;
            }
            if ((!literal && c == U'_') || c == texto[t]) {
                p += literal ? 2 : 1;
                ++t;
                continue;
            }
        }
        if (estrellaP == SIZE_MAX)
            return false;
        p = estrellaP;
        t = ++estrellaT;
    }
    while (p < patron.size() && patron[p] == U'%')
        ++p;
    return p == patron.size();
}

void like(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    // like(pattern, text [, escape]) as SQLite calls it for "text LIKE pattern".
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return;
    char32_t escape = 0;
    if (argc == 3) {
        std::vector<char32_t> e;
        plegar(sqlite3_value_text(argv[2]), sqlite3_value_bytes(argv[2]), e);
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = e[0];
    }
    std::vector<char32_t> propio;
    auto *patron = static_cast<std::vector<char32_t> *>(sqlite3_get_auxdata(ctx, 0));
    if (!patron) {
        auto *nuevo = new std::vector<char32_t>;
        plegar(sqlite3_value_text(argv[0]), sqlite3_value_bytes(argv[0]), *nuevo);
        propio = *nuevo; // SQLite may free the cached copy at once
        sqlite3_set_auxdata(ctx, 0, nuevo, [](void *p) { delete static_cast<std::vector<char32_t> *>(p); });
        patron = &propio;
    }
    thread_local std::vector<char32_t> texto;
    plegar(sqlite3_value_text(argv[1]), sqlite3_value_bytes(argv[1]), texto);
    sqlite3_result_int(ctx, coincide(*patron, texto, escape) ? 1 : 0);
}

} // namespace

void registrarLike(sqlite3 *db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(db, "like", 2, flags, nullptr, like, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "like", 3, flags, nullptr, like, nullptr, nullptr, nullptr);
}
