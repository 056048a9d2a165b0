#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

namespace importacion {

// The texts of many rows of cells in one UTF-8 block: a sheet of hundreds of
// thousands of rows costs about its own size, not a string object per cell.
class CeldasCompactas
{
public:
    void agregar(const QStringList &fila);
    qsizetype filas() const { return qsizetype(inicios_.size()); }
    // The row's cell k; empty past its last cell.
    QString texto(qsizetype fila, int k) const;

private:
    // Each cell as its length in 7-bit groups, then its bytes.
    QByteArray bloque_;
    std::vector<quint32> inicios_;
};

} // namespace importacion
