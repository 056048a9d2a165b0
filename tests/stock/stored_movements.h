#pragma once

#include <QStringList>

class BaseDePrueba;

// Movements stored straight into a test's database, each "numero tipo cantidad deposito dd-mm" (2026), in
// vouchers 00000001, 00000002... with cost 1 and family 0001; then every article's stored stock written back as
// postings leave it.
void guardarMovimientos(const BaseDePrueba &base, const QStringList &lineas);
