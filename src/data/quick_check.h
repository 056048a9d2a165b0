#pragma once

#include <QString>
#include <QtGlobal>
#include <atomic>

struct sqlite3;

// SQLite's quick check of a database file: every page and record readable and
// well formed, the indexes in step with their tables.
namespace revisionRapida {

// Files up to this many pages are checked at once when they are opened: at the
// slowest rate bench_quick_check measured, 25 ms per 1000 pages, that stays within
// 200 ms. Larger files are checked in the background after the main window shows.
inline constexpr qint64 paginasRevisionInmediata = 8000;

qint64 paginas(sqlite3 *db);

// Empty when the check passes, else the first problem it reports. The check gives
// up, and reports nothing, as soon as `cancelar` becomes true.
QString revisar(sqlite3 *db, const std::atomic<bool> *cancelar = nullptr);

// The same on a read-only connection of its own to the file, for another thread.
QString revisarArchivo(const QString &archivo, const std::atomic<bool> *cancelar);

} // namespace revisionRapida
