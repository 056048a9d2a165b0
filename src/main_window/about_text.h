#pragma once

#include <QString>

class Connection;

// The text of "Acerca de Quendra", which support asks for first: the program's
// version and licence, the database in use (its file, or the server's address
// without a password), its schema version, size and counts, and the versions of
// the libraries the data goes through.
QString textoAcercaDe(Connection &conexion);
