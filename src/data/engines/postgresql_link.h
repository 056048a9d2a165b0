#pragma once

#include <QString>
#include <chrono>

struct pg_conn;

// Bringing back a connection to the server that broke: the server restarted,
// the network dropped, or the server ended the session.
namespace enlacePg {

// The server as an operator is told it: host:port/base, never a password.
QString nombreServidor(pg_conn *pg);

// Resets the connection with the parameters it was opened with, trying again
// for about `plazo`; at least one try. Whether it is back.
bool restablecer(pg_conn *pg, std::chrono::milliseconds plazo);

} // namespace enlacePg
