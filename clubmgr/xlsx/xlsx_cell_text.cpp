#include "xlsx_cell_text.h"

#include <QLocale>

#include <cmath>

namespace xlsx::detail {

bool parseCellRef(QStringView ref, int* row, int* column)
{
    qsizetype i = 0;
    qint64 col = 0;
    while (i < ref.size() && ref[i].isLetter() && ref[i].unicode() < 128) {
        col = col * 26 + (ref[i].toUpper().unicode() - 'A' + 1);
        if (col > maxColumns)
            return false;
        ++i;
    }
    if (i == 0 || i == ref.size())
        return false;
    qint64 r = 0;
    for (; i < ref.size(); ++i) {
        if (!ref[i].isDigit() || ref[i].unicode() >= 128)
            return false;
        r = r * 10 + (ref[i].unicode() - '0');
        if (r > maxRows)
            return false;
    }
    if (r < 1)
        return false;
    *row = int(r - 1);
    *column = int(col - 1);
    return true;
}

QString numberText(QStringView stored)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(stored.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return stored.toString();
    // Spreadsheet programs keep 15 significant digits; whole numbers show no fraction.
    if (v == std::floor(v) && std::fabs(v) < 1e15)
        return QString::number(qint64(v));
    return QString::number(v, 'g', 15);
}

}  // namespace xlsx::detail
