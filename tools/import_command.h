#pragma once

#include <QStringList>

// quendra-db import FILE DATABASE [--deposito 01] [--fecha dd-mm-yyyy] [--hoja NOMBRE] [--revisar]:
// each wrong row printed with its row, column and reason, then a summary; the
// exit status, 1 when any row is wrong (and then nothing is written).
int ordenImportar(const QStringList &args);
