#include "batched_writes.h"
#include "connection.h"

namespace {
// Characters gathered before they are sent.
constexpr qsizetype porTanda = 512 * 1024;
} // namespace

void EscriturasEnTandas::agregar(const QString &sentencia)
{
    sentencias_ << sentencia;
    largo_ += sentencia.size();
    if (largo_ >= porTanda)
        enviar();
}

void EscriturasEnTandas::enviar()
{
    if (sentencias_.isEmpty())
        return;
    conexion_.executeAll(sentencias_);
    sentencias_.clear();
    largo_ = 0;
}
