#pragma once

#include <QString>
#include <QVariant>

class TdmLCXS;

// How the distance table (LCX_LoftLibPointDist) shows its columns, wherever it is shown.

// Miles and Yards: empty stays empty; a number shows whole, with "," between thousands
// (12345 -> "12,345", 0 -> "0").
QString distanceDisplayText(const QVariant& value);

// LoftName: never the stored text, always the name of the loft in the loft register;
// empty when the row has no loft number or the loft no longer exists.
QString distanceLoftNameText(TdmLCXS& dm, const QVariant& loftNo);

// Whole number with "," thousands separators, as the fixed locale writes it.
QString groupedNumber(qint64 value);
