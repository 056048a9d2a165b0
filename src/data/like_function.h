#pragma once

struct sqlite3;

// Replaces SQLite's LIKE, which folds only ASCII letters, with one that ignores
// case for every letter (á and Á, ñ and Ñ), with "%", "_" and an optional ESCAPE.
void registrarLike(sqlite3 *db);
