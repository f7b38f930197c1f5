// Flight arithmetic of a race: coordinate texts, loft distances, flying seconds with the
// night rule, speeds and positions. No widgets and no database: the callers (Races page,
// clock read-out, demo data) fetch what these functions need and show what they report.
#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QTime>
#include <QVector>

namespace club {

// ---- Coordinates -------------------------------------------------------------------------

struct CoordinateResult {
    bool ok = false;
    double degrees = 0.0;   // signed decimal degrees, east and north positive
    QString error;          // the "Invalid character in ..." text when a field is not a number
};

// Reads a coordinate text such as E005'47:30, 005'47:30E, -005'47:30 or N051'12:07.35.
// Empty texts, untouched entry masks and zero whole degrees after a hemisphere letter are
// "not given": ok is false and error stays empty.
CoordinateResult ParseCoordinate(const QString& text);

// Distance in whole metres from a loft to a liberation point, 0 when it cannot be computed.
// Messages of coordinates with bad characters are appended to `errors` when given.
int LoftDistanceMetres(const QString& loftLon, const QString& loftLat,
                       const QString& liberLon, const QString& liberLat,
                       QStringList* errors = nullptr);

// `Mode` of the club: 0 metric (km and m), 1 imperial (miles and yards).
enum class DistanceUnit { Metric = 0, Imperial = 1 };
DistanceUnit DistanceUnitFromMode(int mode);

// The two numbers of a distance row: Miles holds the large unit, Yards the whole distance
// in the small unit (the one speeds are computed from).
struct StoredDistance {
    int miles = 0;
    int yards = 0;
};
StoredDistance DistanceFromMetres(int metres, DistanceUnit unit);

// ---- Flying time -------------------------------------------------------------------------

// One day of a race's sunset and sunrise table.
struct SunRow {
    QDate raceDate;
    QTime sunSet;
    QTime sunRise;
    QString location;
};

enum class Rounding { Truncate, HalfAway };

// The whole part of x plus the whole part of twice its fraction: 2.5 -> 3, -2.5 -> -3.
long long RoundHalfAway(double x);
long long ApplyRounding(double x, Rounding r);

// Flying seconds from liberation to arrival, less the clock's deviation (positive when the
// clock runs fast). Moments are wall-clock local times. `sunRows` are the race's rows in
// RaceDate order; they count only when the arrival is on another day of the year.
long long FlyingSeconds(long long deviation, const QDateTime& liberation,
                        const QDateTime& arrival, const QVector<SunRow>& sunRows,
                        Rounding rounding);

// "h:m:s" without leading zeros; negative parts keep their sign (-2 gives 0:0:-2).
QString SecondsToFlyTime(long long seconds);

// Distance units per minute; 0 unless distance >= 1 and seconds >= 1. Rounded to three
// decimals, as the value is stored.
double FlySpeed(long long distance, long long seconds);
double RoundTo3(double x);

// What an entry receives from one arrival.
struct EntryResult {
    long long seconds = 0;
    QString flyTime;
    double flySpeed = 0.0;
    int dist = 0;
};
EntryResult ComputeEntryResult(int distance, long long deviation, const QDateTime& liberation,
                               const QDateTime& arrival, const QVector<SunRow>& sunRows,
                               Rounding rounding);

// Positions for speeds already ordered by speed descending: equal speeds share a position
// and the next is skipped (1, 2, 2, 4).
QVector<int> PositionsOfSortedSpeeds(const QVector<double>& sortedSpeeds);

// Order (stable, speed descending) in which rows with these speeds are listed.
QVector<int> OrderBySpeedDescending(const QVector<double>& speeds);

// ---- Texts and codes ----------------------------------------------------------------------

// LiberCode followed by the date as "mmdd": 1A2B on 19 August gives 1A2B0819.
QString RaceCodeFor(const QString& liberCode, const QDate& liberDate);

// "yyyy/MM/dd HH:mm:ss" (typed) or with ".zzz" (from a clock); an invalid QDateTime when
// the text is neither.
QDateTime ParseBackTime(const QString& text);
QString BackTimeText(const QDateTime& moment, bool withMilliseconds);

// Whole number with "," as thousands separator: 154321 -> 154,321.
QString GroupedInteger(long long value);
// Speed as shown: three decimals with thousands separators, at least eight characters wide;
// empty when 0.
QString SpeedText(double speed);

}  // namespace club
