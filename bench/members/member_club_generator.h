#pragma once
// Synthetic clubs for the member benchmarks: a club database file of any size, filled in
// one transaction, and a pigeon workbook in the exported layout.

#include "dm_lcxs.h"

#include <QString>

#include <memory>

namespace bench_members {

// A new club database in folder with `lofts` lofts of `pigeonsPerLoft` pigeons each
// (a few clocks per loft, two colours). Returns an open data module.
std::unique_ptr<TdmLCXS> makeClub(const QString& folder, int lofts, int pigeonsPerLoft);

// A workbook of `pigeons` rows in the exported nine-column layout, spread over lofts of
// 100 pigeons, with a mix of ring code families.
QString makePigeonWorkbook(const QString& folder, int pigeons);

}  // namespace bench_members
