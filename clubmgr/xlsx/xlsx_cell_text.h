#pragma once
// Cell references and the text form of stored cell values. Internal to clubxlsx.

#include <QString>
#include <QStringView>

namespace xlsx::detail {

constexpr int maxRows = 1048576;
constexpr int maxColumns = 16384;

// "B12" -> row 11, column 1 (from 0). false for anything that is not a cell in the sheet grid.
bool parseCellRef(QStringView ref, int* row, int* column);

// A stored number as a person reads it: 2014 and 2014.0 -> "2014", 0.5 -> "0.5",
// 12345678901 -> "12345678901", 1e20 -> "1e+20". Text that is not a number comes back unchanged.
QString numberText(QStringView stored);

}  // namespace xlsx::detail
