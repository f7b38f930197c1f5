#pragma once
// A synthetic club for benchmarks: lofts spread around a region with coordinate texts,
// pigeons, one race with entries that arrived at spread-out times, and distance rows.
// The same plan always gives the same club.

#include <QDate>
#include <QString>
#include <QTemporaryDir>
#include <QTime>

#include <memory>

class TdmLCXS;

namespace benchclub {

struct ClubPlan {
    int lofts = 100;
    int pigeonsPerLoft = 10;
    int entries = 500;            // pigeons entered for the race (at most lofts x pigeons)
    double arrivedShare = 0.9;    // share of the entries with a BackTime
    int mode = 0;                 // LCX_ClubData.Mode
    QString clubId = QStringLiteral("BENCH");
    QString liberCode = QStringLiteral("B1");
    QDate liberDate = QDate(2014, 8, 19);
    QTime liberTime = QTime(6, 30);
    bool distanceRows = true;     // one row per loft for the race's code
};

// Writes the club into an open, empty club database (one transaction).
void fill(TdmLCXS& dm, const ClubPlan& plan);

// A new club file in a temporary folder, filled by the plan.
struct Club {
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<TdmLCXS> dm;
};
Club create(const ClubPlan& plan);

// "N051'12:07.35"-style loft coordinate texts.
QString loftCoordinate(char hemisphere, double degrees);

}  // namespace benchclub
