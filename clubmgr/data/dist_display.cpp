#include "dist_display.h"

#include "dm_lcxs.h"

#include <cmath>

QString groupedNumber(qint64 value)
{
    const bool negative = value < 0;
    QString digits = QString::number(negative ? -value : value);
    for (int i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, ',');
    return negative ? "-" + digits : digits;
}

QString distanceDisplayText(const QVariant& value)
{
    if (value.isNull() || value.toString().trimmed().isEmpty())
        return {};
    bool ok = false;
    const double d = value.toDouble(&ok);
    if (!ok)
        return {};
    return groupedNumber(static_cast<qint64>(std::trunc(d)));
}

QString distanceLoftNameText(TdmLCXS& dm, const QVariant& loftNo)
{
    if (loftNo.isNull() || loftNo.toString().isEmpty())
        return {};
    return dm.scalar("SELECT LoftName FROM LCX_LoftData WHERE LoftNo = ?", {loftNo.toString()}).toString();
}
