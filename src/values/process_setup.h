#pragma once

// What every Quendra process does right after its application object is made:
// numbers are read and written with a period whatever the desktop's settings.
// Qt's application object takes the C library's locale from the environment,
// and the libraries we call (the spreadsheet writer, libpq) would then write
// "4,35" where a period is required. It also gives the application its version.
void prepararProceso();
