#pragma once

#include "report_layout.h"

// The exit ticket "Tikets": the voucher's header in Cabezal, one Detalle per
// article leaving, and the total in PieFinal at the foot of every page.
// Captions set at print time carry their own names until then.
ReportLayout disenoTikets();
