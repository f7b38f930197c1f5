#pragma once
// A race's result: the arrived entries ranked by speed, the summary line, and the
// recalculation of every flying time from a liberation moment.

#include "flight_math.h"
#include "race_queries.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

class TdmLCXS;

namespace club {

struct ResultRow {
    int pos = 0;
    double speed = 0.0;     // FlySpeed, 0 when empty
    raceq::ResultEntry entry;
};

struct RaceResult {
    QList<ResultRow> rows;  // by speed descending; equal speeds keep the database's order
    raceq::RaceCounts counts;
    int clocked() const { return int(rows.size()); }
};

// `withDistanceRowOnly` restricts the list to entries whose loft has a distance row for the
// code (the list shown after a recalculation).
RaceResult LoadRaceResult(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                          bool withDistanceRowOnly = false);

// "12 Members sent 240 birds of which 198 were clocked"
QString SummaryLine(const RaceResult& result);
// "C01 Result for Orleans"
QString ResultTitle(const QString& clubId, const QString& liberSite);
// Speed column title on screen: "Yds/Min" (imperial) or "MPM" (metric).
QString SpeedColumnTitle(int mode);
// The "Pigeon" column: the ring's parts separated by single spaces; the stored ring number
// when the pigeon is not in the register.
QString PigeonText(const raceq::ResultEntry& e);

// The race's sun table in RaceDate order, for FlyingSeconds.
QVector<SunRow> SunRowsOf(TdmLCXS& dm, const QString& raceCode);

struct RecalculationReport {
    int entries = 0;
    QStringList unreadable;   // ring numbers whose BackTime is not a date and time
};

// Recomputes FlyTime, FlySpeed and Dist of every arrived entry of the race (code and stored
// date) whose pigeon is in the register, from the liberation moment given; the race's own liberation stays as stored.
RecalculationReport RecalculateRace(TdmLCXS& dm, const QString& liberCode, const QDate& liberDate,
                                    const QDateTime& liberation);

}  // namespace club
