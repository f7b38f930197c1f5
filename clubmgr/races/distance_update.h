#pragma once
// "LoftDistUpdate": every loft's distance to a race's liberation point, stored in the
// club's unit mode.

#include <QDate>
#include <QString>
#include <QStringList>

class TdmLCXS;

namespace club {

struct DistanceUpdateReport {
    bool raceFound = false;
    int loftsWritten = 0;
    QStringList messages;   // invalid-character messages, each coordinate text once
};

// Uses the race's own coordinates (not the site's). Lofts without a longitude keep their
// row; a loft whose row is missing gets one. All rows are written in one transaction.
DistanceUpdateReport UpdateLoftDistances(TdmLCXS& dm, const QString& clubId, const QString& liberCode,
                                         const QDate& liberDate);

}  // namespace club
